// kncourse check: every problem of a course folder that an author would want to fix,
// with its file and line. The checks themselves live in Check*.cpp, one file per
// course format (see CourseCheck.h).
#include <filesystem>
#include <iostream>

#include "CourseCheck.h"
#include "Kncourse.h"

namespace {

using kncourse::Args;

const char* kUsage =
    "Usage: kncourse check DIR [--quiet]\n"
    "  Reads the course folder DIR (the program folder's \"course\" folder, with\n"
    "  personal.knp beside it) as the player does and lists every problem as\n"
    "  FILE:LINE: message, FILE relative to DIR (LINE 0: the whole file):\n"
    "  missing or unreadable files, names and references that lead nowhere, container\n"
    "  entries that are referred to but absent, scripts that do not compile as written,\n"
    "  narration missing beside an exposition, and limits that the player would cut.\n"
    "  --quiet prints only the count. Exit status 0 when the course is clean, 1 when\n"
    "  there are problems, 2 when DIR cannot be checked.\n";

int Check(const Args& args) {
  if (kncourse::WantsHelp(args)) {
    std::cout << kUsage;
    return 0;
  }
  Args a = args;
  const bool quiet = kncourse::TakeSwitch(a, "quiet");
  if (a.size() != 1) return kncourse::UsageError("check takes one DIR", kUsage);
  const std::filesystem::path folder = a[0];
  if (!std::filesystem::is_directory(folder)) return kncourse::Fail("no such folder: " + a[0]);

  const auto problems = kncheck::CheckCourse(folder);
  if (!quiet) {
    for (const auto& p : problems)
      std::cout << p.file << ':' << p.line << ": " << kncourse::Show(p.message) << '\n';
  }
  if (problems.empty()) {
    std::cout << "clean: no problems found\n";
    return 0;
  }
  std::cout << problems.size() << (problems.size() == 1 ? " problem\n" : " problems\n");
  return 1;
}

}  // namespace

KN_COMMAND("check", "every problem of a course folder, with file and line", Check);
