// The clip's clock and streaming on a hand-driven device.
#include <gtest/gtest.h>

#include <algorithm>
#include <thread>

#include "AudioTestSupport.h"
#include "FakeWaveDevice.h"
#include "TestSupport.h"
#include "audio/AudioFormat.h"
#include "audio/ClipDecoder.h"
#include "audio/SoundClip.h"
#include "course/CourseFile.h"
#include "course/Notice.h"
#include "course/ResourceIds.h"
#include "course/StringIds.h"

using namespace audio;
using kntest::FakeWaveDevice;

namespace {

struct ClipFixture : testing::Test {
  std::shared_ptr<FakeWaveDevice::Shared> shared = std::make_shared<FakeWaveDevice::Shared>();
  SoundOutput output{FakeWaveDevice::Factory(shared)};
  CSoundClip clip{&output};

  FakeWaveDevice& device() { return *shared->live; }
  // Plays count samples and lets the user-interface thread handle what came back.
  void Play(std::size_t count) {
    device().advance(count);
    while (output.Pump()) {
    }
  }
  bool OpenMemory(std::vector<std::uint8_t> bytes, const std::string& name) {
    return clip.Open(CourseFile::FromMemory(std::move(bytes), name), name);
  }
  // An AIFF clip of blocks × 8 192 clock units.
  bool OpenLongAiff(int blocks) {
    kntest::AiffShape s;
    s.data = kntest::BigEndianRamp(static_cast<std::size_t>(blocks) * kBufferSamples / 2);
    return OpenMemory(kntest::BuildAiff(s), "long.aif");
  }
};

}  // namespace

TEST_F(ClipFixture, StreamsALongClipThroughAtMost32BuffersToItsEnd) {
  ASSERT_TRUE(OpenLongAiff(40));
  ASSERT_EQ(clip.Length(), 40 * 8192);
  ASSERT_TRUE(clip.PlayFrom(0));
  EXPECT_EQ(output.QueuedBuffers(), 32);
  EXPECT_FALSE(shared->paused);  // queued between a pause and a restart
  std::int64_t played = 0;
  while (clip.IsPlaying()) {
    Play(3000);
    played += 3000;
    EXPECT_EQ(clip.Position(), std::min(played, clip.Length()));
    EXPECT_LE(output.QueuedBuffers(), 32);
    ASSERT_LT(played, 2 * clip.Length());
  }
  EXPECT_TRUE(clip.AtEnd());
  EXPECT_EQ(clip.Position(), clip.Length());
  EXPECT_EQ(output.PeakQueuedBuffers(), 32);
  EXPECT_LE(output.BufferBytes(), 32 * kBufferBytes);
  EXPECT_FALSE(output.IsPlaying());

  // What reached the device is the decoded clip, in order, whole.
  std::vector<std::int16_t> heard;
  for (const auto& w : shared->written) heard.insert(heard.end(), w.begin(), w.end());
  kntest::AiffShape same;
  same.data = kntest::BigEndianRamp(40 * kBufferSamples / 2);
  auto reference = ClipDecoder::Open(CourseFile::FromMemory(kntest::BuildAiff(same), "r.aif"), "r.aif");
  const auto expected = kntest::DecodeAll(*reference);
  EXPECT_EQ(heard, expected);
}

TEST_F(ClipFixture, PauseKeepsThePlaceAndResumeGoesOnFromIt) {
  ASSERT_TRUE(clip.Open(kntest::AudioFixture("sweep11k.aif")));
  clip.PlayFrom(0);
  Play(5001);
  EXPECT_EQ(clip.Position(), 5001);
  clip.Pause();
  EXPECT_TRUE(clip.IsPaused());
  EXPECT_FALSE(clip.IsPlaying());
  EXPECT_EQ(clip.Position(), 5000);  // a whole source sample
  Play(2000);                        // nothing of the clip is left on the device
  EXPECT_EQ(clip.Position(), 5000);
  ASSERT_TRUE(clip.Resume());
  Play(1000);
  EXPECT_EQ(clip.Position(), 6000);
  EXPECT_EQ(output.Position(), 1000);  // the output counts from its reset
}

TEST_F(ClipFixture, ImaPlaybackStartsAtAWholePacket) {
  ASSERT_TRUE(clip.Open(kntest::AudioFixture("ima22k.aif")));
  EXPECT_EQ(clip.Length(), 22080);
  clip.PlayFrom(100 * 64 + 40);
  EXPECT_EQ(clip.Position(), 100 * 64);
  Play(1000);
  clip.Pause();
  EXPECT_EQ(clip.Position(), 7360);  // 6400 + 1000 lies in packet 115, which starts at 7360

  ASSERT_TRUE(clip.Open(kntest::AudioFixture("ima11k.aif")));
  clip.PlayFrom(1000);
  EXPECT_EQ(clip.Position(), 896);  // 128 clock units per packet at 11 025 Hz
}

