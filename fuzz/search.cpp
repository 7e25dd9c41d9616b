// The course search's text test and file reading: the pattern matcher's two forms against
// each other and against a plain backtracking matcher on small inputs, the term test, and
// the reading of a file's text for every kind the search opens.
//
// Input: one byte of options, the pattern or search text up to the first NUL, then the
// text (also taken as the bytes of a file).
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "search/CourseSearch.h"
#include "search/SearchPattern.h"

namespace {

// The meaning written out the slow way: try every start, and let each starred item take
// every count it can. Exponential in the worst case, so only for short inputs.
bool MatchHere(std::string_view p, std::string_view t) {
  if (p.empty()) return true;
  const bool star = p.size() > 1 && p[1] == '*';
  const auto fits = [&](std::size_t i) { return i < t.size() && (p[0] == '.' || p[0] == t[i]); };
  if (!star) return fits(0) && MatchHere(p.substr(1), t.substr(1));
  for (std::size_t i = 0;; ++i) {
    if (MatchHere(p.substr(2), t.substr(i))) return true;
    if (!fits(i)) return false;
  }
}

bool Reference(std::string_view p, std::string_view t) {
  for (std::size_t start = 0; start <= t.size(); ++start)
    if (MatchHere(p, t.substr(start))) return true;
  return false;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const std::uint8_t options = data[0];
  const std::string_view rest(reinterpret_cast<const char*>(data + 1), size - 1);
  const std::size_t nul = rest.find('\0');
  const std::string_view pattern = rest.substr(0, nul);
  const std::string_view text = nul == std::string_view::npos ? std::string_view() : rest.substr(nul + 1);

  const SearchPattern p(pattern);
  const bool fast = p.Matches(text);
  if (fast != p.MatchesBySets(text)) std::abort();
  if (pattern.size() <= 8 && text.size() <= 24 && fast != Reference(pattern, text)) std::abort();

  const TextMatcher m(pattern, options % 3, (options & 4) != 0, (options & 8) != 0);
  const bool found = m.Matches(text);
  if (found && !m.searchesSomething()) std::abort();
  if ((options & 8) && found != (!p.empty() && fast)) std::abort();

  static const char* const kinds[] = {".pag", ".exp", ".fil", ".ise", ".mtx", ".scr", ".doc", ".ast", ".wrk"};
  const std::string_view kind = kinds[(options >> 4) % 9];
  const auto bytes = std::span(reinterpret_cast<const std::uint8_t*>(text.data()), text.size());
  if (const auto body = SearchTextOf(bytes, kind)) (void)m.Matches(*body);
  (void)NormaliseScriptText(text);
  (void)FirstDocumentPart(pattern);
  (void)PageOfName(pattern);
  return 0;
}
