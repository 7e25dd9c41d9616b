#include "exposition/KeywordOrder.h"

#include <algorithm>

#include "course/AsciiCase.h"
#include "course/Services.h"

KeywordOrder::KeywordOrder() {
  for (int i = 0; i < kKeywordCount; ++i)
    m_sorted[static_cast<std::size_t>(i)] = static_cast<std::uint16_t>(kFirstKeyword + i);
  std::sort(m_sorted.begin(), m_sorted.end(),
            [](std::uint16_t a, std::uint16_t b) { return KeywordName(a) < KeywordName(b); });
}

int KeywordOrder::Lookup(std::string_view word) const {
  if (word.empty() || word.size() > kLongestKeyword) return 0;
  char lower[kLongestKeyword];
  for (std::size_t i = 0; i < word.size(); ++i) lower[i] = AsciiLower(word[i]);
  const std::string_view key(lower, word.size());
  auto it = std::lower_bound(m_sorted.begin(), m_sorted.end(), key,
                             [](std::uint16_t code, std::string_view k) { return KeywordName(code) < k; });
  if (it == m_sorted.end() || KeywordName(*it) != key) return 0;
  return *it;
}

const KeywordOrder& SharedKeywordOrder() {
  if (const KeywordOrder* installed = Service<KeywordOrder>()) return *installed;
  static const KeywordOrder fallback;
  return fallback;
}
