// The narration timeline on a virtual clock: due chunks, effective starts, the silent
// clip, seeks, pauses, goto, the end of the narration, and the faults that must not
// freeze the window.
#include <gtest/gtest.h>

#include "exposition/ChunkLoader.h"
#include "exposition/ExpoKinds.h"
#include "exposition/ExpoVirtualHost.h"
#include "exposition/Keywords.h"

namespace {

constexpr std::int64_t kRate = ScriptChunk::kSampleRate;

struct Player {
  VirtualExpoHost host;
  CExpoView view{&host, QSize(400, 300)};
  ExpoTimeline timeline{view};

  // text is an exposition text; clipSeconds < 0: no narration clip (silent clock).
  explicit Player(const std::string& text, double clipSeconds = -1) {
    host.timeline = &timeline;
    ChunkLoadResult r = LoadScriptChunks(std::span(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()));
    std::unique_ptr<ExpoNarration> clip;
    if (clipSeconds >= 0) {
      VirtualExpoHost* h = &host;
      clip = std::make_unique<ClockNarration>(std::int64_t(clipSeconds * kRate), [h] { return h->now; });
    }
    timeline.Load(std::move(r.chunks), std::move(clip));
  }
  void PlayTo(double seconds) {
    if (!timeline.started()) timeline.Start();
    while (host.now < std::int64_t(seconds * 1000)) host.Advance();
  }
  std::vector<int> ChunksRun() const {
    std::vector<int> run;
    for (const auto& e : host.events)
      if (e.name == "chunk") run.push_back(e.detail["index"].toInt());
    return run;
  }
  bool Has(const char* name) { return !view.scene().Resolve(name).empty(); }
  std::int32_t Int(int code) const { return view.variables().Value(code).integer(); }
};

// Chunks at 0 (661), 2 s and 5 s; a chunk without a start after the 2 s one.
const char* kThree =
    ":set int0 to int0 + 1\n"
    "Narration.\n"
    "+2\n"
    ":set int1 to int1 + 1\n"
    "~\n"
    ":set int2 to int2 + 1\n"
    "More.\n"
    "+5\n"
    ":set int3 to int3 + 1\n"
    "End.\n";

TEST(ExpoTimeline, EffectiveStartsAndTheSilentClock) {
  Player p(kThree);
  ASSERT_EQ(p.timeline.chunks().size(), 4u);
  EXPECT_EQ(p.timeline.EffectiveStart(0), 661);
  EXPECT_EQ(p.timeline.EffectiveStart(1), 2 * kRate);
  EXPECT_EQ(p.timeline.EffectiveStart(2), 2 * kRate);  // untimed: its predecessor's start
  EXPECT_EQ(p.timeline.EffectiveStart(3), 5 * kRate);
  EXPECT_EQ(p.timeline.total(), 6 * kRate);  // no narration: last start + 1 s
  EXPECT_TRUE(p.timeline.hasClock());
  EXPECT_FALSE(p.view.hasClock());  // the view plays against a clip only with narration

  p.PlayTo(1.9);
  EXPECT_EQ(p.ChunksRun(), (std::vector<int>{0}));
  p.PlayTo(2.1);
  EXPECT_EQ(p.ChunksRun(), (std::vector<int>{0, 1, 2}));
  p.PlayTo(7);
  EXPECT_EQ(p.ChunksRun(), (std::vector<int>{0, 1, 2, 3}));
  EXPECT_TRUE(p.timeline.completed());
  EXPECT_EQ(p.host.completions, 1);
  EXPECT_TRUE(p.timeline.paused());
  EXPECT_EQ(p.timeline.position(), 6 * kRate);
  // The end shows a Close button; pressing it asks the window to close.
  const auto& objects = p.view.scene().objects();
  ASSERT_FALSE(objects.empty());
  EXPECT_EQ(objects.back()->kind(), ExpoKind::Button);
  EXPECT_EQ(objects.back()->Text(), "Close");
  EXPECT_EQ(objects.back()->rect().right, 400 - 4);
  EXPECT_EQ(objects.back()->rect().bottom, 300 - 4);
  EXPECT_TRUE(p.timeline.KeyPress(ExpoKey::Enter));
  EXPECT_TRUE(p.host.closeRequested);
}

TEST(ExpoTimeline, EarlierStartsRunRightAfterTheirPredecessor) {
  const auto starts = ExpoTimeline::EffectiveStarts({ScriptChunk{"", {}, 661, true}, ScriptChunk{"", {}, 88200, false},
                                                     ScriptChunk{"", {}, 44100, false}, ScriptChunk{"", {}, 0, false},
                                                     ScriptChunk{"", {}, 99225, false}});
  EXPECT_EQ(starts, (std::vector<std::int64_t>{661, 88200, 88200, 88200, 99225}));
}

// A scene rebuilt by seeking: chunk 0 (clear) at 661, chunk 1 at 2 s, chunk 2 (clear) at
// 3 s, chunk 3 at 5 s, chunk 4 at 10 s.
const char* kScenes =
    ":display \"intro\" label \"intro\"\n"
    "N\n"
    "+2\n"
    ":display \"two\" label \"two\"\n"
    "N\n"
    "+3 clear\n"
    ":clear\n"
    ":display \"three\" label \"three\"\n"
    ":set int0 to int0 + 1\n"
    "N\n"
    "+5\n"
    ":display \"five\" label \"five\"\n"
    "N\n"
    "+10\n"
    ":display \"ten\" label \"ten\"\n"
    "N\n";

TEST(ExpoTimeline, BackwardSeekRebuildsFromTheLastClearChunk) {
  Player p(kScenes, 12);
  p.PlayTo(10.5);
  EXPECT_TRUE(p.Has("ten"));
  EXPECT_EQ(p.Int(kw::int0), 1);
  p.timeline.SetPaused(true);
  p.host.events.clear();
  ASSERT_TRUE(p.timeline.Seek(3 * kRate));
  // Rebuilt from the clear-marked chunk at 3 s: chunks 0 and 1 are skipped.
  EXPECT_EQ(p.ChunksRun(), (std::vector<int>{2}));
  EXPECT_TRUE(p.Has("three"));
  EXPECT_FALSE(p.Has("ten"));
  EXPECT_FALSE(p.Has("five"));
  EXPECT_EQ(p.timeline.next(), 3u);
  EXPECT_EQ(p.timeline.position(), 3 * kRate);
  EXPECT_EQ(p.Int(kw::int0), 2);  // variables are not part of the scene
  // Forward again, past the end of a chunk run: 5 s runs, fast.
  p.host.events.clear();
  ASSERT_TRUE(p.timeline.Seek(6 * kRate));
  EXPECT_EQ(p.ChunksRun(), (std::vector<int>{3}));
  EXPECT_FALSE(p.timeline.Seek(6 * kRate));  // unchanged
}

TEST(ExpoTimeline, SeekBeforeAnyChunkHasRun) {
  Player p(kScenes, 12);
  ASSERT_TRUE(p.timeline.Seek(2 * kRate + 10));
  EXPECT_EQ(p.ChunksRun(), (std::vector<int>{0, 1}));
  EXPECT_TRUE(p.Has("intro"));
  ASSERT_TRUE(p.timeline.Seek(100));  // before the first chunk: rebuilt to nothing
  EXPECT_TRUE(p.view.scene().objects().empty());
  EXPECT_EQ(p.timeline.next(), 0u);
}

TEST(ExpoTimeline, ArrowKeysSeekFourSecondsOnlyWhilePaused) {
  Player p(kScenes, 12);
  p.PlayTo(1);
  EXPECT_FALSE(p.timeline.KeyPress(ExpoKey::Right));  // playing: nothing
  EXPECT_TRUE(p.timeline.KeyPress(ExpoKey::Space));
  ASSERT_TRUE(p.timeline.paused());
  const std::int64_t at = p.timeline.position();
  p.host.events.clear();
  EXPECT_TRUE(p.timeline.KeyPress(ExpoKey::Right));
  EXPECT_EQ(p.timeline.position(), at + 4 * kRate);
  EXPECT_EQ(p.ChunksRun(), (std::vector<int>{2, 3}));  // the clear chunk at 3 s rebuilds; 2 s is skipped
  EXPECT_TRUE(p.Has("three"));
  EXPECT_TRUE(p.timeline.KeyPress(ExpoKey::Left));
  EXPECT_EQ(p.timeline.position(), at);
  EXPECT_TRUE(p.timeline.KeyPress(ExpoKey::Left));
  EXPECT_EQ(p.timeline.position(), 0);
}

TEST(ExpoTimeline, PauseStopsAtTheNextChunkAndShowsTheButton) {
  Player p(":pause \"Go on\"\n:set int0 to 1\nN\n+4\n:set int1 to 1\nN\n+6\n:pause button false\nN\n", 8);
  p.PlayTo(1);
  EXPECT_TRUE(p.timeline.paused());
  EXPECT_EQ(p.Int(kw::int0), 1);  // the chunk runs to its end
  EXPECT_EQ(p.timeline.position(), 4 * kRate);  // moved to the next chunk's start
  ASSERT_FALSE(p.view.scene().objects().empty());
  CExpoObject* button = p.view.scene().objects().back().get();
  EXPECT_EQ(button->Text(), "Go on");
  EXPECT_TRUE(button->selected());
  // Clicking it resumes the narration, which then runs the 4 s chunk.
  const ExpoRect r = button->rect();
  p.timeline.Click(QPoint((r.left + r.right) / 2, (r.top + r.bottom) / 2));
  EXPECT_FALSE(p.timeline.paused());
  EXPECT_EQ(p.view.scene().lastButton, "Go on");
  p.host.Advance();
  EXPECT_EQ(p.Int(kw::int1), 1);
  // A pause in the last chunk stays where it is.
  p.PlayTo(9);
  EXPECT_TRUE(p.timeline.paused());
  EXPECT_GE(p.timeline.position(), 6 * kRate);
  EXPECT_LT(p.timeline.position(), 8 * kRate);
  EXPECT_EQ(p.host.errors, 0);
}

TEST(ExpoTimeline, GotoJumpsAndAnUnknownLabelDoesNothing) {
  Player p(":goto \"nowhere\"\n:goto \"later\"\n:set int0 to 1\nN\n+3\n:set int1 to 1\nN\n+6 label later\n:set int2 to 1\nN\n", 8);
  p.PlayTo(0.1);
  EXPECT_EQ(p.Int(kw::int0), 1);  // the chunk finishes first
  EXPECT_GE(p.timeline.position(), 6 * kRate);  // moved to the label's start, whose chunk is due at once
  EXPECT_EQ(p.ChunksRun(), (std::vector<int>{0, 2}));
  EXPECT_EQ(p.Int(kw::int2), 1);
  EXPECT_EQ(p.Int(kw::int1), 0);  // skipped
  EXPECT_EQ(p.host.Count("goto"), 1);
}

TEST(ExpoTimeline, ChunksThatNeverEndDoNotFreezeTheWindow) {
  const char* cases[] = {
      "+1 label again\n:goto \"again\"\nN\n",  // a chunk that jumps to its own label
      "+1\n:repeat while 1\n:end\nN\n",
      "+1\n:repeat with int0 from 1 to 5 by 0\n:end\nN\n",
  };
  for (const char* text : cases) {
    Player p(std::string(":set int9 to 1\nN\n") + text + "+3\n:set int8 to 1\nN\n", 5);
    p.PlayTo(1.5);
    EXPECT_EQ(p.host.errors, 1) << text;
    EXPECT_TRUE(p.timeline.paused()) << text;  // the learner takes over
    EXPECT_EQ(p.timeline.next(), 2u) << text;   // the jump is dropped
    p.timeline.SetPaused(false);
    p.PlayTo(4);
    EXPECT_EQ(p.Int(kw::int8), 1) << text;
    EXPECT_EQ(p.host.errors, 1) << text;
  }
}

TEST(ExpoTimeline, TheErrorNoticeDoesNotLetTheTimerIn) {
  // The notice runs an event loop; a timer tick arriving in it must not run chunks.
  struct NoticeHost : VirtualExpoHost {
    void ReportScriptError() override {
      VirtualExpoHost::ReportScriptError();
      for (int i = 0; i < 100; ++i) Advance();
    }
  };
  NoticeHost host;
  CExpoView view(&host, QSize(400, 300));
  ExpoTimeline timeline(view);
  host.timeline = &timeline;
  const std::string text = ":if 1\n:if 1\n:if 1\n:if 1\n:if 1\n:end\nN\n+0.1\n:set int0 to 1\nN\n";
  ChunkLoadResult r = LoadScriptChunks(std::span(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()));
  timeline.Load(std::move(r.chunks), nullptr);
  timeline.Start();
  host.Advance();
  host.Advance();
  EXPECT_EQ(host.errors, 1);
  EXPECT_EQ(host.Count("chunk"), 1);  // the 0.1 s chunk waited for the notice to close
  EXPECT_EQ(view.variables().Value(kw::int0).integer(), 0);
  host.Advance();
  EXPECT_EQ(view.variables().Value(kw::int0).integer(), 1);
}

TEST(ExpoTimeline, WaitsLetTheClockAndObjectsRunButNoChunk) {
  Player p(":rectangle at {0, 0} size {10, 10} label \"a\"\n:slide \"a\" to {100, 0} duration 1\n:wait 2\n"
           ":set int0 to 1\nN\n+1\n:set int1 to 1\nN\n", 5);
  p.PlayTo(0.05);
  EXPECT_EQ(p.Int(kw::int0), 1);
  EXPECT_GE(p.host.now, 2000);  // the wait ran on the clock
  EXPECT_EQ(p.view.scene().Resolve("a").front()->rect().left, 100);  // objects moved meanwhile
  EXPECT_EQ(p.Int(kw::int1), 0);  // the 1 s chunk waited for the chunk to finish
  p.host.Advance();
  EXPECT_EQ(p.Int(kw::int1), 1);
}

TEST(ExpoTimeline, FastForwardingSkipsWaitsLaunchesAndPauses) {
  Player p(":wait 2\n:launch \"other.exp\"\n:pause\n:button \"Old\"\n:set int0 to 1\nN\n+3\n:set int1 to 1\nN\n", 5);
  ASSERT_TRUE(p.timeline.Seek(4 * kRate));
  EXPECT_EQ(p.host.now, 0);
  EXPECT_EQ(p.host.Count("launch"), 0);
  EXPECT_EQ(p.host.Count("pause"), 0);
  EXPECT_EQ(p.Int(kw::int0), 1);
  EXPECT_EQ(p.Int(kw::int1), 1);
  EXPECT_TRUE(p.timeline.paused());  // it never started
}

TEST(ExpoTimeline, FastForwardingGivesEveryChunkItsBudget) {
  std::string text;
  for (int i = 1; i <= 10; ++i) {
    text += "+" + std::to_string(i) + "\n";
    for (int k = 0; k < 20; ++k) text += ":set int0 to int0 + 1\n";
    text += "N\n";
  }
  Player p(text, 12);
  p.view.budget().perTick = 50;  // more than a chunk needs, less than all of them
  ASSERT_TRUE(p.timeline.Seek(11 * kRate));
  EXPECT_EQ(p.Int(kw::int0), 200);
  EXPECT_EQ(p.host.errors, 0);
  // Played, the same chunks run one to a tick, each within the tick's budget.
  Player q(text, 12);
  q.view.budget().perTick = 50;
  q.PlayTo(11);
  EXPECT_EQ(q.Int(kw::int0), 200);
  EXPECT_EQ(q.host.errors, 0);
}

TEST(ExpoTimeline, ResumingAtTheEndStartsAgain) {
  Player p(":set int0 to int0 + 1\nN\n", 1);
  p.PlayTo(1.5);
  ASSERT_TRUE(p.timeline.completed());
  EXPECT_EQ(p.Int(kw::int0), 1);
  EXPECT_TRUE(p.timeline.SetPaused(false));  // the play button; Space would press the focused Close button
  EXPECT_FALSE(p.timeline.paused());
  EXPECT_EQ(p.timeline.position(), 0);
  EXPECT_TRUE(p.view.scene().objects().empty());  // the Close button went with the reset
  p.PlayTo(2);
  EXPECT_EQ(p.Int(kw::int0), 2);
}

}  // namespace
