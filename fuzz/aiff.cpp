// AIFF and AIFC clips: the chunk walk, and decoding with seeks through the IMA state table.
#include <cstdint>
#include <vector>

#include "audio/AiffDecoder.h"
#include "course/CourseFile.h"
#include "course/CourseFileError.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  try {
    audio::AiffDecoder d(CourseFile::FromMemory(std::vector<std::uint8_t>(data, data + size), "fuzz.aif"));
    std::vector<std::int16_t> out(static_cast<std::size_t>(d.unitsPerBlock()));
    const std::int64_t length = d.length();
    // The first blocks in order, then a seek into the middle and one back to the start.
    for (std::int64_t b = 0; b < d.blockCount() && b < 4; ++b) {
      const std::int64_t from = b * d.unitsPerBlock();
      d.decode(from, std::min(length, from + d.unitsPerBlock()), out.data());
    }
    for (std::int64_t at : {length / 2 + 13, std::int64_t{0}}) {
      const std::int64_t from = d.alignDown(at);
      d.decode(from, std::min(length, (d.blockOf(from) + 1) * d.unitsPerBlock()), out.data());
    }
  } catch (const CourseFileError&) {
  }
  return 0;
}
