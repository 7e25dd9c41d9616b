#include "setup/SetupSettings.h"

#include <array>
#include <cstdint>

#include "course/AsciiCase.h"

namespace {

using namespace setup_limits;

constexpr std::array<std::pair<SetupFunction, std::string_view>, 6> kFunctionNames{{
    {SetupFunction::CdLaunch, "cd_launch"},
    {SetupFunction::HdLaunch, "hd_launch"},
    {SetupFunction::CheckBox, "checkbox"},
    {SetupFunction::Readme, "readme"},
    {SetupFunction::Quit, "quit"},
    {SetupFunction::About, "about"},
}};

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view Trim(std::string_view s) {
  while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
  while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
  return s;
}

// A decimal integer at pos, after optional blanks and a sign; pos moves past it.
// None when there is no digit or the number leaves [-limit, limit].
std::optional<long long> ReadInteger(std::string_view s, std::size_t& pos, long long limit) {
  while (pos < s.size() && IsBlank(s[pos])) ++pos;
  bool negative = false;
  if (pos < s.size() && (s[pos] == '+' || s[pos] == '-')) negative = s[pos++] == '-';
  const std::size_t start = pos;
  long long v = 0;
  while (pos < s.size() && s[pos] >= '0' && s[pos] <= '9') {
    v = v * 10 + (s[pos++] - '0');
    if (v > limit) return std::nullopt;
  }
  if (pos == start) return std::nullopt;
  return negative ? -v : v;
}

std::string Field(std::string_view value) {
  return std::string(value.substr(0, std::min(value.size(), kFieldLimit)));
}

// The value as the grammar gives it: "|" becomes a line break, and a value of two or
// more characters wrapped in double quotes loses them.
std::string CookValue(std::string_view raw) {
  std::string v(raw);
  for (char& c : v)
    if (c == '|') c = '\n';
  if (v.size() >= 2 && v.front() == '"' && v.back() == '"') v = v.substr(1, v.size() - 2);
  return v;
}

class Reader {
 public:
  explicit Reader(const std::function<void()>& quickTimeCheck) : m_quickTimeCheck(quickTimeCheck) {}

  void Line(std::string_view line) {
    const std::size_t colon = line.find(':');
    if (colon == std::string_view::npos) return;
    const std::string_view key = line.substr(0, colon);
    const std::string value = CookValue(line.substr(colon + 1));
    if (EqualNoCase(key, "title")) {
      m_settings.title += value;
    } else if (EqualNoCase(key, "window")) {
      if (auto wh = ParseSetupPair(value); wh && wh->first >= kMinWindowWidth && wh->second >= kMinWindowHeight) {
        m_settings.clientWidth = wh->first;
        m_settings.clientHeight = wh->second;
      }
    } else if (EqualNoCase(key, "colorbox")) {
      if (auto rgb = ParseSetupColor(value)) m_settings.colorBox = *rgb;
    } else if (EqualNoCase(key, "quicktime")) {
      if (ParseSetupFlag(value) && m_quickTimeCheck) m_quickTimeCheck();
    } else if (EqualNoCase(key, "button")) {
      Commit();
      m_current.label = Field(value);
      m_pending = true;
    } else if (EqualNoCase(key, "function")) {
      if (auto f = SetupFunctionFromName(value)) m_current.function = *f;
    } else if (EqualNoCase(key, "windows")) {
      m_current.target = Field(value);
    } else if (EqualNoCase(key, "directory")) {
      m_current.directory = Field(value);
    } else if (EqualNoCase(key, "application")) {
      m_current.application = Field(value);
    } else if (EqualNoCase(key, "location")) {
      if (auto xy = ParseSetupPair(value)) {
        m_current.rect.left = xy->first;
        m_current.rect.top = xy->second;
      }
    } else if (EqualNoCase(key, "size")) {
      if (auto wh = ParseSetupPair(value)) {
        // Both terms are within +-32767, so the sums cannot overflow an int.
        m_current.rect.right = m_current.rect.left + wh->first;
        m_current.rect.bottom = m_current.rect.top + wh->second;
      }
    } else if (EqualNoCase(key, "default")) {
      m_current.isDefault = ParseSetupFlag(value);
    }
    // "mac" and every other key: ignored.
  }

