#include <gtest/gtest.h>

#include <SDL.h>

#include "setup/WelcomeSound.h"

namespace {

TEST(WelcomeSound, TheResourceIsA16BitPcmWave) {
  const auto wav = WelcomeSoundResource();
  ASSERT_TRUE(wav);
  SDL_AudioSpec audioFormat{};
  Uint8* samples = nullptr;
  Uint32 length = 0;
  ASSERT_TRUE(SDL_LoadWAV_RW(SDL_RWFromConstMem(wav->data(), static_cast<int>(wav->size())), 1, &audioFormat, &samples, &length))
      << SDL_GetError();
  EXPECT_EQ(audioFormat.format, AUDIO_S16LSB);
  EXPECT_EQ(audioFormat.freq, 22050);
  // Between half a second and four seconds of sound.
  const double seconds = double(length) / (audioFormat.channels * 2 * audioFormat.freq);
  EXPECT_GT(seconds, 0.5);
  EXPECT_LT(seconds, 4.0);
  SDL_FreeWAV(samples);
}

// The tests run with SDL's dummy driver, which plays into nothing in real time.
TEST(WelcomeSound, PlaysOnTheDummyDeviceAndStops) {
  const auto wav = WelcomeSoundResource();
  ASSERT_TRUE(wav);
  CWelcomeSound sound;
  ASSERT_TRUE(sound.Play(*wav)) << SDL_GetError();
  EXPECT_TRUE(sound.isOpen());
  EXPECT_GT(sound.queuedBytes(), 0u);
  sound.Stop();
  EXPECT_FALSE(sound.isOpen());
  EXPECT_EQ(sound.queuedBytes(), 0u);
  sound.Stop();  // twice is harmless
  // Playing again after a stop works: the audio subsystem was released cleanly.
  EXPECT_TRUE(sound.Play(*wav));
}

TEST(WelcomeSound, BytesThatAreNotAWaveFilePlayNothing) {
  CWelcomeSound sound;
  const std::vector<std::uint8_t> junk = {'R', 'I', 'F', 'F', 4, 0, 0, 0, 'W', 'A', 'V', 'E'};
  EXPECT_FALSE(sound.Play(junk));
  EXPECT_FALSE(sound.isOpen());
  EXPECT_FALSE(sound.Play({}));
  auto wav = *WelcomeSoundResource();
  wav.resize(30);  // cut inside the format chunk
  EXPECT_FALSE(sound.Play(wav));
  EXPECT_FALSE(sound.isOpen());
}

}  // namespace
