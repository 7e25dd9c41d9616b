// The services hypertext reads are not all part of the program yet; until they
// are, the functions here give what the program does without them: the
// documented defaults for the settings, and course files from the "course"
// folder beside the program.
#include "hypertext/HyperServices.h"

#include <QtCore/QCoreApplication>
#include <cstdio>

#include "course/ActivityLocator.h"
#include "course/BundleList.h"
#include "course/ContentsServices.h"
#include "course/ContentsTable.h"
#include "course/CoursePath.h"
#include "course/ProgramResources.h"
#include "course/Services.h"

HyperStyle CurrentHyperStyle(int dpiY) {
  HyperStyle style;
  // TODO: Service<Preferences>()->fontSize, and the personality's "Lesson Font"
  // (7520) and "Link Color" (7521), once those services are in the program.
  style.dpiY = dpiY > 0 ? dpiY : 96;
  return style;
}

namespace {

// TODO: FindCourseFile(name, 3) once the course locations are in the program:
// the program folder's course folder, then the course volume's.
std::optional<std::filesystem::path> FindInCourseFolders(std::string_view name) {
  if (!QCoreApplication::instance()) return std::nullopt;
  const std::filesystem::path programFolder = QCoreApplication::applicationDirPath().toStdString();
  const auto courseFolder = ResolveCoursePath(programFolder, "course");
  if (!courseFolder) return std::nullopt;
  return ResolveCoursePath(*courseFolder, name);
}

std::string BundleDisplayName(std::string_view key) {
  const BundleList* bundles = Service<BundleList>();
  return bundles ? bundles->ValueOf(key) : std::string();
}

}  // namespace

std::string ExpandCourseName(std::string_view name) {
  // TODO: Service<CoursePersonality>()->ExpandName(name) once the personality is
  // in the program; it also knows the "explore" name.
  if (name == "application") return ProgramString(7500);
  if (name == "bundle") {
    const BundleList* bundles = Service<BundleList>();
    const int chosen = ChosenBundle();
    return bundles && chosen > 0 ? bundles->Value(chosen) : std::string();
  }
  const ContentsTable& contents = CurrentContents();
  const auto locator = contents.Resolve(name);
  if (!locator || locator->lesson < 0) return {};
  char text[32];
  const int lesson = contents.LessonBase() + locator->lesson;
  if (locator->page >= 0)
    std::snprintf(text, sizeof text, "%d-%d", lesson, locator->page + 1);
  else
    std::snprintf(text, sizeof text, "%d", lesson);
  return text;
}

std::optional<std::filesystem::path> FindHyperSource(const ActivityLocator& window, std::string_view target) {
  if (target.empty()) return std::nullopt;
  if (target.back() == ':') {
    auto folder = FindInCourseFolders(target);
    if (folder && std::filesystem::is_directory(*folder)) return folder;
    return std::nullopt;
  }
  auto file = FindInCourseFolders(window.Path(CurrentContents(), target));
  if (file && std::filesystem::is_regular_file(*file)) return file;
  return std::nullopt;
}

HyperSourceLinks CourseSourceLinks(const ActivityLocator& window) {
  HyperSourceLinks links;
  links.bundleName = BundleDisplayName;
  links.expandName = ExpandCourseName;
  links.sourceExists = [window](std::string_view target) { return FindHyperSource(window, target).has_value(); };
  // The equation renderer is connected here when it is part of the program;
  // until then "math" elements show their text in the line.
  return links;
}

namespace {
HyperWindowLinks& WindowLinks() {
  static HyperWindowLinks links;
  return links;
}
}  // namespace

const HyperWindowLinks& CurrentHyperWindowLinks() { return WindowLinks(); }

HyperWindowLinks SetHyperWindowLinks(HyperWindowLinks links) {
  HyperWindowLinks previous = std::move(WindowLinks());
  WindowLinks() = std::move(links);
  return previous;
}
