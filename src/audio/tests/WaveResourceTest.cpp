#include <gtest/gtest.h>

#include "CourseErrorSupport.h"
#include "audio/PcmConvert.h"
#include "audio/WaveResource.h"
#include "course/ByteReader.h"
#include "course/CourseFileError.h"
#include "course/ProgramResources.h"

using namespace audio;

namespace {
std::vector<std::uint8_t> Chunk(const char* id, std::vector<std::uint8_t> body) {
  std::vector<std::uint8_t> out(id, id + 4);
  AppendLe32(out, static_cast<std::uint32_t>(body.size()));
  out.insert(out.end(), body.begin(), body.end());
  if (body.size() % 2) out.push_back(0);
  return out;
}

std::vector<std::uint8_t> Fmt(int format, int channels, int rate, int bits) {
  std::vector<std::uint8_t> b;
  AppendLe16(b, static_cast<std::uint16_t>(format));
  AppendLe16(b, static_cast<std::uint16_t>(channels));
  AppendLe32(b, static_cast<std::uint32_t>(rate));
  AppendLe32(b, static_cast<std::uint32_t>(rate * channels * bits / 8));
  AppendLe16(b, static_cast<std::uint16_t>(channels * bits / 8));
  AppendLe16(b, static_cast<std::uint16_t>(bits));
  return Chunk("fmt ", b);
}

std::vector<std::uint8_t> Riff(std::vector<std::vector<std::uint8_t>> chunks) {
  std::vector<std::uint8_t> body{'W', 'A', 'V', 'E'};
  for (auto& c : chunks) body.insert(body.end(), c.begin(), c.end());
  std::vector<std::uint8_t> out{'R', 'I', 'F', 'F'};
  AppendLe32(out, static_cast<std::uint32_t>(body.size()));
  out.insert(out.end(), body.begin(), body.end());
  return out;
}

const std::vector<std::uint8_t> kData{1, 0, 2, 0, 3, 0};
}  // namespace

TEST(WaveResource, FindsFormatAndDataWhereverTheyAre) {
  struct Case {
    const char* what;
    std::vector<std::uint8_t> bytes;
    int rate;
    std::size_t dataBytes;
  };
  const Case cases[] = {
      {"plain", Riff({Fmt(1, 1, 11025, 16), Chunk("data", kData)}), 11025, 6},
      {"list first, odd size", Riff({Chunk("LIST", {1, 2, 3}), Fmt(1, 1, 22050, 16), Chunk("data", kData)}), 22050, 6},
      {"data before fmt", Riff({Chunk("data", kData), Fmt(1, 1, 22050, 16)}), 22050, 6},
      {"odd data byte dropped", Riff({Fmt(1, 1, 22050, 16), Chunk("data", {1, 0, 2})}), 22050, 2},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const auto w = ParseWaveResource(c.bytes);
    EXPECT_EQ(w.rate, c.rate);
    EXPECT_EQ(w.data.size(), c.dataBytes);
  }
  // A data chunk that claims more than is there is cut to what is there.
  auto cut = Riff({Fmt(1, 1, 22050, 16), Chunk("data", std::vector<std::uint8_t>(100, 7))});
  cut.resize(cut.size() - 40);
  EXPECT_EQ(ParseWaveResource(cut).data.size(), 60u);
}

