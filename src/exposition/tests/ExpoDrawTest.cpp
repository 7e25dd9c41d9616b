// What the scene draws: pixels sampled with a tolerance (fonts differ between systems,
// so no whole-image comparisons).
#include <gtest/gtest.h>

#include "ExpoTestSupport.h"
#include "exposition/ExpoKinds.h"
#include "stats/Random.h"

using namespace expotest;

namespace {

constexpr QRgb kWhite = qRgb(255, 255, 255);
constexpr QRgb kRed = qRgb(255, 0, 0);

CExpoObject* Make(ExpoScene& scene, int command, ScriptValueList args) { return scene.Create(command, args); }

QRgb At(const QImage& image, int x, int y) {
  const qreal dpr = image.devicePixelRatio();
  return image.pixel(int(x * dpr), int(y * dpr));
}

// Whether some pixel within radius of (x, y) has the colour.
bool NearColour(const QImage& image, int x, int y, QRgb colour, int radius = 1) {
  for (int dy = -radius; dy <= radius; ++dy)
    for (int dx = -radius; dx <= radius; ++dx)
      if (Near(At(image, x + dx, y + dy), colour, 40)) return true;
  return false;
}

int CountDark(const QImage& image, const QRect& r) {
  int n = 0;
  for (int y = r.top(); y <= r.bottom(); ++y)
    for (int x = r.left(); x <= r.right(); ++x) n += qGray(At(image, x, y)) < 100;
  return n;
}

}  // namespace

TEST(ExpoDraw, WedgeFromNineToThreeOClockCoversTheTopHalf) {
  ExpoScene scene;
  scene.pen = QPoint(0, 0);
  Make(scene, kw::wedge, Args({K(kw::size), P(100, 100), K(kw::start), I(270), K(kw::end), I(90), K(kw::color), C(255, 0, 0)}));
  const QImage image = scene.Render();
  EXPECT_EQ(Hex(At(image, 50, 20)), Hex(kRed));
  EXPECT_EQ(Hex(At(image, 15, 45)), Hex(kRed));
  EXPECT_EQ(Hex(At(image, 85, 45)), Hex(kRed));
  EXPECT_EQ(Hex(At(image, 50, 80)), Hex(kWhite));
  EXPECT_EQ(Hex(At(image, 20, 60)), Hex(kWhite));
}

TEST(ExpoDraw, ArcRunsClockwiseFromTwelve) {
  ExpoScene scene;
  scene.pen = QPoint(0, 0);
  scene.penWidth = 3;
  Make(scene, kw::arc, Args({K(kw::size), P(100, 100), K(kw::start), I(0), K(kw::end), I(90), K(kw::color), C(255, 0, 0)}));
  const QImage image = scene.Render();
  EXPECT_TRUE(NearColour(image, 85, 15, kRed, 2));   // between twelve and three
  EXPECT_FALSE(NearColour(image, 15, 15, kRed, 2));  // between nine and twelve
  EXPECT_FALSE(NearColour(image, 85, 85, kRed, 2));
}

TEST(ExpoDraw, ArrowHeadStrokesEndBesideTheTip) {
  ExpoScene scene;
  scene.pen = QPoint(10, 10);
  Make(scene, kw::arrow, Args({K(kw::to), P(110, 10), K(kw::head), I(12), K(kw::color), C(0, 0, 0)}));
  const QImage image = scene.Render();
  EXPECT_TRUE(NearColour(image, 60, 10, qRgb(0, 0, 0)));
  EXPECT_TRUE(NearColour(image, 100, 4, qRgb(0, 0, 0)));
  EXPECT_TRUE(NearColour(image, 100, 16, qRgb(0, 0, 0)));
  EXPECT_FALSE(NearColour(image, 100, 7, qRgb(0, 0, 0), 0));
  EXPECT_FALSE(NearColour(image, 96, 3, qRgb(0, 0, 0), 0));
}

TEST(ExpoDraw, TranslucentObjectsAreAndedOverEverythingOpaque) {
  ExpoScene scene;
  scene.pen = QPoint(25, 0);
  // Created first, so it lies behind in the list; it is still drawn last.
  Make(scene, kw::rectangle, Args({K(kw::size), P(50, 50), K(kw::color), C(255, 255, 0), K(kw::transparency), I(50)}));
  scene.pen = QPoint(0, 0);
  Make(scene, kw::rectangle, Args({K(kw::size), P(50, 50), K(kw::color), C(0, 0, 255)}));
  const QImage image = scene.Render();
  EXPECT_EQ(Hex(At(image, 10, 25)), "#0000ff");
  EXPECT_EQ(Hex(At(image, 30, 25)), "#000000");  // yellow AND blue
  EXPECT_EQ(Hex(At(image, 60, 25)), "#ffff00");  // yellow AND white
  EXPECT_EQ(image.format(), QImage::Format_RGB32);
}

