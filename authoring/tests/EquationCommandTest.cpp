#include <gtest/gtest.h>

#include <QtGui/QImage>
#include <sstream>

#include "KncourseRunner.h"
#include "TestSupport.h"

namespace {

using kntest::RunKncourse;

TEST(EquationCommand, LayoutListsEveryElementWithItsBox) {
  auto r = RunKncourse({"equation", "layout", "<math><msup><mi>x</mi><mn>2</mn></msup></math>", "--size", "16"});
  ASSERT_EQ(r.status, 0) << r.err;
  std::istringstream lines(r.out);
  struct Row {
    int depth;
    std::string name;
    int x, y, width, ascent, descent, size, flags;
    std::string text;
  };
  std::vector<Row> rows;
  for (std::string line; std::getline(lines, line);) {
    std::istringstream in(line);
    Row row;
    in >> row.depth >> row.name >> row.x >> row.y >> row.width >> row.ascent >> row.descent >> row.size >> row.flags >>
        row.text;
    rows.push_back(row);
  }
  ASSERT_EQ(rows.size(), 4u);
  EXPECT_EQ(rows[0].name, "math");
  EXPECT_EQ(rows[0].size, 24);
  EXPECT_EQ(rows[2].name, "mi");
  EXPECT_EQ(rows[2].flags, 8 | 2);
  EXPECT_EQ(rows[2].text, "\"x\"");
  EXPECT_EQ(rows[3].depth, 2);
  EXPECT_EQ(rows[3].size, 16);
  EXPECT_EQ(rows[3].x, rows[2].x + rows[2].width);
  EXPECT_GT(rows[2].y, rows[3].y);

  EXPECT_EQ(RunKncourse({"equation", "layout", "plain words"}).status, 2);
  EXPECT_EQ(RunKncourse({"equation", "layout", "<mi>x</mi>", "--size", "0"}).status, 2);
}

TEST(EquationCommand, RenderWritesTheFrameAsAPicture) {
  const auto dir = kntest::MakeTempDir("eq");
  const auto out = (dir / "eq.png").string();
  auto r = RunKncourse({"equation", "render", "<math><mfrac><mi>a</mi><mi>b</mi></mfrac></math>", out});
  ASSERT_EQ(r.status, 0) << r.err;
  QImage image(QString::fromStdString(out));
  ASSERT_FALSE(image.isNull());
  EXPECT_EQ(r.out, std::to_string(image.width()) + " x " + std::to_string(image.height()) + "\n");
  int dark = 0;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) dark += qGray(image.pixel(x, y)) < 128;
  EXPECT_GT(dark, image.width());  // at least the rule and some letters
  EXPECT_EQ(RunKncourse({"equation", "render", "<math></math>", out}).status, 2);
}

}  // namespace
