// The course notification: the one synchronous broadcast by which course windows tell
// each other of changes. NotifyAll (shell/WindowTools.h) collects the receivers in a
// fixed order and hands each the code and its data; every course window, view and bar
// implements CourseNotifyTarget.
//
// Order: the root (the main frame), then its descendants depth first (parent before
// children, children in creation order), then each floating bar's frame followed by its
// own descendants. A handler that broadcasts again runs the inner broadcast to its end
// before the outer one goes on; each receiver is reached once per broadcast, and one
// destroyed by an earlier handler is skipped.
#pragma once

#include <QtCore/QPointer>
#include <functional>
#include <vector>

class QObject;

// The message number the notification was carried under; kept for course files and
// scripts that name it.
inline constexpr int kCourseNotifyMessage = 30000;

enum CourseNotifyCode : int {
  kNotifyDialogControl = 1,  // a control in a settings dialog changed (dialog-local); no data
  kNotifyPreferences = 2,    // the preferences changed; data: const Preferences* as they were, or null
  kNotifyCompletion = 3,     // a completion mark changed or a progress file loaded; data: ActivityLocator* or null
  kNotifyPageTurned = 4,     // the Lesson Book turned a page; data: the page window (QWidget*)
  kNotifyActivated = 5,      // a course window became active; data: that window (QWidget*)
  kNotifyBookmarks = 6,      // the bookmark list changed; data: the bookmark concerned, or null
  kNotifyBarShown = 7,       // a bar was shown or hidden; data: the bar (QWidget*)
  kNotifyClose = 8,          // close this window; no data
  kNotifyRepaint = 9,        // repaint this window; no data
  kNotifyToFront = 11,       // bring this window to the front; no data
  kNotifyPalette = 12,       // the shared palette was realised anew; no data
  kNotifyMoved = 13,         // the main frame or a window moved; no data
};

// Implemented by every course window, view and bar next to its QObject base.
class CourseNotifyTarget {
 public:
  virtual ~CourseNotifyTarget() = default;
  virtual void OnCourseNotify(int code, void* data) = 0;
};

// The receivers of one broadcast in delivery order. isFloatingFrame tells which
// descendants of root are floating bar frames: they and their subtrees are taken out of
// the depth-first pass and appended after it. Objects that do not implement
// CourseNotifyTarget are left out.
std::vector<QPointer<QObject>> CollectNotifyTargets(QObject* root,
                                                    const std::function<bool(const QObject*)>& isFloatingFrame);

// Hands code and data to every receiver still alive, in order. Returns how many were reached.
int DeliverCourseNotify(const std::vector<QPointer<QObject>>& targets, int code, void* data);
