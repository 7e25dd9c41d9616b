#include "AudioTestSupport.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <stdexcept>

#include "TestSupport.h"
#include "audio/ClipDecoder.h"
#include "course/ByteReader.h"

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
    ByteReader r(bytes, path.string());
    r.seek(i + 4);
    const std::uint32_t size = r.u32le("data size");
    std::vector<std::int16_t> out(std::min<std::size_t>(size, r.remaining()) / 2);
    for (std::int16_t& sample : out) sample = r.i16le("sample");
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
void PutId(std::vector<std::uint8_t>& v, const std::string& id) { v.insert(v.end(), id.begin(), id.begin() + 4); }
}  // namespace

std::vector<std::uint8_t> BuildAiff(const AiffShape& shape) {
  std::vector<std::uint8_t> body;
  PutId(body, shape.form);
  body.insert(body.end(), shape.extraChunkBefore.begin(), shape.extraChunkBefore.end());
  if (shape.comm) {
    const bool aifc = !shape.compression.empty();
    PutId(body, "COMM");
    AppendBe32(body, aifc ? 24 : 18);
    AppendBe16(body, static_cast<std::uint16_t>(shape.channels));
    AppendBe32(body, 0);  // frame count: not used by the player
    AppendBe16(body, static_cast<std::uint16_t>(shape.sampleSize));
    AppendBe16(body, static_cast<std::uint16_t>(shape.exponent));
    AppendBe32(body, 0xAC440000u);  // mantissa of 11025 / 22050
    AppendBe32(body, 0);
    if (aifc) {
      PutId(body, shape.compression);
      AppendBe16(body, 0);  // empty Pascal-string name, padded
    }
  }
  if (shape.ssnd) {
    PutId(body, "SSND");
    AppendBe32(body, static_cast<std::uint32_t>(8 + shape.ssndOffset + shape.data.size()));
    AppendBe32(body, shape.ssndOffset);
    AppendBe32(body, 0);
    body.insert(body.end(), shape.ssndOffset, 0xEE);
    body.insert(body.end(), shape.data.begin(), shape.data.end());
    if (shape.data.size() % 2) body.push_back(0);
  }
  std::vector<std::uint8_t> out;
  PutId(out, "FORM");
  AppendBe32(out, static_cast<std::uint32_t>(body.size()));
  out.insert(out.end(), body.begin(), body.end());
  return out;
}

std::vector<std::uint8_t> BigEndianRamp(std::size_t count) {
  std::vector<std::uint8_t> out;
  out.reserve(count * 2);
  for (std::size_t i = 0; i < count; ++i) AppendBe16(out, static_cast<std::uint16_t>(static_cast<std::int16_t>((i * 37) % 20000 - 10000)));
  return out;
}

}  // namespace kntest
