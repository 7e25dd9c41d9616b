#include "launch/LaunchPlan.h"

#include <cctype>

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

bool OpensCourseWindow(LaunchHandler handler) {
  return handler == LaunchHandler::Window || handler == LaunchHandler::Movie || handler == LaunchHandler::Tool;
}

int LaunchSearchFlags() { return kSearchTeacherFolder | kSearchCourse | kRaiseIfMissing; }

CourseFile FindLaunchFile(const LaunchPlan& plan, const Preferences* prefs) {
  if (!prefs) prefs = Service<Preferences>();
  const int flags = LaunchSearchFlags();
  CourseFile file;
  OpenCourseFileWith(prefs, file, plan.relativePath, flags);
  if (!IsInsideFolders(file.path(), AcceptedCourseFolders(prefs, flags))) {
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
  text[0] = AsciiLower(text[0]);
  if (text.find("sharing violation") != std::string::npos) text += kSharingSuffix;
  if (text.size() > kMaxErrorText) text.resize(kMaxErrorText);
  return text;
}
