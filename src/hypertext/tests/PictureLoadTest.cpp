// Loading pictures: bitmap files, packed bitmaps, PNG streams, program bitmaps and
// vector pictures, and the refusal of every broken header.
#include <gtest/gtest.h>

#include <QtGui/QPainter>
#include <QtGui/QPicture>
#include <png.h>
#include <zlib.h>

#include "PictureTestSupport.h"
#include "course/ByteReader.h"
#include "course/CourseFile.h"
#include "course/Notice.h"
#include "course/StringIds.h"
#include "hypertext/DibBitmap.h"
#include "hypertext/Picture.h"
#include "hypertext/PngImage.h"

namespace {

using pictest::Bmp;

bool LoadNamed(Picture& p, const std::vector<std::uint8_t>& bytes, const std::string& name) {
  CourseFile f = CourseFile::FromMemory(bytes, name);
  return p.LoadFromFile(f);
}

// A 4 x 2 8-bit bitmap whose bottom-left pixel uses entry 1 (red), with a grey
// (238, 238, 238) at entry 2.
Bmp KeyedEightBit() {
  Bmp b;
  b.width = 4;
  b.height = 2;
  b.colours = {qRgb(0, 0, 0), qRgb(255, 0, 0), qRgb(238, 238, 238), qRgb(0, 0, 255)};
  b.pixels = {0, 2, 3, 1,  //
              1, 1, 0, 2};
  return b;
}

Bmp Deep(int bitCount) {
  Bmp b;
  b.width = 3;
  b.height = 2;
  b.bitCount = bitCount;
  if (bitCount == 16)
    b.pixels = {0x7C00, 0x03E0, 0x001F, 0x77BD, 0x7FFF, 0x0000};
  else
    b.pixels = {0xFF0000, 0x00FF00, 0x0000FF, 0xFEFEFE, 0xFFFFFF, 0x000000};
  return b;
}

TEST(PictureLoad, BitmapFilesOfEveryDepthLoadWithSizeAndDepth) {
  for (int depth : {16, 24, 32}) {
    Picture p;
    ASSERT_TRUE(LoadNamed(p, pictest::BitmapFile(Deep(depth)), "deep.bmp")) << depth << ": " << p.loadError();
    EXPECT_EQ(p.kind(), Picture::kBitmap);
    EXPECT_EQ(p.Size(), QSize(3, 2));
    EXPECT_EQ(p.BitsPerPixel(), depth);
    EXPECT_EQ(p.ShadowedSize(), QSize(13, 13));
    EXPECT_TRUE(p.loadError().empty());
  }
  Picture p;
  ASSERT_TRUE(LoadNamed(p, pictest::BitmapFile(KeyedEightBit()), "COURSE\\Icons\\Star.BMP")) << p.loadError();
  EXPECT_EQ(p.BitsPerPixel(), 8);
  EXPECT_EQ(p.Size(), QSize(4, 2));
}

TEST(PictureLoad, EightBitFileTakesItsKeyFromTheBottomLeftPixel) {
  Picture p;
  ASSERT_TRUE(LoadNamed(p, pictest::BitmapFile(KeyedEightBit()), "k.bmp"));
  const auto& colours = p.bitmap()->colours();
  EXPECT_EQ(colours[1] & 0xFFFFFF, qRgb(238, 238, 238) & 0xFFFFFF) << "red, the bottom-left colour, is the key";
  EXPECT_EQ(colours[2] & 0xFFFFFF, qRgb(238, 238, 239) & 0xFFFFFF) << "an existing key grey is nudged off it";
  EXPECT_EQ(colours[3] & 0xFFFFFF, 0x0000FFu);
  p.setMasked(true);
  EXPECT_EQ(p.KeyIndex(), 1);

  // A bottom-left index beyond a short colour table names no entry: nothing changes.
  Bmp b = KeyedEightBit();
  b.pixels[4] = 9;
  Picture q;
  ASSERT_TRUE(LoadNamed(q, pictest::BitmapFile(b), "k.bmp"));
  EXPECT_EQ(q.bitmap()->colours()[1] & 0xFFFFFF, 0xFF0000u);
  EXPECT_EQ(q.bitmap()->colours().size(), 4u);
}

TEST(PictureLoad, OneAndFourBitBitmapsBecomeEightBit) {
  for (int depth : {1, 4}) {
    Bmp b;
    b.width = 11, b.height = 2, b.bitCount = depth;
    for (int i = 0; i < (1 << depth); ++i) b.colours.push_back(qRgb(i * 16, 0, 255 - i * 16));
    for (int i = 0; i < 22; ++i) b.pixels.push_back(static_cast<std::uint32_t>((i * 7 + i / 3) % (1 << depth)));
    for (bool fullCount : {false, true}) {
      b.zeroCountForFullTable = fullCount;
      Picture p;
      ASSERT_TRUE(LoadNamed(p, pictest::BitmapFile(b), "small.bmp")) << depth << ": " << p.loadError();
      EXPECT_EQ(p.BitsPerPixel(), 8);
      EXPECT_EQ(p.bitmap()->colours().size(), std::size_t(1) << depth);
      for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 11; ++x)
          EXPECT_EQ(p.bitmap()->rowFromBottom(1 - y)[x], b.pixels[y * 11 + x]) << depth << " " << x << "," << y;
    }
  }
}

