// The Table of Contents bar with a full course opened (Open All): a 40-lesson course of
// 9 pages of 8 activities is some 3 300 rows. What a change of expansion costs the
// learner is one rebuild of the rows and one paint of the bar's visible part.
#include <benchmark/benchmark.h>

#include <QtGui/QImage>
#include <QtGui/QPainter>
#include <QtWidgets/QApplication>
#include <cstdlib>
#include <string>

#include "contentsbar/ContentsBar.h"
#include "course/ContentsTable.h"
#include "course/Services.h"
#include "records/StudentRecord.h"

namespace {

std::string FortyLessons() {
  std::string text;
  const char letters[] = "eqimtr";
  for (int l = 0; l < 40; ++l) {
    if (l % 5 == 0) text += "g=Group of lessons " + std::to_string(l / 5 + 1) + "\n";
    text += "l=Lesson <i>number</i> " + std::to_string(l + 1) + " on sampling and spread\nd=c" + std::to_string(l) + "\n";
    for (int p = 0; p < 9; ++p) {
      text += "f\np=Page <b>" + std::to_string(p + 1) + "</b>\n";
      for (int a = 0; a < 8; ++a)
        // Short titles: the contents' string pool holds at most 64 KB.
        text += std::string(1, letters[a % 6]) + "=Act " + std::to_string(a + 1) + "\tc" + std::to_string(l) +
                std::to_string(p) + std::to_string(a) + ".exp\n";
    }
  }
  return text;
}

void RebuildAndPaint(benchmark::State& state) {
  ContentsTable contents;
  contents.Load(FortyLessons(), 1, 0, nullptr);
  ScopedService<ContentsTable> contentsService(&contents);
  StudentRecord record;
  for (int l = 0; l < 40; l += 3) record.SetCompleted(ActivityLocator(l, 1, 2), true);
  ScopedService<StudentRecord> recordService(&record);

  CContentsBar bar;
  bar.resize(220, 600);
  bar.ApplyPending();
  bar.SetExpansion(ContentsExpansion::OpenAll);
  bar.ApplyPending();
  QImage image(bar.size(), QImage::Format_ARGB32_Premultiplied);
  // Somewhere in the middle of the course.
  bar.ScrollTo(bar.RowCount() * bar.RowHeight() / 2);
  for (auto _ : state) {
    bar.Rebuild();
    QPainter painter(&image);
    bar.render(&painter);
    painter.end();
    benchmark::DoNotOptimize(image.constBits());
  }
  state.counters["rows"] = bar.RowCount();
  if (!contents.Warnings().empty()) state.SkipWithError("the course did not load whole");
}
BENCHMARK(RebuildAndPaint)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
