// Shared by the picture fuzz targets: everything a loaded picture can be asked to do.
#pragma once

#include <QtGui/QColor>
#include <QtGui/QImage>
#include <QtGui/QPainter>
#include <QtGui/QRegion>

#include "course/Notice.h"
#include "hypertext/Picture.h"

namespace picturefuzz {

// Notices (a deep program bitmap) would flood the output.
inline void Quiet() {
  static const bool once = [] {
    SetNoticeHandler([](const NoticeRequest&) {});
    return true;
  }();
  (void)once;
}

// Draws the picture at its own size (when small) and at two odd sizes, plain and
// masked with a fade, with its shadow, after replacing its key; reads its region.
inline void Exercise(Picture& p, std::uint8_t variant) {
  if (!p.IsLoaded()) return;
  const QSize size = p.Size();
  (void)p.ShadowedSize();
  (void)p.BitsPerPixel();
  (void)p.OpaqueRegion();
  QImage canvas(40, 30, QImage::Format_RGB32);
  canvas.fill(qRgb(10, 20, 30));
  QPainter painter(&canvas);
  painter.setBackground(QColor(variant, 255 - variant, 77));
  p.Draw(painter, QRect(3, 2, 17, 13));
  p.setMasked(true);
  p.setFade(float(variant % 5) / 4.0f);
  p.setTint(QColor(255, 128, 0));
  p.Draw(painter, QRect(-5, -7, 53, 41));
  if (size.width() <= 64 && size.height() <= 64) {
    p.DrawAt(painter, QPoint(1, 1));
    p.DrawWithShadow(painter, QPoint(-2, 3), variant % 8, variant & 1);
  }
  p.ReplaceKeyColour(Qt::white);
  p.setMasked(variant & 2);
  p.Draw(painter, QRect(0, 0, 40, 30));
  (void)p.OpaqueRegion();
}

}  // namespace picturefuzz
