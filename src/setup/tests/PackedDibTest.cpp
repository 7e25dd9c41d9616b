#include <gtest/gtest.h>

#include <QtGui/QImage>

#include "CourseErrorSupport.h"
#include "course/ByteReader.h"
#include "course/CourseFileError.h"
#include "setup/PackedDib.h"

namespace {

struct Header {
  std::uint32_t size = 40;
  std::int32_t width = 2;
  std::int32_t height = 2;
  std::uint16_t planes = 1;
  std::uint16_t bits = 8;
  std::uint32_t compression = 0;
  std::uint32_t colorsUsed = 2;
};

std::vector<std::uint8_t> Dib(const Header& h, const std::vector<std::uint32_t>& palette,
                              const std::vector<std::uint8_t>& pixels) {
  std::vector<std::uint8_t> v;
  AppendLe32(v, h.size);
  AppendLe32(v, static_cast<std::uint32_t>(h.width));
  AppendLe32(v, static_cast<std::uint32_t>(h.height));
  AppendLe16(v, h.planes);
  AppendLe16(v, h.bits);
  AppendLe32(v, h.compression);
  AppendLe32(v, 0);
  AppendLe32(v, 0);
  AppendLe32(v, 0);
  AppendLe32(v, h.colorsUsed);
  AppendLe32(v, 0);
  v.resize(h.size, 0);
  for (std::uint32_t c : palette) AppendLe32(v, c);  // stored blue, green, red, 0
  v.insert(v.end(), pixels.begin(), pixels.end());
  return v;
}

// A 2x2 8-bit picture with a two-colour table: bottom row red, red; top row blue, red.
std::vector<std::uint8_t> TwoColours(Header h = {}) {
  return Dib(h, {0xFF0000, 0x0000FF}, {0, 0, 0, 0, 1, 0, 0, 0});
}

TEST(PackedDib, ReadsIndexedPicturesBottomUp) {
  const QImage img = DecodePackedDib(TwoColours());
  ASSERT_FALSE(img.isNull());
  ASSERT_EQ(img.size(), QSize(2, 2));
  EXPECT_EQ(img.pixel(0, 0), qRgb(0, 0, 255));
  EXPECT_EQ(img.pixel(1, 0), qRgb(255, 0, 0));
  EXPECT_EQ(img.pixel(0, 1), qRgb(255, 0, 0));

  Header topDown;
  topDown.height = -2;
  const QImage flipped = DecodePackedDib(TwoColours(topDown));
  ASSERT_FALSE(flipped.isNull());
  EXPECT_EQ(flipped.pixel(0, 1), qRgb(0, 0, 255));
  EXPECT_EQ(flipped.pixel(0, 0), qRgb(255, 0, 0));
}

TEST(PackedDib, ReadsRunLengthAndBitFieldPictures) {
  Header rle;
  rle.width = 4;
  rle.compression = 1;
  // Bottom row: four of colour 1; top row: two of colour 0, two of colour 1.
  const QImage runs = DecodePackedDib(Dib(rle, {0x000000, 0xFFFFFF}, {4, 1, 0, 0, 2, 0, 2, 1, 0, 0, 0, 1}));
  ASSERT_EQ(runs.size(), QSize(4, 2));
  EXPECT_EQ(runs.pixel(0, 0), qRgb(0, 0, 0));
  EXPECT_EQ(runs.pixel(3, 0), qRgb(255, 255, 255));
  EXPECT_EQ(runs.pixel(0, 1), qRgb(255, 255, 255));

  // With a 40-byte header the three colour masks follow it, ahead of the pixels.
  Header fields;
  fields.width = 1;
  fields.height = 1;
  fields.bits = 32;
  fields.compression = 3;
  fields.colorsUsed = 0;
  const QImage masked = DecodePackedDib(Dib(fields, {0xFF0000, 0x00FF00, 0x0000FF}, {1, 2, 3, 0}));
  ASSERT_EQ(masked.size(), QSize(1, 1));
  EXPECT_EQ(masked.pixel(0, 0), qRgb(3, 2, 1));
}

TEST(PackedDib, TheFileHeaderPointsPastTheColourTable) {
  const auto file = PackedDibToBmpFile(TwoColours());
  ASSERT_EQ(file.size(), 14 + 40 + 8 + 8u);
  ByteReader header(file);
  EXPECT_EQ(header.chars(2), "BM");
  EXPECT_EQ(header.u32le(), 14 + 40 + 8 + 8u);
  EXPECT_EQ(header.u32le(), 0u);
  EXPECT_EQ(header.u32le(), 14 + 40 + 8u);

  // Colour count 0 at 8 bits means a full table of 256 entries.
  Header full;
  full.colorsUsed = 0;
  std::vector<std::uint32_t> palette(256, 0);
  palette[7] = 0x00FF00;
  const auto dib = Dib(full, palette, {7, 7, 0, 0, 7, 7, 0, 0});
  const auto withFull = PackedDibToBmpFile(dib);
  ByteReader f(withFull);
  f.seek(10);
  EXPECT_EQ(f.u32le(), 14 + 40 + 1024u);
  EXPECT_EQ(DecodePackedDib(dib).pixel(1, 1), qRgb(0, 255, 0));
}

TEST(PackedDib, EncodingRoundTrips) {
  for (QSize size : {QSize(1, 1), QSize(3, 2), QSize(7, 5), QSize(500, 375)}) {
    QImage src(size, QImage::Format_RGB32);
    for (int y = 0; y < size.height(); ++y)
      for (int x = 0; x < size.width(); ++x) src.setPixel(x, y, qRgb(x * 37 % 256, y * 91 % 256, (x + y) % 256));
    const auto dib = EncodePackedDib(src);
    const std::size_t rowBytes = (size.width() * 3 + 3) / 4 * 4;
    EXPECT_EQ(dib.size(), 40 + rowBytes * size.height());
    const QImage back = DecodePackedDib(dib);
    ASSERT_EQ(back.size(), size);
    EXPECT_EQ(back.convertToFormat(QImage::Format_RGB32), src) << size.width() << "x" << size.height();
  }
}

TEST(PackedDib, RefusesHeadersThatDoNotDescribeThePicture) {
  struct Case {
    const char* what;
    Header header;
    std::int64_t offset;  // where the error says the fault is
  };
  auto with = [](auto change) {
    Header h;
    change(h);
    return h;
  };
  // The header's fields: size 0, width 4, height 8, planes 12, depth 14, compression 16,
  // colour count 32; the two-colour table ends and the pixels start at 48.
  const Case cases[] = {
      {"core header", with([](Header& h) { h.size = 12; }), 0},
      {"odd header size", with([](Header& h) { h.size = 41; }), 0},
      {"two planes", with([](Header& h) { h.planes = 2; }), 12},
      {"7 bits", with([](Header& h) { h.bits = 7; }), 14},
      {"0 bits", with([](Header& h) { h.bits = 0; }), 14},
      {"JPEG compression", with([](Header& h) { h.compression = 4; }), 16},
      {"RLE4 at 8 bits", with([](Header& h) { h.compression = 2; }), 14},
      {"bit fields at 8 bits", with([](Header& h) { h.compression = 3; }), 14},
      {"RLE top-down", with([](Header& h) { h.compression = 1; h.height = -2; }), 8},
      {"too many colours", with([](Header& h) { h.colorsUsed = 257; }), 32},
      {"huge colour count", with([](Header& h) { h.colorsUsed = 0xFFFFFFFF; }), 32},
      {"zero width", with([](Header& h) { h.width = 0; }), 4},
      {"negative width", with([](Header& h) { h.width = -2; }), 4},
      {"zero height", with([](Header& h) { h.height = 0; }), 8},
      {"most negative height", with([](Header& h) { h.height = INT32_MIN; }), 8},
      {"too wide", with([](Header& h) { h.width = 16385; }), 4},
      {"too tall", with([](Header& h) { h.height = 16385; }), 8},
      {"too many pixels", with([](Header& h) { h.compression = 1; h.width = 16384; h.height = 1025; }), 4},
      {"more rows than pixels", with([](Header& h) { h.height = 3; }), 48},
      {"wider than the rows", with([](Header& h) { h.width = 5; }), 48},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const auto e = kntest::CourseErrorOf([&] { PackedDibToBmpFile(TwoColours(c.header), "splash"); });
    ASSERT_TRUE(e);
    EXPECT_EQ(e->path(), "splash");
    EXPECT_EQ(e->offset(), c.offset) << e->reason();
    EXPECT_TRUE(DecodePackedDib(TwoColours(c.header)).isNull());
  }
}

TEST(PackedDib, RefusesEveryTruncation) {
  const auto dib = TwoColours();
  for (std::size_t n = 0; n < dib.size(); ++n)
    EXPECT_THROW(PackedDibToBmpFile(std::span(dib.data(), n)), CourseFileError) << n;
  QImage picture(9, 4, QImage::Format_RGB32);
  picture.fill(Qt::darkCyan);
  const auto big = EncodePackedDib(picture);
  for (std::size_t n = 0; n < big.size(); n += 7) EXPECT_TRUE(DecodePackedDib(std::span(big.data(), n)).isNull()) << n;
}

}  // namespace
