#include <gtest/gtest.h>

#include "RecordsTestSupport.h"
#include "course/Preferences.h"
#include "records/WindowPart.h"

using kntest::Loc;

namespace {

TEST(WindowPart, EachKindOpensItsWindowAndTheLastOpenedComesFirstToTheFront) {
  const std::vector<WindowRecord> records = {
      {0, {1, 1, 2, 2}, EmptyWindowLocator()},  // ignored
      {1, {0, 0, 600, 400}, Loc(0, 1, 2)},      // Lesson Book at page (0, 1)
      {9, {40, 30, 240, 230}, EmptyWindowLocator()}, {15, {0, 0, 100, 100}, EmptyWindowLocator()},
      {16, {0, 0, 100, 100}, EmptyWindowLocator()},  {5, {10, 10, 300, 300}, Loc(0, 0, 0)},  // an activity window
      {6, {10, 10, 300, 300}, Loc(1, 0, 0)},  // one that can no longer be launched
  };
  std::vector<std::string> log;
  int next = 0;
  WindowRestoreActions a;
  a.hideFloatingBars = [&] { log.push_back("hide bars"); };
  a.openLessonBook = [&](const ActivityLocator& l) {
    log.push_back("book " + std::to_string(l.lesson) + "," + std::to_string(l.page) + "," + std::to_string(l.activity));
    return ++next;
  };
  a.floatBar = [&](int kind, int x, int y) {
    log.push_back("bar " + std::to_string(kind) + " at " + std::to_string(x) + "," + std::to_string(y));
    return ++next;
  };
  a.sendCommand = [&](int command) {
    log.push_back("command " + std::to_string(command));
    return ++next;
  };
  a.launch = [&](const ActivityLocator& l) {
    log.push_back("launch " + std::to_string(l.lesson));
    return l.lesson == 1 ? 0 : ++next;
  };
  a.activate = [&](int w) { log.push_back("activate " + std::to_string(w)); };
  a.toFront = [&](int w) { log.push_back("front " + std::to_string(w)); };

  Preferences p;
  RestoreWindowPart(records, p, a);
  const std::vector<std::string> expected = {
      "hide bars",  "book 0,1,-1",  "activate 1", "bar 9 at 40,30", "activate 2", "command 9032",
      "activate 3", "command 9089", "activate 4", "launch 0",       "activate 5", "launch 1",
      "front 5",    "front 4",      "front 3",    "front 2",        "front 1",
  };
  EXPECT_EQ(log, expected);
  // Every record's rectangle is now the saved placement of its kind (kind 0 has none).
  EXPECT_EQ(p.LookupRect(9), (CourseRect{40, 30, 240, 230}));
  EXPECT_EQ(p.LookupRect(6), (CourseRect{10, 10, 300, 300}));
  EXPECT_FALSE(p.LookupRect(0));
}

// A file asking for more windows than the placement table holds (one crafted file asked
// for 998) gets the first 64 and no more.
TEST(WindowPart, NoMoreRecordsThanThePlacementTableHoldsAreRestored) {
  for (int count : {0, 1, 64, 65, 999}) {
    SCOPED_TRACE(count);
    std::vector<WindowRecord> records(static_cast<std::size_t>(count), {5, {10, 10, 300, 300}, Loc(0, 0, 0)});
    int launches = 0, fronts = 0;
    WindowRestoreActions a;
    a.launch = [&](const ActivityLocator&) { return ++launches; };
    a.toFront = [&](int) { ++fronts; };
    Preferences p;
    RestoreWindowPart(records, p, a);
    EXPECT_EQ(launches, std::min(count, Preferences::kWindowSlots));
    EXPECT_EQ(fronts, launches);
  }
}

TEST(WindowPart, CollectsActivityWindowsThenFloatingBarsThroughThePlacementTable) {
  Preferences p;
  const std::vector<OpenWindow> windows = {
      {1, {0, 0, 600, 400}, Loc(0, 1, -1)},
      {0, {5, 5, 50, 50}, Loc(0, 0, 0)},  // not remembered: left out
      {5, {10, 10, 300, 300}, Loc(0, 0, 1)},
  };
  const std::vector<OpenWindow> bars = {
      {7, {700, 0, 900, 200}, EmptyWindowLocator(), true, true},
      {8, {700, 0, 900, 200}, EmptyWindowLocator(), false, true},  // hidden
      {9, {0, 0, 200, 200}, EmptyWindowLocator(), true, false},    // docked
  };
  const auto records = CollectWindowPart(windows, bars, p);
  ASSERT_EQ(records.size(), 3u);
  EXPECT_EQ(records[0].kind, 1);
  EXPECT_EQ(records[1].locator, Loc(0, 0, 1));
  EXPECT_EQ(records[2].kind, 7);
  EXPECT_EQ(records[2].locator, EmptyWindowLocator());
  EXPECT_EQ(p.LookupRect(5), (CourseRect{10, 10, 300, 300}));

  // With the placement table full, a new kind keeps the window's own rectangle.
  Preferences full;
  for (int key = 100; key < 100 + Preferences::kWindowSlots; ++key) full.RememberRect(key, {1, 1, 2, 2});
  const auto kept = CollectWindowPart({{5, {10, 10, 300, 300}, Loc(0, 0, 1)}}, {}, full);
  ASSERT_EQ(kept.size(), 1u);
  EXPECT_EQ(kept[0].rect, (CourseRect{10, 10, 300, 300}));
}

}  // namespace
