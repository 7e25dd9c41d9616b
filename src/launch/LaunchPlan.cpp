#include "launch/LaunchPlan.h"

#include <sys/stat.h>

#include <array>
#include <cctype>
#include <cstring>
#include <fstream>

#include "course/ActivityKind.h"
#include "course/AsciiCase.h"
#include "course/ContentsTable.h"
#include "course/CourseFileError.h"
#include "course/CourseLocations.h"
#include "course/Preferences.h"
#include "course/Services.h"

namespace fs = std::filesystem;

namespace {

constexpr std::size_t kMaxErrorText = 259;
constexpr std::string_view kSharingSuffix = "  Perhaps the document is already open.";

// The file of the activity the locator's indexes name in the contents; empty when they
// name none.
std::string ContentsActivityFile(const ActivityLocator& locator, const ContentsTable* contents) {
  if (!contents || locator.page < 0 || locator.activity < 0) return {};
  const ContentsLesson* lesson = contents->Lesson(locator.lesson);
  if (!lesson || locator.page >= lesson->pageCount) return {};
  const ContentsPage& page = lesson->pages[static_cast<std::size_t>(locator.page)];
  if (locator.activity >= page.activityCount) return {};
  const ContentsActivity& activity = page.activities[static_cast<std::size_t>(locator.activity)];
  if (activity.file == 0) return {};
  return std::string(contents->String(activity.file));
}

bool IsWithin(const fs::path& path, const fs::path& root) {
  auto p = path.begin();
  for (auto r = root.begin(); r != root.end(); ++r, ++p) {
    if (r->empty()) continue;  // a root ending in a separator
    if (p == path.end() || *p != *r) return false;
  }
  return true;
}

}  // namespace

LaunchPlan PlanLaunch(const ActivityLocator& locator, const ContentsTable* contents) {
  LaunchPlan plan;
  plan.fileName = ContentsActivityFile(locator, contents);
  if (plan.fileName.empty() && locator.kind != 0 && locator.file) plan.fileName = *locator.file;
  if (plan.fileName.empty()) return plan;
  if (contents) {
    plan.relativePath = locator.Path(*contents, plan.fileName);
  } else {
    plan.relativePath = plan.fileName;
  }
  plan.extension = LaunchExtension(plan.fileName);
  plan.route = RouteForExtension(plan.extension);
  plan.kind = LaunchKindOfFile(plan.fileName);
  const int type = contents ? locator.Kind(*contents) : (locator.kind != 0 ? locator.kind : plan.kind);
  plan.sound = LaunchSoundOfKind(type);
  return plan;
}

int LaunchSearchFlags() { return kSearchTeacherFolder | kSearchCourse | kRaiseIfMissing; }

std::vector<fs::path> CourseFolderRoots(const Preferences* prefs, int flags) {
  std::vector<fs::path> candidates;
  if (!prefs) {
    if (flags & kSearchProgramFolder) candidates.push_back(CourseRootFolder() / "course");
  } else {
    const auto& teacher = prefs->folder(Preferences::kTeacherFolder);
    const auto& program = prefs->folder(Preferences::kProgramFolder);
    const auto& volume = prefs->folder(Preferences::kCourseVolume);
    if ((flags & kSearchTeacherFolder) && teacher.valid) candidates.push_back(fs::path(teacher.path));
    if ((flags & kSearchProgramFolder) && program.valid) candidates.push_back(fs::path(program.path) / "course");
    if ((flags & kSearchCourseVolume) && volume.valid) candidates.push_back(fs::path(volume.path) / "course");
  }
  std::vector<fs::path> roots;
  for (const fs::path& c : candidates) {
    // The locator matches folder names without regard to case; so must the roots.
    std::error_code ec;
    fs::path folder = c;
    if (!fs::is_directory(folder, ec) && c.filename() == "course") {
      folder.clear();
      for (const auto& entry : fs::directory_iterator(c.parent_path(), ec))
        if (entry.is_directory(ec) && ToAsciiLower(entry.path().filename().string()) == "course") {
          folder = entry.path();
          break;
        }
      if (folder.empty()) continue;
    }
    fs::path canonical = fs::canonical(folder, ec);
    if (!ec) roots.push_back(std::move(canonical));
  }
  return roots;
}

