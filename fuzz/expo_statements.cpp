// The statement runner and the narration timeline over arbitrary chunks, on a virtual
// clock: the exposition is started, played tick by tick with seeks, pauses, keys and
// clicks taken from the input, and every tick must end within its budget. Nothing may
// crash, hang or read outside what it owns.
//
// Input: a first byte, then either an exposition text (even first byte: loaded as the
// player loads exposition files) or raw token streams (odd: chunks separated by 0xFF,
// each preceded by a start byte in quarter seconds), then after a 0xFE byte the
// actions, two bytes each.
#include <QtGui/QGuiApplication>
#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <span>

#include "exposition/ChunkLoader.h"
#include "exposition/ExpoVirtualHost.h"

namespace {

// Waits jump by a quarter second, so that a chunk's waiting allowance costs few slices.
class FuzzHost : public VirtualExpoHost {
 public:
  void WaitSlice() override {
    now += 250 - kTickMs;
    Advance();
  }
};

std::vector<ScriptChunk> RawChunks(std::span<const std::uint8_t> data) {
  std::vector<ScriptChunk> chunks;
  std::size_t i = 0;
  while (i < data.size() && chunks.size() < 64) {
    ScriptChunk c;
    c.startTime = std::int32_t(data[i++]) * 5512;
    c.clearMark = (c.startTime & 1) != 0;
    std::size_t end = i;
    while (end < data.size() && data[end] != 0xFF && end - i < ScriptChunk::kMaxTokens) ++end;
    c.tokens.assign(data.begin() + std::ptrdiff_t(i), data.begin() + std::ptrdiff_t(end));
    if (chunks.size() % 3 == 1) c.label = "l" + std::to_string(chunks.size());
    chunks.push_back(std::move(c));
    i = end + 1;
  }
  return chunks;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 1);
  static QGuiApplication app(*argc, *argv);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 1) return 0;
  const std::span<const std::uint8_t> all(data, size);
  const std::uint8_t* split = std::find(data + 1, data + size, std::uint8_t(0xFE));
  const std::span<const std::uint8_t> script(data + 1, split);
  const std::span<const std::uint8_t> actions(split == data + size ? split : split + 1, data + size);

  FuzzHost host;
  CExpoView view(&host, QSize(200, 150));
  ExpoTimeline timeline(view);
  host.timeline = &timeline;
  host.keepEvents = false;
  // Small budgets keep every input fast; the rule is the same.
  view.budget().perTick = 4000;
  view.maxObjects = 300;
  std::vector<ScriptChunk> chunks = data[0] % 2 == 0 ? LoadScriptChunks(script).chunks : RawChunks(script);
  std::unique_ptr<ExpoNarration> clip;
  if (data[0] & 2) {
    FuzzHost* h = &host;
    clip = std::make_unique<ClockNarration>(std::int64_t(data[0]) * 22050 / 8, [h] { return h->now; });
  }
  timeline.Load(std::move(chunks), std::move(clip));
  timeline.Start();
  std::size_t a = 0;
  for (int tick = 0; tick < 400; ++tick) {
    if (a + 1 < actions.size() && tick % 8 == 0) {
      const std::uint8_t what = actions[a], arg = actions[a + 1];
      a += 2;
      switch (what % 7) {
        case 0: timeline.Seek(std::int64_t(arg) * 5512); break;
        case 1: timeline.SetPaused(!timeline.paused()); break;
        case 2: timeline.KeyPress(static_cast<ExpoKey>(arg % 6)); break;
        case 3: timeline.Click(QPoint(arg % 200, (arg * 7) % 150)); break;
        case 4: view.scene().Step(std::int64_t(arg) * 1000); break;
        case 5: (void)view.scene().Render(1.0); break;
        default: timeline.Seek(timeline.position() - std::int64_t(arg) * 2205); break;
      }
    }
    host.Advance();
    // The budget is the only thing that ends a runaway chunk: it must never be overdrawn
    // by more than one statement's cost.
    if (view.budget().left < -std::int64_t(ScriptChunk::kMaxTokens)) __builtin_trap();
  }
  (void)view.scene().SnapshotJson();
  return 0;
}
