#include "lessonbook/CompletionRecord.h"

#include "course/ActivityLocator.h"

namespace {
CompletionRecord*& Current() {
  static CompletionRecord* record = nullptr;
  return record;
}
}  // namespace

bool MemoryCompletionRecord::IsCompleted(const ActivityLocator& l) const {
  return m_marks.count({l.lesson, l.page, l.activity}) != 0;
}

int MemoryCompletionRecord::SetCompleted(const ActivityLocator& l, bool completed) {
  // Only activities can be completed: a lesson or page locator changes nothing.
  if (l.lesson < 0 || l.page < 0 || l.activity < 0) return 0;
  const auto key = std::make_tuple(l.lesson, l.page, l.activity);
  if (completed) return m_marks.insert(key).second ? 1 : 0;
  return m_marks.erase(key) ? 1 : 0;
}

CompletionRecord* CurrentCompletionRecord() { return Current(); }

CompletionRecord* SetCompletionRecord(CompletionRecord* record) {
  CompletionRecord* previous = Current();
  Current() = record;
  return previous;
}

bool IsActivityCompleted(const ActivityLocator& locator) {
  const CompletionRecord* record = Current();
  return record && record->IsCompleted(locator);
}
