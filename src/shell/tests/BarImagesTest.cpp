#include <gtest/gtest.h>

#include "course/CommandIds.h"
#include "course/ResourceIds.h"
#include "shell/BarImages.h"

namespace {

int OpaquePixels(const QImage& image, const QRect& r) {
  int n = 0;
  for (int y = r.top(); y <= r.bottom(); ++y)
    for (int x = r.left(); x <= r.right(); ++x) n += qAlpha(image.pixel(x, y)) > 0;
  return n;
}

TEST(BarImages, PageLabel) {
  EXPECT_EQ(PageLabel(1, 1), "1-1");
  EXPECT_EQ(PageLabel(12, 9), "12-9");
  EXPECT_EQ(PageLabel(0, 3), "0-3");
}

TEST(BarImages, GoToImageHasTheLabelCentred) {
  QImage base(48, 24, QImage::Format_ARGB32_Premultiplied);
  base.fill(Qt::transparent);
  const QImage out = ComposeGoToImage(base, "3-2", Qt::black);
  ASSERT_EQ(out.size(), base.size());
  const int left = OpaquePixels(out, QRect(0, 0, 16, 24));
  const int middle = OpaquePixels(out, QRect(16, 0, 16, 24));
  const int right = OpaquePixels(out, QRect(32, 0, 16, 24));
  EXPECT_GT(middle, 20);
  EXPECT_LT(std::abs(left - right), middle);  // balanced about the centre
  EXPECT_EQ(ComposeGoToImage(base, "", Qt::black), base.convertToFormat(QImage::Format_ARGB32_Premultiplied));
  // A long label still stays inside the picture.
  const QImage longer = ComposeGoToImage(base, "40-9", Qt::black);
  EXPECT_EQ(OpaquePixels(longer, QRect(0, 0, 1, 24)), 0);
  EXPECT_EQ(OpaquePixels(longer, QRect(47, 0, 1, 24)), 0);
}

TEST(BarImages, ExplorePictureIsStretchedTo18By15Proportions) {
  QImage picture(32, 32, QImage::Format_ARGB32);
  picture.fill(Qt::red);
  const QImage out = ComposeExploreImage(picture, QSize(24, 24));
  // 18 x 15 scaled by 4/3: 24 x 20, centred.
  EXPECT_EQ(OpaquePixels(out, QRect(0, 0, 24, 24)), 24 * 20);
  EXPECT_EQ(qAlpha(out.pixel(12, 1)), 0);
  EXPECT_EQ(out.pixelColor(12, 12), QColor(Qt::red));
  EXPECT_EQ(OpaquePixels(ComposeExploreImage(QImage(), QSize(24, 24)), QRect(0, 0, 24, 24)), 0);
}

TEST(BarImages, ToolBitmaps) {
  EXPECT_EQ(ToolBitmapId(0), 0);
  EXPECT_EQ(ToolBitmapId(1), bmp::kToolFirst);
  EXPECT_EQ(ToolBitmapId(15), bmp::kToolLast);
  EXPECT_EQ(ToolBitmapId(16), 0);
  EXPECT_EQ(ToolBitmapId(-1), 0);
  for (int n = 1; n <= kToolCount; ++n) {
    const QImage tool = RenderProgramImage("bitmap", ToolBitmapId(n), QSize(24, 24));
    ASSERT_FALSE(tool.isNull()) << n;
    EXPECT_GT(OpaquePixels(tool, tool.rect()), 60) << n;
  }
}

TEST(BarImages, ProgramImages) {
  EXPECT_TRUE(RenderProgramImage("bitmap", 424242, QSize(24, 24)).isNull());
  const QImage save = RenderProgramImage("bitmap", cmd::kSave, QSize(48, 48));
  ASSERT_FALSE(save.isNull());
  EXPECT_EQ(save.size(), QSize(48, 48));
  EXPECT_EQ(qAlpha(save.pixel(0, 0)), 0);  // transparent corners: the bar shows through
}

}  // namespace
