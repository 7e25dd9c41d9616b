#include "setup/PackedDib.h"

#include <QtGui/QImage>
#include <cstdlib>
#include <string>

#include "course/ByteReader.h"
#include "course/CourseFileError.h"

namespace {

constexpr std::uint32_t kInfoHeader = 40;   // the classic information header
constexpr std::uint32_t kV4Header = 108;    // with colour masks and colour space
constexpr std::uint32_t kV5Header = 124;
constexpr std::size_t kFileHeader = 14;
constexpr std::uint32_t kRgb = 0, kRle8 = 1, kRle4 = 2, kBitFields = 3;

std::string Num(std::uint64_t v) { return std::to_string(v); }

}  // namespace

std::vector<std::uint8_t> PackedDibToBmpFile(std::span<const std::uint8_t> dib, const std::string& label) {
  ByteReader r(dib, label);
  if (dib.size() < kInfoHeader)
    r.failAt(0, "packed bitmap of " + Num(dib.size()) + " bytes is shorter than its 40-byte header");
  const std::uint32_t headerSize = r.u32le("bitmap header size");
  if (headerSize != kInfoHeader && headerSize != kV4Header && headerSize != kV5Header)
    r.failAt(0, "bitmap header size " + Num(headerSize) + " is not 40, 108 or 124");
  if (dib.size() < headerSize)
    r.failAt(0, "bitmap header of " + Num(headerSize) + " bytes runs past the end (" + Num(dib.size()) + " bytes)");
  const std::int32_t width = r.i32le("bitmap width");
  const std::int32_t height = r.i32le("bitmap height");
  const std::uint16_t planes = r.u16le("bitmap planes");
  const std::uint16_t bits = r.u16le("bitmap depth");
  const std::uint32_t compression = r.u32le("bitmap compression");
  r.skip(12, "bitmap size and resolution");
  const std::uint32_t colorsUsed = r.u32le("bitmap colour count");

  using setup_limits::kMaxDibSide;
  if (width <= 0 || width > kMaxDibSide) r.failAt(4, "bitmap width " + std::to_string(width) + " is out of range");
  // INT32_MIN has no positive counterpart, so heights are compared before negating.
  if (height == 0 || height > kMaxDibSide || height < -kMaxDibSide)
    r.failAt(8, "bitmap height " + std::to_string(height) + " is out of range");
  if (static_cast<std::int64_t>(width) * std::abs(static_cast<std::int64_t>(height)) > setup_limits::kMaxDibPixels)
    r.failAt(4, "bitmap of " + std::to_string(width) + " x " + std::to_string(height) + " pixels is too large");
  if (planes != 1) r.failAt(12, "bitmap of " + Num(planes) + " planes (1 expected)");
  const std::string depth = "bitmap depth " + Num(bits) + " does not suit compression " + Num(compression);
  switch (compression) {
    case kRgb:
      if (bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32) r.failAt(14, depth);
      break;
    case kRle8:
    case kRle4:
      if (bits != (compression == kRle8 ? 8 : 4)) r.failAt(14, depth);
      if (height < 0) r.failAt(8, "run-length bitmap stored top-down");
      break;
    case kBitFields:
      if (bits != 16 && bits != 32) r.failAt(14, depth);
      break;
    default:
      r.failAt(16, "bitmap compression " + Num(compression) + " is not supported");
  }
  const std::uint32_t maxColors = bits <= 8 ? (1u << bits) : 256;
  if (colorsUsed > maxColors)
    r.failAt(32, "colour table of " + Num(colorsUsed) + " entries is too large (at most " + Num(maxColors) + ")");
  const std::uint64_t colors = colorsUsed ? colorsUsed : (bits <= 8 ? (1u << bits) : 0);
  const std::uint64_t masks = compression == kBitFields && headerSize == kInfoHeader ? 12 : 0;
  const std::uint64_t pixelOffset = headerSize + masks + 4 * colors;
  if (pixelOffset > dib.size())
    r.failAt(headerSize, "colour table of " + Num(colors) + " entries runs past the end (" + Num(dib.size()) + " bytes)");
  const std::uint64_t pixelBytes = dib.size() - pixelOffset;
  if (compression == kRgb || compression == kBitFields) {
    const std::uint64_t rowBytes = (static_cast<std::uint64_t>(width) * bits + 31) / 32 * 4;
    const std::uint64_t rows = height < 0 ? -static_cast<std::int64_t>(height) : height;
    if (rowBytes * rows > pixelBytes)
      r.failAt(pixelOffset, Num(rows) + " rows of " + Num(rowBytes) + " bytes need " + Num(rowBytes * rows) +
                                " bytes, " + Num(pixelBytes) + " remain");
  } else if (pixelBytes == 0) {
    r.failAt(pixelOffset, "run-length bitmap without pixel data");
  }
  if (dib.size() > 0xFFFFFFFFu - kFileHeader) r.failAt(0, "packed bitmap of " + Num(dib.size()) + " bytes is too large");

  std::vector<std::uint8_t> file;
  file.reserve(kFileHeader + dib.size());
  file.push_back('B');
  file.push_back('M');
  AppendLe32(file, static_cast<std::uint32_t>(kFileHeader + dib.size()));
  AppendLe32(file, 0);  // two reserved words
  AppendLe32(file, static_cast<std::uint32_t>(kFileHeader + pixelOffset));
  file.insert(file.end(), dib.begin(), dib.end());
  return file;
}

QImage DecodePackedDib(std::span<const std::uint8_t> dib) {
  std::vector<std::uint8_t> file;
  try {
    file = PackedDibToBmpFile(dib);
  } catch (const CourseFileError&) {
    return {};
  }
  QImage image;
  if (!image.loadFromData(file.data(), static_cast<int>(file.size()), "BMP")) return {};
  return image;
}

std::vector<std::uint8_t> EncodePackedDib(const QImage& source) {
  const QImage image = source.convertToFormat(QImage::Format_RGB888);
  const auto width = static_cast<std::uint32_t>(image.width());
  const auto height = static_cast<std::uint32_t>(image.height());
  const std::uint32_t rowBytes = (width * 24 + 31) / 32 * 4;
  std::vector<std::uint8_t> out;
  out.reserve(kInfoHeader + static_cast<std::size_t>(rowBytes) * height);
  AppendLe32(out, kInfoHeader);
  AppendLe32(out, width);
  AppendLe32(out, height);  // positive: bottom-up rows
  AppendLe16(out, 1);
  AppendLe16(out, 24);
  AppendLe32(out, kRgb);
  AppendLe32(out, rowBytes * height);
  AppendLe32(out, 2835);  // 72 dots per inch, in pixels per metre
  AppendLe32(out, 2835);
  AppendLe32(out, 0);
  AppendLe32(out, 0);
  for (std::uint32_t y = height; y-- > 0;) {
    const std::uint8_t* row = image.constScanLine(static_cast<int>(y));
    for (std::uint32_t x = 0; x < width; ++x) {
      out.push_back(row[3 * x + 2]);  // rows are blue, green, red
      out.push_back(row[3 * x + 1]);
      out.push_back(row[3 * x]);
    }
    for (std::uint32_t pad = width * 3; pad < rowBytes; ++pad) out.push_back(0);
  }
  return out;
}