TEST(ExpoDraw, FadeMixesWithTheBackgroundUntilItEnds) {
  ExpoScene scene;
  scene.pen = QPoint(0, 0);
  scene.position = Seconds(10);
  Make(scene, kw::rectangle, Args({K(kw::size), P(20, 20), K(kw::color), C(255, 0, 0), K(kw::fade), I(2)}));
  EXPECT_EQ(Hex(At(scene.Render(), 10, 10)), Hex(kWhite));
  scene.Step(Seconds(11));
  EXPECT_TRUE(Near(At(scene.Render(), 10, 10), qRgb(255, 127, 127), 2)) << Hex(At(scene.Render(), 10, 10));
  scene.Step(Seconds(12));
  EXPECT_EQ(Hex(At(scene.Render(), 10, 10)), Hex(kRed));
}

TEST(ExpoDraw, BandsHalfWayShowEveryOtherColumn) {
  ExpoScene scene;
  scene.pen = QPoint(0, 0);
  scene.position = Seconds(10);
  Make(scene, kw::rectangle,
       Args({K(kw::size), P(32, 10), K(kw::color), C(255, 0, 0), K(kw::wipe), I(2), K(kw::direction), I(kw::bands)}));
  scene.Step(Seconds(11));
  const QImage image = scene.Render();
  for (int x = 0; x < 32; ++x) EXPECT_EQ(Hex(At(image, x, 5)), Hex(x % 2 == 0 ? kRed : kWhite)) << x;
}

TEST(ExpoDraw, WipesAndGrowsShowPartOfTheObject) {
  ExpoScene scene;
  scene.pen = QPoint(0, 0);
  CExpoObject* leaving = Make(scene, kw::rectangle, Args({K(kw::size), P(100, 10), K(kw::color), C(255, 0, 0)}));
  leaving->StartTransition(kw::wipe, Seconds(1), kw::left, false, Seconds(0));
  scene.pen = QPoint(0, 20);
  Make(scene, kw::rectangle, Args({K(kw::size), P(10, 40), K(kw::color), C(255, 0, 0), K(kw::grow), I(1)}));
  scene.pen = QPoint(50, 100);
  Make(scene, kw::rectangle,
       Args({K(kw::size), P(100, 100), K(kw::color), C(255, 0, 0), K(kw::wipe), I(1), K(kw::direction), I(kw::telescope)}));
  scene.Step(Seconds(0.5));
  const QImage image = scene.Render();
  EXPECT_EQ(Hex(At(image, 25, 5)), Hex(kRed));  // leaving to the right: the left half remains
  EXPECT_EQ(Hex(At(image, 75, 5)), Hex(kWhite));
  EXPECT_EQ(Hex(At(image, 5, 25)), Hex(kWhite));  // rising from the bottom
  EXPECT_EQ(Hex(At(image, 5, 55)), Hex(kRed));
  EXPECT_EQ(Hex(At(image, 100, 150)), Hex(kRed));  // the ellipse of the telescope
  EXPECT_EQ(Hex(At(image, 52, 102)), Hex(kWhite));
}

TEST(ExpoDraw, BackBufferFollowsTheDevicePixelRatio) {
  ExpoScene scene;
  scene.pen = QPoint(10, 10);
  Make(scene, kw::rectangle, Args({K(kw::size), P(10, 10), K(kw::color), C(255, 0, 0)}));
  const QImage image = scene.Render(2.0);
  EXPECT_EQ(image.size(), QSize(1200, 880));
  EXPECT_EQ(image.devicePixelRatio(), 2.0);
  EXPECT_EQ(Hex(image.pixel(21, 21)), Hex(kRed));
  EXPECT_EQ(Hex(image.pixel(39, 39)), Hex(kRed));
  EXPECT_EQ(Hex(image.pixel(41, 41)), Hex(kWhite));
}

