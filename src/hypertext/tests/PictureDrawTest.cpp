// Drawing pictures: which source pixel each output pixel takes, key colours, fades,
// alpha blending, the opaque region, and drawing only what the painter shows.
#include <gtest/gtest.h>

#include <QtGui/QPainter>
#include <QtGui/QPicture>
#include <QtGui/QPixmap>

#include "PictureTestSupport.h"
#include "course/ByteReader.h"
#include "course/CourseFile.h"
#include "hypertext/DibBitmap.h"
#include "hypertext/Picture.h"

namespace {

using pictest::Bmp;
using pictest::Rgb;

constexpr QRgb kCanvas = 0x123456;

QImage DrawOn(const Picture& p, QImage canvas, const QRect& rect, QRgb background = 0xFFFFFF) {
  QPainter painter(&canvas);
  painter.setBackground(QColor(background));
  p.Draw(painter, rect);
  painter.end();
  return canvas;
}

Picture FromMemory(const std::vector<std::uint8_t>& bytes) {
  Picture p;
  EXPECT_TRUE(p.LoadFromMemory(bytes)) << p.loadError();
  return p;
}

// A picture whose every pixel has its own colour, in one of the formats.
enum class Form { Bitmap8, Bitmap24, Rgba };
QRgb Distinct(int x, int y) { return qRgb(x * 7 % 256, y * 11 % 256, (x + y) % 2 ? 200 : 40); }
Picture DistinctPicture(Form form, int w, int h) {
  if (form == Form::Rgba) {
    std::vector<QRgb> px;
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) px.push_back(Distinct(x, y) | 0xFF000000u);
    return FromMemory(pictest::RgbaPng(w, h, px));
  }
  Bmp b;
  b.width = w, b.height = h, b.bitCount = form == Form::Bitmap8 ? 8 : 24;
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      if (form == Form::Bitmap8) {
        b.pixels.push_back(static_cast<std::uint32_t>(b.colours.size()));
        b.colours.push_back(Distinct(x, y));
      } else {
        b.pixels.push_back(Distinct(x, y) & 0xFFFFFF);
      }
    }
  return FromMemory(pictest::PackedBitmap(b));
}

TEST(PictureDraw, ScaledOutputTakesTheStatedSourcePixels) {
  // For each output column (left to right) the source column it shows, and for each
  // output row (top to bottom) the source row, counted from the top. Columns keep the
  // left edge in place and rows the bottom edge, in PNG images as in bitmaps: a row
  // that is repeated or dropped goes at the top.
  const struct {
    int sw, sh, w, h;
    std::vector<int> columns, rows;
  } cases[] = {
      {5, 3, 7, 4, {0, 0, 1, 2, 2, 3, 4}, {0, 1, 2, 2}},
      {7, 5, 3, 2, {0, 2, 4}, {2, 4}},
      {4, 4, 4, 9, {0, 1, 2, 3}, {0, 0, 1, 1, 2, 2, 3, 3, 3}},
      {3, 6, 10, 1, {0, 0, 0, 0, 1, 1, 1, 2, 2, 2}, {5}},
      {12, 9, 12, 9, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11}, {0, 1, 2, 3, 4, 5, 6, 7, 8}},
  };
  for (Form form : {Form::Bitmap8, Form::Bitmap24, Form::Rgba}) {
    for (const auto& c : cases) {
      SCOPED_TRACE(testing::Message() << int(form) << " " << c.sw << "x" << c.sh << "->" << c.w << "x" << c.h);
      ASSERT_EQ(c.columns.size(), std::size_t(c.w));
      ASSERT_EQ(c.rows.size(), std::size_t(c.h));
      const Picture p = DistinctPicture(form, c.sw, c.sh);
      const QImage out = DrawOn(p, pictest::Canvas(c.w + 4, c.h + 4, kCanvas), QRect(2, 2, c.w, c.h));
      for (int y = 0; y < c.h; ++y)
        for (int x = 0; x < c.w; ++x)
          ASSERT_EQ(Rgb(out, x + 2, y + 2), Distinct(c.columns[std::size_t(x)], c.rows[std::size_t(y)]) & 0xFFFFFF)
              << "at " << x << "," << y;
      EXPECT_EQ(Rgb(out, 1, 1), kCanvas) << "nothing outside the rectangle";
      EXPECT_EQ(Rgb(out, c.w + 2, c.h + 2), kCanvas);
    }
  }
}

