#include "lessonbook/LessonBook.h"

#include "hypertext/HyperServices.h"
#include "lessonbook/CompletionRecord.h"
#include "lessonbook/PageWnd.h"
#include "shell/CourseApp.h"
#include "shell/WindowTools.h"

namespace {
// The completion marks of the open document while progress files do not keep them.
MemoryCompletionRecord& InMemoryMarks() {
  static MemoryCompletionRecord marks;
  return marks;
}
}  // namespace

CPageWnd* FindPageWnd() { return FindCourseWindow<CPageWnd>(); }

CPageWnd* OpenLessonBook() {
  if (CPageWnd* book = FindPageWnd()) {
    BringToFront(book);
    return book;
  }
  auto* book = new CPageWnd;
  book->Open();
  book->GoTo(ActivityLocator(0, 0, -1), false, false);
  return book;
}

bool ShowInLessonBook(const ActivityLocator& locator) {
  CPageWnd* book = FindPageWnd();
  if (!book) return false;
  BringToFront(book);
  book->ShowLocator(locator);
  return true;
}

void LessonBookClosed() {
  if (CurrentCompletionRecord() == &InMemoryMarks()) SetCompletionRecord(nullptr);
  InMemoryMarks().Clear();
  if (CCourseApp* app = CCourseApp::Instance()) app->CloseDocument();
}

std::unique_ptr<StudentDocument> CPageDocTemplate::NewDocument() {
  std::unique_ptr<StudentDocument> document = StudentDocTemplate::NewDocument();
  if (!document) return nullptr;
  InMemoryMarks().Clear();
  SetCompletionRecord(&InMemoryMarks());
  OpenLessonBook();
  return document;
}

void ConnectLessonBook(CCourseApp& app) {
  app.SetDocTemplate(std::make_unique<CPageDocTemplate>());
  HyperWindowLinks links = CurrentHyperWindowLinks();
  links.showInLessonBook = [](const ActivityLocator& locator) {
    ActivityLocator page(locator.lesson, 0, -1);  // the lesson's first page
    ShowInLessonBook(page);
  };
  SetHyperWindowLinks(std::move(links));
}
