// Helpers of the shell's window tests: a main frame with the program's preferences in
// place, receivers that log notifications, a stand-in Lesson Book.
#pragma once

#include <QtWidgets/QWidget>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "course/Preferences.h"
#include "course/Services.h"
#include "shell/CoreView.h"
#include "shell/CoreWnd.h"
#include "shell/LessonBookLink.h"
#include "shell/MainFrame.h"

namespace shelltest {

// One log line per notification: "<name>:<code>".
struct NotifyLog {
  std::vector<std::string> lines;
  std::vector<void*> data;
  // The lines of the named receivers only, in order.
  std::vector<std::string> Of(std::initializer_list<const char*> names) const;
  int Count(const std::string& line) const;
};

// A plain widget that logs what reaches it.
class Probe : public QWidget, public CourseNotifyTarget {
 public:
  Probe(const char* name, QWidget* parent, NotifyLog& log);
  void OnCourseNotify(int code, void* data) override;
  std::function<void(int code)> onNotify;

 private:
  NotifyLog& m_log;
};

// A course view that logs and paints numbered lines of 20 pixels.
class LineView : public CCoreView {
 public:
  LineView(const char* name, NotifyLog* log, int lines = 0);
  void OnCourseNotify(int code, void* data) override;
  void PaintContent(QPainter& painter, const QRect& rect, bool printing) override;
  std::function<void(int code)> onNotify;
  int painted = 0;

 private:
  NotifyLog* m_log;
};

// A course window holding a LineView; logs under its name.
class TestWnd : public CStatWnd {
 public:
  TestWnd(const char* name, int key, NotifyLog* log, int timerMs = 0);
  void OnCourseNotify(int code, void* data) override;
  LineView* lineView() const { return m_view; }
  int ticks = 0;

 protected:
  void OnTimer() override { ++ticks; }

 private:
  NotifyLog* m_log;
  LineView* m_view;
};

// A stand-in for the Lesson Book window.
class FakeBook : public TestWnd, public LessonBookLink {
 public:
  explicit FakeBook(NotifyLog* log) : TestWnd("book", 1, log) {}
  LessonBookPlace place;
  QRect tab;
  int activations = 0;
  LessonBookPlace CurrentPlace() const override { return place; }
  QRect BarTabRect(int) const override { return tab; }
  void OnChildActivate() override { ++activations; }
};

// A main frame on screen at 1000 by 700 with preferences installed (defaults).
struct FrameFixture {
  explicit FrameFixture(bool smallScreen = false);
  ~FrameFixture();
  Preferences prefs;
  ScopedService<Preferences> prefsService{&prefs};
  std::unique_ptr<CMainFrame> frame;
};

// Lets queued work run.
void Settle(int ms = 0);

}  // namespace shelltest
