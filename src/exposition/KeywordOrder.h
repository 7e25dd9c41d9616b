// The shared keyword index: every keyword code sorted by name, built once at
// start-up and searched by every exposition and tool window (the tokenizer looks
// words up here). Installed as a program-wide service; code that runs before the
// service exists (kncourse, tests) uses SharedKeywordOrder(), which falls back to a
// process-wide instance.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "exposition/Keywords.h"

class KeywordOrder {
 public:
  KeywordOrder();

  // The code of word, compared without regard to ASCII case; 0 when it is no keyword.
  // A binary search over the 548 names (at most ten comparisons).
  int Lookup(std::string_view word) const;

  // The keyword name of code, empty for codes that name no keyword (0-4, above 552).
  std::string_view NameOf(int code) const { return KeywordName(code); }

  // Codes in byte order of their names, for listings.
  const std::array<std::uint16_t, kKeywordCount>& codesByName() const { return m_sorted; }

 private:
  std::array<std::uint16_t, kKeywordCount> m_sorted{};
};

// The installed service, else a process-wide index built on first use.
const KeywordOrder& SharedKeywordOrder();
