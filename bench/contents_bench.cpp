// Loading contents.txt happens once at start-up, before the first window shows;
// a full course is 40 lessons of 9 pages of 8 activities. Reordering runs when
// the learner picks a supplementary text, resolving on every link followed.
#include <benchmark/benchmark.h>

#include <string>

#include "course/BundleList.h"
#include "course/ContentsTable.h"

namespace {
// The largest course the table holds, with short titles so that all of its text
// fits the string pool.
std::string FullCourse() {
  std::string text = "{ A full course\r\n*SMITH:2,l40,l39,l38,1,l01\r\n";
  for (int l = 1; l <= 40; ++l) {
    const std::string code = (l < 10 ? "l0" : "l") + std::to_string(l);
    if (l % 10 == 1) text += "g=Group " + std::to_string(l / 10 + 1) + "\r\n";
    text += "l=Lesson " + std::to_string(l) + "\r\nd=" + code + "\r\n";
    for (int p = 1; p <= 9; ++p) {
      text += "f\r\np=Page " + std::to_string(p) + "\r\n";
      for (int a = 1; a <= 8; ++a)
        text += std::string(1, "eqimtre1"[a - 1]) + "=Act " + std::to_string(a) + "\t" + code + "p" +
                std::to_string(p) + "a" + std::to_string(a) + ".exp\r\n";
    }
  }
  return text;
}

BundleList Bundles() {
  BundleList b;
  b.Load(std::string_view("none=No bundle\r\nsmith=Smith\r\n"));
  return b;
}

bool IsFull(const ContentsTable& t) {
  if (t.LessonCount() != 40 || !t.Warnings().empty()) return false;
  for (int pos = 0; pos < 40; ++pos) {
    const ContentsLesson* l = t.Lesson(pos);
    if (l->pageCount != 9) return false;
    for (const auto& p : l->pages)
      if (p.activityCount != 8) return false;
  }
  return true;
}

void BM_LoadFullCourse(benchmark::State& state) {
  const std::string text = FullCourse();
  const BundleList bundles = Bundles();
  const int bundle = static_cast<int>(state.range(0));
  {
    ContentsTable check;
    check.Load(text, 1, bundle, &bundles);
    if (!IsFull(check)) state.SkipWithError("the benchmark course did not load whole");
  }
  for (auto _ : state) {
    ContentsTable t;
    t.Load(text, 1, bundle, &bundles);
    benchmark::DoNotOptimize(t.LessonCount());
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * static_cast<std::int64_t>(text.size()));
}
BENCHMARK(BM_LoadFullCourse)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

void BM_ApplyBundle(benchmark::State& state) {
  const BundleList bundles = Bundles();
  ContentsTable t;
  t.Load(FullCourse(), 1, 0, &bundles);
  int bundle = 0;
  for (auto _ : state) {
    bundle ^= 1;
    t.ApplyBundle(bundle, false, &bundles);
  }
}
BENCHMARK(BM_ApplyBundle)->Unit(benchmark::kMicrosecond);

void BM_ResolveLastActivity(benchmark::State& state) {
  ContentsTable t;
  t.Load(FullCourse(), 1, 0, nullptr);
  for (auto _ : state) benchmark::DoNotOptimize(t.Resolve("L40P9A8.EXP"));
}
BENCHMARK(BM_ResolveLastActivity)->Unit(benchmark::kMicrosecond);
}  // namespace

BENCHMARK_MAIN();
