// The course window base: every window inside the main frame's window area (Lesson Book,
// expositions and tools, hypertext, movie, exercises) is a CCoreWnd holding one view.
//
// A window with a non-zero placement key gets its remembered or cascaded place when it is
// opened (Open) and remembers its rectangle when it closes. Its timer (timerInterval
// milliseconds, 0 for none) runs only while it is the active course window. It answers
// the course notifications kNotifyClose, kNotifyRepaint, kNotifyToFront and
// kNotifyPalette (palette realised) and broadcasts kNotifyActivated when it becomes active.
#pragma once

#include <QtWidgets/QMdiSubWindow>
#include <functional>
#include <optional>

#include "course/ActivityLocator.h"

#include "shell/CommandTarget.h"
#include "shell/CourseNotify.h"

class CCoreView;

class CCoreWnd : public QMdiSubWindow, public CourseNotifyTarget, public CommandTarget {
 public:
  CCoreWnd(int placementKey, int timerInterval, int helpContext, QWidget* parent = nullptr);
  ~CCoreWnd() override;

  int placementKey() const { return m_placementKey; }
  int timerInterval() const { return m_timerInterval; }
  // Changes the interval; a running timer restarts with it (0 stops it).
  void setTimerInterval(int ms);
  bool timerRunning() const { return m_timerId != 0; }
  int helpContext() const { return m_helpContext; }

  // The view (the window's widget) when it is a course view.
  CCoreView* view() const;

  // Adds the window to the main frame's window area, places it and shows it.
  void Open();
  // Shows the program's icon resource iconId (the window's frame resource) in the window's
  // caption instead of the program's own icon; nothing changes when there is no such icon.
  void SetFrameIcon(int iconId);

  void OnCourseNotify(int code, void* data) override;

  // Whether the window draws with the shared program palette (redrawn on kNotifyPalette).
  virtual bool usesSharedPalette() const { return false; }
  // The activity the window shows, written with the student progress file; none for a
  // window that shows none.
  virtual std::optional<ActivityLocator> activityLocator() const { return std::nullopt; }

 protected:
  // One tick of the window's timer.
  virtual void OnTimer() {}

  void closeEvent(QCloseEvent* event) override;
  void timerEvent(QTimerEvent* event) override;

 private:
  void OnStateChanged(Qt::WindowStates oldState, Qt::WindowStates newState);
  void StartTimer();
  void StopTimer();

  int m_placementKey = 0;
  int m_timerInterval = 0;
  int m_helpContext = 0;
  int m_timerId = 0;
};

// The base of the course windows that carry the course commands of every window
// (assistant, Explore documentation and tutorial, Help Guide, dataset list). Each command
// runs the handler its subsystem registered; a command without one is disabled.
class CStatWnd : public CCoreWnd {
 public:
  using CCoreWnd::CCoreWnd;

  struct CommandHandler {
    std::function<void(CStatWnd& window)> run;
    std::function<bool()> enabled;  // empty: always enabled
  };
  // Commands 9032, 9033, 9039, 9041 and 9089.
  static void SetCommandHandler(int id, CommandHandler handler);
  static bool IsStatCommand(int id);

  bool UpdateCommand(int id, CommandState& state) override;
  bool OnCommand(int id) override;
};
