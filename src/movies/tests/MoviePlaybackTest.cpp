// The playing clock: rates, the end of play, loops, palindromes and play ranges, in
// microseconds on a clock the test moves.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "MovieTestSupport.h"
#include "movies/MoviePlayback.h"

namespace {

constexpr MovieTime kMs = 1000;

MoviePlayback Range(MovieTime start, MovieTime end, MovieLoop loop = MovieLoop::None) {
  MoviePlayback p;
  p.SetRange(start, end, 0);
  p.SetLoop(loop, 0);
  return p;
}

TEST(MoviePlayback, TimeFollowsTheRate) {
  const struct {
    double rate;
    MovieTime startAt;
    MovieTime after;
    MovieTime expected;
  } cases[] = {
      {1.0, 0, 500 * kMs, 500 * kMs},
      {0.0, 300 * kMs, 500 * kMs, 300 * kMs},   // paused
      {2.0, 100 * kMs, 200 * kMs, 500 * kMs},
      {0.5, 0, 1000 * kMs, 500 * kMs},
      {-1.0, 800 * kMs, 300 * kMs, 500 * kMs},  // backwards
      {1.0, 900 * kMs, 500 * kMs, 1000 * kMs},  // held at the end
      {-1.0, 100 * kMs, 500 * kMs, 0},          // held at the start
      {std::numeric_limits<double>::quiet_NaN(), 200 * kMs, 500 * kMs, 200 * kMs},
  };
  for (const auto& c : cases) {
    MoviePlayback p = Range(0, 1000 * kMs);
    p.GoTo(c.startAt, 0);
    p.SetRate(c.rate, 0);
    EXPECT_EQ(p.Time(c.after), c.expected) << "rate " << c.rate << " from " << c.startAt;
  }
}

TEST(MoviePlayback, PlayStopsOnceAtTheEnd) {
  MoviePlayback p = Range(0, 1000 * kMs);
  p.SetRate(1.0, 0);
  EXPECT_FALSE(p.Update(999 * kMs));
  EXPECT_TRUE(p.IsPlaying());
  EXPECT_TRUE(p.Update(1500 * kMs));
  EXPECT_FALSE(p.IsPlaying());
  EXPECT_EQ(p.Time(1500 * kMs), 1000 * kMs);
  EXPECT_FALSE(p.Update(2000 * kMs));
  // Backwards play stops at the start.
  p.SetRate(-2.0, 2000 * kMs);
  EXPECT_TRUE(p.Update(2600 * kMs));
  EXPECT_EQ(p.Time(3000 * kMs), 0);
}

TEST(MoviePlayback, LoopsAndPalindromesNeverStop) {
  const struct {
    MovieLoop loop;
    MovieTime after;
    MovieTime expected;
  } cases[] = {
      {MovieLoop::Loop, 2500 * kMs, 500 * kMs},
      {MovieLoop::Loop, 1000 * kMs, 0},
      {MovieLoop::Palindrome, 1500 * kMs, 500 * kMs},  // on the way back
      {MovieLoop::Palindrome, 2000 * kMs, 0},
      {MovieLoop::Palindrome, 2250 * kMs, 250 * kMs},  // forward again
  };
  for (const auto& c : cases) {
    MoviePlayback p = Range(0, 1000 * kMs, c.loop);
    p.SetRate(1.0, 0);
    EXPECT_FALSE(p.Update(c.after));
    EXPECT_TRUE(p.IsPlaying());
    EXPECT_EQ(p.Time(c.after), c.expected) << static_cast<int>(c.loop) << " after " << c.after;
  }
}

TEST(MoviePlayback, PalindromeKeepsItsDirectionThroughChanges) {
  MoviePlayback p = Range(0, 1000 * kMs, MovieLoop::Palindrome);
  p.SetRate(1.0, 0);
  // On the way back at 1.2 s (time 800 ms): going to 600 ms keeps going back.
  p.GoTo(600 * kMs, 1200 * kMs);
  EXPECT_EQ(p.Time(1300 * kMs), 500 * kMs);
  // Pausing and resuming keeps the direction too.
  p.SetRate(0, 1300 * kMs);
  p.SetRate(1.0, 5000 * kMs);
  EXPECT_EQ(p.Time(5100 * kMs), 400 * kMs);
  // Ending the palindrome keeps the time on screen and plays forwards from it.
  p.SetLoop(MovieLoop::None, 5100 * kMs);
  EXPECT_EQ(p.Time(5100 * kMs), 400 * kMs);
  EXPECT_EQ(p.Time(5200 * kMs), 500 * kMs);
}

TEST(MoviePlayback, RangeLimitsPlayAndKeepsTheTime) {
  MoviePlayback p = Range(0, 3000 * kMs);
  p.GoTo(2500 * kMs, 0);
  p.SetRange(1000 * kMs, 2000 * kMs, 0);  // a preview segment
  EXPECT_EQ(p.Time(0), 2000 * kMs);
  p.GoTo(0, 0);
  EXPECT_EQ(p.Time(0), 1000 * kMs);
  p.SetRate(1.0, 0);
  EXPECT_TRUE(p.Update(1500 * kMs));
  EXPECT_EQ(p.Time(1500 * kMs), 2000 * kMs);
  p.SetRange(0, 3000 * kMs, 1500 * kMs);
  EXPECT_EQ(p.Time(1500 * kMs), 2000 * kMs);
}

TEST(MoviePlayback, EmptyRangeStaysAtItsStart) {
  for (MovieLoop loop : {MovieLoop::None, MovieLoop::Loop, MovieLoop::Palindrome}) {
    MoviePlayback p = Range(700 * kMs, 700 * kMs, loop);
    p.SetRate(1.0, 0);
    EXPECT_EQ(p.Time(5000 * kMs), 700 * kMs);
    EXPECT_TRUE(p.Update(5000 * kMs));  // nothing to play or loop over
  }
  MoviePlayback reversed = Range(900 * kMs, 100 * kMs);
  EXPECT_EQ(reversed.rangeEnd(), 900 * kMs);
}

TEST(MoviePlayback, MovieStopsAtItsEndAndLoopsWhenAsked) {
  movietest::ManualClock clock;
  auto movie = movietest::OpenTestMovie("pattern-rle.mov", clock);
  movie->Start();
  clock.Advance(1'000'000);
  EXPECT_TRUE(movie->Task());
  EXPECT_FALSE(movie->Task());  // the clock has not moved
  EXPECT_EQ(movie->CurrentTime(), 1'000'000);
  clock.Advance(5'000'000);
  movie->Task();
  EXPECT_FALSE(movie->IsPlaying());
  EXPECT_TRUE(movie->IsDone());
  EXPECT_EQ(movie->CurrentTime(), movie->Duration());

  movie->SetLoop(MovieLoop::Loop);
  movie->GoToBeginning();
  movie->Start();
  clock.Advance(7'500'000);
  movie->Task();
  EXPECT_TRUE(movie->IsPlaying());
  EXPECT_FALSE(movie->IsDone());
  EXPECT_EQ(movie->CurrentTime(), 1'500'000);
}

TEST(MoviePlayback, PreviewModePlaysOnlyTheSegment) {
  movietest::ManualClock clock;
  auto movie = movietest::OpenTestMovie("pattern-rle.mov", clock);
  movie->SetPreview(1'000'000, 500'000);
  movie->SetPreviewMode(true);
  EXPECT_EQ(movie->CurrentTime(), 1'000'000);
  movie->Start();
  clock.Advance(2'000'000);
  movie->Task();
  EXPECT_TRUE(movie->IsDone());
  EXPECT_EQ(movie->CurrentTime(), 1'500'000);
  EXPECT_EQ(movie->CurrentFrame(), movie->FrameAt(1'500'000));
  movie->SetPreviewMode(false);
  movie->Start();
  clock.Advance(500'000);
  movie->Task();
  EXPECT_EQ(movie->CurrentTime(), 2'000'000);
  // A segment past the end is cut to the movie.
  movie->SetPreview(2'500'000, 9'000'000);
  EXPECT_EQ(movie->PreviewDuration(), 500'000);
}

TEST(MoviePlayback, NarrationSampleConversionsRound) {
  EXPECT_EQ(MovieTimeToSamples(1'000'000), 22050);
  EXPECT_EQ(MovieTimeToSamples(22), 0);
  EXPECT_EQ(MovieTimeToSamples(23), 1);  // 22.68 µs is one sample
  EXPECT_EQ(SamplesToMovieTime(22050), 1'000'000);
  EXPECT_EQ(SamplesToMovieTime(1), 45);
  EXPECT_EQ(SecondsToMovieTime(1.4), 1'400'000);
  EXPECT_EQ(SecondsToMovieTime(-3), 0);
  EXPECT_EQ(SecondsToMovieTime(std::nan("")), 0);
  EXPECT_EQ(SecondsToMovieTime(1e30), kMaxMovieTime);
}

}  // namespace
