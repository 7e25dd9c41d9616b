// Drop shadows and the program palette.
#include <gtest/gtest.h>

#include <QtGui/QPainter>

#include "PictureTestSupport.h"
#include "hypertext/Picture.h"
#include "hypertext/PictureShadow.h"
#include "hypertext/ProgramPalette.h"

namespace {

using pictest::Bmp;
using pictest::Rgb;

constexpr QRgb kCanvas = 0x123456;

// Nearest palette entry by scanning every entry: squared RGB distance, lowest index on ties.
int BruteNearest(int r, int g, int b) {
  const auto& e = ProgramPalette::Entries();
  int best = 0, bestD = 1 << 30;
  for (int i = 0; i < ProgramPalette::kCount; ++i) {
    const int d = (r - qRed(e[i])) * (r - qRed(e[i])) + (g - qGreen(e[i])) * (g - qGreen(e[i])) +
                  (b - qBlue(e[i])) * (b - qBlue(e[i]));
    if (d < bestD) bestD = d, best = i;
  }
  return best;
}

QRgb Entry(int i) { return ProgramPalette::Entries()[i] & 0xFFFFFF; }

TEST(ProgramPalette, HoldsTheCubeTheGreysAndTheScriptColours) {
  EXPECT_EQ(Entry(0), 0x000000u);
  EXPECT_EQ(Entry(215), 0xFFFFFFu);
  EXPECT_EQ(Entry(36 * 1 + 6 * 2 + 3), qRgb(51, 102, 153) & 0xFFFFFF);
  EXPECT_EQ(Entry(216), 0x111111u);
  EXPECT_EQ(Entry(220), qRgb(119, 119, 119) & 0xFFFFFF);
  EXPECT_EQ(Entry(225), qRgb(238, 238, 238) & 0xFFFFFF);
  EXPECT_EQ(Entry(226), qRgb(255, 255, 204) & 0xFFFFFF);
  EXPECT_EQ(Entry(234), qRgb(0, 238, 0) & 0xFFFFFF);
  EXPECT_EQ(Entry(243), qRgb(126, 53, 23) & 0xFFFFFF);
  EXPECT_EQ(ProgramPalette::ColourTable().size(), 244);
}

TEST(ProgramPalette, NearestIndexAgreesWithAFullScan) {
  // A grid, every grey (where the extra greys compete with the cube), and the
  // neighbourhood of every extra colour.
  for (int r = 0; r < 256; r += 7)
    for (int g = 0; g < 256; g += 11)
      for (int b = 0; b < 256; b += 13) ASSERT_EQ(ProgramPalette::NearestIndex(r, g, b), BruteNearest(r, g, b)) << r << "," << g << "," << b;
  for (int v = 0; v < 256; ++v) ASSERT_EQ(ProgramPalette::NearestIndex(v, v, v), BruteNearest(v, v, v)) << v;
  for (int i = 216; i < ProgramPalette::kCount; ++i)
    for (int d = -30; d <= 30; d += 3) {
      const QRgb e = ProgramPalette::Entries()[i];
      const int r = std::clamp(qRed(e) + d, 0, 255), g = std::clamp(qGreen(e) - d / 2, 0, 255), b = std::clamp(qBlue(e) + d / 3, 0, 255);
      ASSERT_EQ(ProgramPalette::NearestIndex(r, g, b), BruteNearest(r, g, b)) << i << " " << d;
    }
  for (const QRgb c : ProgramPalette::Entries()) EXPECT_EQ(Entry(ProgramPalette::NearestIndex(c)), c & 0xFFFFFF);
}

// An 8-bit w x h icon of one colour; `key` marks pixels that use the key grey (entry 0).
Picture Icon(int w, int h, QRgb colour, const std::function<bool(int, int)>& key = {}) {
  Bmp b;
  b.width = w, b.height = h, b.colours = {qRgb(238, 238, 238), colour};
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) b.pixels.push_back(key && key(x, y) ? 0 : 1);
  Picture p;
  EXPECT_TRUE(p.LoadFromMemory(pictest::PackedBitmap(b)));
  p.ReplaceKeyColour(Qt::white);
  return p;
}

QImage ShadowOf(const Picture& p, int depth, bool dark, QSize canvas) {
  QImage out = pictest::Canvas(canvas.width(), canvas.height(), kCanvas);
  QPainter painter(&out);
  p.DrawWithShadow(painter, QPoint(1, 1), depth, dark);
  return out;
}

// Opaque pixels of the picture in the 8 x 8 box ending 3 pixels above and left.
int BoxCount(int X, int Y, const std::function<bool(int, int)>& opaque, int w, int h) {
  int n = 0;
  for (int y = Y - 10; y <= Y - 3; ++y)
    for (int x = X - 10; x <= X - 3; ++x) n += x >= 0 && y >= 0 && x < w && y < h && opaque(x, y);
  return n;
}

