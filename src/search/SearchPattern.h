// The text test of the course search: the learner's terms looked for as substrings, or
// the small regular expressions of the search dialog.
//
// A pattern is matched anywhere in the text. "." matches any byte, a character followed
// by "*" matches zero or more of that character (".*" any run), and every other byte
// matches itself, case counting. Matching simulates all the pattern's positions at once,
// one pass over the text, so that a pattern such as a*a*a*a*b costs the same per byte as
// a plain one: time grows with text length times pattern length, never exponentially.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

class SearchPattern {
 public:
  explicit SearchPattern(std::string_view pattern);

  // Whether the pattern matches at some position of text (an empty match counts: a
  // pattern of starred items alone matches every text).
  bool Matches(std::string_view text) const;
  // The same, by the position-set simulation without the 64-bit shortcut; the two must
  // agree (the fuzz target compares them).
  bool MatchesBySets(std::string_view text) const;

  std::size_t itemCount() const { return m_items.size(); }
  bool empty() const { return m_items.empty(); }

 private:
  struct Item {
    bool any = false;   // "."
    bool star = false;  // followed by "*"
    unsigned char byte = 0;
  };
  bool Accepts(const Item& item, unsigned char c) const { return item.any || item.byte == c; }
  bool MatchesByWord(std::string_view text) const;

  std::vector<Item> m_items;
  // The 64-bit form, for patterns of at most kWordItems items: bit i is position i, bit
  // itemCount() the accepting position.
  static constexpr std::size_t kWordItems = 62;
  std::uint64_t m_byteMask[256] = {};
  std::uint64_t m_starMask = 0;
  std::uint64_t m_startSet = 0;  // position 0 and what starred items let through
};

// What a search looks for: the terms cut from the search text and how they combine, or a
// pattern.
enum SearchMethod : int { kMethodAsIs = 0, kMethodAnd = 1, kMethodOr = 2 };

struct SearchTerms {
  std::vector<std::string> terms;
  bool tooMany = false;  // the text held more than kMaxTerms; the first kMaxTerms are kept
};
inline constexpr std::size_t kMaxSearchTerms = 16;

// The terms of text: the whole text for "as is", else the pieces between spaces (runs of
// spaces give no empty terms). Lower-cased unless caseSensitive.
SearchTerms CutSearchTerms(std::string_view text, int method, bool caseSensitive);

class TextMatcher {
 public:
  TextMatcher(std::string_view text, int method, bool caseSensitive, bool regex);

  // Whether the search can find anything at all: an empty text (or one of spaces alone,
  // when cut into terms) looks for nothing rather than for everything.
  bool searchesSomething() const { return m_regex ? !m_pattern.empty() : !m_terms.terms.empty(); }
  bool tooManyTerms() const { return m_terms.tooMany; }
  const std::vector<std::string>& terms() const { return m_terms.terms; }

  bool Matches(std::string_view text) const {
    std::string copy(text);
    return MatchesInPlace(copy);
  }
  // The same on a text the caller no longer needs: a search that ignores case folds it
  // where it is rather than in a copy.
  bool MatchesInPlace(std::string& text) const;

 private:
  int m_method;
  bool m_caseSensitive;
  bool m_regex;
  SearchTerms m_terms;
  SearchPattern m_pattern;
};
