#include <gtest/gtest.h>

#include <QtCore/QSettings>
#include <QtCore/QTimer>
#include <QtWidgets/QApplication>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QMdiSubWindow>
#include <QtWidgets/QMdiArea>
#include <QtWidgets/QMessageBox>
#include <QtWidgets/QPushButton>

#include "TestSupport.h"
#include "app/CourseApp.h"
#include "app/SplashDlg.h"
#include "course/CoursePersonality.h"
#include "course/Notice.h"
#include "TestSupport.h"
#include "app/CourseApp.h"
#include "course/CommandIds.h"
#include "course/StringIds.h"
#include "shell/CoreToolBar.h"
#include "shell/MainFrame.h"
#include "movies/MovieSupport.h"
#include "records/ProgressStore.h"
#include "records/StatsDocTemplate.h"
#include "records/StudentInfoDlg.h"
#include "records/StudentRecord.h"
#include "course/CommandIds.h"
#include "shell/CoreToolBar.h"
#include "shell/MainFrame.h"
#include "shell/tests/ShellUiTestSupport.h"

using namespace shelltest;

namespace {

// Stands in for the movie library's start: the status it reports.
ProgramServices::MovieStarter Starting(MovieSupport::Status status) {
  return [status](MovieSupport&) { return static_cast<int>(status); };
}

CCourseApp::Environment TestEnvironment(Qt::KeyboardModifiers held = Qt::NoModifier, QSize desktop = {1280, 1024}) {
  CCourseApp::Environment env;
  env.modifiers = [held] { return held; };
  env.desktopSize = [desktop] { return desktop; };
  env.startMovies = Starting(MovieSupport::Status::Ready);
  env.singleInstance = false;
  env.version = QStringLiteral("0.1.0");
  return env;
}

// Waits for a condition while the program runs.
bool WaitFor(const std::function<bool()>& done, int ms = 5000) {
  QElapsedTimer t;
  t.start();
  while (!done() && t.elapsed() < ms) Settle(5);
  return done();
}

void ClearProfile() { std::filesystem::remove(Preferences::ProfilePath()); }

// The notices shown, without the plain messages about the course files the test folder
// does not have.
std::vector<int> NoticeIds(const NoticeRecorder& recorder) {
  std::vector<int> ids;
  for (const NoticeRequest& n : recorder.notices())
    if (n.kind == NoticeRequest::Kind::Notice) ids.push_back(n.stringId);
  return ids;
}

TEST(Startup, WelcomeWindowThenANewStudentFile) {
  ClearProfile();
  NoticeRecorder notices;
  CCourseApp app(CommandLine{}, TestEnvironment());
  ASSERT_TRUE(app.Startup());
  ASSERT_TRUE(WaitFor([&] { return app.welcome() && app.welcome()->isVisible(); }));
  CSplashDlg* welcome = app.welcome();
  for (int id : {cmd::kOpen, cmd::kNew, cmd::kExit}) ASSERT_NE(welcome->button(id), nullptr);
  EXPECT_TRUE(welcome->button(cmd::kNew)->isEnabled());
  EXPECT_TRUE(app.frame()->isMaximized());

  // The new file is named at once: the test cancels the Save As dialog.
  int saveAsAsked = 0;
  app.docTemplate()->chooseFile = [&saveAsAsked](bool save) {
    saveAsAsked += save;
    return QString();
  };
  bool sawDialog = false;
  QTimer::singleShot(0, [&] {
    std::function<void()> fill = [&] {
      auto* dlg = dynamic_cast<CStudentInfoDlg*>(QApplication::activeModalWidget());
      if (!dlg) {
        QTimer::singleShot(5, fill);
        return;
      }
      sawDialog = true;
      dlg->nameEdit()->setText(QStringLiteral("Ana Lima"));
      dlg->accept();
    };
    fill();
  });
  welcome->button(cmd::kNew)->click();
  ASSERT_TRUE(WaitFor([&] { return app.document() != nullptr; }));
  EXPECT_TRUE(sawDialog);
  ASSERT_NE(Service<StudentRecord>(), nullptr);
  EXPECT_EQ(Service<StudentRecord>()->name(), "Ana Lima");
  EXPECT_EQ(app.frame()->windowTitle(), "Kestrelon - " + app.docTemplate()->strings().newFileName);
  EXPECT_TRUE(WaitFor([&] { return saveAsAsked == 1; }));
  // A file is open: the Welcome window goes, and New is no longer offered.
  EXPECT_TRUE(WaitFor([&] { return app.welcome() == nullptr; }));
  EXPECT_FALSE(app.frame()->QueryCommand(cmd::kNew).enabled);
  EXPECT_FALSE(app.frame()->QueryCommand(cmd::kOpen).enabled);
  // Save asks for the name the file still lacks; once it has one, Save writes there and
  // only Save As asks again.
  const std::filesystem::path dir = kntest::MakeTempDir("save");
  std::vector<QString> names = {QString::fromStdString((dir / "ana").string()),
                                QString::fromStdString((dir / "copy.kns").string())};
  app.docTemplate()->chooseFile = [&](bool save) {
    saveAsAsked += save;
    const QString name = names.front();
    names.erase(names.begin());
    return name;
  };
  ASSERT_TRUE(app.frame()->QueryCommand(cmd::kSave).enabled);
  ASSERT_TRUE(app.frame()->RouteCommand(cmd::kSave));
  EXPECT_EQ(saveAsAsked, 2);
  ASSERT_TRUE(std::filesystem::exists(dir / "ana.kns"));
  EXPECT_EQ(app.frame()->windowTitle(), "Kestrelon - ana.kns");
  std::filesystem::remove(dir / "ana.kns");
  ASSERT_TRUE(app.frame()->RouteCommand(cmd::kSave));
  EXPECT_EQ(saveAsAsked, 2);
  EXPECT_TRUE(std::filesystem::exists(dir / "ana.kns"));
  ASSERT_TRUE(app.frame()->RouteCommand(cmd::kSaveAs));
  EXPECT_EQ(saveAsAsked, 3);
  EXPECT_TRUE(std::filesystem::exists(dir / "copy.kns"));
  EXPECT_EQ(app.frame()->windowTitle(), "Kestrelon - copy.kns");
  // Closing it brings the Welcome window back on the next idle pass.
  app.CloseDocument();
  EXPECT_EQ(Service<StudentRecord>()->name(), "");
  EXPECT_TRUE(WaitFor([&] { return app.welcome() != nullptr; }));
  EXPECT_FALSE(app.frame()->QueryCommand(cmd::kSave).enabled);
  EXPECT_FALSE(app.frame()->QueryCommand(cmd::kSaveAs).enabled);
  EXPECT_TRUE(NoticeIds(notices).empty());
}

TEST(Startup, CtrlAndShiftTogetherSkipTheSavedPreferences) {
  struct Case {
    Qt::KeyboardModifiers held;
    int fontSize;
  } cases[] = {{Qt::NoModifier, 20},
               {Qt::ControlModifier, 20},
               {Qt::ShiftModifier, 20},
               {Qt::ControlModifier | Qt::ShiftModifier, 12}};
  for (const Case& c : cases) {
    ClearProfile();
    {
      QSettings ini(QString::fromStdString(Preferences::ProfilePath().string()), QSettings::IniFormat);
      ini.setValue("Config/FontSize", 20);
    }
    CCourseApp app(CommandLine{}, TestEnvironment(c.held));
    ASSERT_TRUE(app.Startup());
    EXPECT_EQ(Service<Preferences>()->fontSize, c.fontSize) << c.held;
  }
}

TEST(Startup, OnASmallDesktopTheNoticeAndTheLeftBars) {
  ClearProfile();
  {
    NoticeRecorder notices;
    CCourseApp app(CommandLine{}, TestEnvironment(Qt::NoModifier, QSize(640, 480)));
    ASSERT_TRUE(app.Startup());
    EXPECT_TRUE(app.smallScreen());
    EXPECT_TRUE(notices.sawId(str::kSmallScreen));
    EXPECT_FALSE(app.frame()->mainToolBar()->isVisible());
    EXPECT_EQ(app.frame()->toolBarArea(app.frame()->navigationBar()), Qt::LeftToolBarArea);
  }
  NoticeRecorder notices;
  CCourseApp wide(CommandLine{}, TestEnvironment(Qt::NoModifier, QSize(641, 480)));
  ASSERT_TRUE(wide.Startup());
  EXPECT_FALSE(wide.smallScreen());
  EXPECT_FALSE(notices.sawId(str::kSmallScreen));
}

TEST(Startup, MovieSupportMissingOrOldEndsTheProgramAfterItsNotice) {
  struct Case {
    MovieSupport::Status status;
    int notice;
  } cases[] = {{MovieSupport::Status::NotInstalled, str::kMovieLibraryRequired},
               {MovieSupport::Status::CannotStart, str::kMovieLibraryRequired},
               {MovieSupport::Status::TooOld, str::kMovieLibraryOld}};
  for (const Case& c : cases) {
    ClearProfile();
    NoticeRecorder notices;
    CCourseApp::Environment env = TestEnvironment();
    env.startMovies = Starting(c.status);
    // The Welcome window plays a movie: the library is checked with the other services.
    env.welcomeMovie = [] { return true; };
    CCourseApp app(CommandLine{}, env);
    EXPECT_FALSE(app.Startup());
    EXPECT_EQ(app.exitCode(), 0);
    EXPECT_EQ(app.frame(), nullptr);
    EXPECT_EQ(NoticeIds(notices), std::vector<int>{c.notice});
  }
}

// Without a Welcome movie the library is checked when the first movie wants it; a
// failed check then is the same notice, but the program and its open work stay.
TEST(Startup, MovieSupportWithoutAWelcomeMovieStartsAtTheFirstMovie) {
  struct Case {
    MovieSupport::Status status;
    std::vector<int> notices;
  } cases[] = {{MovieSupport::Status::Ready, {}},
               {MovieSupport::Status::NotInstalled, {8558}},
               {MovieSupport::Status::TooOld, {8559}}};
  for (const Case& c : cases) {
    ClearProfile();
    NoticeRecorder notices;
    CCourseApp::Environment env = TestEnvironment();
    int starts = 0;
    env.startMovies = [&starts, status = c.status](MovieSupport&) {
      ++starts;
      return static_cast<int>(status);
    };
    env.welcomeMovie = [] { return false; };
    CCourseApp app(CommandLine{}, env);
    ASSERT_TRUE(app.Startup());
    ASSERT_TRUE(WaitFor([&] { return app.welcome() != nullptr; }));
    MovieSupport* movies = Service<MovieSupport>();
    ASSERT_NE(movies, nullptr);
    EXPECT_EQ(starts, 0);
    EXPECT_TRUE(NoticeIds(notices).empty());
    movies->EnsureStarted();
    movies->EnsureStarted();
    EXPECT_EQ(starts, 1);
    EXPECT_EQ(NoticeIds(notices), c.notices);
    EXPECT_NE(app.frame(), nullptr);
    EXPECT_TRUE(app.frame()->isVisible());
  }
}

TEST(Startup, ShowStateOfTheCommandLine) {
  struct Case {
    const char* flag;
    bool visible, maximized;
  } cases[] = {{"-maximize", true, true}, {"-normal", true, false}, {"-hide", false, false}};
  for (const Case& c : cases) {
    ClearProfile();
    CCourseApp app(ParseCommandLine({c.flag}), TestEnvironment());
    ASSERT_TRUE(app.Startup());
    EXPECT_EQ(app.frame()->isVisible(), c.visible) << c.flag;
    EXPECT_EQ(app.frame()->isMaximized(), c.maximized) << c.flag;
  }
}

TEST(Startup, MarkerAndBookmarkFilesGoToTheMarkerOpener) {
  ClearProfile();
  // A marker opened while no progress file is open is reported and deleted (it is a
  // browser's temporary copy).
  const std::filesystem::path dir = kntest::MakeTempDir();
  const std::filesystem::path marker = dir / "Lesson3.KNA";
  kntest::WriteFileText(marker, ":lesson3:act.exp");
  NoticeRecorder notices;
  CCourseApp app(ParseCommandLine({marker.string()}), TestEnvironment());
  EXPECT_TRUE(app.Startup());
  EXPECT_EQ(NoticeIds(notices), std::vector<int>{str::kNoProgressFile});
  EXPECT_FALSE(std::filesystem::exists(marker));
  // A bookmark file handed over by a later launch is reported, and so is anything else.
  app.HandleShellCommand("[open(\"/tmp/x.mrk\")]");
  app.HandleShellCommand("[open(\"/tmp/notes.txt\")]");
  app.HandleShellCommand("[activate]");
  EXPECT_EQ(NoticeIds(notices),
            (std::vector<int>{str::kNoProgressFile, str::kBookmarkFileLaunched, str::kCannotExecuteOle}));
}

TEST(Startup, AStudentFileThatCannotBeOpenedEndsStartUp) {
  ClearProfile();
  NoticeRecorder notices;
  CCourseApp app(ParseCommandLine({"/tmp/nobody.kns"}), TestEnvironment());
  EXPECT_FALSE(app.Startup());
  EXPECT_NE(app.exitCode(), 0);
  EXPECT_TRUE(notices.sawText("/tmp/nobody.kns"));
}

// A progress file named on the command line brings back its activity windows through
// the launcher, which is connected before start-up opens the file.
TEST(Startup, AStudentFileOfTheCommandLineReopensItsActivityWindows) {
  ClearProfile();
  const std::filesystem::path file = kntest::MakeTempDir("windows") / "ana.kns";
  StudentRecord learner;
  learner.SetName("Ana");
  const std::vector<WindowRecord> windows = {{5, {10, 10, 300, 300}, ActivityLocator(0, 0, 2)}};
  ASSERT_TRUE(SaveProgressPath(file, learner, Preferences{}, windows).ok);
  std::vector<ActivityLocator> launched;
  CCourseApp::SetWindowLauncher([&launched](const ActivityLocator& locator) -> QWidget* {
    launched.push_back(locator);
    return nullptr;
  });
  {
    CCourseApp app(ParseCommandLine({file.string()}), TestEnvironment());
    ASSERT_TRUE(app.Startup());
    EXPECT_EQ(Service<StudentRecord>()->name(), "Ana");
  }
  CCourseApp::SetWindowLauncher({});
  ASSERT_EQ(launched.size(), 1u);
  EXPECT_EQ(launched[0], ActivityLocator(0, 0, 2));
}

// The windows of a file named on the command line are placed in a window area that
// already has the size it is shown at, not the few pixels of a frame not yet laid out.
TEST(Startup, TheWindowAreaHasItsSizeWhenTheCommandLineFileOpens) {
  ClearProfile();
  const std::filesystem::path file = kntest::MakeTempDir("area") / "ben.kns";
  ASSERT_TRUE(SaveProgressPath(file, StudentRecord{}, Preferences{}, {}).ok);
  QSize seen;
  CCourseApp::SetLessonBookOpener([&seen](const ActivityLocator&) -> QWidget* {
    QMdiArea* area = CMainFrame::Instance()->mdiArea();
    seen = area->viewport()->size();
    auto* book = new QMdiSubWindow;
    area->addSubWindow(book);
    return book;
  });
  {
    CCourseApp app(ParseCommandLine({file.string()}), TestEnvironment());
    EXPECT_TRUE(app.Startup());
  }
  CCourseApp::SetLessonBookOpener({});
  EXPECT_GT(seen.width(), 1000);
  EXPECT_GT(seen.height(), 700);
}

TEST(Exit, ClosingTheFrameSavesTheLayoutAndChangedPreferences) {
  ClearProfile();
  {
    CCourseApp app(CommandLine{}, TestEnvironment());
    ASSERT_TRUE(app.Startup());
    app.frame()->SetBarVisible(cmd::kNavigationBar, false);
    Service<Preferences>()->fontSize = 17;
    Service<Preferences>()->SetChanged();
    EXPECT_TRUE(app.frame()->close());
    app.Exit();
  }
  QSettings ini(QString::fromStdString(Preferences::ProfilePath().string()), QSettings::IniFormat);
  EXPECT_TRUE(ini.contains("ToolBars/State"));
  EXPECT_EQ(ini.value("Config/FontSize").toInt(), 17);
  CCourseApp again(CommandLine{}, TestEnvironment());
  ASSERT_TRUE(again.Startup());
  EXPECT_FALSE(again.frame()->barVisible(cmd::kNavigationBar));
}

// Leaving the program with unsaved work asks first; Cancel keeps everything open.
TEST(Exit, UnsavedWorkIsSettledBeforeAnyWindowCloses) {
  ClearProfile();
  CCourseApp app(CommandLine{}, TestEnvironment());
  ASSERT_TRUE(app.Startup());
  ASSERT_NE(app.docTemplate()->OpenDocument(std::nullopt), nullptr);
  int asked = 0, answer = QMessageBox::Cancel;
  app.docTemplate()->askSave = [&](const QString&) {
    ++asked;
    return answer;
  };
  Service<StudentRecord>()->SetName("Gil");
  EXPECT_FALSE(app.frame()->close());
  EXPECT_EQ(asked, 1);
  EXPECT_TRUE(app.frame()->isVisible());
  EXPECT_NE(app.document(), nullptr);
  answer = QMessageBox::No;
  EXPECT_TRUE(app.frame()->close());
  EXPECT_EQ(asked, 2);
  app.Exit();
}

}  // namespace