TEST(PictureDraw, ThirtyTwoSquareDoubledRepeatsEachPixelInTwoByTwoBlocks) {
  const Picture p = DistinctPicture(Form::Bitmap24, 32, 32);
  const QImage out = DrawOn(p, pictest::Canvas(64, 64, kCanvas), QRect(0, 0, 64, 64));
  for (int y = 0; y < 32; ++y)
    for (int x = 0; x < 32; ++x)
      for (int d : {0, 1, 64, 65}) ASSERT_EQ(Rgb(out, 2 * x + d % 64, 2 * y + d / 64), Distinct(x, y) & 0xFFFFFF);
}

TEST(PictureDraw, DrawingOnlyWhatThePainterShowsGivesTheSamePixels) {
  // A masked picture with key runs, drawn scaled; once whole, once through a
  // translated painter onto a small canvas that shows part of it, once clipped.
  Bmp b;
  b.width = 9, b.height = 7;
  b.colours = {qRgb(238, 238, 238), qRgb(200, 0, 0), qRgb(0, 200, 0)};
  for (int i = 0; i < 63; ++i) b.pixels.push_back(i % 5 == 0 ? 0 : 1 + i % 2);
  for (bool masked : {false, true}) {
    Picture p = FromMemory(pictest::PackedBitmap(b));
    p.setMasked(masked);
    const QRect rect(0, 0, 31, 23);
    const QImage whole = DrawOn(p, pictest::Canvas(40, 30, kCanvas), rect);

    QImage part = pictest::Canvas(12, 10, kCanvas);
    {
      QPainter painter(&part);
      painter.translate(-17, -9);
      p.Draw(painter, rect);
    }
    for (int y = 0; y < 10; ++y)
      for (int x = 0; x < 12; ++x) ASSERT_EQ(part.pixel(x, y), whole.pixel(x + 17, y + 9)) << masked << x << "," << y;

    QImage clipped = pictest::Canvas(40, 30, kCanvas);
    {
      QPainter painter(&clipped);
      painter.setClipRect(QRect(5, 4, 13, 11));
      p.Draw(painter, rect);
    }
    for (int y = 0; y < 30; ++y)
      for (int x = 0; x < 40; ++x) {
        const bool inside = x >= 5 && x < 18 && y >= 4 && y < 15;
        ASSERT_EQ(clipped.pixel(x, y), inside ? whole.pixel(x, y) : qRgb(0x12, 0x34, 0x56)) << x << "," << y;
      }
  }
}

// 8-bit pictures for the key rules: entries 0 black, 1 red, 2 the key grey, 3 blue,
// and (in the full table) 255 yellow. Pixels: 1, 2, 3, 255.
std::vector<std::uint8_t> KeyTest8(bool fullTable, bool withGrey) {
  Bmp b;
  b.width = 4, b.height = 1;
  b.colours = {qRgb(0, 0, 0), qRgb(255, 0, 0), withGrey ? qRgb(238, 238, 238) : qRgb(10, 20, 30), qRgb(0, 0, 255)};
  if (fullTable) {
    b.colours.resize(256, qRgb(1, 1, 1));
    b.colours[255] = qRgb(255, 255, 0);
  }
  b.pixels = {1, 2, 3, 255};
  return pictest::PackedBitmap(b);
}

std::vector<std::uint8_t> DeepKeyTest(int bitCount) {
  Bmp b;
  b.width = 2, b.height = 1, b.bitCount = bitCount;
  b.pixels = bitCount == 16 ? std::vector<std::uint32_t>{0x77BD, 0x7C00} : std::vector<std::uint32_t>{0xFEFEFE, 0xFF0000};
  return pictest::PackedBitmap(b);
}

