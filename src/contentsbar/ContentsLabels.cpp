#include "contentsbar/ContentsLabels.h"

#include <array>
#include <cstdio>

#include "contentsbar/ContentsRows.h"
#include "course/ContentsTable.h"
#include "hypertext/MarkupText.h"

namespace {

constexpr std::size_t kCopyLineLimit = 256;  // bytes of a copied row with its CR LF

constexpr std::array<const char*, 10> kNumerals = {"I   ", "II  ", "III ", "IV  ", "V   ",
                                                   "VI  ", "VII ", "VIII", "IX  ", "X   "};

std::string Roman(int n) {
  static constexpr std::array<std::pair<int, const char*>, 13> kParts = {{{1000, "M"},
                                                                          {900, "CM"},
                                                                          {500, "D"},
                                                                          {400, "CD"},
                                                                          {100, "C"},
                                                                          {90, "XC"},
                                                                          {50, "L"},
                                                                          {40, "XL"},
                                                                          {10, "X"},
                                                                          {9, "IX"},
                                                                          {5, "V"},
                                                                          {4, "IV"},
                                                                          {1, "I"}}};
  std::string out;
  for (const auto& [value, letters] : kParts)
    while (n >= value) {
      out += letters;
      n -= value;
    }
  return out;
}

std::string Printf(const char* format, int value) {
  char buffer[32];
  const int n = std::snprintf(buffer, sizeof buffer, format, value);
  return std::string(buffer, n > 0 ? std::min<std::size_t>(static_cast<std::size_t>(n), sizeof buffer - 1) : 0);
}

std::string PagePrefix(int page) {
  // "1" plus the page index; pages are 0 to 8, so the character is a digit.
  std::string out(1, static_cast<char>('1' + page));
  return out + ". ";
}

std::string_view RowTitle(const ContentsRow& row, const ContentsTable& contents) { return contents.String(row.text); }

}  // namespace

std::string GroupNumeral(int groupNumber) {
  if (groupNumber < 0) return {};
  if (groupNumber < static_cast<int>(kNumerals.size())) return kNumerals[static_cast<std::size_t>(groupNumber)];
  std::string numeral = groupNumber < 3999 ? Roman(groupNumber + 1) : std::to_string(groupNumber + 1);
  if (numeral.size() < 4) numeral.resize(4, ' ');
  return numeral;
}

namespace {

// A numeral that fills its four characters would run into the title: it gets a blank.
std::string GroupPrefix(int groupNumber) {
  std::string prefix = GroupNumeral(groupNumber);
  if (!prefix.empty() && prefix.back() != ' ') prefix += ' ';
  return prefix;
}

}  // namespace

std::string RowPrefix(const ContentsRow& row, int lessonBase, bool tocIcons) {
  switch (row.type) {
    case kRowGroup:
      return GroupPrefix(row.index);
    case kRowLesson:
      return Printf("%2d. ", lessonBase + row.index);
    case kRowPage:
      return PagePrefix(row.index);
    default:
      return tocIcons ? std::string() : std::string("  ");
  }
}

std::string RowCopyPrefix(const ContentsRow& row) {
  switch (row.type) {
    case kRowGroup:
      return GroupPrefix(row.index);
    case kRowLesson:
      return Printf("%2d. ", row.index + 1);
    case kRowPage:
      return PagePrefix(row.index);
    default:
      return {};
  }
}

std::string RowLabel(const ContentsRow& row, const ContentsTable& contents, int lessonBase, bool tocIcons) {
  std::string joined = RowPrefix(row, lessonBase, tocIcons);
  joined += RowTitle(row, contents);
  StripMarkupInPlace(joined);
  return joined;
}

std::string ContentsCopyText(const std::vector<ContentsRow>& rows, const ContentsTable& contents) {
  std::string out;
  out.reserve(rows.size() * 40);
  for (const ContentsRow& row : rows) {
    std::string line = RowCopyPrefix(row);
    line += RowTitle(row, contents);
    if (line.size() > kCopyLineLimit - 2) line.resize(kCopyLineLimit - 2);
    out += line;
    out += "\r\n";
  }
  return out;
}

