#include "audio/ImaAdpcm.h"

#include <algorithm>

#include "course/ByteReader.h"

namespace audio {

namespace {

constexpr std::int16_t kStepTable[89] = {
    7,     8,     9,     10,    11,    12,    13,    14,    16,    17,    19,    21,    23,    25,    28,
    31,    34,    37,    41,    45,    50,    55,    60,    66,    73,    80,    88,    97,    107,   118,
    130,   143,   157,   173,   190,   209,   230,   253,   279,   307,   337,   371,   408,   449,   494,
    544,   598,   658,   724,   796,   876,   963,   1060,  1166,  1282,  1411,  1552,  1707,  1878,  2066,
    2272,  2499,  2749,  3024,  3327,  3660,  4026,  4428,  4871,  5358,  5894,  6484,  7132,  7845,  8630,
    9493,  10442, 11487, 12635, 13899, 15289, 16818, 18500, 20350, 22385, 24623, 27086, 29794, 32767};

constexpr std::int8_t kIndexTable[16] = {-1, -1, -1, -1, 2, 4, 6, 8, -1, -1, -1, -1, 2, 4, 6, 8};

inline std::int16_t Expand(ImaState& s, unsigned code) {
  const int step = kStepTable[s.stepIndex];
  int diff = step >> 3;
  if (code & 4) diff += step;
  if (code & 2) diff += step >> 1;
  if (code & 1) diff += step >> 2;
  s.predictor = std::clamp(code & 8 ? s.predictor - diff : s.predictor + diff, -32768, 32767);
  s.stepIndex = std::clamp(s.stepIndex + kIndexTable[code], 0, 88);
  return static_cast<std::int16_t>(s.predictor);
}

}  // namespace

ImaState ImaStateFromHeader(const std::uint8_t header[2]) {
  const std::uint16_t word = LoadBe16(std::span<const std::uint8_t, 2>(header, 2));
  ImaState s;
  s.predictor = static_cast<std::int16_t>(word & 0xFF80);
  s.stepIndex = std::min(word & 0x7F, 88);
  return s;
}

void DecodeImaPacket(const std::uint8_t data[32], ImaState& state, std::int16_t out[64]) {
  // A state from outside (a table or a caller) is brought into range first.
  state.predictor = std::clamp(state.predictor, -32768, 32767);
  state.stepIndex = std::clamp(state.stepIndex, 0, 88);
  for (int i = 0; i < 32; ++i) {
    out[2 * i] = Expand(state, data[i] & 0x0F);
    out[2 * i + 1] = Expand(state, data[i] >> 4);
  }
}

void SkipImaPacket(const std::uint8_t data[32], ImaState& state) {
  std::int16_t scratch[64];
  DecodeImaPacket(data, state, scratch);
}

}  // namespace audio