TEST(PictureShadow, OpaqueEightSquareGetsTheStatedGreysAtEveryDepth) {
  const QRgb red = qRgb(255, 0, 0);
  const Picture p = Icon(8, 8, red);
  for (int depth = 0; depth <= 6; ++depth) {
    const QImage out = ShadowOf(p, depth, false, {20, 22});
    for (int Y = 0; Y < 18; ++Y)
      for (int X = 0; X < 16; ++X) {
        const bool onPicture = X >= depth && X < depth + 8 && Y >= depth && Y < depth + 8;
        const int n = BoxCount(X, Y, [](int, int) { return true; }, 8, 8);
        const int grey = 255 - std::min(n * (12 - depth) / 3, 132);
        const QRgb expected = onPicture ? red : Entry(BruteNearest(grey, grey, grey));
        ASSERT_EQ(Rgb(out, X + 1, Y + 1), expected & 0xFFFFFF) << "depth " << depth << " at " << X << "," << Y;
      }
    EXPECT_EQ(Rgb(out, 17, 5), kCanvas) << "the result is 16 pixels wide";
    EXPECT_EQ(Rgb(out, 5, 19), kCanvas) << "and 18 high";
  }
  // Full coverage: grey 123 at depth 0 and 127 at depth 6, both nearest to 119.
  EXPECT_EQ(PictureShadow::Shade(64, 0), 220);
  EXPECT_EQ(PictureShadow::Shade(64, 6), 220);
  EXPECT_EQ(PictureShadow::Shade(0, 3), ProgramPalette::kWhite);
  EXPECT_EQ(Rgb(ShadowOf(p, 0, false, {20, 22}), 1 + 10, 1 + 10), 0x777777u);
}

TEST(PictureShadow, ThirtyTwoSquareIconCoversFortyByFortyTwo) {
  const Picture p = Icon(32, 32, qRgb(0, 0, 255));
  EXPECT_EQ(p.ShadowedSize(), QSize(42, 43));
  const QImage out = ShadowOf(p, 0, false, {50, 50});
  for (int y = 0; y < 50; ++y)
    for (int x = 0; x < 50; ++x) {
      const bool covered = x >= 1 && x < 41 && y >= 1 && y < 43;
      ASSERT_EQ(Rgb(out, x, y) != kCanvas, covered) << x << "," << y;
    }
}

TEST(PictureShadow, OnlyOpaquePixelsCastShadowsAndTakePaletteColours) {
  // Left half key-coloured: only the right half counts.
  const auto leftHalf = [](int x, int) { return x < 4; };
  const QRgb orange = qRgb(250, 130, 20);
  const Picture p = Icon(8, 8, orange, leftHalf);
  for (bool dark : {false, true}) {
    const QImage out = ShadowOf(p, 2, dark, {20, 22});
    const int colour = dark ? BruteNearest(125, 65, 10) : BruteNearest(250, 130, 20);
    for (int Y = 0; Y < 18; ++Y)
      for (int X = 0; X < 16; ++X) {
        const int x = X - 2, y = Y - 2;
        const bool onPicture = x >= 0 && x < 8 && y >= 0 && y < 8 && !leftHalf(x, y);
        const int n = BoxCount(X, Y, [&](int a, int b) { return !leftHalf(a, b); }, 8, 8);
        const int grey = 255 - std::min(n * 10 / 3, 132);
        ASSERT_EQ(Rgb(out, X + 1, Y + 1), Entry(onPicture ? colour : BruteNearest(grey, grey, grey)))
            << dark << " " << X << "," << Y;
      }
  }

  // RGBA icons: alpha from 128 up is opaque; dark leaves them as they are.
  std::vector<QRgb> px;
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 8; ++x) px.push_back(qRgba(0, 200, 0, x < 4 ? 127 : 128));
  Picture rgba;
  ASSERT_TRUE(rgba.LoadFromMemory(pictest::RgbaPng(8, 8, px)));
  const QImage out = ShadowOf(rgba, 2, true, {20, 22});
  const QImage plain = ShadowOf(p, 2, false, {20, 22});
  for (int Y = 0; Y < 18; ++Y)
    for (int X = 0; X < 16; ++X) {
      const bool onPicture = X >= 6 && X < 10 && Y >= 2 && Y < 10;
      if (onPicture)
        ASSERT_EQ(Rgb(out, X + 1, Y + 1), Entry(BruteNearest(0, 200, 0))) << X << "," << Y;
      else
        ASSERT_EQ(Rgb(out, X + 1, Y + 1), Rgb(plain, X + 1, Y + 1)) << "same shadow as the keyed icon at " << X << "," << Y;
    }
}

TEST(PictureShadow, UnkeyedEightBitPicturesUseEntry215AsTheirKey) {
  // Neither masked nor keyed: the grey entry is an ordinary colour and index 215
  // plays the key.
  Bmp b;
  b.width = 2, b.height = 1;
  b.colours.assign(216, qRgb(1, 1, 1));
  b.colours[0] = qRgb(238, 238, 238);
  b.colours[215] = qRgb(0, 0, 255);
  b.pixels = {0, 215};
  Picture p;
  ASSERT_TRUE(p.LoadFromMemory(pictest::PackedBitmap(b)));
  const QImage out = ShadowOf(p, 0, false, {12, 14});
  EXPECT_EQ(Rgb(out, 1, 1), Entry(BruteNearest(238, 238, 238)));
  EXPECT_EQ(Rgb(out, 2, 1), 0xFFFFFFu) << "index 215 is left out";
  p.setMasked(true);
  EXPECT_EQ(Rgb(ShadowOf(p, 0, false, {12, 14}), 1, 1), 0xFFFFFFu) << "masked: the grey entry is the key";
  EXPECT_EQ(Rgb(ShadowOf(p, 0, false, {12, 14}), 2, 1), 0x0000FFu);
}

}  // namespace