TEST(ExpoDraw, DancingNoiseLeavesTheProgramGeneratorAlone) {
  ExpoScene scene;
  scene.pen = QPoint(0, 0);
  Make(scene, kw::rectangle, Args({K(kw::size), P(64, 64), K(kw::color), C(255, 0, 0), K(kw::dance), I(kw::noise)}));
  SeedRandom(99);
  const std::uint32_t before = ProgramRandomGenerator().state;
  const QImage image = scene.Render();
  EXPECT_EQ(ProgramRandomGenerator().state, before);
  int red = 0;
  for (int y = 0; y < 64; ++y)
    for (int x = 0; x < 64; ++x) red += At(image, x, y) == kRed;
  EXPECT_GT(red, 150);
  EXPECT_LE(red, 256);
}

TEST(ExpoDraw, ControlsShowTheirState) {
  ExpoScene scene;
  scene.pen = QPoint(0, 0);
  auto* off = static_cast<CExpoCheck*>(Make(scene, kw::checkbox, Args({T("")})));
  auto* on = static_cast<CExpoCheck*>(Make(scene, kw::checkbox, Args({T(""), K(kw::checked), I(1)})));
  scene.pen = QPoint(100, 0);
  auto* button = Make(scene, kw::button, Args({T("Go"), K(kw::size), P(60, 24)}));
  QImage image = scene.Render();
  const int offTop = off->rect().top + (off->rect().height() - 13) / 2;
  const int onTop = on->rect().top + (on->rect().height() - 13) / 2;
  EXPECT_EQ(CountDark(image, QRect(3, offTop + 2, 8, 8)), 0);
  EXPECT_GE(CountDark(image, QRect(3, onTop + 2, 8, 8)), 6);
  EXPECT_EQ(Hex(At(image, 103, 12)), "#c0c0c0");  // face
  EXPECT_EQ(Hex(At(image, 100, 5)), "#ffffff");   // raised: light top-left edge
  scene.paused = true;
  ASSERT_TRUE(scene.MouseDown(button->rect().ToQRect().center()));
  image = scene.Render();
  EXPECT_EQ(Hex(At(image, 100, 5)), "#808080");  // pressed: edges swapped
}

TEST(ExpoDraw, HiliteLoopIsDrawnProgressively) {
  TestHost host;
  ExpoScene scene(&host);
  scene.pen = QPoint(0, 0);
  scene.fastForwarding = true;
  CExpoObject* h = Make(scene, kw::hilite, Args({K(kw::size), P(100, 100), K(kw::color), C(255, 0, 0)}));
  h->SetEntranceProgress(0.25);
  QImage image = scene.Render();
  EXPECT_TRUE(NearColour(image, 85, 15, kRed, 2));
  EXPECT_FALSE(NearColour(image, 15, 85, kRed, 3));
  h->SetEntranceProgress(1);
  image = scene.Render();
  EXPECT_TRUE(NearColour(image, 15, 85, kRed, 2));
  EXPECT_EQ(Hex(At(image, 50, 50)), Hex(kWhite));
}

TEST(ExpoDraw, IrisRingClosesOntoItsRectangle) {
  ExpoScene scene;
  scene.pen = QPoint(250, 200);
  scene.fastForwarding = true;
  auto* iris = static_cast<CExpoIris*>(Make(scene, kw::iris, Args({K(kw::size), P(100, 60), K(kw::color), C(0, 0, 255)})));
  EXPECT_EQ(iris->RingAt(0), QRect(50, 0, 500, 460));
  EXPECT_EQ(iris->RingAt(1), QRect(250, 200, 100, 60));
  iris->SetEntranceProgress(0);
  const QImage frame = scene.RenderEntranceFrame(*iris);
  EXPECT_TRUE(NearColour(frame, 300, 1, qRgb(0, 0, 0), 2));  // inverted white
  EXPECT_EQ(Hex(At(frame, 300, 230)), Hex(kWhite));          // nothing inside yet
  iris->SetEntranceProgress(1);
  EXPECT_EQ(Hex(At(scene.Render(), 300, 230)), "#0000ff");
}

TEST(ExpoDraw, TextIsDrawnInItsColour) {
  ExpoScene scene;
  scene.pen = QPoint(0, 0);
  CExpoObject* t = Make(scene, kw::display, Args({T("Mean and median"), K(kw::color), C(0, 0, 255), K(kw::size), I(20)}));
  const QImage image = scene.Render();
  int blue = 0;
  const QRect r = t->rect().ToQRect();
  for (int y = r.top(); y <= r.bottom(); ++y)
    for (int x = r.left(); x <= r.right(); ++x) blue += Near(At(image, x, y), qRgb(0, 0, 255), 60);
  EXPECT_GT(blue, 40);
  EXPECT_EQ(Hex(At(image, r.right() + 5, 5)), Hex(kWhite));
}
