// The course's universal pointer: a lesson by display position, a page, an
// activity on it, or a lesson-level document (asterisk text, project, homework,
// lab) named by its file. Locators are plain values: copies own their strings.
//
// A locator stays meaningful only while the lesson order does not change, because
// its lesson is a display position (see ContentsTable::ApplyBundle).
#pragma once

#include <compare>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

class ContentsTable;

struct ActivityTitles {
  std::string lesson, page, activity;  // empty where the locator does not reach
};

class ActivityLocator {
 public:
  // No lesson, page or activity; mark from the course's "Custom Bookmark" setting.
  ActivityLocator();
  // Arguments are taken as the stored bytes are: 255 and -1 both mean "none".
  ActivityLocator(int lesson, int page, int activity);

  std::int8_t lesson = -1;    // display position; negative: none
  std::int8_t page = -1;      // page index; -1: the lesson itself
  std::int8_t activity = -1;  // activity index on the page; -1: the page itself
  std::uint8_t mark = 0;      // 255: show without animation, selecting the activity with its explanation
  std::uint8_t kind = 0;      // 0: an item of the contents; 9 to 12: a lesson-level document
  std::optional<std::string> file;    // file name of a lesson-level document
  std::optional<std::string> source;  // display text that replaces the computed description

  bool IsLessonLevel() const { return kind != 0 && file.has_value(); }

  // 1 for a lesson (page -1 or out of range), 2 for a page, else the activity's kind;
  // a lesson-level locator gives its own kind.
  int Kind(const ContentsTable& contents) const;

  // Page turning; each also sets the activity to -1. Each returns whether the
  // lesson or page changed; at the ends of the course the locator stays put.
  bool NextPage(const ContentsTable& contents);
  bool NextLesson(const ContentsTable& contents);
  bool PreviousPage(const ContentsTable& contents);
  bool PreviousLesson(const ContentsTable& contents);

  // "Lesson : Page : Activity" as far as the locator reaches, or the source when set.
  std::string Describe(const ContentsTable& contents) const;
  ActivityTitles Titles(const ContentsTable& contents) const;
  // The activity's file; a page's file "<code><n>.pag"; a lesson-level locator's own file.
  std::string FileName(const ContentsTable& contents) const;
  // The course path of file (or, with none given and a valid page, of the page file):
  // "<code>\" or "<code>\homework\" and the like, then the name. Outside the
  // contents: file alone.
  std::string Path(const ContentsTable& contents, std::string_view file = {}) const;
  std::string LessonCodeOf(const ContentsTable& contents) const;

  // Locators sort by lesson, then page, then activity; == compares every field.
  friend std::weak_ordering operator<=>(const ActivityLocator& a, const ActivityLocator& b);
  friend bool operator==(const ActivityLocator& a, const ActivityLocator& b) = default;
};
