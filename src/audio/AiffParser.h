// Finds the sound data of an AIFF or AIFC narration clip.
//
// Accepted: AIFF with 16-bit mono PCM at 11 025 Hz (format 0), and AIFC with "ima4"
// compression, mono, at 22 050 Hz (format 1) or 11 025 Hz (format 2). The rate is told
// by the exponent of the COMM chunk's extended-precision rate: 12 for rates from 8 192
// to 16 383 Hz (played as 11 025), 13 for 16 384 to 32 767 Hz (played as 22 050, ima4
// only). Anything else is refused rather than played at the wrong speed.
#pragma once

#include <cstdint>

#include "audio/AudioFormat.h"

class CourseFile;

namespace audio {

struct AiffLayout {
  ClipFormat format = ClipFormat::Aiff;
  std::uint64_t dataStart = 0;  // file offset of the first sample byte or packet
  std::uint64_t dataSize = 0;   // bytes of sound data, cut to what the file holds
};

// Reads the chunk structure of file. Throws CourseFileError (Format) saying what is
// wrong and where, or (Access) when the file cannot be read.
AiffLayout ParseAiff(CourseFile& file);

}  // namespace audio
