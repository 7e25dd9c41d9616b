// Hand-made pictures for the picture tests: bitmap files and packed bitmaps of every
// depth, PNG streams written with libpng, and a way to see the largest allocation a
// load makes.
#pragma once

#include <QtGui/QImage>
#include <QtGui/QRgb>
#include <cstdint>
#include <vector>

namespace pictest {

struct Bmp {
  int width = 0;
  int height = 0;  // written negative when topDown
  int bitCount = 8;
  std::vector<QRgb> colours;     // written as the colour table (count = size, 0 when 256 entries and `fullTable`)
  std::vector<std::uint32_t> pixels;  // top row first: an index, a raw 16-bit value, or 0xRRGGBB
  bool topDown = false;
  bool zeroCountForFullTable = true;
};

std::vector<std::uint8_t> PackedBitmap(const Bmp& bmp);
std::vector<std::uint8_t> BitmapFile(const Bmp& bmp);

// Writes a PNG with libpng. rows: top row first, already in the PNG's own sample layout.
struct Png {
  int width = 0;
  int height = 0;
  int colourType = 6;  // PNG_COLOR_TYPE_RGB_ALPHA
  int bitDepth = 8;
  bool interlaced = false;
  std::vector<QRgb> palette;
  std::vector<std::uint8_t> transparency;  // tRNS alphas for palette images
  std::vector<std::uint8_t> samples;       // packed rows, top first, no filter bytes
};
std::vector<std::uint8_t> EncodePng(const Png& png);
// Convenience: an 8-bit RGBA image from QRgb-style 0xAARRGGBB values, top row first.
std::vector<std::uint8_t> RgbaPng(int width, int height, const std::vector<QRgb>& pixels);
std::vector<std::uint8_t> PalettePng(int width, int height, const std::vector<QRgb>& palette, int transparencyCount,
                                     const std::vector<std::uint8_t>& indices);

// A canvas of that colour to draw on.
QImage Canvas(int width, int height, QRgb fill);
inline QRgb Rgb(const QImage& image, int x, int y) { return image.pixel(x, y) & 0xFFFFFF; }

// The largest single operator-new request while it lives.
class AllocationWatch {
 public:
  AllocationWatch();
  ~AllocationWatch();
  std::size_t largest() const;
  // False in sanitizer builds, whose runtime owns operator new.
  static bool Available();
};

}  // namespace pictest