TEST(WaveResource, RefusesWhatTheOutputCannotPlaySayingWhatAndWhere) {
  // The RIFF header is 12 bytes; the first chunk's body starts at 20.
  const struct {
    std::vector<std::uint8_t> bytes;
    const char* reason;
    std::int64_t offset;
  } cases[] = {
      {Riff({Fmt(3, 1, 22050, 16), Chunk("data", kData)}), "format tag 3 is not PCM (1)", 20},
      {Riff({Fmt(1, 2, 22050, 16), Chunk("data", kData)}), "2 channels; only mono is played", 22},
      {Riff({Fmt(1, 1, 22050, 8), Chunk("data", kData)}), "8-bit samples; only 16-bit is played", 34},
      {Riff({Chunk("fmt ", std::vector<std::uint8_t>(10)), Chunk("data", kData)}),
       "fmt chunk of 10 bytes is shorter than 16", 12},
      {Riff({Fmt(1, 1, 22050, 16)}), "no data chunk", 36},
      {Riff({Chunk("data", kData)}), "no fmt chunk", 26},
      {{'R', 'I', 'F', 'F', 0, 0, 0, 0, 'A', 'V', 'I', ' '}, "RIFF form is not WAVE", 8},
      {{'R', 'I', 'F', 'X', 0, 0, 0, 0, 'W', 'A', 'V', 'E'}, "not a RIFF file", 0},
      {{'R', 'I', 'F', 'F', 0, 0}, "RIFF size needs 4 bytes, 2 remain", 4},
      {{}, "RIFF header needs 4 bytes, 0 remain", 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.reason);
    const auto e = kntest::CourseErrorOf([&] { ParseWaveResource(c.bytes, "bell.wav"); });
    ASSERT_TRUE(e);
    EXPECT_EQ(e->kind(), CourseFileError::Kind::Format);
    EXPECT_EQ(e->path(), "bell.wav");
    EXPECT_EQ(e->reason(), c.reason);
    EXPECT_EQ(e->offset(), c.offset);
  }
}

TEST(WaveResource, EncodedFilesReadBack) {
  const std::vector<std::int16_t> samples{0, -1, 32767, -32768, 1234};
  const auto file = EncodeWaveFile(samples, 22050);
  const auto w = ParseWaveResource(file);
  EXPECT_EQ(w.rate, 22050);
  EXPECT_EQ(OneShotSamples(w.data, OneShotMode::Native), samples);
}

TEST(WaveResource, EveryBuiltInSoundIsPlayable) {
  for (int id = 7000; id <= 7043; ++id) {
    SCOPED_TRACE(id);
    const auto bytes = ProgramResource("sound", id);
    if (id == 7028) {
      EXPECT_FALSE(bytes);
      continue;
    }
    ASSERT_TRUE(bytes);
    const auto w = ParseWaveResource(*bytes);
    EXPECT_TRUE(w.rate == 22050 || w.rate == 11025);
    // Short effects: between a twentieth of a second and two seconds.
    const double seconds = double(w.data.size()) / 2 / w.rate;
    EXPECT_GT(seconds, 0.05);
    EXPECT_LT(seconds, 2.0);
  }
}

TEST(OneShotConversion, DoublesAndSwapsAsEachModeSays) {
  const std::vector<std::uint8_t> le{0x10, 0x00, 0x30, 0x00, 0xF0, 0xFF};  // 16, 48, -16
  EXPECT_EQ(OneShotSamples(le, OneShotMode::Native), (std::vector<std::int16_t>{16, 48, -16}));
  // The first sample is paired with itself; each later one follows its mean with the one before.
  EXPECT_EQ(OneShotSamples(le, OneShotMode::LittleEndian11k), (std::vector<std::int16_t>{16, 16, 32, 48, 16, -16}));
  const std::vector<std::uint8_t> be{0x00, 0x10, 0x00, 0x30, 0xFF, 0xF0};
  EXPECT_EQ(OneShotSamples(be, OneShotMode::BigEndian11k), (std::vector<std::int16_t>{16, 16, 32, 48, 16, -16}));
  EXPECT_TRUE(OneShotSamples({}, OneShotMode::BigEndian11k).empty());
  // Extremes do not overflow in the mean.
  const std::vector<std::uint8_t> ext{0xFF, 0x7F, 0x00, 0x80};
  EXPECT_EQ(OneShotSamples(ext, OneShotMode::LittleEndian11k), (std::vector<std::int16_t>{32767, 32767, 0, -32768}));
}
