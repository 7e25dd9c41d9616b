#include <gtest/gtest.h>

#include <QtGui/QImage>

#include "KncourseRunner.h"
#include "TestSupport.h"
#include "course/ResourceContainer.h"

namespace {

using kntest::RunKncourse;

std::filesystem::path Write(const std::string& name, const std::string& text) {
  const auto path = kntest::MakeTempDir("markup") / name;
  kntest::WriteFileText(path, text);
  return path;
}

TEST(MarkupCommand, StripAndEvents) {
  const auto file = Write("note.txt", "<b>x</b> &lt; &theta;\n<!-- gone -->y");
  auto r = RunKncourse({"markup", "strip", file.string()});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "x < q\ny\n");

  r = RunKncourse({"markup", "events", file.string()});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out,
            "tag <b> \"\"\n"
            "tag </b> \"x\"\n"
            "word \" \"\n"
            "word \"< \"\n"
            "tag <font face=\"symbol\"> \"\"\n"
            "tag </font> \"q\"\n"
            "line \"\"\n"
            "end \"y\"\n");

  r = RunKncourse({"markup", "events", "--pass-through", file.string()});
  EXPECT_NE(r.out.find("word \"&lt; \"\n"), std::string::npos) << r.out;
}

TEST(MarkupCommand, ContainerTextAndParagraphs) {
  ContainerWriter w;
  const std::string text = "<title>T</title><ol><li>one<li>two</ol><p><center>mid</center>";
  w.SetText(std::vector<std::uint8_t>(text.begin(), text.end()));
  const auto path = kntest::MakeTempDir("markup") / "note.ast";
  kntest::WriteFileBytes(path, w.Build());

  auto r = RunKncourse({"markup", "strip", "--container", path.string()});
  EXPECT_EQ(r.out, "Tonetwomid\n");
  r = RunKncourse({"markup", "paragraphs", "--container", path.string()});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out,
            "0 number=1 \"<li>one\"\n"
            "1 number=2 \"<li>two\"\n"
            "2 centred \"mid\"\n"
            "title \"T\"\n");

  r = RunKncourse({"markup", "strip", "--container", Write("plain.txt", "abc").string()});
  EXPECT_EQ(r.status, 2);
}

TEST(MarkupCommand, RenderDrawsThePage) {
  const auto file = Write("page.txt", "<h2>Heading</h2><p>Some text with a <dfn>term</dfn>.");
  const auto out = file.parent_path() / "page.png";
  auto r = RunKncourse({"markup", "render", file.string(), out.string(), "--width", "300"});
  ASSERT_EQ(r.status, 0) << r.err;
  const QImage image(QString::fromStdString(out.string()));
  ASSERT_FALSE(image.isNull());
  EXPECT_EQ(image.width(), 300);
  int link = 0, dark = 0;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) {
      const QRgb p = image.pixel(x, y) & 0xFFFFFF;
      link += p == 0x2222FF;
      dark += qGray(p) < 64;
    }
  EXPECT_GT(link, 10);
  EXPECT_GT(dark, 50);
  EXPECT_EQ(RunKncourse({"markup", "render", file.string()}).status, 2);
  EXPECT_EQ(RunKncourse({"markup", "render", file.string(), out.string(), "--width", "10"}).status, 2);
  EXPECT_EQ(RunKncourse({"markup", "--help"}).status, 0);
}

}  // namespace
