#include "glossary/TermLookup.h"
#include "CourseCheck.h"

#include <algorithm>

#include "course/AsciiCase.h"
#include "course/CourseFile.h"
#include "course/CourseFileError.h"
#include "course/CoursePath.h"

namespace kncheck {

namespace {
std::vector<RegisteredCheck>& Registry() {
  static std::vector<RegisteredCheck> checks;
  return checks;
}
}  // namespace

CheckRegistrar::CheckRegistrar(int rank, std::string name, CheckFunction run) {
  Registry().push_back({rank, std::move(name), std::move(run)});
}

std::vector<RegisteredCheck> Checks() {
  auto checks = Registry();
  std::stable_sort(checks.begin(), checks.end(),
                   [](const RegisteredCheck& a, const RegisteredCheck& b) { return a.rank < b.rank; });
  return checks;
}

CourseCheck::CourseCheck(std::filesystem::path courseFolder) : m_folder(std::move(courseFolder)) {}

void CourseCheck::Report(std::string_view file, int line, std::string message) {
  m_problems.push_back({Display(file), line, std::move(message)});
}

std::optional<std::filesystem::path> CourseCheck::Find(std::string_view courseName) const {
  auto path = ResolveCoursePath(m_folder, courseName);
  if (!path || !std::filesystem::is_regular_file(*path)) return std::nullopt;
  return path;
}

std::string CourseCheck::Display(std::string_view courseName) {
  std::string out(courseName);
  std::replace(out.begin(), out.end(), '\\', '/');
  return out;
}

std::optional<std::vector<std::uint8_t>> CourseCheck::Read(std::string_view courseName, std::string_view from,
                                                           int line) {
  const auto path = Find(courseName);
  visited.insert(ToAsciiLower(Display(courseName)));
  if (!path) {
    if (from.empty())
      Report(courseName, 0, "the file is missing");
    else
      Report(from, line, "refers to " + Display(courseName) + ", which is missing");
    return std::nullopt;
  }
  try {
    auto file = CourseFile::Open(*path);
    return file.readAll();
  } catch (const CourseFileError& e) {
    Report(courseName, 0, std::string("cannot be read: ") + e.what());
    return std::nullopt;
  }
}

std::optional<ResourceContainer> CourseCheck::OpenContainer(std::string_view courseName, std::string_view from,
                                                            int line) {
  auto bytes = Read(courseName, from, line);
  if (!bytes) return std::nullopt;
  try {
    return ResourceContainer::FromBytes(std::move(*bytes), Display(courseName));
  } catch (const CourseFileError& e) {
    Report(courseName, 0, std::string("is not a readable resource container: ") + e.what());
    return std::nullopt;
  }
}

int CourseCheck::ContentsLine(std::string_view needle) const {
  const std::size_t at = contentsText.find(needle);
  if (at == std::string::npos) return 0;
  int line = 1;
  for (std::size_t i = 0; i < at; ++i) {
    if (contentsText[i] == '\n') ++line;
    else if (contentsText[i] == '\r' && (i + 1 >= contentsText.size() || contentsText[i + 1] != '\n')) ++line;
  }
  return line;
}

bool CourseCheck::GlossaryHasTerm(std::string_view text) const {
  const std::vector<std::string_view> names(glossaryTerms.begin(), glossaryTerms.end());
  return FindTermIn(names, text, "sd", SuffixTest::AsWritten) >= 0;
}

std::vector<Problem> CheckCourse(const std::filesystem::path& courseFolder) {
  CourseCheck check(courseFolder);
  for (const auto& c : Checks()) c.run(check);
  auto problems = check.problems();
  std::stable_sort(problems.begin(), problems.end(), [](const Problem& a, const Problem& b) {
    if (a.file != b.file) return a.file < b.file;
    return a.line < b.line;
  });
  return problems;
}

}  // namespace kncheck
