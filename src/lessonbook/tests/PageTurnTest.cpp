// The page-turn animation starts on the old page, ends on the new one, and in between
// shows parts of both.
#include <gtest/gtest.h>

#include <QtGui/QImage>
#include <QtGui/QPainter>

#include "lessonbook/PageTurn.h"

namespace {

QImage Filled(QRgb colour) {
  QImage image(200, 150, QImage::Format_ARGB32_Premultiplied);
  image.fill(colour);
  return image;
}

QImage Frame(const QImage& from, const QImage& to, double t, bool forward) {
  QImage out(from.size(), QImage::Format_ARGB32_Premultiplied);
  out.fill(Qt::black);
  QPainter painter(&out);
  PaintPageTurn(painter, from, to, t, forward);
  return out;
}

int Count(const QImage& image, QRgb colour) {
  int n = 0;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) n += image.pixel(x, y) == colour;
  return n;
}

TEST(PageTurn, BeginsOnTheOldPageEndsOnTheNewAndUncoversItGradually) {
  const QRgb red = qRgb(200, 30, 30), blue = qRgb(30, 30, 200);
  const QImage from = Filled(red), to = Filled(blue);
  const int all = from.width() * from.height();
  for (bool forward : {true, false}) {
    SCOPED_TRACE(forward);
    EXPECT_EQ(Frame(from, to, 0.0, forward), from.convertToFormat(QImage::Format_ARGB32_Premultiplied));
    EXPECT_EQ(Count(Frame(from, to, 1.0, forward), blue), all);
    int previous = 0;
    for (double t : {0.25, 0.5, 0.75}) {
      const QImage mid = Frame(from, to, t, forward);
      const int newPage = Count(mid, blue);
      EXPECT_GT(newPage, previous) << t;
      EXPECT_LT(newPage, all) << t;
      EXPECT_EQ(Count(mid, qRgb(0, 0, 0)), 0) << "unpainted pixels at " << t;
      previous = newPage;
    }
  }
}

TEST(PageTurn, ProgressIsClampedAndMonotonic) {
  EXPECT_EQ(PageTurnProgress(-5, 400), 0.0);
  EXPECT_EQ(PageTurnProgress(0, 400), 0.0);
  EXPECT_EQ(PageTurnProgress(400, 400), 1.0);
  EXPECT_EQ(PageTurnProgress(4000, 400), 1.0);
  EXPECT_EQ(PageTurnProgress(10, 0), 1.0);
  double last = 0;
  for (int ms = 20; ms <= 400; ms += 20) {
    const double p = PageTurnProgress(ms, 400);
    EXPECT_GE(p, last);
    last = p;
  }
}

}  // namespace