TEST(PictureLoad, FileNameDecidesTheFormat) {
  const auto bmp = pictest::BitmapFile(KeyedEightBit());
  const auto png = pictest::RgbaPng(1, 1, {qRgba(1, 2, 3, 255)});
  struct Case {
    const char* name;
    const std::vector<std::uint8_t>* bytes;
    Picture::Kind kind;
  } cases[] = {
      {"a.bmp", &bmp, Picture::kBitmap},       {"A.BmP", &bmp, Picture::kBitmap},
      {"pic.bmp.old", &bmp, Picture::kBitmap}, {"b.PNG", &png, Picture::kPng},
      {"b.gif", &png, Picture::kEmpty},        {"noext", &bmp, Picture::kEmpty},
      {"x.png", &bmp, Picture::kEmpty},  // bitmap bytes under a PNG name: the decoder refuses them
      {"dir.png/a.txt", &png, Picture::kEmpty},
  };
  for (const auto& c : cases) {
    Picture p;
    EXPECT_EQ(LoadNamed(p, *c.bytes, c.name), c.kind != Picture::kEmpty) << c.name;
    EXPECT_EQ(p.kind(), c.kind) << c.name;
    EXPECT_EQ(p.loadError().empty(), c.kind != Picture::kEmpty) << c.name;
  }
}

TEST(PictureLoad, TopDownBitmapsAndPixelGapsReadTheSamePixels) {
  Picture up, down, gap;
  Bmp b = Deep(24);
  ASSERT_TRUE(LoadNamed(up, pictest::BitmapFile(b), "u.bmp"));
  b.topDown = true;
  ASSERT_TRUE(LoadNamed(down, pictest::BitmapFile(b), "d.bmp")) << down.loadError();
  EXPECT_EQ(down.Size(), QSize(3, 2));
  // Pixels placed 6 bytes after the headers, as the file header's offset says.
  auto bytes = pictest::BitmapFile(Deep(24));
  bytes.insert(bytes.begin() + 54, 6, 0xAB);
  bytes[10] += 6;
  ASSERT_TRUE(LoadNamed(gap, bytes, "g.bmp")) << gap.loadError();
  for (const Picture* p : {&down, &gap})
    for (int y = 0; y < 2; ++y)
      EXPECT_EQ(0, std::memcmp(p->bitmap()->rowFromBottom(y), up.bitmap()->rowFromBottom(y), 9)) << y;
}

