#include "shell/ProgramArt.h"

#include <QtGui/QGuiApplication>

#include "shell/BarImages.h"

QPixmap ProgramPixmap(std::string_view kind, int id, const QSize& size, qreal devicePixelRatio) {
  const qreal dpr = devicePixelRatio > 0 ? devicePixelRatio : qApp->devicePixelRatio();
  QImage image = RenderProgramImage(kind, id, size * dpr);
  if (image.isNull()) return {};
  QPixmap pixmap = QPixmap::fromImage(image);
  pixmap.setDevicePixelRatio(dpr);
  return pixmap;
}

QIcon ProgramIcon(int commandId) {
  QIcon icon;
  for (int side : {16, 24, 32, 48}) {
    QImage image = RenderProgramImage("bitmap", commandId, QSize(side, side));
    if (image.isNull()) return {};
    icon.addPixmap(QPixmap::fromImage(image));
  }
  return icon;
}

QCursor ProgramCursor(int id) {
  const QPixmap pixmap = ProgramPixmap("cursor", id, QSize(32, 32));
  if (pixmap.isNull()) return QCursor(Qt::ArrowCursor);
  return QCursor(pixmap, 16, 16);
}
