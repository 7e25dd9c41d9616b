#include "setup/PackedDib.h"

#include <QtGui/QImage>
#include <cstdlib>

namespace {

constexpr std::uint32_t kInfoHeader = 40;   // the classic information header
constexpr std::uint32_t kV4Header = 108;    // with colour masks and colour space
constexpr std::uint32_t kV5Header = 124;
constexpr std::size_t kFileHeader = 14;
constexpr std::uint32_t kRgb = 0, kRle8 = 1, kRle4 = 2, kBitFields = 3;

std::uint32_t U32(std::span<const std::uint8_t> b, std::size_t at) {
  return b[at] | (b[at + 1] << 8) | (b[at + 2] << 16) | (static_cast<std::uint32_t>(b[at + 3]) << 24);
}
std::uint16_t U16(std::span<const std::uint8_t> b, std::size_t at) {
  return static_cast<std::uint16_t>(b[at] | (b[at + 1] << 8));
}

void Put16(std::vector<std::uint8_t>& out, std::uint16_t v) {
  out.push_back(static_cast<std::uint8_t>(v));
  out.push_back(static_cast<std::uint8_t>(v >> 8));
}
void Put32(std::vector<std::uint8_t>& out, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
}

}  // namespace

std::optional<std::vector<std::uint8_t>> PackedDibToBmpFile(std::span<const std::uint8_t> dib) {
  if (dib.size() < kInfoHeader) return std::nullopt;
  const std::uint32_t headerSize = U32(dib, 0);
  if (headerSize != kInfoHeader && headerSize != kV4Header && headerSize != kV5Header) return std::nullopt;
  if (dib.size() < headerSize) return std::nullopt;
  const auto width = static_cast<std::int32_t>(U32(dib, 4));
  const auto height = static_cast<std::int32_t>(U32(dib, 8));
  const std::uint16_t planes = U16(dib, 12);
  const std::uint16_t bits = U16(dib, 14);
  const std::uint32_t compression = U32(dib, 16);
  const std::uint32_t colorsUsed = U32(dib, 32);

  using setup_limits::kMaxDibSide;
  // INT32_MIN has no positive counterpart, so heights are compared before negating.
  if (width <= 0 || width > kMaxDibSide || height == 0 || height > kMaxDibSide || height < -kMaxDibSide)
    return std::nullopt;
  if (static_cast<std::int64_t>(width) * std::abs(static_cast<std::int64_t>(height)) > setup_limits::kMaxDibPixels)
    return std::nullopt;
  if (planes != 1) return std::nullopt;
  switch (compression) {
    case kRgb:
      if (bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32) return std::nullopt;
      break;
    case kRle8:
      if (bits != 8 || height < 0) return std::nullopt;
      break;
    case kRle4:
      if (bits != 4 || height < 0) return std::nullopt;
      break;
    case kBitFields:
      if (bits != 16 && bits != 32) return std::nullopt;
      break;
    default:
      return std::nullopt;
  }
  const std::uint32_t maxColors = bits <= 8 ? (1u << bits) : 256;
  if (colorsUsed > maxColors) return std::nullopt;
  const std::uint64_t colors = colorsUsed ? colorsUsed : (bits <= 8 ? (1u << bits) : 0);
  const std::uint64_t masks = compression == kBitFields && headerSize == kInfoHeader ? 12 : 0;
  const std::uint64_t pixelOffset = headerSize + masks + 4 * colors;
  if (pixelOffset > dib.size()) return std::nullopt;
  const std::uint64_t pixelBytes = dib.size() - pixelOffset;
  if (compression == kRgb || compression == kBitFields) {
    const std::uint64_t rowBytes = (static_cast<std::uint64_t>(width) * bits + 31) / 32 * 4;
    const std::uint64_t rows = height < 0 ? -static_cast<std::int64_t>(height) : height;
    if (rowBytes * rows > pixelBytes) return std::nullopt;
  } else if (pixelBytes == 0) {
    return std::nullopt;
  }
  if (dib.size() > 0xFFFFFFFFu - kFileHeader) return std::nullopt;

  std::vector<std::uint8_t> file;
  file.reserve(kFileHeader + dib.size());
  file.push_back('B');
  file.push_back('M');
  Put32(file, static_cast<std::uint32_t>(kFileHeader + dib.size()));
  Put32(file, 0);  // two reserved words
  Put32(file, static_cast<std::uint32_t>(kFileHeader + pixelOffset));
  file.insert(file.end(), dib.begin(), dib.end());
  return file;
}

QImage DecodePackedDib(std::span<const std::uint8_t> dib) {
  const auto file = PackedDibToBmpFile(dib);
  if (!file) return {};
  QImage image;
  if (!image.loadFromData(file->data(), static_cast<int>(file->size()), "BMP")) return {};
  return image;
}

std::vector<std::uint8_t> EncodePackedDib(const QImage& source) {
  const QImage image = source.convertToFormat(QImage::Format_RGB888);
  const auto width = static_cast<std::uint32_t>(image.width());
  const auto height = static_cast<std::uint32_t>(image.height());
  const std::uint32_t rowBytes = (width * 24 + 31) / 32 * 4;
  std::vector<std::uint8_t> out;
  out.reserve(kInfoHeader + static_cast<std::size_t>(rowBytes) * height);
  Put32(out, kInfoHeader);
  Put32(out, width);
  Put32(out, height);  // positive: bottom-up rows
  Put16(out, 1);
  Put16(out, 24);
  Put32(out, kRgb);
  Put32(out, rowBytes * height);
  Put32(out, 2835);  // 72 dots per inch, in pixels per metre
  Put32(out, 2835);
  Put32(out, 0);
  Put32(out, 0);
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
