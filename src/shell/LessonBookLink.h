// What the shell needs of the Lesson Book window (CPageWnd), which is built on the
// shell: the Lesson Book window implements this next to its window base, and the shell
// finds it with dynamic_cast. Its presence is what "a Lesson Book is open" means.
#pragma once

#include <QtCore/QRect>

class ActivityLocator;
class QWidget;

struct LessonBookPlace {
  int lessonNumber = 0;  // counted from the course's lesson base
  int pageNumber = 0;    // counted from 1
  int tool1 = 0;         // the page's tools: indexes 1 to 15, 0 for none
  int tool2 = 0;
};

class LessonBookLink {
 public:
  virtual ~LessonBookLink() = default;
  // The page the book is open at.
  virtual LessonBookPlace CurrentPlace() const = 0;
  // The book's tab for a tear-off bar (bar command id), in screen coordinates; empty
  // when the book shows no tab for it. Showing and hiding the bar animates an outline
  // between this tab and the bar.
  virtual QRect BarTabRect(int barId) const = 0;
  // The program was switched back to while activities finished in the meantime: apply
  // the application's completed queue (the child-activation message of the book's frame).
  virtual void OnChildActivate() = 0;
  // Turns the book to the locator's page and selects its activity (the Table of Contents
  // bar turns without animation). The Lesson Book window's own GoTo, of this signature,
  // is the implementation; a book without one turns nowhere and returns false.
  virtual bool GoTo(const ActivityLocator& locator, bool animate, bool force) { return false; }
};

// The open Lesson Book window, or null (shell/WindowTools.cpp).
QWidget* FindLessonBook();
