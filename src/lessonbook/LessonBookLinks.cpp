#include "lessonbook/LessonBookLinks.h"

#include "course/Notice.h"
#include "course/StringIds.h"

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

void LaunchFromLessonBook(const ActivityLocator& locator, const std::string& shownName) {
  if (const auto& launch = Links().launch) {
    launch(locator);
    return;
  }
  ShowNotice(str::kNoLauncher, shownName);
}
