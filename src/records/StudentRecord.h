// The learner record: the learner's name, the completed activities and the bookmark
// list. One per program (the StudentRecord service), alive for the whole run; opening a
// student progress file replaces its contents, closing the Lesson Book resets it.
//
// Every Part asks it whether an activity is completed and tells it when one has been.
#pragma once

#include <compare>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "course/ActivityLocator.h"

class ContentsTable;
class CourseStream;

// A completed activity: lesson display position, page and activity index, compared as
// signed bytes in that order.
struct CompletionMark {
  std::int8_t lesson = 0;
  std::int8_t page = 0;
  std::int8_t activity = 0;
  friend auto operator<=>(const CompletionMark&, const CompletionMark&) = default;
};

class StudentRecord {
 public:
  static constexpr std::size_t kMaxName = 259;      // bytes
  static constexpr std::size_t kMaxBookmarks = 50;  // through AddBookmark only
  static constexpr int kMaxStoredCount = 999;       // completions or bookmarks in a file

  // Called after every change of the bookmark list with the bookmark concerned (null:
  // the whole list). The shell connects it to the broadcast of kNotifyBookmarks.
  using BookmarksChangedHook = std::function<void(const ActivityLocator* concerned)>;

  const std::string& name() const { return m_name; }
  // Course bytes; cut to kMaxName.
  void SetName(std::string_view name);

  // ---- completion ----
  bool IsCompleted(const ActivityLocator& locator) const;
  bool IsCompleted(int lesson, int page, int activity) const;
  // 1 when the set changed, 0 when the activity already had that state.
  int SetCompleted(const ActivityLocator& locator, bool completed);
  // Ascending, without duplicates.
  const std::vector<CompletionMark>& completions() const { return m_completions; }

  // ---- bookmarks ----
  const std::vector<ActivityLocator>& bookmarks() const { return m_bookmarks; }
  int bookmarkCount() const { return static_cast<int>(m_bookmarks.size()); }
  // Inserts a copy at position (appended when position is -1 or past the end) and returns
  // where it went; -1 when the list already holds kMaxBookmarks.
  int AddBookmark(const ActivityLocator& locator, int position = -1);
  // The same without the 50 limit (drops, pastes, loaded and merged files), but never
  // beyond kMaxStoredCount: a progress file holding more could not be opened again.
  // -1 when the list is at that size.
  int InsertBookmark(const ActivityLocator& locator, int position = -1);
  // False when index is out of range.
  bool RemoveBookmark(int index);
  bool ReplaceBookmark(int index, const ActivityLocator& locator);
  // Moves the bookmark at from so that it stands before the bookmark now at `before`
  // (-1 or past the end: to the end). Returns its new index, or -1 when from is out of range.
  int MoveBookmark(int from, int before);
  // Replaces the whole list (loading a bookmark file, sorting).
  // Both keep at most kMaxStoredCount bookmarks; AppendBookmarks returns how many it took.
  void SetBookmarks(std::vector<ActivityLocator> bookmarks);
  int AppendBookmarks(const std::vector<ActivityLocator>& bookmarks);
  void ClearBookmarks();

  // Empties the name, the completion set and the bookmark list.
  void Reset();
  // Takes the name, completions and bookmarks of other (a record read from a file); the
  // hook stays.
  void ReplaceLearner(const StudentRecord& other);

  // Items 1 to 5 of a progress file: the name, the completion count and marks, the
  // bookmark count and bookmarks. Storing writes this record. Loading reads into a new
  // record and replaces this one only when the whole part was read: a count above 999
  // fails (CourseFileError, Format) as does data that ends early (CourseStreamEnd). Marks
  // of activities that contents does not hold are dropped; with contents null, or holding
  // no lessons at all (the contents file could not be read), every mark is kept.
  void Serialize(CourseStream& stream, const ContentsTable* contents);
  void Store(CourseStream& stream) const;

  // Returns the previous hook.
  BookmarksChangedHook SetBookmarksChangedHook(BookmarksChangedHook hook);

  // Counts the changes of the record (name, completions, bookmarks, reset, replacement):
  // the progress document compares it with its value at the last save to know whether
  // the learner has work that is not on disc.
  std::uint64_t changes() const { return m_changes; }

 private:
  void BookmarksChanged(const ActivityLocator* concerned);

  std::string m_name;
  std::vector<CompletionMark> m_completions;
  std::vector<ActivityLocator> m_bookmarks;
  BookmarksChangedHook m_hook;
  std::uint64_t m_changes = 0;
};
