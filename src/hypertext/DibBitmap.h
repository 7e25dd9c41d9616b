// A device-independent bitmap as pictures keep it: width, height, depth, colour
// table, and pixel rows stored bottom row first, each padded to a multiple of 4
// bytes. Depths 8, 16 (5 bits per channel), 24 and 32 bits; 1- and 4-bit bitmaps
// are read as 8-bit ones.
//
// Both readers check every header field against the bytes actually present before
// allocating anything, and throw CourseFileError(Format) naming the fault and its
// offset. Top-down bitmaps (negative height) are turned bottom-up on reading.
#pragma once

#include <QtGui/QRgb>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

class CourseFile;

class DibBitmap {
 public:
  static constexpr int kMaxSide = 16384;
  static constexpr std::uint64_t kMaxPixels = 16u * 1024 * 1024;
  static constexpr std::size_t kFileHeaderSize = 14;
  static constexpr std::size_t kInfoHeaderSize = 40;

  DibBitmap() = default;
  // A blank (all index 0 / black) bitmap; throws std::invalid_argument outside the limits.
  DibBitmap(int width, int height, int bitCount, std::vector<QRgb> colours = {});

  // Packed form, as picture entries of resource containers hold it: information
  // header, colour table (the header's colour count, or the full table for pictures
  // of 8 bits or fewer with count 0), pixels. label names the source in errors.
  static DibBitmap FromPacked(std::span<const std::uint8_t> data, const std::string& label = {});
  // Bitmap file: the 14-byte file header, then the packed form; the pixels start at
  // the file header's pixel data offset.
  static DibBitmap ReadFile(CourseFile& file);

  // Bytes per row for a width and depth, padded to 4 bytes.
  static std::size_t RowBytes(int width, int bitCount);

  int width() const { return m_width; }
  int height() const { return m_height; }
  int bitCount() const { return m_bitCount; }
  std::size_t stride() const { return m_stride; }

  // The colour table, opaque RGB (for deeper bitmaps usually empty).
  const std::vector<QRgb>& colours() const { return m_colours; }
  std::vector<QRgb>& colours() { return m_colours; }

  const std::uint8_t* rowFromBottom(int y) const { return m_bits.data() + static_cast<std::size_t>(y) * m_stride; }
  std::uint8_t* rowFromBottom(int y) { return m_bits.data() + static_cast<std::size_t>(y) * m_stride; }
  std::size_t pixelBytes() const { return m_bits.size(); }

 private:
  int m_width = 0;
  int m_height = 0;
  int m_bitCount = 0;
  std::size_t m_stride = 0;
  std::vector<QRgb> m_colours;
  std::vector<std::uint8_t> m_bits;
};