TEST(PictureDraw, KeyPixelsAreTransparentOrBackgroundAsStated) {
  constexpr QRgb bg = 0x00FF00, red = 0xFF0000, grey = 0xEEEEEE, blue = 0x0000FF, yellow = 0xFFFF00;
  const auto palettePng = [](int transparent) {
    return pictest::PalettePng(4, 1, {qRgb(0, 0, 0), qRgb(255, 0, 0), qRgb(238, 238, 238), qRgb(0, 0, 255)},
                               transparent, {1, 2, 3, 0});
  };
  enum Mode { Plain, Keyed, Masked };
  struct Case {
    const char* what;
    std::vector<std::uint8_t> bytes;
    Mode mode;
    std::vector<QRgb> expected;  // per pixel; kCanvas where nothing is drawn
  } cases[] = {
      {"8-bit plain: index 255 is the key", KeyTest8(true, true), Plain, {red, grey, blue, bg}},
      {"8-bit keyed: the grey entry", KeyTest8(true, true), Keyed, {red, bg, blue, yellow}},
      {"8-bit masked: grey transparent", KeyTest8(true, true), Masked, {red, kCanvas, blue, yellow}},
      {"8-bit masked, no grey: 255", KeyTest8(true, false), Masked, {red, 0x0A141E, blue, kCanvas}},
      {"8-bit short table: 255 beyond it", KeyTest8(false, true), Plain, {red, grey, blue, 0x000000}},
      {"8-bit short table masked", KeyTest8(false, false), Masked, {red, 0x0A141E, blue, kCanvas}},
      {"16-bit plain", DeepKeyTest(16), Plain, {0xEFEFEF, red}},
      {"16-bit masked", DeepKeyTest(16), Masked, {kCanvas, red}},
      {"24-bit plain", DeepKeyTest(24), Plain, {0xFEFEFE, red}},
      {"24-bit masked", DeepKeyTest(24), Masked, {kCanvas, red}},
      {"32-bit masked", DeepKeyTest(32), Masked, {kCanvas, red}},
      {"palette PNG: key is always background", palettePng(3), Plain, {red, bg, blue, 0}},
      {"palette PNG masked", palettePng(3), Masked, {red, kCanvas, blue, 0}},
      {"palette PNG without transparency", palettePng(0), Masked, {red, grey, blue, 0}},
      {"palette PNG, one entry: index 0", palettePng(1), Masked, {red, grey, blue, kCanvas}},
  };
  for (const auto& c : cases) {
    Picture p = FromMemory(c.bytes);
    if (c.mode == Keyed) p.ReplaceKeyColour(Qt::white);
    p.setMasked(c.mode == Masked);
    const int n = static_cast<int>(c.expected.size());
    const QImage out = DrawOn(p, pictest::Canvas(n, 1, kCanvas), QRect(0, 0, n, 1), bg);
    for (int x = 0; x < n; ++x) EXPECT_EQ(Rgb(out, x, 0), c.expected[x]) << c.what << ", pixel " << x;
  }
}

TEST(PictureDraw, RedKeyedBitmapFileMasksRedAndKeepsItsGrey) {
  Bmp b;
  b.width = 3, b.height = 2;
  b.colours = {qRgb(255, 0, 0), qRgb(238, 238, 238), qRgb(0, 0, 0)};
  b.pixels = {1, 0, 2,  //
              0, 2, 0};
  Picture p;
  CourseFile f = CourseFile::FromMemory(pictest::BitmapFile(b), "red.bmp");
  ASSERT_TRUE(p.LoadFromFile(f));
  p.setMasked(true);
  const QImage out = DrawOn(p, pictest::Canvas(3, 2, kCanvas), QRect(0, 0, 3, 2));
  const QRgb expected[2][3] = {{0xEEEEEF, kCanvas, 0}, {kCanvas, 0, kCanvas}};
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 3; ++x) EXPECT_EQ(Rgb(out, x, y), expected[y][x]) << x << "," << y;
}

