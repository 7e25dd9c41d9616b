// kncourse check: a course folder read the way the player reads it, with every
// problem an author should fix reported with its file and line.
//
// The checks of each course format live in a file of their own (Check<Format>.cpp)
// and register with KN_COURSE_CHECK(rank, name, function); the command runs them in
// order of rank over one CourseCheck, which holds what the player would have loaded
// (contents, bundles, asterisk sources, glossary terms) and collects the problems.
// Lower ranks load what higher ones look things up in: personality 10, contents 20,
// glossary 30, pages and texts 40 and up.
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "course/AsteriskSourceList.h"
#include "course/BundleList.h"
#include "course/ContentsTable.h"
#include "course/ResourceContainer.h"

namespace kncheck {

struct Problem {
  std::string file;  // relative to the course folder, "/" separated ("../personal.knp" for the personality)
  int line = 0;      // 1-based; 0 when the problem concerns the whole file
  std::string message;
};

class CourseCheck {
 public:
  explicit CourseCheck(std::filesystem::path courseFolder);

  const std::filesystem::path& folder() const { return m_folder; }

  void Report(std::string_view file, int line, std::string message);
  const std::vector<Problem>& problems() const { return m_problems; }

  // The file a course name (with "\" or "/" separators) means under the course folder,
  // matched without regard to case as the player does; none when it is missing or the
  // name tries to leave the folder.
  std::optional<std::filesystem::path> Find(std::string_view courseName) const;
  // A course name as the report shows it: "/" separated, as written.
  static std::string Display(std::string_view courseName);
  // The whole file, or none (reported against `from`, with line) when it is missing or
  // unreadable. An empty `from` reports against the file itself.
  std::optional<std::vector<std::uint8_t>> Read(std::string_view courseName, std::string_view from = {}, int line = 0);
  // The file as a resource container, or none with the container's own error reported
  // against the file. Missing files are reported against `from`.
  std::optional<ResourceContainer> OpenContainer(std::string_view courseName, std::string_view from = {},
                                                 int line = 0);

  // What the player loads at start-up; filled by the personality and contents checks.
  int lessonBase = 1;
  bool contentsLoaded = false;
  std::string contentsText;  // contents.txt as read, for line numbers
  ContentsTable contents;
  BundleList bundles;
  bool bundlesLoaded = false;
  AsteriskSourceList asterisks;
  bool asterisksLoaded = false;
  // Glossary term names, lower-cased; filled by the glossary check.
  bool glossaryLoaded = false;
  std::vector<std::string> glossaryTerms;

  // The 1-based line of contents.txt that holds needle (none found: 0).
  int ContentsLine(std::string_view needle) const;
  // Whether the glossary finds text as a term, with its "s" and "d" variants.
  bool GlossaryHasTerm(std::string_view text) const;
  // Files under the course folder that some check has looked at (course names, lower
  // case); used to point out files that nothing refers to.
  std::set<std::string> visited;

 private:
  std::filesystem::path m_folder;
  std::vector<Problem> m_problems;
};

using CheckFunction = std::function<void(CourseCheck&)>;

struct RegisteredCheck {
  int rank;
  std::string name;
  CheckFunction run;
};

struct CheckRegistrar {
  CheckRegistrar(int rank, std::string name, CheckFunction run);
};

// Every registered check, in order of rank.
std::vector<RegisteredCheck> Checks();

// Runs every check over the folder.
std::vector<Problem> CheckCourse(const std::filesystem::path& courseFolder);

}  // namespace kncheck

#define KN_CHECK_CONCAT2(a, b) a##b
#define KN_CHECK_CONCAT(a, b) KN_CHECK_CONCAT2(a, b)
#define KN_COURSE_CHECK(rank, name, fn) \
  static ::kncheck::CheckRegistrar KN_CHECK_CONCAT(kn_check_, __LINE__)(rank, name, fn)
