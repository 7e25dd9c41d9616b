// Hypertext documents of a lesson: the asterisk, homework, labs and projects folders
// (the files each window collects, their titles, bundle references and markup) and the
// numbered pages of documentation activities.
#include <filesystem>

#include "CheckMarkup.h"
#include "CheckPages.h"
#include "CheckPictures.h"
#include "CourseCheck.h"
#include "course/ActivityKind.h"
#include "course/ActivityLocator.h"
#include "course/AsciiCase.h"
#include "course/CoursePath.h"

namespace kncheck {
namespace {

constexpr std::size_t kMaxTitle = 128;

// One hypertext file in a container; returns whether it has a title.
bool CheckDocument(CourseCheck& check, const std::string& path, const std::string& code) {
  auto container = check.OpenContainer(path);
  if (!container) return true;
  const std::string file = CourseCheck::Display(path);
  CheckContainerPictures(check, *container, file);
  const auto section = container->ReadTextSection();
  if (section.empty()) check.Report(file, 0, "the document has no text");
  const ScannedMarkup markup = ScanMarkup(std::string_view(reinterpret_cast<const char*>(section.data()), section.size()));
  CheckMarkupReferences(check, file, markup, &*container, code);
  bool titled = false;
  for (const MarkupTag& tag : markup.tags) {
    if (tag.closing && !tag.name.empty() && tag.name[0] == 't') {
      titled = true;
      if (tag.textBefore.size() >= kMaxTitle)
        check.Report(file, tag.line, "the title is " + std::to_string(tag.textBefore.size()) +
                                         " bytes long: lists show only titles below 128");
    }
    if (tag.name.empty() || tag.name[0] != '!') continue;
    for (const auto& [name, value] : tag.attributes) {
      if (name.rfind("ref", 0) == 0 && check.bundlesLoaded && check.bundles.ValueOf(value).empty())
        check.Report(file, tag.line, "\"" + value + "\" names no bundle of Bundle.txt");
      if (name.rfind("o", 0) == 0 && value.size() >= 16)
        check.Report(file, tag.line, "order keys are shorter than 16 characters: this one is ignored");
    }
  }
  return titled;
}

void CheckLessonFolder(CourseCheck& check, const std::string& code, int kind) {
  const std::string_view sub = LessonLevelFolder(kind);  // "\homework\" ...
  const std::string folderName = code + std::string(sub.substr(0, sub.size() - 1));
  const auto folder = ResolveCoursePath(check.folder(), folderName);
  if (!folder || !std::filesystem::is_directory(*folder)) return;
  const std::string extension(ActivityKindExtension(kind));
  std::vector<std::string> names;
  for (const auto& e : std::filesystem::directory_iterator(*folder))
    if (e.is_regular_file()) names.push_back(e.path().filename().string());
  std::sort(names.begin(), names.end());
  for (const std::string& name : names) {
    if (name[0] == '#' || name[0] == '.') continue;
    const std::string path = folderName + "\\" + name;
    if (KindOfFileName(name) != kind) {
      check.Report(CourseCheck::Display(path), 0, "not collected: files of this folder end in ." + extension);
      continue;
    }
    const bool titled = CheckDocument(check, path, code);
    if (!titled && kind != kKindAsterisk)
      check.Report(CourseCheck::Display(path), 0, "no <title>: the list shows the window's name in its place");
    if (kind == kKindAsterisk && check.asterisksLoaded && check.asterisks.IndexOf(name) < 0)
      check.Report(CourseCheck::Display(path), 0, "no source of asterisk.txt claims this note by its first letters");
  }
}

// Documentation pages: NAME01.doc, NAME02.doc, ... read until the first number missing.
void CheckDocumentation(CourseCheck& check, const std::string& path, const std::string& code) {
  if (path.size() < 7) return;
  CheckDocument(check, path, code);
  const std::size_t digits = path.size() - 6;
  for (int n = 2; n <= 99; ++n) {
    std::string next = path;
    next[digits] = static_cast<char>('0' + n / 10);
    next[digits + 1] = static_cast<char>('0' + n % 10);
    if (!check.Find(next)) break;
    CheckDocument(check, next, code);
  }
}

void CheckTexts(CourseCheck& check) {
  if (!check.contentsLoaded) return;
  const ContentsTable& t = check.contents;
  for (int pos = 0; pos < t.LessonCount(); ++pos) {
    const ContentsLesson& lesson = *t.Lesson(pos);
    const std::string code(t.String(lesson.code));
    if (code.empty()) continue;
    for (int kind : {kKindAsterisk, kKindProject, kKindHomework, kKindLab}) CheckLessonFolder(check, code, kind);
    for (int p = 0; p < lesson.pageCount; ++p) {
      const ContentsPage& page = lesson.pages[static_cast<std::size_t>(p)];
      for (int a = 0; a < page.activityCount; ++a) {
        const ContentsActivity& act = page.activities[static_cast<std::size_t>(a)];
        if (act.kind != kKindDocumentation || !act.file) continue;
        const std::string path = ActivityLocator(pos, p, a).Path(t, t.String(act.file));
        if (check.Find(path)) CheckDocumentation(check, path, code);
      }
    }
  }
}

}  // namespace

KN_COURSE_CHECK(50, "texts", CheckTexts);

}  // namespace kncheck
