#include <gtest/gtest.h>

#include "audio/PcmConvert.h"
#include "audio/WaveResource.h"
#include "course/ProgramResources.h"

using namespace audio;

namespace {
std::vector<std::uint8_t> Chunk(const char* id, std::vector<std::uint8_t> body) {
  std::vector<std::uint8_t> out(id, id + 4);
  const auto n = static_cast<std::uint32_t>(body.size());
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<std::uint8_t>(n >> (8 * i)));
  out.insert(out.end(), body.begin(), body.end());
  if (n % 2) out.push_back(0);
  return out;
}

std::vector<std::uint8_t> Fmt(int format, int channels, int rate, int bits) {
  auto le = [](std::vector<std::uint8_t>& v, std::uint32_t x, int n) {
    for (int i = 0; i < n; ++i) v.push_back(static_cast<std::uint8_t>(x >> (8 * i)));
  };
  std::vector<std::uint8_t> b;
  le(b, format, 2);
  le(b, channels, 2);
  le(b, rate, 4);
  le(b, rate * channels * bits / 8, 4);
  le(b, channels * bits / 8, 2);
  le(b, bits, 2);
  return Chunk("fmt ", b);
}

std::vector<std::uint8_t> Riff(std::vector<std::vector<std::uint8_t>> chunks) {
  std::vector<std::uint8_t> body{'W', 'A', 'V', 'E'};
  for (auto& c : chunks) body.insert(body.end(), c.begin(), c.end());
  std::vector<std::uint8_t> out{'R', 'I', 'F', 'F'};
  const auto n = static_cast<std::uint32_t>(body.size());
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<std::uint8_t>(n >> (8 * i)));
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
    ASSERT_TRUE(w);
    EXPECT_EQ(w->rate, c.rate);
    EXPECT_EQ(w->data.size(), c.dataBytes);
  }
  // A data chunk that claims more than is there is cut to what is there.
  auto cut = Riff({Fmt(1, 1, 22050, 16), Chunk("data", std::vector<std::uint8_t>(100, 7))});
  cut.resize(cut.size() - 40);
  EXPECT_EQ(ParseWaveResource(cut)->data.size(), 60u);
}

TEST(WaveResource, RefusesWhatTheOutputCannotPlay) {
  const std::vector<std::uint8_t> cases[] = {
      Riff({Fmt(3, 1, 22050, 16), Chunk("data", kData)}),  // float
      Riff({Fmt(1, 1, 22050, 8), Chunk("data", kData)}),   // 8-bit
      Riff({Fmt(1, 2, 22050, 16), Chunk("data", kData)}),  // stereo
      Riff({Fmt(1, 1, 22050, 16)}),                        // no data
      Riff({Chunk("data", kData)}),                        // no format
      {'R', 'I', 'F', 'F', 0, 0, 0, 0, 'A', 'V', 'I', ' '},
      {},
  };
  for (std::size_t i = 0; i < std::size(cases); ++i) EXPECT_FALSE(ParseWaveResource(cases[i])) << i;
}

TEST(WaveResource, EncodedFilesReadBack) {
  const std::vector<std::int16_t> samples{0, -1, 32767, -32768, 1234};
  const auto file = EncodeWaveFile(samples, 22050);
  const auto w = ParseWaveResource(file);
  ASSERT_TRUE(w);
  EXPECT_EQ(w->rate, 22050);
  EXPECT_EQ(OneShotSamples(w->data, OneShotMode::Native), samples);
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
    ASSERT_TRUE(w);
    EXPECT_TRUE(w->rate == 22050 || w->rate == 11025);
    // Short effects: between a twentieth of a second and two seconds.
    const double seconds = double(w->data.size()) / 2 / w->rate;
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
