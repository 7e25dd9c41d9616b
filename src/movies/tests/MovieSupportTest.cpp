// The movie service's start-up steps on this system, and the tick counter.
#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "movies/MovieSupport.h"

namespace {

TEST(MovieSupport, StartsOnThisSystemAndStops) {
  MovieSupport support;
  EXPECT_FALSE(support.Available());
  EXPECT_EQ(support.Version(), 0u);
  EXPECT_FALSE(support.StartToolbox());  // not before Initialise
  EXPECT_EQ(support.Start(), MovieSupport::Status::Ready);
  EXPECT_TRUE(support.Available());
  EXPECT_GE(support.Version(), support.MinimumVersion());
  EXPECT_EQ(support.VersionText().rfind("libavformat ", 0), 0u) << support.VersionText();
  support.StopToolbox();
  EXPECT_FALSE(support.Available());
  EXPECT_GT(support.Version(), 0u);
  support.Shutdown();
  EXPECT_EQ(support.Version(), 0u);
  EXPECT_TRUE(support.VersionText().empty());
}

TEST(MovieSupport, TickCounterCountsSixtieths) {
  const std::int64_t before = MovieSupport::TickCount();
  EXPECT_GE(before, 0);
  std::this_thread::sleep_for(std::chrono::milliseconds(60));
  // At least 3.6 ticks have passed; never fewer.
  EXPECT_GE(MovieSupport::TickCount() - before, 3);
}

}  // namespace
