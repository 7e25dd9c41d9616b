// PNG images: decoded through the program's file object and drawn.
#include <cstdint>
#include <vector>

#include "PictureFuzzing.h"
#include "course/CourseFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  picturefuzz::Quiet();
  const std::uint8_t variant = size ? data[size - 1] : 0;
  std::vector<std::uint8_t> bytes(data, data + size);
  {
    Picture p;
    CourseFile file = CourseFile::FromMemory(bytes, "fuzz.png");
    p.LoadFromFile(file);
    picturefuzz::Exercise(p, variant);
  }
  {
    // Program bitmaps may be palette PNG images, converted to bitmaps.
    Picture p;
    p.LoadProgramBitmap(bytes, "bitmap/fuzz.png");
    picturefuzz::Exercise(p, variant);
  }
  return 0;
}
