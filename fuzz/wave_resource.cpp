// RIFF WAVE sounds as the built-in sound player reads them, converted as played.
#include <cstdint>
#include <span>

#include "audio/PcmConvert.h"
#include "audio/WaveResource.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (const auto w = audio::ParseWaveResource(std::span<const std::uint8_t>(data, size))) {
    const auto mode = w->rate == 11025 ? audio::OneShotMode::LittleEndian11k : audio::OneShotMode::Native;
    const auto samples = audio::OneShotSamples(w->data, mode);
    if (samples.size() != (mode == audio::OneShotMode::Native ? 1 : 2) * (w->data.size() / 2)) __builtin_trap();
  }
  return 0;
}
