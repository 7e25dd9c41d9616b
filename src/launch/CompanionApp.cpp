#include "launch/CompanionApp.h"

#include "course/CourseFile.h"
#include "course/CourseFileError.h"
#include "course/CourseLocations.h"
#include "course/ProgramResources.h"
#include "course/StringIds.h"

namespace {
constexpr int kCompanionNames[] = {str::kCompanionName, str::kCompanionNameAlternate};
}  // namespace

std::optional<std::filesystem::path> FindCompanionApplication(const Preferences* prefs) {
  std::vector<std::string> names;
  for (int id : kCompanionNames) names.push_back(ProgramString(id));
  for (int id : kCompanionNames) {
    std::string name = ProgramString(id);
    if (name.size() > 4 && name.ends_with(".exe")) names.push_back(name.substr(0, name.size() - 4));
  }
  for (const std::string& name : names) {
    if (name.empty()) continue;
    std::filesystem::path path;
    if (!FindCourseFileWith(prefs, name, kSearchCourse, path)) continue;
    std::error_code ec;
    if (std::filesystem::is_regular_file(path, ec)) return path;
  }
  return std::nullopt;
}
