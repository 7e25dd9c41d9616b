// Shared by the contents tests: compact views of a loaded table.
#pragma once

#include <string>

#include "course/ContentsTable.h"

namespace kntest {

// The lessons in display order as "code" separated by spaces, each preceded by
// "[group title]" when a group heading stands before it: "[Two] ch3 ch1 ch2".
inline std::string DisplayOutline(const ContentsTable& t) {
  std::string out;
  for (int pos = 0; pos < t.LessonCount(); ++pos) {
    const ContentsLesson* l = t.Lesson(pos);
    if (!out.empty()) out += ' ';
    if (const ContentsGroup* g = t.Group(l->headingGroup)) out += "[" + std::string(t.String(g->title)) + "] ";
    out += t.String(l->code);
  }
  return out;
}

// One lesson as "title/code: page(activities) page(...)", activities as
// "kind:title=file" (no "=file" without a file).
inline std::string LessonOutline(const ContentsTable& t, int pos) {
  const ContentsLesson* l = t.Lesson(pos);
  if (!l) return "none";
  std::string out = std::string(t.String(l->title)) + "/" + std::string(t.String(l->code)) + ":";
  for (int p = 0; p < l->pageCount; ++p) {
    const ContentsPage& page = l->pages[p];
    out += " " + std::string(t.String(page.title)) + "(";
    for (int a = 0; a < page.activityCount; ++a) {
      const ContentsActivity& act = page.activities[a];
      if (a) out += ",";
      out += std::to_string(act.kind) + ":" + std::string(t.String(act.title));
      if (act.file) out += "=" + std::string(t.String(act.file));
    }
    out += ")";
  }
  return out;
}

}  // namespace kntest
