#include "search/SearchPattern.h"

#include <algorithm>

#include "course/AsciiCase.h"

namespace {

// Adds to the set every position a run of starred items lets the set's positions reach
// without reading a byte. An addition carries from each starred position through the run
// of starred positions above it and stops on the first unstarred one, which it sets: the
// bits the carry flips are the positions reached.
std::uint64_t Closure(std::uint64_t set, std::uint64_t star) { return set | ((star + (set & star)) ^ star); }

}  // namespace

SearchPattern::SearchPattern(std::string_view pattern) {
  for (std::size_t i = 0; i < pattern.size(); ++i) {
    Item item;
    const auto c = static_cast<unsigned char>(pattern[i]);
    item.any = c == '.';
    item.byte = c;
    // A "*" with nothing before it to repeat (the start, or right after another star's
    // item) is an ordinary character: it is taken as the item here.
    if (i + 1 < pattern.size() && pattern[i + 1] == '*') {
      item.star = true;
      ++i;
    }
    m_items.push_back(item);
  }
  if (m_items.size() > kWordItems) return;
  for (std::size_t i = 0; i < m_items.size(); ++i) {
    const std::uint64_t bit = std::uint64_t(1) << i;
    if (m_items[i].star) m_starMask |= bit;
    for (int c = 0; c < 256; ++c)
      if (Accepts(m_items[i], static_cast<unsigned char>(c))) m_byteMask[c] |= bit;
  }
  m_startSet = Closure(1, m_starMask);
}

bool SearchPattern::Matches(std::string_view text) const {
  return m_items.size() <= kWordItems ? MatchesByWord(text) : MatchesBySets(text);
}

bool SearchPattern::MatchesByWord(std::string_view text) const {
  const std::uint64_t accept = std::uint64_t(1) << m_items.size();
  const std::uint64_t star = m_starMask;
  std::uint64_t set = m_startSet;
  if (set & accept) return true;
  for (const char ch : text) {
    const std::uint64_t read = set & m_byteMask[static_cast<unsigned char>(ch)];
    // A starred position stays where it is; any other moves on by one.
    set = Closure((read & star) | ((read & ~star) << 1), star) | m_startSet;
    if (set & accept) return true;
  }
  return false;
}

bool SearchPattern::MatchesBySets(std::string_view text) const {
  const std::size_t count = m_items.size();
  std::vector<char> set(count + 1, 0), next(count + 1, 0);
  // Marks position p and every position the starred items from p on let through.
  const auto add = [&](std::vector<char>& s, std::size_t p) {
    for (; p < count && !s[p]; ++p) {
      s[p] = 1;
      if (!m_items[p].star) return;
    }
    if (p == count) s[count] = 1;
  };
  add(set, 0);
  if (set[count]) return true;
  for (const char ch : text) {
    const auto c = static_cast<unsigned char>(ch);
    std::fill(next.begin(), next.end(), 0);
    for (std::size_t p = 0; p < count; ++p) {
      if (!set[p] || !Accepts(m_items[p], c)) continue;
      if (m_items[p].star) {
        // Marked directly: add() stops at a position already marked.
        next[p] = 1;
        add(next, p + 1);
      } else {
        add(next, p + 1);
      }
    }
    add(next, 0);
    if (next[count]) return true;
    set.swap(next);
  }
  return false;
}

SearchTerms CutSearchTerms(std::string_view text, int method, bool caseSensitive) {
  SearchTerms out;
  const std::string source = caseSensitive ? std::string(text) : ToAsciiLower(text);
  if (method != kMethodAnd && method != kMethodOr) {
    if (!source.empty()) out.terms.push_back(source);
    return out;
  }
  std::size_t at = 0;
  while (at < source.size()) {
    const std::size_t start = source.find_first_not_of(' ', at);
    if (start == std::string::npos) break;
    std::size_t end = source.find(' ', start);
    if (end == std::string::npos) end = source.size();
    if (out.terms.size() == kMaxSearchTerms) {
      out.tooMany = true;
      break;
    }
    out.terms.push_back(source.substr(start, end - start));
    at = end;
  }
  return out;
}

TextMatcher::TextMatcher(std::string_view text, int method, bool caseSensitive, bool regex)
    : m_method(method),
      m_caseSensitive(caseSensitive),
      m_regex(regex),
      // The pattern is the text as typed; cutting it into terms means nothing then.
      m_terms(regex ? SearchTerms{} : CutSearchTerms(text, method, caseSensitive)),
      m_pattern(regex ? text : std::string_view{}) {}

bool TextMatcher::MatchesInPlace(std::string& text) const {
  if (!searchesSomething()) return false;
  if (m_regex) return m_pattern.Matches(text);
  if (!m_caseSensitive)
    for (char& c : text) c = AsciiLower(c);
  const std::string_view haystack = text;
  for (const std::string& term : m_terms.terms) {
    const bool found = haystack.find(term) != std::string_view::npos;
    if (m_method == kMethodOr && found) return true;
    if (m_method != kMethodOr && !found) return false;
  }
  return m_method != kMethodOr;
}
