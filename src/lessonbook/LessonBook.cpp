#include "lessonbook/LessonBook.h"

#include <QtCore/QMimeData>
#include <memory>

#include "course/ContentsTable.h"
#include "course/Services.h"
#include "lessonbook/PageWnd.h"
#include "records/BookmarkClipboard.h"
#include "shell/CourseProgram.h"
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
  // and tells its listeners (kNotifyBookmarks).
  if (CourseProgram* app = CourseProgram::Instance()) app->CloseDocument();
}

bool DropLocatorAt(const ActivityLocator& locator, QPoint globalPos) {
  const ContentsTable* contents = Service<ContentsTable>();
  const std::unique_ptr<QMimeData> data(
      BookmarkMimeData(locator, locator.source ? *locator.source : contents ? locator.Describe(*contents) : ""));
  return DropDataAt(*data, globalPos);
}
