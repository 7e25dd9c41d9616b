#include "lessonbook/PageTurn.h"

#include <QtCore/QLineF>
#include <QtGui/QLinearGradient>
#include <QtGui/QPainter>
#include <QtGui/QPainterPath>
#include <algorithm>
#include <cmath>

namespace {

constexpr double kPi = 3.14159265358979323846;

// The part of polygon on the side of the line through m with normal n where
// (p - m) . n <= 0 (one step of Sutherland-Hodgman).
QPolygonF ClipHalfPlane(const QPolygonF& polygon, QPointF m, QPointF n) {
  QPolygonF out;
  const int count = polygon.size();
  auto side = [&](QPointF p) { return QPointF::dotProduct(p - m, n); };
  for (int i = 0; i < count; ++i) {
    const QPointF a = polygon[i];
    const QPointF b = polygon[(i + 1) % count];
    const double sa = side(a);
    const double sb = side(b);
    if (sa <= 0) out << a;
    if ((sa < 0 && sb > 0) || (sa > 0 && sb < 0)) out << a + (b - a) * (sa / (sa - sb));
  }
  return out;
}

QPointF Reflect(QPointF p, QPointF m, QPointF n) { return p - 2.0 * QPointF::dotProduct(p - m, n) * n; }

}  // namespace

double PageTurnProgress(qint64 elapsedMs, qint64 durationMs) {
  if (durationMs <= 0 || elapsedMs >= durationMs) return 1.0;
  if (elapsedMs <= 0) return 0.0;
  const double x = static_cast<double>(elapsedMs) / static_cast<double>(durationMs);
  return 0.5 - 0.5 * std::cos(kPi * x);  // slow start and finish, as a hand turns a page
}

PageTurnFrame PageTurnGeometry(const QSizeF& size, double t) {
  t = std::clamp(t, 0.0, 1.0);
  const double w = size.width();
  const double h = size.height();
  const QPolygonF page(QRectF(QPointF(0, 0), size));
  PageTurnFrame frame;
  if (t <= 0.0 || w <= 0 || h <= 0) {
    frame.flat = page;
    return frame;
  }
  // The bottom-right corner travels to the left past the page, lifting on the way.
  const QPointF corner(w, h);
  const QPointF lifted(w - t * 2.2 * w, h - std::sin(kPi * t) * h * 0.18);
  const QPointF mid = (corner + lifted) / 2.0;
  QPointF n = corner - lifted;
  const double len = std::hypot(n.x(), n.y());
  if (len < 1e-6) {
    frame.flat = page;
    return frame;
  }
  n /= len;  // points from the fold towards the corner: that side is lifted
  frame.flat = ClipHalfPlane(page, mid, n);
  const QPolygonF lift = ClipHalfPlane(page, mid, -n);
  for (const QPointF& p : lift) frame.flap << Reflect(p, mid, n);
  frame.lift = n;
  // The fold: where the flat part meets the line through mid across n.
  QPolygonF onFold;
  for (const QPointF& p : frame.flat)
    if (std::abs(QPointF::dotProduct(p - mid, n)) < 1e-3) onFold << p;
  if (onFold.size() >= 2) frame.fold = QLineF(onFold.first(), onFold.last());
  else frame.fold = QLineF(mid, mid);
  return frame;
}

void PaintPageTurn(QPainter& painter, const QImage& from, const QImage& to, double t, bool forward) {
  if (!forward) {
    // Turning back is the forward turn of the earlier page, run backwards.
    PaintPageTurn(painter, to, from, 1.0 - t, true);
    return;
  }
  const QSizeF size = from.deviceIndependentSize();
  const QRectF pageRect(QPointF(0, 0), size);
  t = std::clamp(t, 0.0, 1.0);
  if (t <= 0.0) {
    painter.drawImage(QPointF(0, 0), from);
    return;
  }
  if (t >= 1.0) {
    painter.drawImage(QPointF(0, 0), to);
    return;
  }
  const PageTurnFrame frame = PageTurnGeometry(size, t);
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setClipRect(pageRect);
  painter.drawImage(QPointF(0, 0), to);

  // The shadow the lifted flap casts on the uncovered page, along the fold.
  const QPointF foldMid = frame.fold.center();
  const QPointF normal = frame.lift;
  {
    const double reach = 14.0 + 24.0 * std::sin(kPi * t);
    QLinearGradient shade(foldMid, foldMid + normal * reach);
    shade.setColorAt(0.0, QColor(0, 0, 0, 90));
    shade.setColorAt(1.0, QColor(0, 0, 0, 0));
    QPainterPath uncovered;
    uncovered.addRect(pageRect);
    QPainterPath flat;
    flat.addPolygon(frame.flat);
    painter.fillPath(uncovered.subtracted(flat), shade);
  }

  // The old page where it still lies flat.
  if (frame.flat.size() >= 3) {
    QPainterPath flat;
    flat.addPolygon(frame.flat);
    painter.save();
    painter.setClipPath(flat, Qt::IntersectClip);
    painter.drawImage(QPointF(0, 0), from);
    painter.restore();
  }

  // The flap: the back of the lifted paper, lighter towards its free edge, with the
  // page's print showing faintly through it mirrored.
  if (frame.flap.size() >= 3) {
    QPainterPath flap;
    flap.addPolygon(frame.flap);
    // Its shadow on the flat page first.
    painter.save();
    painter.translate(-3.0, 2.0);
    painter.fillPath(flap, QColor(0, 0, 0, 40));
    painter.restore();
    QLinearGradient back(foldMid, foldMid - normal * std::max(size.width(), size.height()) * 0.6);
    back.setColorAt(0.0, QColor(214, 210, 200));
    back.setColorAt(0.25, QColor(246, 244, 238));
    back.setColorAt(1.0, QColor(255, 255, 252));
    painter.fillPath(flap, back);
    painter.save();
    painter.setClipPath(flap, Qt::IntersectClip);
    painter.setOpacity(0.08);
    // The mirror image of the old page across the fold is what shows through the paper.
    QTransform mirror;
    const QPointF m = foldMid;
    const QPointF n = normal;
    // Reflection across the fold line: p' = p - 2 ((p - m) . n) n.
    mirror.setMatrix(1 - 2 * n.x() * n.x(), -2 * n.x() * n.y(), 0, -2 * n.x() * n.y(), 1 - 2 * n.y() * n.y(), 0,
                     2 * QPointF::dotProduct(m, n) * n.x(), 2 * QPointF::dotProduct(m, n) * n.y(), 1);
    painter.setTransform(mirror, true);
    painter.drawImage(QPointF(0, 0), from);
    painter.restore();
    painter.setPen(QPen(QColor(150, 145, 135), 1.0));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(flap);
  }
  painter.restore();
}
