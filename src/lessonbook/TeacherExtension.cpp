#include "lessonbook/TeacherExtension.h"

#include <vector>

#include "course/AsciiCase.h"

namespace {

std::string_view TrimBlanks(std::string_view s) {
  while (!s.empty() && s.front() == ' ') s.remove_prefix(1);
  while (!s.empty() && s.back() == ' ') s.remove_suffix(1);
  return s;
}

}  // namespace

std::optional<TeacherExtension> ParseTeacherExtension(std::span<const std::uint8_t> bytes) {
  if (bytes.size() > TeacherExtension::kMaxFileSize) return std::nullopt;
  std::vector<std::string> lines(1);
  for (std::uint8_t b : bytes) {
    if (b == '\r' || b == '\n') {
      if (!lines.back().empty()) lines.emplace_back();
      continue;
    }
    if (b < 32) continue;
    lines.back() += static_cast<char>(b);
  }
  TeacherExtension ext;
  for (const std::string& line : lines) {
    const std::string_view l = line;
    if (StartsWithNoCase(l, "title:")) {
      const std::string_view rest = TrimBlanks(l.substr(6)).substr(0, TeacherExtension::kMaxTitle);
      ext.heading = "<B>" + std::string(rest) + "</B>";
    } else if (StartsWithNoCase(l, "file:")) {
      ext.file = std::string(TrimBlanks(l.substr(5)));
    } else if (!TrimBlanks(l).empty()) {
      if (!ext.text.empty()) ext.text += ' ';
      ext.text += line;
    }
  }
  if (ext.text.empty()) return std::nullopt;
  return ext;
}

std::string TeacherExtensionName(int pageIndex) { return "page" + std::to_string(pageIndex + 1) + ".ext"; }

std::string TeacherPictureName(std::string_view extensionName) {
  std::string name(extensionName);
  if (EndsWithNoCase(name, ".ext"))
    name.resize(name.size() - 4);
  return name + ".bmp";
}
