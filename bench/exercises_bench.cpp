// The exercise window: opening an exercise (the window made, the file read, the first
// question laid out and painted; aim: 10 ms), and what a drag costs the screen: each move
// of the pointer repaints only the outline's old and new places and the drop target's
// rectangles, never the boxes whole.
#include <benchmark/benchmark.h>

#include <QtCore/QEvent>
#include <QtGui/QPaintEvent>
#include <QtWidgets/QApplication>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "course/CourseFile.h"
#include "course/ResourceContainer.h"
#include "exercises/QuizControls.h"
#include "exercises/QuizView.h"
#include "exercises/QuizWnd.h"

namespace fs = std::filesystem;

namespace {

// Three questions of some twenty blanks each, the choices generated with extras.
fs::path ExerciseFile() {
  static const fs::path path = [] {
    std::string text = "title:Benchmark\n";
    for (int q = 0; q < 3; ++q) {
      text += "fill:";
      for (int b = 0; b < 20; ++b)
        text += "The value number " + std::to_string(b) + " is \xC7" "answer" + std::to_string(q * 20 + b) + "\xC8. ";
      text += "\nalso:\xC7" "extra one\xC8\t\xC7" "extra two\xC8\nhint:Look again.\n\n";
    }
    ContainerWriter writer;
    writer.SetText(std::vector<std::uint8_t>(text.begin(), text.end()));
    const fs::path p = fs::temp_directory_path() / ("kn-exercise-bench-" + std::to_string(::getpid()) + ".fil");
    const auto bytes = writer.Build();
    std::ofstream(p, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    return p;
  }();
  return path;
}

void OpenExercise(benchmark::State& state) {
  const fs::path file = ExerciseFile();
  int count = 0;
  for (auto _ : state) {
    CQuizWnd window;
    window.OpenActivity(ActivityLocator(0, 0, count++ % 8), CourseFile::Open(file));
    QImage shot = window.quizView()->grab().toImage();
    benchmark::DoNotOptimize(shot.constBits());
  }
}
BENCHMARK(OpenExercise)->Unit(benchmark::kMillisecond);

// Sums the area of every paint event the view's children receive.
struct PaintMeter : QObject {
  long long area = 0;
  int events = 0;
  bool eventFilter(QObject*, QEvent* e) override {
    if (e->type() == QEvent::Paint) {
      for (const QRect& r : static_cast<QPaintEvent*>(e)->region()) area += static_cast<long long>(r.width()) * r.height();
      ++events;
    }
    return false;
  }
};

void DragRepaint(benchmark::State& state) {
  CQuizWnd window;
  window.OpenActivity(ActivityLocator(0, 0, 0), CourseFile::Open(ExerciseFile()));
  QApplication::processEvents();
  CQuizView& view = *window.quizView();
  CQuizData& choices = *view.choicesBox();
  CQuizData& fill = *view.fillBox();
  choices.grab();
  fill.grab();
  PaintMeter meter;
  for (QWidget* w : view.viewport()->findChildren<QWidget*>()) w->installEventFilter(&meter);
  const QPoint from = choices.mapToGlobal(choices.box().slotList()[0].rect.center());
  const QPoint over = fill.mapToGlobal(QPoint(fill.width() / 2, fill.height() / 2));
  long long moves = 0;
  for (auto _ : state) {
    view.BeginDrag(choices, 0, from);
    for (int step = 0; step <= 40; ++step) {
      view.DragTo(from + (over - from) * step / 40);
      QApplication::processEvents();
      ++moves;
    }
    view.DragTo(from);
    view.EndDrag(from);  // released where it started: nothing is dropped
    QApplication::processEvents();
  }
  const double viewArea = double(CQuizView::kClientSize.width()) * CQuizView::kClientSize.height();
  state.counters["repainted px per move"] = double(meter.area) / double(std::max<long long>(moves, 1));
  state.counters["share of the view"] = double(meter.area) / double(std::max<long long>(moves, 1)) / viewArea;
}
BENCHMARK(DragRepaint)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  std::error_code ec;
  fs::remove(ExerciseFile(), ec);
  return 0;
}