TEST(PictureDraw, FadeMixesTowardsTheTint) {
  constexpr QRgb white = 0xFFFFFF, black = 0;
  const auto one8 = [](QRgb c) {
    Bmp b;
    b.width = 1, b.height = 1, b.colours = {c}, b.pixels = {0};
    return pictest::PackedBitmap(b);
  };
  const auto one24 = [](QRgb c) {
    Bmp b;
    b.width = 1, b.height = 1, b.bitCount = 24, b.pixels = {c & 0xFFFFFF};
    return pictest::PackedBitmap(b);
  };
  Bmp b16;
  b16.width = 1, b16.height = 1, b16.bitCount = 16, b16.pixels = {0};
  struct Case {
    const char* what;
    std::vector<std::uint8_t> bytes;
    bool masked;
    float fade;
    QRgb tint, expected;
  } cases[] = {
      // Colour tables: each half rounded, 0 + 128.
      {"8-bit black half to white", one8(black), false, 0.5f, white, 0x808080},
      {"8-bit quarter", one8(qRgb(255, 100, 7)), false, 0.25f, qRgb(0, 0, 200), qRgb(191, 75, 55)},
      // Pixel by pixel: truncated.
      {"24-bit black half to white", one24(black), false, 0.5f, white, 0x7F7F7F},
      {"24-bit quarter", one24(qRgb(255, 100, 7)), false, 0.25f, qRgb(0, 0, 200), qRgb(191, 75, 55)},
      // 5-bit channels: 0 + 255 x 0.5 / 8 = 15.9 -> 15, shown as 123.
      {"16-bit black half to white", pictest::PackedBitmap(b16), false, 0.5f, white, 0x7B7B7B},
      {"palette PNG", pictest::PalettePng(1, 1, {black}, 0, {0}), false, 0.5f, white, 0x808080},
      {"full fade", one8(qRgb(9, 9, 9)), false, 1.0f, qRgb(1, 2, 3), qRgb(1, 2, 3)},
      {"beyond full stays in range", one24(white), false, 3.0f, black, black},
      // RGBA: unmasked ignores fade; masked scales alpha: round(0.5 x 255) = 128 over white.
      {"RGBA plain", pictest::RgbaPng(1, 1, {qRgba(10, 20, 30, 255)}), false, 0.5f, white, qRgb(10, 20, 30)},
      {"RGBA masked", pictest::RgbaPng(1, 1, {qRgba(0, 0, 0, 255)}), true, 0.5f, white, 0x7E7E7E},
  };
  for (const auto& c : cases) {
    Picture p = FromMemory(c.bytes);
    p.setFade(c.fade);
    p.setTint(QColor(c.tint));
    p.setMasked(c.masked);
    const QImage out = DrawOn(p, pictest::Canvas(1, 1, 0xFFFFFF), QRect(0, 0, 1, 1));
    EXPECT_EQ(Rgb(out, 0, 0), c.expected & 0xFFFFFF) << c.what;
  }
}

TEST(PictureDraw, MaskedRgbaBlendsOverWhatIsDrawn) {
  const std::vector<QRgb> px = {qRgba(200, 100, 0, 128), qRgba(200, 100, 0, 255), qRgba(200, 100, 0, 0),
                                qRgba(200, 100, 0, 1)};
  Picture p = FromMemory(pictest::RgbaPng(4, 1, px));
  p.setMasked(true);
  // Each channel (source x a + destination x (255 - a)) / 256, truncated.
  auto blend = [](int s, int d, int a) { return (s * a + d * (255 - a)) / 256; };
  // A canvas with a different colour under each pixel, drawn through a translation.
  QImage canvas(10, 3, QImage::Format_RGB32);
  for (int x = 0; x < 10; ++x)
    for (int y = 0; y < 3; ++y) canvas.setPixel(x, y, qRgb(255 - x * 20, x * 25, 255));
  const QImage before = canvas;
  {
    QPainter painter(&canvas);
    painter.translate(3, 1);
    p.Draw(painter, QRect(2, 1, 4, 1));
  }
  for (int i = 0; i < 4; ++i) {
    const QRgb d = before.pixel(5 + i, 2);
    const int a = qAlpha(px[i]);
    const QRgb expected = a == 255 ? qRgb(200, 100, 0)
                          : a == 0 ? d
                                   : qRgb(blend(200, qRed(d), a), blend(100, qGreen(d), a), blend(0, qBlue(d), a));
    EXPECT_EQ(canvas.pixel(5 + i, 2), expected) << "alpha " << a;
  }
  EXPECT_EQ(canvas.pixel(4, 2), before.pixel(4, 2));
  // A device that cannot be read (here a pixmap) blends by itself, to within rounding.
  QPixmap pixmap = QPixmap::fromImage(before);
  {
    QPainter painter(&pixmap);
    painter.translate(3, 1);
    p.Draw(painter, QRect(2, 1, 4, 1));
  }
  const QImage onPixmap = pixmap.toImage();
  for (int i = 0; i < 4; ++i)
    for (int shift : {0, 8, 16})
      EXPECT_NEAR((onPixmap.pixel(5 + i, 2) >> shift) & 255, (canvas.pixel(5 + i, 2) >> shift) & 255, 1) << i;

  // The stated case: alpha 128 over white.
  const QImage white = DrawOn(p, pictest::Canvas(4, 1, 0xFFFFFF), QRect(0, 0, 4, 1));
  // Red: (200 x 128 + 255 x 127) / 256 = 57 985 / 256, 226 once the fraction is dropped;
  // green 45 185 / 256 gives 176, blue 32 385 / 256 gives 126.
  EXPECT_EQ(Rgb(white, 0, 0), qRgb(226, 176, 126) & 0xFFFFFF);
}

