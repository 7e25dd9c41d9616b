// Sample conversions into the output format (16-bit mono at 22 050 Hz).
//
// Rate doubling inserts before each sample the mean of it and the sample before it,
// so the doubled stream lags the source by one output sample; prev is the sample
// before the first one (pass the first sample itself at the start of a sound).
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace audio {

// 16-bit big-endian bytes to samples; count samples, 2 × count bytes read.
void ReadBigEndian16(const std::uint8_t* bytes, std::size_t count, std::int16_t* out);
void ReadLittleEndian16(const std::uint8_t* bytes, std::size_t count, std::int16_t* out);

// out receives 2 × count samples; returns the last input sample (the next call's prev).
std::int16_t DoubleRate(const std::int16_t* in, std::size_t count, std::int16_t prev, std::int16_t* out);

// Halves the rate by averaging pairs: out[i] = mean(in[2i], in[2i+1]); count input
// samples (a trailing odd one is averaged with itself). Returns output samples.
std::size_t HalveRate(const std::int16_t* in, std::size_t count, std::int16_t* out);

// Source layouts of one-shot sounds.
enum class OneShotMode {
  Native = 0,           // 16-bit little-endian at 22 050 Hz, played as is
  LittleEndian11k = 1,  // 16-bit little-endian at 11 025 Hz (built-in sounds)
  BigEndian11k = 2,     // 16-bit big-endian at 11 025 Hz (sounds embedded in exposition files)
};

// A one-shot sound as the output plays it. A trailing odd byte is dropped.
std::vector<std::int16_t> OneShotSamples(std::span<const std::uint8_t> bytes, OneShotMode mode);

}  // namespace audio
