#include <gtest/gtest.h>

#include "course/ResourceIds.h"
#include "shell/ViewRules.h"

namespace {

TEST(ViewRules, UndoMenuText) {
  EXPECT_EQ(UndoMenuText("", false), "Can't Undo\tCtrl+Z");
  EXPECT_EQ(UndoMenuText("", true), "Can't Undo\tCtrl+Z");
  EXPECT_EQ(UndoMenuText("&Clear Data", false), "Undo &Clear Data\tCtrl+Z");
  EXPECT_EQ(UndoMenuText("&Clear Data\tDel", true), "Redo &Clear Data\tCtrl+Z");
}

TEST(ViewRules, CtrlWheelChangesTheFontSizeWithin8And24) {
  struct Case {
    int size, notches, expected;
  } cases[] = {{12, 1, 13}, {12, -1, 11}, {24, 1, 24}, {8, -1, 8}, {8, -3, 8}, {23, 5, 24}, {30, -1, 24}};
  for (const Case& c : cases) EXPECT_EQ(WheelFontSize(c.size, c.notches), c.expected) << c.size << c.notches;
}

TEST(ViewRules, WheelScrollsTwelvePixelsPerLineAtMostAPage) {
  EXPECT_EQ(WheelScrollPixels(1, 3, 400), 36);
  EXPECT_EQ(WheelScrollPixels(-1, 3, 400), -36);
  EXPECT_EQ(WheelScrollPixels(2, 1, 400), 800);  // one line per notch: a page per notch
  EXPECT_EQ(WheelScrollPixels(2, 2, 400), 48);
  EXPECT_EQ(WheelScrollPixels(1, 50, 400), 400);  // capped at a page
  EXPECT_EQ(WheelScrollPixels(-4, 20, 300), -300);
  EXPECT_EQ(WheelScrollPixels(1, 0, 300), 300);   // page-wise setting
  EXPECT_EQ(WheelScrollPixels(0, 3, 300), 0);
}

TEST(ViewRules, AutoScrollSpeedAndCursor) {
  struct Case {
    int dy, pixels, cursor;
  } cases[] = {{0, 0, cur::kAutoScrollStill},     {8, 0, cur::kAutoScrollStill},   {-8, 0, cur::kAutoScrollStill},
               {9, 1, cur::kAutoScrollDown},      {80, 10, cur::kAutoScrollDown},  {-80, -10, cur::kAutoScrollUp},
               {-9, -1, cur::kAutoScrollUp}};
  for (const Case& c : cases) {
    const AutoScrollStep s = AutoScrollFor(c.dy);
    EXPECT_EQ(s.pixels, c.pixels) << c.dy;
    EXPECT_EQ(s.cursor, c.cursor) << c.dy;
  }
}

TEST(ViewRules, KeysScroll) {
  EXPECT_EQ(KeyScrollPosition(ScrollKey::LineForward, 0, 500, 200), 12);
  EXPECT_EQ(KeyScrollPosition(ScrollKey::LineBack, 5, 500, 200), 0);
  EXPECT_EQ(KeyScrollPosition(ScrollKey::PageForward, 400, 500, 200), 500);
  EXPECT_EQ(KeyScrollPosition(ScrollKey::PageBack, 300, 500, 200), 100);
  EXPECT_EQ(KeyScrollPosition(ScrollKey::End, 0, 500, 200), 500);
  EXPECT_EQ(KeyScrollPosition(ScrollKey::Home, 300, 500, 200), 0);
  EXPECT_EQ(KeyScrollPosition(ScrollKey::End, 0, -3, 200), 0);
}

}  // namespace