// Offsets in a bitmap file of KeyedEightBit(): file header 0, info header 14,
// colour table 54, pixels 70.
TEST(PictureLoad, BrokenBitmapHeadersLoadNothingAndSayWhy) {
  const auto good = pictest::BitmapFile(KeyedEightBit());
  auto put32 = [](std::vector<std::uint8_t> v, std::size_t at, std::uint32_t x) {
    StoreLe32(std::span(v).subspan(at).first<4>(), x);
    return v;
  };
  auto put16 = [](std::vector<std::uint8_t> v, std::size_t at, std::uint16_t x) {
    StoreLe16(std::span(v).subspan(at).first<2>(), x);
    return v;
  };
  struct Case {
    const char* what;
    std::vector<std::uint8_t> bytes;
    const char* says;
  } cases[] = {
      {"signature", put16(good, 0, 0x4D43), "no \"BM\""},
      {"core header", put32(good, 14, 12), "header size 12"},
      {"zero width", put32(good, 18, 0), "width 0"},
      {"negative width", put32(good, 18, 0xFFFFFFFF), "width -1"},
      {"zero height", put32(good, 22, 0), "height 0"},
      {"most negative height", put32(good, 22, 0x80000000), "height -2147483648"},
      {"2-bit", put16(good, 28, 2), "2-bit bitmaps"},
      {"64-bit", put16(good, 28, 64), "64-bit bitmaps"},
      {"RLE", put32(good, 30, 1), "compressed"},
      {"colour count", put32(good, 46, 300), "300 entries"},
      {"table past the end", put32(good, 46, 200), "colour table needs"},
      {"offset inside headers", put32(good, 10, 60), "inside the bitmap headers"},
      {"offset past the end", put32(good, 10, 5000), "beyond the end"},
      {"rows missing", put32(good, 22, 3), "needs 12"},
      {"row overflow", put32(put32(good, 18, 16384), 22, 16384), "larger than"},
  };
  for (const auto& c : cases) {
    Picture p;
    EXPECT_FALSE(LoadNamed(p, c.bytes, "broken.bmp")) << c.what;
    EXPECT_FALSE(p.IsLoaded()) << c.what;
    EXPECT_NE(p.loadError().find(c.says), std::string::npos) << c.what << ": " << p.loadError();
  }
  // Every truncation of a good file and of a good packed bitmap.
  const auto packed = pictest::PackedBitmap(KeyedEightBit());
  for (std::size_t n = 0; n < good.size(); ++n) {
    Picture p;
    EXPECT_FALSE(LoadNamed(p, std::vector<std::uint8_t>(good.begin(), good.begin() + n), "t.bmp")) << n;
    EXPECT_FALSE(p.loadError().empty()) << n;
  }
  for (std::size_t n = 0; n < packed.size(); ++n) {
    Picture p;
    EXPECT_FALSE(p.LoadFromMemory(std::span(packed.data(), n))) << n;
    EXPECT_EQ(p.kind(), Picture::kEmpty);
  }
}

TEST(PictureLoad, BitFieldBitmapsLoadOnlyWithThePlainLayout) {
  // A 32-bit bitmap with bit-field masks after the 40-byte header.
  auto withMasks = [](std::uint32_t r, std::uint32_t g, std::uint32_t b) {
    auto packed = pictest::PackedBitmap(Deep(32));
    packed[16] = 3;
    std::vector<std::uint8_t> masks;
    for (std::uint32_t m : {r, g, b})
      for (int i = 0; i < 4; ++i) masks.push_back(static_cast<std::uint8_t>(m >> (8 * i)));
    packed.insert(packed.begin() + 40, masks.begin(), masks.end());
    return packed;
  };
  Picture p;
  EXPECT_TRUE(p.LoadFromMemory(withMasks(0xFF0000, 0xFF00, 0xFF))) << p.loadError();
  EXPECT_EQ(std::memcmp(p.bitmap()->rowFromBottom(0), pictest::PackedBitmap(Deep(32)).data() + 40, 12), 0);
  EXPECT_FALSE(p.LoadFromMemory(withMasks(0xFF, 0xFF00, 0xFF0000)));
  EXPECT_NE(p.loadError().find("bit-field layout"), std::string::npos) << p.loadError();
}

