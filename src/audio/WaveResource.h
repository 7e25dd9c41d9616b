// RIFF WAVE sounds: the program's built-in sounds (resources 7000-7043) and the files
// that `kncourse audio decode` writes.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace audio {

struct WaveSound {
  int rate = 0;                             // samples per second
  std::span<const std::uint8_t> data;       // 16-bit little-endian mono samples
};

// Walks the chunks after the 12-byte RIFF header. Returns the sound when the file has
// a "fmt " chunk for 16-bit mono PCM and a "data" chunk (cut to what is there);
// nothing otherwise. Never reads past bytes.
std::optional<WaveSound> ParseWaveResource(std::span<const std::uint8_t> bytes);

// A complete 16-bit mono PCM WAVE file of samples at rate.
std::vector<std::uint8_t> EncodeWaveFile(std::span<const std::int16_t> samples, int rate);

}  // namespace audio
