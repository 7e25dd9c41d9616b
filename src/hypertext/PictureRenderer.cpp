#include "hypertext/PictureRenderer.h"

#include <QtCore/QList>
#include <algorithm>
#include <cmath>
#include <cstring>

#include "course/ByteReader.h"

namespace {

constexpr std::uint16_t kKey555 = 0x77BD;  // 29, 29, 29: 238 in 5 bits
constexpr int kKey888 = 254;

// A 5-5-5 pixel of a checked row.
inline std::uint16_t Read16(const std::uint8_t* p) { return LoadLe16(std::span<const std::uint8_t, 2>(p, 2)); }
// 5-bit channel to 8 bits, repeating the top bits so that 31 becomes 255.
inline int Expand5(int c) { return (c << 3) | (c >> 2); }

// Source column of every output column of the window: x * source width / W.
std::vector<int> ColumnMap(int sourceWidth, int outWidth, const QRect& window) {
  std::vector<int> map(static_cast<std::size_t>(window.width()));
  for (int i = 0; i < window.width(); ++i)
    map[i] = static_cast<int>(std::int64_t(window.left() + i) * sourceWidth / outWidth);
  return map;
}

// Source row, counted from the bottom, of output row y (counted from the top):
// (output row from the bottom) * source height / H.
inline int SourceRowFromBottom(int y, int sourceHeight, int outHeight) {
  return static_cast<int>(std::int64_t(outHeight - 1 - y) * sourceHeight / outHeight);
}

// Colour-table fade: each channel becomes round(c (1 - f)) + round(C f).
QRgb FadeEntry(QRgb c, QRgb tint, float fade) {
  auto ch = [fade](int c, int t) {
    const long v = std::lround(float(c) * (1.0f - fade)) + std::lround(float(t) * fade);
    return static_cast<int>(std::clamp(v, 0L, 255L));
  };
  return qRgb(ch(qRed(c), qRed(tint)), ch(qGreen(c), qGreen(tint)), ch(qBlue(c), qBlue(tint)));
}

// Per-pixel fade: c (1 - f) + C f, truncated; C at the channel's own scale.
inline int FadeChannel(int c, float tintAtScale, float fade, int max) {
  const float v = float(c) * (1.0f - fade) + tintAtScale * fade;
  return std::clamp(static_cast<int>(v), 0, max);
}

// Adds the runs of pixels for which opaque(i) holds in output row j.
template <typename Opaque>
void AddRuns(RunRegionBuilder& region, int j, int width, Opaque opaque) {
  region.BeginRow(j);
  int i = 0;
  while (i < width) {
    while (i < width && !opaque(i)) ++i;
    const int start = i;
    while (i < width && opaque(i)) ++i;
    if (i > start) region.AddRun(start, i);
  }
  region.EndRow();
}

QImage NewImage(const QRect& window, QImage::Format format) {
  QImage image(window.size(), format);
  // Both directions at 3790 pixels per metre (96 dots per inch), as the device copy states.
  image.setDotsPerMeterX(3790);
  image.setDotsPerMeterY(3790);
  return image;
}

QImage RenderIndexed(const PixelSource& s, QSize size, const QRect& window, const RenderOptions& o,
                     RunRegionBuilder* region) {
  std::vector<QRgb> table = s.colours;
  if (o.fade != 0.0f)
    for (QRgb& c : table) c = FadeEntry(c, o.tint, o.fade);
  if (s.keyIndex >= 0 && s.keyIndex < static_cast<int>(table.size())) table[s.keyIndex] = o.background;
  table.resize(256, qRgb(0, 0, 0));  // indexes beyond the table draw black

  QImage out = NewImage(window, QImage::Format_Indexed8);
  if (out.isNull()) return out;
  out.setColorTable(QList<QRgb>(table.begin(), table.end()));
  const auto cols = ColumnMap(s.width, size.width(), window);
  const int w = window.width();
  const bool wholeRows = !o.masked && size.width() == s.width;
  int previous = -1;
  for (int j = 0; j < window.height(); ++j) {
    const int sourceRow = SourceRowFromBottom(window.top() + j, s.height, size.height());
    std::uint8_t* dst = out.scanLine(j);
    const std::uint8_t* src = s.rowFromBottom(sourceRow);
    if (!o.masked && sourceRow == previous) {
      std::memcpy(dst, out.constScanLine(j - 1), static_cast<std::size_t>(w));
    } else if (wholeRows) {
      std::memcpy(dst, src + window.left(), static_cast<std::size_t>(w));
    } else {
      for (int i = 0; i < w; ++i) dst[i] = src[cols[i]];
    }
    if (region) AddRuns(*region, j, w, [&](int i) { return dst[i] != s.keyIndex; });
    previous = sourceRow;
  }
  return out;
}

QImage RenderDirect(const PixelSource& s, QSize size, const QRect& window, const RenderOptions& o,
                    RunRegionBuilder* region) {
  QImage out = NewImage(window, QImage::Format_RGB32);
  if (out.isNull()) return out;
  const auto cols = ColumnMap(s.width, size.width(), window);
  const int w = window.width();
  const bool fading = o.fade != 0.0f;
  const bool is555 = s.format == PixelSource::Format::Rgb555;
  const int bytes = is555 ? 2 : s.format == PixelSource::Format::Bgr24 ? 3 : 4;
  // The tint at the channel scale of the source: for 5-bit channels C / 8.
  const float scale = is555 ? 8.0f : 1.0f;
  const float tr = float(qRed(o.tint)) / scale, tg = float(qGreen(o.tint)) / scale, tb = float(qBlue(o.tint)) / scale;
  const int max = is555 ? 31 : 255;
  std::vector<std::uint8_t> transparent(static_cast<std::size_t>(w));
  int previous = -1;
  for (int j = 0; j < window.height(); ++j) {
    const int sourceRow = SourceRowFromBottom(window.top() + j, s.height, size.height());
    auto* dst = reinterpret_cast<QRgb*>(out.scanLine(j));
    if (!o.masked && sourceRow == previous) {
      std::memcpy(dst, out.constScanLine(j - 1), static_cast<std::size_t>(w) * 4);
      continue;
    }
    previous = sourceRow;
    const std::uint8_t* src = s.rowFromBottom(sourceRow);
    for (int i = 0; i < w; ++i) {
      const std::uint8_t* p = src + std::size_t(cols[i]) * bytes;
      int r, g, b;
      bool key;
      if (is555) {
        const std::uint16_t v = Read16(p);
        r = (v >> 10) & 31, g = (v >> 5) & 31, b = v & 31;
        key = v == kKey555;
      } else {
        b = p[0], g = p[1], r = p[2];
        key = r == kKey888 && g == kKey888 && b == kKey888;
      }
      transparent[i] = o.masked && key;
      if (transparent[i]) {
        dst[i] = o.background | 0xFF000000u;
        continue;
      }
      if (fading) {
        r = FadeChannel(r, tr, o.fade, max);
        g = FadeChannel(g, tg, o.fade, max);
        b = FadeChannel(b, tb, o.fade, max);
      }
      dst[i] = is555 ? qRgb(Expand5(r), Expand5(g), Expand5(b)) : qRgb(r, g, b);
    }
    if (region) AddRuns(*region, j, w, [&](int i) { return !transparent[i]; });
  }
  return out;
}

QImage RenderRgba(const PixelSource& s, QSize size, const QRect& window, const RenderOptions& o,
                  QImage* destination) {
  const bool blendHere = o.masked && destination && destination->size() == window.size() &&
                         destination->format() == QImage::Format_RGB32;
  // Masked without the device's pixels: the output keeps the blending alpha.
  const bool carryAlpha = o.masked && !blendHere;
  QImage out = blendHere ? std::move(*destination) : NewImage(window, carryAlpha ? QImage::Format_ARGB32 : QImage::Format_RGB32);
  if (out.isNull()) return out;
  if (blendHere) {
    out.setDotsPerMeterX(3790);
    out.setDotsPerMeterY(3790);
  }
  const auto cols = ColumnMap(s.width, size.width(), window);
  const int w = window.width();
  const bool fading = o.fade != 0.0f;
  int previous = -1;
  for (int j = 0; j < window.height(); ++j) {
    const int sourceRow = SourceRowFromBottom(window.top() + j, s.height, size.height());
    auto* dst = reinterpret_cast<QRgb*>(out.scanLine(j));
    if (!o.masked && sourceRow == previous) {
      std::memcpy(dst, out.constScanLine(j - 1), static_cast<std::size_t>(w) * 4);
      continue;
    }
    previous = sourceRow;
    const std::uint8_t* src = s.rowFromBottom(sourceRow);
    for (int i = 0; i < w; ++i) {
      const std::uint8_t* p = src + std::size_t(cols[i]) * 4;
      if (!o.masked) {
        dst[i] = qRgb(p[0], p[1], p[2]);
        continue;
      }
      int a = p[3];
      if (fading) a = static_cast<int>(std::clamp(std::lround((1.0f - o.fade) * float(a)), 0L, 255L));
      if (carryAlpha) {
        dst[i] = qRgba(p[0], p[1], p[2], a);
      } else if (a == 255) {
        dst[i] = qRgb(p[0], p[1], p[2]);
      } else if (a != 0) {
        const QRgb d = dst[i];
        auto mix = [a](int source, int dest) { return (source * a + dest * (255 - a)) / 256; };
        dst[i] = qRgb(mix(p[0], qRed(d)), mix(p[1], qGreen(d)), mix(p[2], qBlue(d)));
      }
    }
  }
  return out;
}

}  // namespace

