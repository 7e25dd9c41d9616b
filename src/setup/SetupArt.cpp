#include "setup/SetupArt.h"

#include <QtGui/QIcon>
#include <QtGui/QImage>
#include <QtGui/QPainter>
#include <QtGui/QPixmap>
#include <QtSvg/QSvgRenderer>

#include "course/ProgramResources.h"
#include "course/ResourceIds.h"

namespace {

QImage Render(const char* kind, int id, QSize size) {
  QSvgRenderer renderer(QString::fromStdString(ProgramResourcePath(kind, id)));
  if (!renderer.isValid()) return {};
  if (size.isEmpty()) size = renderer.defaultSize();
  QImage image(size, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  QPainter painter(&image);
  renderer.render(&painter);
  return image;
}

}  // namespace

QImage SetupIconImage(int side) { return Render("icon", ico::kSetup, QSize(side, side)); }

QIcon SetupProgramIcon() {
  QIcon icon;
  for (int side : {16, 24, 32, 48, 64, 128, 256}) {
    const QImage image = SetupIconImage(side);
    if (!image.isNull()) icon.addPixmap(QPixmap::fromImage(image));
  }
  return icon;
}

QImage SetupDefaultPicture() { return Render("bitmap", bmp::kSetupDefault, {}).convertToFormat(QImage::Format_RGB32); }