TEST(PictureLoad, PackedBitmapsAndPngStreamsLoadFromMemory) {
  Picture p;
  const Bmp b = KeyedEightBit();
  ASSERT_TRUE(p.LoadFromMemory(pictest::PackedBitmap(b))) << p.loadError();
  EXPECT_EQ(p.kind(), Picture::kBitmap);
  // Container pictures keep their colours: the key is prepared by the author.
  EXPECT_EQ(p.bitmap()->colours()[1] & 0xFFFFFF, 0xFF0000u);
  // A bitmap with 256 colours and a count of 0 gets the full table.
  Bmp full = b;
  full.colours.resize(256, qRgb(9, 9, 9));
  ASSERT_TRUE(p.LoadFromMemory(pictest::PackedBitmap(full)));
  EXPECT_EQ(p.bitmap()->colours().size(), 256u);

  // A whole bitmap file is no packed bitmap.
  EXPECT_FALSE(p.LoadFromMemory(pictest::BitmapFile(b)));
  EXPECT_NE(p.loadError().find("file header"), std::string::npos) << p.loadError();

  ASSERT_TRUE(p.LoadFromMemory(pictest::RgbaPng(2, 1, {qRgba(1, 2, 3, 4), qRgba(5, 6, 7, 8)})));
  EXPECT_EQ(p.kind(), Picture::kPng);
  EXPECT_EQ(p.BitsPerPixel(), 32);
}

TEST(PictureLoad, PngFormsAreKeptOrConverted) {
  using pictest::Png;
  auto load = [](const Png& png) {
    Picture p;
    EXPECT_TRUE(LoadNamed(p, pictest::EncodePng(png), "p.png")) << p.loadError();
    return p;
  };
  // Palette image with a transparency table of three entries: index 2 is the key.
  Png pal;
  pal.width = 3, pal.height = 1, pal.colourType = PNG_COLOR_TYPE_PALETTE;
  pal.palette = {qRgb(10, 0, 0), qRgb(0, 20, 0), qRgb(0, 0, 30), qRgb(40, 40, 40)};
  pal.transparency = {0, 0, 0};
  pal.samples = {3, 2, 1};
  Picture p = load(pal);
  EXPECT_EQ(p.BitsPerPixel(), 8);
  EXPECT_EQ(p.KeyIndex(), 2);
  EXPECT_EQ(p.png()->palette().size(), 4u);
  EXPECT_EQ(p.png()->row(0)[0], 3);
  pal.transparency.clear();
  EXPECT_EQ(load(pal).KeyIndex(), -1);

  // A 2-bit palette image becomes one index per pixel.
  Png twoBit = pal;
  twoBit.bitDepth = 2;
  twoBit.width = 5;
  twoBit.samples = {0b11100100, 0b11000000};  // 3, 2, 1, 0, 3
  p = load(twoBit);
  ASSERT_EQ(p.png()->form(), PngImage::Form::Palette8);
  EXPECT_EQ(std::vector<std::uint8_t>(p.png()->row(0), p.png()->row(0) + 5), (std::vector<std::uint8_t>{3, 2, 1, 0, 3}));

  // Grey, grey with alpha, RGB and 16-bit RGBA become 8-bit RGBA.
  struct Case {
    Png png;
    std::vector<std::uint8_t> rgba;
  };
  Png grey;
  grey.width = 2, grey.height = 1, grey.colourType = PNG_COLOR_TYPE_GRAY, grey.samples = {0, 200};
  Png greyAlpha = grey;
  greyAlpha.colourType = PNG_COLOR_TYPE_GRAY_ALPHA, greyAlpha.samples = {50, 60, 70, 80};
  Png rgb = grey;
  rgb.colourType = PNG_COLOR_TYPE_RGB, rgb.samples = {1, 2, 3, 4, 5, 6};
  Png wide = grey;
  wide.colourType = PNG_COLOR_TYPE_RGB_ALPHA, wide.bitDepth = 16;
  wide.samples = {0x12, 0, 0x34, 0, 0x56, 0, 0xFF, 0xFF, 0, 0, 0, 0, 0, 0, 0x80, 0};
  const Case cases[] = {
      {grey, {0, 0, 0, 255, 200, 200, 200, 255}},
      {greyAlpha, {50, 50, 50, 60, 70, 70, 70, 80}},
      {rgb, {1, 2, 3, 255, 4, 5, 6, 255}},
      {wide, {0x12, 0x34, 0x56, 0xFF, 0, 0, 0, 0x80}},
  };
  for (const auto& c : cases) {
    p = load(c.png);
    ASSERT_EQ(p.png()->form(), PngImage::Form::Rgba8);
    EXPECT_EQ(p.BitsPerPixel(), 32);
    EXPECT_EQ(std::vector<std::uint8_t>(p.png()->row(0), p.png()->row(0) + 8), c.rgba) << c.png.colourType;
  }

  // Interlaced images decode to the same pixels.
  std::vector<QRgb> pixels;
  for (int i = 0; i < 9 * 7; ++i) pixels.push_back(qRgba(i, 255 - i, i * 3, 255 - i * 2));
  Png plain;
  plain.width = 9, plain.height = 7;
  for (QRgb c : pixels)
    plain.samples.insert(plain.samples.end(), {std::uint8_t(qRed(c)), std::uint8_t(qGreen(c)), std::uint8_t(qBlue(c)),
                                               std::uint8_t(qAlpha(c))});
  Png laced = plain;
  laced.interlaced = true;
  const Picture a = load(plain), b = load(laced);
  for (int y = 0; y < 7; ++y) EXPECT_EQ(std::memcmp(a.png()->row(y), b.png()->row(y), 36), 0) << y;
}

