// kncourse check: every problem of a course folder that an author would want to fix,
// with its file and line. The checks themselves live in Check*.cpp, one file per
// course format (see CourseCheck.h).
#include <QtGui/QGuiApplication>
#include <filesystem>
#include <iostream>

#include "CourseCheck.h"
#include "Kncourse.h"

namespace {

using kncourse::Args;

}  // namespace

namespace kncourse {

int CheckFolder(Args a) {
  const bool quiet = kncourse::TakeSwitch(a, "quiet");
  if (a.size() != 1) kncourse::BadUsage("check takes one DIR");
  const std::filesystem::path folder = a[0];
  if (!std::filesystem::is_directory(folder)) return kncourse::Fail("no such folder: " + a[0]);

  // The expositions' dry runs lay out text, which needs fonts.
  const auto app = kncourse::MakeGuiApplication();
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

}  // namespace kncourse
