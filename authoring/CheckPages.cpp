// Lesson Book pages (<code>\<code><n>.pag): the page file for every page of the
// contents, its activity entries against the contents' activities, pictures named by
// img tags, defined terms against the glossary, asterisk markers and tool directives.
#include <array>

#include "CheckMarkup.h"
#include "CheckPages.h"
#include "CheckPictures.h"
#include "CourseCheck.h"
#include "course/ActivityLocator.h"
#include "course/AsciiCase.h"

namespace kncheck {

namespace {
// The tools a page can put on the accessories bar, by the index the directive selects.
constexpr std::array<const char*, 15> kTools = {"cent", "code", "cond", "dens", "dot", "guess", "histo", "least",
                                                "line", "prob", "proc", "random", "scat", "table", "targ"};
constexpr std::size_t kMaxParagraph = 2560;
}  // namespace

void CheckMarkupReferences(CourseCheck& check, std::string_view file, const ScannedMarkup& markup,
                           const ResourceContainer* container, const std::string& lessonCode) {
  for (const auto& issue : markup.issues) check.Report(file, issue.line, issue.message);
  std::string dfnText, anchorText;
  bool inDfn = false, inAnchor = false;
  const MarkupTag* anchor = nullptr;
  for (const MarkupTag& tag : markup.tags) {
    if (inDfn) dfnText += tag.textBefore;
    if (inAnchor) anchorText += tag.textBefore;
    const char first = tag.name.empty() ? '\0' : tag.name[0];
    if (tag.name == "img") {
      const std::string picture = tag.Attribute("s");
      if (!picture.empty() && container && !container->FindEntry(picture, kEntryPicture))
        check.Report(file, tag.line, "the picture \"" + picture + "\" is not in the file's pictures");
    } else if (first == 'd' && !tag.closing) {
      inDfn = true;
      dfnText.clear();
    } else if (first == 'd' && tag.closing && inDfn) {
      inDfn = false;
      std::string term = dfnText;
      while (!term.empty() && term.back() == ' ') term.pop_back();
      if (check.glossaryLoaded && !check.GlossaryHasTerm(term))
        check.Report(file, tag.line, "the defined term \"" + term + "\" finds no glossary term");
    } else if (first == 'a' && !tag.closing) {
      inAnchor = true;
      anchorText.clear();
      anchor = &tag;
    } else if (first == 'a' && tag.closing && inAnchor && anchor) {
      inAnchor = false;
      const unsigned char mark = anchorText.empty() ? 0 : static_cast<unsigned char>(anchorText[0]);
      if (mark == '*' || mark == 164 || mark == 215 || mark == 'x') {
        for (const auto& [name, value] : anchor->attributes) {
          if (name.empty() || name[0] != 'n') continue;
          const std::string path = lessonCode + "\\asterisk\\" + value;
          if (!check.Find(path))
            check.Report(file, anchor->line, "the asterisk note " + CourseCheck::Display(path) + " is missing");
          else if (check.asterisksLoaded && check.asterisks.IndexOf(value) < 0)
            check.Report(file, anchor->line, "no source of asterisk.txt claims \"" + value +
                                                 "\" by its first letters: the marker is never drawn");
        }
      }
    }
  }
}

namespace {

void CheckPage(CourseCheck& check, int lessonPos, int pageIndex) {
  const ContentsTable& t = check.contents;
  const ContentsLesson& lesson = *t.Lesson(lessonPos);
  const std::string code(t.String(lesson.code));
  if (code.empty()) return;  // reported by the contents check
  const ActivityLocator page(lessonPos, pageIndex, -1);
  const std::string path = page.Path(t);
  const std::string pageTitle(t.String(lesson.pages[static_cast<std::size_t>(pageIndex)].title));
  if (!check.Find(path)) {
    check.Report("contents.txt", check.ContentsLine("p=" + pageTitle),
                 "the page file " + CourseCheck::Display(path) + " is missing: the Lesson Book shows an empty page");
    check.visited.insert(ToAsciiLower(CourseCheck::Display(path)));
    return;
  }
  auto container = check.OpenContainer(path);
  if (!container) return;
  const std::string file = CourseCheck::Display(path);
  CheckContainerPictures(check, *container, file);
  const auto section = container->ReadTextSection();
  if (section.empty()) {
    check.Report(file, 0, "the page has no text");
    return;
  }
  const ScannedMarkup markup = ScanMarkup(std::string_view(reinterpret_cast<const char*>(section.data()), section.size()));
  CheckMarkupReferences(check, file, markup, &*container, code);

  int icons = 0, tools = 0;
  std::size_t paragraph = 0;
  int paragraphLine = 1;
  for (const MarkupTag& tag : markup.tags) {
    paragraph += tag.textBefore.size();
    if (tag.name == "img" && tag.HasAttribute("e")) ++icons;
    if (!tag.name.empty() && tag.name[0] == 'p') {
      if (paragraph > kMaxParagraph)
        check.Report(file, paragraphLine, "a paragraph of " + std::to_string(paragraph) + " bytes: the page keeps 2560");
      paragraph = 0;
      paragraphLine = tag.line;
    }
    if (tag.name.size() > 1 && tag.name[0] == 's')
      check.Report(file, tag.line, "<" + tag.name + "> is read by its first letter as <s>: the paragraph is drawn large");
    if (!tag.name.empty() && tag.name[0] == '!') {
      for (const auto& [name, value] : tag.attributes) {
        if (name.empty() || name[0] != 't') continue;
        if (++tools > 2) {
          check.Report(file, tag.line, "a page sets at most two tools: \"" + value + "\" is ignored");
          continue;
        }
        const auto known = std::find(kTools.begin(), kTools.end(), ToAsciiLower(value));
        if (known == kTools.end()) {
          check.Report(file, tag.line, "\"" + value + "\" is no tool name (cent, code, cond, dens, dot, guess, histo, "
                                                      "least, line, prob, proc, random, scat, table, targ)");
          continue;
        }
        const std::string toolFile = code + "\\" + code + value + ".scr";
        if (!check.Find(toolFile))
          check.Report(file, tag.line, "the tool button opens " + CourseCheck::Display(toolFile) + ", which is missing");
      }
    }
  }
  const int listed = lesson.pages[static_cast<std::size_t>(pageIndex)].activityCount;
  if (icons != listed)
    check.Report(file, 0, "the page shows " + std::to_string(icons) + " activity entries (img tags with an e attribute) "
                              "but contents.txt lists " + std::to_string(listed) + " activities for it");
}

void CheckPages(CourseCheck& check) {
  if (!check.contentsLoaded) return;
  for (int pos = 0; pos < check.contents.LessonCount(); ++pos)
    for (int p = 0; p < check.contents.Lesson(pos)->pageCount; ++p) CheckPage(check, pos, p);
}

}  // namespace

KN_COURSE_CHECK(40, "pages", CheckPages);

}  // namespace kncheck
