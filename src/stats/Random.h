// The program's one pseudo-random generator. Every simulation of every tool and the
// script function `random` draw from it, so a draw anywhere changes the sequence seen
// everywhere else. User-interface thread only; no locking.
#pragma once

#include <cstdint>

// Linear congruential generator on one 32-bit state word:
//   state = state * 214013 + 2531011 (mod 2^32), draw = (state >> 16) & 0x7FFF.
// The same seed always gives the same sequence of draws (course scripts and the
// reaction experiment rely on that to replay a run).
struct RandomGenerator {
  std::uint32_t state = 1;

  // Advances the state once; returns 0..32767.
  int Draw() {
    state = state * 214013u + 2531011u;
    return static_cast<int>((state >> 16) & 0x7FFFu);
  }
};

inline constexpr int kRandomDrawMax = 32767;

// The program-wide instance. The application seeds it from the millisecond clock at
// start-up; until then it holds state 1.
RandomGenerator& ProgramRandomGenerator();

// Sets the program-wide state; the draws that follow repeat for the same seed.
void SeedRandom(std::uint32_t seed);

// One draw of the program-wide generator, 0..32767.
int RandomDraw();

// Uniform integer in [0, n): one draw modulo n. Since a draw never exceeds 32767,
// n above 32768 still gives results below 32768. For n < 1 (a tool's window too
// small for its margins, say) the draw is still taken and 0 is returned, so that the
// sequence of later draws does not depend on it.
int RandomInt(int n);
