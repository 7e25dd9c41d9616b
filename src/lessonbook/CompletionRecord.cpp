#include "lessonbook/CompletionRecord.h"

#include <memory>

#include "course/ActivityLocator.h"
#include "course/Services.h"
#include "records/StudentRecord.h"

namespace {

CompletionRecord*& Current() {
  static CompletionRecord* record = nullptr;
  return record;
}

// The learner record of the program, while no other record has been set.
class StudentCompletionRecord : public CompletionRecord {
 public:
  explicit StudentCompletionRecord(StudentRecord& record) : m_record(record) {}
  bool IsCompleted(const ActivityLocator& locator) const override { return m_record.IsCompleted(locator); }
  int SetCompleted(const ActivityLocator& locator, bool completed) override {
    return m_record.SetCompleted(locator, completed);
  }

 private:
  StudentRecord& m_record;
};

CompletionRecord* ProgramRecord() {
  StudentRecord* record = Service<StudentRecord>();
  if (!record) return nullptr;
  static StudentRecord* wrapped = nullptr;
  static std::unique_ptr<StudentCompletionRecord> adapter;
  if (wrapped != record) {
    adapter = std::make_unique<StudentCompletionRecord>(*record);
    wrapped = record;
  }
  return adapter.get();
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

CompletionRecord* CurrentCompletionRecord() { return Current() ? Current() : ProgramRecord(); }

CompletionRecord* SetCompletionRecord(CompletionRecord* record) {
  CompletionRecord* previous = Current();
  Current() = record;
  return previous;
}

bool IsActivityCompleted(const ActivityLocator& locator) {
  const CompletionRecord* record = CurrentCompletionRecord();
  return record && record->IsCompleted(locator);
}
