#include <gtest/gtest.h>

#include <chrono>
#include <string>

#include "search/SearchPattern.h"

namespace {

struct PatternRow {
  const char* pattern;
  const char* text;
  bool matches;
};

// Hand-worked rows: "." any byte, "x*" zero or more x, anywhere in the text, case counting.
const PatternRow kPatternRows[] = {
    {"st.*dev", "the standard deviation", true},
    {"st.*dev", "the Standard Deviation", false},
    {"st.*dev", "dev before st", false},
    {"mean", "the MEAN", false},
    {"m.an", "a moan", true},
    {"m.an", "man", false},
    {"ab*c", "ac", true},
    {"ab*c", "abbbbc", true},
    {"ab*c", "abxc", false},
    {"a*", "", true},  // only starred items: the empty match counts
    {"x*y*", "zzz", true},
    {"*a", "*a", true},      // a leading star is an ordinary character
    {"*a", "a", false},
    {"a**", "aa*", true},    // "a*" then an ordinary "*"
    {"a**", "a", false},
    {"a*a*a*a*b", "aaaaaaaaab", true},
    {"a*a*a*a*b", "aaaaaaaaaa", false},
    {"b.", "ab", false},     // "." needs a byte to be there
    {"x.*y", "x\ny", true},  // "." takes line ends too
    {"\xe9t\xe9", "l'\xe9t\xe9", true},
};

TEST(SearchPattern, HandWorkedRows) {
  for (const PatternRow& row : kPatternRows) {
    const SearchPattern p(row.pattern);
    EXPECT_EQ(p.Matches(row.text), row.matches) << row.pattern << " on " << row.text;
    EXPECT_EQ(p.MatchesBySets(row.text), row.matches) << row.pattern << " on " << row.text << " (sets)";
  }
}

// Past the 64-bit form the general simulation answers; both must agree with the rows.
TEST(SearchPattern, LongPatternsTakeTheGeneralPath) {
  std::string pattern, text;
  for (int i = 0; i < 40; ++i) pattern += "a*b";
  for (int i = 0; i < 40; ++i) text += "aab";
  const SearchPattern p(pattern);
  EXPECT_GT(p.itemCount(), 62u);
  EXPECT_TRUE(p.Matches(text));
  EXPECT_FALSE(p.Matches(text.substr(0, text.size() - 1)));
  EXPECT_TRUE(SearchPattern(pattern + ".").Matches(text + "x"));
}

// The pattern that makes a backtracking matcher take exponential time stays linear.
TEST(SearchPattern, NestedStarsOverAMegabyteStayFast) {
  const std::string text(1 << 20, 'a');
  const auto start = std::chrono::steady_clock::now();
  EXPECT_FALSE(SearchPattern("a*a*a*a*b").Matches(text));
  const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start);
  EXPECT_LT(ms.count(), 500);  // about 3 ms in an optimised build; room for a loaded machine
}

struct TermsRow {
  const char* text;
  int method;
  bool caseSensitive;
  std::vector<std::string> terms;
  bool tooMany;
};

TEST(SearchTerms, CutAtSpaces) {
  const TermsRow rows[] = {
      {"  Mean   Median ", kMethodOr, false, {"mean", "median"}, false},
      {"  Mean   Median ", kMethodAnd, true, {"Mean", "Median"}, false},
      {" Mean  Median ", kMethodAsIs, false, {" mean  median "}, false},
      {"   ", kMethodAnd, false, {}, false},
      {"", kMethodAsIs, false, {}, false},
      {"a b c d e f g h i j k l m n o p q", kMethodOr, false,
       {"a", "b", "c", "d", "e", "f", "g", "h", "i", "j", "k", "l", "m", "n", "o", "p"}, true},
      {"a b c d e f g h i j k l m n o p", kMethodOr, false,
       {"a", "b", "c", "d", "e", "f", "g", "h", "i", "j", "k", "l", "m", "n", "o", "p"}, false},
  };
  for (const TermsRow& row : rows) {
    const SearchTerms t = CutSearchTerms(row.text, row.method, row.caseSensitive);
    EXPECT_EQ(t.terms, row.terms) << '"' << row.text << '"';
    EXPECT_EQ(t.tooMany, row.tooMany) << '"' << row.text << '"';
  }
}

struct MatchRow {
  const char* search;
  int method;
  bool caseSensitive;
  bool regex;
  const char* text;
  bool matches;
};

TEST(TextMatcher, MethodsCaseAndPatterns) {
  const MatchRow rows[] = {
      {"mean median", kMethodOr, false, false, "only the MEDIAN here", true},
      {"mean median", kMethodAnd, false, false, "only the median here", false},
      {"mean median", kMethodAnd, false, false, "median, then Mean", true},
      {"mean median", kMethodAsIs, false, false, "median mean", false},
      {"mean median", kMethodAsIs, false, false, "the Mean Median line", true},
      {"Mean", kMethodAsIs, true, false, "the mean", false},
      {"Mean", kMethodAsIs, true, false, "the Mean", true},
      // A pattern is the text as typed and counts case whatever the option says.
      {"st.*dev", kMethodAsIs, false, true, "standard deviation", true},
      {"st.*dev", kMethodOr, false, true, "Standard Deviation", false},
      {"St.*Dev", kMethodAsIs, false, true, "standard deviation", false},
      // Nothing to look for finds nothing, rather than everything.
      {"", kMethodAsIs, false, false, "anything", false},
      {"    ", kMethodOr, false, false, "anything", false},
      {"", kMethodAsIs, false, true, "anything", false},
  };
  for (const MatchRow& row : rows) {
    const TextMatcher m(row.search, row.method, row.caseSensitive, row.regex);
    EXPECT_EQ(m.Matches(row.text), row.matches) << row.search << " / " << row.text;
  }
}

}  // namespace
