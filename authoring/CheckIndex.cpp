// index.txt: every reference as the index bar decodes it: lessons by number, pages and
// activities that exist, the files of special references, glossary pointers that find
// their term, and the 71 references a line keeps.
#include "CourseCheck.h"
#include "course/ActivityKind.h"
#include "course/ActivityLocator.h"
#include "course/AsciiCase.h"
#include "glossary/IndexTable.h"

namespace kncheck {
namespace {

constexpr const char* kFile = "index.txt";

void CheckReference(CourseCheck& check, int line, const std::string& term, const IndexReference& r) {
  const std::string field = std::to_string(r.number) + r.file;
  const std::int64_t number = r.number;
  const ContentsTable& t = check.contents;
  const std::int64_t lessonPos = number / 100 - t.LessonBase();
  if (number < 0 || lessonPos < 0 || lessonPos >= t.LessonCount()) {
    if (number >= 0)
      check.Report(kFile, line, "\"" + field + "\" names lesson " + std::to_string(number / 100) +
                                    ", which the contents do not have: the row shows the glossary definition");
    if (check.glossaryLoaded && !check.GlossaryHasTerm(term))
      check.Report(kFile, line, "\"" + term + "\" points to the glossary, which has no such term");
    return;
  }
  const ContentsLesson& lesson = *t.Lesson(t.IndexToDisplay(static_cast<int>(lessonPos)));
  if (number % 10 == 9) {
    const int kind = KindOfFileName(r.file);
    if (!IsLessonLevelKind(kind)) {
      check.Report(kFile, line, "\"" + field + "\": a special reference names an .ast, .wrk, .prj or .lab file");
      return;
    }
    const std::string path = std::string(t.String(lesson.code)) + std::string(LessonLevelFolder(kind)) + r.file;
    if (!check.Find(path)) check.Report(kFile, line, "\"" + field + "\" refers to " + CourseCheck::Display(path) + ", which is missing");
    return;
  }
  const int page = static_cast<int>((number / 10) % 10), activity = static_cast<int>(number % 10);
  if (page >= lesson.pageCount) {
    check.Report(kFile, line, "\"" + field + "\": lesson " + std::to_string(number / 100) + " has " +
                                  std::to_string(lesson.pageCount) + " pages (page digits count from 0)");
    return;
  }
  const int count = lesson.pages[static_cast<std::size_t>(page)].activityCount;
  if (count > 0 && activity >= count)
    check.Report(kFile, line, "\"" + field + "\": that page has " + std::to_string(count) +
                                  " activities (activity digits count from 0)");
}

// Fields of a line that are not numbers: the reader takes them as reference 0.
void CheckFields(CourseCheck& check, int line, const std::string& row, std::size_t tab) {
  int count = 0;
  for (std::size_t at = tab; at != std::string::npos && at < row.size();) {
    const std::size_t next = row.find('\t', at + 1);
    const std::string field = row.substr(at + 1, next == std::string::npos ? std::string::npos : next - at - 1);
    at = next;
    if (field.empty()) continue;
    if (++count > IndexTable::kMaxReferences) {
      check.Report(kFile, line, "more than 71 references: the rest are dropped");
      return;
    }
    const std::size_t digits = field.find_first_of("0123456789");
    if (digits == std::string::npos || field.find_first_not_of(" -+") < digits)
      check.Report(kFile, line, "\"" + field + "\" is not a reference number");
  }
}

void CheckIndex(CourseCheck& check) {
  const auto bytes = check.Read(kFile);
  if (!bytes) {
    check.Report(kFile, 0, "the player shows \"Cannot load index file\": the index is empty");
    return;
  }
  if (!check.contentsLoaded) return;
  const std::string text(bytes->begin(), bytes->end());
  int line = 1;
  std::size_t pos = 0;
  std::vector<std::string> seen;
  while (pos < text.size()) {
    std::size_t end = text.find_first_of(std::string("\r\n\0", 3), pos);
    if (end == std::string::npos) end = text.size();
    const std::string row = text.substr(pos, end - pos);
    if (row.size() >= 2) {
      const std::size_t tab = row.find('\t', 1);
      const std::string term = row.substr(0, tab);
      const std::string lower = ToAsciiLower(term);
      if (std::find(seen.begin(), seen.end(), lower) != seen.end())
        check.Report(kFile, line, "the term \"" + term + "\" is listed twice: lookups find the first");
      seen.push_back(lower);
      // The line as the player's reader takes it.
      IndexTable one;
      one.Parse(std::span(reinterpret_cast<const std::uint8_t*>(row.data()), row.size()));
      CheckFields(check, line, row, tab);
      if (one.ReferenceCount(0) == 0) check.Report(kFile, line, "the term \"" + term + "\" has no reference");
      for (const IndexReference& r : one.terms().empty() ? std::vector<IndexReference>() : one.terms()[0].references)
        CheckReference(check, line, term, r);
    }
    // Any run of CR, LF and NUL separates lines; count each CR LF or LF once.
    if (end < text.size() && text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n') ++end;
    if (end < text.size()) ++line;
    pos = end + 1;
  }
}

}  // namespace

KN_COURSE_CHECK(80, "index", CheckIndex);

}  // namespace kncheck
