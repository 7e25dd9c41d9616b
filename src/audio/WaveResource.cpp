#include "audio/WaveResource.h"

#include <algorithm>
#include <optional>

#include "course/ByteReader.h"

namespace audio {

namespace {
constexpr std::uint16_t kFormatPcm = 1;
}  // namespace

WaveSound ParseWaveResource(std::span<const std::uint8_t> bytes, const std::string& label) {
  ByteReader r(bytes, label);
  if (r.chars(4, "RIFF header") != "RIFF") r.failAt(0, "not a RIFF file");
  r.u32le("RIFF size");  // the chunks are walked instead; writers get it wrong
  if (r.chars(4, "RIFF form type") != "WAVE") r.failAt(8, "RIFF form is not WAVE");
  std::optional<int> rate;
  std::optional<std::span<const std::uint8_t>> data;
  while (r.remaining() >= 8 && !(rate && data)) {
    const std::size_t at = r.offset();
    const std::string_view id = r.chars(4, "chunk id");
    const std::uint32_t declared = r.u32le("chunk size");
    const std::size_t body = r.offset();
    const std::size_t size = std::min<std::size_t>(declared, r.remaining());
    if (id == "fmt " && !rate) {
      if (size < 16) r.failAt(at, "fmt chunk of " + std::to_string(size) + " bytes is shorter than 16");
      if (const auto tag = r.u16le("format tag"); tag != kFormatPcm)
        r.failAt(body, "format tag " + std::to_string(tag) + " is not PCM (1)");
      if (const auto channels = r.u16le("channel count"); channels != 1)
        r.failAt(body + 2, std::to_string(channels) + " channels; only mono is played");
      const std::uint32_t samplesPerSecond = r.u32le("sample rate");
      r.skip(6, "fmt chunk");  // byte rate and block alignment follow from the rest
      if (const auto bits = r.u16le("sample size"); bits != 16)
        r.failAt(body + 14, std::to_string(bits) + "-bit samples; only 16-bit is played");
      rate = static_cast<int>(samplesPerSecond);
    } else if (id == "data" && !data) {
      data = bytes.subspan(body, size & ~std::size_t(1));
    }
    // Chunks are padded to an even size; a declared size past the end ends the walk.
    if (declared > bytes.size() - body) break;
    const std::size_t next = body + declared + (declared & 1);
    if (next > bytes.size()) break;
    r.seek(next);
  }
  if (!rate) r.fail("no fmt chunk");
  if (!data) r.fail("no data chunk");
  return WaveSound{*rate, *data};
}

std::vector<std::uint8_t> EncodeWaveFile(std::span<const std::int16_t> samples, int rate) {
  const auto dataBytes = static_cast<std::uint32_t>(samples.size() * 2);
  std::vector<std::uint8_t> out;
  out.reserve(44 + dataBytes);
  const auto tag = [&out](std::string_view id) { out.insert(out.end(), id.begin(), id.end()); };
  tag("RIFF");
  AppendLe32(out, 36 + dataBytes);
  tag("WAVEfmt ");
  AppendLe32(out, 16);
  AppendLe16(out, kFormatPcm);
  AppendLe16(out, 1);
  AppendLe32(out, static_cast<std::uint32_t>(rate));
  AppendLe32(out, static_cast<std::uint32_t>(rate) * 2);
  AppendLe16(out, 2);
  AppendLe16(out, 16);
  tag("data");
  AppendLe32(out, dataBytes);
  for (std::int16_t sample : samples) AppendLe16(out, static_cast<std::uint16_t>(sample));
  return out;
}

}  // namespace audio
