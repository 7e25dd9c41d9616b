#include "PictureTestSupport.h"

#include <png.h>

#include <atomic>
#include <csetjmp>
#include <cstdlib>
#include <new>
#include <stdexcept>

#include "course/ByteReader.h"

namespace {
std::atomic<bool> g_watching{false};
std::atomic<std::size_t> g_largest{0};

[[maybe_unused]] void Note(std::size_t n) {
  if (!g_watching.load(std::memory_order_relaxed)) return;
  std::size_t seen = g_largest.load(std::memory_order_relaxed);
  while (n > seen && !g_largest.compare_exchange_weak(seen, n)) {
  }
}

void Put16(std::vector<std::uint8_t>& v, std::uint32_t x) { AppendLe16(v, static_cast<std::uint16_t>(x)); }
void Put32(std::vector<std::uint8_t>& v, std::uint32_t x) { AppendLe32(v, x); }
}  // namespace

#if defined(__has_feature)
#if __has_feature(address_sanitizer)
#define KN_SANITIZED 1
#endif
#endif
#if defined(__SANITIZE_ADDRESS__)
#define KN_SANITIZED 1
#endif

// The sanitizer runtime owns operator new there; the watch then sees nothing.
#ifndef KN_SANITIZED
void* operator new(std::size_t n) {
  Note(n);
  if (void* p = std::malloc(n ? n : 1)) return p;
  throw std::bad_alloc();
}
void* operator new[](std::size_t n) { return operator new(n); }
void operator delete(void* p) noexcept { std::free(p); }
void operator delete[](void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
void operator delete[](void* p, std::size_t) noexcept { std::free(p); }
#endif

namespace pictest {

AllocationWatch::AllocationWatch() {
  g_largest = 0;
  g_watching = true;
}
AllocationWatch::~AllocationWatch() { g_watching = false; }
std::size_t AllocationWatch::largest() const { return g_largest; }
bool AllocationWatch::Available() {
#ifdef KN_SANITIZED
  return false;
#else
  return true;
#endif
}

std::vector<std::uint8_t> PackedBitmap(const Bmp& b) {
  std::vector<std::uint8_t> v;
  const std::size_t stride = (std::size_t(b.width) * b.bitCount + 31) / 32 * 4;
  const bool zeroCount = b.zeroCountForFullTable && b.bitCount <= 8 && b.colours.size() == (1u << b.bitCount);
  Put32(v, 40);
  Put32(v, static_cast<std::uint32_t>(b.width));
  Put32(v, static_cast<std::uint32_t>(b.topDown ? -b.height : b.height));
  Put16(v, 1);
  Put16(v, static_cast<std::uint32_t>(b.bitCount));
  Put32(v, 0);
  Put32(v, static_cast<std::uint32_t>(stride * b.height));
  Put32(v, 3790);
  Put32(v, 3790);
  Put32(v, zeroCount ? 0 : static_cast<std::uint32_t>(b.colours.size()));
  Put32(v, 0);
  for (QRgb c : b.colours) {
    v.push_back(static_cast<std::uint8_t>(qBlue(c)));
    v.push_back(static_cast<std::uint8_t>(qGreen(c)));
    v.push_back(static_cast<std::uint8_t>(qRed(c)));
    v.push_back(0);
  }
  for (int r = 0; r < b.height; ++r) {
    const int y = b.topDown ? r : b.height - 1 - r;  // stored row r holds picture row y (from the top)
    std::vector<std::uint8_t> row;
    if (b.bitCount < 8) {  // packed indexes, leftmost pixel in the high bits
      row.assign((std::size_t(b.width) * b.bitCount + 7) / 8, 0);
      for (int x = 0; x < b.width; ++x) {
        const int bit = x * b.bitCount;
        row[bit / 8] |= static_cast<std::uint8_t>(b.pixels.at(std::size_t(y) * b.width + x) << (8 - b.bitCount - bit % 8));
      }
    }
    for (int x = 0; x < b.width && b.bitCount >= 8; ++x) {
      const std::uint32_t p = b.pixels.at(std::size_t(y) * b.width + x);
      switch (b.bitCount) {
        case 8:
          row.push_back(static_cast<std::uint8_t>(p));
          break;
        case 16:
          Put16(row, p);
          break;
        default:
          AppendLe32(row, p & 0xFFFFFF);  // blue, green, red, then 0
          if (b.bitCount == 24) row.pop_back();
      }
    }
    row.resize(stride, 0xCC);  // padding bytes that are no pixel
    v.insert(v.end(), row.begin(), row.end());
  }
  return v;
}

std::vector<std::uint8_t> BitmapFile(const Bmp& b) {
  const auto packed = PackedBitmap(b);
  std::vector<std::uint8_t> v = {'B', 'M'};
  Put32(v, static_cast<std::uint32_t>(14 + packed.size()));
  Put32(v, 0);
  Put32(v, static_cast<std::uint32_t>(14 + 40 + 4 * b.colours.size()));
  v.insert(v.end(), packed.begin(), packed.end());
  return v;
}

namespace {
void WriteToVector(png_structp png, png_bytep data, png_size_t n) {
  auto* out = static_cast<std::vector<std::uint8_t>*>(png_get_io_ptr(png));
  out->insert(out->end(), data, data + n);
}
void FlushNothing(png_structp) {}
}  // namespace

std::vector<std::uint8_t> EncodePng(const Png& p) {
  std::vector<std::uint8_t> out;
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png_create_info_struct(png);
  std::vector<png_color> palette;
  for (QRgb c : p.palette)
    palette.push_back({static_cast<png_byte>(qRed(c)), static_cast<png_byte>(qGreen(c)), static_cast<png_byte>(qBlue(c))});
  const std::size_t rowBytes = p.samples.size() / std::size_t(p.height);
  std::vector<png_bytep> rows;
  for (int y = 0; y < p.height; ++y) rows.push_back(const_cast<png_bytep>(p.samples.data()) + y * rowBytes);
  if (setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, &info);
    throw std::runtime_error("PNG test image could not be written");
  }
  png_set_write_fn(png, &out, WriteToVector, FlushNothing);
  png_set_IHDR(png, info, p.width, p.height, p.bitDepth, p.colourType,
               p.interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
               PNG_FILTER_TYPE_DEFAULT);
  if (!palette.empty()) png_set_PLTE(png, info, palette.data(), static_cast<int>(palette.size()));
  if (!p.transparency.empty())
    png_set_tRNS(png, info, const_cast<png_bytep>(p.transparency.data()), static_cast<int>(p.transparency.size()), nullptr);
  png_write_info(png, info);
  png_write_image(png, rows.data());
  png_write_end(png, info);
  png_destroy_write_struct(&png, &info);
  return out;
}

std::vector<std::uint8_t> RgbaPng(int width, int height, const std::vector<QRgb>& pixels) {
  Png p;
  p.width = width;
  p.height = height;
  for (QRgb c : pixels)
    p.samples.insert(p.samples.end(), {static_cast<std::uint8_t>(qRed(c)), static_cast<std::uint8_t>(qGreen(c)),
                                       static_cast<std::uint8_t>(qBlue(c)), static_cast<std::uint8_t>(qAlpha(c))});
  return EncodePng(p);
}

std::vector<std::uint8_t> PalettePng(int width, int height, const std::vector<QRgb>& palette, int transparencyCount,
                                     const std::vector<std::uint8_t>& indices) {
  Png p;
  p.width = width;
  p.height = height;
  p.colourType = PNG_COLOR_TYPE_PALETTE;
  p.palette = palette;
  p.transparency.assign(static_cast<std::size_t>(transparencyCount), 0);
  p.samples = indices;
  return EncodePng(p);
}

QImage Canvas(int width, int height, QRgb fill) {
  QImage image(width, height, QImage::Format_RGB32);
  image.fill(fill);
  return image;
}

}  // namespace pictest
