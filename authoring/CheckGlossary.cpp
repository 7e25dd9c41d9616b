// glossary.gls: the terms the player collects from its <dt>/<dd> list, cross-references
// inside definitions that find no term, and pictures that definitions name.
#include <map>

#include "CheckMarkup.h"
#include "CheckPictures.h"
#include "CourseCheck.h"
#include "course/AsciiCase.h"
#include "glossary/GlossaryTable.h"

namespace kncheck {
namespace {

constexpr const char* kFile = "glossary.gls";

std::string Trimmed(std::string s) {
  while (!s.empty() && (s.back() == ' ' || s.back() == '\r' || s.back() == '\n')) s.pop_back();
  std::size_t b = 0;
  while (b < s.size() && s[b] == ' ') ++b;
  return s.substr(b);
}

void CheckGlossary(CourseCheck& check) {
  auto container = check.OpenContainer(kFile);
  if (!container) {
    check.Report(kFile, 0, "the player shows \"Cannot load glossary file\": every glossary link fails");
    return;
  }
  CheckContainerPictures(check, *container, kFile);
  const auto section = container->ReadTextSection();
  const ScannedMarkup markup = ScanMarkup(std::string_view(reinterpret_cast<const char*>(section.data()), section.size()));
  for (const auto& issue : markup.issues) check.Report(kFile, issue.line, issue.message);

  enum class State { None, Term, Definition } state = State::None;
  std::string segment, name;
  int nameLine = 0;
  bool haveName = false;
  std::map<std::string, int> seen;
  std::vector<std::pair<std::string, int>> references;  // dfn texts in definitions
  std::string dfnText;
  bool inDfn = false;
  for (const MarkupTag& tag : markup.tags) {
    segment += tag.textBefore;
    if (inDfn) dfnText += tag.textBefore;
    State next = state;
    if (tag.name == "dt") next = State::Term;
    else if (tag.name == "dd") next = State::Definition;
    else if (tag.name == "dl") next = State::None;
    else if (tag.name == "dfn" && state == State::Definition) {
      if (!tag.closing) {
        inDfn = true;
        dfnText.clear();
      } else if (inDfn) {
        references.emplace_back(Trimmed(dfnText), tag.line);
        inDfn = false;
      }
    } else if (tag.name == "img" && state == State::Definition) {
      const std::string picture = tag.Attribute("s");
      if (!picture.empty() && !container->FindEntry(picture, kEntryPicture))
        check.Report(kFile, tag.line, "the picture \"" + picture + "\" is not in the glossary file");
    }
    if (tag.name != "dt" && tag.name != "dd" && tag.name != "dl") continue;
    if (state == State::Term) {
      name = Trimmed(segment);
      haveName = true;
    } else if (state == State::Definition) {
      if (!haveName) {
        check.Report(kFile, tag.line, "a definition without a term before it is dropped");
      } else {
        const std::string lower = ToAsciiLower(name);
        if (name.empty()) check.Report(kFile, nameLine, "an empty term name");
        else if (seen.count(lower))
          check.Report(kFile, nameLine, "the term \"" + name + "\" is defined twice: lookups find the first, line " +
                                            std::to_string(seen[lower]));
        else seen[lower] = nameLine;
        haveName = false;
      }
    }
    if (next == State::Term) {
      if (haveName) check.Report(kFile, nameLine, "the term \"" + name + "\" has no definition and is dropped");
      nameLine = tag.line;
    }
    state = next;
    segment.clear();
  }
  // The terms are what the player's reader collects; the scan above only explains them.
  GlossaryTable table;
  table.LoadText(section);
  for (const GlossaryTerm& t : table.terms()) check.glossaryTerms.push_back(ToAsciiLower(t.name));
  check.glossaryLoaded = true;
  if (check.glossaryTerms.empty()) check.Report(kFile, 0, "the glossary holds no term");
  for (const auto& [text, line] : references)
    if (!check.GlossaryHasTerm(text))
      check.Report(kFile, line, "the cross-reference \"" + text + "\" finds no glossary term");
}

}  // namespace

KN_COURSE_CHECK(30, "glossary", CheckGlossary);

}  // namespace kncheck
