#include "audio/ClipDecoder.h"

#include <algorithm>
#include <string>

#include "audio/AiffDecoder.h"
#include "audio/VorbisDecoder.h"
#include "course/CourseFile.h"
#include "course/CourseFileError.h"

namespace audio {

std::unique_ptr<ClipDecoder> ClipDecoder::Open(CourseFile file, std::string_view name) {
  std::string lower(name);
  std::transform(lower.begin(), lower.end(), lower.begin(),
                 [](unsigned char c) { return static_cast<char>(c >= 'A' && c <= 'Z' ? c + 32 : c); });
  if (lower.find(".aif") != std::string::npos) return std::make_unique<AiffDecoder>(std::move(file));
  if (lower.find(".ogg") != std::string::npos) return std::make_unique<VorbisDecoder>(std::move(file));
  throw CourseFileError(CourseFileError::Kind::Format, std::string(name), "not an .aif or .ogg sound clip");
}

}  // namespace audio
