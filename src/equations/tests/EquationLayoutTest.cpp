#include <gtest/gtest.h>

#include <QtGui/QGlyphRun>
#include <QtGui/QImage>
#include <QtGui/QPainter>
#include <QtGui/QPicture>
#include <QtGui/QRawFont>
#include <QtGui/QTextLayout>
#include <algorithm>
#include <functional>

#include "course/CourseText.h"
#include "equations/EquationLayout.h"
#include "equations/EquationPicture.h"
#include "hypertext/FontDescription.h"
#include "hypertext/Picture.h"

namespace {

EquationFonts& Fonts() {
  static EquationFonts fonts;
  return fonts;
}

std::unique_ptr<EqNode> Laid(const std::string& markup, int size = 12, std::uint32_t flags = kEqSerif) {
  auto tree = BuildEquation(markup);
  if (tree) LayoutEquation(*tree, size, flags, Fonts());
  return tree;
}

void ForEach(const EqNode& n, const std::function<void(const EqNode&)>& f) {
  f(n);
  for (const auto& c : n.children) ForEach(*c, f);
}

TEST(EquationLayout, PlusMinusOperatorIsPaddedAndTheSumIsLargerUnpaddedSymbol) {
  auto tree = Laid("<math><mo>&plusmn;</mo><mi>&plusmn;</mi><mo>&sum;</mo><mi>x</mi></math>");
  ASSERT_TRUE(tree);
  const EqNode& pm = *tree->children[0];
  const EqNode& plain = *tree->children[1];
  const EqNode& sum = *tree->children[2];
  const EqNode& x = *tree->children[3];
  EXPECT_EQ(tree->size, 20);  // "math" adds 8
  EXPECT_EQ(pm.flags, kEqSerif | kEqBold | kEqSymbol);
  EXPECT_EQ(EqDisplayText(pm), QStringLiteral(" \u00B1 "));
  EXPECT_GT(pm.width, plain.width);
  EXPECT_EQ(sum.text, "S");
  EXPECT_EQ(EqDisplayText(sum), QStringLiteral("\u03A3"));
  EXPECT_EQ(sum.flags, kEqSerif | kEqSymbol);
  EXPECT_EQ(sum.size, tree->size + 6);
  EXPECT_GT(sum.ascent, x.ascent);
  EXPECT_EQ(x.flags, kEqSerif | kEqItalic);
}

TEST(EquationLayout, SuperscriptSitsTopRightAtTwoThirdsAndLowersTheBase) {
  auto tree = Laid("<math><msup><mi>x</mi><mn>2</mn></msup></math>", 16);
  ASSERT_TRUE(tree);
  const EqNode& sup = *tree->children[0];
  const EqNode& base = *sup.children[0];
  const EqNode& two = *sup.children[1];
  EXPECT_EQ(base.size, 24);
  EXPECT_EQ(two.size, 16);
  EXPECT_EQ(two.x, base.x + base.width);
  EXPECT_EQ(two.y, sup.y);
  EXPECT_EQ(base.y, sup.y + base.ascent / 3);
  EXPECT_EQ(sup.ascent, base.ascent + base.ascent / 3);
  EXPECT_EQ(sup.width, base.width + two.width + 1);
  EXPECT_EQ(sup.descent, base.descent);
}

TEST(EquationLayout, SubscriptAndBothScripts) {
  auto tree = Laid("<math><msub><mi>x</mi><mi>i</mi></msub><msubsup><mo>&sum;</mo><mn>1</mn><mi>n</mi></msubsup></math>");
  ASSERT_TRUE(tree);
  const EqNode& sub = *tree->children[0];
  const EqNode& base = *sub.children[0];
  const EqNode& i = *sub.children[1];
  EXPECT_EQ(i.size, (2 * 20) / 3);
  EXPECT_EQ(base.y, sub.y);
  EXPECT_EQ(i.y, sub.y + (2 * base.ascent) / 3);
  EXPECT_EQ(sub.ascent, base.ascent);
  EXPECT_EQ(sub.descent, std::max(base.descent, i.descent + i.ascent + (2 * base.ascent) / 3 - sub.ascent));

  const EqNode& both = *tree->children[1];
  const EqNode& sum = *both.children[0];
  EXPECT_EQ(both.children[1]->y, both.y + sum.ascent / 3 + (2 * sum.ascent) / 3);  // lower limit
  EXPECT_EQ(both.children[2]->y, both.y);                                        // upper limit
  EXPECT_EQ(both.children[1]->x, both.children[2]->x);
}

TEST(EquationLayout, FractionStacksOverTheLineAndThicknessZeroDrawsNone) {
  auto tree = Laid("<math><mfrac linethickness=\"0\"><mi>a</mi><mi>b</mi></mfrac>"
                   "<mfrac linethickness=\"3\"><mi>a</mi><mi>b</mi></mfrac></math>");
  ASSERT_TRUE(tree);
  const EqNode& none = *tree->children[0];
  const EqNode& thick = *tree->children[1];
  for (const EqNode* f : {&none, &thick}) {
    const EqNode& num = *f->children[0];
    const EqNode& den = *f->children[1];
    const int gap = std::max(1, num.descent - 1);
    EXPECT_EQ(f->width, std::max(num.width, den.width) + 4);
    EXPECT_EQ(f->ascent, f->lineThickness + num.ascent + gap + den.ascent);
    EXPECT_EQ(den.y + den.ascent, f->y + f->ascent);  // the denominator's baseline is the fraction's
    EXPECT_EQ(f->descent, den.descent);
  }
  EXPECT_EQ(thick.ascent - none.ascent, 3);

  // A full-width black row exists only where a line was drawn.
  auto fullRows = [](const std::string& markup) {
    auto t = BuildEquation(markup);
    auto picture = RenderEquation(*t, 12, kEqSerif, Fonts());
    const QRect b = picture->boundingRect();
    QImage image(b.size(), QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    p.drawPicture(0, 0, *picture);
    p.end();
    int rows = 0;
    for (int y = 0; y < image.height(); ++y) {
      bool full = true;
      for (int x = 0; x < image.width() && full; ++x) full = qGray(image.pixel(x, y)) < 96;
      rows += full;
    }
    return rows;
  };
  EXPECT_EQ(fullRows("<mfrac linethickness=\"0\"><mi>a</mi><mi>b</mi></mfrac>"), 0);
  EXPECT_EQ(fullRows("<mfrac linethickness=\"2\"><mi>a</mi><mi>b</mi></mfrac>"), 2);
}

TEST(EquationLayout, FencesAroundAFractionAreAsTallAsItsAscent) {
  auto tree = Laid("<math><mfenced><mfrac><mi>a</mi><mi>b</mi></mfrac></mfenced>"
                   "<mfenced><mi>a</mi></mfenced></math>");
  ASSERT_TRUE(tree);
  const EqNode& fenced = *tree->children[0];
  const EqNode& frac = *fenced.children[0];
  EXPECT_EQ(fenced.fenceSize, frac.ascent);
  EXPECT_EQ(fenced.ascent, frac.ascent);
  EXPECT_GT(fenced.fenceSize, tree->size);
  EXPECT_EQ(frac.y + frac.ascent, fenced.y + fenced.ascent);
  EXPECT_GT(frac.x, fenced.x);
  const EqNode& small = *tree->children[1];
  EXPECT_LT(small.width, fenced.width);
  EXPECT_EQ(small.fenceSize, small.children[0]->ascent);
}

TEST(EquationLayout, FencedSeparatorsStandBetweenChildren) {
  auto tree = Laid("<math><mfenced open=\"\" close=\"\"><mi>a</mi><mi>b</mi><mi>c</mi></mfenced>"
                   "<mfenced open=\"\" close=\"\" separators=\"\"><mi>a</mi><mi>b</mi><mi>c</mi></mfenced></math>");
  ASSERT_TRUE(tree);
  const EqNode& with = *tree->children[0];
  const EqNode& without = *tree->children[1];
  EXPECT_GT(with.width, without.width);
  EXPECT_EQ(without.children[1]->x, without.children[0]->x + without.children[0]->width);
  EXPECT_GT(with.children[1]->x, with.children[0]->x + with.children[0]->width);
}

TEST(EquationLayout, UnknownElementBehavesLikeMtext) {
  auto tree = Laid("<math><mwhatever>ab</mwhatever><mtext>ab</mtext></math>");
  ASSERT_TRUE(tree);
  const EqNode& unknown = *tree->children[0];
  const EqNode& text = *tree->children[1];
  EXPECT_EQ(unknown.type, EqType::Token);
  EXPECT_EQ(unknown.name, "mwhatever");
  EXPECT_EQ(unknown.width, text.width);
  EXPECT_EQ(unknown.ascent, text.ascent);
  EXPECT_EQ(unknown.descent, text.descent);
  EXPECT_EQ(unknown.size, text.size);
  EXPECT_EQ(unknown.flags, text.flags);
  EXPECT_GT(unknown.width, 0);
}

TEST(EquationLayout, RowsPlaceChildrenSideBySideCentredOnTheAscent) {
  auto tree = Laid("<math><mrow><mi>a</mi><mfrac><mn>1</mn><mn>2</mn></mfrac><mi>b</mi></mrow></math>");
  const EqNode& row = *tree->children[0];
  int x = row.x;
  int widths = 0;
  for (const auto& c : row.children) {
    EXPECT_EQ(c->x, x);
    EXPECT_EQ(c->y, row.y + (row.ascent - c->ascent) / 2);
    x += c->width;
    widths += c->width;
  }
  EXPECT_EQ(row.width, widths);
  EXPECT_EQ(row.ascent, row.children[1]->ascent);
}

TEST(EquationLayout, SquareRootLeavesRoomForTheRadical) {
  auto tree = Laid("<math><msqrt><mi>n</mi></msqrt><msqrt linethickness=\"3\"><mi>n</mi></msqrt></math>");
  for (const auto& r : tree->children) {
    const EqNode& c = *r->children[0];
    const int f = (r->lineThickness + 3) / 2;
    const int g = (2 * c.ascent) / 3 + f + 2;
    EXPECT_EQ(r->width, c.width + f + g);
    EXPECT_EQ(r->ascent, c.ascent + 2 * f);
    EXPECT_EQ(r->descent, std::max(2, c.descent));
    EXPECT_EQ(c.x, r->x + g);
    EXPECT_EQ(c.y, r->y + f);
  }
}

TEST(EquationLayout, OverBarAndUnderBraceDropTheirMarkerChild) {
  auto tree = Laid("<math><mover><mi>x</mi><mo>&bar;</mo></mover><mover><mi>x</mi><mi>y</mi></mover>"
                   "<munder><mi>abc</mi><mo>&UnderBrace;</mo></munder></math>");
  const EqNode& bar = *tree->children[0];
  EXPECT_EQ(bar.mark, EqNode::Mark::Bar);
  ASSERT_EQ(bar.children.size(), 1u);
  EXPECT_EQ(bar.width, bar.children[0]->width);
  const EqNode& stacked = *tree->children[1];
  EXPECT_EQ(stacked.mark, EqNode::Mark::None);
  EXPECT_EQ(stacked.children.size(), 2u);
  const EqNode& brace = *tree->children[2];
  EXPECT_EQ(brace.mark, EqNode::Mark::Brace);
  ASSERT_EQ(brace.children.size(), 1u);
  const EqNode& c = *brace.children[0];
  const int t = std::clamp(brace.width / 12, 1, 4);
  EXPECT_EQ(brace.ascent, c.ascent + 2 * t + 5);
  EXPECT_EQ(c.y + c.ascent, brace.y + brace.ascent - (2 * t + 5));
}

TEST(EquationLayout, LimitsStandRightOfTheBaseAtTwoThirds) {
  auto tree = Laid("<math><munderover><mo>&sum;</mo><mi>i</mi><mi>n</mi></munderover></math>");
  const EqNode& n = *tree->children[0];
  const EqNode& base = *n.children[0];
  const EqNode& under = *n.children[1];
  const EqNode& over = *n.children[2];
  EXPECT_EQ(under.size, (2 * 20) / 3);
  EXPECT_EQ(over.x, base.x + base.width);
  EXPECT_EQ(over.y, n.y);
  EXPECT_EQ(under.y + under.ascent, n.y + n.ascent);
  EXPECT_EQ(n.width, base.width + std::max(under.width, over.width));
}

TEST(EquationLayout, TablesShareColumnWidthsAcrossRows) {
  auto tree = Laid("<math><mtable><mtr><mtd><mi>a</mi></mtd><mtd><mn>1</mn></mtd></mtr>"
                   "<mtr><mtd><mn>12345</mn></mtd><mtd columnalign=\"left\"><mi>b</mi></mtd><mtd><mi>c</mi></mtd></mtr>"
                   "</mtable><mtable equalcolumns=\"true\" equalrows=\"true\"><mtr><mtd><mn>1</mn></mtd>"
                   "<mtd><mn>22222</mn></mtd></mtr><mtr><mtd><mfrac><mn>1</mn><mn>2</mn></mfrac></mtd></mtr></mtable></math>");
  const EqNode& table = *tree->children[0];
  ASSERT_EQ(table.columnWidths.size(), 3u);
  const EqNode& r1 = *table.children[0];
  const EqNode& r2 = *table.children[1];
  EXPECT_EQ(table.columnWidths[0], r2.children[0]->width);
  EXPECT_EQ(table.width, table.columnWidths[0] + table.columnWidths[1] + table.columnWidths[2]);
  EXPECT_EQ(table.ascent, r1.ascent + r2.ascent);
  EXPECT_EQ(table.descent, r2.descent);
  EXPECT_EQ(r2.y, r1.y + r1.ascent);
  // Centred by default, left where the cell says so.
  EXPECT_EQ(r1.children[0]->x, table.x + (table.columnWidths[0] - r1.children[0]->width) / 2);
  EXPECT_EQ(r2.children[1]->x, table.x + table.columnWidths[0]);

  const EqNode& equal = *tree->children[1];
  ASSERT_EQ(equal.columnWidths.size(), 2u);
  EXPECT_EQ(equal.columnWidths[0], equal.columnWidths[1]);
  EXPECT_EQ(equal.width, 2 * equal.columnWidths[0]);
  EXPECT_EQ(equal.ascent, 2 * std::max(equal.children[0]->ascent, equal.children[1]->ascent));
}

TEST(EquationLayout, ManyColumnsAndWrongChildCountsStaySound) {
  std::string wide = "<math><mtable><mtr>";
  for (int i = 0; i < 300; ++i) wide += "<mtd><mn>1</mn></mtd>";
  wide += "</mtr><mn>9</mn></mtable><mfrac><mn>1</mn></mfrac><msup><mi>x</mi></msup>"
          "<munderover><mi>x</mi></munderover><msqrt></msqrt></math>";
  auto tree = Laid(wide);
  const EqNode& table = *tree->children[0];
  EXPECT_EQ(table.columnWidths.size(), 300u);
  int sum = 0;
  for (int w : table.columnWidths) sum += w;
  EXPECT_EQ(table.width, sum);
  for (std::size_t i = 1; i < tree->children.size(); ++i) {
    const EqNode& plain = *tree->children[i];
    EXPECT_EQ(plain.width + plain.ascent + plain.descent, 0) << plain.name;
    for (const auto& c : plain.children) {
      EXPECT_EQ(c->x, plain.x);
      EXPECT_GT(c->width, 0);
    }
  }
}

TEST(EquationLayout, SizesNeverReachZero) {
  std::string nested = "<math fontsize=\"3\">";
  for (int i = 0; i < 12; ++i) nested += "<msup><mi>x</mi>";
  nested += "<mn>2</mn>";
  for (int i = 0; i < 12; ++i) nested += "</msup>";
  nested += "<mi fontsize=\"-50\">y</mi><mi fontsize=\"0\">z</mi><mfenced></mfenced>"
            "<mfenced open=\"\" close=\"\"></mfenced><mpadded width=\"-30\" height=\"-30\"></mpadded></math>";
  auto tree = Laid(nested);
  ForEach(*tree, [](const EqNode& n) {
    EXPECT_GE(n.size, 1) << n.name;
    EXPECT_GE(n.width, 0) << n.name;
    EXPECT_GE(n.ascent, 0) << n.name;
    EXPECT_GE(n.descent, 0) << n.name;
  });
  EXPECT_EQ(tree->children[1]->size, 1);
  EXPECT_EQ(tree->children[3]->fenceSize, 1);
  auto huge = Laid("<math fontsize=\"99999\"><mi>x</mi></math>");
  EXPECT_EQ(huge->size, kEqMaxSize);
}

TEST(EquationLayout, PaddedAndSpaceBoxes) {
  auto tree = Laid("<math><mpadded lspace=\"5\" width=\"+7\" height=\"40\"><mi>x</mi></mpadded>"
                   "<mpadded depth=\"+4\"><mi>x</mi></mpadded><mspace width=\"13\" height=\"9\"><mi>www</mi></mspace>"
                   "<mi>x</mi></math>");
  const EqNode& x = *tree->children[3];
  const EqNode& p = *tree->children[0];
  EXPECT_EQ(p.width, x.width + 5 + 7);
  EXPECT_EQ(p.ascent, std::max(40, x.ascent));
  EXPECT_EQ(p.children[0]->x, p.x + 5);
  const EqNode& deep = *tree->children[1];
  EXPECT_EQ(deep.ascent, x.ascent + 4);
  const EqNode& space = *tree->children[2];
  EXPECT_EQ(space.width, 13);
  EXPECT_EQ(space.ascent, 9);
  EXPECT_EQ(space.descent, 0);
  EXPECT_EQ(space.children[0]->size, tree->size);  // measured, though a space shows nothing
}

TEST(EquationLayout, PictureFrameIsTheRootBoxAndGrowsWithTheFontSize) {
  const std::string markup = "<math><mi>z</mi><mo>=</mo><mfrac><mrow><mi>x</mi><mo>-</mo><mi fontfamily=\"symbol\">m</mi></mrow>"
                             "<mi>s</mi></mfrac></math>";
  auto small = Laid(markup, 10);
  auto large = Laid(markup, 20);
  EXPECT_GT(large->width, small->width);
  EXPECT_GT(large->ascent, small->ascent);
  auto tree = BuildEquation(markup);
  auto picture = RenderEquation(*tree, 10, kEqSerif, Fonts());
  ASSERT_TRUE(picture);
  EXPECT_EQ(picture->boundingRect(), QRect(0, 0, small->width, small->ascent + small->descent));

  auto shown = EquationPicture(markup, 12);
  ASSERT_TRUE(shown);
  EXPECT_EQ(shown->kind(), Picture::kMetafile);
  EXPECT_FALSE(EquationPicture("<math></math>", 12));
  EXPECT_FALSE(EquationPicture("no tags", 12));
}

TEST(EquationLayout, ListingGivesEveryElementInPreorder) {
  auto tree = Laid("<math><msup><mi>x</mi><mn>2</mn></msup></math>");
  const std::string listing = EquationListing(*tree);
  const EqNode& sup = *tree->children[0];
  const EqNode& two = *sup.children[1];
  const std::string expected =
      "0 math 0 0 " + std::to_string(tree->width) + " " + std::to_string(tree->ascent) + " " +
      std::to_string(tree->descent) + " 20 8 \"\"\n";
  EXPECT_EQ(listing.substr(0, expected.size()), expected);
  EXPECT_NE(listing.find("\n2 mn " + std::to_string(two.x) + " " + std::to_string(two.y) + " "), std::string::npos);
  EXPECT_EQ(std::count(listing.begin(), listing.end(), '\n'), 4);
}

// The signs a statistics course writes reach the screen through the Symbol mapping
// and the substitute faces; each must have a glyph in the face drawn (or in the
// installed fallback face, for the one sign the Liberation faces lack).
TEST(EquationLayout, SymbolSignsHaveGlyphs) {
  const struct {
    std::uint8_t symbolByte;
    char32_t expected;
  } signs[] = {
      {'S', 0x03A3},  {0xE5, 0x2211}, {0xD6, 0x221A}, {0xA5, 0x221E}, {0xA3, 0x2264},
      {0xB3, 0x2265}, {0xB9, 0x2260}, {0xBB, 0x2248}, {0xB6, 0x2202}, {'D', 0x0394},
      {0xD1, 0x2207}, {'q', 0x03B8},  {'c', 0x03C7},  {'p', 0x03C0},  {'m', 0x03BC},
      {'s', 0x03C3},
  };
  for (std::uint32_t flags : {std::uint32_t(kFontSymbol), std::uint32_t(kFontSymbol | kFontSerif)})
  for (const auto& s : signs) {
    FontDescription d;
    d.size = 20;
    d.flags = flags;
    const QFont font = CreateFont(d, 96);
    EXPECT_TRUE(font.family().startsWith(QStringLiteral("Liberation")));
    const char32_t c = CourseCharToUnicode(s.symbolByte, CourseEncoding::Symbol);
    EXPECT_EQ(c, s.expected) << int(s.symbolByte);
    const QString text = QString::fromUcs4(&c, 1);
    QTextLayout layout(text, font);
    layout.beginLayout();
    layout.createLine();
    layout.endLayout();
    bool found = false;
    for (const QGlyphRun& run : layout.glyphRuns()) {
      const QRawFont raw = run.rawFont();
      for (quint32 g : run.glyphIndexes()) found = found || (g != 0 && raw.supportsCharacter(c));
    }
    EXPECT_TRUE(found) << std::hex << static_cast<unsigned>(c);
  }
}

}  // namespace
