// The wave output's bookkeeping on a device the test drives by hand.
#include <gtest/gtest.h>

#include <chrono>

#include "FakeWaveDevice.h"
#include "audio/AudioFormat.h"
#include "audio/SoundOutput.h"
#include "audio/SoundService.h"
#include "course/Preferences.h"
#include "course/ResourceIds.h"
#include "course/Services.h"
#include "course/Notice.h"
#include "course/StringIds.h"

using namespace audio;
using kntest::FakeWaveDevice;

namespace {

struct Recorder final : WaveClient {
  std::vector<std::int64_t> done;
  int interrupted = 0;
  int over = 0;
  void BufferDone(std::int64_t block) override { done.push_back(block); }
  void StreamInterrupted() override { ++interrupted; }
  void InterruptionOver() override { ++over; }
};

struct OutputFixture : testing::Test {
  std::shared_ptr<FakeWaveDevice::Shared> shared = std::make_shared<FakeWaveDevice::Shared>();
  SoundOutput output{FakeWaveDevice::Factory(shared)};
  FakeWaveDevice& device() {
    output.EnsureOpen();
    return *shared->live;
  }
  void PumpAll() {
    while (output.Pump()) {
    }
  }
};

}  // namespace

TEST_F(OutputFixture, HandsOutAtMost32BuffersLastSlotFirstAndReusesReturnedOnes) {
  Recorder clip;
  std::vector<WaveBuffer*> taken;
  while (WaveBuffer* b = output.GetFreeBuffer(&clip, static_cast<std::int64_t>(taken.size()))) {
    b->count = 100;
    output.Write(b);
    taken.push_back(b);
  }
  ASSERT_EQ(taken.size(), 32u);
  EXPECT_GT(taken.front(), taken.back());  // searched from the last slot down
  EXPECT_EQ(output.QueuedBuffers(), 32);
  EXPECT_EQ(output.BufferBytes(), 32 * kBufferBytes);

  device().advance(250);  // finishes blocks 0 and 1, half of block 2
  EXPECT_TRUE(clip.done.empty());  // nothing reaches the client before the UI thread pumps
  PumpAll();
  EXPECT_EQ(clip.done, (std::vector<std::int64_t>{0, 1}));
  WaveBuffer* again = output.GetFreeBuffer(&clip, 32);
  EXPECT_TRUE(again == taken[0] || again == taken[1]);
  EXPECT_EQ(again->block, 32);
  EXPECT_EQ(output.PeakQueuedBuffers(), 32);
  EXPECT_EQ(output.BufferBytes(), 32 * kBufferBytes);  // allocated once, kept
}

TEST_F(OutputFixture, ResetReturnsEverythingUntaggedAndZeroesThePosition) {
  Recorder clip;
  for (int i = 0; i < 3; ++i) {
    WaveBuffer* b = output.GetFreeBuffer(&clip, i);
    b->count = 1000;
    output.Write(b);
  }
  device().advance(1500);
  EXPECT_EQ(output.Position(), 1500);
  EXPECT_TRUE(output.IsPlaying());
  output.Reset();
  EXPECT_EQ(output.Position(), 0);
  EXPECT_FALSE(output.IsPlaying());
  EXPECT_EQ(output.QueuedBuffers(), 0);
  EXPECT_TRUE(clip.done.empty());  // the finished block 0 was pending: its tag was cleared first
}

