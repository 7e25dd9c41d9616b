#include <gtest/gtest.h>

#include <climits>

#include "exposition/ExpoTransition.h"
#include "exposition/Keywords.h"
#include "stats/Random.h"
#include "ExpoTestSupport.h"

using namespace expotest;

TEST(ExpoTransition, BandMasksSpreadTheShownColumnsAndClampTheIndex) {
  EXPECT_EQ(BandMask(0), 0x0000u);
  EXPECT_EQ(BandMask(4), 0x1111u);
  EXPECT_EQ(BandMask(8), 0x5555u);
  EXPECT_EQ(BandMask(13), 0x777Fu);
  EXPECT_EQ(BandMask(16), 0xFFFFu);
  EXPECT_EQ(BandMask(-3), 0x0000u);
  EXPECT_EQ(BandMask(17), 0xFFFFu);
  EXPECT_EQ(BandMask(INT_MAX), 0xFFFFu);
  for (int k = 0; k <= 16; ++k) EXPECT_EQ(__builtin_popcount(BandMask(k)), k) << k;
}

TEST(ExpoTransition, AnExitTakesTheOppositeDirection) {
  const int pairs[][2] = {{kw::left, kw::right},         {kw::up, kw::down},
                          {kw::bands, kw::bands_backwards}, {kw::in_out, kw::out_in},
                          {kw::telescope, kw::telescope_backwards}, {kw::diagonal, kw::diagonal_backwards}};
  for (const auto& p : pairs) {
    EXPECT_EQ(ExitDirection(p[0]), p[1]);
    EXPECT_EQ(ExitDirection(p[1]), p[0]);
  }
  for (int same : {int(kw::noise), int(kw::shimmer), int(kw::corner), int(kw::corner_backwards), 0, 999}) EXPECT_EQ(ExitDirection(same), same);
  EXPECT_TRUE(IsReversedDirection(kw::right));
  EXPECT_FALSE(IsReversedDirection(kw::left));
  EXPECT_TRUE(IsReversedDirection(kw::out_in));
}

TEST(ExpoTransition, HiddenFractionFollowsThePosition) {
  struct Row {
    bool entrance;
    double at;
    double hidden;
    bool inWindow, remove, pending;
  };
  // A two-second transition starting at 10 s.
  const Row rows[] = {
      {true, 10.0, 1.0, true, false, false},  {true, 11.0, 0.5, true, false, false},
      {true, 11.5, 0.25, true, false, false}, {true, 12.0, 0.0, false, false, false},
      {true, 30.0, 0.0, false, false, false}, {false, 10.0, 0.0, true, false, false},
      {false, 11.0, 0.5, true, false, false}, {false, 12.0, 0.0, false, true, false},
      // Before the start (a seek back): nothing begins and nothing is forgotten.
      {true, 9.0, 1.0, false, false, true},   {false, 9.0, 0.0, false, false, true},
  };
  for (const Row& r : rows) {
    const HiddenFraction f = ComputeHiddenFraction(r.entrance, Seconds(10), Seconds(2), Seconds(r.at));
    EXPECT_NEAR(f.hidden, r.hidden, 1e-9) << r.entrance << " at " << r.at;
    EXPECT_EQ(f.inWindow, r.inWindow) << r.at;
    EXPECT_EQ(f.remove, r.remove) << r.at;
    EXPECT_EQ(f.pending, r.pending) << r.at;
  }
  EXPECT_FALSE(ComputeHiddenFraction(false, 0, 0, 100).remove);  // no duration: nothing to end
}

TEST(ExpoTransition, WipeShowsTheRectangleOfItsDirection) {
  struct Row {
    int direction;
    double h;
    QRect visible;  // of a 100 x 50 object
  };
  const Row rows[] = {
      {kw::left, 0.25, QRect(QPoint(25, 0), QPoint(99, 49))},
      {kw::right, 0.25, QRect(QPoint(0, 0), QPoint(74, 49))},
      {kw::up, 0.5, QRect(QPoint(0, 25), QPoint(99, 49))},
      {kw::down, 0.5, QRect(QPoint(0, 0), QPoint(99, 24))},
      {kw::corner, 0.5, QRect(QPoint(0, 0), QPoint(49, 24))},
      {kw::corner_backwards, 0.5, QRect(QPoint(50, 25), QPoint(99, 49))},
      {kw::in_out, 0.5, QRect(QPoint(25, 12), QPoint(74, 37))},
      {kw::out_in, 0.5, QRect(QPoint(25, 12), QPoint(74, 37))},
      {kw::diamond, 0.75, QRect(QPoint(25, 12), QPoint(74, 37))},
      {kw::right, 0.0, QRect(0, 0, 100, 50)},
  };
  for (const Row& r : rows) EXPECT_EQ(ComputeWipe(r.direction, r.h, 100, 50).visible, r.visible) << r.direction;
  EXPECT_TRUE(ComputeWipe(kw::cross, 1.0, 100, 50).visible.isEmpty());
  EXPECT_EQ(ComputeWipe(kw::diagonal, 0.5, 100, 50).diagonal, 75);
  EXPECT_EQ(ComputeWipe(kw::bands, 0.5, 100, 50).bandMask, 0x5555u);
  EXPECT_EQ(ComputeWipe(kw::blinds, 0.0, 100, 50).bandMask, 0xFFFFu);
  EXPECT_EQ(ComputeWipe(kw::bands_backwards, 0.5, 100, 50).bandMask, 0xAAAAu);
  EXPECT_EQ(ComputeWipe(kw::bands_backwards, 1.0, 100, 50).bandMask, 0x0000u);
  // Fractions outside 0..1 (a caller's rounding) stay within the mask table.
  EXPECT_EQ(ComputeWipe(kw::bands, -0.5, 100, 50).bandMask, 0xFFFFu);
  EXPECT_EQ(ComputeWipe(kw::bands, 7.0, 100, 50).bandMask, 0x0000u);
}