TEST(PictureDraw, ReplaceKeyColourRewritesKeyPixelsInTheirOwnFormat) {
  Bmp b16;
  b16.width = 3, b16.height = 2, b16.bitCount = 16, b16.pixels = {0x77BD, 0x1234, 0x77BD, 0x77BC, 0x77BD, 0};
  Picture p = FromMemory(pictest::PackedBitmap(b16));
  p.ReplaceKeyColour(Qt::white);
  EXPECT_TRUE(p.keyed());
  auto u16 = [&](int x, int y) {
    const std::uint8_t* r = p.bitmap()->rowFromBottom(y);
    return LoadLe16(std::span<const std::uint8_t, 2>(r + 2 * x, 2));
  };
  EXPECT_EQ(u16(0, 1), 0x7FFF);
  EXPECT_EQ(u16(1, 1), 0x1234);
  EXPECT_EQ(u16(2, 1), 0x7FFF);
  EXPECT_EQ(u16(0, 0), 0x77BC);
  EXPECT_EQ(u16(1, 0), 0x7FFF);

  // One 24-bit pixel per row leaves a padding byte that must not be taken for a
  // pixel: rows of width 1 are B G R pad.
  Bmp b24;
  b24.width = 1, b24.height = 4, b24.bitCount = 24, b24.pixels = {0xFEFEFE, 0x00FEFE, 0xFEFEFE, 0xFEFE00};
  p = FromMemory(pictest::PackedBitmap(b24));
  p.ReplaceKeyColour(QColor(1, 2, 3));
  const std::vector<std::vector<std::uint8_t>> rows24 = {
      {0x00, 0xFE, 0xFE, 0xCC}, {3, 2, 1, 0xCC}, {0xFE, 0xFE, 0x00, 0xCC}, {3, 2, 1, 0xCC}};
  for (int y = 0; y < 4; ++y)
    EXPECT_EQ(std::vector<std::uint8_t>(p.bitmap()->rowFromBottom(y), p.bitmap()->rowFromBottom(y) + 4), rows24[y]) << y;

  Bmp b32;
  b32.width = 2, b32.height = 1, b32.bitCount = 32, b32.pixels = {0xFEFEFE, 0xFEFEFD};
  p = FromMemory(pictest::PackedBitmap(b32));
  p.ReplaceKeyColour(QColor(1, 2, 3));
  EXPECT_EQ(std::vector<std::uint8_t>(p.bitmap()->rowFromBottom(0), p.bitmap()->rowFromBottom(0) + 8),
            (std::vector<std::uint8_t>{3, 2, 1, 0, 0xFD, 0xFE, 0xFE, 0}));

  // 8-bit pictures keep their pixels and colours; the key entry is handled when drawing.
  p = FromMemory(KeyTest8(true, true));
  const auto colours = p.bitmap()->colours();
  p.ReplaceKeyColour(Qt::white);
  EXPECT_EQ(p.bitmap()->colours(), colours);
  EXPECT_EQ(p.KeyIndex(), 2);
}

// The region as a set of pixels.
std::vector<bool> Pixels(const QRegion& r, int w, int h) {
  std::vector<bool> v;
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) v.push_back(r.contains(QPoint(x, y)));
  return v;
}