TEST_F(OutputFixture, VolumeScaleAndUserLevels) {
  shared->volume = 0x80808080u;
  EXPECT_EQ(output.Volume(-1), 128);
  EXPECT_EQ(output.CurrentLevel(), 128);  // read when the device first opened
  EXPECT_EQ(output.UserLevel(), 4);
  EXPECT_EQ(output.Volume(DeviceLevelFromUser(8)), 255);
  EXPECT_EQ(shared->volume, 0xFFFFFFFFu);  // 255 × 257 on both channels
  output.Volume(300);
  EXPECT_EQ(output.CurrentLevel(), 255);
  output.Volume(DeviceLevelFromUser(3));
  EXPECT_EQ(shared->volume, 0x60606060u);
  EXPECT_EQ(output.UserLevel(), 3);
  // The device as a whole: set, but not the program's level.
  output.Volume(64, true);
  EXPECT_EQ(output.Volume(-1), 64);
  EXPECT_EQ(output.CurrentLevel(), 96);

  struct Case {
    int user;
    int device;
  };
  for (const Case c : {Case{0, 0}, Case{1, 32}, Case{4, 128}, Case{7, 224}, Case{8, 255}}) {
    EXPECT_EQ(DeviceLevelFromUser(c.user), c.device);
    EXPECT_EQ(UserLevelFromDevice(c.device), c.user);
  }
  EXPECT_EQ(VolumeLevelCaption(0), "Volume level 0 - silent");
  EXPECT_EQ(VolumeLevelCaption(5), "Volume level 5");
  EXPECT_EQ(VolumeLevelCaption(8), "Volume level 8 - highest possible");
}

TEST(SoundOutputVolume, UnreadableDeviceStartsAtFullAndLevelSurvivesReopening) {
  auto shared = std::make_shared<FakeWaveDevice::Shared>();
  shared->readableVolume = false;
  SoundOutput output{FakeWaveDevice::Factory(shared)};
  ASSERT_TRUE(output.EnsureOpen());
  EXPECT_EQ(output.CurrentLevel(), 255);
  shared->readableVolume = true;
  output.Volume(96);
  output.Close();
  shared->volume = 0xFFFFFFFFu;  // a fresh device starts loud
  ASSERT_TRUE(output.EnsureOpen());
  EXPECT_EQ(shared->opens, 2);
  EXPECT_EQ(shared->volume, 0x60606060u);
}

TEST_F(OutputFixture, OneShotInterruptsAStreamAndHandsItBackWhenDone) {
  Recorder clip;
  WaveBuffer* b = output.GetFreeBuffer(&clip, 0);
  b->count = 500;
  output.Write(b);
  const std::vector<std::uint8_t> le11k{1, 0, 3, 0};
  ASSERT_TRUE(output.PlayOneShot(le11k, OneShotMode::LittleEndian11k));
  EXPECT_EQ(clip.interrupted, 1);
  EXPECT_EQ(shared->written.back(), (std::vector<std::int16_t>{1, 1, 2, 3}));
  EXPECT_TRUE(output.IsPlayingOneShot());
  EXPECT_TRUE(clip.done.empty());  // its buffer was dropped untagged
  device().advance(4);
  EXPECT_TRUE(output.IsPlayingOneShot());  // until the UI thread hears of it
  PumpAll();
  EXPECT_FALSE(output.IsPlayingOneShot());
  EXPECT_FALSE(output.IsPlaying());
  EXPECT_EQ(clip.over, 1);
}

TEST_F(OutputFixture, WaitForOneShotEndsWhenTheSoundEndsOrAfterFiveSeconds) {
  const std::vector<std::uint8_t> sound(200, 1);
  ASSERT_TRUE(output.PlayOneShot(sound, OneShotMode::Native));
  device().advance(100);
  output.WaitForOneShot();
  EXPECT_FALSE(output.IsPlayingOneShot());

  // A device that never finishes: the wait gives up after five seconds and resets.
  ASSERT_TRUE(output.PlayOneShot(sound, OneShotMode::Native));
  const int resets = shared->resets;
  const auto start = std::chrono::steady_clock::now();
  output.WaitForOneShot();
  const auto waited = std::chrono::steady_clock::now() - start;
  EXPECT_GE(waited, std::chrono::milliseconds(4990));
  EXPECT_LT(waited, std::chrono::milliseconds(7000));
  EXPECT_FALSE(output.IsPlayingOneShot());
  EXPECT_EQ(shared->resets, resets + 1);
  EXPECT_EQ(device().queued(), 0u);
}

