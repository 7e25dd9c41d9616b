#include "exposition/ExpoTransition.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "exposition/Keywords.h"

std::int64_t DurationSamples(double seconds) {
  if (!(seconds > 0)) return 0;
  constexpr double kDay = 86400.0;
  return static_cast<std::int64_t>(std::min(seconds, kDay) * double(kExpoClockRate));
}

namespace {

struct DirectionPair {
  int a;
  int b;
};

constexpr DirectionPair kExitPairs[] = {
    {kw::bands, kw::bands_backwards},       {kw::blinds, kw::blinds_backwards},
    {kw::cross, kw::cross_backwards},       {kw::diagonal, kw::diagonal_backwards},
    {kw::diamond, kw::diamond_backwards},   {kw::down, kw::up},
    {kw::in_out, kw::out_in},               {kw::left, kw::right},
    {kw::stripes, kw::stripes_backwards},   {kw::telescope, kw::telescope_backwards},
};

constexpr std::uint32_t kBandMasks[17] = {0x0000, 0x0001, 0x0101, 0x0111, 0x1111, 0x1115, 0x1515, 0x1555, 0x5555,
                                          0x5557, 0x5757, 0x5777, 0x7777, 0x777F, 0x7F7F, 0x7FFF, 0xFFFF};

int Trunc(double v) {
  if (!(v == v)) return 0;
  return static_cast<int>(std::clamp(v, -1e9, 1e9));
}

QRect Shrunk(const QRect& r, double dx, double dy) {
  const int x = Trunc(dx);
  const int y = Trunc(dy);
  return QRect(QPoint(r.left() + x, r.top() + y), QPoint(r.right() - x, r.bottom() - y));
}

// Complement of a shape within the painted area.
QRegion Outside(const QRect& bounds, const QRegion& shape) { return QRegion(bounds).subtracted(shape); }

}  // namespace

int ExitDirection(int direction) {
  for (const DirectionPair& p : kExitPairs) {
    if (p.a == direction) return p.b;
    if (p.b == direction) return p.a;
  }
  return direction;
}

bool IsReversedDirection(int direction) {
  switch (direction) {
    case kw::bands_backwards:
    case kw::blinds_backwards:
    case kw::cross_backwards:
    case kw::diagonal_backwards:
    case kw::diamond_backwards:
    case kw::down:
    case kw::out_in:
    case kw::right:
    case kw::stripes_backwards:
    case kw::telescope_backwards:
      return true;
    default:
      return false;
  }
}

bool IsDirectionWord(int direction) {
  if (direction == kw::noise || direction == kw::shimmer || direction == kw::corner ||
      direction == kw::corner_backwards)
    return true;
  for (const DirectionPair& p : kExitPairs)
    if (p.a == direction || p.b == direction) return true;
  return false;
}

std::uint32_t BandMask(int index) { return kBandMasks[std::clamp(index, 0, 16)]; }

HiddenFraction ComputeHiddenFraction(bool entrance, std::int64_t start, std::int64_t duration, std::int64_t p) {
  HiddenFraction f;
  if (duration <= 0) return f;
  if (p < start) {
    // Before the transition (a seek went back past its start): an entrance has not
    // revealed anything yet and an exit has not begun; both stay pending.
    f.pending = true;
    f.hidden = entrance ? 1.0 : 0.0;
    return f;
  }
  const std::int64_t elapsed = p - start;
  if (elapsed < duration) {
    f.inWindow = true;
    f.hidden = entrance ? double(duration - elapsed) / double(duration) : double(elapsed) / double(duration);
    return f;
  }
  f.remove = !entrance;
  return f;
}

WipeState ComputeWipe(int direction, double h, int w, int t) {
  h = std::clamp(h, 0.0, 1.0);
  const double s = 1.0 - h;
  WipeState st;
  QRect v(0, 0, std::max(w, 0), std::max(t, 0));
  switch (direction) {
    case kw::left:
      v.setLeft(Trunc(h * w));
      break;
    case kw::right:
      v.setRight(Trunc(s * w) - 1);
      break;
    case kw::up:
      v.setTop(Trunc(h * t));
      break;
    case kw::down:
      v.setBottom(Trunc(s * t) - 1);
      break;
    case kw::corner:
      v.setRight(Trunc(s * w) - 1);
      v.setBottom(Trunc(s * t) - 1);
      break;
    case kw::corner_backwards:
      v.setLeft(Trunc(h * w));
      v.setTop(Trunc(h * t));
      break;
    case kw::cross:
    case kw::in_out:
      v = Shrunk(v, h * w / 2, h * t / 2);
      break;
    case kw::cross_backwards:
    case kw::out_in:
      v = Shrunk(v, s * w / 2, s * t / 2);
      break;
    case kw::diamond:
      v = Shrunk(v, (2 * h - 1) / 2 * w, (2 * h - 1) / 2 * t);
      break;
    case kw::diamond_backwards:
      v = Shrunk(v, (2 * s - 1) / 2 * w, (2 * s - 1) / 2 * t);
      break;
    case kw::telescope:
      v = Shrunk(v, (1 - s * 1.4142135) / 2 * w, (1 - s * 1.4142135) / 2 * t);
      break;
    case kw::telescope_backwards:
      v = Shrunk(v, (1 - h * 1.4142135) / 2 * w, (1 - h * 1.4142135) / 2 * t);
      break;
    case kw::diagonal:
    case kw::diagonal_backwards:
      st.diagonal = Trunc(s * (double(w) + double(t)));
      break;
    case kw::bands:
    case kw::blinds:
      st.bandMask = BandMask(static_cast<int>(std::floor(s * 16)));
      break;
    case kw::bands_backwards:
    case kw::blinds_backwards:
      st.bandMask = (BandMask(static_cast<int>(std::floor(h * 16))) ^ 0x1FFFFu) & 0xFFFFu;
      break;
    default:
      break;
  }
  st.visible = v;
  return st;
}

