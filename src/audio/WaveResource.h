// RIFF WAVE sounds: the program's built-in sounds (resources 7000-7043) and the files
// that `kncourse audio decode` writes.
#pragma once

#include <cstdint>
#include <string>
#include <span>
#include <vector>

namespace audio {

struct WaveSound {
  int rate = 0;                             // samples per second
  std::span<const std::uint8_t> data;       // 16-bit little-endian mono samples
};

// Walks the chunks after the 12-byte RIFF header. Returns the sound when the file has
// a "fmt " chunk for 16-bit mono PCM and a "data" chunk (cut to what is there); throws
// CourseFileError(Format) saying what is wrong and at which offset otherwise (label
// names the file). Never reads past bytes; data is a view into them.
WaveSound ParseWaveResource(std::span<const std::uint8_t> bytes, const std::string& label = {});

// A complete 16-bit mono PCM WAVE file of samples at rate.
std::vector<std::uint8_t> EncodeWaveFile(std::span<const std::int16_t> samples, int rate);

}  // namespace audio
