#include "launch/SoundWait.h"

#include <chrono>
#include <thread>

#include "audio/SoundOutput.h"

std::int64_t WaitForSoundToEnd(const SoundWaitHooks& hooks, std::int64_t maxMs) {
  const std::int64_t start = hooks.now();
  std::int64_t waited = 0;
  while (hooks.busy() && (waited = hooks.now() - start) < maxMs) hooks.pump();
  return hooks.now() - start;
}

SoundWaitHooks SoundOutputWaitHooks(SoundOutput* output) {
  SoundWaitHooks hooks;
  hooks.busy = [output] { return output && output->IsPlaying(); };
  hooks.pump = [output] {
    if (output && !output->Pump()) std::this_thread::sleep_for(std::chrono::milliseconds(5));
  };
  hooks.now = [] {
    return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
  };
  return hooks;
}
