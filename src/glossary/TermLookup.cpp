#include "glossary/TermLookup.h"

#include "course/AsciiCase.h"

std::vector<std::string> TermVariants(std::string_view text, std::string_view suffixes, SuffixTest test) {
  std::vector<std::string> variants{ToAsciiLower(text)};
  const char last = text.empty() ? '\0' : test == SuffixTest::Folded ? AsciiLower(text.back()) : text.back();
  for (char letter : suffixes) {
    std::string v = variants.front();
    if (!text.empty() && last == letter)
      v.pop_back();
    else
      v.push_back(letter);
    variants.push_back(std::move(v));
  }
  return variants;
}

int FindTermIn(const std::vector<std::string_view>& names, std::string_view text, std::string_view suffixes,
               SuffixTest test) {
  if (text.empty()) return -1;
  const std::vector<std::string> variants = TermVariants(text, suffixes, test);
  for (std::size_t i = 0; i < names.size(); ++i)
    for (const std::string& v : variants)
      if (EqualNoCase(names[i], v)) return static_cast<int>(i);
  return -1;
}

int FirstNameStartingWith(const std::vector<std::string_view>& names, char c) {
  const char lower = AsciiLower(c);
  if (!((lower >= '0' && lower <= '9') || (lower >= 'a' && lower <= 'z'))) return -1;
  for (std::size_t i = 0; i < names.size(); ++i)
    if (!names[i].empty() && AsciiLower(names[i][0]) == lower) return static_cast<int>(i);
  return -1;
}