namespace {

// One-pixel strips of rect: columns (or rows) whose offset from the rect's edge, in
// each run of 16, has its bit set in mask.
QRegion Strips(const QRect& rect, const QRect& bounds, std::uint32_t mask, bool columns) {
  const QRect area = rect & bounds;
  if (area.isEmpty()) return {};
  std::vector<QRect> strips;
  if (columns) {
    for (int x = area.left(); x <= area.right(); ++x)
      if (mask & (1u << ((x - rect.left()) & 15))) strips.emplace_back(x, area.top(), 1, area.height());
  } else {
    for (int y = area.top(); y <= area.bottom(); ++y)
      if (mask & (1u << ((y - rect.top()) & 15))) strips.emplace_back(area.left(), y, area.width(), 1);
  }
  // Columns share one band and rows are one band each: y-x banded as they come.
  QRegion r;
  r.setRects(strips.data(), static_cast<int>(strips.size()));
  return r;
}

// A shape given by its horizontal extent on each row, built only over the rows and
// columns of bounds: the cost follows the painted area, never the shape's size (an
// object may be far larger than the view). span(yCentre, x0, x1) gives the row's
// extent [x0, x1) in pixels, false for none.
template <class Span>
QRegion RowSpans(const QRect& bounds, int top, int bottom, Span span) {
  std::vector<QRect> rows;
  const int y0 = std::max(top, bounds.top());
  const int y1 = std::min(bottom, bounds.bottom() + 1);
  for (int y = y0; y < y1; ++y) {
    double a = 0, b = 0;
    if (!span(y + 0.5, a, b)) continue;
    const int x0 = std::max(Trunc(std::floor(a + 0.5)), bounds.left());
    const int x1 = std::min(Trunc(std::floor(b + 0.5)), bounds.right() + 1);
    if (x1 > x0) rows.emplace_back(x0, y, x1 - x0, 1);
  }
  QRegion r;
  r.setRects(rows.data(), static_cast<int>(rows.size()));
  return r;
}

// The ellipse inscribed in v, or the diamond whose corners are the midpoints of its sides.
QRegion EllipseOrDiamond(const QRect& v, const QRect& bounds, bool diamond) {
  if (!v.isValid()) return {};
  const double cx = v.left() + v.width() / 2.0;
  const double cy = v.top() + v.height() / 2.0;
  const double a = v.width() / 2.0;
  const double b = v.height() / 2.0;
  return RowSpans(bounds, v.top(), v.top() + v.height(), [&](double y, double& x0, double& x1) {
    const double dy = std::abs(y - cy) / b;
    if (dy > 1) return false;
    const double half = diamond ? a * (1 - dy) : a * std::sqrt(1 - dy * dy);
    x0 = cx - half;
    x1 = cx + half;
    return true;
  });
}

}  // namespace

