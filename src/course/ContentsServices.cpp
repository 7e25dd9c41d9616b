// The contents model's only contact with the course configuration: the
// personality, the preferences and the course file locator. Until those
// services are part of the program these functions give the values the program
// uses without them: the documented defaults, and course files from the
// "course" folder beside the program.
#include "course/ContentsServices.h"

#include <QtCore/QCoreApplication>

#include "course/BundleList.h"
#include "course/ContentsTable.h"
#include "course/CourseFile.h"
#include "course/CourseFileError.h"
#include "course/CoursePath.h"
#include "course/Notice.h"
#include "course/Services.h"

std::optional<std::string> ReadCourseTextFile(std::string_view name) {
  // TODO: OpenCourseFile(file, name, 11) once the course locations are in the
  // program: the program folder's course folder, then the course volume's.
  if (!QCoreApplication::instance()) return std::nullopt;
  const std::filesystem::path programFolder = QCoreApplication::applicationDirPath().toStdString();
  const auto courseFolder = ResolveCoursePath(programFolder, "course");
  if (!courseFolder) return std::nullopt;
  const auto path = ResolveCoursePath(*courseFolder, name);
  if (!path) return std::nullopt;
  try {
    auto file = CourseFile::Open(*path);
    const auto bytes = file.readAll();
    return std::string(bytes.begin(), bytes.end());
  } catch (const CourseFileError&) {
    return std::nullopt;
  }
}

// TODO: Service<CoursePersonality>()->GetInt(7519 "Lesson Base", 1) when present.
int ConfiguredLessonBase() { return 1; }

// TODO: the personality's cached "Custom Bookmark" (7501, default 0) when present.
std::uint8_t NewLocatorMark() { return 0; }

// TODO: Service<Preferences>()->BundledText when present.
int ChosenBundle() { return 0; }

// TODO: Service<Preferences>()->Asterisks when present.
std::uint16_t ExcludedAsteriskSources() { return 0; }

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