bool IsInsideCourseFolders(const fs::path& path, const std::vector<fs::path>& roots) {
  std::error_code ec;
  const fs::path canonical = fs::canonical(path, ec);
  if (ec) return false;
  for (const fs::path& root : roots)
    if (canonical != root && IsWithin(canonical, root)) return true;
  return false;
}

const char* ProgramKindOfStart(std::string_view start) {
  if (start.starts_with("#!")) return "it is a script";
  if (start.starts_with("\x7f" "ELF")) return "it is a program";
  // A desktop entry may begin with comments and blank lines before its group header.
  std::size_t at = 0;
  while (at < start.size()) {
    const std::size_t end = start.find('\n', at);
    std::string_view line = start.substr(at, end == std::string_view::npos ? std::string_view::npos : end - at);
    while (!line.empty() && std::isspace(static_cast<unsigned char>(line.front()))) line.remove_prefix(1);
    if (!line.empty() && line.front() != '#') return line.starts_with("[Desktop Entry]") ? "it is a desktop entry" : nullptr;
    if (end == std::string_view::npos) break;
    at = end + 1;
  }
  return nullptr;
}

bool IsPlainDocument(const fs::path& path, std::string* reason) {
  auto refuse = [&](const char* why) {
    if (reason) *reason = why;
    return false;
  };
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0) return refuse("the file cannot be examined");
  if (!S_ISREG(st.st_mode)) return refuse("it is not a plain file");
  if (st.st_mode & (S_IXUSR | S_IXGRP | S_IXOTH)) return refuse("it is a program");
  if (ToAsciiLower(path.filename().string()).ends_with(".desktop")) return refuse("it is a desktop entry");
  std::array<char, 256> head{};
  std::ifstream in(path, std::ios::binary);
  if (!in) return refuse("the file cannot be read");
  in.read(head.data(), static_cast<std::streamsize>(head.size()));
  const std::string_view start(head.data(), static_cast<std::size_t>(in.gcount()));
  if (const char* why = ProgramKindOfStart(start)) return refuse(why);
  return true;
}

CourseFile FindLaunchFile(const LaunchPlan& plan, const Preferences* prefs) {
  if (!prefs) prefs = Service<Preferences>();
  const int flags = LaunchSearchFlags();
  CourseFile file;
  OpenCourseFileWith(prefs, file, plan.relativePath, flags);
  if (!IsInsideCourseFolders(file.path(), CourseFolderRoots(prefs, flags))) {
    file.close();
    throw CourseFileError(CourseFileError::Kind::Access, plan.fileName, "the file lies outside the course folders");
  }
  return file;
}

std::string DescribeLaunchError(const CourseFileError& error, const std::string& fileName) {
  const std::string name = "'" + fileName + "'";
  switch (error.kind()) {
    case CourseFileError::Kind::NotFound:
      return name + " was not found.";
    case CourseFileError::Kind::SharingViolation:
      return "A sharing violation occurred while accessing " + name + ".";
    case CourseFileError::Kind::Access:
      return name + " cannot be opened: " + error.reason() + ".";
    case CourseFileError::Kind::Format:
      break;
  }
  return name + " is damaged: " + error.reason() + ".";
}

std::string LaunchErrorText(const std::string& description) {
  std::string text = description.empty() ? std::string("unknown error") : description;
  text[0] = static_cast<char>(std::tolower(static_cast<unsigned char>(text[0])));
  if (text.find("sharing violation") != std::string::npos) text += kSharingSuffix;
  if (text.size() > kMaxErrorText) text.resize(kMaxErrorText);
  return text;
}
