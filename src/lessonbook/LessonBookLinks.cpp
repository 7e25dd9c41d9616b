#include "lessonbook/LessonBookLinks.h"

namespace {
LessonBookLinks& Links() {
  static LessonBookLinks links;
  return links;
}
}  // namespace

const LessonBookLinks& CurrentLessonBookLinks() { return Links(); }

LessonBookLinks SetLessonBookLinks(LessonBookLinks links) {
  LessonBookLinks previous = std::move(Links());
  Links() = std::move(links);
  return previous;
}
