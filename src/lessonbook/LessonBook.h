// Opening and closing the Lesson Book, where the rest of the program meets it:
//   - OpenLessonBook makes the book (one only) and shows the first page; the student
//     progress document calls it when a progress file is opened or created;
//   - ShowInLessonBook turns the open book to a locator from elsewhere;
//   - CPageDocTemplate is the student progress template until the learner records keep
//     progress files: a new document opens the book, and its completion marks live in
//     memory (MemoryCompletionRecord) until the book closes.
#pragma once

#include <memory>

#include "shell/StudentDocument.h"

class ActivityLocator;
class CCourseApp;
class CPageWnd;

// Connects the Lesson Book to the program at start-up: the application makes student
// progress documents with CPageDocTemplate, and hypertext windows open their lesson in
// the book.
void ConnectLessonBook(CCourseApp& app);

// The open Lesson Book, or null.
CPageWnd* FindPageWnd();
// Opens the Lesson Book at the first page of the course when it is not open, brings it to
// the front and returns it.
CPageWnd* OpenLessonBook();
// Shows a locator in the open Lesson Book (see CPageWnd::ShowLocator); false when no book is open.
bool ShowInLessonBook(const ActivityLocator& locator);

// Called by the book when it has closed: the learner's document closes with it.
void LessonBookClosed();

class CPageDocTemplate : public StudentDocTemplate {
 public:
  std::unique_ptr<StudentDocument> NewDocument() override;
};
