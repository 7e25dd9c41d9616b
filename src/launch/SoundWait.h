// Before a movie opens, a launch sound that is still playing is given time to end: while
// the sound player is busy and less than kMaxWaitMs have passed, its pending completions
// are handled.
#pragma once

#include <cstdint>
#include <functional>

inline constexpr std::int64_t kMaxSoundWaitMs = 3000;

struct SoundWaitHooks {
  std::function<bool()> busy;         // the sound player is still playing
  std::function<void()> pump;         // handle its pending completions (may sleep briefly)
  std::function<std::int64_t()> now;  // milliseconds of a monotonic clock
};

// Returns the milliseconds waited.
std::int64_t WaitForSoundToEnd(const SoundWaitHooks& hooks, std::int64_t maxMs = kMaxSoundWaitMs);

class SoundOutput;
// The hooks for the program's sound output (nullptr: never busy).
SoundWaitHooks SoundOutputWaitHooks(SoundOutput* output);
