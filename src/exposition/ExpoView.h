// CExpoView: the exposition view without its window. It holds the scene (objects,
// pen, text attributes), the script variables and the rest of the script state, runs
// the statements of a chunk, and answers the names, functions and assignments of the
// scripts. Tool views derive from it and answer their own words first.
//
// Everything the view needs from its window goes through ExpoViewHost; the narration
// (goto, pause, the flags) through the ExpoTimeline that plays it, if any. A view
// without a timeline plays against no clock (kncourse script run, tests).
#pragma once

#include <QtCore/QJsonObject>
#include <QtCore/QSize>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "exposition/ExpoHost.h"
#include "exposition/ExpoScene.h"
#include "exposition/ScriptRunner.h"
#include "exposition/ScriptVariables.h"
#include "exposition/ScriptView.h"

class ExpoTimeline;
class ExpositionFile;

// The window around a view. Every operation has a harmless default so that headless
// hosts override only what they watch.
class ExpoViewHost : public ExpoHost {
 public:
  // A steady clock in milliseconds that busy waits measure (64 bits: never wraps).
  virtual std::int64_t WaitMilliseconds() { return Milliseconds(); }
  // One turn of a busy wait (`wait`, `flash`, blocking entrances): the window's timer
  // handling, a repaint, the wave output's pump, and a bounded slice of event
  // processing in which input is held back (InputHoldBack, course/InputHoldBack.h).
  // Must advance WaitMilliseconds sooner or later. The view never re-enters the
  // interpreter from here: the timeline's tick runs no chunk while the view waits.
  virtual void WaitSlice() {}
  // `update`: draw what is pending now.
  virtual void Update() {}
  // The modal "Error executing script".
  virtual void ReportScriptError();
  // A sound entry of the exposition file (bytes as stored) at a volume level
  // (-1: the current level), and the program's built-in sounds (7007, 7031, 7042).
  virtual void PlaySound(std::string_view name, std::span<const std::uint8_t> data, int volume) {}
  virtual void PlayBuiltinSound(int resourceId) {}
  // Whether the audio device has volume control (`sound ... volume` is read only then).
  virtual bool HasVolumeControl() const { return false; }
  // `launch`: hands the file to the activity launcher (its messages report failures).
  virtual void Launch(std::string_view file, std::string_view application) {}
  // Window properties the scripts set. Texts are course bytes.
  virtual void SetTitle(std::string_view title) {}
  virtual std::string Title() const { return {}; }
  virtual void AreaResized(QSize area) {}
  virtual void ShowButtonsChanged(bool shown) {}
  // Keyboard focus to the view itself (`focus` on a name that names no control).
  virtual void FocusView() {}
  // The end of the narration was reached: mark the activity completed.
  virtual void Completed() {}
  // The window must close (a close button, a narration that cannot resume); the
  // window queues it, it never closes from inside the caller.
  virtual void RequestClose() {}
  // The pause state changed (border, play button).
  virtual void PausedChanged(bool paused) {}
  // The hint of a text object that was clicked.
  virtual void ShowHint(std::string_view hint) {}
  // What happened, for logs and kncourse: "chunk", "goto", "pause", "wait", "flash",
  // "sound", "launch", "error", "completed"; for the author's check also "unresolved"
  // (names that named no object) and "unknown" (a command nobody answered).
  virtual void Trace(std::string_view event, const QJsonObject& detail) {}
};

class CExpoView : public ScriptView {
 public:
  static constexpr QSize kMinArea{16, 16};
  static constexpr QSize kMaxArea{2048, 1536};
  // Objects one view holds at most: a script creating more is abandoned.
  static constexpr std::size_t kMaxObjects = 10000;
  std::size_t maxObjects = kMaxObjects;
  // Waiting one chunk may do in all (`wait`, `flash`); beyond it they return at once.
  static constexpr std::int64_t kMaxWaitPerChunkMs = 60000;

  // host may be null (a plain host); it must outlive the view.
  explicit CExpoView(ExpoViewHost* host = nullptr, QSize area = QSize(400, 300));
  ~CExpoView() override;
  CExpoView(const CExpoView&) = delete;
  CExpoView& operator=(const CExpoView&) = delete;

  ExpoScene& scene() { return m_scene; }
  const ExpoScene& scene() const { return m_scene; }
  ScriptVariables& variables() { return m_variables; }
  const ScriptVariables& variables() const { return m_variables; }
  ExpoViewHost& host() const { return *m_host; }
  ExpoTimeline* timeline() const { return m_timeline; }
  void SetTimeline(ExpoTimeline* timeline) { m_timeline = timeline; }
  // The exposition file whose sound entries `sound` plays; may be null.
  void SetFile(const ExpositionFile* file) { m_file = file; }
  const ExpositionFile* file() const { return m_file; }

