#include <gtest/gtest.h>

#include <QtGui/QImage>

#include "KncourseRunner.h"
#include "TestSupport.h"
#include "course/ResourceContainer.h"

namespace {

using kntest::RunKncourse;

// A 4 x 2 8-bit bitmap file: the bottom-left pixel (the key) is red, the others
// blue, green and black.
std::filesystem::path WriteIcon(const std::filesystem::path& dir) {
  QImage image(4, 2, QImage::Format_Indexed8);
  image.setColorTable({qRgb(255, 0, 0), qRgb(0, 0, 255), qRgb(0, 255, 0), qRgb(0, 0, 0)});
  const int pixels[2][4] = {{1, 2, 3, 1}, {0, 1, 0, 2}};
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 4; ++x) image.setPixel(x, y, pixels[y][x]);
  const auto path = dir / "Icon.BMP";
  EXPECT_TRUE(image.save(QString::fromStdString(path.string()), "BMP"));
  return path;
}

TEST(PictureCommand, RendersScaledMaskedAndShadowedAsThePlayerDraws) {
  const auto dir = kntest::MakeTempDir("pic");
  const auto icon = WriteIcon(dir);
  const auto out = (dir / "out.png").string();

  auto r = RunKncourse({"picture", icon.string(), out, "--size", "8x4", "--masked", "--background", "336699"});
  ASSERT_EQ(r.status, 0) << r.err;
  QImage image(QString::fromStdString(out));
  ASSERT_EQ(image.size(), QSize(8, 4));
  EXPECT_EQ(image.pixel(0, 0), qRgb(0, 0, 255));
  EXPECT_EQ(image.pixel(3, 1), qRgb(0, 255, 0));
  EXPECT_EQ(image.pixel(0, 3), qRgb(0x33, 0x66, 0x99)) << "the key pixel leaves the canvas";
  EXPECT_EQ(image.pixel(7, 3), qRgb(0, 255, 0));

  r = RunKncourse({"picture", icon.string(), out, "--fade", "0.5", "--tint", "ffffff"});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(QImage(QString::fromStdString(out)).pixel(2, 0), qRgb(128, 128, 128));

  r = RunKncourse({"picture", icon.string(), out, "--shadow", "3", "--key", "ffffff"});
  ASSERT_EQ(r.status, 0) << r.err;
  image.load(QString::fromStdString(out));
  EXPECT_EQ(image.size(), QSize(14, 13));
  EXPECT_EQ(image.pixel(3, 3), qRgb(0, 0, 255)) << "the picture sits 3 pixels in";
  EXPECT_EQ(image.pixel(0, 0), qRgb(255, 255, 255));

  r = RunKncourse({"picture", icon.string(), "--info"});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_NE(r.out.find("bitmap, 8 bits per pixel"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("key:     entry 0"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("opaque:  6 of 8 pixels"), std::string::npos) << r.out;
}

TEST(PictureCommand, FindsContainerEntriesAndReportsBrokenPictures) {
  const auto dir = kntest::MakeTempDir("pic");
  // A packed bitmap: the bitmap file without its 14-byte file header.
  auto file = kntest::ReadFileBytes(WriteIcon(dir));
  ContainerWriter w;
  w.AddEntry(kEntryPicture, "Chart", std::vector<std::uint8_t>(file.begin() + 14, file.end()));
  w.AddEntry(kEntryPicture, "Broken", {1, 2, 3});
  const auto container = dir / "page.pag";
  kntest::WriteFileBytes(container, w.Build());

  auto r = RunKncourse({"picture", container.string() + ":CHART", "--info"});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_NE(r.out.find("size:    4 x 2"), std::string::npos) << r.out;

  r = RunKncourse({"picture", container.string() + ":Broken", "--info"});
  EXPECT_EQ(r.status, 2);
  EXPECT_NE(r.err.find("bitmap header size needs 4 bytes"), std::string::npos) << r.err;
  r = RunKncourse({"picture", container.string() + ":Missing", "--info"});
  EXPECT_EQ(r.status, 2);
  EXPECT_NE(r.err.find("no picture entry 'Missing'"), std::string::npos) << r.err;

  kntest::WriteFileText(dir / "bad.png", "not a png at all");
  r = RunKncourse({"picture", (dir / "bad.png").string(), (dir / "o.png").string()});
  EXPECT_EQ(r.status, 2);
  EXPECT_NE(r.err.find("PNG"), std::string::npos) << r.err;

  for (const std::vector<std::string>& bad : std::vector<std::vector<std::string>>{
           {"picture", "x.bmp", "o.png", "--size", "0x4"},
           {"picture", "x.bmp", "o.png", "--fade", "2"},
           {"picture", "x.bmp", "o.png", "--shadow", "7"},
           {"picture", "x.bmp", "o.png", "--shadow", "1", "--size", "4x4"},
           {"picture", "x.bmp", "o.png", "--tint", "red"},
           {"picture", "x.bmp", "o.png", "--bogus"},
           {"picture", "x.bmp"}}) {
    r = RunKncourse(bad);
    EXPECT_EQ(r.status, 2) << bad.back();
    EXPECT_NE(r.err.find("Usage:"), std::string::npos) << bad.back();
  }
  EXPECT_EQ(RunKncourse({"picture", "--help"}).status, 0);
}

}  // namespace
