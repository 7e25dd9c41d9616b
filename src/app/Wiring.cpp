#include "app/Wiring.h"

#include <cstdio>

#include "app/CourseApp.h"
#include "app/SplashDlg.h"
#include "contentsbar/ContentsBar.h"
#include "course/ActivityLocator.h"
#include "course/Notice.h"
#include "course/Preferences.h"
#include "course/Services.h"
#include "equations/EquationPicture.h"
#include "glossary/GlossaryBar.h"
#include "glossary/GlossaryTable.h"
#include "glossary/IndexBar.h"
#include "glossary/IndexTable.h"
#include "exercises/QuizWnd.h"
#include "hypertext/HyperServices.h"
#include "launch/Launcher.h"
#include "lessonbook/LessonBook.h"
#include "lessonbook/LessonBookLinks.h"
#include "lessonbook/PageWnd.h"
#include "movies/BackgroundMovie.h"
#include "movies/MovieWnd.h"
#include "records/StudentRecord.h"
#include "search/SearchDlg.h"
#include "shell/BookmarksBar.h"
#include "course/CommandIds.h"
#include "shell/CourseNotify.h"
#include "shell/LessonBookLink.h"
#include "shell/MainFrame.h"
#include "shell/NoticeDlg.h"
#include "shell/WindowTools.h"

// The movie window registers with the launcher, and the Welcome window plays the course's
// movie through the movie library. Both before the Welcome window needs its movie.
static void ConnectMovies() {
  InstallMovieWindows();
  CSplashDlg::SetMovieMaker([](const std::filesystem::path& path, QWidget* parent) -> QWidget* {
    return CBackgroundMovie::Make(path, parent);
  });
}

// The exercise window registers with the launcher: exercises open from their pages.
static void ConnectExercises() { InstallExerciseWindows(); }

// Marker files and the hand-off from later launches find their activity with Launch in
// locate mode; windows restored from a student progress file open through Launch. Before
// start-up: a file named on the command line is opened during start-up.
static void ConnectLauncher() {
  CCourseApp::SetActivityLocator([](const ActivityLocator& locator) { Launch(locator, kLaunchLocate); });
  CCourseApp::SetWindowLauncher(LaunchCourseWindow);
}

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