  SetupSettings Finish() {
    Commit();
    return std::move(m_settings);
  }

 private:
  // Creates the button under construction. The record itself stays: the next
  // "button" line changes only the label, so every other field carries over.
  void Commit() {
    if (m_pending && m_settings.buttons.size() < kMaxButtons) m_settings.buttons.push_back(m_current);
    m_pending = false;
  }

  const std::function<void()>& m_quickTimeCheck;
  SetupSettings m_settings;
  SetupButton m_current;  // all zero before the first button
  bool m_pending = false;
};

}  // namespace

std::string_view SetupFunctionName(SetupFunction function) {
  for (const auto& [f, name] : kFunctionNames)
    if (f == function) return name;
  return {};
}

std::optional<SetupFunction> SetupFunctionFromName(std::string_view name) {
  // Blanks around the name cannot be part of it; "function: quit" means quit.
  name = Trim(name);
  for (const auto& [f, n] : kFunctionNames)
    if (EqualNoCase(name, n)) return f;
  return std::nullopt;
}

bool SetupSettings::hasCheckBox() const {
  for (const auto& b : buttons)
    if (b.function == SetupFunction::CheckBox) return true;
  return false;
}

std::optional<std::pair<int, int>> ParseSetupPair(std::string_view value) {
  std::size_t pos = 0;
  const auto a = ReadInteger(value, pos, kMaxCoordinate);
  if (!a) return std::nullopt;
  while (pos < value.size() && IsBlank(value[pos])) ++pos;
  if (pos >= value.size() || value[pos] != ',') return std::nullopt;
  ++pos;
  const auto b = ReadInteger(value, pos, kMaxCoordinate);
  if (!b) return std::nullopt;
  // Whatever follows the second number is ignored ("500,375 pixels").
  return std::pair<int, int>(static_cast<int>(*a), static_cast<int>(*b));
}

bool ParseSetupFlag(std::string_view value) {
  // A number as atoi reads it (blanks, sign, digits, anything after ignored), else "true".
  std::size_t pos = 0;
  while (pos < value.size() && IsBlank(value[pos])) ++pos;
  if (pos < value.size() && (value[pos] == '+' || value[pos] == '-')) ++pos;
  if (pos < value.size() && value[pos] >= '0' && value[pos] <= '9') {
    for (; pos < value.size() && value[pos] >= '0' && value[pos] <= '9'; ++pos)
      if (value[pos] != '0') return true;
    return false;
  }
  return EqualNoCase(Trim(value), "true");
}

std::optional<SetupRgb> ParseSetupColor(std::string_view value) {
  // The hex digits form one number RRGGBB; with more than six digits the last six
  // count, with fewer the number is smaller ("FF" is blue).
  std::uint32_t rgb = 0;
  bool any = false;
  for (char c : value) {
    const int d = AsciiHexDigit(c);
    if (d < 0) continue;
    rgb = ((rgb << 4) | static_cast<std::uint32_t>(d)) & 0xFFFFFF;
    any = true;
  }
  if (!any) return std::nullopt;
  return SetupRgb{static_cast<std::uint8_t>(rgb >> 16), static_cast<std::uint8_t>(rgb >> 8),
                  static_cast<std::uint8_t>(rgb)};
}

SetupSettings ParseSetupSettings(std::string_view text, const std::function<void()>& quickTimeCheck) {
  Reader reader(quickTimeCheck);
  std::size_t pos = 0;
  while (pos < text.size()) {
    std::size_t end = text.find_first_of("\r\n", pos);
    if (end == std::string_view::npos) end = text.size();
    std::string_view line = text.substr(pos, end - pos);
    pos = end + 1;
    while (!line.empty() && IsBlank(line.front())) line.remove_prefix(1);
    if (line.size() > kLineLimit) line = line.substr(0, kLineLimit);
    if (line.empty() || line.front() == '{') continue;
    reader.Line(line);
  }
  return reader.Finish();
}
