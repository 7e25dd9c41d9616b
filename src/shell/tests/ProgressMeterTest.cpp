#include <gtest/gtest.h>

#include "shell/ProgressMeter.h"

namespace {

TEST(ProgressMeter, OneUnitStepsOverTenThousandRedrawEveryFiftyUnits) {
  ProgressMeter m;
  m.Start(10000, true, 0);
  std::vector<std::int64_t> drawnAt;
  for (int i = 0; i < 10000; ++i) {
    const auto r = m.Step(1, false, 0);  // the clock stands still
    if (r.update) {
      EXPECT_TRUE(r.setControl);
      drawnAt.push_back(m.position());
    }
  }
  ASSERT_EQ(drawnAt.size(), 200u);
  for (std::size_t k = 0; k < drawnAt.size(); ++k) EXPECT_EQ(drawnAt[k], 50 * static_cast<std::int64_t>(k + 1));
}

TEST(ProgressMeter, TwoHundredMillisecondsForceARedraw) {
  ProgressMeter m;
  m.Start(10000, false, 1000);
  EXPECT_FALSE(m.Step(1, false, 1199).update);
  const auto r = m.Step(1, false, 1200);
  EXPECT_TRUE(r.update);
  EXPECT_EQ(m.drawn(), 2);
  EXPECT_FALSE(m.Step(1, false, 1399).update);  // the time was noted at 1200
  // A zero step that comes due repaints without moving the control.
  const auto z = m.Step(0, false, 1400);
  EXPECT_TRUE(z.update);
  EXPECT_FALSE(z.setControl);
  EXPECT_EQ(m.drawn(), 2);
}

TEST(ProgressMeter, PositionStaysWithinZeroAndTheTotal) {
  struct Case {
    std::int64_t amount;
    bool absolute;
    std::int64_t expected;
  } cases[] = {
      {50, false, 150}, {5000, false, 1000}, {-500, false, 0},
      {700, true, 700}, {7000, true, 1000},  {-1, true, 0},
      {INT64_MAX, false, 1000}, {INT64_MIN, false, 0}, {INT64_MAX, true, 1000},
  };
  for (const Case& c : cases) {
    ProgressMeter m;
    m.Start(1000, true, 0);
    m.Step(100, true, 0);
    m.Step(c.amount, c.absolute, 0);
    EXPECT_EQ(m.position(), c.expected) << c.amount << " " << c.absolute;
  }
}

TEST(ProgressMeter, CancelCountsOnlyWhenOffered) {
  ProgressMeter m;
  m.Start(10, false, 0);
  m.Cancel();
  EXPECT_FALSE(m.cancelled());
  m.Start(10, true, 0);
  m.Cancel();
  EXPECT_TRUE(m.cancelled());
  m.Start(10, true, 0);  // a new run starts uncancelled
  EXPECT_FALSE(m.cancelled());
}

TEST(ProgressMeter, EmptyTotalNeverThrottles) {
  ProgressMeter m;
  m.Start(0, false, 0);
  EXPECT_TRUE(m.Step(1, false, 0).update);
  EXPECT_EQ(m.position(), 0);
}

}  // namespace
