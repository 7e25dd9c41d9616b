#include "app/Wiring.h"

#include "app/CourseApp.h"
#include "app/SplashDlg.h"
#include "course/ActivityLocator.h"
#include "course/Services.h"
#include "hypertext/HyperServices.h"
#include "launch/Launcher.h"
#include "lessonbook/LessonBook.h"
#include "lessonbook/LessonBookLinks.h"
#include "lessonbook/PageWnd.h"
#include "movies/BackgroundMovie.h"
#include "movies/MovieWnd.h"
#include "records/StudentRecord.h"
#include "shell/BookmarksBar.h"
#include "shell/LessonBookLink.h"

namespace {

// The movie window registers with the launcher, and the Welcome window plays the course's
// movie through the movie library. Both before the Welcome window needs its movie.
void ConnectMovies() {
  InstallMovieWindows();
  CSplashDlg::SetMovieMaker([](const std::filesystem::path& path, QWidget* parent) -> QWidget* {
    return CBackgroundMovie::Make(path, parent);
  });
}

// Marker files and the hand-off from later launches find their activity with Launch in
// locate mode; windows restored from a student progress file open through Launch. Before
// start-up: a file named on the command line is opened during start-up.
void ConnectLauncher() {
  CCourseApp::SetActivityLocator([](const ActivityLocator& locator) { Launch(locator, kLaunchLocate); });
  CCourseApp::SetWindowLauncher(LaunchCourseWindow);
}

// Activities started in the Lesson Book go to the launcher with their launch sound, and
// the launcher's locate mode turns the open book (executing the activity there unless
// the locator only asks for it to be shown).
void ConnectLessonBookToLauncher() {
  LessonBookLinks links = CurrentLessonBookLinks();
  links.launch = [](const ActivityLocator& locator) {
    PlayLaunchSound(locator);
    Launch(locator, kLaunchOpen);
  };
  SetLessonBookLinks(std::move(links));
  SetLessonBookTurnHook([](QWidget* book, const ActivityLocator& locator, bool execute) {
    auto* pages = dynamic_cast<CPageWnd*>(book);
    if (!pages) return;
    pages->ShowLocator(locator);
    if (execute && locator.activity >= 0) LaunchFromLessonBook(locator, {});
  });
}

// Bookmarks start their activity in locate mode when the Lesson Book is to turn to it.
void ConnectBookmarksBar() {
  BookmarkLaunch bookmarks;
  bookmarks.launch = [](const ActivityLocator& locator, bool turnLessonBook) {
    Launch(locator, turnLessonBook ? kLaunchLocate : kLaunchOpen);
  };
  bookmarks.locate = [](const ActivityLocator& locator) { ShowInLessonBook(locator); };
  bookmarks.lessonBookOpen = [] { return FindLessonBook() != nullptr; };
  CBookmarksBar::SetDefaultLaunch(std::move(bookmarks));
}

}  // namespace

// The application opens the Lesson Book for progress files and their window records,
// hypertext windows open their lesson in it, and its bookmarks go to the learner record.
void ConnectLessonBook() {
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
}

void ConnectSubsystems() {
  ConnectMovies();
  ConnectLauncher();
  ConnectLessonBook();
  ConnectLessonBookToLauncher();
  ConnectBookmarksBar();
}
