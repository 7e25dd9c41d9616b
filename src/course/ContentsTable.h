// The course's table of contents, read once from contents.txt: lesson groups,
// lessons of up to 9 pages, pages of up to 8 activities, and the "*" ordering
// lines that rearrange lessons for a supplementary text (a bundle).
//
// Every text of the file lives in one string pool addressed by byte offset
// (offset 0: absent). Activity records hold 16-bit offsets, so the pool never
// grows past 65 535 bytes: a line whose text no longer fits ends the load there,
// as if the file stopped before it (Warnings() says so).
//
// Outside this class lessons are addressed by display position: the index in
// the file when no bundle is chosen, otherwise the position in the bundle's order.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "course/ActivityLocator.h"

class BundleList;

struct ContentsActivity {
  std::uint16_t title = 0;  // pool offsets
  std::uint16_t file = 0;   // 0: the line had no file
  std::int32_t kind = 0;
};

struct ContentsPage {
  static constexpr int kMaxActivities = 8;
  std::uint32_t title = 0;
  std::int32_t expanded = 0;  // table-of-contents state
  std::uint8_t activityCount = 0;
  std::array<ContentsActivity, kMaxActivities> activities{};
};

struct ContentsLesson {
  static constexpr int kMaxPages = 9;
  std::uint32_t title = 0;
  std::uint32_t code = 0;  // folder name and stem of the page files
  std::int32_t headingGroup = -1;  // group whose heading stands right before this lesson, or -1
  std::int32_t order = 0;
  std::int32_t expanded = 0;
  std::int32_t sequence = 0;  // place among the groups and lessons of the file
  std::uint8_t pageCount = 0;
  std::array<ContentsPage, kMaxPages> pages{};
};

struct ContentsGroup {
  static constexpr std::uint8_t kNoLesson = 255;
  std::uint32_t title = 0;
  std::int32_t order = 0;  // -1: not shown in the current order
  std::int32_t expanded = 0;
  std::int32_t sequence = 0;
  std::uint8_t firstLesson = kNoLesson;  // display position of its first lesson
};

// Something the loader dropped or cut; the player ignores these silently,
// kncourse reports them to the author.
struct ContentsWarning {
  int line = 0;  // 1-based line of contents.txt
  std::string message;
};

class ContentsTable {
 public:
  static constexpr int kMaxLessons = 40;
  static constexpr int kMaxOrderings = 24;
  static constexpr std::size_t kMaxLineLength = 256;
  static constexpr std::size_t kMaxPoolSize = 65535;

  ContentsTable();

  // Reads contents.txt from the course folders with the course's lesson base and
  // the learner's bundle; on failure shows "Cannot load contents file" and leaves
  // the table empty. Returns whether the file was read.
  bool Load();
  // Replaces the table with the contents of text (the bytes of contents.txt), then
  // orders it for bundle (forced). bundles may be null: no bundles.
  void Load(std::string_view text, int lessonBase, int bundle, const BundleList* bundles);

  // Orders the lessons for bundle, an index into the bundle list (0 or out of
  // range: the file's order). Does nothing when bundle is already current, unless forced.
  void ApplyBundle(int bundle, bool force);  // with the program's BundleList
  void ApplyBundle(int bundle, bool force, const BundleList* bundles);

  int LessonCount() const { return static_cast<int>(m_lessons.size()); }
  int GroupCount() const { return static_cast<int>(m_groups.size()); }
  // By display position; null out of range.
  const ContentsLesson* Lesson(int displayPosition) const;
  ContentsLesson* Lesson(int displayPosition);
  // By index in the file; null out of range.
  const ContentsLesson* LessonAtIndex(int index) const;
  const ContentsGroup* Group(int index) const;
  ContentsGroup* Group(int index);
  // The NUL-terminated pool string at offset; empty for 0 or an offset past the pool.
  std::string_view String(std::uint32_t offset) const;

  int DisplayToIndex(int position) const;  // -1 out of range
  int IndexToDisplay(int index) const;     // -1 out of range

  // An activity identifier as found in course files: a file name, searched among
  // the activities in display order, or ":code:file" (a page "<stem><n>.pag", a
  // lesson-level ".ast", ".prj", ".wrk" or ".lab" document, or an activity of that
  // lesson). None when nothing matches.
  std::optional<ActivityLocator> Resolve(std::string_view identifier) const;
  // The first lesson with that code (ASCII case ignored), as (lesson, -1, -1).
  std::optional<ActivityLocator> ResolveLessonCode(std::string_view code) const;
  // Lesson in range; page in range or -1; activity below the page's count or -1
  // (on a page without activities any index a page can hold is accepted).
  bool IsValid(const ActivityLocator& locator) const;

  int LessonBase() const { return m_lessonBase; }
  int CurrentBundle() const { return m_bundle; }
  int OrderingCount() const { return static_cast<int>(m_orderings.size()); }
  std::string_view Ordering(int index) const;  // the text of a "*" line
  std::size_t PoolSize() const { return m_pool.size(); }
  const std::vector<ContentsWarning>& Warnings() const { return m_warnings; }

 private:
  class Reader;
  friend class Reader;

  void Clear();
  int FindLessonByCode(std::string_view code, int fromDisplay) const;

  std::vector<ContentsGroup> m_groups;
  std::vector<ContentsLesson> m_lessons;      // file order
  std::vector<std::uint8_t> m_order;          // display position -> lesson index
  std::vector<std::uint8_t> m_displayOf;      // lesson index -> display position
  std::vector<std::uint32_t> m_orderings;     // pool offsets of "*" lines, at most 24
  std::string m_pool;                         // starts with the empty string at offset 0
  std::vector<ContentsWarning> m_warnings;
  int m_bundle = 0;
  int m_lessonBase = 1;
};
