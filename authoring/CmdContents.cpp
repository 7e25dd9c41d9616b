// kncourse contents / resolve: the course tree as the player reads it from
// contents.txt, and what an activity identifier points at.
#include <cstdio>
#include <filesystem>
#include <iostream>
#include <optional>
#include <string>

#include "Kncourse.h"
#include "course/ActivityKind.h"
#include "course/ActivityLocator.h"
#include "course/BundleList.h"
#include "course/ContentsTable.h"
#include "course/CourseFile.h"
#include "course/CourseFileError.h"
#include "course/CoursePath.h"
#include "course/ResourceContainer.h"
#include "course/ToolWindowClass.h"

namespace {

using kncourse::Args;
using kncourse::Show;

struct Course {
  ContentsTable contents;
  BundleList bundles;
  int requestedBundle = 0;
  bool hasBundleFile = false;
  std::filesystem::path folder;
};

std::optional<std::string> ReadFolderFile(const std::filesystem::path& folder, std::string_view name) {
  const auto path = ResolveCoursePath(folder, name);
  if (!path || !std::filesystem::is_regular_file(*path)) return std::nullopt;
  auto file = CourseFile::Open(*path);
  const auto bytes = file.readAll();
  return std::string(bytes.begin(), bytes.end());
}

std::optional<int> ParseInt(const std::string& text) {
  try {
    std::size_t used = 0;
    const int n = std::stoi(text, &used);
    if (used == text.size()) return n;
  } catch (const std::exception&) {
  }
  return std::nullopt;
}

// "Lesson Base" of the personality file in the program folder that holds the course folder.
int PersonalityLessonBase(const std::filesystem::path& courseFolder) {
  std::error_code ec;
  const auto programFolder = std::filesystem::weakly_canonical(courseFolder, ec).parent_path();
  const auto personal = ResolveCoursePath(programFolder, "personal.knp");
  if (!personal) return 1;
  try {
    auto c = ResourceContainer::Open(*personal);
    const auto value = c.ReadEntry("Lesson Base", kEntryText);
    if (!value || value->size() > 260) return 1;
    std::string text(value->begin(), value->end());
    text.resize(text.find('\0') == std::string::npos ? text.size() : text.find('\0'));
    return text.empty() ? 1 : ParseInt(text).value_or(1);
  } catch (const CourseFileError&) {
    return 1;
  }
}

// Reads the course folder; an error message when it cannot.
std::optional<std::string> LoadCourse(Args& a, Course& course) {
  std::optional<int> bundle, lessonBase;
  if (auto b = kncourse::TakeOption(a, "bundle")) {
    bundle = ParseInt(*b);
    if (!bundle || *bundle < 0) return "--bundle takes a number 0 or more";
  }
  if (auto b = kncourse::TakeOption(a, "lesson-base")) {
    lessonBase = ParseInt(*b);
    if (!lessonBase) return "--lesson-base takes a number";
  }
  if (a.empty()) return "missing DIR";
  course.folder = a[0];
  if (!std::filesystem::is_directory(course.folder)) return "no such folder: " + a[0];
  const auto text = ReadFolderFile(course.folder, "contents.txt");
  if (!text) return "Cannot load contents file: no contents.txt in " + a[0];
  if (const auto b = ReadFolderFile(course.folder, BundleList::kFileName)) {
    course.bundles.Load(*b);
    course.hasBundleFile = true;
  }
  course.requestedBundle = bundle.value_or(0);
  course.contents.Load(*text, lessonBase ? *lessonBase : PersonalityLessonBase(course.folder), course.requestedBundle,
                       &course.bundles);
  for (const auto& w : course.contents.Warnings())
    std::cerr << "kncourse: warning: contents.txt:" << w.line << ": " << w.message << '\n';
  if (course.requestedBundle != course.contents.CurrentBundle())
    std::cerr << "kncourse: warning: bundle " << course.requestedBundle << " is not in "
              << (course.hasBundleFile ? "Bundle.txt" : "the course (no Bundle.txt)") << ": file order used\n";
  return std::nullopt;
}

std::string BundleText(const Course& c) {
  const int b = c.contents.CurrentBundle();
  if (b == 0) return "none (file order)";
  return std::to_string(b) + " " + Show(c.bundles.Key(b)) + " (" + Show(c.bundles.Value(b)) + ")";
}

std::string Optional(const std::optional<std::string>& s) { return s ? "\"" + Show(*s) + "\"" : "none"; }

}  // namespace

