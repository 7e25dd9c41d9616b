#include "shell/ChildPlacement.h"

#include <algorithm>

namespace {

// Step 4: right edge, then left, bottom, then top; the left and top edges win when the
// rectangle is larger than the area.
QRect KeepInside(QRect r, const QSize& area) {
  if (r.x() + r.width() > area.width()) r.moveLeft(area.width() - r.width());
  if (r.x() < 0) r.moveLeft(0);
  if (r.y() + r.height() > area.height()) r.moveTop(area.height() - r.height());
  if (r.y() < 0) r.moveTop(0);
  return r;
}

bool CornerTaken(const QPoint& corner, const std::vector<QPoint>& siblings) {
  return std::find(siblings.begin(), siblings.end(), corner) != siblings.end();
}

}  // namespace

bool IsFixedSize(const QSize& minTrack, const QSize& maxTrack) {
  return minTrack == maxTrack && minTrack.width() > 0 && minTrack.height() > 0;
}

ChildPlacementResult PlaceChildRect(const ChildPlacementInput& in) {
  ChildPlacementResult result;
  const bool fixed = IsFixedSize(in.minTrack, in.maxTrack);
  QRect r = in.outer;

  if (in.remembered) {
    const QRect outer = in.remembered->marginsAdded(in.border);
    if (fixed)
      r.moveTopLeft(outer.topLeft());
    else
      r = outer;
  }

  // Each move can land on another sibling's corner, so check them all again; the loop
  // ends because every move strictly increases the corner and there are finitely many.
  while (CornerTaken(r.topLeft(), in.siblingCorners)) r.translate(kCascadeStep, kCascadeStep);

  QSize area = in.area;
  r = KeepInside(r, area);

  if (r.height() > area.height() && in.statusBarVisible && in.hideStatusBar) {
    area = in.hideStatusBar();
    result.hidStatusBar = true;
    r = KeepInside(r, area);
  }

  if (!fixed) {
    // Only the window's own maximum shrinks it: a window larger than a small screen's area
    // keeps the learner's size (and is saved with it); its left and top edges stay visible.
    if (in.maxTrack.width() > 0 && r.width() > in.maxTrack.width())
      r.setWidth(std::max(in.maxTrack.width(), in.minTrack.width()));
    if (in.maxTrack.height() > 0 && r.height() > in.maxTrack.height())
      r.setHeight(std::max(in.maxTrack.height(), in.minTrack.height()));
  } else {
    const int excessW = r.width() - area.width();
    const int excessH = r.height() - area.height();
    if (excessW > 0) r.translate(-std::min(excessW, std::max(0, in.border.left() - 4)), 0);
    if (excessH > 0) r.translate(0, -std::min(excessH, std::max(0, in.border.top() - 8)));
  }
  result.outer = r;
  return result;
}

QRect MoveOntoScreen(const QRect& rect, const QRect& screen) {
  QRect r = rect;
  if (r.right() > screen.right()) r.moveRight(screen.right());
  if (r.bottom() > screen.bottom()) r.moveBottom(screen.bottom());
  if (r.left() < screen.left()) r.moveLeft(screen.left());
  if (r.top() < screen.top()) r.moveTop(screen.top());
  return r;
}

std::vector<QPoint> TearBarDefaultPositions(const QRect& freeClientArea, const QRect& screen, const QSize& barSize,
                                            int count) {
  std::vector<QPoint> out;
  QPoint at = freeClientArea.topLeft() + QPoint(0, 8);
  for (int i = 0; i < count; ++i) {
    if (i > 0) at = MoveOntoScreen(QRect(out.back() + QPoint(0, 80), barSize), screen).topLeft();
    out.push_back(at);
  }
  return out;
}

std::vector<QRect> OutlineAnimationSteps(const QRect& from, const QRect& to) {
  std::vector<QRect> out;
  out.reserve(kOutlineSteps);
  const int n = kOutlineSteps - 1;
  auto mix = [n](int a, int b, int k) { return ((n - k) * a + k * b) / n; };
  for (int k = 0; k <= n; ++k) {
    // Edges as the exclusive right/bottom coordinates, so that sizes interpolate too.
    const int left = mix(from.left(), to.left(), k);
    const int top = mix(from.top(), to.top(), k);
    const int right = mix(from.left() + from.width(), to.left() + to.width(), k);
    const int bottom = mix(from.top() + from.height(), to.top() + to.height(), k);
    out.emplace_back(QPoint(left, top), QSize(right - left, bottom - top));
  }
  return out;
}
