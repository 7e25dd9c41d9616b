#include "records/StudentRecord.h"

#include <algorithm>

#include "course/ContentsTable.h"
#include "course/CourseStream.h"
#include "records/LocatorCodec.h"

namespace {
CompletionMark MarkOf(const ActivityLocator& l) { return {l.lesson, l.page, l.activity}; }
}  // namespace

void StudentRecord::SetName(std::string_view name) {
  const std::string_view kept = name.substr(0, kMaxName);
  if (kept == m_name) return;
  m_name.assign(kept);
  ++m_changes;
}

bool StudentRecord::IsCompleted(const ActivityLocator& locator) const {
  return std::binary_search(m_completions.begin(), m_completions.end(), MarkOf(locator));
}

bool StudentRecord::IsCompleted(int lesson, int page, int activity) const {
  return IsCompleted(ActivityLocator(lesson, page, activity));
}

int StudentRecord::SetCompleted(const ActivityLocator& locator, bool completed) {
  const CompletionMark mark = MarkOf(locator);
  auto it = std::lower_bound(m_completions.begin(), m_completions.end(), mark);
  const bool present = it != m_completions.end() && *it == mark;
  if (present == completed) return 0;
  if (completed)
    m_completions.insert(it, mark);
  else
    m_completions.erase(it);
  ++m_changes;
  return 1;
}

int StudentRecord::AddBookmark(const ActivityLocator& locator, int position) {
  if (m_bookmarks.size() >= kMaxBookmarks) return -1;
  return InsertBookmark(locator, position);
}

int StudentRecord::InsertBookmark(const ActivityLocator& locator, int position) {
  if (m_bookmarks.size() >= static_cast<std::size_t>(kMaxStoredCount)) return -1;
  if (position < 0 || position > bookmarkCount()) position = bookmarkCount();
  m_bookmarks.insert(m_bookmarks.begin() + position, locator);
  BookmarksChanged(&m_bookmarks[static_cast<std::size_t>(position)]);
  return position;
}

bool StudentRecord::RemoveBookmark(int index) {
  if (index < 0 || index >= bookmarkCount()) return false;
  m_bookmarks.erase(m_bookmarks.begin() + index);
  BookmarksChanged(nullptr);
  return true;
}

bool StudentRecord::ReplaceBookmark(int index, const ActivityLocator& locator) {
  if (index < 0 || index >= bookmarkCount()) return false;
  m_bookmarks[static_cast<std::size_t>(index)] = locator;
  BookmarksChanged(&m_bookmarks[static_cast<std::size_t>(index)]);
  return true;
}

int StudentRecord::MoveBookmark(int from, int before) {
  if (from < 0 || from >= bookmarkCount()) return -1;
  if (before < 0 || before > bookmarkCount()) before = bookmarkCount();
  ActivityLocator moved = std::move(m_bookmarks[static_cast<std::size_t>(from)]);
  m_bookmarks.erase(m_bookmarks.begin() + from);
  if (before > from) --before;  // the list closed up behind the removed entry
  m_bookmarks.insert(m_bookmarks.begin() + before, std::move(moved));
  BookmarksChanged(&m_bookmarks[static_cast<std::size_t>(before)]);
  return before;
}

void StudentRecord::SetBookmarks(std::vector<ActivityLocator> bookmarks) {
  if (bookmarks.size() > static_cast<std::size_t>(kMaxStoredCount)) bookmarks.resize(kMaxStoredCount);
  m_bookmarks = std::move(bookmarks);
  BookmarksChanged(nullptr);
}

int StudentRecord::AppendBookmarks(const std::vector<ActivityLocator>& bookmarks) {
  const std::size_t room = static_cast<std::size_t>(kMaxStoredCount) - m_bookmarks.size();
  const std::size_t n = std::min(room, bookmarks.size());
  m_bookmarks.insert(m_bookmarks.end(), bookmarks.begin(), bookmarks.begin() + static_cast<std::ptrdiff_t>(n));
  if (n) BookmarksChanged(nullptr);
  return static_cast<int>(n);
}

void StudentRecord::ClearBookmarks() {
  m_bookmarks.clear();
  BookmarksChanged(nullptr);
}

void StudentRecord::Reset() {
  m_name.clear();
  m_completions.clear();
  m_bookmarks.clear();
  BookmarksChanged(nullptr);
}

void StudentRecord::Store(CourseStream& s) const {
  // A count the reader refuses would make the file impossible to open again.
  if (m_completions.size() > static_cast<std::size_t>(kMaxStoredCount))
    throw CourseFileError(CourseFileError::Kind::Format, s.label(),
                          "more than 999 completed activities cannot be stored");
  s.WriteString(m_name);
  s.WriteU16(static_cast<std::uint16_t>(m_completions.size()));
  for (const CompletionMark& m : m_completions) {
    s.WriteSignedByte(m.lesson);
    s.WriteSignedByte(m.page);
    s.WriteSignedByte(m.activity);
  }
  s.WriteU16(static_cast<std::uint16_t>(m_bookmarks.size()));
  for (const ActivityLocator& l : m_bookmarks) WriteLocator(s, l);
}

void StudentRecord::ReplaceLearner(const StudentRecord& other) {
  m_name = other.m_name;
  m_completions = other.m_completions;
  m_bookmarks = other.m_bookmarks;
  BookmarksChanged(nullptr);
}

void StudentRecord::Serialize(CourseStream& s, const ContentsTable* contents) {
  if (s.isStoring()) {
    Store(s);
    return;
  }

  std::string name = s.ReadString("student name");
  const int n = s.ReadU16("completion count");
  if (n > kMaxStoredCount) s.Fail("bad index: " + std::to_string(n) + " completed activities (at most 999)");
  const bool check = contents && contents->LessonCount() > 0;
  std::vector<CompletionMark> marks;
  marks.reserve(static_cast<std::size_t>(n));
  for (int i = 0; i < n; ++i) {
    CompletionMark m;
    m.lesson = s.ReadSignedByte("completed lesson");
    m.page = s.ReadSignedByte("completed page");
    m.activity = s.ReadSignedByte("completed activity");
    if (!check || ActivityExists(m.lesson, m.page, m.activity, *contents)) marks.push_back(m);
  }
  std::sort(marks.begin(), marks.end());
  marks.erase(std::unique(marks.begin(), marks.end()), marks.end());

  const int m = s.ReadU16("bookmark count");
  if (m > kMaxStoredCount) s.Fail("bad index: " + std::to_string(m) + " bookmarks (at most 999)");
  std::vector<ActivityLocator> bookmarks;
  bookmarks.reserve(static_cast<std::size_t>(m));
  for (int i = 0; i < m; ++i) bookmarks.push_back(ReadLocator(s));

  m_name = std::move(name);
  m_completions = std::move(marks);
  m_bookmarks = std::move(bookmarks);
  BookmarksChanged(nullptr);
}

StudentRecord::BookmarksChangedHook StudentRecord::SetBookmarksChangedHook(BookmarksChangedHook hook) {
  std::swap(hook, m_hook);
  return hook;
}

void StudentRecord::BookmarksChanged(const ActivityLocator* concerned) {
  ++m_changes;
  if (m_hook) m_hook(concerned);
}
