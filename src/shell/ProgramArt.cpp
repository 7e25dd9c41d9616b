#include "shell/ProgramArt.h"

#include <QtGui/QIconEngine>
#include <QtGui/QPainter>
#include <QtWidgets/QApplication>
#include <QtWidgets/QStyle>
#include <QtWidgets/QStyleOption>
#include <map>

#include "course/ProgramResources.h"
#include "shell/BarImages.h"

QPixmap ProgramPixmap(std::string_view kind, int id, const QSize& size, qreal devicePixelRatio) {
  const qreal dpr = devicePixelRatio > 0 ? devicePixelRatio : qApp->devicePixelRatio();
  QImage image = RenderProgramImage(kind, id, size * dpr);
  if (image.isNull()) return {};
  QPixmap pixmap = QPixmap::fromImage(image);
  pixmap.setDevicePixelRatio(dpr);
  return pixmap;
}

namespace {

// Draws a program picture at whatever size a menu or button asks for, when it asks:
// most icons are never shown in a run, and drawing them all ahead would slow start-up.
class ProgramIconEngine : public QIconEngine {
 public:
  explicit ProgramIconEngine(int id) : m_id(id) {}
  QIconEngine* clone() const override { return new ProgramIconEngine(m_id); }
  void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override {
    painter->drawPixmap(rect, pixmap(rect.size() * painter->device()->devicePixelRatioF(), mode, state));
  }
  QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State) override {
    const int side = std::min(size.width(), size.height());
    const auto key = std::make_pair(side, static_cast<int>(mode));
    if (auto it = m_cache.find(key); it != m_cache.end()) return it->second;
    QPixmap pixmap = QPixmap::fromImage(RenderProgramImage("bitmap", m_id, QSize(side, side)));
    if (mode == QIcon::Disabled && !pixmap.isNull()) {
      QStyleOption option;
      option.palette = QApplication::palette();
      pixmap = QApplication::style()->generatedIconPixmap(QIcon::Disabled, pixmap, &option);
    }
    m_cache[key] = pixmap;
    return pixmap;
  }
  QSize actualSize(const QSize& size, QIcon::Mode, QIcon::State) override {
    const int side = std::min(size.width(), size.height());
    return QSize(side, side);
  }

 private:
  int m_id;
  std::map<std::pair<int, int>, QPixmap> m_cache;
};

}  // namespace

QIcon ProgramIcon(int commandId) {
  if (ProgramResourcePath("bitmap", commandId).empty()) return {};
  return QIcon(new ProgramIconEngine(commandId));
}

QCursor ProgramCursor(int id) {
  const QPixmap pixmap = ProgramPixmap("cursor", id, QSize(32, 32));
  if (pixmap.isNull()) return QCursor(Qt::ArrowCursor);
  return QCursor(pixmap, 16, 16);
}
