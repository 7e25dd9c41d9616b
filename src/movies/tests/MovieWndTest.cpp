// The movie window as the learner meets it: launched from a course page, sized to the
// movie, played to its end, completed once, closed with its button; resized, its
// transcript shown; a movie it cannot play reported and gone.
#include <gtest/gtest.h>

#include <QtCore/QPointer>
#include <QtTest/QTest>
#include <QtWidgets/QApplication>
#include <QtWidgets/QMdiArea>
#include <QtWidgets/QPushButton>
#include <memory>

#include "MovieTestSupport.h"
#include "TestSupport.h"
#include "course/CommandIds.h"
#include "course/ContentsTable.h"
#include "course/Preferences.h"
#include "course/Notice.h"
#include "course/ResourceIds.h"
#include "course/StringIds.h"
#include "launch/Launcher.h"
#include "launch/tests/LaunchTestSupport.h"
#include "movies/BackgroundMovie.h"
#include "movies/MovieController.h"
#include "movies/MovieLayout.h"
#include "movies/MovieSupport.h"
#include "movies/MovieTextWnd.h"
#include "movies/MovieView.h"
#include "movies/MovieWnd.h"
#include "records/StudentRecord.h"
#include "shell/CommandTarget.h"
#include "shell/MainFrame.h"
#include "shell/ProgramArt.h"

namespace fs = std::filesystem;
using launchtest::TestCourse;

namespace {

constexpr MovieTime kTickTime = 30'000;  // 30 ms

void Settle() {
  for (int i = 0; i < 3; ++i) QApplication::processEvents();
}

struct MovieWndFixture : ::testing::Test {
  TestCourse course;
  StudentRecord record;
  ScopedService<StudentRecord> recordService{&record};
  MovieSupport support;
  ScopedService<MovieSupport> supportService{&support};
  std::unique_ptr<CMainFrame> frame;
  NoticeRecorder notices;
  const ActivityLocator pile{0, 0, 2};

  void SetUp() override {
    ASSERT_EQ(support.Start(), MovieSupport::Status::Ready);
    frame = std::make_unique<CMainFrame>(CMainFrame::Options{});
    frame->setGeometry(40, 40, 1200, 900);
    frame->show();
    Settle();
    InstallMovieWindows();
    course.Copy("ED/edpile.mov", movietest::DataFile("pattern-h264.mov"));
    course.Copy("ED/EdPile.mtx", movietest::DataFile("pattern-h264.mtx"));
  }
  void TearDown() override {
    frame.reset();
    Settle();
  }

  int MovieWindows() const {
    int n = 0;
    for (QMdiSubWindow* w : frame->mdiArea()->subWindowList())
      if (dynamic_cast<CMovieWnd*>(w) && !w->isHidden()) ++n;
    return n;
  }

  // Ticks the window on a clock the test drives until the movie has ended (at most
  // limit ticks); the number of ticks that reported the end.
  int PlayToEnd(CMovieWnd& w, movietest::ManualClock& clock, int limit = 400) {
    int ends = 0;
    for (int i = 0; i < limit; ++i) {
      clock.Advance(kTickTime);
      if (w.Tick().ended) ++ends;
      if (w.movieView()->playState()->ended() && i > 0) {
        // A few more ticks after the end must not report it again.
        for (int j = 0; j < 20; ++j) {
          clock.Advance(kTickTime);
          if (w.Tick().ended) ++ends;
        }
        break;
      }
    }
    return ends;
  }
};

bool Enabled(CommandTarget& target, int id, bool* checked = nullptr) {
  CommandState state;
  target.UpdateCommand(id, state);
  if (checked) *checked = state.checked.value_or(false);
  return state.enabled;
}

}  // namespace

TEST_F(MovieWndFixture, PlaysATwoSecondMovieToItsEndOnItsTimerAndCompletesTheActivity) {
  auto* w = dynamic_cast<CMovieWnd*>(Launch(pile, kLaunchOpen));
  ASSERT_NE(w, nullptr);
  EXPECT_EQ(w->windowTitle(), "Where do the values pile up?");
  // Its caption shows the movie window's own icon, not the program's.
  const QImage icon = w->windowIcon().pixmap(QSize(16, 16), 1.0).toImage().convertToFormat(QImage::Format_ARGB32);
  EXPECT_EQ(icon, ProgramPixmap("icon", ico::kMovie, QSize(16, 16), 1.0).toImage().convertToFormat(QImage::Format_ARGB32));
  EXPECT_NE(icon, QApplication::windowIcon().pixmap(QSize(16, 16), 1.0).toImage().convertToFormat(QImage::Format_ARGB32));
  EXPECT_EQ(w->clientSize(), QSize(320 + 4, 16 + 240 + 4));
  EXPECT_EQ(w->movieView()->movie()->Duration(), 2 * kMovieTimeScale);
  EXPECT_FALSE(record.IsCompleted(pile));

  // The window's own 30 ms timer plays it: wait (generously) for the end.
  for (int i = 0; i < 200 && !record.IsCompleted(pile); ++i) QTest::qWait(50);
  ASSERT_TRUE(record.IsCompleted(pile));
  EXPECT_EQ(record.completions().size(), 1u);
  QPushButton* close = w->movieView()->closeButton();
  ASSERT_NE(close, nullptr);
  EXPECT_TRUE(close->isVisibleTo(w));
  EXPECT_EQ(close->text(), "Close");
  EXPECT_EQ(close->geometry(), movie_layout::CloseButtonRect(w->movieView()->controller()->MovieRect()));
  QTest::mouseClick(close, Qt::LeftButton);
  Settle();
  EXPECT_EQ(MovieWindows(), 0);
}

