#include "AudioTestSupport.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <stdexcept>

#include "TestSupport.h"
#include "audio/ClipDecoder.h"

namespace kntest {

std::vector<std::int16_t> DecodeAll(audio::ClipDecoder& d) {
  std::vector<std::int16_t> out(static_cast<std::size_t>(d.length()));
  for (std::int64_t b = 0; b < d.blockCount(); ++b) {
    const std::int64_t from = b * d.unitsPerBlock();
    d.decode(from, std::min(d.length(), from + d.unitsPerBlock()), out.data() + from);
  }
  return out;
}

std::filesystem::path AudioFixture(const std::string& name) { return SourceDir() / "src/audio/tests/data" / name; }

std::vector<std::int16_t> ReadWaveSamples(const std::filesystem::path& path) {
  const auto bytes = ReadFileBytes(path);
  for (std::size_t i = 12; i + 8 <= bytes.size(); ++i) {
    if (std::memcmp(bytes.data() + i, "data", 4)) continue;
    const std::uint32_t size = bytes[i + 4] | bytes[i + 5] << 8 | bytes[i + 6] << 16 | std::uint32_t(bytes[i + 7]) << 24;
    const std::size_t n = std::min<std::size_t>(size, bytes.size() - i - 8) / 2;
    std::vector<std::int16_t> out(n);
    for (std::size_t k = 0; k < n; ++k)
      out[k] = static_cast<std::int16_t>(bytes[i + 8 + 2 * k] | bytes[i + 9 + 2 * k] << 8);
    return out;
  }
  throw std::runtime_error("no data chunk in " + path.string());
}

double SnrDb(const std::vector<std::int16_t>& reference, const std::vector<std::int16_t>& actual) {
  const std::size_t n = std::min(reference.size(), actual.size());
  double signal = 0, noise = 0;
  for (std::size_t i = 0; i < n; ++i) {
    signal += double(reference[i]) * reference[i];
    const double d = double(actual[i]) - reference[i];
    noise += d * d;
  }
  if (noise == 0) return 200;
  return 10 * std::log10(signal / noise);
}

int MaxAbsDiff(const std::vector<std::int16_t>& a, const std::vector<std::int16_t>& b) {
  int m = 0;
  for (std::size_t i = 0; i < std::min(a.size(), b.size()); ++i) m = std::max(m, std::abs(a[i] - b[i]));
  return m;
}

namespace {
void PutBe32(std::vector<std::uint8_t>& v, std::uint32_t x) {
  for (int s = 24; s >= 0; s -= 8) v.push_back(static_cast<std::uint8_t>(x >> s));
}
void PutBe16(std::vector<std::uint8_t>& v, std::uint16_t x) {
  v.push_back(static_cast<std::uint8_t>(x >> 8));
  v.push_back(static_cast<std::uint8_t>(x));
}
void PutId(std::vector<std::uint8_t>& v, const std::string& id) { v.insert(v.end(), id.begin(), id.begin() + 4); }
}  // namespace

std::vector<std::uint8_t> BuildAiff(const AiffShape& shape) {
  std::vector<std::uint8_t> body;
  PutId(body, shape.form);
  body.insert(body.end(), shape.extraChunkBefore.begin(), shape.extraChunkBefore.end());
  if (shape.comm) {
    const bool aifc = !shape.compression.empty();
    PutId(body, "COMM");
    PutBe32(body, aifc ? 24 : 18);
    PutBe16(body, static_cast<std::uint16_t>(shape.channels));
    PutBe32(body, 0);  // frame count: not used by the player
    PutBe16(body, static_cast<std::uint16_t>(shape.sampleSize));
    PutBe16(body, static_cast<std::uint16_t>(shape.exponent));
    PutBe32(body, 0xAC440000u);  // mantissa of 11025 / 22050
    PutBe32(body, 0);
    if (aifc) {
      PutId(body, shape.compression);
      PutBe16(body, 0);  // empty Pascal-string name, padded
    }
  }
  if (shape.ssnd) {
    PutId(body, "SSND");
    PutBe32(body, static_cast<std::uint32_t>(8 + shape.ssndOffset + shape.data.size()));
    PutBe32(body, shape.ssndOffset);
    PutBe32(body, 0);
    body.insert(body.end(), shape.ssndOffset, 0xEE);
    body.insert(body.end(), shape.data.begin(), shape.data.end());
    if (shape.data.size() % 2) body.push_back(0);
  }
  std::vector<std::uint8_t> out;
  PutId(out, "FORM");
  PutBe32(out, static_cast<std::uint32_t>(body.size()));
  out.insert(out.end(), body.begin(), body.end());
  return out;
}

std::vector<std::uint8_t> BigEndianRamp(std::size_t count) {
  std::vector<std::uint8_t> out;
  out.reserve(count * 2);
  for (std::size_t i = 0; i < count; ++i) PutBe16(out, static_cast<std::uint16_t>(static_cast<std::int16_t>((i * 37) % 20000 - 10000)));
  return out;
}

}  // namespace kntest
