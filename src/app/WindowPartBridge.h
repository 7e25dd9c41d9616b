// The windows framework's side of the window part of student progress files: which
// course windows and tear-off bars are open (written with the file), and the actions that
// open them again when a file is read (the learner records decide the order and meaning).
#pragma once

#include <QtCore/QPointer>
#include <functional>
#include <map>
#include <vector>

#include "course/ActivityLocator.h"
#include "records/WindowPart.h"

class CMainFrame;
class QWidget;

class CWindowPartBridge {
 public:
  explicit CWindowPartBridge(CMainFrame& frame);

  // The open windows: every course window with a placement key, top first, and the
  // tear-off bars, each with the rectangle the window table keeps for it.
  std::vector<OpenWindow> OpenCourseWindows() const;
  std::vector<OpenWindow> OpenBars() const;
  // The actions RestoreWindowPart carries out on this frame.
  WindowRestoreActions RestoreActions();

  // Opening the Lesson Book at a page and launching an activity belong to the Lesson Book
  // and the launcher; each returns the window it opened or brought forward, or null.
  std::function<QWidget*(const ActivityLocator&)> openLessonBook;
  std::function<QWidget*(const ActivityLocator&)> launch;

 private:
  int HandleOf(QWidget* window);
  QWidget* WindowOf(int handle) const;

  CMainFrame& m_frame;
  std::map<int, QPointer<QWidget>> m_handles;
  int m_nextHandle = 1;
};

// The rectangle the window table keeps for a window: a course window's client rectangle in
// the window area, a bar's outer rectangle relative to the main frame's.
CourseRect PlacementRectOf(const QWidget* window);
