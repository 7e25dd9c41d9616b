#include "exposition/Keywords.h"

#include <array>

namespace {

// "and_" -> "and": the identifiers of the list carry an underscore where the keyword
// is a C++ keyword; no keyword of the language ends with one.
constexpr std::string_view KeywordText(std::string_view id) {
  if (!id.empty() && id.back() == '_') id.remove_suffix(1);
  return id;
}

constexpr std::array<std::string_view, kKeywordCount> kNames = {
#define KN_KEYWORD_NAME(id) KeywordText(#id),
    KN_SCRIPT_KEYWORDS(KN_KEYWORD_NAME)
#undef KN_KEYWORD_NAME
};

constexpr std::string_view At(int code) { return kNames[static_cast<std::size_t>(code - kFirstKeyword)]; }

// The two runs must each be in byte order of the names: the codes are positions in
// those runs, so an entry inserted or dropped anywhere breaks the order or the count.
constexpr bool RunIsSorted(int first, int last) {
  for (int c = first + 1; c <= last; ++c)
    if (!(At(c - 1) < At(c))) return false;
  return true;
}

static_assert(kKeywordCount == 548);
static_assert(kLastKeyword == 552);
static_assert(RunIsSorted(kFirstKeyword, kLastLanguageKeyword));
static_assert(RunIsSorted(kLastLanguageKeyword + 1, kLastKeyword));

// The keyword at every tenth code (and at the ends of the two runs). Together with
// the sorted runs these pin every code, so the numbering cannot shift unnoticed.
struct Anchor {
  int code;
  std::string_view name;
};
constexpr Anchor kAnchors[] = {
    {5, "absolute"},
    {15, "as"},
    {25, "blinds"},
    {35, "button_selected"},
    {45, "color"},
    {55, "dashed"},
    {65, "div"},
    {75, "down"},
    {85, "expo_size"},
    {95, "frame"},
    {105, "hat"},
    {115, "iris"},
    {125, "less_or_equal"},
    {135, "macintosh"},
    {145, "noise"},
    {155, "overlay"},
    {165, "power"},
    {175, "recolor"},
    {185, "rounded"},
    {195, "shift_right"},
    {205, "sqrt"},
    {215, "summary"},
    {225, "title"},
    {235, "up"},
    {245, "volume"},
    {255, "wrap"},
    {262, "ylocation"},
    {263, "abort"},
    {273, "batches"},
    {283, "cell"},
    {293, "choose"},
    {303, "correlation"},
    {313, "deselect"},
    {323, "error_formula"},
    {333, "error_two_sample"},
    {343, "float8"},
    {353, "insert"},
    {363, "int8"},
    {373, "lock_points"},
    {383, "normal"},
    {393, "point0"},
    {403, "refresh"},
    {413, "row"},
    {423, "select_end"},
    {433, "show_bar_area"},
    {443, "show_connection"},
    {453, "show_error_formula"},
    {463, "show_line"},
    {473, "show_number"},
    {483, "show_residuals"},
    {493, "show_table_type"},
    {503, "show_zscore"},
    {513, "stat_mean"},
    {523, "table_counts"},
    {533, "text1"},
    {543, "top"},
    {552, "y_axis"},
};
constexpr bool AnchorsHold() {
  for (const Anchor& a : kAnchors)
    if (At(a.code) != a.name) return false;
  return true;
}
static_assert(AnchorsHold());

constexpr bool NamesFit() {
  for (std::string_view n : kNames)
    if (n.empty() || n.size() > kLongestKeyword) return false;
  return true;
}
static_assert(NamesFit());

// Symbols share their codes with the keywords of their names.
static_assert(kw::ampersand == 8 && kw::comma == 46 && kw::equals == 82 && kw::greater_or_equal == 100 &&
              kw::greater_than == 101 && kw::lbracket == 122 && kw::less_or_equal == 125 && kw::less_than == 126 &&
              kw::literal == 128 && kw::lparen == 132 && kw::minus == 138 && kw::mod == 139 && kw::newline == 144 &&
              kw::not_ == 146 && kw::not_equals == 147 && kw::plus == 163 && kw::power == 165 && kw::rbracket == 172 &&
              kw::rparen == 186 && kw::shift_left == 194 && kw::shift_right == 195 && kw::slash == 200 &&
              kw::times == 223);
static_assert(kw::value_byte == 237 && kw::value_char == 238 && kw::value_float == 239 && kw::value_long == 240 &&
              kw::value_short == 241);
static_assert(kw::circle == 41 && kw::if_ == 111 && kw::repeat == 179 && kw::y_axis == 552);

}  // namespace

std::string_view KeywordName(int code) {
  if (code < kFirstKeyword || code > kLastKeyword) return {};
  return At(code);
}