TEST(ExpoTransition, BandClipTakesEveryOtherColumnHalfWay) {
  const QRect object(10, 5, 40, 4);
  const WipeState st = ComputeWipe(kw::bands, 0.5, object.width(), object.height());
  const ExpoClip clip = WipeClip(kw::bands, object, st, QRect(0, 0, 200, 200));
  ASSERT_FALSE(clip.all);
  for (int i = 0; i < 40; ++i) EXPECT_EQ(clip.region.contains(QPoint(10 + i, 6)), i % 2 == 0) << i;
  EXPECT_FALSE(clip.region.contains(QPoint(10, 4)));
  const ExpoClip blinds = WipeClip(kw::blinds, object, st, QRect(0, 0, 200, 200));
  EXPECT_TRUE(blinds.region.contains(QPoint(30, 5)));
  EXPECT_FALSE(blinds.region.contains(QPoint(30, 6)));
  const ExpoClip outside = WipeClip(kw::out_in, object, ComputeWipe(kw::out_in, 0.5, 40, 4), QRect(0, 0, 200, 200));
  EXPECT_TRUE(outside.region.contains(QPoint(10, 5)));
  EXPECT_FALSE(outside.region.contains(QPoint(30, 7)));
}

TEST(ExpoTransition, ShapedClipsFollowTheVisibleRectangle) {
  const QRect object(0, 0, 100, 50);
  const QRect view(0, 0, 600, 440);
  auto clip = [&](int direction, double h) { return WipeClip(direction, object, ComputeWipe(direction, h, 100, 50), view).region; };
  const QRegion diagonal = clip(kw::diagonal, 0.5);  // length 75 from the top-left
  EXPECT_TRUE(diagonal.contains(QPoint(10, 10)));
  EXPECT_FALSE(diagonal.contains(QPoint(70, 10)));
  const QRegion back = clip(kw::diagonal_backwards, 0.5);
  EXPECT_TRUE(back.contains(QPoint(90, 40)));
  EXPECT_FALSE(back.contains(QPoint(20, 40)));
  const QRegion diamond = clip(kw::diamond, 0.75);  // corners at the midpoints of (25, 12)-(74, 37)
  EXPECT_TRUE(diamond.contains(QPoint(50, 25)));
  EXPECT_FALSE(diamond.contains(QPoint(27, 14)));
  EXPECT_TRUE(clip(kw::diamond_backwards, 0.25).contains(QPoint(27, 14)));
  const QRegion cross = clip(kw::cross, 0.5);
  EXPECT_TRUE(cross.contains(QPoint(2, 25)));
  EXPECT_FALSE(cross.contains(QPoint(2, 2)));
  EXPECT_TRUE(clip(kw::cross_backwards, 0.5).contains(QPoint(2, 2)));
  EXPECT_TRUE(clip(kw::telescope, 0.0).contains(QPoint(1, 1)));  // the ellipse reaches past the corners
  // A huge object costs the painted area only.
  const QRect huge(-1000000, -1000000, 2000000, 2000000);
  const QRegion e = WipeClip(kw::telescope, huge, ComputeWipe(kw::telescope, 0.5, 2000000, 2000000), view).region;
  EXPECT_LE(e.rectCount(), 440);
  EXPECT_TRUE(e.contains(QPoint(300, 200)));
}

TEST(ExpoTransition, DancePhaseNeverOverflows) {
  // (2147483647 x 16777215 / 1000) mod 8 = 7; 8 - 7 = 1 for a forward direction.
  EXPECT_EQ(DancePhase(kw::bands_backwards, INT_MAX, 0xFFFFFFFFu), 7);
  EXPECT_EQ(DancePhase(kw::bands, INT_MAX, 0xFFFFFFFFu), 1);
  EXPECT_EQ(DancePhase(kw::bands, 20, 1500), 2);  // 30 mod 8 = 6
  EXPECT_EQ(DancePhase(kw::bands, 20, 0), 0);
  const int phase = DancePhase(kw::bands, INT_MIN, 123456);
  EXPECT_GE(phase, 0);
  EXPECT_LT(phase, 8);
}

TEST(ExpoTransition, NoiseDrawsFromItsOwnGenerator) {
  SeedRandom(1234);
  const std::uint32_t before = ProgramRandomGenerator().state;
  std::minstd_rand own(7);
  const ExpoClip clip = DanceClip(kw::noise, 20, 1000, QRect(0, 0, 64, 64), QRect(0, 0, 640, 480), own);
  EXPECT_EQ(ProgramRandomGenerator().state, before);
  ASSERT_FALSE(clip.all);
  const int pixels = clip.region.rectCount();
  EXPECT_GT(pixels, 200);  // 256 draws, a few repeated
  EXPECT_LE(pixels, 256);
  EXPECT_TRUE(QRect(0, 0, 64, 64).contains(clip.region.boundingRect()));
  // Clipped to what is painted, so a huge object costs no more than the view.
  const ExpoClip big = DanceClip(kw::shimmer, 20, 0, QRect(-100000, -100000, 200000, 200000), QRect(0, 0, 64, 64), own);
  EXPECT_LE(big.region.rectCount(), 16);
}
