#include "shell/BarImages.h"

#include <QtCore/QFile>
#include <QtGui/QFont>
#include <QtGui/QFontMetrics>
#include <QtGui/QPainter>
#include <QtSvg/QSvgRenderer>

#include "course/AsciiCase.h"
#include "course/ProgramResources.h"
#include "course/ResourceIds.h"

QImage RenderProgramImage(std::string_view kind, int id, const QSize& size) {
  const std::string path = ProgramResourcePath(kind, id);
  if (path.empty() || size.isEmpty()) return {};
  const QString qpath = QString::fromStdString(path);
  QImage out(size, QImage::Format_ARGB32_Premultiplied);
  out.fill(Qt::transparent);
  if (EndsWithNoCase(path, ".svg")) {
    QSvgRenderer svg(qpath);
    if (!svg.isValid()) return {};
    QPainter p(&out);
    p.setRenderHint(QPainter::Antialiasing);
    svg.render(&p, QRectF(QPointF(0, 0), QSizeF(size)));
    return out;
  }
  QImage picture(qpath);
  if (picture.isNull()) return {};
  QPainter p(&out);
  p.setRenderHint(QPainter::SmoothPixmapTransform);
  p.drawImage(QRect(QPoint(0, 0), size), picture);
  return out;
}

std::string PageLabel(int lessonNumber, int pageNumber) {
  return std::to_string(lessonNumber) + "-" + std::to_string(pageNumber);
}

QImage ComposeGoToImage(const QImage& base, std::string_view label, const QColor& ink) {
  QImage out = base.convertToFormat(QImage::Format_ARGB32_Premultiplied);
  if (label.empty() || out.isNull()) return out;
  const qreal dpr = out.devicePixelRatio();
  const int h = static_cast<int>(out.height() / dpr);
  const int w = static_cast<int>(out.width() / dpr);
  QFont font(QStringLiteral("Liberation Sans"));
  font.setPixelSize(std::max(7, 9 * h / 15));
  font.setBold(true);
  const QString text = QString::fromUtf8(label.data(), static_cast<int>(label.size()));
  // Long labels ("12-10") shrink until they fit the image with a pixel to spare each side.
  while (font.pixelSize() > 6 && QFontMetrics(font).horizontalAdvance(text) > w - 2)
    font.setPixelSize(font.pixelSize() - 1);
  QPainter p(&out);
  p.setRenderHint(QPainter::TextAntialiasing);
  p.setFont(font);
  p.setPen(ink);
  p.drawText(QRect(0, 0, w, h), Qt::AlignCenter, text);
  return out;
}

QImage ComposeExploreImage(const QImage& picture, const QSize& buttonSize) {
  QImage out(buttonSize, QImage::Format_ARGB32_Premultiplied);
  out.fill(Qt::transparent);
  if (picture.isNull() || buttonSize.isEmpty()) return out;
  // 18 by 15 at the classic button size, scaled to fit the button keeping that shape.
  const qreal scale = std::min(buttonSize.width() / 18.0, buttonSize.height() / 15.0);
  const QSize drawn(std::max(1, qRound(18 * scale)), std::max(1, qRound(15 * scale)));
  const QRect target(QPoint((buttonSize.width() - drawn.width()) / 2, (buttonSize.height() - drawn.height()) / 2),
                     drawn);
  QPainter p(&out);
  p.setRenderHint(QPainter::SmoothPixmapTransform);
  p.drawImage(target, picture);
  return out;
}

int ToolBitmapId(int toolIndex) {
  return toolIndex >= 1 && toolIndex <= kToolCount ? bmp::kToolFirst + toolIndex - 1 : 0;
}
