// The pixel rules of picture drawing: nearest-neighbour scaling with integer
// arithmetic, key colours, fading towards a tint, alpha blending, and the region
// of opaque pixels. Output images are built here pixel by pixel, never by Qt's
// scaler, so a picture looks the same on screen, in print and in tests.
#pragma once

#include <QtCore/QRect>
#include <QtGui/QImage>
#include <QtGui/QRegion>
#include <QtGui/QRgb>
#include <cstdint>
#include <vector>

// A read-only view of a picture's pixels. Rows are addressed from the bottom so
// that bottom-up bitmaps and top-down PNG images share one walk.
struct PixelSource {
  enum class Format {
    Indexed8,  // one colour-table index per pixel
    Rgb555,    // 16-bit little-endian, 5 bits per channel, key 0x77BD
    Bgr24,     // blue, green, red; key 254, 254, 254
    Bgrx32,    // blue, green, red, unused; key 254, 254, 254
    Rgba32,    // red, green, blue, alpha; alpha below 128 counts as transparent
  };

  Format format = Format::Indexed8;
  int width = 0;
  int height = 0;
  const std::uint8_t* bottomRow = nullptr;
  std::ptrdiff_t rowStep = 0;  // bytes from a row to the row above it; negative for top-down storage
  std::vector<QRgb> colours;   // Indexed8: the colour table (at most 256 entries)
  int keyIndex = -1;           // Indexed8: the key entry; -1 when there is none

  const std::uint8_t* rowFromBottom(int y) const { return bottomRow + rowStep * y; }
  const std::uint8_t* rowFromTop(int y) const { return rowFromBottom(height - 1 - y); }
  // Whether pixel x of a row is a key (transparent) pixel in this format.
  bool IsKey(const std::uint8_t* row, int x) const;
  // The pixel's colour, opaque; indexes beyond the table are black.
  QRgb Colour(const std::uint8_t* row, int x) const;
};

struct RenderOptions {
  bool masked = false;
  float fade = 0.0f;
  QRgb tint = qRgb(0, 0, 0);
  QRgb background = qRgb(255, 255, 255);
};

// Collects horizontal runs row by row into a region; rows with the same runs as the
// row above them extend its rectangles.
class RunRegionBuilder {
 public:
  void BeginRow(int y);
  void AddRun(int x0, int x1);  // [x0, x1), in increasing order within a row
  void EndRow();
  QRegion Region() const;

 private:
  std::vector<QRect> m_rects;
  std::size_t m_bandStart = 0;  // first rectangle of the band above
  std::size_t m_rowStart = 0;   // first rectangle of the current row
  int m_y = 0;
};

class PictureRenderer {
 public:
  // Builds the part `window` of the picture drawn at `size` (window lies within
  // (0, 0, size)); output pixel (x, y) is window.topLeft() + (x, y).
  //
  // Indexed8 sources give an 8-bit image with a 256-entry colour table; the others a
  // 32-bit image. A masked picture's opaque pixels are returned in *opaque (window
  // coordinates); the caller draws through it. A masked RGBA picture is blended into
  // *destination (the device's pixels under the window, RGB32), which becomes the
  // output; without it the output carries the blending alpha for the device to apply.
  static QImage Render(const PixelSource& source, QSize size, QRect window, const RenderOptions& options,
                       QRegion* opaque, QImage* destination = nullptr);
};