TEST_F(MovieWndFixture, TheEndIsRecordedOnceAndPlayingAgainRemovesTheCloseButton) {
  auto* w = dynamic_cast<CMovieWnd*>(Launch(pile, kLaunchOpen));
  ASSERT_NE(w, nullptr);
  movietest::ManualClock clock;
  w->movieView()->movie()->SetClock(clock.clock());
  EXPECT_EQ(PlayToEnd(*w, clock), 1);
  EXPECT_TRUE(record.IsCompleted(pile));
  ASSERT_NE(w->movieView()->closeButton(), nullptr);

  CMovieController* controller = w->movieView()->controller();
  w->movieView()->movie()->GoToBeginning();
  controller->Play(1.0);
  clock.Advance(kTickTime);
  EXPECT_TRUE(w->Tick().replayed);
  EXPECT_EQ(w->movieView()->closeButton(), nullptr);
  EXPECT_FALSE(w->movieView()->playState()->ended());
  EXPECT_EQ(PlayToEnd(*w, clock), 1);
  EXPECT_NE(w->movieView()->closeButton(), nullptr);
  EXPECT_EQ(record.completions().size(), 1u);
}

TEST_F(MovieWndFixture, ResizeCommandsSizeTheClientAreaToTheMoviePlusController) {
  auto* w = dynamic_cast<CMovieWnd*>(Launch(pile, kLaunchOpen));
  ASSERT_NE(w, nullptr);
  const QPoint topLeft = w->pos();
  struct Case {
    int id;
    QSize client;
  };
  for (const Case c :
       {Case{cmd::kDoubleSize, {644, 500}}, Case{cmd::kHalfSize, {164, 140}}, Case{cmd::kNormalSize, {324, 260}}}) {
    SCOPED_TRACE(c.id);
    ASSERT_TRUE(w->OnCommand(c.id));
    Settle();
    EXPECT_EQ(w->clientSize(), c.client);
    EXPECT_EQ(w->pos(), topLeft);
    EXPECT_EQ(w->movieView()->controller()->Bounds().size(), c.client - QSize(4, 4));
    bool checked = false;
    EXPECT_TRUE(Enabled(*w, c.id, &checked));
    EXPECT_TRUE(checked);
    for (int other : {cmd::kHalfSize, cmd::kDoubleSize, cmd::kNormalSize}) {
      if (other == c.id) continue;
      Enabled(*w, other, &checked);
      EXPECT_FALSE(checked) << other;
    }
  }
}

// A progress file named on the command line reopens its movie before the main frame is
// shown: the window is sized to the movie all the same and shows once the frame does.
TEST_F(MovieWndFixture, AMovieOpenedBeforeTheFrameIsShownIsSizedToTheMovie) {
  frame.reset();
  Settle();
  frame = std::make_unique<CMainFrame>(CMainFrame::Options{});
  frame->setGeometry(40, 40, 1200, 900);
  auto* w = dynamic_cast<CMovieWnd*>(Launch(pile, kLaunchOpen));
  ASSERT_NE(w, nullptr);
  frame->show();
  Settle();
  EXPECT_TRUE(w->isVisible());
  EXPECT_EQ(w->clientSize(), QSize(320 + 4, 16 + 240 + 4));
  EXPECT_EQ(w->movieView()->controller()->Bounds().size(), QSize(320, 16 + 240));
}

TEST_F(MovieWndFixture, TheTranscriptIsShownAndClosesWithTheMovie) {
  auto* w = dynamic_cast<CMovieWnd*>(Launch(pile, kLaunchOpen));
  ASSERT_NE(w, nullptr);
  ASSERT_TRUE(Enabled(*w, cmd::kViewMovieText));
  w->OnCommand(cmd::kViewMovieText);
  Settle();
  QPointer<CMovieTextWnd> text = CMovieTextWnd::Find();
  ASSERT_NE(text, nullptr);
  EXPECT_TRUE(text->text().startsWith("Transcript of the pattern-h264 test movie."));
  EXPECT_EQ(text->windowTitle(), w->windowTitle());
  // The exposition text window's icon, 5001.
  EXPECT_EQ(text->windowIcon().pixmap(QSize(16, 16), 1.0).toImage().convertToFormat(QImage::Format_ARGB32),
            ProgramPixmap("icon", ico::kLessonGroup, QSize(16, 16), 1.0).toImage().convertToFormat(QImage::Format_ARGB32));
  w->close();
  Settle();
  EXPECT_TRUE(text.isNull() || text->isHidden());

  // Without a transcript the command is disabled.
  fs::remove(course.course / "ED" / "EdPile.mtx");
  w = dynamic_cast<CMovieWnd*>(Launch(pile, kLaunchOpen));
  ASSERT_NE(w, nullptr);
  EXPECT_FALSE(Enabled(*w, cmd::kViewMovieText));
}

