#include "hypertext/DibBitmap.h"

#include <algorithm>
#include <stdexcept>

#include "course/ByteReader.h"
#include "course/CourseFile.h"
#include "course/CourseFileError.h"

namespace {

constexpr std::uint32_t kCompressionNone = 0;
constexpr std::uint32_t kCompressionBitFields = 3;
constexpr std::size_t kMaxColours = 256;
// The largest header, bit-field masks and colour table a bitmap file can have
// before its pixels.
constexpr std::size_t kMaxFront = DibBitmap::kFileHeaderSize + 124 + 12 + kMaxColours * 4;

// What the information header says, checked for consistency.
struct Layout {
  int width = 0;
  int height = 0;  // positive
  bool topDown = false;
  int bitCount = 0;
  std::vector<QRgb> colours;
  std::size_t stride = 0;
  std::uint64_t pixelBytes = 0;  // stride x height
};

std::string Num(std::uint64_t v) { return std::to_string(v); }

// Reads the information header, any bit-field masks and the colour table at the
// reader's position; leaves the reader after the colour table.
Layout ReadLayout(ByteReader& r) {
  const std::size_t start = r.offset();
  const std::uint32_t headerSize = r.u32le("bitmap header size");
  if (headerSize != 40 && headerSize != 52 && headerSize != 56 && headerSize != 108 && headerSize != 124)
    r.failAt(start, "bitmap header size " + Num(headerSize) +
                        " is not supported (40, 52, 56, 108 or 124 expected; a file header or an old-style bitmap?)");
  const std::int32_t width = r.i32le("bitmap width");
  const std::int32_t rawHeight = r.i32le("bitmap height");
  r.u16le("bitmap planes");
  const std::uint16_t bitCount = r.u16le("bitmap depth");
  const std::uint32_t compression = r.u32le("bitmap compression");
  r.u32le("bitmap image size");  // recomputed from the rows; writers often leave it 0 or wrong
  r.u32le("bitmap horizontal resolution");
  r.u32le("bitmap vertical resolution");
  std::uint32_t colourCount = r.u32le("bitmap colour count");
  r.u32le("bitmap important colours");

  Layout l;
  if (width < 1 || width > DibBitmap::kMaxSide)
    r.failAt(start + 4, "bitmap width " + std::to_string(width) + " is out of range (1 to " +
                            std::to_string(DibBitmap::kMaxSide) + ")");
  // INT32_MIN has no positive counterpart; it is out of range like any other huge height.
  const std::int64_t height = rawHeight < 0 ? -std::int64_t(rawHeight) : rawHeight;
  if (height < 1 || height > DibBitmap::kMaxSide)
    r.failAt(start + 8, "bitmap height " + std::to_string(rawHeight) + " is out of range (1 to " +
                            std::to_string(DibBitmap::kMaxSide) + ")");
  if (std::uint64_t(width) * std::uint64_t(height) > DibBitmap::kMaxPixels)
    r.failAt(start + 4, "bitmap of " + std::to_string(width) + " x " + std::to_string(height) +
                            " pixels is larger than the " + Num(DibBitmap::kMaxPixels) + " pixels allowed");
  if (bitCount != 1 && bitCount != 4 && bitCount != 8 && bitCount != 16 && bitCount != 24 && bitCount != 32)
    r.failAt(start + 14, std::to_string(bitCount) + "-bit bitmaps are not supported (1, 4, 8, 16, 24 or 32 bits per pixel)");

  if (compression == kCompressionBitFields && (bitCount == 16 || bitCount == 32)) {
    // Bit-field masks live in the larger headers, or follow the 40-byte one. Only
    // the plain layouts are accepted: the pixels are read as 5-5-5 or B, G, R, x.
    const std::size_t maskAt = start + 40;
    const std::size_t after = r.offset() + (headerSize > 40 ? headerSize - 40 : 0);
    r.seek(maskAt, "bit-field masks");
    const std::uint32_t red = r.u32le("red mask"), green = r.u32le("green mask"), blue = r.u32le("blue mask");
    const bool plain = bitCount == 16 ? (red == 0x7C00 && green == 0x03E0 && blue == 0x001F)
                                      : (red == 0xFF0000 && green == 0xFF00 && blue == 0xFF);
    if (!plain)
      r.failAt(maskAt, "bit-field layout " + Num(red) + "/" + Num(green) + "/" + Num(blue) +
                           " is not supported (5-5-5 or 8-8-8 only)");
    if (headerSize > 40) r.seek(after, "end of bitmap header");
  } else if (compression != kCompressionNone) {
    r.failAt(start + 16, "compressed bitmaps are not supported (compression " + Num(compression) + ")");
  } else {
    r.skip(headerSize - 40, "bitmap header");
  }

  if (colourCount == 0 && bitCount <= 8) colourCount = 1u << bitCount;
  if (colourCount > kMaxColours)
    r.failAt(start + 32, "colour table of " + Num(colourCount) + " entries is too large (at most 256)");
  const auto table = r.bytes(colourCount * 4, "colour table");
  l.colours.reserve(colourCount);
  for (std::size_t i = 0; i < colourCount; ++i)
    l.colours.push_back(qRgb(table[4 * i + 2], table[4 * i + 1], table[4 * i]));

  l.width = width;
  l.height = static_cast<int>(height);
  l.topDown = rawHeight < 0;
  l.bitCount = bitCount;
  l.stride = DibBitmap::RowBytes(width, bitCount);
  l.pixelBytes = std::uint64_t(l.stride) * std::uint64_t(l.height);
  return l;
}

std::string PixelShortage(const Layout& l, std::uint64_t available) {
  return "pixel data has " + Num(available) + " bytes; " + std::to_string(l.width) + " x " +
         std::to_string(l.height) + " at " + std::to_string(l.bitCount) + " bits needs " + Num(l.pixelBytes);
}

}  // namespace