  // --- Running ---
  // Runs one chunk's statements. False when the chunk was abandoned ("Error executing
  // script" has been reported); budgetExhausted() tells whether the budget ended it.
  bool RunChunk(std::span<const std::uint8_t> tokens);
  ScriptBudget& budget() { return m_budget; }
  bool budgetExhausted() const { return m_budgetExhausted; }
  // Runs one statement whose command is not a block statement (the pre-step has been
  // applied). Unknown words go to CommandOrFunction.
  virtual void RunStatement(int code, ScriptValueList& args);
  // The pen positioning of the pre-step: at, after, under, by, center. For `study` and
  // `summary`, whose `at` is a flag, only a point or a list moves the pen.
  void ApplyPen(ScriptValueList& args, int command = 0);

  // --- The flags statements read ---
  bool waiting() const { return m_waiting; }
  bool fastForwarding() const { return m_scene.fastForwarding; }
  bool hasClock() const { return m_scene.hasClock; }
  // Milliseconds the running (or last) chunk has waited.
  std::int64_t waitedMs() const { return m_waitedMs; }

  // A busy wait of ms milliseconds through the host (nothing while fast-forwarding,
  // already waiting, or beyond the chunk's waiting allowance).
  void BusyWait(double seconds);
  // One slice of a busy wait, with the waiting flag set (blocking entrances use it).
  void WaitSlice();

  // --- Script state ---
  int questionCounter() const { return m_questionCounter; }
  bool locked() const { return m_locked; }
  bool showButtons() const { return m_showButtons; }
  std::string title() const { return m_host->Title(); }
  // Destroys the objects and resets the script state (pen, text attributes, counters,
  // last button, lock mark); variables, background and preloaded movies stay.
  virtual void Reset();
  // `initialize`: the script state and the variables, then the hook.
  void Initialize();
  // Called when the view is created and by `initialize`: clears the lock mark, shows
  // the buttons when the view plays against no clock.
  virtual void InitializeHook();
  // Sets the drawing area (clamped to kMinArea..kMaxArea).
  void SetArea(QSize area);

  // The continue button at the bottom-right corner, 4 pixels from the edges.
  CExpoObject* ShowContinueButton(std::string_view caption);
  // Removes every button object (a `pause` while fast-forwarding).
  void RemoveButtons();

  // --- ScriptView ---
  ScriptValue ValueOfName(int code) override;
  bool CommandOrFunction(int code, ScriptValueList& args, ScriptValue* result) override;
  std::string WindowTitle() const override { return m_host->Title(); }
  bool InputPending() const override { return m_scene.fastForwarding; }
  // Stores into a variable or a writable view property; false for anything else.
  virtual bool Assign(const ScriptValue& variable, const ScriptValue& value);

 protected:
  // Statements of the exposition view.
  void Clear(ScriptValueList& args, bool transition);
  void Flash(ScriptValueList& args);
  void Layer(ScriptValueList& args);
  void SetEnabled(ScriptValueList& args, bool enable);
  void GotoLabel(ScriptValueList& args);
  void Recolor(ScriptValueList& args);
  void Rename(ScriptValueList& args);
  void Resize(ScriptValueList& args);
  void Restyle(ScriptValueList& args);
  void MoveObjects(ScriptValueList& args, bool slide);
  void Paragraph(ScriptValueList& args, bool question);
  void StudyPage(ScriptValueList& args, bool summary);
  void Recenter(ScriptValueList& args);
  void Hint(ScriptValueList& args);
  void AddText(ScriptValueList& args);
  void Sound(ScriptValueList& args);
  void Preload(ScriptValueList& args);
  void Focus(ScriptValueList& args);
  void Pause(ScriptValueList& args);
  void Launch(ScriptValueList& args);
  // Each object the positional argument names, with a `to` value (nullptr if none).
  std::vector<CExpoObject*> Targets(ScriptValueList& args, ScriptValue** to = nullptr);
  // The objects names select; names that select none are traced as "unresolved".
  std::vector<CExpoObject*> Resolve(const ScriptValue& names);
  CExpoObject* Create(int command, ScriptValueList& args);

  // Functions.
  bool Function(int code, ScriptValueList& args, ScriptValue& result);

 private:
  class SceneHost;
  void ResetScriptState();

  ExpoViewHost m_plainHost;
  ExpoViewHost* m_host;
  std::unique_ptr<SceneHost> m_sceneHost;
  ExpoScene m_scene;
  ScriptVariables m_variables;
  ExpoTimeline* m_timeline = nullptr;
  const ExpositionFile* m_file = nullptr;
  ScriptBudget m_budget;
  bool m_budgetExhausted = false;
  bool m_waiting = false;
  std::int64_t m_waitedMs = 0;  // in the running chunk
  int m_questionCounter = 0;
  bool m_locked = false;
  bool m_showButtons = true;
};