TEST_F(ClipFixture, PlayingFromTheEndOrBeyondIsAtTheEnd) {
  ASSERT_TRUE(clip.Open(kntest::AudioFixture("vorbis44k.ogg")));
  ASSERT_TRUE(clip.PlayFrom(clip.Length() + 500));
  EXPECT_TRUE(clip.AtEnd());
  EXPECT_FALSE(clip.IsPlaying());
  EXPECT_EQ(clip.Position(), clip.Length());
  EXPECT_EQ(output.QueuedBuffers(), 0);
  ASSERT_TRUE(clip.PlayFrom(-20));
  EXPECT_EQ(clip.Position(), 0);
  EXPECT_TRUE(clip.IsPlaying());
}

TEST_F(ClipFixture, FailuresShowTheOpenAudioMessageAndLeaveTheClipClosed) {
  NoticeRecorder notices;
  kntest::AiffShape stereo;
  stereo.channels = 2;
  stereo.data = kntest::BigEndianRamp(100);
  kntest::AiffShape eightBit;
  eightBit.sampleSize = 8;
  eightBit.data = kntest::BigEndianRamp(100);
  const std::pair<std::vector<std::uint8_t>, std::string> cases[] = {
      {kntest::BuildAiff(stereo), "stereo.aif"},
      {kntest::BuildAiff(eightBit), "eight.aif"},
      {std::vector<std::uint8_t>(300, 0x4F), "junk.ogg"},
      {kntest::ReadFileBytes(kntest::AudioFixture("sweep11k.aif")), "clip.wav"},
  };
  for (const auto& [bytes, name] : cases) {
    SCOPED_TRACE(name);
    notices.clear();
    EXPECT_FALSE(OpenMemory(bytes, name));
    EXPECT_FALSE(clip.IsOpen());
    EXPECT_FALSE(clip.PlayFrom(0));
    ASSERT_EQ(notices.notices().size(), 1u);
    EXPECT_EQ(notices.notices()[0].text, "Cannot open audio file '" + name + "'.");
  }
  notices.clear();
  EXPECT_FALSE(clip.Open(kntest::AudioFixture("missing.ogg")));
  EXPECT_TRUE(notices.sawId(str::kCannotOpenAudioFile));
}

TEST_F(ClipFixture, AnEffectSoundPausesTheNarrationAndResumesItWhereItStopped) {
  ASSERT_TRUE(clip.Open(kntest::AudioFixture("sweep11k.aif")));
  clip.PlayFrom(0);
  Play(3000);
  // The device plays the effect on another thread while the clip waits for it.
  std::thread player([this] {
    for (int i = 0; i < 3000 && device().frontId() != SoundOutput::kOneShotId; ++i)
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
    device().advance(100000);
  });
  const std::vector<std::uint8_t> effect(400, 0);  // 200 samples at 11 025 Hz
  const auto start = std::chrono::steady_clock::now();
  EXPECT_TRUE(clip.PlayEmbeddedEffect(effect));
  player.join();
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(4));  // ended by the sound, not the bound
  EXPECT_TRUE(std::any_of(shared->written.begin(), shared->written.end(), [](const auto& w) { return w.size() == 400; }));
  EXPECT_TRUE(clip.IsPlaying());
  EXPECT_EQ(clip.Position(), 3000);
  Play(10);
  EXPECT_EQ(clip.Position(), 3010);
}

TEST_F(ClipFixture, AOneShotStartedWhileStreamingHoldsTheClockThenPlaybackGoesOn) {
  ASSERT_TRUE(clip.Open(kntest::AudioFixture("sweep11k.aif")));
  clip.PlayFrom(0);
  Play(4000);
  ASSERT_TRUE(output.Play(snd::kDefaultEffect));  // a sound from elsewhere, with no pause first
  EXPECT_TRUE(clip.IsPlaying());
  EXPECT_FALSE(clip.AtEnd());
  Play(200);  // part of the one-shot: the narration's clock does not move
  EXPECT_EQ(clip.Position(), 4000);
  Play(100000);  // the one-shot ends; the narration is queued again from 4000
  EXPECT_TRUE(clip.IsPlaying());
  EXPECT_EQ(clip.Position(), 4000);
  Play(100);
  EXPECT_EQ(clip.Position(), 4100);
  while (clip.IsPlaying()) Play(5000);
  EXPECT_EQ(clip.Position(), clip.Length());
}

TEST(SilentClip, CountsWallTimeAndStopsByItself) {
  CSoundClip clip(nullptr);  // needs no output
  clip.OpenSilent(22050 / 5);  // 200 ms
  EXPECT_TRUE(clip.IsSilent());
  EXPECT_EQ(clip.Format(), ClipFormat::Silent);
  ASSERT_TRUE(clip.PlayFrom(0));
  std::this_thread::sleep_for(std::chrono::milliseconds(60));
  const auto p = clip.Position();
  EXPECT_GE(p, 60 * 22050 / 1000);
  EXPECT_LT(p, clip.Length());
  clip.Pause();
  const auto kept = clip.Position();
  std::this_thread::sleep_for(std::chrono::milliseconds(30));
  EXPECT_EQ(clip.Position(), kept);
  clip.Resume();
  std::this_thread::sleep_for(std::chrono::milliseconds(250));
  EXPECT_FALSE(clip.IsPlaying());
  EXPECT_TRUE(clip.AtEnd());
  EXPECT_EQ(clip.Position(), clip.Length());
}