std::size_t DibBitmap::RowBytes(int width, int bitCount) {
  return static_cast<std::size_t>((std::uint64_t(width) * std::uint64_t(bitCount) + 31) / 32 * 4);
}

DibBitmap::DibBitmap(int width, int height, int bitCount, std::vector<QRgb> colours)
    : m_width(width), m_height(height), m_bitCount(bitCount), m_colours(std::move(colours)) {
  if (width < 1 || height < 1 || width > kMaxSide || height > kMaxSide ||
      std::uint64_t(width) * std::uint64_t(height) > kMaxPixels ||
      (bitCount != 8 && bitCount != 16 && bitCount != 24 && bitCount != 32) || m_colours.size() > kMaxColours)
    throw std::invalid_argument("bitmap size, depth or colour table out of range");
  m_stride = RowBytes(width, bitCount);
  m_bits.assign(m_stride * static_cast<std::size_t>(height), 0);
}

namespace {

// Rows bottom first; 1- and 4-bit pictures become 8-bit ones with the same table.
DibBitmap Assemble(Layout&& l, std::span<const std::uint8_t> pixels) {
  DibBitmap b(l.width, l.height, std::max(l.bitCount, 8), std::move(l.colours));
  for (int y = 0; y < l.height; ++y) {
    const std::uint8_t* src = pixels.data() + static_cast<std::size_t>(l.topDown ? l.height - 1 - y : y) * l.stride;
    std::uint8_t* dst = b.rowFromBottom(y);
    if (l.bitCount >= 8) {
      std::copy_n(src, l.stride, dst);
      continue;
    }
    const int perByte = 8 / l.bitCount, mask = (1 << l.bitCount) - 1;
    for (int x = 0; x < l.width; ++x) {
      const int shift = 8 - l.bitCount * (x % perByte + 1);
      dst[x] = static_cast<std::uint8_t>((src[x / perByte] >> shift) & mask);
    }
  }
  return b;
}

}  // namespace

DibBitmap DibBitmap::FromPacked(std::span<const std::uint8_t> data, const std::string& label) {
  ByteReader r(data, label);
  Layout l = ReadLayout(r);
  if (r.remaining() < l.pixelBytes) r.fail(PixelShortage(l, r.remaining()));
  // Bytes past the last row are not part of the picture.
  return Assemble(std::move(l), data.subspan(r.offset(), static_cast<std::size_t>(l.pixelBytes)));
}

DibBitmap DibBitmap::ReadFile(CourseFile& file) {
  const std::uint64_t fileSize = file.size();
  const auto front = file.readAt(0, std::min<std::uint64_t>(fileSize, kMaxFront), "bitmap headers");
  ByteReader r(front, file.path());
  if (r.u8("file signature") != 'B' || r.u8("file signature") != 'M') r.failAt(0, "not a bitmap file (no \"BM\" signature)");
  r.skip(8, "file header");
  const std::uint32_t pixelOffset = r.u32le("pixel data offset");
  Layout l = ReadLayout(r);
  // The pixels are taken from the offset the file header gives, which may leave a
  // gap after the colour table; an offset inside the headers is a broken file.
  if (pixelOffset < r.offset())
    r.failAt(10, "pixel data offset " + Num(pixelOffset) + " lies inside the bitmap headers (which end at " +
                     Num(r.offset()) + ")");
  if (pixelOffset > fileSize)
    r.failAt(10, "pixel data offset " + Num(pixelOffset) + " lies beyond the end of the file (" + Num(fileSize) +
                     " bytes)");
  const std::uint64_t available = fileSize - pixelOffset;
  if (available < l.pixelBytes)
    throw CourseFileError(CourseFileError::Kind::Format, file.path(), PixelShortage(l, available), pixelOffset);
  const auto pixels = file.readAt(pixelOffset, l.pixelBytes, "bitmap pixels");
  return Assemble(std::move(l), pixels);
}
