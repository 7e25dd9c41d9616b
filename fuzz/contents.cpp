// contents.txt: loading, ordering by bundle, resolving identifiers and every
// locator operation over what was loaded. The input is contents.txt, optionally
// followed by a form feed and the text of Bundle.txt.
#include <cstdint>
#include <string>
#include <string_view>

#include "course/ActivityLocator.h"
#include "course/BundleList.h"
#include "course/ContentsTable.h"

namespace {
// Every operation on one locator; a bounded number per input keeps big inputs fast.
int g_budget = 0;

void Exercise(const ContentsTable& t, ActivityLocator loc) {
  if (g_budget-- <= 0) return;
  (void)t.IsValid(loc);
  (void)loc.Kind(t);
  (void)loc.Describe(t);
  (void)loc.Titles(t);
  (void)loc.Path(t, loc.FileName(t));
  (void)loc.Path(t);
  (void)loc.LessonCodeOf(t);
  ActivityLocator a = loc, b = loc, c = loc, d = loc;
  a.NextPage(t);
  b.PreviousPage(t);
  c.NextLesson(t);
  d.PreviousLesson(t);
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  const auto split = input.find('\f');
  const std::string_view contents = input.substr(0, split);
  const std::string_view bundleText = split == std::string_view::npos ? input : input.substr(split + 1);

  BundleList bundles;
  bundles.Load(bundleText);
  ContentsTable t;
  t.Load(contents, 1, 1, &bundles);
  for (int b = -1; b <= bundles.Count() && b < 8; ++b) t.ApplyBundle(b, b & 1, &bundles);

  // Resolving scans the whole table; a bounded number keeps big inputs fast.
  int resolves = 48;
  g_budget = 200;
  for (int pos = -1; pos <= t.LessonCount(); ++pos) {
    const ContentsLesson* l = t.Lesson(pos);
    (void)t.IndexToDisplay(t.DisplayToIndex(pos));
    const std::string code = ActivityLocator(pos, -1, -1).LessonCodeOf(t);
    (void)t.ResolveLessonCode(code);
    for (int p = -1; p <= (l ? l->pageCount : 0); ++p) {
      Exercise(t, ActivityLocator(pos, p, -1));
      (void)t.Resolve(":" + code + ":" + code + std::to_string(p + 1) + ".pag");
      const int count = l && p >= 0 && p < l->pageCount ? l->pages[static_cast<std::size_t>(p)].activityCount : 0;
      for (int a = -1; a <= count; ++a) {
        ActivityLocator loc(pos, p, a);
        Exercise(t, loc);
        if (resolves-- <= 0) continue;
        const std::string file = loc.FileName(t);
        if (const auto r = t.Resolve(file)) Exercise(t, *r);
        if (const auto r = t.Resolve(":" + code + ":" + file)) Exercise(t, *r);
      }
    }
    ActivityLocator homework(pos, -1, -1);
    homework.kind = 11;
    homework.file = "hw.wrk";
    Exercise(t, homework);
  }
  for (int i = 0; i < t.GroupCount(); ++i) (void)t.String(t.Group(i)->title);
  for (int i = 0; i <= t.OrderingCount(); ++i) (void)t.Ordering(i);
  // Identifiers taken from the input itself reach the colon forms with odd codes.
  std::size_t start = 0;
  for (int n = 0; n < 16 && start < contents.size(); ++n) {
    const auto end = contents.find('\n', start);
    (void)t.Resolve(contents.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start));
    if (end == std::string_view::npos) break;
    start = end + 1;
  }
  return 0;
}
