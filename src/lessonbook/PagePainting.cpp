// Drawing the parts of an activity entry: its state mark or clock, its icon with the
// drop shadow, and its picture.
#include <QtGui/QPainter>
#include <algorithm>
#include <cmath>

#include "course/ResourceIds.h"
#include "hypertext/Picture.h"
#include "lessonbook/PageArt.h"
#include "lessonbook/PageDocument.h"

namespace {

constexpr int kPictureRightGap = 6;

bool ShowsStatePicture(const PageParagraph& p, const PageSettings& settings) {
  return p.completed || p.minutes == 0 || settings.hideTime;
}

qreal RatioOf(QPainter& painter) { return painter.device() ? painter.device()->devicePixelRatioF() : 1.0; }

}  // namespace

QSize PageDocument::StateMarkSize(const PageParagraph& p) const {
  if (!ShowsStatePicture(p, m_settings)) return LessonArtSize("bitmap", bmp::kClock);
  const Picture* own = p.completed ? m_completed.get() : m_incomplete.get();
  if (own && own->IsLoaded()) return own->Size();
  return LessonArtSize("bitmap", p.completed ? bmp::kCompleted : bmp::kIncomplete);
}

void PageDocument::DrawStateMark(QPainter& painter, const PageParagraph& p) const {
  if (p.markRect.isEmpty()) return;
  if (!ShowsStatePicture(p, m_settings)) {
    DrawClock(painter, p.markRect, p.minutes);
    return;
  }
  const Picture* own = p.completed ? m_completed.get() : m_incomplete.get();
  if (own && own->IsLoaded()) {
    own->DrawAt(painter, p.markRect.topLeft());
    return;
  }
  const QImage image =
      LessonArtImage("bitmap", p.completed ? bmp::kCompleted : bmp::kIncomplete, p.markRect.size(), RatioOf(painter));
  if (!image.isNull()) painter.drawImage(p.markRect.topLeft(), image);
}

void PageDocument::DrawClock(QPainter& painter, const QRect& rect, int minutes) const {
  const QImage face = LessonArtImage("bitmap", bmp::kClock, rect.size(), RatioOf(painter));
  if (!face.isNull()) painter.drawImage(rect.topLeft(), face);
  // The dial: a pale yellow disc, the estimated minutes (at least 3) of the hour shaded
  // from the top clockwise, and the hands at the top and at the end of that time.
  const QRectF disc(rect.center().x() + 0.5 - kClockDial / 2.0, rect.center().y() + 0.5 - kClockDial / 2.0,
                    kClockDial, kClockDial);
  const int shown = std::clamp(minutes, kMinClockMinutes, 60);
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(Qt::NoPen);
  painter.setBrush(QColor(255, 255, 204));
  painter.drawEllipse(disc);
  painter.setBrush(QColor(248, 128, 23, 200));
  painter.drawPie(disc.adjusted(0.5, 0.5, -0.5, -0.5), 90 * 16, -shown * 360 * 16 / 60);
  painter.setPen(QPen(QColor(60, 40, 20), 1.2, Qt::SolidLine, Qt::RoundCap));
  const QPointF centre = disc.center();
  const qreal reach = kClockDial / 2.0 - 1.5;
  painter.drawLine(centre, centre + QPointF(0, -reach));
  const double angle = shown / 60.0 * 2 * 3.14159265358979;
  painter.drawLine(centre, centre + QPointF(std::sin(angle) * reach, -std::cos(angle) * reach));
  painter.setPen(QPen(QColor(120, 90, 40), 1.0));
  painter.setBrush(Qt::NoBrush);
  painter.drawEllipse(disc);
  painter.restore();
}

void PageDocument::DrawIcon(QPainter& painter, const PageParagraph& p, int depth) const {
  const Picture* icon = p.icon ? p.icon.get() : FallbackIcon(p.kind);
  if (!icon || !icon->IsLoaded() || p.iconRect.isEmpty()) return;
  depth = std::clamp(depth, 0, 6);
  icon->DrawWithShadow(painter, p.iconRect.topLeft(), depth, depth >= 6);
}

void PageDocument::DrawPicture(QPainter& painter, const Picture& picture, int left, int right, int top,
                               PictureAlign align) const {
  const QSize size = picture.Size();
  int x = left;
  if (align == PictureAlign::Centre)
    x = left + (right - left - size.width()) / 2;
  else if (align == PictureAlign::Right)
    x = right - size.width() - kPictureRightGap;
  picture.DrawAt(painter, QPoint(x, top));
}
