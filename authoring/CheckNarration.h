// The narration clip beside an exposition: the same name with ".ogg" (else ".aif") in
// place of ".exp" or ".scr". It must open as the sound clips do (mono Ogg Vorbis at
// 22 050 or 44 100 Hz, or mono 16-bit AIFF / IMA-compressed AIFC) and last at least
// until the last chunk's start.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace kncheck {

class CourseCheck;

// path: the exposition's course name; spoken: the file has narration lines;
// lastStart: the latest chunk start in samples of the 22 050 Hz clock (0: none),
// reported against lastStartLine.
void CheckNarrationClip(CourseCheck& check, const std::string& path, bool spoken, std::int32_t lastStart,
                        int lastStartLine);

// The clip's length in samples of the 22 050 Hz clock, or an error text.
struct ClipInfo {
  std::int64_t length = 0;
  std::string error;
};
ClipInfo ReadOggClip(const std::vector<std::uint8_t>& bytes);

}  // namespace kncheck
