#include "RecordsTestSupport.h"

namespace kntest {

const char* kRecordsCourse =
    "l=Data\nd=ch1\n"
    "f\np=Samples\ne=Intro\tintro.exp\nq=Quiz\tquiz.fil\n"
    "f\np=Films\nm=Film\tfilm.mov\n"
    "l=Centre\nd=ch2\n"
    "f\np=Mean\ne=<b>Bold</b> act\tact.exp\n";

const ContentsTable& RecordsContents() {
  static const ContentsTable table = [] {
    ContentsTable t;
    t.Load(kRecordsCourse, 1, 0, nullptr);
    return t;
  }();
  return table;
}

ActivityLocator Loc(int lesson, int page, int activity, int mark, int kind, const char* file, const char* source) {
  ActivityLocator l(lesson, page, activity);
  l.mark = static_cast<std::uint8_t>(mark);
  l.kind = static_cast<std::uint8_t>(kind);
  if (file) l.file = file;
  if (source) l.source = source;
  return l;
}

StudentRecord GrowingRecord(int n) {
  StudentRecord r;
  r.SetName("learner " + std::to_string(n));
  for (int i = 0; i < n % 900; ++i) r.SetCompleted(ActivityLocator(i / 72, i / 8 % 9, i % 8), true);
  for (int i = 0; i < n / 20 % 60; ++i)
    r.InsertBookmark(
        Loc(i % 5, i % 3, i % 8, i % 13, i % 2 ? 0 : 11, i % 2 ? nullptr : "hw.wrk", i % 3 ? nullptr : "note"));
  return r;
}

bool SameLearner(const StudentRecord& a, const StudentRecord& b) {
  return a.name() == b.name() && a.completions() == b.completions() && a.bookmarks() == b.bookmarks();
}

}  // namespace kntest
