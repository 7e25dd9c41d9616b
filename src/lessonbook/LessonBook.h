// Opening and closing the Lesson Book, where the rest of the program meets it:
//   - OpenLessonBook makes the book (one only) and shows the first page; the student
//     progress template calls it when a progress file is opened or created;
//   - ShowInLessonBook turns the open book to a locator from elsewhere;
//   - closing the book closes the learner's document with it.
#pragma once

#include <QtCore/QPoint>

class ActivityLocator;
class CPageWnd;

// The open Lesson Book, or null.
CPageWnd* FindPageWnd();
// Opens the Lesson Book at the first page of the course when it is not open, brings it to
// the front and returns it.
CPageWnd* OpenLessonBook();
// Shows a locator in the open Lesson Book (see CPageWnd::ShowLocator); false when no book is open.
bool ShowInLessonBook(const ActivityLocator& locator);

// Drops locator, as bookmark data, on the window under globalPos (the Bookmarks bar takes
// it); false when no window there takes it.
bool DropLocatorAt(const ActivityLocator& locator, QPoint globalPos);

// Called by the book when it has closed: the learner's document closes with it.
void LessonBookClosed();
