#include <gtest/gtest.h>

#include "audio/ImaAdpcm.h"

using namespace audio;

TEST(ImaAdpcm, HeaderGivesPredictorAndStepIndex) {
  struct Case {
    std::uint8_t bytes[2];
    int predictor;
    int stepIndex;
  };
  const Case cases[] = {
      {{0x00, 0x00}, 0, 0},
      {{0x12, 0xB4}, 0x1280, 0x34},
      {{0xFF, 0x80}, -128, 0},
      {{0x80, 0x58}, -32768, 88},
      {{0x7F, 0xFF}, 0x7F80, 88},  // step index 127 is clamped
  };
  for (const auto& c : cases) {
    const ImaState s = ImaStateFromHeader(c.bytes);
    EXPECT_EQ(s.predictor, c.predictor);
    EXPECT_EQ(s.stepIndex, c.stepIndex);
  }
}

TEST(ImaAdpcm, DecodesLowNibbleFirstWithTheStandardTables) {
  // Codes 7 then 0 from rest: step 7 gives 7/8 + 7 + 7/2 + 7/4 = 0 + 7 + 3 + 1 = 11 and
  // index 8 (step 16); code 0 then adds 16/8 = 2 and drops the index to 7.
  std::uint8_t data[32] = {0x07};
  ImaState s;
  std::int16_t out[64];
  DecodeImaPacket(data, s, out);
  EXPECT_EQ(out[0], 11);
  EXPECT_EQ(out[1], 13);
  // Code 8 (sign only) subtracts step/8.
  std::uint8_t neg[32] = {0x88};
  ImaState n{100, 20};  // step 50
  DecodeImaPacket(neg, n, out);
  EXPECT_EQ(out[0], 100 - 6);
  EXPECT_EQ(out[1], 94 - 5);  // index 19: step 45
}

TEST(ImaAdpcm, PredictorAndIndexStayInRange) {
  std::uint8_t up[32];
  std::fill(std::begin(up), std::end(up), 0x77);
  ImaState s{32000, 80};
  std::int16_t out[64];
  DecodeImaPacket(up, s, out);
  EXPECT_EQ(s.predictor, 32767);
  EXPECT_EQ(s.stepIndex, 88);
  std::uint8_t down[32];
  std::fill(std::begin(down), std::end(down), 0xFF);
  DecodeImaPacket(down, s, out);
  EXPECT_EQ(s.predictor, -32768);
  // A state from outside the ranges is clamped before use.
  ImaState wild{99999, 200};
  std::uint8_t zero[32] = {};
  DecodeImaPacket(zero, wild, out);
  EXPECT_EQ(out[0], 32767);
}
