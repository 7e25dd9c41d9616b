#include "setup/SplashPainting.h"

#include <QtGui/QImage>
#include <QtGui/QPainter>

void PaintSplash(QPainter& painter, const QSize& client, const QImage& picture) {
  if (picture.isNull() || client.isEmpty()) return;
  painter.save();
  painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
  if (picture.size() == client)
    painter.drawImage(QPoint(0, 0), picture);
  else
    painter.drawImage(QRect(QPoint(0, 0), client), picture);
  painter.restore();
}