// Activities started in the Lesson Book go to the launcher with their launch sound, and
// the launcher's locate mode turns the open book (executing the activity there unless
// the locator only asks for it to be shown).
static void ConnectLessonBookToLauncher() {
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

// "math" elements of hypertext views, Lesson Book pages and the glossary become
// equation pictures.
static void ConnectEquations() { SetEquationRenderer(EquationPicture); }

// The main frame's Table of Contents bar, and its Bookmarks bar on the learner record
// (none before the record exists).
static void ConnectBars() {
  CMainFrame::SetTearBarFactory(cmd::kContentsBar, [] { return new CContentsBar; });
  CMainFrame::SetTearBarFactory(cmd::kIndexBar, []() -> CTearToolBar* {
    const IndexTable* index = Service<IndexTable>();
    return index ? new CIndexBar(*index, Service<GlossaryTable>()) : nullptr;
  });
  CMainFrame::SetTearBarFactory(cmd::kGlossaryBar, []() -> CTearToolBar* {
    GlossaryTable* glossary = Service<GlossaryTable>();
    return glossary ? new CGlossaryBar(*glossary) : nullptr;
  });
  CMainFrame::SetTearBarFactory(cmd::kBookmarksBar, []() -> CTearToolBar* {
    StudentRecord* record = Service<StudentRecord>();
    return record ? new CBookmarksBar(*record) : nullptr;
  });
}

// Bookmarks start their activity in locate mode when the Lesson Book is to turn to it.
static void ConnectBookmarksBar() {
  BookmarkLaunch bookmarks;
  bookmarks.launch = [](const ActivityLocator& locator, bool turnLessonBook) {
    Launch(locator, turnLessonBook ? kLaunchLocate : kLaunchOpen);
  };
  bookmarks.locate = [](const ActivityLocator& locator) { ShowInLessonBook(locator); };
  bookmarks.lessonBookOpen = [] { return FindLessonBook() != nullptr; };
  CBookmarksBar::SetDefaultLaunch(std::move(bookmarks));
}

// Defined terms on pages and in hypertext windows open the Glossary bar; the bar's Index
// button asks the index for the term.
static void ConnectGlossary() {
  HyperWindowLinks hyper = CurrentHyperWindowLinks();
  hyper.showTerm = ShowGlossaryTerm;
  SetHyperWindowLinks(std::move(hyper));
  LessonBookLinks links = CurrentLessonBookLinks();
  links.showTerm = ShowGlossaryTerm;
  SetLessonBookLinks(std::move(links));
  CGlossaryBar::IndexLinks index;
  index.hasTerm = [](std::string_view term) {
    const IndexTable* table = Service<IndexTable>();
    return table && table->FindTerm(term) >= 0;
  };
  index.openAt = ShowIndexTerm;
  CGlossaryBar::SetIndexLinks(std::move(index));
}

// Index rows start their activity as the Table of Contents does, beside the Lesson Book;
// dragged off, they drop as its rows do; glossary rows open the Glossary.
static void ConnectIndex() {
  CIndexBar::Links links;
  links.launch = [](const ActivityLocator& locator) { Launch(locator, kLaunchLocate); };
  links.lessonBookOpen = [] { return FindLessonBook() != nullptr; };
  links.addBookmark = [](const ActivityLocator& locator) {
    StudentRecord* record = Service<StudentRecord>();
    return record && record->AddBookmark(locator) >= 0;
  };
  links.dropLocator = DropLocatorAt;
  links.showGlossary = [](std::string_view term) { ShowGlossaryTerm(term, {}, 0); };
  CIndexBar::SetLinks(std::move(links));
}

// Find opens the Search dialog over the main frame; Find Next repeats a display search
// while it has somewhere to go on from, whether the dialog is open or not.
static void ConnectSearch() {
  CCourseApp::SetCommandHandler(cmd::kFind, {[] { CSearchDlg::Open(CMainFrame::Instance()); }, {}});
  CCourseApp::SetCommandHandler(cmd::kFindNext, {[] {
                                                   CSearchDlg* dialog = CSearchDlg::Instance();
                                                   if (dialog) {
                                                     dialog->Search();
                                                     return;
                                                   }
                                                   CSearchDlg::RunSearch(CMainFrame::Instance());
                                                 },
                                                 [] { return CSearchDlg::CanFindNext(); }});
}

void ConnectSubsystems() {
  ConnectMovies();
  ConnectExercises();
  ConnectLauncher();
  ConnectLessonBook();
  ConnectLessonBookToLauncher();
  ConnectEquations();
  ConnectBars();
  ConnectBookmarksBar();
  ConnectGlossary();
  ConnectIndex();
  ConnectSearch();
}

void ConnectNotices(bool answered, std::function<void(const std::string&)> alsoTell) {
  if (answered) {
    InstallNoticeDialogs();
    return;
  }
  SetNoticeHandler([alsoTell = std::move(alsoTell)](const NoticeRequest& r) {
    std::fprintf(stderr, "kestrelon: %s\n", r.text.c_str());
    if (alsoTell) alsoTell(r.text);
  });
}

void ConnectPreferencesToWindows() {
  SetPreferencesChangedHook([](const Preferences& previous) {
    NotifyAll(kNotifyPreferences, const_cast<Preferences*>(&previous));
  });
}

void DisconnectPreferencesFromWindows() { SetPreferencesChangedHook({}); }

void ConnectBookmarksToWindows(StudentRecord& record) {
  record.SetBookmarksChangedHook(
      [](const ActivityLocator* concerned) { NotifyAll(kNotifyBookmarks, const_cast<ActivityLocator*>(concerned)); });
}

void DisconnectBookmarksFromWindows(StudentRecord& record) { record.SetBookmarksChangedHook({}); }