TEST_F(MovieWndFixture, OneMovieWindowShowsTheMovieLaunchedLast) {
  course.Copy("ED/missing.mov", movietest::DataFile("pattern-rle.mov"));
  auto* first = dynamic_cast<CMovieWnd*>(Launch(pile, kLaunchOpen));
  ASSERT_NE(first, nullptr);
  const CMovie* firstMovie = first->movieView()->movie();
  EXPECT_EQ(Launch(pile, kLaunchOpen), first);
  EXPECT_EQ(first->movieView()->movie(), firstMovie);

  auto* second = dynamic_cast<CMovieWnd*>(Launch(ActivityLocator(0, 0, 4), kLaunchOpen));
  EXPECT_EQ(second, first);
  EXPECT_EQ(second->windowTitle(), "Lost film");
  EXPECT_EQ(second->movieView()->movie()->Duration(), 3 * kMovieTimeScale);
  EXPECT_EQ(MovieWindows(), 1);
}

TEST_F(MovieWndFixture, AMovieThatCannotBePlayedIsReportedAndLeavesNoWindow) {
  course.Write("ED/edpile.mov", "this is not a movie at all");
  EXPECT_EQ(Launch(pile, kLaunchOpen), nullptr);
  ASSERT_EQ(notices.notices().size(), 1u);
  EXPECT_EQ(notices.notices()[0].stringId, str::kCannotPlayMovie);
  EXPECT_TRUE(notices.sawText("Could not play the movie because of error '"));
  Settle();
  EXPECT_EQ(MovieWindows(), 0);
  EXPECT_FALSE(record.IsCompleted(pile));

  // Movies switched off: the same notice, no window.
  course.Copy("ED/edpile.mov", movietest::DataFile("pattern-h264.mov"));
  support.StopToolbox();
  notices.clear();
  EXPECT_EQ(Launch(pile, kLaunchOpen), nullptr);
  EXPECT_TRUE(notices.sawId(str::kCannotPlayMovie));
  Settle();
  EXPECT_EQ(MovieWindows(), 0);
}

TEST(BackgroundMovie, PlaysAPlayableFileAndLosesOnlyTheMovieOtherwise) {
  QWidget parent;
  EXPECT_EQ(CBackgroundMovie::Make(movietest::DataFile("absent.mov"), &parent), nullptr);
  const fs::path junk = movietest::DataFile("pattern-h264.mtx");
  EXPECT_EQ(CBackgroundMovie::Make(junk, &parent), nullptr);
  CBackgroundMovie* movie = CBackgroundMovie::Make(movietest::DataFile("pattern-mjpeg.mov"), &parent);
  ASSERT_NE(movie, nullptr);
  movie->resize(160, 120);
  parent.show();
  EXPECT_TRUE(movie->movie()->IsPlaying());
}

TEST(SampleCourse, TheFilmOnTheFirstPageOfExploringDataOpensInTheMovieWindow) {
  MovieSupport support;
  ASSERT_EQ(support.Start(), MovieSupport::Status::Ready);
  ScopedService<MovieSupport> supportService(&support);
  const fs::path root = kntest::SourceDir() / "sample-course";
  Preferences prefs;
  prefs.SetFolder(Preferences::kProgramFolder, root.string() + "/");
  ScopedService<Preferences> prefsService(&prefs);
  ContentsTable contents;
  const auto bytes = kntest::ReadFileBytes(root / "course" / "contents.txt");
  contents.Load(std::string(bytes.begin(), bytes.end()), 1, 0, nullptr);
  ScopedService<ContentsTable> contentsService(&contents);
  NoticeRecorder notices;
  CMainFrame frame(CMainFrame::Options{});
  frame.show();
  InstallMovieWindows();

  const auto locator = contents.Resolve("edpile.mov");
  ASSERT_TRUE(locator);
  auto* w = dynamic_cast<CMovieWnd*>(Launch(*locator, kLaunchOpen));
  ASSERT_NE(w, nullptr) << (notices.notices().empty() ? "" : notices.notices()[0].text);
  EXPECT_EQ(w->windowTitle(), "Where do the values pile up?");
  EXPECT_FALSE(w->movieView()->transcriptPath().empty());
  EXPECT_EQ(w->movieView()->movie()->Duration(), 8 * kMovieTimeScale);
  w->close();
  Settle();
}
