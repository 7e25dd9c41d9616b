// What the AIFF/AIFC reader accepts and refuses, on files built byte by byte.
#include <gtest/gtest.h>

#include "AudioTestSupport.h"
#include "audio/AiffParser.h"
#include "course/CourseFile.h"
#include "course/CourseFileError.h"

using namespace audio;
using kntest::AiffShape;
using kntest::BuildAiff;

namespace {
AiffLayout Parse(const std::vector<std::uint8_t>& bytes) {
  auto f = CourseFile::FromMemory(bytes, "t.aif");
  return ParseAiff(f);
}

AiffShape Ima(int exponent) {
  AiffShape s;
  s.form = "AIFC";
  s.compression = "ima4";
  s.exponent = exponent;
  s.data.assign(34 * 3, 0);
  return s;
}
}  // namespace

TEST(AiffParser, AcceptsThePlayedFormats) {
  AiffShape pcm;
  pcm.data = kntest::BigEndianRamp(100);
  pcm.extraChunkBefore = {'C', 'O', 'M', 'T', 0, 0, 0, 3, 'a', 'b', 'c', 0};  // odd size, padded
  const auto layout = Parse(BuildAiff(pcm));
  EXPECT_EQ(layout.format, ClipFormat::Aiff);
  EXPECT_EQ(layout.dataSize, 200u);

  EXPECT_EQ(Parse(BuildAiff(Ima(0x400D))).format, ClipFormat::Ima22k);
  EXPECT_EQ(Parse(BuildAiff(Ima(0x400C))).format, ClipFormat::Ima11k);
  auto ima4bit = Ima(0x400D);
  ima4bit.sampleSize = 4;  // as some encoders write it
  EXPECT_EQ(Parse(BuildAiff(ima4bit)).dataSize, 102u);
}

TEST(AiffParser, DataStartsAfterTheSsndOffset) {
  AiffShape s;
  s.data = kntest::BigEndianRamp(10);
  s.ssndOffset = 6;
  const auto bytes = BuildAiff(s);
  const auto layout = Parse(bytes);
  EXPECT_EQ(layout.dataSize, 20u);
  EXPECT_EQ(bytes[layout.dataStart], s.data[0]);
  EXPECT_EQ(bytes[layout.dataStart + 1], s.data[1]);
}

TEST(AiffParser, DataIsCutToWhatTheFileHolds) {
  AiffShape s;
  s.data = kntest::BigEndianRamp(100);
  auto bytes = BuildAiff(s);
  bytes.resize(bytes.size() - 51);  // a truncated download: 149 bytes of data remain
  EXPECT_EQ(Parse(bytes).dataSize, 148u);
}

TEST(AiffParser, RefusesWhatItCannotPlay) {
  struct Case {
    const char* what;
    AiffShape shape;
  };
  auto with = [](auto change) {
    AiffShape s;
    s.data = kntest::BigEndianRamp(8);
    change(s);
    return s;
  };
  const Case cases[] = {
      {"stereo", with([](AiffShape& s) { s.channels = 2; })},
      {"8-bit", with([](AiffShape& s) { s.sampleSize = 8; })},
      {"PCM at 22050", with([](AiffShape& s) { s.exponent = 0x400D; })},
      {"not AIFF", with([](AiffShape& s) { s.form = "WAVE"; })},
      {"no COMM", with([](AiffShape& s) { s.comm = false; })},
      {"no SSND", with([](AiffShape& s) { s.ssnd = false; })},
      {"AIFC uncompressed", with([](AiffShape& s) { s.form = "AIFC"; s.compression = "NONE"; })},
      {"ima4 stereo", [] { auto s = Ima(0x400D); s.channels = 2; return s; }()},
      {"ima4 at 44100", Ima(0x400E)},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_THROW(Parse(BuildAiff(c.shape)), CourseFileError);
  }
}

TEST(AiffParser, SsndOffsetBeyondTheChunkIsRefused) {
  AiffShape s;
  s.data = kntest::BigEndianRamp(4);
  auto bytes = BuildAiff(s);
  // The SSND offset word follows "SSND" and the chunk size.
  const auto at = std::search(bytes.begin(), bytes.end(), std::begin("SSND"), std::end("SSND") - 1) - bytes.begin() + 8;
  bytes[at] = 0x7F;
  EXPECT_THROW(Parse(bytes), CourseFileError);
}

TEST(AiffParser, EveryTruncationIsRefusedOrStaysInsideTheFile) {
  AiffShape s;
  s.data = kntest::BigEndianRamp(40);
  s.extraChunkBefore = {'A', 'N', 'N', 'O', 0, 0, 0, 2, 'h', 'i'};
  const auto bytes = BuildAiff(s);
  for (std::size_t cut = 0; cut <= bytes.size(); ++cut) {
    SCOPED_TRACE(cut);
    try {
      const auto layout = Parse({bytes.begin(), bytes.begin() + cut});
      EXPECT_LE(layout.dataStart + layout.dataSize, cut);
    } catch (const CourseFileError& e) {
      EXPECT_EQ(e.kind(), CourseFileError::Kind::Format);
    }
  }
}
