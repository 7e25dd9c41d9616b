#include "course/ActivityLocator.h"

#include <algorithm>

#include "course/ActivityKind.h"
#include "course/ContentsServices.h"
#include "course/ContentsTable.h"

namespace {
const ContentsPage* PageOf(const ContentsLesson* l, int page) {
  if (!l || page < 0 || page >= l->pageCount) return nullptr;
  return &l->pages[static_cast<std::size_t>(page)];
}

const ContentsActivity* ActivityOf(const ContentsPage* p, int activity) {
  if (!p || activity < 0 || activity >= p->activityCount) return nullptr;
  return &p->activities[static_cast<std::size_t>(activity)];
}

// The first lesson from display position `from` on, stepping by step, that has
// pages; -1 when none. Page turning passes over lessons without pages, which
// have nothing to show and would stop the learner on them.
int LessonWithPages(const ContentsTable& contents, int from, int step) {
  for (int pos = from; pos >= 0 && pos < contents.LessonCount(); pos += step)
    if (contents.Lesson(pos)->pageCount > 0) return pos;
  return -1;
}

std::string PageFileName(const ContentsTable& contents, const ContentsLesson& l, int page) {
  return std::string(contents.String(l.code)) + std::to_string(page + 1) + ".pag";
}
}  // namespace

ActivityLocator::ActivityLocator() : mark(NewLocatorMark()) {}

ActivityLocator::ActivityLocator(int lesson, int page, int activity)
    : lesson(static_cast<std::int8_t>(lesson)),
      page(static_cast<std::int8_t>(page)),
      activity(static_cast<std::int8_t>(activity)),
      mark(NewLocatorMark()) {}

int ActivityLocator::Kind(const ContentsTable& contents) const {
  if (kind != 0) return file ? static_cast<int>(kind) : static_cast<int>(kKindLesson);
  const ContentsPage* p = PageOf(contents.Lesson(lesson), page);
  if (!p) return kKindLesson;
  const ContentsActivity* a = ActivityOf(p, activity);
  return a ? a->kind : kKindPage;
}

bool ActivityLocator::NextPage(const ContentsTable& contents) {
  activity = -1;
  const ContentsLesson* l = contents.Lesson(lesson);
  if (!l) return false;
  if (page + 1 < l->pageCount) {
    ++page;
    return true;
  }
  return NextLesson(contents);
}

bool ActivityLocator::NextLesson(const ContentsTable& contents) {
  activity = -1;
  if (!contents.Lesson(lesson)) return false;
  const int next = LessonWithPages(contents, lesson + 1, +1);
  if (next < 0) return false;
  lesson = static_cast<std::int8_t>(next);
  page = 0;
  return true;
}

bool ActivityLocator::PreviousPage(const ContentsTable& contents) {
  activity = -1;
  const ContentsLesson* l = contents.Lesson(lesson);
  if (!l) return false;
  if (page > 0 && l->pageCount > 0) {
    // A page index beyond the lesson's pages steps back to its last page.
    page = static_cast<std::int8_t>(std::min<int>(page, l->pageCount) - 1);
    return true;
  }
  const int previous = LessonWithPages(contents, lesson - 1, -1);
  if (previous < 0) return false;
  lesson = static_cast<std::int8_t>(previous);
  page = static_cast<std::int8_t>(contents.Lesson(previous)->pageCount - 1);
  return true;
}

bool ActivityLocator::PreviousLesson(const ContentsTable& contents) {
  activity = -1;
  if (!contents.Lesson(lesson)) return false;
  const bool moved = page != 0;
  page = 0;
  const int previous = LessonWithPages(contents, lesson - 1, -1);
  if (previous < 0) return moved;
  lesson = static_cast<std::int8_t>(previous);
  return true;
}

ActivityTitles ActivityLocator::Titles(const ContentsTable& contents) const {
  ActivityTitles t;
  const ContentsLesson* l = contents.Lesson(lesson);
  if (!l) return t;
  t.lesson = contents.String(l->title);
  const ContentsPage* p = PageOf(l, page);
  if (!p) return t;
  t.page = contents.String(p->title);
  if (const ContentsActivity* a = ActivityOf(p, activity)) t.activity = contents.String(a->title);
  return t;
}

std::string ActivityLocator::Describe(const ContentsTable& contents) const {
  if (source) return *source;
  const ContentsLesson* l = contents.Lesson(lesson);
  if (!l) return {};
  std::string text(contents.String(l->title));
  const ContentsPage* p = PageOf(l, page);
  if (!p) return text;
  text += " : ";
  text += contents.String(p->title);
  if (const ContentsActivity* a = ActivityOf(p, activity)) {
    text += " : ";
    text += contents.String(a->title);
  }
  return text;
}

std::string ActivityLocator::FileName(const ContentsTable& contents) const {
  if (IsLessonLevel()) return *file;
  const ContentsLesson* l = contents.Lesson(lesson);
  const ContentsPage* p = PageOf(l, page);
  if (!p) return {};
  if (activity == -1) return PageFileName(contents, *l, page);
  if (const ContentsActivity* a = ActivityOf(p, activity)) return std::string(contents.String(a->file));
  return {};
}

std::string ActivityLocator::Path(const ContentsTable& contents, std::string_view fileName) const {
  const ContentsLesson* l = contents.Lesson(lesson);
  if (!l) return std::string(fileName);
  std::string path(contents.String(l->code));
  path += LessonLevelFolder(kind);
  if (!fileName.empty())
    path += fileName;
  else if (PageOf(l, page))
    path += PageFileName(contents, *l, page);
  return path;
}

std::string ActivityLocator::LessonCodeOf(const ContentsTable& contents) const {
  const ContentsLesson* l = contents.Lesson(lesson);
  return l ? std::string(contents.String(l->code)) : std::string();
}

std::weak_ordering operator<=>(const ActivityLocator& a, const ActivityLocator& b) {
  if (a.lesson != b.lesson) return a.lesson <=> b.lesson;
  if (a.page != b.page) return a.page <=> b.page;
  return a.activity <=> b.activity;
}
