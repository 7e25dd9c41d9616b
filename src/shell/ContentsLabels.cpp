#include "shell/ContentsLabels.h"

#include <array>
#include <cstdio>

#include "course/ContentsTable.h"
#include "shell/ContentsRows.h"

namespace {

constexpr std::size_t kLabelLimit = 259;
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

struct Entity {
  const char* name;
  char byte;
};
// The entities course titles use; the hypertext tokenizer knows the full set.
constexpr Entity kEntities[] = {{"amp", '&'}, {"lt", '<'},         {"gt", '>'},         {"quot", '"'},
                                {"nbsp", ' '}, {"apos", '\''},      {"eacute", '\xE9'},  {"egrave", '\xE8'},
                                {"mdash", '\x97'}, {"ndash", '\x96'}, {"copy", '\xA9'}, {"deg", '\xB0'}};

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
  std::string label = StripLabelMarkup(joined);
  if (label.size() > kLabelLimit) label.resize(kLabelLimit);
  return label;
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

std::string StripLabelMarkup(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  std::size_t i = 0;
  while (i < text.size()) {
    const char c = text[i];
    if (c == '<') {
      // A comment runs to "-->", a tag to ">"; an unclosed one hides the rest.
      const bool comment = text.substr(i, 4) == "<!--";
      const std::size_t close = comment ? text.find("-->", i + 4) : text.find('>', i + 1);
      if (close == std::string_view::npos) break;
      i = close + (comment ? 3 : 1);
      continue;
    }
    if (c == '&') {
      const std::size_t semi = text.find(';', i + 1);
      if (semi != std::string_view::npos && semi - i <= 8) {
        const std::string_view name = text.substr(i + 1, semi - i - 1);
        bool decoded = false;
        if (name.size() > 1 && name[0] == '#') {
          int value = 0;
          bool digits = true;
          for (char d : name.substr(1)) {
            if (d < '0' || d > '9') {
              digits = false;
              break;
            }
            value = value * 10 + (d - '0');
          }
          if (digits && value > 0 && value < 256) {
            out += static_cast<char>(value);
            decoded = true;
          }
        } else {
          for (const Entity& e : kEntities)
            if (name == e.name) {
              out += e.byte;
              decoded = true;
              break;
            }
        }
        if (decoded) {
          i = semi + 1;
          continue;
        }
      }
    }
    if (c == '\r' || c == '\n') {
      if (!out.empty() && out.back() != ' ') out += ' ';
      ++i;
      continue;
    }
    out += c;
    ++i;
  }
  return out;
}

int ActivityKindIcon(int kind) {
  static constexpr std::array<int, 18> kIcons = {5001, 5024, 5028, 5019, 5031, 5033, 5027, 5035, 5015,
                                                 5000, 5030, 5021, 5023, 5018, 5022, 5025, 5032, 5034};
  return kind >= 0 && kind < static_cast<int>(kIcons.size()) ? kIcons[static_cast<std::size_t>(kind)] : 0;
}
