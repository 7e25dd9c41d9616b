// Fixture access and synthetic sound files for the audio tests.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace audio {
class ClipDecoder;
}

namespace kntest {

// The whole clip, block by block, as a playing clip streams it.
std::vector<std::int16_t> DecodeAll(audio::ClipDecoder& decoder);

std::filesystem::path AudioFixture(const std::string& name);

// The samples of a 16-bit PCM WAVE fixture (found by a plain scan for its "data" chunk,
// independent of the program's own parser).
std::vector<std::int16_t> ReadWaveSamples(const std::filesystem::path& path);

// Signal-to-noise ratio in dB of actual against reference over their common length.
double SnrDb(const std::vector<std::int16_t>& reference, const std::vector<std::int16_t>& actual);
int MaxAbsDiff(const std::vector<std::int16_t>& a, const std::vector<std::int16_t>& b);

// An AIFF or AIFC file built from parts, for cases no encoder makes.
struct AiffShape {
  std::string form = "AIFF";
  int channels = 1;
  int sampleSize = 16;
  int exponent = 0x400C;          // 11 025 Hz class
  std::string compression;        // AIFC only, e.g. "ima4"
  std::vector<std::uint8_t> data; // SSND payload
  std::uint32_t ssndOffset = 0;
  bool comm = true;
  bool ssnd = true;
  std::vector<std::uint8_t> extraChunkBefore;  // a whole chunk placed before COMM
};
std::vector<std::uint8_t> BuildAiff(const AiffShape& shape);

// count 16-bit big-endian samples of a ramp.
std::vector<std::uint8_t> BigEndianRamp(std::size_t count);

}  // namespace kntest
