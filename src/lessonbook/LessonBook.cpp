#include "lessonbook/LessonBook.h"

#include <QtCore/QMimeData>
#include <memory>

#include "course/ContentsTable.h"
#include "course/Services.h"
#include "hypertext/HyperServices.h"
#include "lessonbook/LessonBookLinks.h"
#include "lessonbook/PageWnd.h"
#include "records/BookmarkClipboard.h"
#include "records/StudentRecord.h"
#include "shell/CourseApp.h"
#include "shell/WindowTools.h"

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
  // The document's template resets the learner record, which clears the bookmark list
  // and tells its listeners (notification 6).
  if (CCourseApp* app = CCourseApp::Instance()) app->CloseDocument();
}

void ConnectLessonBook(CCourseApp& app) {
  CCourseApp::SetLessonBookOpener([](const ActivityLocator& locator) -> QWidget* {
    CPageWnd* book = OpenLessonBook();
    if (book && locator.lesson >= 0) book->GoTo(locator, false, false);
    return book;
  });
  HyperWindowLinks hyper = CurrentHyperWindowLinks();
  hyper.showInLessonBook = [](const ActivityLocator& locator) {
    ActivityLocator page(locator.lesson, 0, -1);  // the lesson's first page
    ShowInLessonBook(page);
  };
  SetHyperWindowLinks(std::move(hyper));
  // Bookmarks go to the learner record; a full list is the caller's notice.
  LessonBookLinks links = CurrentLessonBookLinks();
  if (!links.addBookmark)
    links.addBookmark = [](const ActivityLocator& locator) {
      StudentRecord* record = Service<StudentRecord>();
      return record && record->AddBookmark(locator) >= 0;
    };
  // An activity or asterisk dragged off a page is dropped as the Table of Contents drops
  // its rows: the same data, to whatever window is under the pointer.
  if (!links.dropLocator) links.dropLocator = DropLocatorAt;
  SetLessonBookLinks(std::move(links));
  (void)app;
}

bool DropLocatorAt(const ActivityLocator& locator, QPoint globalPos) {
  const ContentsTable* contents = Service<ContentsTable>();
  const std::unique_ptr<QMimeData> data(
      BookmarkMimeData(locator, locator.source ? *locator.source : contents ? locator.Describe(*contents) : ""));
  return DropDataAt(*data, globalPos);
}