ExpoClip WipeClip(int direction, const QRect& objectRect, const WipeState& wipe, const QRect& bounds) {
  const QRect visible = wipe.visible.translated(objectRect.topLeft());
  const int w = objectRect.width();
  const int t = objectRect.height();
  ExpoClip clip;
  clip.all = false;
  switch (direction) {
    case kw::left:
    case kw::right:
    case kw::up:
    case kw::down:
    case kw::corner:
    case kw::corner_backwards:
    case kw::in_out:
      clip.region = QRegion(visible.isValid() ? visible : QRect());
      break;
    case kw::out_in:
      clip.region = Outside(bounds, QRegion(visible.isValid() ? visible : QRect()));
      break;
    case kw::cross:
    case kw::cross_backwards: {
      QRegion plus;
      if (visible.isValid()) {
        plus = QRegion(QRect(objectRect.left(), visible.top(), w, visible.height()))
                   .united(QRect(visible.left(), objectRect.top(), visible.width(), t));
      }
      clip.region = direction == kw::cross ? plus : Outside(bounds, plus);
      break;
    }
    case kw::diamond:
    case kw::diamond_backwards: {
      const QRegion d = EllipseOrDiamond(visible, bounds, true);
      clip.region = direction == kw::diamond ? d : Outside(bounds, d);
      break;
    }
    case kw::telescope:
    case kw::telescope_backwards: {
      const QRegion e = EllipseOrDiamond(visible, bounds, false);
      clip.region = direction == kw::telescope ? e : Outside(bounds, e);
      break;
    }
    case kw::diagonal:
    case kw::diagonal_backwards: {
      const double len = wipe.diagonal;
      if (len <= 0) break;
      const double ox = objectRect.left();
      const double oy = objectRect.top();
      if (direction == kw::diagonal) {
        // The triangle (0, 0), (len, 0), (0, len) at the object's top-left.
        clip.region = RowSpans(bounds, objectRect.top(), Trunc(oy + len), [&](double y, double& x0, double& x1) {
          x0 = ox;
          x1 = ox + len - (y - oy);
          return x1 > x0;
        });
      } else {
        // The triangle (w, t), (w - len, t), (w, t - len).
        const double bx = ox + w;
        const double by = oy + t;
        clip.region = RowSpans(bounds, Trunc(by - len), Trunc(by), [&](double y, double& x0, double& x1) {
          x0 = bx - (len - (by - y));
          x1 = bx;
          return x1 > x0;
        });
      }
      break;
    }
    case kw::bands:
    case kw::bands_backwards:
    case kw::blinds:
    case kw::blinds_backwards:
      if ((wipe.bandMask & 0xFFFF) == 0xFFFF) {
        clip.all = true;
        break;
      }
      clip.region = Strips(objectRect, bounds, wipe.bandMask,
                           direction == kw::bands || direction == kw::bands_backwards);
      break;
    default:
      clip.all = true;
      break;
  }
  return clip;
}

int DancePhase(int direction, int frequency, std::uint32_t milliseconds) {
  const std::int64_t v =
      (std::int64_t(frequency) * std::int64_t(milliseconds & 0xFFFFFFu) / 1000) % 8;
  const int phase = static_cast<int>((v + 8) % 8);
  return IsReversedDirection(direction) ? phase : (8 - phase) % 8;
}

ExpoClip DanceClip(int direction, int frequency, std::uint32_t milliseconds, const QRect& objectRect,
                   const QRect& bounds, std::minstd_rand& random) {
  ExpoClip clip;
  const QRect area = objectRect & bounds;
  const int phase = DancePhase(direction, frequency, milliseconds);
  std::vector<QRect> rects;
  switch (direction) {
    case kw::bands:
    case kw::bands_backwards:
      for (int y = objectRect.top() + phase; y <= area.bottom(); y += 8)
        if (y >= area.top()) rects.emplace_back(area.left(), y, area.width(), 1);
      break;
    case kw::blinds:
    case kw::blinds_backwards:
      for (int x = objectRect.left() + phase; x <= area.right(); x += 8)
        if (x >= area.left()) rects.emplace_back(x, area.top(), 1, area.height());
      break;
    case kw::noise:
    case kw::shimmer: {
      if (area.isEmpty()) break;
      const std::int64_t pixels = std::int64_t(area.width()) * area.height();
      const std::int64_t count = pixels / (direction == kw::noise ? 16 : 256);
      std::vector<std::uint32_t> picks;
      picks.reserve(static_cast<std::size_t>(count));
      std::uniform_int_distribution<std::int64_t> pick(0, pixels - 1);
      for (std::int64_t i = 0; i < count; ++i) picks.push_back(static_cast<std::uint32_t>(pick(random)));
      std::sort(picks.begin(), picks.end());
      picks.erase(std::unique(picks.begin(), picks.end()), picks.end());
      // Sorted by row then column: single pixels in y-x banded order.
      for (std::uint32_t i : picks)
        rects.emplace_back(area.left() + int(i % area.width()), area.top() + int(i / area.width()), 1, 1);
      break;
    }
    case kw::stripes:
    case kw::stripes_backwards:
      for (int y = area.top(); y <= area.bottom(); ++y) {
        const int rel = ((y - objectRect.top() + phase) % 8 + 8) % 8;
        int x = objectRect.left() + ((8 - rel) % 8);
        if (x < area.left()) x += ((area.left() - x + 7) / 8) * 8;
        for (; x <= area.right(); x += 8) rects.emplace_back(x, y, 1, 1);
      }
      break;
    default:
      return clip;
  }
  clip.all = false;
  clip.region.setRects(rects.data(), static_cast<int>(rects.size()));
  return clip;
}
