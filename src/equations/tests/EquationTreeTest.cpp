#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "equations/EquationTree.h"

namespace {

int Depth(const EqNode& n) {
  int deepest = 0;
  for (const auto& c : n.children) deepest = std::max(deepest, Depth(*c));
  return deepest + 1;
}

int Count(const EqNode& n) {
  int count = 1;
  for (const auto& c : n.children) count += Count(*c);
  return count;
}

TEST(EquationTree, ElementNamesMapToTheirTypesAndOthersArePlainTokens) {
  const char* names[] = {"math", "mfenced", "mfrac", "mi",   "mn",      "mo",   "mover",  "mpadded",
                         "mrow", "ms",      "mspace", "msqrt", "mstyle", "msub", "msubsup", "msup",
                         "mtable", "mtd",   "mtext", "mtr",   "munder",  "munderover"};
  int expected = 1;
  for (const char* name : names) {
    EXPECT_EQ(static_cast<int>(EqTypeOf(name)), expected) << name;
    EXPECT_EQ(EqTypeName(EqTypeOf(name)), name);
    ++expected;
  }
  EXPECT_EQ(expected, 23);
  for (const char* other : {"mglyph", "m", "mrowx", "MROW", ""}) EXPECT_EQ(EqTypeOf(other), EqType::Token) << other;
}

TEST(EquationTree, EntitiesDecodeToOneByteOrNothing) {
  const struct {
    const char* text;
    std::string out;
    bool symbol;
  } rows[] = {
      {"x", "x", false},
      {"x&amp;y", "x&amp;y", false},  // only a whole text is an entity
      {"&plusmn;", "\xB1", false},
      {"&sum;", "S", true},
      {"&theta;", "q", true},
      {"&infty;", "\xA5", true},
      {"&PLUSMN;", "", false},  // names are case-sensitive
      {"&nosuch;", "", false},
      {"&amp", "", false},
      {"&;", "", false},
      {"&#177;", "\xB1", false},
      {"&#321;", "A", true},  // the low byte, a Symbol letter
      {"&#189;", "\xBD", true},
      {"&#123;", "{", false},
      {"&#99999999999999999999;", "\xFF", false},
      {"&#;", "", false},
      {"&#12a;", "", false},
      {"&#0;", "", false},
      {"&#256;", "", false},
      {"&InvisibleTimes;", "", false},
  };
  for (const auto& r : rows) {
    bool symbol = !r.symbol;
    EXPECT_EQ(DecodeEqText(r.text, symbol), r.out) << r.text;
    EXPECT_EQ(symbol, r.symbol) << r.text;
  }
}

TEST(EquationTree, FontAttributesSetSizeWeightStyleFamilyAndColour) {
  const struct {
    const char* name;
    const char* value;
    bool absolute, relative;
    int size;
  } sizes[] = {
      {"fontsize", "14", true, false, 14},   {"fontsize", "+3", false, true, 3},
      {"fontsize", "-5", false, true, -5},   {"FontSize", "'+4", false, true, 4},
      {"fontsize", "12pt", true, false, 12}, {"fontsize", "big", false, false, 0},
      {"fontsize", "-99999999", false, true, -4000},
  };
  for (const auto& r : sizes) {
    EqNode n;
    SetEqAttribute(n, r.name, r.value);
    EXPECT_EQ(n.style.absoluteSize, r.absolute) << r.value;
    EXPECT_EQ(n.style.relativeSize, r.relative) << r.value;
    EXPECT_EQ(n.style.size, r.size) << r.value;
  }

  const struct {
    const char* value;
    bool set;
    QRgb colour;
  } colours[] = {
      {"#FF8000", true, qRgb(255, 128, 0)}, {"#0a0B0c", true, qRgb(10, 11, 12)}, {"#FFF", false, 0},
      {"#", false, 0},                      {"red", false, 0},                   {"#GG0000", false, 0},
      {"#12345", false, 0},
  };
  for (const auto& r : colours) {
    EqNode n;
    SetEqAttribute(n, "color", r.value);
    EXPECT_EQ(n.style.colourSet, r.set) << r.value;
    if (r.set) {
      EXPECT_EQ(n.style.colour, r.colour) << r.value;
    }
  }

  EqNode n;
  SetEqAttribute(n, "fontweight", "heavy");
  SetEqAttribute(n, "fontstyle", "oblique");
  EXPECT_FALSE(n.style.SetsFont());
  SetEqAttribute(n, "fontweight", "BOLD");
  SetEqAttribute(n, "fontstyle", "italic");
  SetEqAttribute(n, "fontfamily", "Symbol");
  EXPECT_TRUE(n.style.weightSet && n.style.bold && n.style.styleSet && n.style.italic && n.style.symbol);
  SetEqAttribute(n, "fontfamily", "serif");
  EXPECT_TRUE(n.style.familySet);
  EXPECT_FALSE(n.style.symbol);
}

TEST(EquationTree, ElementAttributesApplyOnlyWhereTheyBelong) {
  auto tree = BuildEquation(
      "<math><mfenced open=\"[\" close=\"\" separators=\";\"><mi lspace=\"3\" rspace=\"-2\">x</mi></mfenced>"
      "<mfrac linethickness=\"0\"><mn>1</mn><mn>2</mn></mfrac><msqrt linethickness=\"99\"><mn>2</mn></msqrt>"
      "<mrow linethickness=\"5\" width=\"9\"></mrow><mpadded lspace=\"2\" width=\"+4\" height=\"7\" depth=\"-1\">"
      "</mpadded><mspace width=\"6\" height=\"-3\"></mspace><munder accentunder=\"true\"></munder>"
      "<mtable equalcolumns=\"true\" equalrows=\"0\"><mtr rowalign=\"left\" columnalign=\"RIGHT\"><mtd "
      "columnalign=\"middle\"></mtd></mtr></mtable></math>");
  ASSERT_TRUE(tree);
  ASSERT_EQ(tree->children.size(), 8u);
  const EqNode& fenced = *tree->children[0];
  EXPECT_EQ(fenced.open, "[");
  EXPECT_EQ(fenced.close, "");
  EXPECT_EQ(fenced.separators, ";");
  EXPECT_EQ(fenced.children[0]->lspace, 3);
  EXPECT_EQ(fenced.children[0]->rspace, -2);
  EXPECT_EQ(tree->children[1]->lineThickness, 0);
  EXPECT_EQ(tree->children[2]->lineThickness, 32);  // bounded
  EXPECT_EQ(tree->children[3]->lineThickness, 1);
  EXPECT_EQ(tree->children[3]->padWidth, 0);
  const EqNode& padded = *tree->children[4];
  EXPECT_EQ(padded.padLspace, 2);
  EXPECT_TRUE(padded.widthRelative);
  EXPECT_EQ(padded.padWidth, 4);
  EXPECT_FALSE(padded.heightRelative);
  EXPECT_EQ(padded.padHeight, 7);
  EXPECT_TRUE(padded.depthRelative && padded.depthSet);
  EXPECT_EQ(padded.padDepth, -1);
  EXPECT_EQ(tree->children[5]->padWidth, 6);
  EXPECT_EQ(tree->children[5]->padHeight, 0);
  EXPECT_EQ(tree->children[6]->accentUnder, 1);
  const EqNode& table = *tree->children[7];
  EXPECT_TRUE(table.equalColumns);
  EXPECT_FALSE(table.equalRows);
  EXPECT_EQ(table.children[0]->rowAlign, 0);
  EXPECT_EQ(table.children[0]->columnAlign, 2);
  EXPECT_EQ(table.children[0]->children[0]->columnAlign, 1);
}

TEST(EquationTree, TokenRulesForMiAndMo) {
  const struct {
    const char* markup;
    std::string text;
    bool symbol;
    bool bold;
    bool italic;
    int increment;  // relative size
    int rspace;
  } rows[] = {
      {"<mi>x</mi>", "x", false, false, true, 0, 0},
      {"<mi>&chi;</mi>", "c", true, false, true, 6, 1},
      {"<mi>C</mi>", "C", true, false, true, 6, 1},
      {"<mi>&theta;</mi>", "q", true, false, true, 0, 0},
      {"<mi>&infty;</mi>", "\xA5", true, false, true, 0, 0},
      {"<mi>cos</mi>", "cos", false, false, true, 0, 0},  // a word keeps its face
      {"<mi>quantile</mi>", "quantile", false, false, true, 0, 0},
      {"<mi fontstyle=\"normal\">x</mi>", "x", false, false, false, 0, 0},
      {"<mo>&plusmn;</mo>", " \xB1 ", true, true, false, 0, 0},
      {"<mo>=</mo>", " = ", true, true, false, 0, 0},
      {"<mo>(</mo>", " ( ", false, true, false, 0, 0},
      {"<mo>&sum;</mo>", "S", true, false, false, 6, 1},
      {"<mo fontweight=\"bold\">&sum;</mo>", "S", true, true, false, 6, 1},
      {"<mo>Sup</mo>", " Sup ", false, true, false, 0, 0},
      {"<mn>  12 </mn>", "12", false, false, false, 0, 0},
  };
  for (const auto& r : rows) {
    auto n = BuildEquation(r.markup);
    ASSERT_TRUE(n) << r.markup;
    EXPECT_EQ(n->text, r.text) << r.markup;
    EXPECT_EQ(n->style.familySet && n->style.symbol, r.symbol) << r.markup;
    EXPECT_EQ(n->style.weightSet && n->style.bold, r.bold) << r.markup;
    EXPECT_EQ(n->style.styleSet && n->style.italic, r.italic) << r.markup;
    EXPECT_EQ(n->style.relativeSize ? n->style.size : 0, r.increment) << r.markup;
    EXPECT_EQ(n->rspace, r.rspace) << r.markup;
  }
}

TEST(EquationTree, PaddingAnOperatorKeepsTheTextLimit) {
  const std::string long_(400, '+');
  auto n = BuildEquation("<mo>" + long_ + "</mo>");
  ASSERT_TRUE(n);
  EXPECT_EQ(n->text.size(), EqNode::kTextLimit);
  EXPECT_EQ(n->text.front(), ' ');
  EXPECT_EQ(n->text.back(), ' ');
  auto m = BuildEquation("<mi>" + long_ + "</mi>");
  EXPECT_EQ(m->text.size(), EqNode::kTextLimit);
}

TEST(EquationTree, SurplusClosingTagsAreIgnoredAndSeveralRootsMakeARow) {
  auto one = BuildEquation("</mrow></mi><math><mi>x</mi></mrow></math></math></mo>");
  ASSERT_TRUE(one);
  EXPECT_EQ(one->type, EqType::Math);
  ASSERT_EQ(one->children.size(), 1u);
  EXPECT_EQ(one->children[0]->text, "x");

  auto two = BuildEquation("<math><mi>x</mi></math></mi><mn>2</mn>");
  ASSERT_TRUE(two);
  EXPECT_EQ(two->type, EqType::Row);
  ASSERT_EQ(two->children.size(), 2u);
  EXPECT_EQ(two->children[0]->type, EqType::Math);
  EXPECT_EQ(two->children[1]->type, EqType::Mn);
  EXPECT_EQ(two->children[1]->parent, two.get());

  EXPECT_FALSE(BuildEquation("just text </mi>"));
}

TEST(EquationTree, NestingAndElementCountAreCapped) {
  std::string deep;
  for (int i = 0; i < 5000; ++i) deep += "<mrow>";
  deep += "<mi>x</mi>";
  for (int i = 0; i < 5000; ++i) deep += "</mrow>";
  deep += "<mn>after</mn>";
  auto tree = BuildEquation(deep);
  ASSERT_TRUE(tree);
  // The dropped levels close again before the next element, which joins the top row.
  EXPECT_EQ(tree->type, EqType::Row);
  EXPECT_EQ(Depth(*tree), EquationBuilder::kDepthLimit + 1);
  EXPECT_EQ(tree->children.back()->text, "after");

  std::string wide = "<math>";
  for (int i = 0; i < 6000; ++i) wide += "<mn>1</mn>";
  wide += "</math>";
  auto many = BuildEquation(wide);
  ASSERT_TRUE(many);
  EXPECT_EQ(Count(*many), EquationBuilder::kElementLimit);
}

TEST(EquationTree, TextIsTheTextSinceThePreviousTag) {
  auto tree = BuildEquation("<math>\n  <mrow>lead <mi>a</mi> trail\n </mrow>\n</math>");
  ASSERT_TRUE(tree);
  const EqNode& row = *tree->children[0];
  EXPECT_EQ(row.text, "trail");
  EXPECT_EQ(row.children[0]->text, "a");
  EXPECT_EQ(tree->text, "");
}

}  // namespace
