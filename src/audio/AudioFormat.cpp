#include "audio/AudioFormat.h"

#include <algorithm>
#include <string>

#include "course/ProgramResources.h"
#include "course/StringIds.h"

namespace audio {

namespace {
}

const char* ClipFormatName(ClipFormat format) {
  switch (format) {
    case ClipFormat::Aiff: return "AIFF 16-bit PCM, 11025 Hz";
    case ClipFormat::Ima22k: return "AIFC ima4, 22050 Hz";
    case ClipFormat::Ima11k: return "AIFC ima4, 11025 Hz";
    case ClipFormat::Vorbis: return "Ogg Vorbis";
    case ClipFormat::Silent: return "silent";
  }
  return "unknown";
}

int DeviceLevelFromUser(int userLevel) { return std::min(255, std::clamp(userLevel, 0, kUserVolumeLevels - 1) * 32); }

int UserLevelFromDevice(int deviceLevel) { return (std::clamp(deviceLevel, 0, 255) + 1) / 32; }

std::string VolumeLevelCaption(int userLevel) {
  return ProgramString(str::kVolumeLevel0 + std::clamp(userLevel, 0, kUserVolumeLevels - 1));
}

}  // namespace audio
