#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "exposition/Keywords.h"
#include "exposition/ScriptColours.h"
#include "exposition/ScriptValue.h"
#include "exposition/ScriptVariables.h"

namespace {

ScriptValue List(std::initializer_list<ScriptValue> items) { return ScriptValue::List(ScriptValueList(items)); }
ScriptValue I(std::int32_t v) { return ScriptValue::Integer(v); }
ScriptValue T(const char* v) { return ScriptValue::Text(v); }

// The description after converting, or "fails" when the conversion has none.
std::string Converted(ScriptValue v, ScriptKind to) {
  const ScriptValue before = v;
  if (!v.ConvertTo(to)) {
    EXPECT_EQ(v, before) << "a failed conversion leaves the value alone";
    return "fails";
  }
  return DescribeScriptValue(v);
}

TEST(ScriptValue, ConversionTable) {
  const struct {
    ScriptValue from;
    ScriptKind to;
    const char* expected;
  } cases[] = {
      // to integer
      {ScriptValue::Real(-2.7f), ScriptKind::Integer, "integer -2"},
      {ScriptValue::Real(1e10f), ScriptKind::Integer, "integer 2147483647"},
      {ScriptValue::Real(std::numeric_limits<float>::quiet_NaN()), ScriptKind::Integer, "integer 0"},
      {T("  -42abc"), ScriptKind::Integer, "integer -42"},
      {T("abc"), ScriptKind::Integer, "integer 0"},
      {T("99999999999"), ScriptKind::Integer, "integer 2147483647"},
      {ScriptValue::Colour(0x020000FF), ScriptKind::Integer, "integer 33554687"},
      {List({I(1)}), ScriptKind::Integer, "fails"},
      {ScriptValue::Keyword(kw::circle), ScriptKind::Integer, "fails"},
      {ScriptValue::Point(1, 2), ScriptKind::Integer, "fails"},
      {ScriptValue(), ScriptKind::Integer, "fails"},
      // to real
      {I(7), ScriptKind::Real, "real 7"},
      {T("2.5e1 apples"), ScriptKind::Real, "real 25"},
      {T("x"), ScriptKind::Real, "real 0"},
      {ScriptValue::Colour(0xFF000000), ScriptKind::Real, "real 4.27819e+09"},
      {ScriptValue::Point(1, 2), ScriptKind::Real, "fails"},
      // to text
      {I(-15), ScriptKind::Text, "text \"-15\""},
      {ScriptValue::Real(0.1f), ScriptKind::Text, "text \"0.1\""},
      {ScriptValue::Real(1234567.0f), ScriptKind::Text, "text \"1.23457e+06\""},
      {ScriptValue::Colour(0x02FF3F4E), ScriptKind::Text, "text \"16727886\""},
      {ScriptValue::Point(1, 2), ScriptKind::Text, "fails"},
      {List({T("a")}), ScriptKind::Text, "fails"},
      // to colour
      {I(0xFF0000), ScriptKind::Colour, "colour 0x020000FF (255, 0, 0)"},
      {I(0x12345678), ScriptKind::Colour, "colour 0x02785634 (52, 86, 120)"},
      {ScriptValue::Real(255.9f), ScriptKind::Colour, "colour 0x02FF0000 (0, 0, 255)"},
      {T("#FF0000"), ScriptKind::Colour, "colour 0x020000FF (255, 0, 0)"},
      {T("#ff 00-00"), ScriptKind::Colour, "colour 0x020000FF (255, 0, 0)"},
      {T("#g"), ScriptKind::Colour, "colour 0x02100000 (0, 0, 16)"},  // g counts 16
      {T("16711680"), ScriptKind::Colour, "colour 0x020000FF (255, 0, 0)"},
      {List({I(255), I(0), I(0)}), ScriptKind::Colour, "colour 0x00FF0000 (0, 0, 255)"},
      {List({I(1), I(2), I(0x1FF)}), ScriptKind::Colour, "colour 0x000102FF (255, 2, 1)"},
      {List({I(1), I(2)}), ScriptKind::Colour, "fails"},
      {List({I(1), ScriptValue::Keyword(kw::red), I(2)}), ScriptKind::Colour, "fails"},
      {ScriptValue::Keyword(kw::red), ScriptKind::Colour, "fails"},
      // to point
      {I(100), ScriptKind::Point, "point (-1, 100)"},
      {ScriptValue::Real(12.9f), ScriptKind::Point, "point (-1, 12)"},
      {List({I(3), T("4")}), ScriptKind::Point, "point (3, 4)"},
      {List({I(3), I(4), I(5)}), ScriptKind::Point, "fails"},
      {T("3"), ScriptKind::Point, "fails"},
      {ScriptValue::Colour(0), ScriptKind::Point, "fails"},
      // keywords and lists are only themselves
      {ScriptValue::Keyword(kw::circle), ScriptKind::Keyword, "keyword circle (41)"},
      {I(41), ScriptKind::Keyword, "fails"},
      {I(1), ScriptKind::List, "fails"},
      {ScriptValue::Point(1, 2), ScriptKind::Point, "point (1, 2)"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(Converted(c.from, c.to), c.expected) << DescribeScriptValue(c.from) << " to " << ScriptKindName(c.to);
}

TEST(ScriptValue, TextsEndAtNulAndHoldAtMost255Characters) {
  EXPECT_EQ(T("ab\0cd").text(), "ab");
  EXPECT_EQ(ScriptValue::Text(std::string(300, 'x')).text().size(), 255u);
  EXPECT_EQ(ScriptValue::Text(std::string_view("ab\0cd", 5)).text(), "ab");
}

TEST(ScriptValue, ListsCopyDeeplyAndConversionKeepsTheVariableMark) {
  ScriptValue a = List({I(1), List({I(2), I(3)})});
  ScriptValue b = a;
  b.list()[1].list()[0] = I(99);
  EXPECT_EQ(a.list()[1].list()[0], I(2));
  EXPECT_NE(a, b);

  ScriptValue v = I(5);
  v.setVariable(kw::int3);
  ASSERT_TRUE(v.ConvertTo(ScriptKind::Text));
  EXPECT_TRUE(v.fromVariable());
  EXPECT_EQ(v.variableCode(), kw::int3);
  EXPECT_EQ(DescribeScriptValue(v), "text \"5\" [variable int3]");
}

TEST(ScriptColours, NamedColoursAreThePaletteWords) {
  EXPECT_EQ(NamedColours().size(), 23u);
  EXPECT_EQ(NamedColourWord(kw::red), ColourWord(255, 63, 78));
  EXPECT_EQ(NamedColourWord(kw::blue), 0x02FFB95Du);
  EXPECT_EQ(NamedColourWord(kw::yellow), 0x0200FFFFu);
  EXPECT_EQ(NamedColourWord(kw::dkbrown), ColourWord(126, 53, 23));
  EXPECT_EQ(NamedColourWord(kw::circle), 0u);
  EXPECT_FALSE(IsColourKeyword(kw::color));
  for (const NamedColour& c : NamedColours()) EXPECT_TRUE(IsColourKeyword(c.code)) << c.code;
}

TEST(ScriptVariables, HoldTheirKindAndCarryTheMark) {
  ScriptVariables vars;
  const struct {
    int code;
    ScriptValue assigned;
    const char* value;
  } cases[] = {
      {kw::bool1, T("7"), "integer 7 [variable bool1]"},
      {kw::int9, ScriptValue::Real(-3.9f), "integer -3 [variable int9]"},
      {kw::float0, I(2), "real 2 [variable float0]"},
      {kw::text5, ScriptValue::Real(1.5f), "text \"1.5\" [variable text5]"},
      {kw::point3, List({I(10), I(20)}), "point (10, 20) [variable point3]"},
  };
  for (const auto& c : cases) {
    EXPECT_TRUE(vars.Assign(c.code, c.assigned)) << c.value;
    EXPECT_EQ(DescribeScriptValue(vars.Value(c.code)), c.value);
  }
  EXPECT_FALSE(vars.Assign(kw::point0, T("x")));  // does not convert: unchanged
  EXPECT_EQ(vars.Value(kw::point0).point(), (ScriptPoint{0, 0}));
  EXPECT_FALSE(vars.Assign(kw::circle, I(1)));
  EXPECT_TRUE(vars.Value(kw::circle).isNone());
  vars.Reset();
  EXPECT_EQ(DescribeScriptValue(vars.Value(kw::text5)), "text \"\" [variable text5]");
  EXPECT_EQ(vars.Value(kw::bool1).integer(), 0);
}

}  // namespace
