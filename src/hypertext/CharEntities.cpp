#include "hypertext/CharEntities.h"

#include <iterator>

namespace {

// Accented letters and the common signs have their Windows-1252 codes. The
// symbol entries are Symbol-font letters: C is Chi, Q Theta, S the summation
// sign, e epsilon, p pi. "pi" is Symbol 'p': code 189 of that font is the
// vertical arrow extender, not a letter. "infty" keeps code 165 but is drawn in
// the Symbol font, where 165 is the infinity sign (in Windows-1252 it is the
// yen sign). The equation renderer reads "bar", "hat", "InvisibleTimes" and the
// under-brace as markers; in running text they draw as their plain codes.
constexpr CharEntity kEntities[] = {
    {"AElig", 198, false},
    {"Aacute", 193, false},
    {"Acirc", 194, false},
    {"Agrave", 192, false},
    {"Aring", 197, false},
    {"Atilde", 195, false},
    {"Auml", 196, false},
    {"Ccedil", 199, false},
    {"Chi", 67, true},
    {"Eacute", 201, false},
    {"Ecirc", 202, false},
    {"Egrave", 200, false},
    {"Euml", 203, false},
    {"ExponentialE", 101, true},
    {"Iacute", 205, false},
    {"Icirc", 206, false},
    {"Igrave", 204, false},
    {"InvisibleTimes", 0, false},
    {"Iuml", 207, false},
    {"Ntilde", 209, false},
    {"Oacute", 211, false},
    {"Ocirc", 212, false},
    {"Ograve", 210, false},
    {"Oslash", 216, false},
    {"Otilde", 213, false},
    {"Ouml", 214, false},
    {"PlusMinus", 177, false},
    {"Theta", 81, true},
    {"Uacute", 218, false},
    {"Ucirc", 219, false},
    {"Ugrave", 217, false},
    {"UnderBrace", 164, false},
    {"Uuml", 220, false},
    {"Yacute", 221, false},
    {"aacute", 225, false},
    {"acirc", 226, false},
    {"aelig", 230, false},
    {"agrave", 224, false},
    {"amp", 38, false},
    {"aring", 229, false},
    {"atilde", 227, false},
    {"auml", 228, false},
    {"bar", 95, true},
    {"bullet", 149, false},
    {"ccedil", 231, false},
    {"chi", 99, true},
    {"copy", 169, false},
    {"eacute", 233, false},
    {"ecirc", 234, false},
    {"egrave", 232, false},
    {"euml", 235, false},
    {"euro", 128, false},
    {"gt", 62, false},
    {"hat", 94, true},
    {"iacute", 237, false},
    {"icirc", 238, false},
    {"igrave", 236, false},
    {"infty", 165, true},
    {"iuml", 239, false},
    {"lt", 60, false},
    {"minus", 150, false},
    {"nbsp", 160, false},
    {"ntilde", 241, false},
    {"oacute", 243, false},
    {"ocirc", 244, false},
    {"ograve", 242, false},
    {"oslash", 248, false},
    {"otilde", 245, false},
    {"ouml", 246, false},
    {"pi", 112, true},
    {"plusmn", 177, false},
    {"quot", 34, false},
    {"reg", 153, false},
    {"square", 255, false},
    {"sum", 83, true},
    {"theta", 113, true},
    {"thinsp", 32, false},
    {"uacute", 250, false},
    {"ucirc", 251, false},
    {"ugrave", 249, false},
    {"underbrace", 164, false},
    {"uuml", 252, false},
    {"yacute", 253, false},
    {"yuml", 255, false},
};
static_assert(std::size(kEntities) == 84);

}  // namespace

std::span<const CharEntity> CharEntities() { return kEntities; }

std::optional<CharEntity> FindCharEntity(std::string_view name) {
  std::size_t lo = 0;
  std::size_t hi = std::size(kEntities);
  while (lo < hi) {
    const std::size_t mid = lo + (hi - lo) / 2;
    const std::string_view candidate = kEntities[mid].name;
    const int c = name.compare(candidate);
    if (c == 0) return kEntities[mid];
    if (c < 0)
      hi = mid;
    else
      lo = mid + 1;
  }
  return std::nullopt;
}
