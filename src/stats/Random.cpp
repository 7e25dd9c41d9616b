#include "stats/Random.h"

RandomGenerator& ProgramRandomGenerator() {
  static RandomGenerator generator;
  return generator;
}

void SeedRandom(std::uint32_t seed) { ProgramRandomGenerator().state = seed; }

int RandomDraw() { return ProgramRandomGenerator().Draw(); }

int RandomInt(int n) {
  const int draw = RandomDraw();
  if (n < 1) return 0;
  return draw % n;
}