TEST(PictureLoad, BrokenPngStreamsLoadNothing) {
  const auto good = pictest::RgbaPng(4, 4, std::vector<QRgb>(16, qRgba(9, 8, 7, 6)));
  for (std::size_t n = 0; n < good.size(); ++n) {
    Picture p;
    EXPECT_FALSE(LoadNamed(p, std::vector<std::uint8_t>(good.begin(), good.begin() + n), "t.png")) << n;
    EXPECT_EQ(p.kind(), Picture::kEmpty) << n;
  }
  // A flipped bit in the image data breaks its checksum.
  auto bad = good;
  bad[bad.size() - 20] ^= 0x10;
  Picture p;
  EXPECT_FALSE(LoadNamed(p, bad, "c.png"));
  EXPECT_NE(p.loadError().find("PNG"), std::string::npos);
}

// IHDR for width x height RGBA with a correct checksum, followed by nothing useful.
std::vector<std::uint8_t> PngHeaderOnly(std::uint32_t width, std::uint32_t height) {
  std::vector<std::uint8_t> v = {0x89, 'P', 'N', 'G', 13, 10, 26, 10, 0, 0, 0, 13, 'I', 'H', 'D', 'R'};
  for (std::uint32_t x : {width, height})
    for (int s = 24; s >= 0; s -= 8) v.push_back(static_cast<std::uint8_t>(x >> s));
  v.insert(v.end(), {8, 6, 0, 0, 0});
  const std::uint32_t crc = static_cast<std::uint32_t>(crc32(0, v.data() + 12, 17));
  for (int s = 24; s >= 0; s -= 8) v.push_back(static_cast<std::uint8_t>(crc >> s));
  // The start of an image data chunk, where header reading stops.
  v.insert(v.end(), {0, 0, 0, 2, 'I', 'D', 'A', 'T', 0x78, 0x9C, 0, 0, 0, 0});
  return v;
}

