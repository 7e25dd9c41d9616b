// kncourse equation: the layout of an equation's markup, and the picture the player
// draws of it.
#include <QtGui/QGuiApplication>
#include <QtGui/QImage>
#include <QtGui/QPainter>
#include <QtGui/QPicture>
#include <charconv>
#include <cstdio>

#include "Kncourse.h"
#include "equations/EquationLayout.h"

namespace {

using kncourse::Args;

struct Base {
  int size = 12;
  std::uint32_t flags = kEqSerif;
};

int NumberOption(Args& a, std::string_view name, int fallback, int low, int high) {
  const auto v = kncourse::TakeOption(a, name);
  if (!v) return fallback;
  int n = 0;
  const auto [end, ec] = std::from_chars(v->data(), v->data() + v->size(), n);
  if (ec != std::errc() || end != v->data() + v->size() || n < low || n > high)
    kncourse::BadUsage("--" + std::string(name) + " takes a number from " + std::to_string(low) + " to " +
                       std::to_string(high));
  return n;
}

Base TakeBase(Args& a) {
  Base b;
  b.size = NumberOption(a, "size", b.size, 1, kEqMaxSize);
  b.flags = static_cast<std::uint32_t>(NumberOption(a, "flags", static_cast<int>(b.flags), 0, 255));
  for (const auto& arg : a)
    if (arg.rfind("--", 0) == 0) kncourse::BadUsage("unknown option " + arg);
  return b;
}

EquationFonts& Fonts() {
  static EquationFonts fonts;
  return fonts;
}

}  // namespace

namespace kncourse {

int EquationLayoutList(Args a) {
  const Base base = TakeBase(a);
  if (a.size() != 1) BadUsage("equation layout takes the markup");
  const auto app = MakeGuiApplication();
  auto tree = BuildEquation(a[0]);
  if (!tree) return Fail("the markup has no elements");
  LayoutEquation(*tree, base.size, base.flags, Fonts());
  std::fputs(EquationListing(*tree).c_str(), stdout);
  return 0;
}

int EquationRender(Args a) {
  const Base base = TakeBase(a);
  if (a.size() != 2) BadUsage("equation render takes the markup and OUT.png");
  const auto app = MakeGuiApplication();
  auto tree = BuildEquation(a[0]);
  if (!tree) return Fail("the markup has no elements");
  auto picture = RenderEquation(*tree, base.size, base.flags, Fonts());
  if (!picture) return Fail("the equation is empty");
  const QRect frame = picture->boundingRect();
  QImage canvas(frame.size(), QImage::Format_RGB32);
  if (canvas.isNull()) return Fail("out of memory for a canvas of that size");
  canvas.fill(Qt::white);
  {
    QPainter painter(&canvas);
    painter.drawPicture(0, 0, *picture);
  }
  if (!canvas.save(QString::fromStdString(a[1]), "PNG")) return Fail("cannot write " + a[1]);
  std::printf("%d x %d\n", frame.width(), frame.height());
  return 0;
}

}  // namespace kncourse
