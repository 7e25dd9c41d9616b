// A movie's sound through the wave output: the samples queued are the movie's from the
// picture's time on, more follow as buffers come back, and the sound goes where the
// picture goes.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

#include "MovieTestSupport.h"
#include "audio/AudioFormat.h"
#include "audio/tests/FakeWaveDevice.h"
#include "movies/MovieSound.h"
#include "movies/MovieSoundPlayer.h"

using kntest::FakeWaveDevice;

namespace {

struct SoundPlayerFixture : testing::Test {
  std::shared_ptr<FakeWaveDevice::Shared> shared = std::make_shared<FakeWaveDevice::Shared>();
  SoundOutput output{FakeWaveDevice::Factory(shared)};
  movietest::ManualClock clock;
  std::unique_ptr<CMovie> movie = movietest::OpenTestMovie("tone-ima.mov", clock);

  void Play(std::size_t count) {
    shared->live->advance(count);
    while (output.Pump()) {
    }
  }
  // The movie's own samples from sample position from on, read as the player's first
  // read is: by a fresh decoder going there.
  std::vector<std::int16_t> Expected(std::int64_t from, std::size_t count) {
    movietest::ManualClock otherClock;
    auto fresh = movietest::OpenTestMovie("tone-ima.mov", otherClock);
    std::vector<std::int16_t> out(count);
    out.resize(fresh->Sound()->Read(from, out));
    return out;
  }
};

}  // namespace

TEST_F(SoundPlayerFixture, QueuesTheMoviesSamplesFromThePicturesTimeAndRefills) {
  MovieSoundSource* source = movie->Sound();
  ASSERT_NE(source, nullptr);
  const std::int64_t length = source->Length();
  ASSERT_EQ(length, kNarrationRate);  // one second
  CMovieSoundPlayer player(&output, source);
  ASSERT_TRUE(player.PlayFrom(kMovieTimeScale / 4));
  ASSERT_FALSE(shared->written.empty());
  const std::int64_t start = MovieTimeToSamples(kMovieTimeScale / 4);
  EXPECT_EQ(shared->written[0], Expected(start, shared->written[0].size()));
  std::size_t total = 0;
  for (const auto& b : shared->written) total += b.size();
  EXPECT_EQ(static_cast<std::int64_t>(total), length - start);

  Play(static_cast<std::size_t>(length));
  EXPECT_FALSE(player.IsPlaying());
  EXPECT_EQ(player.Position(), SamplesToMovieTime(length));
}

TEST_F(SoundPlayerFixture, FollowsThePictureAcrossPausesAndJumps) {
  CMovieSoundPlayer player(&output, movie->Sound());
  player.Follow(true, 0);
  ASSERT_TRUE(player.IsPlaying());
  const std::size_t firstWrites = shared->written.size();
  Play(2205);  // 100 ms
  // Within the allowed drift nothing is queued anew.
  player.Follow(true, 150'000);
  EXPECT_EQ(shared->written.size(), firstWrites);
  // A jump: the sound starts again where the picture is.
  player.Follow(true, 700'000);
  ASSERT_GT(shared->written.size(), firstWrites);
  // After a seek the decoder's predictor settles within a few samples of the exact
  // value; a buffer from another place would differ by thousands (the tone moves by
  // about 700 a sample).
  const auto& jumped = shared->written[firstWrites];
  const auto expected = Expected(MovieTimeToSamples(700'000), jumped.size());
  ASSERT_EQ(jumped.size(), expected.size());
  int maxDiff = 0;
  for (std::size_t i = 0; i < jumped.size(); ++i) maxDiff = std::max(maxDiff, std::abs(jumped[i] - expected[i]));
  EXPECT_LT(maxDiff, 200);
  // A paused picture silences it.
  player.Follow(false, 700'000);
  EXPECT_FALSE(player.IsPlaying());
  // Played out: the picture's last moments do not start it again.
  player.Follow(true, 700'000);
  Play(static_cast<std::size_t>(kNarrationRate));
  const std::size_t endWrites = shared->written.size();
  player.Follow(true, 950'000);
  EXPECT_EQ(shared->written.size(), endWrites);
}
