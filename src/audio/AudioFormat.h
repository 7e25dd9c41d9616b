// The one output format of the program and the units of the narration clock.
//
// Everything the wave output plays is 16-bit signed mono PCM at 22 050 samples per
// second; a clip's position and length are counted in those samples ("clock units").
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace audio {

constexpr int kClockRate = 22050;          // samples per second of the output and the clock
constexpr int kBytesPerSample = 2;         // 16-bit mono
constexpr int kBufferCount = 32;           // streaming buffers of the wave output
constexpr std::size_t kBufferBytes = 16384;
constexpr std::size_t kBufferSamples = kBufferBytes / kBytesPerSample;  // 8192, about 0.37 s

// Clip formats, as numbered in course documentation and `kncourse audio info`.
enum class ClipFormat {
  Aiff = 0,      // AIFF, 16-bit big-endian mono PCM at 11 025 Hz, doubled in rate
  Ima22k = 1,    // AIFC ima4 at 22 050 Hz
  Ima11k = 2,    // AIFC ima4 at 11 025 Hz, doubled in rate
  Vorbis = 3,    // Ogg Vorbis at 22 050 or 44 100 Hz (halved)
  Silent = 4,    // no data: a pure clock
};

const char* ClipFormatName(ClipFormat format);

// Volume scale of the output: device levels 0..255; the user picks one of nine levels.
constexpr int kUserVolumeLevels = 9;
// Level k (0..8) as a device level: k × 32, 8 giving 255.
int DeviceLevelFromUser(int userLevel);
// The user level (0..8) that a device level (0..255) shows as checked.
int UserLevelFromDevice(int deviceLevel);
// Menu caption of user level k ("Volume level 0 - silent" ...), from the string table.
std::string VolumeLevelCaption(int userLevel);

}  // namespace audio
