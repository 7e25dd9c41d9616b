// Shared by the records tests: a small course and records built from a number.
#pragma once

#include <string>

#include "course/ActivityLocator.h"
#include "course/ContentsTable.h"
#include "records/ProgressFile.h"
#include "records/StudentRecord.h"

namespace kntest {

// Two lessons: ch1 (page 1: intro.exp, quiz.fil; page 2: film.mov) and ch2 (page 1:
// act.exp, a "<b>Bold</b>" title).
extern const char* kRecordsCourse;
const ContentsTable& RecordsContents();

ActivityLocator Loc(int lesson, int page, int activity, int mark = 0, int kind = 0, const char* file = nullptr,
                    const char* source = nullptr);

// A record whose size grows with n: n % 900 completions, n / 20 % 60 bookmarks.
StudentRecord GrowingRecord(int n);
// Name, completions and bookmarks equal.
bool SameLearner(const StudentRecord& a, const StudentRecord& b);

}  // namespace kntest
