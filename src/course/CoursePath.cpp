#include "course/CoursePath.h"

#include <algorithm>
#include <system_error>

#include "course/AsciiCase.h"
#include "course/CourseText.h"

namespace {

std::optional<std::filesystem::path> MatchComponent(const std::filesystem::path& dir,
                                                    const std::vector<std::string>& forms) {
  std::error_code ec;
  for (const auto& f : forms) {
    auto exact = dir / f;
    if (std::filesystem::exists(exact, ec)) return exact;
  }
  std::vector<std::string> hits;
  for (std::filesystem::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec)) {
    const std::string entry = it->path().filename().string();
    for (const auto& f : forms)
      if (EqualNoCase(entry, f)) {
        hits.push_back(entry);
        break;
      }
  }
  if (hits.empty()) return std::nullopt;
  std::sort(hits.begin(), hits.end());
  return dir / hits.front();
}
}  // namespace

std::vector<std::string> SplitCourseName(std::string_view name) {
  std::vector<std::string> parts;
  std::string cur;
  for (char c : name) {
    if (c == '\\' || c == '/' || c == ':') {
      if (!cur.empty()) parts.push_back(std::move(cur));
      cur.clear();
    } else {
      cur += c;
    }
  }
  if (!cur.empty()) parts.push_back(std::move(cur));
  return parts;
}

bool IsSafeCourseName(std::string_view name) {
  for (char c : name)
    if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) return false;
  for (const auto& part : SplitCourseName(name))
    if (part == "." || part == "..") return false;
  return true;
}

std::optional<std::filesystem::path> ResolveCoursePath(const std::filesystem::path& base, std::string_view name) {
  if (!IsSafeCourseName(name)) return std::nullopt;
  std::error_code ec;
  if (!std::filesystem::is_directory(base, ec)) return std::nullopt;
  std::filesystem::path cur = base;
  for (const auto& part : SplitCourseName(name)) {
    std::vector<std::string> forms{part};
    if (!IsValidUtf8(part)) forms[0] = CourseToUtf8(part);
    else if (const auto converted = CourseToUtf8(part); converted != part) forms.push_back(converted);
    auto next = MatchComponent(cur, forms);
    if (!next) return std::nullopt;
    cur = std::move(*next);
  }
  return cur;
}
