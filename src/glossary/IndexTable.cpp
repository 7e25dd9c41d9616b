#include "glossary/IndexTable.h"

#include <limits>

#include "course/AsciiCase.h"
#include "course/AsteriskSourceList.h"
#include "course/ContentsTable.h"
#include "course/CourseFile.h"
#include "course/CourseFileError.h"
#include "course/CourseLocations.h"
#include "glossary/TermLookup.h"

namespace {

bool IsLineEnd(std::uint8_t b) { return b == '\r' || b == '\n' || b == 0; }

// The leading integer of a field (blanks, a sign, digits), held to the int32 range;
// end receives where its digits stop.
std::int32_t LeadingInteger(std::string_view field, std::size_t& end) {
  std::size_t i = 0;
  while (i < field.size() && (field[i] == ' ' || field[i] == '\t')) ++i;
  bool negative = false;
  if (i < field.size() && (field[i] == '-' || field[i] == '+')) negative = field[i++] == '-';
  std::int64_t value = 0;
  for (; i < field.size() && field[i] >= '0' && field[i] <= '9'; ++i)
    value = std::min<std::int64_t>(value * 10 + (field[i] - '0'), std::int64_t{1} << 40);
  end = i;
  if (negative) value = -value;
  return static_cast<std::int32_t>(std::clamp<std::int64_t>(value, std::numeric_limits<std::int32_t>::min(),
                                                             std::numeric_limits<std::int32_t>::max()));
}

IndexReference ParseReference(std::string_view field) {
  IndexReference r;
  std::size_t end = 0;
  r.number = LeadingInteger(field, end);
  if (r.number >= 0 && r.number % 10 == 9) {
    while (end < field.size() && ((field[end] >= '0' && field[end] <= '9') || field[end] == '_')) ++end;
    r.file = std::string(field.substr(end));
  }
  return r;
}

IndexTerm ParseLine(std::string_view line) {
  IndexTerm t;
  // The first byte always belongs to the term, even a TAB.
  const std::size_t tab = line.find('\t', 1);
  t.name = std::string(line.substr(0, tab));
  if (tab == std::string_view::npos) return t;
  std::size_t at = tab + 1;
  while (at <= line.size() && static_cast<int>(t.references.size()) < IndexTable::kMaxReferences) {
    const std::size_t next = std::min(line.find('\t', at), line.size());
    const std::string_view field = line.substr(at, next - at);
    if (!field.empty()) t.references.push_back(ParseReference(field));
    at = next + 1;
  }
  return t;
}

}  // namespace

void IndexTable::Parse(std::span<const std::uint8_t> text) {
  m_terms.clear();
  m_names.clear();
  const std::string_view all(reinterpret_cast<const char*>(text.data()), text.size());
  std::size_t at = 0;
  while (at < all.size()) {
    std::size_t end = at;
    while (end < all.size() && !IsLineEnd(static_cast<std::uint8_t>(all[end]))) ++end;
    if (end - at >= 2) m_terms.push_back(ParseLine(all.substr(at, end - at)));
    at = end;
    while (at < all.size() && IsLineEnd(static_cast<std::uint8_t>(all[at]))) ++at;
  }
  for (const IndexTerm& t : m_terms) m_names.emplace_back(t.name);
}

bool IndexTable::LoadCourseIndex(std::string* why) {
  *this = IndexTable();
  CourseFile file;
  if (!OpenCourseFile(file, kFileName, kSearchCourse)) {
    if (why) *why = std::string(kFileName) + " is not in the course";
    return false;
  }
  try {
    // An index of a few thousand lines is some hundred kilobytes; 16 MiB is far beyond any.
    if (file.size() > (16u << 20))
      throw CourseFileError(CourseFileError::Kind::Format, file.path(), "the index is larger than 16 MiB", 0);
    Parse(file.readAll());
    return true;
  } catch (const CourseFileError& e) {
    *this = IndexTable();
    if (why) *why = e.what();
    return false;
  }
}

std::string IndexTable::TermName(int index) const {
  return index >= 0 && index < Count() ? m_terms[static_cast<std::size_t>(index)].name : std::string();
}

int IndexTable::ReferenceCount(int index) const {
  return index >= 0 && index < Count() ? static_cast<int>(m_terms[static_cast<std::size_t>(index)].references.size())
                                       : 0;
}

ActivityLocator IndexTable::Reference(int term, int row, const ContentsTable& contents,
                                      const AsteriskSourceList* asterisks) const {
  ActivityLocator none;
  if (row < 0 || row >= ReferenceCount(term)) return none;
  const IndexReference& r = m_terms[static_cast<std::size_t>(term)].references[static_cast<std::size_t>(row)];
  if (r.number < 0) return none;
  const int display = contents.IndexToDisplay(r.number / 100 - contents.LessonBase());
  const ContentsLesson* lesson = display >= 0 ? contents.Lesson(display) : nullptr;
  if (!lesson) return none;
  if (r.number % 10 != 9) return ActivityLocator(display, (r.number / 10) % 10, r.number % 10);

  ActivityLocator doc(display, -1, -1);
  struct Kind {
    const char* extension;
    const char* title;
    int kind;
  };
  static constexpr Kind kKinds[] = {{".ast", "Asterisk", 9}, {".wrk", "Homework", 11}, {".prj", "Project", 10},
                                    {".lab", "Lab", 12}};
  for (const Kind& k : kKinds) {
    if (!ContainsNoCase(r.file, k.extension)) continue;
    std::string title = k.title;
    if (k.kind == 9 && asterisks) {
      const std::string listed = asterisks->ValueOf(r.file);
      if (!listed.empty()) title = listed;
    }
    doc.kind = static_cast<std::uint8_t>(k.kind);
    doc.file = r.file;
    doc.source = std::string(contents.String(lesson->title)) + " : " + title;
    return doc;
  }
  return doc;  // a document of no known kind: the lesson alone
}

int IndexTable::FindTerm(std::string_view name) const { return FindTermIn(m_names, name, "s", SuffixTest::Folded); }

int IndexTable::FirstTermStartingWith(char c) const { return FirstNameStartingWith(m_names, c); }
