// kn_svg_to_dib IN.svg OUT: draws an SVG picture at its own size and writes it as a
// packed device-independent bitmap, the form of picture entries in resource
// containers. The build uses it for the sample setup.cfg's "Splash".
#include <QtCore/QFile>
#include <QtGui/QGuiApplication>
#include <QtGui/QImage>
#include <QtGui/QPainter>
#include <QtSvg/QSvgRenderer>
#include <cstdio>
#include <cstdlib>

#include "setup/PackedDib.h"

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: kn_svg_to_dib IN.svg OUT\n");
    return 2;
  }
  if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);  // fonts, no display
  QGuiApplication app(argc, argv);
  QSvgRenderer renderer(QString::fromLocal8Bit(argv[1]));
  if (!renderer.isValid() || renderer.defaultSize().isEmpty()) {
    std::fprintf(stderr, "kn_svg_to_dib: %s is not an SVG picture\n", argv[1]);
    return 1;
  }
  QImage image(renderer.defaultSize(), QImage::Format_RGB32);
  image.fill(Qt::white);
  {
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    renderer.render(&painter);
  }
  const auto dib = EncodePackedDib(image);
  QFile out(QString::fromLocal8Bit(argv[2]));
  if (!out.open(QIODevice::WriteOnly) ||
      out.write(reinterpret_cast<const char*>(dib.data()), static_cast<qint64>(dib.size())) !=
          static_cast<qint64>(dib.size())) {
    std::fprintf(stderr, "kn_svg_to_dib: cannot write %s\n", argv[2]);
    return 1;
  }
  return 0;
}
