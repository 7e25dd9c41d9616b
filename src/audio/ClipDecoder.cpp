#include "audio/ClipDecoder.h"

#include <algorithm>
#include <string>

#include "audio/AiffDecoder.h"
#include "audio/VorbisDecoder.h"
#include "course/AsciiCase.h"
#include "course/CourseFile.h"
#include "course/CourseFileError.h"

namespace audio {

std::unique_ptr<ClipDecoder> ClipDecoder::Open(CourseFile file, std::string_view name) {
  if (ContainsNoCase(name, ".aif")) return std::make_unique<AiffDecoder>(std::move(file));
  if (ContainsNoCase(name, ".ogg")) return std::make_unique<VorbisDecoder>(std::move(file));
  throw CourseFileError(CourseFileError::Kind::Format, std::string(name), "not an .aif or .ogg sound clip");
}

}  // namespace audio
