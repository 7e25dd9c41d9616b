#include <gtest/gtest.h>

#include "course/CourseText.h"

TEST(CourseText, ConvertsEachEncoding) {
  struct Case {
    std::uint8_t byte;
    CourseEncoding enc;
    char32_t expected;
  };
  const Case cases[] = {
      {'A', CourseEncoding::Windows1252, U'A'},
      {0x80, CourseEncoding::Windows1252, U'€'},
      {0x93, CourseEncoding::Windows1252, U'“'},
      {0x81, CourseEncoding::Windows1252, 0x81},  // unassigned: its C1 code point
      {0xE9, CourseEncoding::Windows1252, U'é'},
      {0x8E, CourseEncoding::MacRoman, U'é'},
      {0xD2, CourseEncoding::MacRoman, U'“'},
      {0xB9, CourseEncoding::MacRoman, U'π'},
      {0xAD, CourseEncoding::MacRoman, U'≠'},
      {'a', CourseEncoding::Symbol, U'α'},
      {'m', CourseEncoding::Symbol, U'μ'},
      {'s', CourseEncoding::Symbol, U'σ'},
      {'S', CourseEncoding::Symbol, U'Σ'},
      {0xB3, CourseEncoding::Symbol, U'≥'},
      {0xA3, CourseEncoding::Symbol, U'≤'},
      {0xD6, CourseEncoding::Symbol, U'√'},
      {0xB1, CourseEncoding::Symbol, U'±'},
      {'3', CourseEncoding::Symbol, U'3'},
      {0x90, CourseEncoding::Symbol, 0xFFFD},
  };
  for (const auto& c : cases)
    EXPECT_EQ(CourseCharToUnicode(c.byte, c.enc), c.expected) << int(c.byte) << " in " << int(c.enc);
}

TEST(CourseText, RoundTripsWindows1252ThroughUtf8) {
  std::string all;
  for (int b = 1; b < 256; ++b) all += static_cast<char>(b);
  const std::string utf8 = CourseToUtf8(all);
  EXPECT_TRUE(IsValidUtf8(utf8));
  EXPECT_EQ(Utf8ToCourse(utf8), all);
  EXPECT_EQ(Utf8ToCourse("π ≈ 3"), "? ? 3");
}

TEST(CourseText, RejectsMalformedUtf8) {
  EXPECT_TRUE(IsValidUtf8("plain"));
  EXPECT_TRUE(IsValidUtf8("\xEF\xBF\xBD"));
  EXPECT_FALSE(IsValidUtf8("\xE9t\xE9"));
  EXPECT_FALSE(IsValidUtf8("\xC3"));          // truncated
  EXPECT_FALSE(IsValidUtf8("\xC0\xAF"));      // overlong
  EXPECT_FALSE(IsValidUtf8("\xED\xA0\x80"));  // surrogate
}

TEST(CourseText, MacRomanDisplayTextReplacesTheTwentyEightBytes) {
  struct Row {
    std::string in;
    std::string out;
    bool symbol;
  };
  const Row rows[] = {
      {"plain text", "plain text", false},
      {"a\xA6" "b", "a\nb", false},
      {"\xD2quoted\xD3 \xD4it\xD5", "\"quoted\" 'it'", false},
      {"1\xD0" "2\xD1" "3", "1-2-3", false},
      {"\xB1\xA3\xA1", "\xB1\xA3\xB0", false},
      {"\xB7x", "\xE5x", true},  // summation, in the Symbol face
      {"\xB5 \x8C \xA7 \xB6 \xBD", "m a b s r", true},
      {"\xC3\xC5\xE0\xA5\xAF\xB0", "\xD6\xBB\x63\xB7\x71\xA5", true},
      {"\xB2\xB3\xAA\xAD\xC6\xC9", "\xA3\xB3\xE4\xB9\xD1\xBC", true},
      {"\x80\xFF\xE9", "\x80\xFF\xE9", false},  // bytes outside the table stay
  };
  for (const Row& r : rows) {
    bool symbol = !r.symbol;
    EXPECT_EQ(MacRomanDisplayText(r.in, &symbol), r.out) << r.in;
    EXPECT_EQ(symbol, r.symbol) << r.in;
  }
  EXPECT_EQ(MacRomanDisplayText(std::string_view("a\0\xA6", 3)), std::string("a\0\n", 3));
}
