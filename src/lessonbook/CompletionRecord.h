// Where the Lesson Book asks whether an activity is completed and tells that it is (or
// is not any more). The program's learner record (the StudentRecord service) answers
// unless another record has been set (tests use a MemoryCompletionRecord).
#pragma once

#include <cstdint>
#include <set>
#include <tuple>

class ActivityLocator;

class CompletionRecord {
 public:
  virtual ~CompletionRecord() = default;
  virtual bool IsCompleted(const ActivityLocator& locator) const = 0;
  // 1 when the record changed, 0 when the activity already had that state.
  virtual int SetCompleted(const ActivityLocator& locator, bool completed) = 0;
};

// Completion marks kept in memory: (lesson, page, activity) triples.
class MemoryCompletionRecord : public CompletionRecord {
 public:
  bool IsCompleted(const ActivityLocator& locator) const override;
  int SetCompleted(const ActivityLocator& locator, bool completed) override;
  std::size_t size() const { return m_marks.size(); }
  void Clear() { m_marks.clear(); }

 private:
  std::set<std::tuple<std::int8_t, std::int8_t, std::int8_t>> m_marks;
};

// The record the program uses: the one set, else the StudentRecord service; null when
// there is neither: nothing is completed and nothing can be marked.
CompletionRecord* CurrentCompletionRecord();
// Returns the previous one. The caller keeps ownership.
CompletionRecord* SetCompletionRecord(CompletionRecord* record);

class ScopedCompletionRecord {
 public:
  explicit ScopedCompletionRecord(CompletionRecord* record) : m_previous(SetCompletionRecord(record)) {}
  ~ScopedCompletionRecord() { SetCompletionRecord(m_previous); }
  ScopedCompletionRecord(const ScopedCompletionRecord&) = delete;
  ScopedCompletionRecord& operator=(const ScopedCompletionRecord&) = delete;

 private:
  CompletionRecord* m_previous;
};

// The current record's answer; false without one.
bool IsActivityCompleted(const ActivityLocator& locator);
