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

}  // namespace
