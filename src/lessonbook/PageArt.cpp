#include "lessonbook/PageArt.h"

#include <QtCore/QBuffer>
#include <QtGui/QPainter>
#include <QtSvg/QSvgRenderer>
#include <map>
#include <string>
#include <tuple>

#include "course/AsciiCase.h"
#include "course/ProgramResources.h"
#include "hypertext/Picture.h"

namespace {

using Key = std::tuple<std::string, int, int, int, int>;  // kind, id, width, height, ratio x 100

std::map<Key, QImage>& Cache() {
  static std::map<Key, QImage> cache;
  return cache;
}

std::map<std::pair<std::string, int>, QSize>& Sizes() {
  static std::map<std::pair<std::string, int>, QSize> sizes;
  return sizes;
}

QImage Render(const QString& path, QSize pixels) {
  QImage out(pixels, QImage::Format_ARGB32_Premultiplied);
  out.fill(Qt::transparent);
  QPainter p(&out);
  p.setRenderHint(QPainter::Antialiasing);
  p.setRenderHint(QPainter::SmoothPixmapTransform);
  if (EndsWithNoCase(path.toStdString(), ".svg")) {
    QSvgRenderer svg(path);
    if (!svg.isValid()) return {};
    svg.render(&p, QRectF(QPointF(0, 0), QSizeF(pixels)));
  } else {
    const QImage picture(path);
    if (picture.isNull()) return {};
    p.drawImage(QRect(QPoint(0, 0), pixels), picture);
  }
  return out;
}

}  // namespace

QSize LessonArtSize(std::string_view kind, int id) {
  const auto key = std::make_pair(std::string(kind), id);
  if (auto it = Sizes().find(key); it != Sizes().end()) return it->second;
  QSize size;
  const QString path = QString::fromStdString(ProgramResourcePath(kind, id));
  if (!path.isEmpty()) {
    if (EndsWithNoCase(path.toStdString(), ".svg")) {
      QSvgRenderer svg(path);
      if (svg.isValid()) size = svg.defaultSize();
    } else {
      size = QImage(path).size();
    }
  }
  Sizes()[key] = size;
  return size;
}

QImage LessonArtImage(std::string_view kind, int id, QSize size, qreal devicePixelRatio) {
  if (size.isEmpty()) size = LessonArtSize(kind, id);
  if (size.isEmpty()) return {};
  const qreal ratio = devicePixelRatio > 0 ? devicePixelRatio : 1.0;
  const Key key{std::string(kind), id, size.width(), size.height(), qRound(ratio * 100)};
  auto& cache = Cache();
  if (auto it = cache.find(key); it != cache.end()) return it->second;
  const QString path = QString::fromStdString(ProgramResourcePath(kind, id));
  QImage image;
  if (!path.isEmpty()) {
    image = Render(path, (QSizeF(size) * ratio).toSize());
    if (!image.isNull()) image.setDevicePixelRatio(ratio);
  }
  cache[key] = image;
  return image;
}

std::unique_ptr<Picture> LessonArtPicture(std::string_view kind, int id, QSize size) {
  QImage image = LessonArtImage(kind, id, size, 1.0);
  if (image.isNull()) return nullptr;
  // Through the program's PNG reader: an RGBA picture, whose alpha gives the opaque
  // region and the shadow.
  image = image.convertToFormat(QImage::Format_RGBA8888);
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  if (!image.save(&buffer, "PNG")) return nullptr;
  auto picture = std::make_unique<Picture>();
  const auto* data = reinterpret_cast<const std::uint8_t*>(bytes.constData());
  if (!picture->LoadFromMemory({data, static_cast<std::size_t>(bytes.size())})) return nullptr;
  picture->setMasked(true);
  return picture;
}
