#include "audio/PcmConvert.h"

#include "course/ByteReader.h"

namespace audio {

void ReadBigEndian16(const std::uint8_t* bytes, std::size_t count, std::int16_t* out) {
  for (std::size_t i = 0; i < count; ++i)
    out[i] = static_cast<std::int16_t>(LoadBe16(std::span<const std::uint8_t, 2>(bytes + 2 * i, 2)));
}

void ReadLittleEndian16(const std::uint8_t* bytes, std::size_t count, std::int16_t* out) {
  for (std::size_t i = 0; i < count; ++i)
    out[i] = static_cast<std::int16_t>(LoadLe16(std::span<const std::uint8_t, 2>(bytes + 2 * i, 2)));
}

std::int16_t DoubleRate(const std::int16_t* in, std::size_t count, std::int16_t prev, std::int16_t* out) {
  for (std::size_t i = 0; i < count; ++i) {
    const std::int16_t s = in[i];
    out[2 * i] = static_cast<std::int16_t>((prev + s) / 2);
    out[2 * i + 1] = s;
    prev = s;
  }
  return prev;
}

std::size_t HalveRate(const std::int16_t* in, std::size_t count, std::int16_t* out) {
  const std::size_t pairs = count / 2;
  for (std::size_t i = 0; i < pairs; ++i) out[i] = static_cast<std::int16_t>((in[2 * i] + in[2 * i + 1]) / 2);
  if (count % 2) out[pairs] = in[count - 1];
  return pairs + count % 2;
}

std::vector<std::int16_t> OneShotSamples(std::span<const std::uint8_t> bytes, OneShotMode mode) {
  const std::size_t count = bytes.size() / 2;
  std::vector<std::int16_t> source(count);
  if (mode == OneShotMode::BigEndian11k)
    ReadBigEndian16(bytes.data(), count, source.data());
  else
    ReadLittleEndian16(bytes.data(), count, source.data());
  if (mode == OneShotMode::Native || count == 0) return source;
  std::vector<std::int16_t> out(2 * count);
  DoubleRate(source.data(), count, source[0], out.data());
  return out;
}

}  // namespace audio