namespace kncourse {

int ContentsTree(Args a) {
  Course course;
  if (auto error = LoadCourse(a, course)) kncourse::BadUsage(*error);
  if (a.size() != 1) kncourse::BadUsage("contents takes one DIR");

  const ContentsTable& t = course.contents;
  std::printf("lessons: %d  groups: %d  orderings: %d  text: %zu bytes\n", t.LessonCount(), t.GroupCount(),
              t.OrderingCount(), t.PoolSize());
  std::printf("lesson base: %d\nbundle: %s\n", t.LessonBase(), BundleText(course).c_str());
  for (int pos = 0; pos < t.LessonCount(); ++pos) {
    const ContentsLesson& l = *t.Lesson(pos);
    if (const ContentsGroup* g = t.Group(l.headingGroup)) std::printf("\nGroup  %s\n", Show(t.String(g->title)).c_str());
    std::printf("  Lesson %d  %s  [%s]\n", t.LessonBase() + pos, Show(t.String(l.title)).c_str(),
                Show(t.String(l.code)).c_str());
    for (int p = 0; p < l.pageCount; ++p) {
      const ContentsPage& page = l.pages[static_cast<std::size_t>(p)];
      std::printf("    Page %d  %s  %s\n", p + 1, Show(t.String(page.title)).c_str(),
                  Show(ActivityLocator(pos, p, -1).FileName(t)).c_str());
      for (int i = 0; i < page.activityCount; ++i) {
        const ContentsActivity& act = page.activities[static_cast<std::size_t>(i)];
        std::printf("      %d  %-17s  %s  %s\n", i + 1, ActivityKindName(act.kind).c_str(), Show(t.String(act.title)).c_str(),
                    act.file ? Show(t.String(act.file)).c_str() : "(no file)");
      }
    }
  }
  return 0;
}

int ResolveId(Args a) {
  Course course;
  if (auto error = LoadCourse(a, course)) kncourse::BadUsage(*error);
  if (a.size() != 2) kncourse::BadUsage("resolve takes DIR and ID");

  const ContentsTable& t = course.contents;
  const auto loc = t.Resolve(a[1]);
  if (!loc) {
    std::printf("not found\n");
    return 1;
  }
  const int kind = loc->Kind(t);
  std::printf("lesson:    %d (lesson %d, code %s)\n", loc->lesson, t.LessonBase() + loc->lesson,
              Show(loc->LessonCodeOf(t)).c_str());
  std::printf("page:      %d\nactivity:  %d\nmark:      %d\nkind:      %d\n", loc->page, loc->activity, loc->mark,
              loc->kind);
  std::printf("file:      %s\nsource:    %s\n", Optional(loc->file).c_str(), Optional(loc->source).c_str());
  std::printf("Kind:      %d %s\n", kind, ActivityKindName(kind).c_str());
  std::printf("Describe:  %s\n", Show(loc->Describe(t)).c_str());
  const std::string path = loc->Path(t, loc->FileName(t));
  std::printf("Path:      %s\n", Show(path).c_str());

  const auto onDisk = ResolveCoursePath(course.folder, path);
  std::printf("on disk:   %s\n", onDisk ? onDisk->string().c_str() : "missing");
  if (onDisk && (kind == kKindExposition || kind == kKindHandsOn) && std::filesystem::is_regular_file(*onDisk)) {
    auto file = CourseFile::Open(*onDisk);
    std::uint8_t header[12];
    const auto got = file.read(header, sizeof header);
    if (const auto code = ToolCodeOfScript(std::span(header, got)))
      std::printf("window:    %s (%s)\n", std::string(ToolWindowClassName(ToolWindowClass(*code))).c_str(),
                  Show(TypeCodeToString(*code)).c_str());
  }
  return 0;
}

}  // namespace kncourse
