// PNG images: decoded through the program's file object and drawn.
#include <zlib.h>

#include <cstdint>
#include <vector>

#include "PictureFuzzing.h"
#include "course/ByteReader.h"
#include "course/CourseFile.h"

namespace {

// Mutations almost always break a chunk checksum, which stops decoding at once;
// a second pass with every checksum made right lets them reach the image data.
std::vector<std::uint8_t> WithFixedChecksums(std::vector<std::uint8_t> bytes) {
  std::size_t at = 8;
  while (at + 12 <= bytes.size()) {
    const std::uint32_t length = LoadBe32(std::span(bytes).subspan(at).first<4>());
    if (length > bytes.size() - at - 12) break;
    const std::size_t crcAt = at + 8 + length;
    const auto crc = static_cast<std::uint32_t>(crc32(0, bytes.data() + at + 4, static_cast<uInt>(length + 4)));
    StoreBe32(std::span(bytes).subspan(crcAt).first<4>(), crc);
    at = crcAt + 4;
  }
  return bytes;
}

void Decode(const std::vector<std::uint8_t>& bytes, std::uint8_t variant) {
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
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  picturefuzz::Quiet();
  const std::uint8_t variant = size ? data[size - 1] : 0;
  const std::vector<std::uint8_t> bytes(data, data + size);
  Decode(bytes, variant);
  const auto fixed = WithFixedChecksums(bytes);
  if (fixed != bytes) Decode(fixed, variant);
  return 0;
}
