#include <gtest/gtest.h>

#include <QtGui/QGuiApplication>
#include <QtGui/QPainter>
#include <string>
#include <vector>

#include "PictureTestSupport.h"
#include "course/CommandIds.h"
#include "course/ResourceContainer.h"
#include "hypertext/HyperFirstPass.h"
#include "hypertext/MathElement.h"
#include "hypertext/Picture.h"

namespace {

HyperContent Pass(std::string_view markup, const HyperSourceLinks& links = {}) {
  return RunFirstPass(markup, nullptr, {}, links, QGuiApplication::font(), 12);
}

std::vector<std::string> Texts(const HyperContent& c) {
  std::vector<std::string> out;
  for (const auto& p : c.paragraphs) out.push_back(p.text);
  return out;
}

using Texts_ = std::vector<std::string>;

TEST(HyperFirstPass, ParagraphsAndNormalisedInlineMarkup) {
  const struct {
    const char* markup;
    Texts_ paragraphs;
  } cases[] = {
      {"one<p>two", {"one", "two"}},
      {"<p>first", {"", "first"}},  // "p" always makes a paragraph
      {"last<p>", {"last"}},        // the end only closes one that holds something
      {"<FONT SIZE=\"+2\" Color=#ff0000>big</FONT>", {"<font s=\"+2\" c=\"#ff0000\">big</font>"}},
      {"<big>b</big> <i>i</i> <dfn>d</dfn t=\"ctx\"> <j>j</j> <a name=x>", {"<big>b</big> <i>i</i> <dfn>d</dfn t=\"ctx\"> <j>j</j> <a n=\"x\">"}},
      {"x &lt; &theta;", {"x &lt; &theta;"}},  // entities are decoded by the layout
      {"a\xA6" "b", {"a<br>b"}},
      {"end.\nNext", {"end.  Next"}},
      {"why?\nBecause", {"why?  Because"}},
      {"one\ntwo \nthree", {"one two three"}},
      {"<p>\nText\n", {"", "Text "}},
      {"<unknown>x<sup>2</sup> <ul>y</ul>", {"x2 y"}},
  };
  for (const auto& c : cases) EXPECT_EQ(Texts(Pass(c.markup)), c.paragraphs) << c.markup;
}

TEST(HyperFirstPass, CentringHeadingsAndBlockquotes) {
  const HyperContent c = Pass("<center>c</center><p><cite>d</cite><p><h2>Head</h2>\n<p>"
                              "<blockquote>q1<li>q2<p>plain");
  ASSERT_EQ(c.paragraphs.size(), 6u);
  EXPECT_TRUE(c.paragraphs[0].centred);
  EXPECT_TRUE(c.paragraphs[1].centred);
  EXPECT_FALSE(c.paragraphs[2].centred);
  EXPECT_TRUE(c.paragraphs[2].heading);
  EXPECT_EQ(c.paragraphs[2].text, "Head ");
  EXPECT_EQ(c.paragraphs[3].indent, 24);  // q1
  EXPECT_EQ(c.paragraphs[4].indent, 24);  // q2: an item keeps the indent
  EXPECT_EQ(c.paragraphs[5].indent, 0);   // "p" starts without it
  EXPECT_EQ(c.paragraphs[5].text, "plain");
  const HyperContent deep = Pass("<blockquote><blockquote>deep</blockquote></blockquote>");
  ASSERT_EQ(deep.paragraphs.size(), 1u);
  EXPECT_EQ(deep.paragraphs[0].indent, 48);
}

TEST(HyperFirstPass, ListItemsAreNumberedInOrderedLists) {
  const HyperContent c = Pass("<ol>\n<li>one</li>\n<li>two\n</ol><ul><li>dot</ul><ol><li>again</ol>");
  ASSERT_EQ(c.paragraphs.size(), 4u);
  EXPECT_EQ(c.paragraphs[0].text, "<li>one");
  EXPECT_EQ(c.paragraphs[0].listNumber, 1);
  EXPECT_EQ(c.paragraphs[1].text, "<li>two ");
  EXPECT_EQ(c.paragraphs[1].listNumber, 2);
  EXPECT_EQ(c.paragraphs[2].text, "<li>dot");
  EXPECT_EQ(c.paragraphs[2].listNumber, 0);
  EXPECT_EQ(c.paragraphs[3].listNumber, 1);  // a new list counts from 1
}

TEST(HyperFirstPass, TitleAndDirectives) {
  HyperSourceLinks links;
  links.bundleName = [](std::string_view key) { return key == "moore" ? std::string("Basic Practice") : std::string(); };
  links.expandName = [](std::string_view name) { return name == "application" ? std::string("Kestrelon") : std::string(); };
  const HyperContent c = Pass(
      "<title>The <b>mean</b></title>Body <! r=application n=\"Note 3\">\n"
      "<p><! ref=moore p=\"pp. 10-12\" ref=other><li>next<p>after",
      links);
  EXPECT_EQ(c.title, "The <b>mean</b>");
  EXPECT_EQ(c.nameDirective, "Note 3");
  EXPECT_EQ(c.pageDirective, "pp. 10-12");
  ASSERT_EQ(c.paragraphs.size(), 4u);
  EXPECT_EQ(c.paragraphs[0].text, "Body Kestrelon ");
  EXPECT_EQ(c.paragraphs[1].text, "<FONT SIZE=-1><I>Based on Basic Practice, pp. 10-12, </I></FONT>");
  EXPECT_TRUE(c.paragraphs[1].heading);
  // The reference's small italics go on in the next item and end at the next paragraph.
  EXPECT_EQ(c.paragraphs[2].text, "<FONT SIZE=-1><I><li>next</I></FONT>");
  EXPECT_EQ(c.paragraphs[3].text, "after");
}

TEST(HyperFirstPass, SourceButtons) {
  HyperSourceLinks links;
  links.sourceExists = [](std::string_view target) { return target != "missing.ast"; };
  const HyperContent c = Pass(
      "<! s=a.ast l=\"Moore 3\" s=missing.ast l=Ignored s=b.wrk s=:datasets: s=c.ast s=d.ast>", links);
  ASSERT_EQ(c.buttons.size(), 4u);
  EXPECT_EQ(c.buttons[0].command, cmd::kSourceFirst);
  EXPECT_EQ(c.buttons[0].caption, "Moore 3");
  EXPECT_EQ(c.buttons[1].command, cmd::kSourceFirst + 1);
  EXPECT_EQ(c.buttons[1].target, "b.wrk");
  EXPECT_EQ(c.buttons[1].caption, "Homework");  // the activity-kind name of the target
  EXPECT_EQ(c.buttons[2].target, ":datasets:");
  EXPECT_EQ(c.buttons[3].target, "c.ast");
  EXPECT_EQ(c.buttons[0].rect.topLeft(), QPoint(4, 2));
  for (std::size_t i = 1; i < c.buttons.size(); ++i) {
    EXPECT_EQ(c.buttons[i].rect.left(), c.buttons[i - 1].rect.right() + 1 + 12);
    EXPECT_EQ(c.buttons[i].rect.size(), SourceButtonSize(QGuiApplication::font(), c.buttons[i].caption));
  }
  EXPECT_TRUE(Pass("<! s=a.ast>").buttons.empty());  // nobody to ask: no buttons
}

TEST(HyperFirstPass, PicturesComeFromTheContainer) {
  pictest::Bmp bmp;
  bmp.width = 3;
  bmp.height = 2;
  bmp.bitCount = 24;
  bmp.pixels = {0xFEFEFE, 0x102030, 0xFEFEFE, 0x102030, 0x102030, 0x102030};
  ContainerWriter w;
  w.AddEntry(kEntryPicture, "Chart", pictest::PackedBitmap(bmp));
  const std::string text = "before <img src=chart> after<img src=nothere>end<p>";
  w.SetText(std::vector<std::uint8_t>(text.begin(), text.end()));
  const auto bytes = w.Build();
  const auto directory = ContainerDirectory::Parse(bytes, bytes.size());
  const std::string_view markup(reinterpret_cast<const char*>(bytes.data()) + directory.textOffset(), text.size());
  const HyperContent c = RunFirstPass(markup, &directory, bytes, {}, QGuiApplication::font(), 12);

  ASSERT_EQ(c.paragraphs.size(), 2u);
  EXPECT_EQ(c.paragraphs[0].text, "before ");
  ASSERT_TRUE(c.paragraphs[0].picture);
  EXPECT_EQ(c.paragraphs[0].picture->Size(), QSize(3, 2));
  EXPECT_TRUE(c.paragraphs[0].picture->keyed());
  QImage out = pictest::Canvas(3, 2, qRgb(1, 2, 3));
  {
    QPainter painter(&out);
    c.paragraphs[0].picture->DrawAt(painter, {0, 0});
  }
  EXPECT_EQ(pictest::Rgb(out, 0, 0), 0xFFFFFFu);  // the key colour became white
  EXPECT_EQ(c.paragraphs[1].text, " afterend");  // a missing picture changes nothing
  EXPECT_FALSE(c.paragraphs[1].picture);

  // Plain markup has no pictures.
  EXPECT_FALSE(Pass("<img src=chart>x").paragraphs[0].picture);
}

TEST(HyperFirstPass, MathShowsItsTextUntilAnEquationPictureIsMade) {
  const char* markup = "Then <math>\n  <mi>x</mi>\n  <mo>&plusmn;</mo> <mn>2</mn>\n</math> holds.";
  EXPECT_EQ(Texts(Pass(markup)), (Texts_{"Then x &plusmn; 2 holds."}));

  std::string seen;
  int seenSize = 0;
  HyperSourceLinks links;
  links.renderEquation = [&](std::string_view m, int size) {
    seen.assign(m);
    seenSize = size;
    auto p = std::make_unique<Picture>();
    pictest::Bmp bmp;
    bmp.width = bmp.height = 1;
    bmp.bitCount = 24;
    bmp.pixels = {0};
    p->LoadFromMemory(pictest::PackedBitmap(bmp));
    return p;
  };
  const HyperContent c = Pass(markup, links);
  EXPECT_EQ(seen, "<math>\n  <mi>x</mi>\n  <mo>&plusmn;</mo> <mn>2</mn>\n</math>");
  EXPECT_EQ(seenSize, 12);
  ASSERT_EQ(c.paragraphs.size(), 1u);
  EXPECT_EQ(c.paragraphs[0].text, "Then  holds.");
  EXPECT_TRUE(c.paragraphs[0].picture);
  EXPECT_TRUE(c.sizeDependentPictures);
}

TEST(HyperFirstPass, MathEndsWithItsBalancingTagAndItsMarkupIsBounded) {
  // An inner element of the same name does not end the outer one.
  EXPECT_EQ(Texts(Pass("<math><math>a</math> b</math> c")), (Texts_{"a b c"}));
  std::size_t seen = 0;
  HyperSourceLinks links;
  links.renderEquation = [&seen](std::string_view m, int) {
    seen = m.size();
    return std::unique_ptr<Picture>();
  };
  std::string big = "<math>";
  for (int i = 0; i < 9000; ++i) big += "<mi>x</mi>";
  Pass(big + "</math>", links);
  EXPECT_GT(seen, 60000u);
  EXPECT_LE(seen, MathElement::kLimit);
}

TEST(HyperFirstPass, ParagraphBufferIsBounded) {
  std::string words;
  for (int i = 0; i < 700; ++i) words += "word ";
  const HyperContent c = Pass(words + "<b>tail</b>");
  ASSERT_EQ(c.paragraphs.size(), 1u);
  EXPECT_EQ(c.paragraphs[0].text, words.substr(0, 2560));  // and no half-written tag
}

}  // namespace
