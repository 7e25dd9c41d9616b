#include <gtest/gtest.h>

#include "KncourseRunner.h"
#include "TestSupport.h"
#include "audio/PcmConvert.h"
#include "audio/WaveResource.h"

namespace {

using kntest::RunKncourse;

std::string Fixture(const char* name) { return (kntest::SourceDir() / "src/audio/tests/data" / name).string(); }

// Samples of a WAVE file kncourse wrote.
std::vector<std::int16_t> ReadStream(const std::filesystem::path& path, int* rate) {
  const auto bytes = kntest::ReadFileBytes(path);
  const auto w = audio::ParseWaveResource(bytes, path.string());
  *rate = w.rate;
  return audio::OneShotSamples(w.data, audio::OneShotMode::Native);
}

}  // namespace

TEST(AudioCommand, InfoTellsFormatAndClockLength) {
  struct Case {
    const char* file;
    const char* format;
    const char* length;
  };
  const Case cases[] = {
      {"sweep11k.aif", "format:   0 (AIFF 16-bit PCM, 11025 Hz)", "length:   22050 clock units (1.000 s)"},
      {"ima22k.aif", "format:   1 (AIFC ima4, 22050 Hz)", "length:   22080 clock units (1.001 s)"},
      {"ima11k.aif", "format:   2 (AIFC ima4, 11025 Hz)", "length:   22144 clock units"},
      {"vorbis44k.ogg", "format:   3 (Ogg Vorbis)", "length:   22080 clock units"},
  };
  for (const auto& c : cases) {
    const auto r = RunKncourse({"audio", "info", Fixture(c.file)});
    EXPECT_EQ(r.status, 0) << c.file << r.err;
    EXPECT_NE(r.out.find(c.format), std::string::npos) << r.out;
    EXPECT_NE(r.out.find(c.length), std::string::npos) << r.out;
  }
  const auto sound = RunKncourse({"audio", "info", (kntest::SourceDir() / "resources/sound/7042.wav").string()});
  EXPECT_EQ(sound.status, 0);
  EXPECT_NE(sound.out.find("11025 Hz (doubled)"), std::string::npos) << sound.out;
}

TEST(AudioCommand, DecodeWritesTheOutputStreamFromAnyPosition) {
  const auto dir = kntest::MakeTempDir("dec");
  ASSERT_EQ(RunKncourse({"audio", "decode", Fixture("ima22k.aif"), (dir / "all.wav").string()}).status, 0);
  int rate = 0;
  const auto all = ReadStream(dir / "all.wav", &rate);
  EXPECT_EQ(rate, 22050);
  ASSERT_EQ(all.size(), 22080u);
  // From inside packet 100: the stream restarts at the packet. A fresh decoder takes the
  // state from the packet's header, which holds the predictor to 7 bits less.
  ASSERT_EQ(RunKncourse({"audio", "decode", Fixture("ima22k.aif"), (dir / "part.wav").string(), "--from", "6420"}).status, 0);
  const auto part = ReadStream(dir / "part.wav", &rate);
  ASSERT_EQ(part.size(), 22080u - 6400u);
  for (std::size_t i = 0; i < part.size(); ++i) ASSERT_LE(std::abs(part[i] - all[6400 + i]), 128) << i;

  ASSERT_EQ(RunKncourse({"audio", "decode", Fixture("sweep11k.aif"), (dir / "a.wav").string()}).status, 0);
  ASSERT_EQ(RunKncourse({"audio", "decode", Fixture("sweep11k.aif"), (dir / "b.wav").string(), "--from", "1001"}).status, 0);
  const auto a = ReadStream(dir / "a.wav", &rate);
  const auto b = ReadStream(dir / "b.wav", &rate);
  ASSERT_EQ(b.size(), 22050u - 1000u);
  EXPECT_TRUE(std::equal(b.begin(), b.end(), a.begin() + 1000));
}

TEST(AudioCommand, RefusesWhatThePlayerRefuses) {
  const auto dir = kntest::MakeTempDir("bad");
  kntest::WriteFileText(dir / "junk.aif", "FORM....AIFFjunk");
  const auto r = RunKncourse({"audio", "info", (dir / "junk.aif").string()});
  EXPECT_EQ(r.status, 2);
  EXPECT_NE(r.err.find("junk.aif"), std::string::npos) << r.err;
  EXPECT_EQ(RunKncourse({"audio", "info", (dir / "missing.ogg").string()}).status, 2);
  EXPECT_EQ(RunKncourse({"audio", "decode", Fixture("sweep11k.aif")}).status, 2);
  EXPECT_EQ(RunKncourse({"audio", "info", "--help"}).status, 0);
}
