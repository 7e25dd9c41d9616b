#include <gtest/gtest.h>

#include "shell/TearBarGeometry.h"

namespace {

TEST(TearBarGeometry, RowHeightIsOneSixthOfAnInch) {
  EXPECT_EQ(TearRowHeight(96), 16);
  EXPECT_EQ(TearRowHeight(120), 20);
  EXPECT_EQ(TearRowHeight(144), 24);
  EXPECT_EQ(TearRowHeight(72), 12);
  EXPECT_EQ(TearRowHeight(0), 1);  // a screen that reports nothing still gets rows
}

TEST(TearBarGeometry, RowsAndPoints) {
  EXPECT_EQ(TearRowAt(0, 0, 16), 0);
  EXPECT_EQ(TearRowAt(15, 0, 16), 0);
  EXPECT_EQ(TearRowAt(16, 0, 16), 1);
  EXPECT_EQ(TearRowAt(5, 40, 16), 2);  // (5 + 40) / 16
  EXPECT_EQ(TearRowAt(-1, 0, 16), -1);
  EXPECT_EQ(TearRowRect(3, 16, 180, 20), QRect(0, 28, 180, 16));
  const RowSpan span = TearRowsIn(0, 100, 40, 16, 50);
  EXPECT_EQ(span.first, 2);
  EXPECT_EQ(span.last, 8);  // (99 + 40) / 16
  EXPECT_LT(TearRowsIn(0, 100, 0, 16, 0).last, 0);
  EXPECT_EQ(TearRowsIn(0, 1000, 0, 16, 5).last, 4);
}

TEST(TearScroll, BarOnlyWhenRowsAreTallerThanTheClientArea) {
  TearScroll s;
  s.SetContent(160, 160);
  EXPECT_FALSE(s.barShown());
  EXPECT_EQ(s.Bottom(), 0);
  s.SetContent(161, 160);
  EXPECT_TRUE(s.barShown());
}

TEST(TearScroll, MovesStayInRange) {
  TearScroll s;
  s.SetContent(400, 100);  // 25 rows of 16
  EXPECT_EQ(s.maxPosition(), 300);
  EXPECT_EQ(s.LineDown(16), 16);
  EXPECT_EQ(s.PageDown(), 116);
  EXPECT_EQ(s.LineUp(16), 100);
  EXPECT_EQ(s.PageUp(), 0);
  EXPECT_EQ(s.LineUp(16), 0);
  EXPECT_EQ(s.Bottom(), 300);
  EXPECT_EQ(s.PageDown(), 300);
  EXPECT_EQ(s.Top(), 0);
  EXPECT_EQ(s.SetPosition(-5), 0);
  EXPECT_EQ(s.SetPosition(9999), 300);
  s.SetContent(150, 100);  // rows removed: the position follows the shorter content
  EXPECT_EQ(s.position(), 50);
}

TEST(TearScroll, ScrollIntoViewMovesTheLeastAmountAndShowsTheLastRowWhole) {
  TearScroll s;
  s.SetContent(400, 100);
  EXPECT_EQ(s.ScrollIntoView(48, 64), 0);     // visible: no move
  EXPECT_EQ(s.ScrollIntoView(112, 128), 28);  // below: its bottom at the client's bottom
  EXPECT_EQ(s.ScrollIntoView(16, 32), 16);    // above: its top at the client's top
  EXPECT_EQ(s.ScrollIntoView(384, 400), 300); // the last row
  EXPECT_EQ(s.position() + s.client(), 400);
  TearScroll tiny;
  tiny.SetContent(400, 10);  // client shorter than a row: its top wins
  EXPECT_EQ(tiny.ScrollIntoView(160, 176), 160);
}

TEST(TearBarGeometry, PrintedPagesHoldWholeRows) {
  EXPECT_EQ(TearPageStarts(100, 16, 1000), (std::vector<int>{0, 62}));  // 62 rows a page
  EXPECT_EQ(TearPageStarts(3, 16, 10), (std::vector<int>{0, 1, 2}));    // at least one row a page
  EXPECT_TRUE(TearPageStarts(0, 16, 1000).empty());
}

}  // namespace
