// The exposition scene at its busiest: 200 objects moving through their transitions
// on every timer tick, and a full repaint of a 600 x 440 drawing area; the timeline's
// tick with 200 objects and a chunk due, and a seek that fast-forwards 300 chunks.
//   build/bench/bench_expo --benchmark_min_time=1
#include <benchmark/benchmark.h>

#include <QtGui/QPainter>
#include <cstdlib>
#include <string>

#include "exposition/ExpoScene.h"
#include "exposition/ExpoTransition.h"
#include "exposition/ExpoVirtualHost.h"
#include "exposition/Keywords.h"
#include "exposition/ScriptColours.h"
#include "exposition/ScriptTokenizer.h"

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

std::vector<std::uint8_t> Tokens(const std::string& source) {
  std::vector<std::uint8_t> tokens;
  TokenizeChunk(source, tokens);
  return tokens;
}

// A timer tick of a scene of 200 objects in their transitions in which one chunk is
// due: it moves an object, recolours another and counts.
void BM_TickWithDueChunk(benchmark::State& state) {
  VirtualExpoHost host;
  CExpoView view(&host, QSize(600, 440));
  ExpoTimeline timeline(view);
  host.timeline = &timeline;
  host.keepEvents = false;
  constexpr int kChunks = 20000;
  auto load = [&] {
    std::vector<ScriptChunk> chunks(kChunks);
    const auto body = Tokens("move \"o7\" by {1, 0}\nrecolor \"o9\" to {int0, 0, 0}\nset int0 to int0 + 1\n");
    for (int i = 0; i < kChunks; ++i) {
      chunks[std::size_t(i)].tokens = body;
      chunks[std::size_t(i)].startTime = 661 + i * 353;  // one every 16 ms
    }
    timeline.Load(std::move(chunks), nullptr);
    Fill(view.scene(), true);
    for (std::size_t i = 0; i < view.scene().objects().size(); ++i)
      view.scene().objects()[i]->SetName("o" + std::to_string(i));
    host.now = 0;
    timeline.Start();
    host.Advance();
    host.Advance();
  };
  load();
  for (auto _ : state) {
    if (timeline.next() + 2 >= std::size_t(kChunks)) {
      state.PauseTiming();
      load();
      state.ResumeTiming();
    }
    host.Advance();
  }
}
BENCHMARK(BM_TickWithDueChunk)->Unit(benchmark::kMicrosecond);

// A seek that fast-forwards through 300 chunks creating 1 000 objects of the common kinds.
void BM_FastForward300Chunks(benchmark::State& state) {
  VirtualExpoHost host;
  CExpoView view(&host, QSize(600, 440));
  ExpoTimeline timeline(view);
  host.timeline = &timeline;
  host.keepEvents = false;
  std::vector<ScriptChunk> chunks(300);
  for (int i = 0; i < 300; ++i) {
    std::string source;
    const int objects = i % 3 == 0 ? 4 : 3;  // 100 x 4 + 200 x 3
    for (int k = 0; k < objects; ++k) {
      const int x = (i * 37 + k * 53) % 560, y = (i * 23 + k * 41) % 400;
      const std::string at = " at {" + std::to_string(x) + ", " + std::to_string(y) + "}";
      switch ((i + k) % 4) {
        case 0: source += "rectangle" + at + " size {30, 20} color blue fade 1\n"; break;
        case 1: source += "circle" + at + " size {12, 12} color red\n"; break;
        case 2: source += "line" + at + " to {300, 200} color black width 2\n"; break;
        default: source += "display \"mean " + std::to_string(i) + "\"" + at + " size 12 color dkblue\n"; break;
      }
    }
    source += "set int0 to int0 + 1\n";
    chunks[std::size_t(i)].tokens = Tokens(source);
    chunks[std::size_t(i)].startTime = 661 + i * 2205;
  }
  const std::int64_t end = 661 + 300 * 2205;
  std::size_t created = 0;
  for (auto _ : state) {
    state.PauseTiming();
    timeline.Load(chunks, nullptr);
    state.ResumeTiming();
    timeline.Seek(end);
    created = view.scene().objects().size();
  }
  state.counters["objects"] = double(created);
}
BENCHMARK(BM_FastForward300Chunks)->Unit(benchmark::kMillisecond);

}  // namespace
