// Picture drawing: pictures are converted pixel by pixel on every paint, so these
// are the costs a Lesson Book page and an exposition frame pay.
#include <benchmark/benchmark.h>

#include <QtCore/QBuffer>
#include <QtGui/QImage>
#include <QtGui/QPainter>
#include <cstring>

#include "course/CourseFile.h"
#include "hypertext/Picture.h"

namespace {

void Put32(std::vector<std::uint8_t>& v, std::uint32_t x) {
  for (int i = 0; i < 4; ++i) v.push_back(static_cast<std::uint8_t>(x >> (8 * i)));
}

// A 64 x 64 8-bit activity icon: a disc on the key grey, as a packed bitmap.
std::vector<std::uint8_t> Icon() {
  std::vector<std::uint8_t> v;
  for (std::uint32_t x : {40u, 64u, 64u}) Put32(v, x);
  v.insert(v.end(), {1, 0, 8, 0});
  for (std::uint32_t x : {0u, 64u * 64u, 3790u, 3790u, 0u, 0u}) Put32(v, x);
  for (int i = 0; i < 256; ++i) {
    const int g = i == 0 ? 238 : i;
    v.insert(v.end(), {static_cast<std::uint8_t>(g), static_cast<std::uint8_t>(255 - i), static_cast<std::uint8_t>(g), 0});
  }
  for (int y = 0; y < 64; ++y)
    for (int x = 0; x < 64; ++x) {
      const int dx = x - 32, dy = y - 32;
      v.push_back(dx * dx + dy * dy < 900 ? static_cast<std::uint8_t>(1 + (x + y) % 200) : 0);
    }
  return v;
}

// A 640 x 480 PNG: RGBA with a soft-edged alpha, or an 8-bit palette image.
std::vector<std::uint8_t> Png(bool rgba) {
  QImage image(640, 480, rgba ? QImage::Format_ARGB32 : QImage::Format_Indexed8);
  if (!rgba) {
    QList<QRgb> table;
    for (int i = 0; i < 256; ++i) table << qRgb(i, 255 - i, (i * 7) & 255);
    image.setColorTable(table);
  }
  for (int y = 0; y < 480; ++y)
    for (int x = 0; x < 640; ++x) {
      if (rgba)
        image.setPixel(x, y, qRgba(x & 255, y & 255, (x ^ y) & 255, (x + y) % 256));
      else
        image.setPixel(x, y, static_cast<uint>((x / 8 + y / 8) % 256));
    }
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  image.save(&buffer, "PNG");
  return std::vector<std::uint8_t>(bytes.begin(), bytes.end());
}

void BM_IconWithShadow(benchmark::State& state) {
  Picture icon;
  if (!icon.LoadFromMemory(Icon())) state.SkipWithError("icon did not load");
  icon.ReplaceKeyColour(Qt::white);
  QImage canvas(100, 100, QImage::Format_RGB32);
  canvas.fill(Qt::white);
  QPainter painter(&canvas);
  const int depth = static_cast<int>(state.range(0));
  for (auto _ : state) {
    icon.DrawWithShadow(painter, QPoint(10, 10), depth, depth > 0);
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_IconWithShadow)->Arg(0)->Arg(6);

// range(0): 1 RGBA, 0 palette; range(1): masked.
void BM_PngScaledTo800x600(benchmark::State& state) {
  Picture picture;
  if (!picture.LoadFromMemory(Png(state.range(0) != 0))) state.SkipWithError("PNG did not load");
  picture.setMasked(state.range(1) != 0);
  QImage canvas(800, 600, QImage::Format_RGB32);
  canvas.fill(Qt::white);
  QPainter painter(&canvas);
  for (auto _ : state) {
    picture.Draw(painter, QRect(0, 0, 800, 600));
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations() * 800 * 600);
}
BENCHMARK(BM_PngScaledTo800x600)->Args({1, 0})->Args({1, 1})->Args({0, 0})->Args({0, 1})->Unit(benchmark::kMillisecond);

void BM_DecodePng640x480(benchmark::State& state) {
  const auto bytes = Png(state.range(0) != 0);
  for (auto _ : state) {
    Picture picture;
    CourseFile file = CourseFile::FromMemory(bytes, "bench.png");
    benchmark::DoNotOptimize(picture.LoadFromFile(file));
  }
}
BENCHMARK(BM_DecodePng640x480)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
