// The contents model's only contact with the course configuration: the
// personality, the preferences and the course file locator. Each function gives
// the documented default when its service is absent (tools, tests, early start-up).
#include "course/ContentsServices.h"

#include "course/AsteriskSourceList.h"
#include "course/BundleList.h"
#include "course/ContentsTable.h"
#include "course/CourseFile.h"
#include "course/CourseFileError.h"
#include "course/CourseLocations.h"
#include "course/CourseModelLinks.h"
#include "course/CoursePersonality.h"
#include "course/Notice.h"
#include "course/Preferences.h"
#include "course/Services.h"

std::optional<std::string> ReadCourseTextFile(std::string_view name) {
  try {
    CourseFile file;
    if (!OpenCourseFile(file, name, 3)) return std::nullopt;  // program folder, then course volume
    const auto bytes = file.readAll();
    return std::string(bytes.begin(), bytes.end());
  } catch (const CourseFileError&) {
    return std::nullopt;
  }
}

int ConfiguredLessonBase() {
  const CoursePersonality* p = Service<CoursePersonality>();
  return p ? p->GetInt(kKeyLessonBase, 1) : 1;
}

std::uint8_t NewLocatorMark() {
  const CoursePersonality* p = Service<CoursePersonality>();
  return p ? static_cast<std::uint8_t>(p->customBookmark()) : 0;
}

int ChosenBundle() {
  const Preferences* p = Service<Preferences>();
  return p ? p->bundledText : 0;
}

std::uint16_t ExcludedAsteriskSources() {
  const Preferences* p = Service<Preferences>();
  return p ? p->asterisks : 0;
}

namespace {
std::vector<CourseListEntry> EntriesOf(const CourseKeyList* list) {
  std::vector<CourseListEntry> out;
  if (!list) return out;
  for (int i = 0; i < list->Count(); ++i) out.push_back({list->Key(i), list->Value(i)});
  return out;
}
}  // namespace

void ConnectCourseModel() {
  CourseModelLinks links;
  links.bundles = [] { return EntriesOf(Service<BundleList>()); };
  links.asteriskSources = [] { return EntriesOf(Service<AsteriskSourceList>()); };
  links.resolve = [](std::string_view identifier) -> std::optional<CoursePlace> {
    const ContentsTable* contents = Service<ContentsTable>();
    if (!contents) return std::nullopt;
    const auto locator = contents->Resolve(identifier);
    if (!locator) return std::nullopt;
    return CoursePlace{locator->lesson, locator->page};
  };
  SetCourseModelLinks(std::move(links));
  // The bundle and asterisk choices can be checked now that their lists exist.
  if (Preferences* p = Service<Preferences>()) p->Normalize();
}

const ContentsTable& CurrentContents() {
  if (const ContentsTable* t = Service<ContentsTable>()) return *t;
  static const ContentsTable empty;
  return empty;
}

bool ContentsTable::Load() {
  const int lessonBase = ConfiguredLessonBase();
  const auto text = ReadCourseTextFile("contents.txt");
  if (!text) {
    Load({}, lessonBase, 0, nullptr);
    ShowPlainMessage("Cannot load contents file");
    return false;
  }
  Load(*text, lessonBase, ChosenBundle(), Service<BundleList>());
  return true;
}