TEST(PictureDraw, OpaqueRegionExcludesExactlyTheKeyRuns) {
  // 8-bit, keyed: entry 0 is the key grey; rows with runs at the edges, in the
  // middle, none, and all key.
  const int w = 6, h = 5;
  const std::vector<std::uint32_t> indices = {0, 0, 1, 1, 0, 1,  //
                                              1, 1, 1, 1, 1, 1,  //
                                              1, 1, 1, 1, 1, 1,  //
                                              0, 0, 0, 0, 0, 0,  //
                                              1, 0, 1, 0, 1, 0};
  Bmp b;
  b.width = w, b.height = h, b.colours = {qRgb(238, 238, 238), qRgb(1, 2, 3)}, b.pixels = indices;
  Picture p = FromMemory(pictest::PackedBitmap(b));
  p.ReplaceKeyColour(Qt::white);
  std::vector<bool> expected;
  for (auto i : indices) expected.push_back(i != 0);
  std::vector<bool> widened;  // two columns beyond the picture are never opaque
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) widened.push_back(expected[y * w + x]);
    widened.insert(widened.end(), {false, false});
  }
  EXPECT_EQ(Pixels(p.OpaqueRegion(), w + 2, h), widened);

  // The same shape as an RGBA PNG through alpha 127 / 128, and as a palette PNG.
  std::vector<QRgb> rgba;
  std::vector<std::uint8_t> pal;
  for (auto i : indices) {
    rgba.push_back(qRgba(5, 5, 5, i ? 128 : 127));
    pal.push_back(i ? 1 : 0);
  }
  EXPECT_EQ(Pixels(FromMemory(pictest::RgbaPng(w, h, rgba)).OpaqueRegion(), w, h), expected);
  EXPECT_EQ(Pixels(FromMemory(pictest::PalettePng(w, h, {0, 0xFFFFFF}, 1, pal)).OpaqueRegion(), w, h), expected);

  // No key pixels, or a deeper bitmap: the whole rectangle.
  b.colours[0] = qRgb(9, 9, 9);
  EXPECT_TRUE((FromMemory(pictest::PackedBitmap(b)).OpaqueRegion() ^ QRegion(0, 0, w, h)).isEmpty());
  EXPECT_TRUE((FromMemory(DeepKeyTest(24)).OpaqueRegion() ^ QRegion(0, 0, 2, 1)).isEmpty());
}

TEST(PictureDraw, NothingIsDrawnForEmptyPicturesOrRectangles) {
  const QImage blank = pictest::Canvas(8, 8, kCanvas);
  Picture empty;
  EXPECT_EQ(DrawOn(empty, blank, QRect(0, 0, 8, 8)), blank);
  const Picture p = DistinctPicture(Form::Bitmap24, 3, 3);
  EXPECT_EQ(DrawOn(p, blank, QRect(2, 2, 0, 5)), blank);
  EXPECT_EQ(DrawOn(p, blank, QRect(2, 2, 5, -1)), blank);
  EXPECT_EQ(DrawOn(p, blank, QRect(20, 20, 5, 5)), blank);
  // A huge destination is fine: only the visible part is built.
  const QImage huge = DrawOn(p, blank, QRect(-1000000, -1000000, 3000000, 3000000));
  EXPECT_EQ(Rgb(huge, 0, 0), Distinct(1, 1) & 0xFFFFFF);
}

TEST(PictureDraw, MetafilesArePlayedIntoTheRectangle) {
  auto pic = std::make_unique<QPicture>();
  {
    QPainter painter(pic.get());
    painter.fillRect(QRect(10, 10, 5, 5), Qt::red);
    painter.fillRect(QRect(15, 10, 5, 5), Qt::blue);
  }
  pic->setBoundingRect(QRect(10, 10, 10, 5));
  Picture p;
  p.AttachMetafile(std::move(pic));
  const QImage out = DrawOn(p, pictest::Canvas(40, 20, kCanvas), QRect(4, 2, 20, 10));
  EXPECT_EQ(Rgb(out, 5, 3), 0xFF0000u);
  EXPECT_EQ(Rgb(out, 13, 10), 0xFF0000u);
  EXPECT_EQ(Rgb(out, 15, 3), 0x0000FFu);
  EXPECT_EQ(Rgb(out, 23, 11), 0x0000FFu);
  EXPECT_EQ(Rgb(out, 25, 5), kCanvas);
  EXPECT_EQ(Rgb(out, 3, 5), kCanvas);
}

}  // namespace
