// kncourse glossary / index: the course glossary and index as the player reads them,
// through the same readers.
#include <cstdio>
#include <filesystem>
#include <optional>
#include <string>

#include "Kncourse.h"
#include "course/ActivityKind.h"
#include "course/ActivityLocator.h"
#include "course/AsteriskSourceList.h"
#include "course/ContentsTable.h"
#include "course/CourseFile.h"
#include "course/CoursePath.h"
#include "course/ResourceContainer.h"
#include "glossary/GlossaryTable.h"
#include "glossary/IndexTable.h"

namespace {

using kncourse::Args;
using kncourse::Show;

GlossaryTable OpenGlossary(const std::string& path) {
  GlossaryTable table;
  table.Load(ResourceContainer::Open(path));  // a damaged file throws: reported by the dispatcher
  return table;
}

IndexTable OpenIndex(const std::string& path) {
  IndexTable index;
  auto file = CourseFile::Open(path);
  index.Parse(file.readAll());
  return index;
}

// contents.txt and asterisk.txt of a course folder; the contents' lessons numbered from 1.
struct IndexCourse {
  ContentsTable contents;
  AsteriskSourceList asterisks;
};

std::optional<std::string> ReadText(const std::filesystem::path& folder, std::string_view name) {
  const auto path = ResolveCoursePath(folder, name);
  if (!path || !std::filesystem::is_regular_file(*path)) return std::nullopt;
  const auto bytes = CourseFile::Open(*path).readAll();
  return std::string(bytes.begin(), bytes.end());
}

std::string Place(const ActivityLocator& at, const ContentsTable& contents) {
  if (at.lesson < 0) return "glossary";
  std::string place = std::to_string(contents.LessonBase() + at.lesson);
  if (at.page >= 0) place += "." + std::to_string(at.page + 1);
  if (at.activity >= 0) place += "." + std::to_string(at.activity + 1);
  return place;
}

int IndexFind(Args a) {
  if (a.size() != 2) kncourse::BadUsage("index find takes FILE and NAME");
  const IndexTable index = OpenIndex(a[0]);
  const int i = index.FindTerm(a[1]);
  if (i < 0) {
    std::printf("not found\n");
    return 1;
  }
  std::printf("%d  %s  (%d references)\n", i, Show(index.TermName(i)).c_str(), index.ReferenceCount(i));
  return 0;
}

}  // namespace

namespace kncourse {

int GlossaryList(Args a) {
  if (a.size() != 1) BadUsage("glossary list takes one FILE");
  const GlossaryTable table = OpenGlossary(a[0]);
  std::printf("terms: %d\n", table.Count());
  for (int i = 0; i < table.Count(); ++i) {
    const GlossaryTerm& t = table.terms()[static_cast<std::size_t>(i)];
    std::printf("%5d  %-32s  %u bytes at %u\n", i, Show(t.name).c_str(), t.length, t.start);
  }
  return 0;
}

int GlossaryFind(Args a) {
  if (a.size() != 2) BadUsage("glossary find takes FILE and TEXT");
  const GlossaryTable table = OpenGlossary(a[0]);
  const int i = table.FindTerm(a[1]);
  if (i < 0) {
    std::printf("not found\n");
    return 1;
  }
  std::printf("%d  %s\n", i, Show(table.TermName(i)).c_str());
  return 0;
}

int GlossaryShow(Args a) {
  const std::string phrase = TakeOption(a, "phrase").value_or("");
  if (a.size() != 2) BadUsage("glossary show takes FILE and TERM");
  const GlossaryTable table = OpenGlossary(a[0]);
  const int i = table.FindTerm(a[1]);
  if (i < 0) {
    std::fprintf(stderr, "kncourse: Could not find the glossary term '%s'.\n", a[1].c_str());
    return 1;
  }
  const std::string text = GlossaryPlainText(GlossaryDisplayText(table.TermName(i), table.Definition(i), phrase));
  std::printf("%s\n", Show(text).c_str());
  return 0;
}

int IndexShow(Args a) {
  if (!a.empty() && a[0] == "find") return IndexFind(Args(a.begin() + 1, a.end()));
  const auto folder = TakeOption(a, "course");
  if (a.size() != 1) BadUsage("index takes one FILE");
  const IndexTable index = OpenIndex(a[0]);
  std::optional<IndexCourse> course;
  if (folder) {
    const auto contents = ReadText(*folder, "contents.txt");
    if (!contents) return Fail("no contents.txt in " + *folder);
    course.emplace();
    course->contents.Load(*contents, 1, 0, nullptr);
    if (const auto asterisks = ReadText(*folder, "asterisk.txt")) course->asterisks.Load(*asterisks);
  }
  std::printf("terms: %d\n", index.Count());
  for (int t = 0; t < index.Count(); ++t) {
    std::printf("%s\n", Show(index.TermName(t)).c_str());
    for (int row = 0; row < index.ReferenceCount(t); ++row) {
      const IndexReference& r = index.terms()[static_cast<std::size_t>(t)].references[static_cast<std::size_t>(row)];
      std::printf("  %-6d", r.number);
      if (course) {
        const ActivityLocator at = index.Reference(t, row, course->contents, &course->asterisks);
        const int kind = at.lesson < 0 ? -1 : at.Kind(course->contents);
        const std::string file = at.lesson < 0 ? std::string() : at.FileName(course->contents);
        std::printf("  %-17s  %-9s  %-16s  %s", kind < 0 ? "Glossary" : ActivityKindName(kind).c_str(),
                    Place(at, course->contents).c_str(), file.empty() ? "-" : Show(file).c_str(),
                    at.lesson < 0 ? "Glossary definition" : Show(at.Describe(course->contents)).c_str());
      } else if (!r.file.empty()) {
        std::printf("  %s", Show(r.file).c_str());
      }
      std::printf("\n");
    }
  }
  return 0;
}

}  // namespace kncourse
