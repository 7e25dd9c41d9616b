#include <gtest/gtest.h>

#include <array>
#include <vector>

#include "stats/Random.h"

TEST(Random, SeedOneGivesTheKnownFirstDraws) {
  SeedRandom(1);
  const std::array<int, 4> expected{41, 18467, 6334, 26500};
  for (int want : expected) EXPECT_EQ(RandomDraw(), want);
}

TEST(Random, ReseedingRepeatsTheSequence) {
  for (std::uint32_t seed : {0u, 7u, 123456789u, 0xFFFFFFFFu}) {
    SeedRandom(seed);
    std::vector<int> first;
    for (int i = 0; i < 50; ++i) first.push_back(RandomDraw());
    SeedRandom(seed);
    for (int i = 0; i < 50; ++i) EXPECT_EQ(RandomDraw(), first[i]) << "seed " << seed << " draw " << i;
  }
}

TEST(Random, StateWrapsModulo2To32) {
  // 0xFFFFFFFF * 214013 + 2531011 = 2316998 (mod 2^32); the draw is its bits 16 to 30:
  // 2316998 = 35 x 65536 + 23238.
  SeedRandom(0xFFFFFFFFu);
  EXPECT_EQ(RandomDraw(), 35);
  EXPECT_EQ(ProgramRandomGenerator().state, 2316998u);
}

TEST(Random, DrawsSpanTheWholeRange) {
  SeedRandom(2024);
  int lo = kRandomDrawMax, hi = 0;
  for (int i = 0; i < 200000; ++i) {
    const int d = RandomDraw();
    ASSERT_GE(d, 0);
    ASSERT_LE(d, kRandomDrawMax);
    lo = std::min(lo, d);
    hi = std::max(hi, d);
  }
  EXPECT_EQ(lo, 0);
  EXPECT_EQ(hi, kRandomDrawMax);
}

TEST(Random, RandomIntIsTheDrawModuloN) {
  for (int n : {1, 2, 100, 1000, 8192, 10000, 16000, 32768, 100000}) {
    SeedRandom(99);
    std::vector<int> draws;
    for (int i = 0; i < 20; ++i) draws.push_back(RandomDraw());
    SeedRandom(99);
    for (int i = 0; i < 20; ++i) EXPECT_EQ(RandomInt(n), draws[i] % n) << "n " << n;
  }
}

TEST(Random, RandomIntCoversItsRangeEvenly) {
  SeedRandom(5);
  std::array<int, 10> counts{};
  const int total = 100000;
  for (int i = 0; i < total; ++i) ++counts[RandomInt(10)];
  for (int c : counts) EXPECT_NEAR(c, total / 10, total / 100);  // within 10 % of the mean
}

TEST(Random, RandomIntBelowOneGivesZeroAndStillAdvances) {
  for (int n : {0, -1, -32768}) {
    SeedRandom(3);
    RandomDraw();
    const int next = RandomDraw();
    SeedRandom(3);
    EXPECT_EQ(RandomInt(n), 0) << n;
    EXPECT_EQ(RandomDraw(), next) << n;
  }
}
