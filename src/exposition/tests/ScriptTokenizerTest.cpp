#include <gtest/gtest.h>

#include "ScriptTestSupport.h"
#include "exposition/Keywords.h"
#include "exposition/ScriptChunk.h"
#include "exposition/ScriptTokenizer.h"
#include "exposition/TokenCursor.h"
#include "exposition/TokenListing.h"

namespace {

using scripttest::Compile;
using scripttest::Tokens;

struct TokenCase {
  const char* source;
  const char* tokens;
};

void ExpectTokens(const TokenCase* cases, std::size_t n) {
  for (std::size_t i = 0; i < n; ++i) EXPECT_EQ(Tokens(cases[i].source), cases[i].tokens) << cases[i].source;
}

TEST(ScriptTokenizer, OperatorsOfOneAndTwoCharacters) {
  const TokenCase cases[] = {
      {"if x<=3 then", "if x less_or_equal value_char=3 then newline"},
      {"x<3", "x less_than value_char=3 newline"},
      {"a<<2", "shift_left value_char=2 newline"},  // a is no keyword
      {"x>=1 x>1 x>>1 x!=1 !x",
       "x greater_or_equal value_char=1 x greater_than value_char=1 x shift_right "
       "value_char=1 x not_equals value_char=1 not x newline"},
      {"x=1 % & ( ) * + , / ^ { }",
       "x equals value_char=1 mod ampersand lparen rparen times plus comma slash "
       "power lbracket rbracket newline"},
      {"< = > =", "less_than equals greater_than equals newline"},  // split by blanks: four tokens
      {"x\xADy \xB2\xB3", "x not_equals y less_or_equal greater_or_equal newline"},
      {"plus minus", "plus minus newline"},  // the symbols' names are keywords too
      {"a\rb", "newline newline"},           // a CR inside a line is a line end as well
  };
  ExpectTokens(cases, std::size(cases));
}

TEST(ScriptTokenizer, MinusIsPartOfANumberOnlyBetweenTokens) {
  const TokenCase cases[] = {
      {" -5", "value_char=-5 newline"},
      {"-5", "value_char=-5 newline"},
      {"3-5", "value_char=3 minus value_char=5 newline"},
      {"x -1", "x value_char=-1 newline"},
      {"x-1", "x minus value_char=1 newline"},
      {"(-1)", "lparen value_char=-1 rparen newline"},
      {"- 5", "minus value_char=5 newline"},
      {"-.5", "value_float=-0.5 newline"},
      {"3--5", "value_char=3 minus value_char=-5 newline"},
      {"-x", "minus x newline"},
  };
  ExpectTokens(cases, std::size(cases));
}

TEST(ScriptTokenizer, NumbersUseTheNarrowestForm) {
  const TokenCase cases[] = {
      {"200", "value_byte=200 newline"},
      {"-200", "value_short=-200 newline"},
      {"70000", "value_long=70000 newline"},
      {"2.5", "value_float=2.5 newline"},
      {"3.0", "value_char=3 newline"},
      {"127 128 255 256", "value_char=127 value_byte=128 value_byte=255 value_short=256 newline"},
      {"-128 -129 32767 32768", "value_char=-128 value_short=-129 value_short=32767 value_long=32768 newline"},
      {"-32768 -32769", "value_short=-32768 value_long=-32769 newline"},
      {"2147483647 -2147483648", "value_long=2147483647 value_long=-2147483648 newline"},
      // Whole numbers beyond 32 bits keep their size as reals instead of wrapping.
      {"2147483648 10000000000", "value_float=2.14748e+09 value_float=1e+10 newline"},
      {"0.1 .5 5. 1.2.3", "value_float=0.1 value_float=0.5 value_char=5 value_float=1.23 newline"},
      {"3x", "value_char=3 x newline"},
      {"int0 float9 point3 _7", "int0 float9 point3 value_char=7 newline"},
  };
  ExpectTokens(cases, std::size(cases));
}

TEST(ScriptTokenizer, NumberTokensHaveTheirByteLayout) {
  EXPECT_EQ(Compile("200"), (std::vector<std::uint8_t>{237, 200, 144}));
  EXPECT_EQ(Compile("-200"), (std::vector<std::uint8_t>{241, 0x38, 0xFF, 144}));
  EXPECT_EQ(Compile("70000"), (std::vector<std::uint8_t>{240, 0x70, 0x11, 0x01, 0x00, 144}));
  EXPECT_EQ(Compile("2.5"), (std::vector<std::uint8_t>{239, 0x00, 0x00, 0x20, 0x40, 144}));
  EXPECT_EQ(Compile("-5"), (std::vector<std::uint8_t>{238, 0xFB, 144}));
  // Codes of 256 and above take two bytes, high byte first.
  EXPECT_EQ(Compile("if x<=3 then"), (std::vector<std::uint8_t>{111, 1, 0, 125, 238, 3, 221, 144}));
  EXPECT_EQ(Compile("y_axis abort"), (std::vector<std::uint8_t>{2, 40, 1, 7, 144}));
}

TEST(ScriptTokenizer, StringsAndTheirEscapes) {
  const TokenCase cases[] = {
      {"\"say \\\"hi\\\" now\"", "literal=\"say \\\"hi\\\" now\" newline"},
      {"\"a\\\\b\"", "literal=\"a\\\\b\" newline"},          // a double backslash is one backslash
      {"\"one\\ntwo\"", "literal=\"one\\\\ntwo\" newline"},  // backslash-n stays as two characters
      {"\"\\q\"", "literal=\"q\" newline"},
      {"\"x <= 3, -5\"", "literal=\"x <= 3, -5\" newline"},
      {"\"\"", "literal=\"\" newline"},
      {"display\"a\"at", "display literal=\"a\" at newline"},
      {"\"abc", "literal=\"ab\" newline"},  // an unterminated string loses its last character
      {"\"", "literal=\"\" newline"},
      {"\"a\\", "literal=\"a\" newline"},  // the trailing backslash is the character lost
  };
  ExpectTokens(cases, std::size(cases));
  const auto bytes = Compile("\"say \\\"hi\\\"\"");
  TokenCursor c(bytes);
  const ScriptToken t = c.Read();
  EXPECT_EQ(t.code, kw::literal);
  EXPECT_EQ(t.text, "say \"hi\"");
}

TEST(ScriptTokenizer, WordsAreLookedUpWithoutRegardToCase) {
  const TokenCase cases[] = {
      {"Circle CIRCLE circle", "circle circle circle newline"},
      {"y_axis", "y_axis newline"},
      {"circle foo at", "circle at newline"},
      {"[circle]; #$@?|~':", "circle newline"},
      {"text0 \xE9t\xE9", "text0 newline"},  // bytes above 127 outside strings are dropped
      {"circle\n\nat", "circle newline newline at newline"},
      {"\tcircle\t at ", "circle at newline"},
  };
  ExpectTokens(cases, std::size(cases));
  EXPECT_EQ(Compile("Circle")[0], 41);
}

TEST(ScriptTokenizer, ReportsWhetherAnythingWasProduced) {
  std::vector<std::uint8_t> tokens{1, 2, 3};
  EXPECT_FALSE(TokenizeChunk("", tokens));
  EXPECT_TRUE(tokens.empty());
  EXPECT_FALSE(TokenizeChunk("foo qux ;", tokens));
  EXPECT_TRUE(TokenizeChunk("circle", tokens));
  EXPECT_EQ(tokens, (std::vector<std::uint8_t>{41}));
}

TEST(ScriptTokenizer, LongLexemesKeepTheirFirst255Characters) {
  const std::string longText(300, 'x');
  auto tokens = Compile("display \"" + longText + "\" at");
  TokenCursor c(tokens);
  EXPECT_EQ(c.Read().code, kw::display);
  const ScriptToken lit = c.Read();
  EXPECT_EQ(lit.code, kw::literal);
  EXPECT_EQ(lit.text, std::string(255, 'x'));
  EXPECT_EQ(c.Read().code, kw::at);  // the rest of the line is read in step
  // A 300-letter word is no keyword; a 300-digit number is a (huge) real.
  EXPECT_EQ(Tokens("circle " + std::string(300, 'a') + " at"), "circle at newline");
  EXPECT_EQ(Tokens(std::string(300, '9')).substr(0, 12), "value_float=");
}

TEST(ScriptTokenizer, StreamEndsCleanlyAt4096Bytes) {
  std::string source;
  for (int i = 0; i < 3000; ++i) source += "1 ";  // 6000 bytes of value_char tokens
  auto tokens = Compile(source);
  EXPECT_EQ(tokens.size(), ScriptChunk::kMaxTokens);
  // A literal that does not fit whole is left out, and so is everything after it.
  std::string filler;
  for (int i = 0; i < 2046; ++i) filler += "1 ";  // 4092 bytes
  tokens = Compile(filler + "\"" + std::string(20, 'z') + "\" 1");
  EXPECT_EQ(tokens.size(), 4092u);
  EXPECT_EQ(DescribeTokens(tokens).find("cut off"), std::string::npos);
}

TEST(TokenCursor, ReadsOneOrTwoByteCodesAndNeverPastTheEnd) {
  const struct {
    std::vector<std::uint8_t> bytes;
    const char* listing;
  } cases[] = {
      {{}, ""},
      {{41}, "circle"},
      {{2, 40}, "y_axis"},
      {{3, 0}, "#768"},
      {{2}, "#0 (cut off)"},
      {{128, 5, 'a', 'b'}, "literal=(cut off)"},
      {{128}, "literal=(cut off)"},
      {{237}, "value_byte=(cut off)"},
      {{240, 1, 2, 3}, "value_long=(cut off)"},
      {{241, 0xFF, 0x7F, 41}, "value_short=32767 circle"},
      {{239, 0, 0, 0xC0, 0x7F}, "value_float=nan"},
      {{0, 41}, "#0 circle"},
  };
  for (const auto& c : cases) EXPECT_EQ(DescribeTokens(c.bytes), c.listing);
  const std::vector<std::uint8_t> two{2, 40, 41};
  TokenCursor c(two);
  EXPECT_EQ(c.PeekCode(), 552);
  EXPECT_EQ(c.position(), 0u);
  EXPECT_EQ(c.ReadCode(), 552);
  EXPECT_EQ(c.ReadCode(), 41);
  EXPECT_EQ(c.ReadCode(), 0);
  EXPECT_TRUE(c.atEnd());
}

}  // namespace
