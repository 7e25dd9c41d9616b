// ExpoTimeline: the narration timing of an exposition window without the window. It
// owns the chunks and the narration clock, runs every chunk whose start the clock has
// passed, fast-forwards after seeks, pauses, handles the end of the narration, and
// answers the keys and clicks that drive playback. The window calls Tick every 16 ms;
// kncourse and the tests call it on a virtual clock.
//
// Every chunk has an effective start: its own start, or its predecessor's when it has
// none (0) or an earlier one; every comparison of starts (due chunks, seeks, `pause`,
// `goto`, the silent clock's length) uses the effective start.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string_view>
#include <vector>

#include "exposition/ExpoObject.h"
#include "exposition/ScriptChunk.h"

class CExpoView;

// The clock the chunks play against: the narration clip, or a silent clip. Positions
// are samples of the 22 050 Hz clock.
class ExpoNarration {
 public:
  virtual ~ExpoNarration() = default;
  virtual std::int64_t Length() const = 0;
  virtual std::int64_t Position() const = 0;
  virtual bool Playing() const = 0;
  // Stopped by itself at the end of the clip.
  virtual bool Ended() const = 0;
  // Plays from the current position; false when it cannot.
  virtual bool Play() = 0;
  virtual void Stop() = 0;
  virtual void SetPosition(std::int64_t position) = 0;
};

// A narration that keeps time from a millisecond clock: the silent clip, and the
// virtual clip of kncourse and the tests.
class ClockNarration : public ExpoNarration {
 public:
  ClockNarration(std::int64_t length, std::function<std::int64_t()> milliseconds);
  std::int64_t Length() const override { return m_length; }
  std::int64_t Position() const override;
  bool Playing() const override { return m_playing && Position() < m_length; }
  bool Ended() const override { return m_playing && Position() >= m_length; }
  bool Play() override;
  void Stop() override;
  void SetPosition(std::int64_t position) override;

 private:
  std::int64_t m_length;
  std::function<std::int64_t()> m_ms;
  std::int64_t m_base = 0;     // position when the clock last started or was set
  std::int64_t m_startMs = 0;  // clock reading at that moment
  bool m_playing = false;
};

enum class ExpoKey { Space, Enter, Left, Right, Tab, ShiftTab };

class ExpoTimeline {
 public:
  static constexpr std::int64_t kSeekStep = 88200;       // Left and Right arrows: 4 s
  static constexpr std::int64_t kSilentTail = 22050;     // the silent clip lasts 1 s past the last start

  // The timeline drives view (its host gets the window's requests); view must outlive it.
  explicit ExpoTimeline(CExpoView& view);
  ~ExpoTimeline();
  ExpoTimeline(const ExpoTimeline&) = delete;
  ExpoTimeline& operator=(const ExpoTimeline&) = delete;

  // Replaces the exposition: the view is reset, the chunks taken. With a clip the view
  // plays against a clock; without one, chunks get a silent clip that keeps the host's
  // wall time (last effective start + 1 s); with neither there is no clock. Paused,
  // not started.
  void Load(std::vector<ScriptChunk> chunks, std::unique_ptr<ExpoNarration> clip);
  // The silent clip's length for these chunks.
  static std::int64_t SilentLength(const std::vector<ScriptChunk>& chunks);
  static std::vector<std::int64_t> EffectiveStarts(const std::vector<ScriptChunk>& chunks);

  // The first start of the narration (the window calls it once it may, see the tick).
  void Start();
  // The 16 ms timer: runs due chunks, handles the end of the narration, steps the
  // objects. A tick that arrives inside a busy wait only keeps the clock and the
  // objects moving; one that arrives while a chunk runs outside a wait (a modal
  // message's event loop) does nothing.
  void Tick();
  // Pauses or resumes; false when there is no clock or nothing changes. Resuming at
  // the end restarts the exposition from 0.
  bool SetPaused(bool paused);
  // Moves to position (clamped), running the chunks in between when runChunks: a
  // backward seek rebuilds from the start or from the last clear-marked chunk at or
  // before the position, fast-forwarding. False when nothing moved.
  bool Seek(std::int64_t position, bool runChunks = true);

  // Statements.
  void Goto(std::string_view label);
  void PauseAtNextChunk(std::string_view caption, bool button);

  // Input. KeyPress returns whether the key was used.
  bool KeyPress(ExpoKey key);
  // A left click at p in the drawing area (press and release at once).
  void Click(QPoint p);
  void MouseDown(QPoint p);
  void MouseUp(QPoint p);
  void HandleMouseResult(const ExpoMouseResult& result);

  const std::vector<ScriptChunk>& chunks() const { return m_chunks; }
  std::int64_t EffectiveStart(std::size_t index) const { return m_starts[index]; }
  std::int64_t position() const { return m_position; }
  std::int64_t total() const { return m_total; }
  std::size_t next() const { return m_next; }
  bool paused() const { return m_paused; }
  bool started() const { return m_started; }
  bool hasClock() const { return m_hasClock; }
  bool completed() const { return m_completed; }
  CExpoView& view() const { return m_view; }

 private:
  // Runs chunk index; false when it was abandoned.
  bool RunChunkAt(std::size_t index);
  void RunDueChunks();
  void CatchUp(std::int64_t target);
  void EndOfNarration();
  void StepObjects();
  void SetPosition(std::int64_t position);

  CExpoView& m_view;
  std::vector<ScriptChunk> m_chunks;
  std::vector<std::int64_t> m_starts;
  std::unique_ptr<ExpoNarration> m_narration;
  std::int64_t m_position = 0;
  std::int64_t m_total = 0;
  std::size_t m_next = 0;
  std::ptrdiff_t m_lastRun = -1;
  bool m_hasClock = false;
  bool m_started = false;
  bool m_paused = true;
  bool m_runningChunk = false;
  bool m_gotoTaken = false;
  bool m_completed = false;
  bool m_stopTick = false;  // a chunk waited or was abandoned: the tick runs no further chunk
};
