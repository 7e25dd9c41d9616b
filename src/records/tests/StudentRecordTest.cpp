#include <gtest/gtest.h>

#include "RecordsTestSupport.h"
#include "records/StudentRecord.h"

using kntest::Loc;

namespace {

TEST(StudentRecord, CompletingTwiceChangesNothingTheSecondTime) {
  StudentRecord r;
  EXPECT_EQ(r.SetCompleted(Loc(1, 2, 3), true), 1);
  EXPECT_EQ(r.SetCompleted(Loc(1, 2, 3), true), 0);
  EXPECT_TRUE(r.IsCompleted(1, 2, 3));
  EXPECT_EQ(r.SetCompleted(Loc(1, 2, 3), false), 1);
  EXPECT_EQ(r.SetCompleted(Loc(1, 2, 3), false), 0);
  EXPECT_FALSE(r.IsCompleted(1, 2, 3));
}

TEST(StudentRecord, CompletionSetStaysSortedAsSignedBytes) {
  StudentRecord r;
  for (auto [l, p, a] : {std::tuple{2, 0, 0}, {0, 3, 1}, {0, 3, 0}, {-1, 0, 0}, {0, -1, 5}, {2, 0, 0}})
    r.SetCompleted(Loc(l, p, a), true);
  const std::vector<CompletionMark> expected = {{-1, 0, 0}, {0, -1, 5}, {0, 3, 0}, {0, 3, 1}, {2, 0, 0}};
  EXPECT_EQ(r.completions(), expected);
  for (const auto& m : expected) EXPECT_TRUE(r.IsCompleted(m.lesson, m.page, m.activity));
  EXPECT_FALSE(r.IsCompleted(0, 3, 2));
  // The mark, kind and strings of a locator play no part.
  EXPECT_TRUE(r.IsCompleted(Loc(0, 3, 1, 9, 11, "x.wrk", "y")));
}

TEST(StudentRecord, AddStopsAtFiftyOtherInsertionsDoNot) {
  StudentRecord r;
  for (int i = 0; i < 50; ++i) ASSERT_EQ(r.AddBookmark(Loc(0, 0, i % 8)), i);
  EXPECT_EQ(r.AddBookmark(Loc(1, 0, 0)), -1);
  EXPECT_EQ(r.bookmarkCount(), 50);
  EXPECT_EQ(r.InsertBookmark(Loc(1, 0, 0), 0), 0);
  EXPECT_EQ(r.bookmarkCount(), 51);
  EXPECT_EQ(r.bookmarks()[0], Loc(1, 0, 0));
}

TEST(StudentRecord, InsertPositions) {
  StudentRecord r;
  EXPECT_EQ(r.AddBookmark(Loc(0, 0, 0)), 0);
  EXPECT_EQ(r.AddBookmark(Loc(0, 0, 1), -1), 1);
  EXPECT_EQ(r.AddBookmark(Loc(0, 0, 2), 99), 2);  // past the end: appended
  EXPECT_EQ(r.AddBookmark(Loc(0, 0, 3), 1), 1);
  std::vector<int> order;
  for (const auto& b : r.bookmarks()) order.push_back(b.activity);
  EXPECT_EQ(order, (std::vector<int>{0, 3, 1, 2}));
}

TEST(StudentRecord, MoveBookmarkPutsItBeforeTheTarget) {
  struct Case {
    int from, before;
    std::vector<int> result;
    int index;
  } cases[] = {
      {0, 2, {1, 0, 2, 3}, 1}, {3, 0, {3, 0, 1, 2}, 0}, {1, -1, {0, 2, 3, 1}, 3},
      {2, 2, {0, 1, 2, 3}, 2}, {2, 3, {0, 1, 2, 3}, 2}, {0, 4, {1, 2, 3, 0}, 3},
  };
  for (const Case& k : cases) {
    StudentRecord r;
    for (int i = 0; i < 4; ++i) r.AddBookmark(Loc(0, 0, i));
    EXPECT_EQ(r.MoveBookmark(k.from, k.before), k.index) << k.from << "->" << k.before;
    std::vector<int> order;
    for (const auto& b : r.bookmarks()) order.push_back(b.activity);
    EXPECT_EQ(order, k.result) << k.from << "->" << k.before;
  }
  StudentRecord r;
  EXPECT_EQ(r.MoveBookmark(0, 0), -1);
}

TEST(StudentRecord, EveryBookmarkChangeCallsTheHook) {
  StudentRecord r;
  int calls = 0;
  const ActivityLocator* last = nullptr;
  r.SetBookmarksChangedHook([&](const ActivityLocator* l) {
    ++calls;
    last = l;
  });
  r.AddBookmark(Loc(0, 0, 0));
  ASSERT_NE(last, nullptr);
  EXPECT_EQ(*last, Loc(0, 0, 0));
  r.ReplaceBookmark(0, Loc(0, 0, 1));
  r.MoveBookmark(0, -1);
  r.RemoveBookmark(0);
  EXPECT_EQ(last, nullptr);
  r.AppendBookmarks({Loc(1, 0, 0)});
  r.SetBookmarks({});
  r.Reset();
  EXPECT_EQ(calls, 7);
  EXPECT_FALSE(r.RemoveBookmark(0));  // nothing to remove: no call
  EXPECT_EQ(calls, 7);
}

TEST(StudentRecord, ListNeverGrowsBeyondWhatAFileCanHold) {
  StudentRecord r;
  std::vector<ActivityLocator> many(700, Loc(0, 0, 0));
  EXPECT_EQ(r.AppendBookmarks(many), 700);
  EXPECT_EQ(r.AppendBookmarks(many), 299);
  EXPECT_EQ(r.bookmarkCount(), StudentRecord::kMaxStoredCount);
  EXPECT_EQ(r.InsertBookmark(Loc(1, 0, 0)), -1);
  r.SetBookmarks(std::vector<ActivityLocator>(1500, Loc(0, 0, 0)));
  EXPECT_EQ(r.bookmarkCount(), StudentRecord::kMaxStoredCount);
}

TEST(StudentRecord, ResetEmptiesEverything) {
  StudentRecord r = kntest::GrowingRecord(250);
  r.Reset();
  EXPECT_TRUE(r.name().empty());
  EXPECT_TRUE(r.completions().empty());
  EXPECT_TRUE(r.bookmarks().empty());
  r.SetName(std::string(300, 'n'));
  EXPECT_EQ(r.name().size(), StudentRecord::kMaxName);
}

}  // namespace
