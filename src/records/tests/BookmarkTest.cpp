#include <gtest/gtest.h>

#include "RecordsTestSupport.h"
#include "TestSupport.h"
#include "course/CommandIds.h"
#include "course/CourseFileError.h"
#include "records/BookmarkFile.h"
#include "records/BookmarkList.h"
#include "records/LocatorCodec.h"

using kntest::Loc;

namespace {

std::vector<ActivityLocator> SomeBookmarks() {
  return {Loc(0, 0, 1), Loc(1, 0, 0, 4, 0, nullptr, "annotated"), Loc(0, -1, -1, 0, 11, "hw1.wrk"), Loc(0, 1, -1)};
}

TEST(BookmarkFile, SavedAndLoadedBackGivesTheSameListMergingDoublesIt) {
  const auto dir = kntest::MakeTempDir("bm");
  const auto bytes = WriteBookmarkFile(SomeBookmarks());
  kntest::WriteFileBytes(dir / "Bookmarks.mrk", bytes);
  const auto loaded = LoadBookmarkFile(dir / "Bookmarks.mrk");
  EXPECT_EQ(loaded, SomeBookmarks());

  StudentRecord r;
  r.SetBookmarks(loaded);
  r.AppendBookmarks(LoadBookmarkFile(dir / "Bookmarks.mrk"));
  ASSERT_EQ(r.bookmarkCount(), 8);
  EXPECT_EQ(r.bookmarks()[4], SomeBookmarks()[0]);
}

TEST(BookmarkFile, SixtyBookmarksLoad) {
  std::vector<ActivityLocator> many;
  for (int i = 0; i < 60; ++i) many.push_back(Loc(i % 2, 0, i % 8, i % 13));
  EXPECT_EQ(ReadBookmarkFile(WriteBookmarkFile(many)), many);
}

TEST(BookmarkFile, AFileCutAnywhereKeepsTheWholeLocatorsBeforeTheCut) {
  const auto bytes = WriteBookmarkFile(SomeBookmarks());
  std::vector<std::size_t> boundaries = {0};
  for (const auto& b : SomeBookmarks()) boundaries.push_back(boundaries.back() + FlattenLocator(b).size());
  for (std::size_t n = 0; n <= bytes.size(); ++n) {
    // The number of locators that end at or before the cut.
    const auto whole = static_cast<std::size_t>(std::upper_bound(boundaries.begin(), boundaries.end(), n) -
                                                boundaries.begin() - 1);
    const auto read = ReadBookmarkFile(std::span(bytes.data(), n));
    ASSERT_EQ(read.size(), whole) << n;
    for (std::size_t i = 0; i < whole; ++i) EXPECT_EQ(read[i], SomeBookmarks()[i]) << n;
  }
}

TEST(BookmarkFile, MissingFolderOrNonFileIsAnError) {
  const auto dir = kntest::MakeTempDir("bm");
  EXPECT_THROW(LoadBookmarkFile(dir / "none.mrk"), CourseFileError);
  EXPECT_THROW(LoadBookmarkFile(dir), CourseFileError);
}

TEST(BookmarkText, SourceOrTitlesWithoutMarkup) {
  const ContentsTable& c = kntest::RecordsContents();
  EXPECT_EQ(BookmarkText(Loc(1, 0, 0), c), "Centre : Mean : Bold act");
  EXPECT_EQ(BookmarkText(Loc(0, 1, -1), c), "Data : Films");
  EXPECT_EQ(BookmarkText(Loc(0, 0, 0, 0, 0, nullptr, "mine"), c), "mine");
}

TEST(BookmarkEdit, AnnotateStripsMarkupCutsAndClears) {
  ActivityLocator b = Loc(0, 0, 0);
  AnnotateBookmark(b, "see <i>this</i> one");
  EXPECT_EQ(b.source, "see this one");
  AnnotateBookmark(b, std::string(300, 'x'));
  EXPECT_EQ(b.source->size(), 255u);
  AnnotateBookmark(b, "<b></b>");
  EXPECT_FALSE(b.source.has_value());
}

TEST(BookmarkEdit, RevertClearsTheIconAndAContentsItemsText) {
  struct Case {
    ActivityLocator before;
    bool canRevert;
    ActivityLocator after;
  } cases[] = {
      {Loc(0, 0, 0), false, Loc(0, 0, 0)},
      {Loc(0, 0, 0, 5), true, Loc(0, 0, 0)},
      {Loc(0, 0, 0, 0, 0, nullptr, "t"), true, Loc(0, 0, 0)},
      {Loc(0, -1, -1, 0, 9, "a.ast", "Asterisk Bookmark"), false, Loc(0, -1, -1, 0, 9, "a.ast", "Asterisk Bookmark")},
      {Loc(0, -1, -1, 3, 9, "a.ast", "Asterisk Bookmark"), true, Loc(0, -1, -1, 0, 9, "a.ast", "Asterisk Bookmark")},
  };
  for (Case& k : cases) {
    EXPECT_EQ(CanRevert(k.before), k.canRevert);
    RevertBookmark(k.before);
    EXPECT_EQ(k.before, k.after);
  }
}

std::vector<int> Activities(const std::vector<ActivityLocator>& list) {
  std::vector<int> out;
  for (const auto& b : list) out.push_back(b.activity);
  return out;
}

TEST(BookmarkSort, ThreeOrders) {
  const ContentsTable& c = kntest::RecordsContents();
  // activity numbers tag the entries; lessons and pages make the order.
  const std::vector<ActivityLocator> list = {
      Loc(1, 0, 1),                                 // no such activity: "Centre : Mean"
      Loc(0, 0, 2, 0, 0, nullptr, "zebra"),         // source
      Loc(0, 0, 3, 0, 0, nullptr, "Apple"),         // upper case sorts as lower case
      Loc(0, -1, 4, 2, 11, "hw.wrk", "\xE9t\xE9"),  // high bytes sort after ASCII
      Loc(0, 0, 0),                                 // "Data : Samples : Intro" (exposition)
      Loc(0, 1, 5, 1),                              // custom icon 1
  };
  struct Case {
    BookmarkOrder order;
    std::vector<int> expected;
  } cases[] = {
      {BookmarkOrder::BySequence, {4, 0, 2, 3, 5, 1}},
      {BookmarkOrder::ByName, {3, 1, 5, 0, 2, 4}},
      // Ranks: activities past a page's count are pages (2); the exposition 3; custom
      // icons 1 and 2 give 21 and 22.
      {BookmarkOrder::ByIconType, {1, 2, 3, 0, 5, 4}},
  };
  for (const Case& k : cases) {
    auto sorted = list;
    SortBookmarks(sorted, k.order, c);
    EXPECT_EQ(Activities(sorted), k.expected) << int(k.order);
  }
}

TEST(BookmarkMenu, EnablingFollowsSelectionListAndClipboard) {
  const std::vector<ActivityLocator> list = {Loc(0, 0, 0, 2), Loc(0, -1, -1, 0, 11, "hw.wrk"),
                                             Loc(0, 0, 1, 0, 0, nullptr, "note")};
  struct Case {
    int command;
    int selected;
    bool format, hasBookmark;
    bool enabledWithList, enabledEmpty;
  } cases[] = {
      {cmd::kAnnotateBookmark, 1, true, false, true, false}, {cmd::kAnnotateBookmark, -1, true, false, false, false},
      {cmd::kCopyBookmark, 0, true, false, true, false},     {cmd::kCopyBookmark, 0, false, false, false, false},
      {cmd::kCustomIcon, 2, true, false, true, false},       {cmd::kDeleteBookmark, 0, true, false, true, false},
      {cmd::kExecuteBookmark, 0, true, false, true, false},  {cmd::kLocateBookmark, 0, true, false, true, false},
      {cmd::kLocateBookmark, 1, true, false, false, false},  {cmd::kPasteBookmark, -1, true, true, true, true},
      {cmd::kPasteBookmark, 0, true, false, false, false},   {cmd::kRevertBookmark, 0, true, false, true, false},
      {cmd::kRevertBookmark, 1, true, false, false, false},  {cmd::kRevertBookmark, 2, true, false, true, false},
      {cmd::kSortBookmarks, -1, true, false, true, false},   {cmd::kHideBookmarks, -1, true, false, true, true},
      {cmd::kLoadBookmarks, -1, true, false, true, true},    {cmd::kMergeBookmarks, -1, true, false, true, true},
      {cmd::kPrintBookmarks, -1, true, false, true, false},  {cmd::kRemoveAllBookmarks, -1, true, false, true, false},
      {cmd::kSaveBookmarks, -1, true, false, true, false},   {cmd::kAnnotateBookmark, 3, true, false, false, false},
  };
  for (const Case& k : cases) {
    const BookmarkMenuState state{k.selected, k.format, k.hasBookmark};
    EXPECT_EQ(BookmarkCommandEnabled(k.command, state, list), k.enabledWithList) << k.command << " row " << k.selected;
    EXPECT_EQ(BookmarkCommandEnabled(k.command, state, {}), k.enabledEmpty) << k.command << " empty";
  }
  // Sorting needs two.
  EXPECT_FALSE(BookmarkCommandEnabled(cmd::kSortBookmarks, {}, {list[0]}));
}

}  // namespace
