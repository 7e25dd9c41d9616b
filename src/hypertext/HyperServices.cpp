// Hypertext's contact with the program-wide services. Each function gives the
// documented default when its service is absent (tools, tests, early start-up).
#include "hypertext/HyperServices.h"

#include "course/ActivityLocator.h"
#include "course/BundleList.h"
#include "course/ContentsServices.h"
#include "course/CourseLocations.h"
#include "course/CoursePersonality.h"
#include "course/Preferences.h"
#include "course/Services.h"

HyperStyle CurrentHyperStyle(int dpiY) {
  HyperStyle style;
  if (const Preferences* prefs = Service<Preferences>()) style.fontSize = prefs->fontSize;
  if (const CoursePersonality* personality = Service<CoursePersonality>()) {
    style.lessonFace = personality->GetString(kKeyLessonFont);
    style.linkColour = personality->GetColor(kKeyLinkColor).rgb();
  } else {
    style.lessonFace = PersonalityString(kKeyLessonFont);
    if (auto c = ParsePersonalityColor(PersonalityString(kKeyLinkColor))) style.linkColour = c->rgb();
  }
  style.dpiY = dpiY > 0 ? dpiY : 96;
  return style;
}

namespace {

std::string BundleDisplayName(std::string_view key) {
  const BundleList* bundles = Service<BundleList>();
  return bundles ? bundles->ValueOf(key) : std::string();
}

std::string ExpandName(std::string_view name) {
  const CoursePersonality* personality = Service<CoursePersonality>();
  return personality ? personality->ExpandName(name) : std::string();
}

}  // namespace

std::optional<std::filesystem::path> FindHyperSource(const ActivityLocator& window, std::string_view target) {
  if (target.empty()) return std::nullopt;
  std::filesystem::path found;
  if (target.back() == ':') {
    if (FindCourseFile(target, kSearchCourse, found) && std::filesystem::is_directory(found)) return found;
    return std::nullopt;
  }
  if (FindCourseFile(window.Path(CurrentContents(), target), kSearchCourse, found) &&
      std::filesystem::is_regular_file(found))
    return found;
  return std::nullopt;
}

HyperSourceLinks CourseSourceLinks(const ActivityLocator& window) {
  HyperSourceLinks links;
  links.bundleName = BundleDisplayName;
  links.expandName = ExpandName;
  links.sourceExists = [window](std::string_view target) { return FindHyperSource(window, target).has_value(); };
  links.renderEquation = CurrentEquationRenderer();
  return links;
}

namespace {
EquationRenderer& Renderer() {
  static EquationRenderer renderer;
  return renderer;
}
}  // namespace

const EquationRenderer& CurrentEquationRenderer() { return Renderer(); }

EquationRenderer SetEquationRenderer(EquationRenderer renderer) {
  EquationRenderer previous = std::move(Renderer());
  Renderer() = std::move(renderer);
  return previous;
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
