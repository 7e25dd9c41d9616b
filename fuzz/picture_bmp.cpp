// Bitmaps: bitmap files and packed bitmaps (container entries), loaded and drawn.
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
    CourseFile file = CourseFile::FromMemory(bytes, "fuzz.bmp");
    p.LoadFromFile(file);
    picturefuzz::Exercise(p, variant);
  }
  {
    Picture p;
    p.LoadFromMemory(bytes);
    picturefuzz::Exercise(p, variant);
  }
  {
    Picture p;
    p.LoadProgramBitmap(bytes, "bitmap/fuzz.bmp");
    picturefuzz::Exercise(p, variant);
  }
  return 0;
}
