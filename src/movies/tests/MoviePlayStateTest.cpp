// The movie window's play sequence on a real movie and a clock the test moves: the
// first and second ticks, the end noticed once per play, replays, pausing while
// inactive, and the resting pointer.
#include <gtest/gtest.h>

#include "MovieTestSupport.h"
#include "movies/MovieController.h"
#include "movies/MoviePlayState.h"

namespace {

struct Window {
  movietest::ManualClock clock;
  std::unique_ptr<CMovie> movie;
  CMovieController controller;
  CMoviePlayState state{controller};
  std::int64_t ms = 0;

  explicit Window(const char* name = "pattern-h264.mov")  // 2 s
      : movie(movietest::OpenTestMovie(name, clock)), controller(*movie) {}

  CMoviePlayState::Tick Tick(bool preference = false) {
    clock.Advance(30'000);
    ms += 30;
    return state.OnTick(ms, preference);
  }
};

TEST(MoviePlayState, FirstTickOffersTheTextSecondStartsPlay) {
  for (bool preference : {true, false}) {
    Window w;
    auto t = w.Tick(preference);
    EXPECT_EQ(t.openTranscript, preference);
    EXPECT_TRUE(w.state.started());
    EXPECT_FALSE(w.movie->IsPlaying());
    t = w.Tick(preference);
    EXPECT_FALSE(t.openTranscript);
    EXPECT_TRUE(w.movie->IsPlaying());
    EXPECT_EQ(w.movie->Rate(), 1.0);
    t = w.Tick(preference);
    EXPECT_TRUE(t.playingChanged);  // the pointer is nudged once the controller reports play
    EXPECT_EQ(w.movie->CurrentTime(), 30'000);
  }
}

TEST(MoviePlayState, EndIsReportedOncePerPlayThrough) {
  Window w;
  int ended = 0;
  for (int i = 0; i < 100; ++i) ended += w.Tick().ended;  // 3 s of ticks
  EXPECT_EQ(ended, 1);
  EXPECT_TRUE(w.state.ended());
  EXPECT_EQ(w.movie->CurrentTime(), w.movie->Duration());

  // The learner plays it again from the controller: the Close button goes, and the end
  // comes once more.
  EXPECT_TRUE(w.controller.MousePress(w.controller.ButtonRect().center()));
  auto t = w.Tick();
  EXPECT_TRUE(t.replayed);
  EXPECT_FALSE(w.state.ended());
  ended = 0;
  int replayed = 0;
  for (int i = 0; i < 100; ++i) {
    t = w.Tick();
    ended += t.ended;
    replayed += t.replayed;
  }
  EXPECT_EQ(ended, 1);
  EXPECT_EQ(replayed, 0);
}

TEST(MoviePlayState, PausingByTheLearnerIsNotTheEnd) {
  Window w;
  w.Tick();
  w.Tick();
  w.Tick();
  w.controller.Play(0);
  for (int i = 0; i < 50; ++i) EXPECT_FALSE(w.Tick().ended);
}

TEST(MoviePlayState, InactiveWindowPausesAndResumes) {
  Window w;
  w.Tick();
  w.Tick();
  w.clock.Advance(500'000);
  w.state.Deactivate();
  EXPECT_FALSE(w.movie->IsPlaying());
  EXPECT_FALSE(w.controller.IsActive());
  EXPECT_TRUE(w.state.pausedByDeactivation());
  const MovieTime paused = w.movie->CurrentTime();
  w.clock.Advance(5'000'000);  // no ticks while inactive
  w.state.Activate();
  EXPECT_TRUE(w.movie->IsPlaying());
  EXPECT_TRUE(w.controller.IsActive());
  EXPECT_EQ(w.movie->CurrentTime(), paused);

  // A movie the learner paused stays paused.
  w.controller.Play(0);
  w.state.Deactivate();
  w.state.Activate();
  EXPECT_FALSE(w.movie->IsPlaying());
}

TEST(MoviePlayState, PointerHidesAfterRestingWhilePlaying) {
  Window w("pattern-rle.mov");  // 3 s: still playing when the pointer has rested
  w.Tick();
  w.Tick();
  w.state.PointerMoved(w.ms, true);
  const std::int64_t moved = w.ms;
  while (w.ms + 30 - moved <= CMoviePlayState::kPointerRestMs) EXPECT_FALSE(w.Tick().hidePointer) << w.ms - moved;
  EXPECT_TRUE(w.Tick().hidePointer);
  w.state.PointerMoved(w.ms, true);
  EXPECT_FALSE(w.Tick().hidePointer);
  w.state.PointerLeft();
  w.ms += 5000;
  EXPECT_FALSE(w.Tick().hidePointer);
  w.state.PointerMoved(w.ms - 5000, true);  // resting inside, but paused
  w.controller.Play(0);
  EXPECT_FALSE(w.Tick().hidePointer);
}

}  // namespace