bool PixelSource::IsKey(const std::uint8_t* row, int x) const {
  switch (format) {
    case Format::Indexed8:
      return row[x] == keyIndex;
    case Format::Rgb555:
      return Read16(row + 2 * std::size_t(x)) == kKey555;
    case Format::Bgr24: {
      const std::uint8_t* p = row + 3 * std::size_t(x);
      return p[0] == kKey888 && p[1] == kKey888 && p[2] == kKey888;
    }
    case Format::Bgrx32: {
      const std::uint8_t* p = row + 4 * std::size_t(x);
      return p[0] == kKey888 && p[1] == kKey888 && p[2] == kKey888;
    }
    case Format::Rgba32:
      return row[4 * std::size_t(x) + 3] < 128;
  }
  return false;
}

QRgb PixelSource::Colour(const std::uint8_t* row, int x) const {
  switch (format) {
    case Format::Indexed8:
      return row[x] < colours.size() ? (colours[row[x]] | 0xFF000000u) : qRgb(0, 0, 0);
    case Format::Rgb555: {
      const std::uint16_t v = Read16(row + 2 * std::size_t(x));
      return qRgb(Expand5((v >> 10) & 31), Expand5((v >> 5) & 31), Expand5(v & 31));
    }
    case Format::Bgr24: {
      const std::uint8_t* p = row + 3 * std::size_t(x);
      return qRgb(p[2], p[1], p[0]);
    }
    case Format::Bgrx32: {
      const std::uint8_t* p = row + 4 * std::size_t(x);
      return qRgb(p[2], p[1], p[0]);
    }
    case Format::Rgba32: {
      const std::uint8_t* p = row + 4 * std::size_t(x);
      return qRgb(p[0], p[1], p[2]);
    }
  }
  return qRgb(0, 0, 0);
}

