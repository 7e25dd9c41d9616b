#include <gtest/gtest.h>

#include "ScriptTestSupport.h"
#include "course/Notice.h"
#include "course/Services.h"
#include "exposition/Keywords.h"
#include "exposition/ScriptArguments.h"
#include "exposition/ScriptEnvironment.h"
#include "exposition/ScriptExpression.h"
#include "exposition/TokenCursor.h"
#include "exposition/TokenListing.h"
#include "stats/Random.h"

namespace {

using scripttest::Evaluate;
using scripttest::TestView;

struct ExpressionCase {
  const char* source;
  const char* value;
  const char* rest = "";
};

void ExpectValues(const ExpressionCase* cases, std::size_t n, ScriptView* view) {
  for (std::size_t i = 0; i < n; ++i) {
    const auto e = Evaluate(cases[i].source, view);
    EXPECT_EQ(DescribeScriptValue(e.value), cases[i].value) << cases[i].source;
    EXPECT_EQ(e.rest, cases[i].rest) << cases[i].source;
  }
}

TEST(ScriptExpression, OperatorsGroupToTheRight) {
  TestView view;
  const ExpressionCase cases[] = {
      {"2 * 3 + 4", "integer 14"},
      {"10 - 4 - 3", "integer 9"},
      {"(10 - 4) - 3", "integer 3"},
      {"2 + 3 * 4", "integer 14"},
      {"((2))", "integer 2"},
      {"(2", "nothing"},
      {"(2 3)", "nothing", "value_char=3 rparen"},
      {"()", "nothing"},
      {"1 +", "nothing"},  // the right operand read is the line end, a keyword
      {"1 + )", "nothing"},
  };
  ExpectValues(cases, std::size(cases), &view);
}

TEST(ScriptExpression, ArithmeticOfIntegersAndReals) {
  TestView view;
  const ExpressionCase cases[] = {
      {"7 / 2", "real 3.5"},
      {"7 divided_by 2", "real 3.5"},
      {"7 div 2", "integer 3"},
      {"-7 div 2", "integer -3"},
      {"7.5 div 2", "real 3.75"},
      {"7 div 0", "integer 0"},
      {"7 / 0", "real 0"},
      {"7.5 / 0.0", "real 0"},
      {"7 mod 3", "integer 1"},
      {"-7 mod 3", "integer -1"},
      {"7 mod 0", "integer 0"},
      {"7.9 mod 3.2", "real 1"},
      {"7.9 mod 0.5", "real 0"},
      {"2 ^ 10", "real 1024"},
      {"2 power 0.5", "real 1.41421"},
      {"1 + 0.5", "real 1.5"},
      {"0.5 + 1", "real 1.5"},
      {"2 * \"3 apples\"", "integer 6"},
      {"0.5 + \"2\"", "real 2.5"},
      {"2147483647 + 1", "integer -2147483648"},
      {"-2147483648 div -1", "integer -2147483648"},
      {"-2147483648 mod -1", "integer 0"},
      {"1 << 33", "integer 2"},
      {"-8 >> 1", "integer -4"},
      {"2.9 << 1.9", "integer 4"},
      {"1 << -1", "integer -2147483648"},
      {"3 < 4", "integer 1"},
      {"3.5 >= 4", "integer 0"},
      {"4 <= 4", "integer 1"},
      {"2 and 0.5", "integer 1"},
      {"0 or 0", "integer 0"},
      {"1 + {1}", "nothing"},
  };
  ExpectValues(cases, std::size(cases), &view);
}

TEST(ScriptExpression, EqualityRules) {
  TestView view;
  const ExpressionCase cases[] = {
      {"1 = 1.00001", "integer 1"},
      {"1 = 1.001", "integer 0"},
      {"1 != 1.00001", "integer 0"},
      {"\"abc\" = \"ABC\"", "integer 0"},
      {"\"abc\" = \"abc\"", "integer 1"},
      {"\"12\" = 12", "integer 1"},  // the right converts to the left's kind
      {"12 = \"12 eggs\"", "integer 1"},
      {"\"2.5\" = 2.5", "integer 1"},  // a real right makes the comparison real
      {"5 = \"\"", "integer 0"},       // an empty text against a number: both 0
      {"5 != \"\"", "integer 0"},
      {"\"\" = \"\"", "integer 1"},
      {"{1, 2} = {1, 2}", "list of 2: {integer 1, integer 2}",
       "equals lbracket value_char=1 comma value_char=2 rbracket"},
      {"point0 = {0, 0}", "integer 1"},
      {"point0 = 0", "integer 0"},  // 0 is the point (-1, 0)
      {"red = red", "colour 0x024E3FFF (255, 63, 78)", "equals red"},
      {"1 = red", "integer 0"},  // the colour word as an integer
      {"1 = circle", "nothing"},
  };
  ExpectValues(cases, std::size(cases), &view);
}

TEST(ScriptExpression, TextsJoinOnlyWithAmpersand) {
  TestView view;
  const ExpressionCase cases[] = {
      {"\"a\" & \"b\" & 1 & 2.5", "text \"ab1\"", "ampersand value_float=2.5"},  // "a" & ("b" & 1)
      {"\"a\" & 2.5", "text \"a2.5\""},
      {"\"abc\" + 1", "text \"abc\"", "plus value_char=1"},
      {"\"abc\" - 1", "text \"abc\"", "minus value_char=1"},
      {"1 & \"a\"", "integer 1", "ampersand literal=\"a\""},
      {"\"a\" & {1}", "nothing"},
      {"\"a\" & red", "text \"a5128191\""},
  };
  ExpectValues(cases, std::size(cases), &view);
  // Joining past 255 characters keeps the first 255.
  const std::string half(200, 'h');
  const auto joined = Evaluate("\"" + half + "\" & \"" + half + "\"", &view);
  EXPECT_EQ(joined.value.text(), std::string(255, 'h'));
}

TEST(ScriptExpression, AsConvertsToANamedKind) {
  TestView view;
  const ExpressionCase cases[] = {
      {"\"42\" as number", "real 42"},
      {"42 as number", "integer 42"},
      {"7 as boolean", "integer 7"},
      {"\"3.5\" as real", "real 3.5"},
      {"3.5 as text", "text \"3.5\""},
      {"3 as circle", "nothing"},
      {"3 as 4", "nothing"},
      {"point0 as text", "nothing"},
      {"\"1\" as number & \"x\"", "real 1", "ampersand literal=\"x\""},  // a keyword ends the right operand
  };
  ExpectValues(cases, std::size(cases), &view);
}

TEST(ScriptExpression, PointArithmetic) {
  TestView view;
  ASSERT_TRUE(view.variables().Assign(kw::point1, ScriptValue::Point(10, 20)));
  const ExpressionCase cases[] = {
      {"point1 + {1, 2}", "point (11, 22)"},
      {"point1 - 5", "point (11, 15)"},  // 5 is the point (-1, 5)
      {"point1 * 3", "point (30, 60)"},
      {"point1 * 1.5", "point (15, 30)"},
      {"point1 / 3", "point (3, 6)"},
      {"point1 / 2.5", "point (4, 8)"},
      {"point1 / 0", "point (10, 20)"},
      {"point1 / 0.0", "point (10, 20)"},
      {"point1 + \"x\"", "nothing"},
      // Operators points do not define leave the point as it was, right operand read.
      {"point1 div 2", "point (10, 20)"},
      {"point1 < 2", "point (10, 20)"},
      {"point1 & 2", "point (10, 20) [variable point1]", "ampersand value_char=2"},
      {"-{1, 2}", "keyword minus (138)", "lbracket value_char=1 comma value_char=2 rbracket"},
  };
  ExpectValues(cases, std::size(cases), &view);
}

TEST(ScriptExpression, Primaries) {
  TestView view;
  view.pending = true;
  ASSERT_TRUE(view.variables().Assign(kw::float2, ScriptValue::Real(0.25f)));
  const ExpressionCase cases[] = {
      {"true", "integer 1"},
      {"false", "integer 0"},
      {"windoze macintosh", "integer 1", "macintosh"},
      {"network", "integer 0"},
      {"platform", "text \"win\""},
      {"flavor", "text \"\""},
      {"pending", "integer 1"},
      {"title", "text \"Test Window\" [variable title]"},
      {"dkgreen", "colour 0x02006633 (51, 102, 0)"},
      {"black", "colour 0x02000000 (0, 0, 0)"},
      {"float2 * 4", "real 1"},
      {"float2", "real 0.25 [variable float2]"},
      {"background", "colour 0x02000000 (0, 0, 0) [variable background]"},
      {"blinds_backwards", "integer 26"},
      {"circle", "keyword circle (41)"},
      {"- 5", "integer -5"},
      {"- 2.5", "real -2.5"},
      {"- x", "keyword minus (138)", "x"},
      {"not 0", "integer 1"},
      {"not 0.0", "integer 1"},
      {"not 3 = 3", "integer 0"},
      {"not", "nothing"},  // the line end is read as its expression
      {"not \"a\"", "nothing"},
      {")", "nothing"},
      {"}", "nothing"},
      {"{1, {2, 3}, \"x\"}", "list of 3: {integer 1, list of 2: {integer 2, integer 3}, text \"x\"}"},
      {"{}", "list of 0: {}"},
      {"{1, 2", "list of 2: {integer 1, integer 2}"},
      {"{1 2}", "list of 1: {integer 1}", "value_char=2 rbracket"},
  };
  ExpectValues(cases, std::size(cases), &view);
}

TEST(ScriptExpression, CourseNameAndBundleComeFromTheCourse) {
  EXPECT_EQ(DescribeScriptValue(Evaluate("course", nullptr).value), "text \"Kestrelon\"");
  EXPECT_EQ(DescribeScriptValue(Evaluate("bundle", nullptr).value), "text \"\"");
  struct Info : ScriptCourseInfo {
    std::string ApplicationName() const override { return "Statistics Course"; }
    std::string CurrentBundleName() const override { return "Moore"; }
  } info;
  ScopedService<ScriptCourseInfo> installed(&info);
  EXPECT_EQ(DescribeScriptValue(Evaluate("course & \": \" & bundle", nullptr).value),
            "text \"Statistics Course: Moore\"");
}

TEST(ScriptExpression, ClocksCountFromSystemStart) {
  const auto ms = SystemMilliseconds();
  const auto seconds = Evaluate("seconds", nullptr).value;
  const auto ticks = Evaluate("ticks", nullptr).value;
  ASSERT_TRUE(seconds.is(ScriptKind::Integer));
  ASSERT_TRUE(ticks.is(ScriptKind::Integer));
  EXPECT_NEAR(seconds.integer(), ms / 1000, 1);
  EXPECT_NEAR(ticks.integer(), ms * 60 / 1000, 60);
}

TEST(ScriptExpression, WithoutAViewOnlyWindowFreeFormsWork) {
  const ExpressionCase cases[] = {
      {"title", "nothing"},    {"pending", "integer 0"},
      {"int0", "nothing"},     {"red", "colour 0x024E3FFF (255, 63, 78)"},
      {"up", "integer 235"},   {"show_mean", "keyword show_mean (467)"},
      {"x {1, 2}", "nothing"}, {"sqrt 16", "real 4"},
  };
  ExpectValues(cases, std::size(cases), nullptr);
}

TEST(ScriptExpression, ArbitraryStreamsNeverReadPastTheEnd) {
  TestView view;
  const std::vector<std::vector<std::uint8_t>> streams = {
      {},
      {128, 200, 'a'},    // literal longer than the stream
      {240, 1},           // cut-off number
      {138, 239, 0},      // minus before a cut-off number
      {2},                // half a two-byte code
      {163, 163},         // operators alone
      {238, 1, 163},      // operator at the very end
      {132, 132, 132},    // unclosed parentheses
      {122, 238, 1, 46},  // unclosed list
      {3, 200},           // a code beyond the table
      {0, 0, 0},
  };
  for (const auto& s : streams) {
    TokenCursor c(s);
    const ScriptValue v = EvaluateExpression(c, &view);
    EXPECT_LE(c.position(), s.size());
    if (!s.empty()) {
      EXPECT_GT(c.position(), 0u);
    }
    (void)v;
  }
}

TEST(ScriptExpression, DeepNestingEndsWithNothingInsteadOfExhaustingTheStack) {
  TestView view;
  std::string deep(2000, '(');
  deep += '1';
  deep.append(2000, ')');
  const auto tokens = scripttest::Compile(deep);
  TokenCursor c(tokens);
  EXPECT_TRUE(EvaluateExpression(c, &view).isNone());
  std::string chain = "1";
  for (int i = 0; i < 1000; ++i) chain += " + 1";  // long chains are not nesting
  EXPECT_EQ(DescribeScriptValue(Evaluate(chain, &view).value), "integer 1001");
  const std::vector<std::uint8_t> bareNot{kw::not_};
  TokenCursor n(bareNot);
  EXPECT_EQ(DescribeScriptValue(EvaluateExpression(n, &view)), "keyword not (146)");
  std::string nots;
  for (int i = 0; i < 40; ++i) nots += "not ";
  EXPECT_EQ(DescribeScriptValue(Evaluate(nots + "0", &view).value), "integer 0");
}

TEST(ScriptFunctions, BuiltinFunctions) {
  TestView view;
  const ExpressionCase cases[] = {
      {"round 2.5", "integer 3"},
      {"round -2.5", "integer -3"},
      {"round 2.4999", "integer 2"},
      {"round 3.14159 decimals 2", "real 3.14"},
      {"round -3.14159 decimals 3", "real -3.142"},
      {"round 1250 decimals -2", "real 1300"},
      {"round 7", "integer 7"},
      {"item 4 of {1, 2, 3}", "nothing"},
      {"item 0 of {1, 2, 3}", "nothing"},
      {"item 2 of {1, {5, 6}, 3}", "list of 2: {integer 5, integer 6}"},
      {"item 1 of 5", "nothing"},
      {"absolute -5", "integer 5"},
      {"absolute -2.5", "real 2.5"},
      {"absolute -2147483648", "integer 2147483647"},
      {"sqrt 4 + 1", "real 2.23607"},
      {"sqrt(4) + 1", "real 2.23607"},
      {"(sqrt 4) + 1", "real 3"},
      {"sqrt 16 as text", "real 4"},               // `as` binds inside the argument: sqrt "16"
      {"item 2 of {1, 2} as text", "text \"2\""},  // the list ends its expression, `as` the arguments
      {"sin 0", "real 0"},
      {"cos 0", "real 1"},
      {"sqrt", "nothing"},
      {"sqrt circle", "nothing"},
      {"{sqrt 9, 4}", "list of 1: {real 3}"},  // the comma is the function's argument
  };
  ExpectValues(cases, std::size(cases), &view);
}

TEST(ScriptFunctions, RandomDrawsFromTheProgramGenerator) {
  TestView view;
  // After seed 1 the generator gives 41, 18467, 6334, 26500.
  const ExpressionCase cases[] = {
      {"random 6 seed 1", "integer 5"},               // 41 mod 6
      {"random seed 1", "integer 0"},                 // range 1
      {"random from 10 to 16 seed 1", "integer 15"},  // 10 + 41 mod 6
      {"random 100 from 10 seed 1", "integer 51"},
      {"random with real seed 1", "real 0.0041"},
      {"random 2 from 1 with real seed 1", "real 1.0082"},
      {"random 0.5 seed 1", "integer 0"},  // a range that truncates to 0 draws as range 1
      {"random -4 seed 1", "integer 0"},
  };
  ExpectValues(cases, std::size(cases), &view);
  SeedRandom(1);
  EXPECT_EQ(DescribeScriptValue(Evaluate("random 1000", &view).value), "integer 41");
  EXPECT_EQ(DescribeScriptValue(Evaluate("random 1000", &view).value), "integer 467");
}

TEST(ScriptFunctions, ViewFunctionsGoToTheView) {
  TestView view;
  auto e = Evaluate("answer \"q1\" with check", &view);
  EXPECT_EQ(DescribeScriptValue(e.value), "integer 3");
  ASSERT_EQ(view.calls.size(), 1u);
  EXPECT_EQ(view.calls[0].code, kw::answer);
  EXPECT_TRUE(view.calls[0].function);
  ASSERT_EQ(view.calls[0].args.size(), 3u);
  EXPECT_TRUE(view.calls[0].args[1].isKeyword(kw::check));  // with check became check 1
  EXPECT_EQ(view.calls[0].args[2], ScriptValue::Integer(1));

  EXPECT_EQ(DescribeScriptValue(Evaluate("mean\n 1 2 3 then", &view).value), "integer 3");  // a tool's function
  // A function's argument list runs to the end of the statement.
  EXPECT_EQ(DescribeScriptValue(Evaluate("x {4, 5} + y {4, 5}", &view).value), "integer 4");
  EXPECT_EQ(DescribeScriptValue(Evaluate("(x {4, 5}) + (y {4, 5})", &view).value), "integer 9");
  EXPECT_EQ(DescribeScriptValue(Evaluate("location {4, 5}", &view).value), "point (4, 5)");
  EXPECT_EQ(DescribeScriptValue(Evaluate("extent \"Box\"", &view).value), "nothing");
}

TEST(ScriptFunctions, AFailingFunctionReportsErrorExecutingScript) {
  TestView view;
  NoticeRecorder notices;
  const auto e = Evaluate("string_width \"abc\" size 12", &view);
  EXPECT_TRUE(e.value.isNone());
  EXPECT_EQ(e.rest, "");
  ASSERT_EQ(notices.notices().size(), 1u);
  EXPECT_EQ(notices.notices()[0].text, "Error executing script");
  EXPECT_EQ(notices.notices()[0].kind, NoticeRequest::Kind::PlainMessage);
}

TEST(ScriptArguments, CollectingStopsAtTheEndOfTheStatement) {
  TestView view;
  const struct {
    const char* source;
    std::size_t count;
    const char* rest;
  } cases[] = {
      {"1 2 3", 3, "newline"},
      {"1 2 then 3", 2, "then value_char=3 newline"},
      {"1 as text", 1, "newline"},  // inside an expression `as` is an operator
      {"1 2) 3", 2, "rparen value_char=3 newline"},
      {"1 2} 3", 2, "rbracket value_char=3 newline"},
      {"foo 1 , 2", 3, "newline"},  // the comma is a keyword value
      {")", 0, "rparen newline"},
  };
  for (const auto& c : cases) {
    const auto tokens = scripttest::Compile(std::string("\n\n") + c.source);
    TokenCursor cursor(tokens);
    const auto args = CollectArgumentList(cursor, &view);
    EXPECT_EQ(args.size(), c.count) << c.source;
    EXPECT_EQ(DescribeTokens(std::span(tokens).subspan(cursor.position())), c.rest) << c.source;
  }
}

TEST(ScriptArguments, WithAndWithoutAreRewrittenFromTheEnd) {
  const auto K = [](int code) { return ScriptValue::Keyword(code); };
  const auto I = [](int v) { return ScriptValue::Integer(v); };
  const struct {
    ScriptValueList in;
    ScriptValueList out;
  } cases[] = {
      {{K(kw::with), K(kw::show_mean)}, {K(kw::show_mean), I(1)}},
      {{I(5), K(kw::without), K(kw::number)}, {I(5), K(kw::number), I(0)}},
      {{K(kw::with), K(kw::check), K(kw::color), K(kw::red)}, {K(kw::check), I(1), K(kw::color), K(kw::red)}},
      // a `with` at an odd distance from the end is a value, not a marker
      {{K(kw::with), K(kw::check), K(kw::red)}, {K(kw::with), K(kw::check), K(kw::red)}},
      {{K(kw::with)}, {K(kw::with)}},
      {{}, {}},
  };
  for (const auto& c : cases) {
    ScriptValueList args = c.in;
    RewriteWithWithout(args);
    EXPECT_EQ(args, c.out);
  }
}

TEST(ScriptArguments, IteratorYieldsPositionalThenPairs) {
  const auto Walk = [](ScriptValueList args) {
    std::string out;
    ArgumentIterator it(args);
    while (auto a = it.Next()) out += std::to_string(a->keyword) + "=" + DescribeScriptValue(*a->value) + ";";
    return out;
  };
  const auto K = [](int code) { return ScriptValue::Keyword(code); };
  const auto I = [](int v) { return ScriptValue::Integer(v); };
  EXPECT_EQ(Walk({I(6), K(kw::seed), I(1)}), "0=integer 6;190=integer 1;");
  EXPECT_EQ(Walk({K(kw::from), I(1), K(kw::to), I(2)}), "97=integer 1;226=integer 2;");
  EXPECT_EQ(Walk({K(kw::from), I(1), I(3), I(2), K(kw::to), I(9)}), "97=integer 1;");  // stops at a non-keyword
  EXPECT_EQ(Walk({I(3)}), "0=integer 3;");
  EXPECT_EQ(Walk({}), "");
}

}  // namespace
