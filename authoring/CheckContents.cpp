// contents.txt, Bundle.txt and asterisk.txt: what the loader drops or cuts, lessons
// without codes or folders, activities whose files are missing or whose extension
// opens another window than their letter says, and orderings that name nothing.
#include <map>

#include "CourseCheck.h"
#include "course/ActivityKind.h"
#include "course/ActivityLocator.h"
#include "course/AsciiCase.h"
#include "course/CoursePath.h"

namespace kncheck {
namespace {

constexpr const char* kContents = "contents.txt";

std::string Text(const std::vector<std::uint8_t>& bytes) { return std::string(bytes.begin(), bytes.end()); }

// Bundle.txt and asterisk.txt: lines the list reader passes over and keys it never reaches.
void CheckKeyFile(CourseCheck& check, const char* file, CourseKeyList& list, bool& loaded) {
  const auto bytes = check.Read(file);
  if (!bytes) {
    check.Report(file, 0, "the player shows \"Cannot load asterisk or bundle file\" and goes on with an empty list");
    return;
  }
  const std::string text = Text(*bytes);
  list.Load(text);
  loaded = true;
  int line = 1;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find_first_of("\r\n", start);
    const std::string_view row = std::string_view(text).substr(start, end == std::string::npos ? std::string::npos : end - start);
    if (end == std::string::npos && row.size() >= 2)
      check.Report(file, line, "the last line has no line end and is not read");
    if (end == std::string::npos) break;
    if (text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n') ++end;
    start = end + 1;
    ++line;
  }
  const auto& entries = list.Entries();
  for (std::size_t i = 0; i < entries.size(); ++i)
    for (std::size_t j = 0; j < i; ++j)
      if (!entries[j].key.empty() && entries[i].key.rfind(entries[j].key, 0) == 0) {
        check.Report(file, 0, "the key \"" + entries[i].key + "\" begins with the earlier key \"" + entries[j].key +
                                  "\", which claims every name it would match");
        break;
      }
}

void CheckOrderings(CourseCheck& check) {
  const ContentsTable& t = check.contents;
  std::vector<bool> bundleOrdered(static_cast<std::size_t>(std::max(0, check.bundles.Count())), false);
  for (int o = 0; o < t.OrderingCount(); ++o) {
    const std::string text(t.Ordering(o));
    const int line = check.ContentsLine("*" + text);
    const std::size_t colon = text.find(':');
    bool chosen = false;
    for (int b = 1; b < check.bundles.Count(); ++b) {
      const std::string key = ToAsciiUpper(check.bundles.Key(b));
      if (!key.empty() && text.rfind(key, 0) == 0) {
        chosen = true;
        if (!bundleOrdered[static_cast<std::size_t>(b)]) bundleOrdered[static_cast<std::size_t>(b)] = true;
      }
    }
    if (!chosen) check.Report(kContents, line, "no bundle of Bundle.txt chooses this ordering line");
    const std::string list = colon == std::string::npos ? text : text.substr(colon + 1);
    std::size_t start = 0;
    while (start <= list.size()) {
      std::size_t end = list.find(',', start);
      if (end == std::string::npos) end = list.size();
      const std::string token = list.substr(start, end - start);
      if (token.size() == 1) {
        const int group = token[0] - '0';
        if (group < 1 || group > t.GroupCount())
          check.Report(kContents, line, "\"" + token + "\" names no lesson group (there are " +
                                            std::to_string(t.GroupCount()) + ")");
      } else if (!token.empty() && !t.ResolveLessonCode(token)) {
        check.Report(kContents, line, "\"" + token + "\" is no lesson code");
      }
      start = end + 1;
    }
  }
  for (int b = 1; b < check.bundles.Count(); ++b)
    if (!bundleOrdered[static_cast<std::size_t>(b)])
      check.Report("Bundle.txt", 0, "bundle \"" + check.bundles.Key(b) + "\" has no ordering line \"*" +
                                        ToAsciiUpper(check.bundles.Key(b)) + ":...\" in contents.txt: lessons stay in file order");
}

void CheckLessons(CourseCheck& check) {
  const ContentsTable& t = check.contents;
  std::map<std::string, int> codes;
  for (int pos = 0; pos < t.LessonCount(); ++pos) {
    const ContentsLesson& lesson = *t.Lesson(pos);
    const std::string title(t.String(lesson.title));
    const std::string code(t.String(lesson.code));
    const int lessonLine = check.ContentsLine("=" + title);
    if (code.empty()) {
      check.Report(kContents, lessonLine, "lesson \"" + title + "\" has no \"d\" line: its pages have no folder");
      continue;
    }
    const std::string lower = ToAsciiLower(code);
    if (codes.count(lower))
      check.Report(kContents, check.ContentsLine("d=" + code), "the lesson code \"" + code +
                                                                   "\" is used twice: identifiers with it find only the first lesson");
    codes[lower] = pos;
    const auto folder = ResolveCoursePath(check.folder(), code);
    if (!folder || !std::filesystem::is_directory(*folder))
      check.Report(kContents, check.ContentsLine("d=" + code), "the lesson folder " + code + "/ is missing");
    for (int p = 0; p < lesson.pageCount; ++p) {
      const ContentsPage& page = lesson.pages[static_cast<std::size_t>(p)];
      for (int a = 0; a < page.activityCount; ++a) {
        const ContentsActivity& act = page.activities[static_cast<std::size_t>(a)];
        const std::string actTitle(t.String(act.title));
        if (!act.file) {
          check.Report(kContents, check.ContentsLine("=" + actTitle), "activity \"" + actTitle +
                                                                          "\" has no file (title, TAB, file name): it cannot be started");
          continue;
        }
        const std::string file(t.String(act.file));
        const int line = check.ContentsLine("\t" + file);
        const int byExtension = KindOfFileName(file);
        if (byExtension != act.kind)
          check.Report(kContents, line, "\"" + file + "\" is listed as " + ActivityKindName(act.kind) +
                                            " but its extension makes it " +
                                            (byExtension ? ActivityKindName(byExtension) : std::string("no known kind")));
        const std::string path = ActivityLocator(pos, p, a).Path(t, file);
        if (!check.Find(path))
          check.Report(kContents, line, "the file " + CourseCheck::Display(path) + " is missing");
        check.visited.insert(ToAsciiLower(CourseCheck::Display(path)));
        if (act.kind == kKindMovie && path.size() > 4 && !check.Find(path.substr(0, path.size() - 4) + ".mtx"))
          check.Report(kContents, line, "the movie has no transcript " + CourseCheck::Display(path.substr(0, path.size() - 4)) +
                                            ".mtx: its text cannot be shown and the search does not find it");
      }
    }
  }
}

void CheckContents(CourseCheck& check) {
  CheckKeyFile(check, BundleList::kFileName, check.bundles, check.bundlesLoaded);
  CheckKeyFile(check, AsteriskSourceList::kFileName, check.asterisks, check.asterisksLoaded);
  const auto bytes = check.Read(kContents);
  if (!bytes) {
    check.Report(kContents, 0, "the player shows \"Cannot load contents file\": the course has no lessons");
    return;
  }
  check.contentsText = Text(*bytes);
  check.contents.Load(check.contentsText, check.lessonBase, 0, &check.bundles);
  check.contentsLoaded = true;
  for (const auto& w : check.contents.Warnings()) check.Report(kContents, w.line, w.message);
  if (check.contents.LessonCount() == 0) check.Report(kContents, 0, "the contents hold no lesson");
  CheckLessons(check);
  CheckOrderings(check);
}

}  // namespace

KN_COURSE_CHECK(20, "contents", CheckContents);

}  // namespace kncheck
