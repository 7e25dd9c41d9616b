// Playback on SDL with its dummy driver (the test main sets SDL_AUDIODRIVER=dummy):
// no sound card, but a clock that runs in real time. Completions reach the clip through
// the Qt event loop, as in the program.
#include <gtest/gtest.h>

#include <QtCore/QCoreApplication>

#include <chrono>
#include <cstdlib>
#include <thread>

#include "AudioTestSupport.h"
#include "audio/AudioFormat.h"
#include "audio/SdlWaveDevice.h"
#include "audio/SoundClip.h"
#include "audio/SoundOutput.h"

using namespace audio;
using Clock = std::chrono::steady_clock;

namespace {
double Seconds(Clock::duration d) { return std::chrono::duration<double>(d).count(); }

// Runs the event loop for a while, as the program's main loop would.
void RunEvents(std::chrono::milliseconds d) {
  const auto until = Clock::now() + d;
  while (Clock::now() < until) {
    QCoreApplication::processEvents();
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
}
}  // namespace

TEST(DummyDevice, NarrationClockKeepsWallTimeFreezesInPauseAndReachesTheEnd) {
  SoundOutput output;
  CSoundClip clip(&output);
  ASSERT_TRUE(clip.Open(kntest::AudioFixture("narration5s.ogg")));
  ASSERT_EQ(clip.Length(), 5 * kClockRate);
  EXPECT_EQ(output.DriverName(), "dummy");

  constexpr double kTolerance = 0.15;  // seconds
  ASSERT_TRUE(clip.PlayFrom(0));
  auto base = Clock::now();
  std::int64_t basePosition = 0;
  double playedSeconds = 0;
  bool pausedOnce = false;
  double worst = 0;
  const auto giveUp = Clock::now() + std::chrono::seconds(12);
  while (clip.IsPlaying() && Clock::now() < giveUp) {
    RunEvents(std::chrono::milliseconds(20));
    const double wall = Seconds(Clock::now() - base);
    const double clock = double(clip.Position() - basePosition) / kClockRate;
    if (clip.IsPlaying()) worst = std::max(worst, std::abs(clock - wall));
    EXPECT_LE(output.QueuedBuffers(), kBufferCount);
    if (!pausedOnce && clip.Position() > 2 * kClockRate) {
      pausedOnce = true;
      playedSeconds += wall;
      clip.Pause();
      const std::int64_t kept = clip.Position();
      RunEvents(std::chrono::milliseconds(500));
      EXPECT_EQ(clip.Position(), kept);
      EXPECT_EQ(output.Position(), 0);
      ASSERT_TRUE(clip.Resume());
      base = Clock::now();
      basePosition = kept;
    }
  }
  playedSeconds += Seconds(Clock::now() - base);
  EXPECT_TRUE(pausedOnce);
  EXPECT_LE(worst, kTolerance);
  EXPECT_TRUE(clip.AtEnd());
  EXPECT_EQ(clip.Position(), clip.Length());
  EXPECT_NEAR(playedSeconds, 5.0, kTolerance + 0.05);  // plus one event-loop step
  EXPECT_LE(output.PeakQueuedBuffers(), kBufferCount);
  EXPECT_LE(output.BufferBytes(), kBufferCount * kBufferBytes);
  EXPECT_FALSE(output.IsPlaying());
}

TEST(DummyDevice, FallsBackToTheDummyDriverWhenNoRealDeviceOpens) {
  const std::string saved = std::getenv("SDL_AUDIODRIVER") ? std::getenv("SDL_AUDIODRIVER") : "";
  setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
  std::atomic<int> completions{0};
  auto opened = SdlWaveDevice::Open([&](int) { ++completions; });
  setenv("SDL_AUDIODRIVER", saved.c_str(), 1);
  ASSERT_TRUE(opened.device);
  EXPECT_EQ(opened.problem, DeviceProblem::NoDevice);
  EXPECT_EQ(opened.device->driverName(), "dummy");

  // It keeps time: a fifth of a second of sound comes back after about that long.
  std::vector<std::int16_t> sound(kClockRate / 5, 100);
  const auto start = Clock::now();
  opened.device->write(WaveHeader{sound.data(), sound.size(), 7});
  while (completions == 0 && Clock::now() - start < std::chrono::seconds(3))
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
  EXPECT_EQ(completions, 1);
  EXPECT_NEAR(Seconds(Clock::now() - start), 0.2, 0.1);
  EXPECT_EQ(opened.device->position(), sound.size());
}
