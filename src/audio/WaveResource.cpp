#include "audio/WaveResource.h"

#include <cstring>

namespace audio {

namespace {

std::uint32_t Le32(const std::uint8_t* p) {
  return std::uint32_t(p[0]) | std::uint32_t(p[1]) << 8 | std::uint32_t(p[2]) << 16 | std::uint32_t(p[3]) << 24;
}
std::uint16_t Le16(const std::uint8_t* p) { return static_cast<std::uint16_t>(p[0] | p[1] << 8); }

void SetLe32(std::uint8_t* p, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) p[i] = static_cast<std::uint8_t>(v >> (8 * i));
}
void SetLe16(std::uint8_t* p, std::uint16_t v) {
  p[0] = static_cast<std::uint8_t>(v);
  p[1] = static_cast<std::uint8_t>(v >> 8);
}

constexpr std::uint16_t kFormatPcm = 1;

}  // namespace

std::optional<WaveSound> ParseWaveResource(std::span<const std::uint8_t> bytes) {
  if (bytes.size() < 12 || std::memcmp(bytes.data(), "RIFF", 4) || std::memcmp(bytes.data() + 8, "WAVE", 4))
    return std::nullopt;
  std::optional<int> rate;
  std::optional<std::span<const std::uint8_t>> data;
  std::size_t pos = 12;
  while (bytes.size() - pos >= 8 && !(rate && data)) {
    const std::uint8_t* h = bytes.data() + pos;
    const std::size_t body = pos + 8;
    const std::size_t size = std::min<std::size_t>(Le32(h + 4), bytes.size() - body);
    if (!std::memcmp(h, "fmt ", 4) && !rate) {
      if (size < 16) return std::nullopt;
      const std::uint8_t* f = bytes.data() + body;
      if (Le16(f) != kFormatPcm || Le16(f + 2) != 1 || Le16(f + 14) != 16) return std::nullopt;
      rate = static_cast<int>(Le32(f + 4));
    } else if (!std::memcmp(h, "data", 4) && !data) {
      data = bytes.subspan(body, size & ~std::size_t(1));
    }
    // Chunks are padded to an even size; a declared size past the end ends the walk.
    const std::size_t declared = Le32(h + 4);
    if (declared > bytes.size() - body) break;
    pos = body + declared + (declared & 1);
    if (pos > bytes.size()) break;
  }
  if (!rate || !data) return std::nullopt;
  return WaveSound{*rate, *data};
}

std::vector<std::uint8_t> EncodeWaveFile(std::span<const std::int16_t> samples, int rate) {
  const auto dataBytes = static_cast<std::uint32_t>(samples.size() * 2);
  std::vector<std::uint8_t> out(44 + dataBytes);
  std::uint8_t* p = out.data();
  std::memcpy(p, "RIFF", 4);
  SetLe32(p + 4, 36 + dataBytes);
  std::memcpy(p + 8, "WAVEfmt ", 8);
  SetLe32(p + 16, 16);
  SetLe16(p + 20, kFormatPcm);
  SetLe16(p + 22, 1);
  SetLe32(p + 24, static_cast<std::uint32_t>(rate));
  SetLe32(p + 28, static_cast<std::uint32_t>(rate) * 2);
  SetLe16(p + 32, 2);
  SetLe16(p + 34, 16);
  std::memcpy(p + 36, "data", 4);
  SetLe32(p + 40, dataBytes);
  for (std::size_t i = 0; i < samples.size(); ++i) SetLe16(p + 44 + 2 * i, static_cast<std::uint16_t>(samples[i]));
  return out;
}

}  // namespace audio
