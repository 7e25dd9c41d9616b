// A decoded PNG image in one of the two forms pictures draw: 8-bit palette
// (one index per pixel, the palette and the length of the transparency table) or
// RGBA with 8 bits per channel. Other PNG forms are converted on reading: palette
// images of 1, 2 or 4 bits become 8-bit palette images; grey, grey with alpha, RGB
// and 16-bit images become RGBA. Rows are stored top row first.
//
// Decoding is done by libpng reading through the program's file object.
#pragma once

#include <QtGui/QRgb>
#include <cstdint>
#include <span>
#include <vector>

class CourseFile;

class PngImage {
 public:
  enum class Form { Palette8, Rgba8 };
  static constexpr int kMaxSide = 16384;
  static constexpr std::uint64_t kMaxPixels = 16u * 1024 * 1024;

  // Decodes the whole stream from the start of the file. Throws CourseFileError
  // (Format) with the decoder's message when the stream is broken, larger than the
  // limits, or too short to hold the pixels its header promises; nothing is
  // allocated for the pixels before the header has been checked.
  static PngImage Read(CourseFile& file);
  static bool HasSignature(std::span<const std::uint8_t> bytes);

  int width() const { return m_width; }
  int height() const { return m_height; }
  Form form() const { return m_form; }
  int pixelDepth() const { return m_form == Form::Palette8 ? 8 : 32; }
  std::size_t stride() const { return m_stride; }

  // Palette images: the palette (opaque colours) and the number of entries of the
  // transparency table (0 when the image has none).
  const std::vector<QRgb>& palette() const { return m_palette; }
  int transparencyCount() const { return m_transparencyCount; }

  const std::uint8_t* row(int y) const { return m_pixels.data() + static_cast<std::size_t>(y) * m_stride; }

 private:
  friend struct PngReadState;
  int m_width = 0;
  int m_height = 0;
  Form m_form = Form::Rgba8;
  std::size_t m_stride = 0;
  std::vector<QRgb> m_palette;
  int m_transparencyCount = 0;
  std::vector<std::uint8_t> m_pixels;
};
