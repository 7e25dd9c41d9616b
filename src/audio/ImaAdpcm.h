// IMA ADPCM as stored in AIFC "ima4" files: 34-byte packets, each a two-byte header
// and 32 data bytes holding 64 four-bit codes, low nibble first.
//
// Step and index tables: IMA Digital Audio Focus and Technical Working Groups,
// "Recommended Practices for Enhancing Digital Audio Compatibility in Multimedia
// Systems", revision 3.00, 1992.
#pragma once

#include <cstddef>
#include <cstdint>

namespace audio {

constexpr std::size_t kImaPacketBytes = 34;
constexpr std::size_t kImaPacketSamples = 64;

struct ImaState {
  std::int32_t predictor = 0;  // last decoded sample, -32768..32767
  std::int32_t stepIndex = 0;  // 0..88

  bool operator==(const ImaState&) const = default;
};

// The state a packet header announces: the big-endian word with its low 7 bits
// cleared, read as a signed sample, and the low 7 bits as step index (clamped to 88).
ImaState ImaStateFromHeader(const std::uint8_t header[2]);

// Decodes the 64 codes of one packet (the 32 bytes after its header) from state,
// which is left as it stands after the last sample. out receives 64 samples.
void DecodeImaPacket(const std::uint8_t data[32], ImaState& state, std::int16_t out[64]);

// Runs the decoder over packets without producing samples (to reach a later packet).
void SkipImaPacket(const std::uint8_t data[32], ImaState& state);

}  // namespace audio
