#include "lessonbook/PageNavigation.h"

#include <string>

#include "course/ContentsTable.h"

namespace {

bool SamePage(const ActivityLocator& a, const ActivityLocator& b) { return a.lesson == b.lesson && a.page == b.page; }

bool PageExists(int lesson, int page, const ContentsTable& contents) {
  const ContentsLesson* l = contents.Lesson(lesson);
  return l && page >= 0 && page < l->pageCount;
}

// Digits from pos as a number, no larger than a bound far beyond any course; pos moves past them.
long ReadNumber(std::string_view text, std::size_t& pos) {
  long value = 0;
  for (; pos < text.size() && text[pos] >= '0' && text[pos] <= '9'; ++pos)
    if (value < 1'000'000) value = value * 10 + (text[pos] - '0');
  return value;
}

}  // namespace

bool NavigationEnabled(int command, const ActivityLocator& current, const ContentsTable& contents) {
  using namespace cmd;
  switch (command) {
    case kFirstPage:
    case kPreviousPage: return !(current.lesson == 0 && current.page == 0) && current.lesson >= 0;
    case kNextPage: return NavigationTarget(kNextPage, current, contents).has_value();
    case kNextLesson: return NavigationTarget(kNextLesson, current, contents).has_value();
    case kPreviousLesson: return current.lesson > 0;
    default: return false;
  }
}

std::optional<ActivityLocator> NavigationTarget(int command, const ActivityLocator& current,
                                                const ContentsTable& contents) {
  using namespace cmd;
  ActivityLocator target = current;
  target.activity = -1;
  switch (command) {
    case kFirstPage:
      target.lesson = 0;
      target.page = 0;
      break;
    case kNextPage: target.NextPage(contents); break;
    case kNextLesson: target.NextLesson(contents); break;
    case kPreviousLesson: target.PreviousLesson(contents); break;
    case kPreviousPage: target.PreviousPage(contents); break;
    default: return std::nullopt;
  }
  if (!PageExists(target.lesson, target.page, contents) || SamePage(target, current)) return std::nullopt;
  return target;
}

std::optional<ActivityLocator> ParseGoToText(std::string_view text, const ContentsTable& contents) {
  if (text.empty() || text.front() < '0' || text.front() > '9') return std::nullopt;
  std::size_t pos = 0;
  const long lessonNumber = ReadNumber(text, pos);
  while (pos < text.size() && (text[pos] < '0' || text[pos] > '9')) ++pos;
  const long pageNumber = pos < text.size() ? ReadNumber(text, pos) : 1;
  const long lesson = lessonNumber - contents.LessonBase();
  const long page = pageNumber - 1;
  if (lesson < 0 || lesson >= contents.LessonCount() || !PageExists(static_cast<int>(lesson), static_cast<int>(page), contents))
    return std::nullopt;
  return ActivityLocator(static_cast<int>(lesson), static_cast<int>(page), -1);
}

std::string PageNumberText(const ActivityLocator& page, const ContentsTable& contents) {
  return std::to_string(contents.LessonBase() + page.lesson) + "-" + std::to_string(page.page + 1);
}
