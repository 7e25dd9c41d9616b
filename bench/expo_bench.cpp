// The exposition scene at its busiest: 200 objects moving through their transitions
// on every timer tick, and a full repaint of a 600 x 440 drawing area.
//   build/bench/bench_expo --benchmark_min_time=1
#include <benchmark/benchmark.h>

#include <QtGui/QGuiApplication>
#include <QtGui/QPainter>
#include <cstdlib>
#include <string>

#include "exposition/ExpoScene.h"
#include "exposition/ExpoTransition.h"
#include "exposition/Keywords.h"
#include "exposition/ScriptColours.h"

namespace {

// 200 objects of the common kinds, a quarter each fading, wiping in bands, growing and
// sliding, all starting at 0 and lasting 10 s.
void Fill(ExpoScene& scene, bool withText) {
  const int forms[] = {kw::rectangle, kw::circle, kw::frame, kw::line, kw::arrow, kw::wedge};
  const int transitions[] = {kw::fade, kw::wipe, kw::grow, 0};
  for (int i = 0; i < 200; ++i) {
    scene.pen = QPoint((i * 37) % 540, (i * 53) % 400);
    ScriptValueList args;
    const bool text = withText && i % 10 == 0;
    if (text) args.push_back(ScriptValue::Text("Sample mean " + std::to_string(i)));
    args.insert(args.end(), {ScriptValue::Keyword(kw::size), ScriptValue::Point(40 + i % 20, 30 + i % 15),
                             ScriptValue::Keyword(kw::color),
                             ScriptValue::Colour(ColourWord(i * 13 % 256, i * 7 % 256, 200))});
    const int t = transitions[i % 4];
    if (t) {
      args.insert(args.end(), {ScriptValue::Keyword(t), ScriptValue::Integer(10)});
      if (t == kw::wipe) args.insert(args.end(), {ScriptValue::Keyword(kw::direction), ScriptValue::Integer(kw::bands)});
    }
    if (i % 25 == 0) args.insert(args.end(), {ScriptValue::Keyword(kw::transparency), ScriptValue::Integer(50)});
    CExpoObject* o = scene.Create(text ? kw::display : forms[i % 6], args);
    if (o && t == 0) o->Move(QPoint(30, 20), true, 10 * kExpoClockRate, 0);
  }
}

void BM_Step200(benchmark::State& state) {
  ExpoScene scene;
  Fill(scene, true);
  std::int64_t p = 0;
  for (auto _ : state) {
    // One 40 ms timer tick; the transitions never end within the run.
    p = (p + 882) % (9 * kExpoClockRate);
    benchmark::DoNotOptimize(scene.Step(p));
  }
}
BENCHMARK(BM_Step200)->Unit(benchmark::kMicrosecond);

void BM_Repaint200(benchmark::State& state) {
  ExpoScene scene;
  Fill(scene, true);
  scene.Step(4 * kExpoClockRate);
  QImage buffer = ExpoScene::NewBackBuffer(scene.area, 1.0);
  const QRect all(QPoint(0, 0), scene.area);
  for (auto _ : state) {
    QPainter painter(&buffer);
    scene.Paint(painter, all);
  }
}
BENCHMARK(BM_Repaint200)->Unit(benchmark::kMillisecond);

void BM_Repaint200Plain(benchmark::State& state) {
  ExpoScene scene;
  Fill(scene, true);
  scene.Step(20 * kExpoClockRate);  // every transition over
  QImage buffer = ExpoScene::NewBackBuffer(scene.area, 1.0);
  const QRect all(QPoint(0, 0), scene.area);
  for (auto _ : state) {
    QPainter painter(&buffer);
    scene.Paint(painter, all);
  }
}
BENCHMARK(BM_Repaint200Plain)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  QGuiApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
