#include "hypertext/PictureShadow.h"

#include <QtCore/QList>
#include <algorithm>
#include <array>
#include <vector>

#include "hypertext/PictureRenderer.h"
#include "hypertext/ProgramPalette.h"

namespace {

constexpr int kBox = 8;         // the box is 8 x 8 pixels
constexpr int kOffset = 3;      // reaching from (X - 10, Y - 10) to (X - 3, Y - 3)
constexpr int kMaxCount = kBox * kBox;

using ShadeTable = std::array<std::uint8_t, kMaxCount + 1>;

const ShadeTable& ShadesForDepth(int depth) {
  static const auto tables = [] {
    std::array<ShadeTable, PictureShadow::kMaxDepth + 1> t{};
    for (int d = 0; d <= PictureShadow::kMaxDepth; ++d)
      for (int n = 0; n <= kMaxCount; ++n) {
        const int grey = 255 - std::min(n * (12 - d) / 3, 132);
        t[d][n] = static_cast<std::uint8_t>(ProgramPalette::NearestIndex(grey, grey, grey));
      }
    return t;
  }();
  return tables[depth];
}

struct WorkImages {
  std::vector<std::uint8_t> coverage;  // w x h: 1 for an opaque picture pixel
  std::vector<std::uint8_t> rowSums;   // (w + 8) x h: opaque pixels in each row's 8-pixel window
};

WorkImages& Work() {
  thread_local WorkImages work;
  return work;
}

}  // namespace

int PictureShadow::Shade(int n, int depth) {
  return ShadesForDepth(std::clamp(depth, 0, kMaxDepth))[std::clamp(n, 0, kMaxCount)];
}

QImage PictureShadow::Render(const PixelSource& source, int depth, bool dark) {
  const int w = source.width, h = source.height;
  if (w <= 0 || h <= 0 || w > kMaxSide || h > kMaxSide) return {};
  depth = std::clamp(depth, 0, kMaxDepth);
  const int outW = w + kExtraWidth, outH = h + kExtraHeight;

  WorkImages& work = Work();
  work.coverage.resize(std::size_t(w) * h);
  work.rowSums.resize(std::size_t(outW) * h);
  for (int y = 0; y < h; ++y) {
    const std::uint8_t* row = source.rowFromTop(y);
    std::uint8_t* c = &work.coverage[std::size_t(y) * w];
    for (int x = 0; x < w; ++x) c[x] = source.IsKey(row, x) ? 0 : 1;
  }

  // Running sum across each row: rowSums(X, y) counts coverage at x = X-10 .. X-3.
  for (int y = 0; y < h; ++y) {
    const std::uint8_t* c = &work.coverage[std::size_t(y) * w];
    std::uint8_t* s = &work.rowSums[std::size_t(y) * outW];
    int sum = 0;
    for (int X = 0; X < outW; ++X) {
      const int in = X - kOffset, out = X - kOffset - kBox;
      if (in >= 0 && in < w) sum += c[in];
      if (out >= 0 && out < w) sum -= c[out];
      s[X] = static_cast<std::uint8_t>(sum);
    }
  }

  QImage image(outW, outH, QImage::Format_Indexed8);
  if (image.isNull()) return image;
  image.setColorTable(ProgramPalette::ColourTable());
  image.setDotsPerMeterX(3790);
  image.setDotsPerMeterY(3790);

  // Running sum down each column of the row sums gives the 8 x 8 box count.
  const ShadeTable& shade = ShadesForDepth(depth);
  std::vector<int> columns(static_cast<std::size_t>(outW), 0);
  for (int Y = 0; Y < outH; ++Y) {
    const int in = Y - kOffset, out = Y - kOffset - kBox;
    if (in >= 0 && in < h)
      for (int X = 0; X < outW; ++X) columns[X] += work.rowSums[std::size_t(in) * outW + X];
    if (out >= 0 && out < h)
      for (int X = 0; X < outW; ++X) columns[X] -= work.rowSums[std::size_t(out) * outW + X];
    std::uint8_t* dst = image.scanLine(Y);
    for (int X = 0; X < outW; ++X) dst[X] = shade[std::min(columns[X], kMaxCount)];
  }

  // The picture over its shadow, each opaque pixel as its nearest palette entry.
  std::array<std::uint8_t, 256> indexed{};
  const bool isIndexed = source.format == PixelSource::Format::Indexed8;
  auto nearest = [dark](QRgb c) {
    return static_cast<std::uint8_t>(dark ? ProgramPalette::NearestIndex(qRed(c) / 2, qGreen(c) / 2, qBlue(c) / 2)
                                          : ProgramPalette::NearestIndex(c));
  };
  if (isIndexed) {
    for (int i = 0; i < 256; ++i) {
      const QRgb c = i < static_cast<int>(source.colours.size()) ? source.colours[i] : qRgb(0, 0, 0);
      indexed[i] = nearest(c);
    }
  }
  for (int y = 0; y < h; ++y) {
    const std::uint8_t* row = source.rowFromTop(y);
    const std::uint8_t* c = &work.coverage[std::size_t(y) * w];
    std::uint8_t* dst = image.scanLine(y + depth) + depth;
    for (int x = 0; x < w; ++x) {
      if (!c[x]) continue;
      dst[x] = isIndexed ? indexed[row[x]] : nearest(source.Colour(row, x));
    }
  }
  return image;
}