void RunRegionBuilder::BeginRow(int y) {
  m_y = y;
  m_rowStart = m_rects.size();
}

void RunRegionBuilder::AddRun(int x0, int x1) { m_rects.emplace_back(x0, m_y, x1 - x0, 1); }

void RunRegionBuilder::EndRow() {
  // Merge into the band above when it ends on the previous row with the same runs.
  const std::size_t above = m_rowStart - m_bandStart;
  const std::size_t here = m_rects.size() - m_rowStart;
  bool same = above == here && above > 0 && m_rects[m_bandStart].bottom() == m_y - 1;
  for (std::size_t i = 0; same && i < here; ++i)
    same = m_rects[m_bandStart + i].left() == m_rects[m_rowStart + i].left() &&
           m_rects[m_bandStart + i].right() == m_rects[m_rowStart + i].right();
  if (same) {
    for (std::size_t i = 0; i < here; ++i) m_rects[m_bandStart + i].setBottom(m_y);
    m_rects.resize(m_rowStart);
  } else if (here > 0) {
    m_bandStart = m_rowStart;
  }
}

QRegion RunRegionBuilder::Region() const {
  QRegion region;
  if (!m_rects.empty()) region.setRects(m_rects.data(), static_cast<int>(m_rects.size()));
  return region;
}

QImage PictureRenderer::Render(const PixelSource& source, QSize size, QRect window, const RenderOptions& options,
                               QRegion* opaque, QImage* destination) {
  window &= QRect(QPoint(0, 0), size);
  if (source.width <= 0 || source.height <= 0 || window.isEmpty()) {
    if (opaque) *opaque = QRegion();
    return {};
  }
  RunRegionBuilder region;
  RunRegionBuilder* runs = options.masked && opaque ? &region : nullptr;
  QImage out;
  switch (source.format) {
    case PixelSource::Format::Indexed8:
      out = RenderIndexed(source, size, window, options, runs);
      break;
    case PixelSource::Format::Rgba32:
      out = RenderRgba(source, size, window, options, destination);
      runs = nullptr;  // blending, not clipping, makes these transparent
      break;
    default:
      out = RenderDirect(source, size, window, options, runs);
      break;
  }
  if (opaque) *opaque = runs ? region.Region() : QRegion(QRect(QPoint(0, 0), window.size()));
  return out;
}
