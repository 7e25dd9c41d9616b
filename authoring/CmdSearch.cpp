// kncourse search: the player's search across the course, run on a course folder, each
// hit shown with the activity it stands for, in the order the Search dialog visits them.
#include <cstdio>
#include <filesystem>
#include <iostream>
#include <string>

#include "Kncourse.h"
#include "course/ActivityKind.h"
#include "course/AsciiCase.h"
#include "course/ContentsTable.h"
#include "course/CourseFile.h"
#include "course/CourseFileError.h"
#include "course/CoursePath.h"
#include "course/CourseText.h"
#include "search/CourseSearch.h"

namespace {

using kncourse::Args;

// A --types entry: the type's name without spaces or dashes ("handson"), or its extension.
int TypeOfWord(std::string_view word) {
  const std::string w = ToAsciiLower(word);
  for (int t = 0; t < kSearchTypeCount; ++t) {
    std::string name;
    for (const char* c = SearchTypeOf(t).name; *c; ++c)
      if (*c != ' ' && *c != '-') name += AsciiLower(*c);
    const std::string_view extension = SearchTypeOf(t).extension;
    if (w == name || w == extension || w == extension.substr(1) || (name.starts_with(w) && w.size() >= 4)) return t;
  }
  return -1;
}

std::vector<std::string> SplitList(const std::string& list) {
  std::vector<std::string> parts;
  std::size_t at = 0;
  while (at <= list.size()) {
    std::size_t comma = list.find(',', at);
    if (comma == std::string::npos) comma = list.size();
    if (comma > at) parts.push_back(list.substr(at, comma - at));
    at = comma + 1;
  }
  return parts;
}

void PrintHit(const SearchHit& hit, const ContentsTable& contents) {
  const ActivityLocator& l = hit.locator;
  std::cout << kncourse::Show(l.LessonCodeOf(contents)) << '\t' << kncourse::Show(hit.coursePath) << '\t'
            << ActivityKindName(l.Kind(contents)) << '\t' << int(l.lesson) << '.' << int(l.page) << '.'
            << int(l.activity) << '\t' << kncourse::Show(l.Describe(contents)) << '\n';
}

}  // namespace

namespace kncourse {

int SearchCourse(Args args) {
  SearchSettings settings;
  if (const auto method = TakeOption(args, "method")) {
    if (*method == "asis") settings.method = kMethodAsIs;
    else if (*method == "and") settings.method = kMethodAnd;
    else if (*method == "or") settings.method = kMethodOr;
    else BadUsage("--method is asis, and or or");
  }
  settings.caseSensitive = TakeSwitch(args, "case");
  settings.regex = TakeSwitch(args, "regex");
  const bool all = TakeSwitch(args, "all");
  const std::optional<std::string> types = TakeOption(args, "types");
  const std::optional<std::string> lessons = TakeOption(args, "lessons");
  if (args.size() < 2) BadUsage("expected ROOT and the words to search for");
  const std::filesystem::path root(args[0]);
  for (std::size_t i = 1; i < args.size(); ++i) settings.text += (i > 1 ? " " : "") + Utf8ToCourse(args[i]);

  const auto course = ResolveCoursePath(root, "course");
  const auto contentsPath = ResolveCoursePath(root, "course\\contents.txt");
  if (!course || !contentsPath) return Fail("no course/contents.txt in " + root.string());
  ContentsTable contents;
  try {
    const auto bytes = CourseFile::Open(*contentsPath).readAll();
    contents.Load(std::string(bytes.begin(), bytes.end()), 1, 0, nullptr);
  } catch (const CourseFileError& e) {
    return Fail(e.what());
  }
  if (types) {
    settings.types.fill(false);
    for (const std::string& word : SplitList(*types)) {
      const int t = TypeOfWord(word);
      if (t < 0) BadUsage("unknown activity type '" + word + "'");
      settings.types[static_cast<std::size_t>(t)] = true;
    }
  }
  if (lessons) {
    settings.lessons.assign(static_cast<std::size_t>(contents.LessonCount()), false);
    for (const std::string& code : SplitList(*lessons)) {
      bool known = false;
      for (int l = 0; l < contents.LessonCount(); ++l)
        if (EqualNoCase(contents.String(contents.Lesson(l)->code), code)) known = settings.lessons[std::size_t(l)] = true;
      if (!known) BadUsage("no lesson with the code '" + code + "'");
    }
  }

  const TextMatcher probe(settings.text, settings.method, settings.caseSensitive, settings.regex);
  if (probe.tooManyTerms()) std::cerr << "Too many terms in search string.\n";
  const SearchOutcome outcome =
      CourseSearch(contents, FolderUnder(*course)).Run(settings, std::nullopt, all ? SIZE_MAX : 1);
  for (const SearchHit& hit : outcome.hits) PrintHit(hit, contents);
  if (!all && outcome.continuation) {
    const ContentsLesson* lesson = contents.Lesson(outcome.continuation->lesson);
    std::cout << "next: after " << Show(contents.String(lesson->code)) << '/' << Show(outcome.continuation->path)
              << '\n';
  }
  return outcome.hits.empty() ? 1 : 0;
}

}  // namespace kncourse
