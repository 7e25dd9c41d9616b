#include <gtest/gtest.h>

#include "shell/ChildPlacement.h"

namespace {

// A resizable course window: 4-pixel frame, 22-pixel caption.
ChildPlacementInput Window(QRect outer) {
  ChildPlacementInput in;
  in.outer = outer;
  in.border = QMargins(4, 26, 4, 4);
  in.minTrack = QSize(100, 80);
  in.maxTrack = QSize(4000, 4000);
  in.area = QSize(1000, 700);
  return in;
}

TEST(PlaceChildRect, CascadesBy20ForEachWindowAlreadyAtTheSameCorner) {
  struct Case {
    std::vector<QPoint> siblings;
    QPoint expected;
  } cases[] = {
      {{}, {50, 40}},
      {{{50, 40}}, {70, 60}},                        // second window: 20 on
      {{{50, 40}, {70, 60}}, {90, 80}},              // third: 40 on
      {{{70, 60}, {50, 40}}, {90, 80}},              // order of siblings does not matter
      {{{50, 40}, {90, 80}}, {70, 60}},              // a free slot between is taken
  };
  for (const Case& c : cases) {
    ChildPlacementInput in = Window(QRect(0, 0, 300, 200));
    in.remembered = QRect(54, 66, 292, 170);  // client rect: outer (50, 40) 300 x 200
    in.siblingCorners = c.siblings;
    EXPECT_EQ(PlaceChildRect(in).outer, QRect(c.expected, QSize(300, 200)));
  }
}

TEST(PlaceChildRect, RememberedClientRectangleReopensTheWindowWhereItWas) {
  ChildPlacementInput in = Window(QRect(0, 0, 300, 200));
  const QRect outerBefore(120, 90, 410, 330);
  in.remembered = outerBefore.marginsRemoved(in.border);
  EXPECT_EQ(PlaceChildRect(in).outer, outerBefore);
}

TEST(PlaceChildRect, KeepsTheWindowInsideTheArea) {
  struct Case {
    QRect remembered;  // outer rectangle it was remembered at
    QPoint expected;
  } cases[] = {
      {{-150, 100, 300, 200}, {0, 100}},   // left of the frame: left border at the frame's edge
      {{900, 100, 300, 200}, {700, 100}},  // beyond the right edge
      {{100, -30, 300, 200}, {100, 0}},    // above the top
      {{100, 650, 300, 200}, {100, 500}},  // below the bottom
      {{-50, -50, 300, 200}, {0, 0}},
  };
  for (const Case& c : cases) {
    ChildPlacementInput in = Window(QRect(0, 0, 300, 200));
    in.remembered = c.remembered.marginsRemoved(in.border);
    EXPECT_EQ(PlaceChildRect(in).outer.topLeft(), c.expected) << c.remembered.x() << "," << c.remembered.y();
  }
}

TEST(PlaceChildRect, WiderThanTheAreaKeepsItsSizeAndItsLeftEdgeVisible) {
  ChildPlacementInput in = Window(QRect(300, 0, 1200, 200));
  in.maxTrack = QSize();  // no maximum: nothing shrinks it
  const QRect r = PlaceChildRect(in).outer;
  EXPECT_EQ(r.left(), 0);
  EXPECT_EQ(r.width(), 1200);
}

TEST(PlaceChildRect, TooTallHidesTheStatusBarOnceAndUsesTheGrownArea) {
  ChildPlacementInput in = Window(QRect(0, 0, 300, 720));
  in.statusBarVisible = true;
  int hides = 0;
  in.hideStatusBar = [&hides] {
    ++hides;
    return QSize(1000, 722);
  };
  const ChildPlacementResult r = PlaceChildRect(in);
  EXPECT_TRUE(r.hidStatusBar);
  EXPECT_EQ(hides, 1);
  EXPECT_EQ(r.outer, QRect(0, 0, 300, 720));

  in.statusBarVisible = false;  // already hidden: the window keeps its height, top visible
  hides = 0;
  const ChildPlacementResult r2 = PlaceChildRect(in);
  EXPECT_FALSE(r2.hidStatusBar);
  EXPECT_EQ(hides, 0);
  EXPECT_EQ(r2.outer, QRect(0, 0, 300, 720));
}

TEST(PlaceChildRect, ResizableWindowShrinksToItsMaximumButNotBelowItsMinimum) {
  ChildPlacementInput in = Window(QRect(0, 0, 600, 500));
  in.maxTrack = QSize(400, 300);
  EXPECT_EQ(PlaceChildRect(in).outer.size(), QSize(400, 300));

  in = Window(QRect(0, 0, 600, 800));
  in.maxTrack = QSize(600, 700);
  in.minTrack = QSize(100, 750);  // a minimum above the maximum wins
  EXPECT_EQ(PlaceChildRect(in).outer.height(), 750);
}

TEST(PlaceChildRect, FixedSizeWindowKeepsItsSize) {
  ChildPlacementInput in = Window(QRect(0, 0, 488, 386));
  in.minTrack = in.maxTrack = QSize(488, 386);
  in.remembered = QRect(200, 100, 20, 20);  // a different size remembered: only its place counts
  const QRect r = PlaceChildRect(in).outer;
  EXPECT_EQ(r.size(), QSize(488, 386));
  EXPECT_EQ(r.topLeft(), QPoint(196, 74));
}

TEST(PlaceChildRect, FixedSizeWindowLargerThanTheAreaSlidesItsBorderOff) {
  ChildPlacementInput in = Window(QRect(0, 0, 1010, 730));
  in.minTrack = in.maxTrack = QSize(1010, 730);
  in.border = QMargins(10, 30, 10, 10);
  // Excess 10 across (at most border 10 - 4 = 6) and 30 down (at most 30 - 8 = 22).
  EXPECT_EQ(PlaceChildRect(in).outer, QRect(-6, -22, 1010, 730));
  in.border = QMargins(2, 6, 2, 2);  // borders thinner than the allowance: no move
  EXPECT_EQ(PlaceChildRect(in).outer.topLeft(), QPoint(0, 0));
}

TEST(TearBarDefaultPositions, StepDownBy80AndStayOnScreen) {
  const QRect freeArea(10, 100, 1000, 600);
  const QRect screen(0, 0, 1280, 400);
  const auto p = TearBarDefaultPositions(freeArea, screen, QSize(200, 200), 4);
  ASSERT_EQ(p.size(), 4u);
  EXPECT_EQ(p[0], QPoint(10, 108));
  EXPECT_EQ(p[1], QPoint(10, 188));
  EXPECT_EQ(p[2], QPoint(10, 200));  // 268 + 200 would leave the screen
  EXPECT_EQ(p[3], QPoint(10, 200));
}

TEST(MoveOntoScreen, MovesTheLeastAmount) {
  const QRect screen(0, 0, 800, 600);
  EXPECT_EQ(MoveOntoScreen(QRect(700, 500, 200, 200), screen), QRect(600, 400, 200, 200));
  EXPECT_EQ(MoveOntoScreen(QRect(-20, 10, 200, 200), screen), QRect(0, 10, 200, 200));
  EXPECT_EQ(MoveOntoScreen(QRect(100, 100, 50, 50), screen), QRect(100, 100, 50, 50));
  EXPECT_EQ(MoveOntoScreen(QRect(100, 100, 900, 50), screen).left(), 0);  // wider: left edge wins
}

TEST(OutlineAnimationSteps, ThirteenOutlinesFromStartToEnd) {
  const QRect from(0, 0, 24, 60), to(240, 120, 200, 204);
  const auto steps = OutlineAnimationSteps(from, to);
  ASSERT_EQ(steps.size(), 13u);
  EXPECT_EQ(steps.front(), from);
  EXPECT_EQ(steps.back(), to);
  EXPECT_EQ(steps[6], QRect(120, 60, 112, 132));  // halfway: every edge halfway
  EXPECT_EQ(steps[1], QRect(20, 10, (11 * 24 + 440) / 12 - 20, (11 * 60 + 324) / 12 - 10));
}

}  // namespace
