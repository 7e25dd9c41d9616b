// Program-wide window operations on the main frame's windows: the course notification
// broadcast, finding and raising course windows, and placing and remembering child
// windows in the preferences' window table.
#pragma once

#include <QtCore/QPoint>

#include <functional>

class QMdiSubWindow;
class QWidget;

// Sends the course notification synchronously: the main frame first, then all its
// descendant windows depth first, then each floating bar's frame and its contents.
// Returns when every receiver has handled it; a handler may broadcast again. Does nothing
// before the main frame exists.
void NotifyAll(int code, void* data = nullptr);

// The first window among the main frame's children (including the windows of its window
// area) and their direct children for which match is true; null when none.
QWidget* FindCourseWindowIf(const std::function<bool(QWidget*)>& match);
template <class T>
T* FindCourseWindow() {
  return dynamic_cast<T*>(FindCourseWindowIf([](QWidget* w) { return dynamic_cast<T*>(w) != nullptr; }));
}

// Restores a minimised window, shows it, raises it and gives it the focus (a course
// window's view takes the focus).
void BringToFront(QWidget* window);

// Gives a child window of the main frame its place (rule in shell/ChildPlacement.h): the
// rectangle remembered under key, cascaded away from windows at the same corner, kept
// inside the window area. Key 0 uses the window's own rectangle.
void PlaceChildWindow(QMdiSubWindow* window, int key);

// Stores the window's rectangle under key in the preferences' window table (key 0, or no
// preferences: nothing). A course window inside the main frame stores its client
// rectangle in the window area's coordinates; a floating bar its outer rectangle relative
// to the main frame. A full table keeps what it has.
void RememberChildWindow(QWidget* window, int key);

class QMainWindow;
class QString;
// Saves a picture of the frame under its caption with the windows over it (the Welcome
// window, floating bars, dialogs), as the learner sees them, to a PNG file. False when
// it cannot be written.
bool SaveFrameScreenshot(QMainWindow& frame, const QString& file);

class QMimeData;
// Drops data on the window under a screen point, as a drag and drop would: the innermost
// window there that takes drops and accepts this data gets it. False when none does.
bool DropDataAt(const QMimeData& data, QPoint globalPos);
