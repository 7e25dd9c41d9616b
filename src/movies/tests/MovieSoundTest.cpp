// The sound of a movie as the wave output gets it: 22 050 Hz mono, the movie's length,
// the tone that was recorded, and the same samples whether read on or after a seek.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "MovieTestSupport.h"
#include "movies/MovieSound.h"

namespace {

using movietest::DataFile;

std::vector<std::int16_t> ReadAll(MovieSoundSource& sound) {
  std::vector<std::int16_t> all(static_cast<std::size_t>(sound.Length()));
  std::size_t done = 0;
  while (done < all.size()) {
    // Odd-sized reads, as the output's buffers never line up with the decoder's frames.
    const std::size_t n = sound.Read(static_cast<std::int64_t>(done),
                                     std::span(all).subspan(done, std::min<std::size_t>(1237, all.size() - done)));
    if (n == 0) break;
    done += n;
  }
  all.resize(done);
  return all;
}

// Frequency from the rising zero crossings between from and to.
double Frequency(const std::vector<std::int16_t>& s, std::size_t from, std::size_t to) {
  int rising = 0;
  std::size_t first = 0, last = 0;
  for (std::size_t i = from + 1; i < to; ++i)
    if (s[i - 1] < 0 && s[i] >= 0) {
      if (rising == 0) first = i;
      last = i;
      ++rising;
    }
  return rising < 2 ? 0 : (rising - 1) * static_cast<double>(MovieSoundSource::kRate) / static_cast<double>(last - first);
}

double Rms(const std::vector<std::int16_t>& s, std::size_t from, std::size_t to) {
  double sum = 0;
  for (std::size_t i = from; i < to; ++i) sum += static_cast<double>(s[i]) * s[i];
  return std::sqrt(sum / static_cast<double>(to - from));
}

struct ToneMovie {
  const char* file;
  MovieTime duration;
  double hertz;
  double rms;  // ffmpeg's sine source: amplitude 1/8 of full scale
};

const ToneMovie kTones[] = {
    {"pattern-h264.mov", 2'000'000, 440, 4096 / std::sqrt(2.0)},   // AAC, 44.1 kHz
    {"pattern-mjpeg.mov", 2'500'000, 660, 4096 / std::sqrt(2.0)},  // 16-bit PCM, 22.05 kHz
    // IMA ADPCM, 32 kHz, made stereo from mono at -3 dB: mixing back keeps that level.
    {"tone-ima.mov", 1'000'000, 1000, 4096 / std::sqrt(2.0) / std::sqrt(2.0)},
};

TEST(MovieSound, ToneComesOutAtTheNarrationRate) {
  for (const auto& t : kTones) {
    auto movie = CMovie::Open(DataFile(t.file));
    MovieSoundSource* sound = movie->Sound();
    ASSERT_NE(sound, nullptr) << t.file;
    EXPECT_EQ(sound->Length(), MovieTimeToSamples(t.duration)) << t.file;
    const auto samples = ReadAll(*sound);
    ASSERT_EQ(static_cast<std::int64_t>(samples.size()), sound->Length()) << t.file;
    // Away from the ends, where encoders fade in and out.
    const std::size_t from = samples.size() / 10, to = samples.size() * 9 / 10;
    EXPECT_NEAR(Frequency(samples, from, to), t.hertz, 2) << t.file;
    EXPECT_NEAR(Rms(samples, from, to), t.rms, t.rms * 0.1) << t.file;
  }
}

TEST(MovieSound, ReadsAfterSeeksMatchReadingStraightThrough) {
  // The resampler of these two keeps whole samples in step (44.1 -> 22.05 kHz, and none).
  // A sample out of step would differ by thousands; the AAC decoder, restarted, settles
  // within a few units.
  for (const char* file : {"pattern-h264.mov", "pattern-mjpeg.mov"}) {
    auto straight = CMovie::Open(DataFile(file));
    const auto all = ReadAll(*straight->Sound());
    auto movie = CMovie::Open(DataFile(file));
    auto* sound = static_cast<movies::CMovieSound*>(movie->Sound());
    for (std::int64_t from : {30000, 4000, 0, 22049, 40000, 11111}) {
      std::vector<std::int16_t> part(700);
      ASSERT_EQ(sound->Read(from, part), part.size()) << file << " at " << from;
      int worst = 0;
      for (std::size_t i = 0; i < part.size(); ++i) worst = std::max(worst, std::abs(part[i] - all[from + i]));
      EXPECT_LE(worst, 16) << file << " at " << from;
    }
    EXPECT_GE(sound->seeks(), 4) << file;
  }
}

TEST(MovieSound, ReadsStopAtTheEnd) {
  auto movie = CMovie::Open(DataFile("pattern-mjpeg.mov"));
  MovieSoundSource* sound = movie->Sound();
  std::vector<std::int16_t> buffer(1000, 7);
  const std::int64_t length = sound->Length();
  EXPECT_EQ(sound->Read(length - 300, buffer), 300u);
  EXPECT_EQ(sound->Read(length, buffer), 0u);
  EXPECT_EQ(sound->Read(-5, buffer), 0u);
  EXPECT_EQ(sound->Read(length + 1000, buffer), 0u);
}

TEST(MovieSound, SoundOnlyMovieHasNoPictures) {
  auto movie = CMovie::Open(DataFile("tone-ima.mov"));
  EXPECT_FALSE(movie->HasPictures());
  EXPECT_TRUE(movie->HasSound());
  EXPECT_TRUE(movie->NaturalSize().isEmpty());
  EXPECT_TRUE(movie->FrameAt(500'000).isNull());
  EXPECT_EQ(movie->Duration(), 1'000'000);
}

TEST(MovieSound, MovieWithoutSoundHasNoSource) {
  auto movie = CMovie::Open(DataFile("pattern-rle.mov"));
  EXPECT_FALSE(movie->HasSound());
  EXPECT_EQ(movie->Sound(), nullptr);
}

}  // namespace
