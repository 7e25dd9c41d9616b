#include <gtest/gtest.h>

#include <QtGui/QFontInfo>
#include <QtGui/QFontMetrics>
#include <QtGui/QImage>
#include <QtGui/QPainter>
#include <string>
#include <vector>

#include "PictureTestSupport.h"
#include "course/ResourceContainer.h"
#include "hypertext/HyperDocument.h"
#include "hypertext/MarkupText.h"

namespace {

constexpr int kWide = 600;

HyperStyle Style(int fontSize = 12) {
  HyperStyle s;
  s.fontSize = fontSize;
  s.dpiY = 96;
  return s;
}

// Lays the markup out (tall client: no scroll bar) and returns the pieces placed.
std::vector<PlacedRun> LayOut(HyperDocument& d, std::string_view markup, int width = kWide) {
  std::vector<PlacedRun> runs;
  d.SetText(markup);
  d.SetTrace(&runs);
  d.Layout(width, 100000);
  d.SetTrace(nullptr);
  return runs;
}

// The pieces drawn by painting the whole document.
std::vector<PlacedRun> Painted(HyperDocument& d, QImage* image = nullptr) {
  QImage local(d.clientWidth(), std::max(1, d.totalHeight()), QImage::Format_RGB32);
  QImage& target = image ? *image : local;
  std::vector<PlacedRun> runs;
  d.SetTrace(&runs);
  QPainter painter(&target);
  d.Paint(painter, target.rect(), 0);
  d.SetTrace(nullptr);
  return runs;
}

std::string Joined(const std::vector<PlacedRun>& runs) {
  std::string s;
  for (const auto& r : runs) s += r.text;
  return s;
}

const PlacedRun* Find(const std::vector<PlacedRun>& runs, std::string_view text) {
  for (const auto& r : runs)
    if (r.text == text) return &r;
  return nullptr;
}

int Baseline(const PlacedRun& r) { return r.rect.y() + QFontMetrics(CreateFont(r.font, 96)).ascent(); }

// The widest width at which markup's layout puts the two pieces on different
// lines: the first ends a line, the second begins the next.
int WidthSplitting(std::string_view markup, std::string_view first, std::string_view second) {
  for (int w = kWide; w > 60; --w) {
    HyperDocument d;
    d.SetStyle(Style());
    const auto runs = LayOut(d, markup, w);
    const PlacedRun* a = Find(runs, first);
    const PlacedRun* b = Find(runs, second);
    if (a && b && a->line != b->line) return w;
  }
  return 0;
}

class HyperLayout : public ::testing::Test {
 protected:
  void SetUp() override { d.SetStyle(Style()); }
  HyperDocument d;
};

TEST_F(HyperLayout, EntitiesAndQuotesAsDrawn) {
  auto runs = LayOut(d, "x &lt; y &#65; &theta;");
  EXPECT_EQ(Joined(runs), "x < y A q");
  const PlacedRun* theta = Find(runs, "q");
  ASSERT_TRUE(theta);
  EXPECT_TRUE(theta->font.Has(kFontSymbol));
  EXPECT_EQ(CourseBytesToQString(theta->text, FontEncoding(theta->font)), QString(QChar(0x03B8)));
  EXPECT_FALSE(Find(runs, "A ")->font.Has(kFontSymbol));

  runs = LayOut(d, "say \"<b>\" now");
  EXPECT_EQ(Joined(runs), "say \"<b>\" now");
  for (const auto& r : runs) EXPECT_FALSE(r.font.Has(kFontBold)) << r.text;
}

TEST_F(HyperLayout, CentreCiteAndBig) {
  LayOut(d, "<center>Centred line</center><p><cite>Cited</cite><p>left");
  const auto runs = Painted(d);
  const int textWidth = kWide - 2 * HyperDocument::kInset;
  for (const char* word : {"Centred ", "Cited"}) {
    const PlacedRun* r = Find(runs, word);
    ASSERT_TRUE(r) << word;
    const auto& p = d.paragraphs()[r == Find(runs, "Cited") ? 1 : 0];
    ASSERT_EQ(p.lineWidths.size(), 1u);
    // As much room on the left of the line as on its right (an odd pixel goes right).
    const int leftRoom = r->rect.left() - HyperDocument::kInset;
    const int rightRoom = HyperDocument::kInset + textWidth - (r->rect.left() + p.lineWidths[0]);
    EXPECT_GT(leftRoom, 0) << word;
    EXPECT_TRUE(rightRoom == leftRoom || rightRoom == leftRoom + 1) << word << ": " << leftRoom << " " << rightRoom;
  }
  EXPECT_EQ(Find(runs, "left")->rect.left(), HyperDocument::kInset);

  const auto big = LayOut(d, "<big>b</big>n");
  EXPECT_TRUE(Find(big, "b")->font.Has(kFontBold));
  EXPECT_FALSE(Find(big, "n")->font.Has(kFontBold));
}

TEST_F(HyperLayout, OrderedListItemsAreNumbered) {
  const auto runs = LayOut(d, "<ol><li>one<li>two</ol><ul><li>dot</ul>");
  ASSERT_EQ(d.paragraphs().size(), 3u);
  const std::vector<std::string> expected = {" 1.  ", "one", " 2.  ", "two", " ", "\xB7", "  ", "dot"};
  std::vector<std::string> texts;
  for (const auto& r : runs) texts.push_back(r.text);
  EXPECT_EQ(texts, expected);
  EXPECT_TRUE(runs[5].font.Has(kFontSymbol));  // the bullet
  EXPECT_EQ(runs[4].rect.left(), HyperDocument::kInset);
}

TEST_F(HyperLayout, DefinedTermStaysOnOneLineAndIsOneTarget) {
  const std::string before = "Values are spread around their mean by the ";
  const int width = WidthSplitting(before + "standard deviation of the data.", "standard ", "deviation ");
  ASSERT_GT(width, 0);

  const auto runs =
      LayOut(d, before + "<dfn>standard deviation</dfn t=\"how far values lie from their mean\"> of the data.", width);
  const PlacedRun* term = Find(runs, "standard deviation");
  ASSERT_TRUE(term);
  EXPECT_EQ(term->line, 1);
  EXPECT_EQ(term->rect.left(), HyperDocument::kInset);
  EXPECT_LE(term->rect.right(), width - HyperDocument::kInset);
  EXPECT_EQ(term->font.colour, Style().linkColour);
  EXPECT_EQ(Find(runs, "data.")->font.colour, qRgb(0, 0, 0));
  const HyperParagraph& p = d.paragraphs()[0];
  ASSERT_EQ(p.terms.size(), 1u);
  EXPECT_EQ(p.terms[0].text, "standard deviation");
  EXPECT_EQ(p.terms[0].rect, term->rect);
  EXPECT_EQ(p.termRegion, QRegion(term->rect));

  // Both words hit the same term, which carries its phrase.
  for (QPoint at : {term->rect.topLeft() + QPoint(3, 3), term->rect.bottomRight() - QPoint(3, 3)}) {
    EXPECT_TRUE(d.OverTerm(at));
    const auto hit = d.HitTerm(at);
    ASSERT_TRUE(hit);
    EXPECT_EQ(hit->text, "standard deviation");
    EXPECT_EQ(d.TermPhrase(*hit), "how far values lie from their mean");
  }
  EXPECT_FALSE(d.HitTerm(term->rect.topLeft() - QPoint(2, 0)));
}

TEST_F(HyperLayout, CentredTermsAreHitWhereTheyAreDrawn) {
  LayOut(d, "<center>the <dfn>median</dfn></center>");
  const auto runs = Painted(d);
  const PlacedRun* drawn = Find(runs, "median");
  ASSERT_TRUE(drawn);
  ASSERT_EQ(d.paragraphs()[0].terms.size(), 1u);
  EXPECT_EQ(d.paragraphs()[0].terms[0].rect, drawn->rect);
}

TEST_F(HyperLayout, FontChangeKeepsTheBaselineAndIsRestored) {
  const auto runs = LayOut(d, "small <font size=+2>big</font> small2 <font size=\"-4\" face=fixed>code</font>x");
  const PlacedRun* a = Find(runs, "small ");
  const PlacedRun* big = Find(runs, "big");
  const PlacedRun* after = Find(runs, "small2 ");
  const PlacedRun* code = Find(runs, "code");
  ASSERT_TRUE(a && big && after && code);
  EXPECT_EQ(big->font.size, 14);
  EXPECT_EQ(after->font.size, 12);
  EXPECT_EQ(after->font, a->font);
  EXPECT_TRUE(code->font.Has(kFontFixed));
  const auto fixed = LayOut(d, "<j>mean(x)</j> and <font face=\"Arial\">sans <j>code</j></font>");
  EXPECT_EQ(QFontInfo(CreateFont(Find(fixed, "mean(x)")->font, 96)).family(), "Liberation Mono");
  EXPECT_EQ(QFontInfo(CreateFont(Find(fixed, "code")->font, 96)).family(), "Liberation Mono");
  EXPECT_EQ(QFontInfo(CreateFont(Find(fixed, "sans ")->font, 96)).family(), "Liberation Sans");
  EXPECT_FALSE(Find(runs, "x")->font.Has(kFontFixed));
  for (const PlacedRun* r : {big, after, code}) EXPECT_EQ(Baseline(*r), Baseline(*a)) << r->text;
}

TEST_F(HyperLayout, HeadingsAreTwoPointsLarger) {
  const auto runs = LayOut(d, "<h2>Heading</h2><p>body");
  const PlacedRun* head = Find(runs, "Heading");
  ASSERT_TRUE(head);
  EXPECT_EQ(head->font.size, 14);
  EXPECT_TRUE(head->font.Has(kFontPoints));
  EXPECT_EQ(Find(runs, "body")->font.size, 12);
  const int line14 = QFontMetrics(CreateFont(head->font, 96)).height();
  EXPECT_EQ(d.paragraphs()[0].height, line14 + HyperDocument::kParagraphGap + HyperDocument::kHeadingRule);
  EXPECT_EQ(head->rect.top(), HyperDocument::kTopGap + HyperDocument::kHeadingRule);

  HyperDocument large;
  large.SetStyle(Style(20));
  EXPECT_EQ(Find(LayOut(large, "<h1>Heading</h1>"), "Heading")->font.size, 22);
}

TEST_F(HyperLayout, TwoSpacesFollowAPeriodAtASourceLineBreak) {
  auto runs = LayOut(d, "The end.\nNext one");
  std::vector<std::string> texts;
  for (const auto& r : runs) texts.push_back(r.text);
  EXPECT_EQ(texts, (std::vector<std::string>{"The ", "end. ", " ", "Next ", "one"}));
  for (const auto& r : runs) EXPECT_EQ(r.line, 0);
  EXPECT_EQ(runs[2].rect.left(), runs[1].rect.right() + 1);
  EXPECT_EQ(runs[3].rect.left(), runs[2].rect.right() + 1);

  // At a wrap the blanks are not carried to the next line.
  const int width = WidthSplitting("The end.\nNext one", "end. ", "Next ");
  ASSERT_GT(width, 0);
  runs = LayOut(d, "The end.\nNext one", width);
  EXPECT_EQ(Find(runs, "Next ")->rect.left(), HyperDocument::kInset);
}

TEST_F(HyperLayout, ParagraphsStackAndTheScrollBarNarrowsTheText) {
  pictest::Bmp bmp;
  bmp.width = 40;
  bmp.height = 30;
  bmp.bitCount = 24;
  bmp.pixels.assign(40 * 30, 0x336699);
  ContainerWriter w;
  w.AddEntry(kEntryPicture, "Pic", pictest::PackedBitmap(bmp));
  std::string text = "<h2>Title</h2><p>Some text<img src=pic><p>";
  for (int i = 0; i < 30; ++i) text += "word" + std::to_string(i) + " ";
  w.SetText(std::vector<std::uint8_t>(text.begin(), text.end()));
  ASSERT_TRUE(d.SetText(w.Build(), true));

  const int total = d.Layout(300, 100000);
  EXPECT_FALSE(d.scrollBarShown());
  const auto& ps = d.paragraphs();
  ASSERT_EQ(ps.size(), 4u);  // the "p" after the picture makes an empty paragraph
  int y = 0;
  for (const auto& p : ps) {
    EXPECT_EQ(p.top, y);
    y += p.height;
  }
  EXPECT_EQ(total, y);
  const int line = QFontMetrics(CreateFont(d.BodyFont(false), 96)).height();
  EXPECT_EQ(ps[1].height, line + 30 + HyperDocument::kParagraphGap);
  EXPECT_EQ(ps[2].height, HyperDocument::kParagraphGap);  // no text, no lines

  d.Layout(300, total - 1);
  EXPECT_TRUE(d.scrollBarShown());
  EXPECT_EQ(d.textAreaWidth(), 280);
  EXPECT_GT(ps[3].lineWidths.size(), 1u);
  for (int lw : ps[3].lineWidths) EXPECT_LE(lw, 280 - 2 * HyperDocument::kInset);

  EXPECT_FALSE(d.SetText(std::vector<std::uint8_t>{1, 2, 3}, true));  // not a container
  EXPECT_TRUE(d.paragraphs().empty());
}

TEST_F(HyperLayout, PaintingDrawsRulesTermsAndOnlyWhatIsInvalid) {
  LayOut(d, "<h2>Heading</h2><p>A <dfn>term</dfn> here<p>last", 300);
  QImage image(300, d.totalHeight(), QImage::Format_RGB32);
  image.fill(qRgb(255, 0, 0));
  const auto& ps = d.paragraphs();
  {
    QPainter painter(&image);
    d.Paint(painter, QRect(0, ps[1].top, 300, ps[1].height), 0);
  }
  EXPECT_EQ(pictest::Rgb(image, 150, ps[0].top + 2), 0xFF0000u);  // the heading was not invalid
  EXPECT_EQ(pictest::Rgb(image, 150, ps[2].top + ps[2].height - 1), 0xFF0000u);

  Painted(d, &image);
  const int left = HyperDocument::kInset;
  EXPECT_EQ(pictest::Rgb(image, left + 1, ps[0].top + 2), 0x808080u);
  EXPECT_EQ(pictest::Rgb(image, left + 1, ps[0].top + 3), 0xE0E0E0u);
  const QRect term = ps[1].terms.at(0).rect;
  int linkPixels = 0;
  for (int y = term.top(); y <= term.bottom(); ++y)
    for (int x = term.left(); x <= term.right(); ++x) linkPixels += pictest::Rgb(image, x, y) == 0x2222FFu;
  EXPECT_GT(linkPixels, 5);

  // Scrolled by a paragraph, the second paragraph is painted at the top.
  QImage scrolled(300, 40, QImage::Format_RGB32);
  {
    QPainter painter(&scrolled);
    d.Paint(painter, scrolled.rect(), ps[1].top);
  }
  EXPECT_EQ(scrolled.copy(0, 0, 300, 20), image.copy(0, ps[1].top, 300, 20));
}

TEST(HyperPaint, PressedTermIsAnInvertedFrame) {
  QImage image(40, 30, QImage::Format_RGB32);
  image.fill(Qt::white);
  {
    QPainter painter(&image);
    PaintPressedTerm(painter, QRect(10, 10, 20, 10));
  }
  EXPECT_EQ(pictest::Rgb(image, 10, 10), 0u);
  EXPECT_EQ(pictest::Rgb(image, 29, 19), 0u);
  EXPECT_EQ(pictest::Rgb(image, 11, 11), 0xFFFFFFu);
  EXPECT_EQ(pictest::Rgb(image, 9, 10), 0xFFFFFFu);
}

TEST_F(HyperLayout, CopyAsTextGivesEachParagraphALine) {
  LayOut(d, "<b>a</b> &theta;<p>b &amp; c\xA4");
  EXPECT_EQ(d.CopyAsText(), "a \xCE\xB8\r\nb & c*\r\n");
}

}  // namespace
