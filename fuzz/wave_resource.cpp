// RIFF WAVE sounds as the built-in sound player reads them, converted as played.
#include <cstdint>
#include <span>

#include "audio/PcmConvert.h"
#include "audio/WaveResource.h"
#include "course/CourseFileError.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  try {
    const auto w = audio::ParseWaveResource(std::span<const std::uint8_t>(data, size));
    if (w.data.data() < data || w.data.data() + w.data.size() > data + size) __builtin_trap();
    const auto mode = w.rate == 11025 ? audio::OneShotMode::LittleEndian11k : audio::OneShotMode::Native;
    const auto samples = audio::OneShotSamples(w.data, mode);
    if (samples.size() != (mode == audio::OneShotMode::Native ? 1 : 2) * (w.data.size() / 2)) __builtin_trap();
  } catch (const CourseFileError& e) {
    if (e.kind() != CourseFileError::Kind::Format || e.offset() < 0 || std::uint64_t(e.offset()) > size) __builtin_trap();
  }
  return 0;
}
