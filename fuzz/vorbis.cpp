// Ogg Vorbis clips through the program's file callbacks: opening, decoding, seeking.
#include <cstdint>
#include <vector>

#include "audio/VorbisDecoder.h"
#include "course/CourseFile.h"
#include "course/CourseFileError.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  try {
    audio::VorbisDecoder d(CourseFile::FromMemory(std::vector<std::uint8_t>(data, data + size), "fuzz.ogg"));
    std::vector<std::int16_t> out(static_cast<std::size_t>(d.unitsPerBlock()));
    const std::int64_t length = d.length();
    for (std::int64_t from : {std::int64_t{0}, length / 3, std::int64_t{0}}) {
      const std::int64_t to = std::min(length, (d.blockOf(from) + 1) * d.unitsPerBlock());
      d.decode(from, to, out.data());
    }
  } catch (const CourseFileError&) {
  }
  return 0;
}