TEST_F(OutputFixture, BuiltInSoundsHonourDisableSounds) {
  NoticeRecorder notices;
  ASSERT_TRUE(output.Play(snd::kDefaultEffect));  // no preferences yet: sounds on
  EXPECT_GT(shared->written.back().size(), 1000u);
  const std::size_t writes = shared->written.size();
  Preferences prefs;
  ScopedService<Preferences> installed(&prefs);
  ASSERT_TRUE(output.Play(snd::kDefaultEffect));
  prefs.disableSounds = true;  // changed in the Preferences dialog
  EXPECT_FALSE(output.Play(snd::kDefaultEffect));
  EXPECT_EQ(shared->written.size(), writes + 1);
  // Embedded sounds are course content, not program sounds: they still play, at the
  // volume given, which stays the current level.
  const std::vector<std::uint8_t> be{0x01, 0x00, 0x03, 0x00};
  ASSERT_TRUE(output.PlayEmbedded(be, 64));
  EXPECT_EQ(shared->written.back(), (std::vector<std::int16_t>{256, 256, 512, 768}));
  EXPECT_EQ(output.CurrentLevel(), 64);
  prefs.disableSounds = false;
  EXPECT_FALSE(output.Play(7028));  // the one number with no sound
  EXPECT_TRUE(notices.sawId(str::kSoundResourceMissing));
  EXPECT_TRUE(notices.sawText("Cannot find a specific sound resource."));
}

TEST(SoundOutputDevice, DeviceMessagesAreShownOncePerRun) {
  NoticeRecorder notices;
  auto shared = std::make_shared<FakeWaveDevice::Shared>();
  {
    SoundOutput a{FakeWaveDevice::Factory(shared, DeviceProblem::NoDevice)};
    EXPECT_TRUE(a.EnsureOpen());  // the stand-in device still works
    a.Close();
    EXPECT_TRUE(a.EnsureOpen());
    SoundOutput b{FakeWaveDevice::Factory(shared, DeviceProblem::NoDevice)};
    EXPECT_TRUE(b.EnsureOpen());
  }
  {
    SoundOutput c{FakeWaveDevice::Factory(shared, DeviceProblem::OpenFailed)};
    c.EnsureOpen();
    c.Close();
    c.EnsureOpen();
  }
  ASSERT_EQ(notices.notices().size(), 2u);
  EXPECT_EQ(notices.notices()[0].text, "Cannot play sounds because no audio device can be found.");
  EXPECT_EQ(notices.notices()[1].text, "Cannot open sound device.");

  // No device at all: every operation quietly does nothing.
  SoundOutput none{[](WaveDevice::Completion) { return DeviceOpenResult{nullptr, DeviceProblem::NoDevice}; }};
  EXPECT_FALSE(none.EnsureOpen());
  EXPECT_FALSE(none.Play(snd::kDefaultEffect));
  EXPECT_EQ(none.GetFreeBuffer(nullptr, 0), nullptr);
  EXPECT_EQ(none.Position(), 0);
  none.WaitForOneShot();
  EXPECT_EQ(notices.notices().size(), 2u);
}

TEST(SoundService, ProgramSoundsGoThroughTheInstalledOutput) {
  EXPECT_FALSE(PlayProgramSound(snd::kDefaultEffect));  // no output installed: nothing, quietly
  auto shared = std::make_shared<FakeWaveDevice::Shared>();
  SoundOutput output{FakeWaveDevice::Factory(shared)};
  ScopedService<SoundOutput> installed(&output);
  EXPECT_TRUE(PlayProgramSound(snd::kAbout));
  ReleaseSoundDevice();
  EXPECT_FALSE(output.IsOpen());
  EXPECT_FALSE(output.IsPlayingOneShot());
  EXPECT_TRUE(PlayProgramSound(snd::kAbout));  // opens the device again
  EXPECT_EQ(shared->opens, 2);
}