TEST(PictureLoad, HugeHeadersAreRefusedWithoutAllocatingThePixels) {
  // 8192 x 8192: a 64-megapixel header.
  Bmp b;
  b.width = 1, b.height = 1, b.bitCount = 24, b.pixels = {0};
  auto bmp = pictest::BitmapFile(b);
  for (std::size_t at : {18u, 22u}) bmp[at] = 0, bmp[at + 1] = 0x20;
  const std::vector<std::pair<std::vector<std::uint8_t>, std::string>> cases = {
      {bmp, "h.bmp"},
      {PngHeaderOnly(8192, 8192), "h.png"},
      // Within the limits, but far more pixels than the stream could inflate to.
      {PngHeaderOnly(4000, 4000), "bomb.png"},
  };
  for (const auto& [bytes, name] : cases) {
    pictest::AllocationWatch watch;
    Picture p;
    EXPECT_FALSE(LoadNamed(p, bytes, name)) << name;
    EXPECT_FALSE(p.loadError().empty());
    if (pictest::AllocationWatch::Available()) {
      EXPECT_LT(watch.largest(), 1u << 20) << name;
    }
  }
  Picture p;
  LoadNamed(p, PngHeaderOnly(4000, 4000), "bomb.png");
  EXPECT_NE(p.loadError().find("cannot hold"), std::string::npos) << p.loadError();
  LoadNamed(p, PngHeaderOnly(8192, 8192), "h.png");
  EXPECT_NE(p.loadError().find("larger than"), std::string::npos) << p.loadError();
}

TEST(PictureLoad, ProgramBitmapsTakeTheirKeyAndRefuseDeepPictures) {
  NoticeRecorder notices;
  Picture p;
  ASSERT_TRUE(p.LoadProgramBitmap(pictest::BitmapFile(KeyedEightBit()), "bitmap/1028.bmp")) << p.loadError();
  EXPECT_EQ(p.bitmap()->colours()[1] & 0xFFFFFF, 0xEEEEEEu);
  EXPECT_EQ(p.bitmap()->colours()[2] & 0xFFFFFF, 0xEEEEEEu) << "program bitmaps keep their other greys";

  // An 8-bit palette PNG resource becomes the same bitmap.
  const Bmp b = KeyedEightBit();
  std::vector<std::uint8_t> indices(b.pixels.begin(), b.pixels.end());
  ASSERT_TRUE(p.LoadProgramBitmap(pictest::PalettePng(4, 2, b.colours, 0, indices), "bitmap/1.png")) << p.loadError();
  EXPECT_EQ(p.kind(), Picture::kBitmap);
  EXPECT_EQ(p.bitmap()->rowFromBottom(0)[0], 1);
  EXPECT_EQ(p.bitmap()->rowFromBottom(1)[1], 2);
  EXPECT_EQ(p.bitmap()->colours()[1] & 0xFFFFFF, 0xEEEEEEu);
  EXPECT_TRUE(notices.notices().empty());

  EXPECT_FALSE(p.LoadProgramBitmap(pictest::BitmapFile(Deep(24)), "bitmap/7.bmp"));
  EXPECT_FALSE(p.LoadProgramBitmap(pictest::RgbaPng(1, 1, {0}), "bitmap/8.png"));
  ASSERT_EQ(notices.notices().size(), 2u);
  EXPECT_EQ(notices.notices()[0].stringId, str::kBitmapTooDeep);
  EXPECT_EQ(notices.notices()[0].text,
            "The bitmap file 'bitmap/7.bmp' must have 256 colors and a size no greater than 64x64.");

  EXPECT_FALSE(p.LoadFromResource(987654));
  EXPECT_EQ(notices.notices().size(), 2u);
}

TEST(PictureLoad, MetafilesReportTheirBoundsAndClearResets) {
  Picture p;
  p.AttachMetafile(nullptr);
  EXPECT_FALSE(p.IsLoaded());
  auto pic = std::make_unique<QPicture>();
  {
    QPainter painter(pic.get());
    painter.fillRect(QRect(5, 7, 20, 10), Qt::red);
  }
  pic->setBoundingRect(QRect(5, 7, 20, 10));
  p.AttachMetafile(std::move(pic));
  EXPECT_EQ(p.kind(), Picture::kMetafile);
  EXPECT_EQ(p.Size(), QSize(20, 10));
  EXPECT_EQ(p.BitsPerPixel(), 0);
  p.Clear();
  EXPECT_EQ(p.kind(), Picture::kEmpty);
  EXPECT_EQ(p.Size(), QSize(0, 0));
  EXPECT_EQ(p.ShadowedSize(), QSize(0, 0));
  EXPECT_TRUE(p.OpaqueRegion().isEmpty());
}

}  // namespace
