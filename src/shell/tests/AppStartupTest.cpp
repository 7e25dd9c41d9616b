#include <gtest/gtest.h>

#include <QtCore/QSettings>
#include <QtCore/QTimer>
#include <QtWidgets/QApplication>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QPushButton>

#include "ShellUiTestSupport.h"
#include "course/CoursePersonality.h"
#include "course/Notice.h"
#include "shell/CommandIds.h"
#include "shell/CoreToolBar.h"
#include "shell/CourseApp.h"
#include "shell/MovieSupportCheck.h"
#include "shell/PendingServices.h"
#include "shell/SplashDlg.h"
#include "shell/StudentDocument.h"
#include "shell/StudentInfoDlg.h"

using namespace shelltest;

namespace {

struct StubLibrary : MovieLibrary {
  bool installed = true;
  std::uint32_t version = 0x0700;
  bool Initialise() override { return installed; }
  std::uint32_t Version() override { return version; }
  std::uint32_t MinimumVersion() const override { return 0x0300; }
  bool StartToolbox() override { return true; }
  void StopToolbox() override {}
  void Shutdown() override {}
};

CCourseApp::Environment TestEnvironment(Qt::KeyboardModifiers held = Qt::NoModifier, QSize desktop = {1280, 1024}) {
  CCourseApp::Environment env;
  env.modifiers = [held] { return held; };
  env.desktopSize = [desktop] { return desktop; };
  env.movieLibrary = [] { return std::make_unique<StubLibrary>(); };
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

  bool sawDialog = false;
  QTimer::singleShot(0, [&] {
    std::function<void()> fill = [&] {
      auto* dlg = dynamic_cast<CStudentInfoDlg*>(QApplication::activeModalWidget());
      if (!dlg) {
        QTimer::singleShot(5, fill);
        return;
      }
      sawDialog = true;
      dlg->nameField()->setText(QStringLiteral("Ana Lima"));
      dlg->accept();
    };
    fill();
  });
  welcome->button(cmd::kNew)->click();
  ASSERT_TRUE(WaitFor([&] { return app.document() != nullptr; }));
  EXPECT_TRUE(sawDialog);
  ASSERT_NE(Service<StudentRecord>(), nullptr);
  EXPECT_EQ(Service<StudentRecord>()->name(), "Ana Lima");
  EXPECT_EQ(app.document()->title, "Kestrelon");
  // A file is open: the Welcome window goes, and New is no longer offered.
  EXPECT_TRUE(WaitFor([&] { return app.welcome() == nullptr; }));
  EXPECT_FALSE(app.frame()->QueryCommand(cmd::kNew).enabled);
  EXPECT_FALSE(app.frame()->QueryCommand(cmd::kOpen).enabled);
  // Closing it brings the Welcome window back on the next idle pass.
  app.CloseDocument();
  EXPECT_EQ(Service<StudentRecord>()->name(), "");
  EXPECT_TRUE(WaitFor([&] { return app.welcome() != nullptr; }));
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
    EXPECT_TRUE(notices.sawId(8560));
    EXPECT_FALSE(app.frame()->mainToolBar()->isVisible());
    EXPECT_EQ(app.frame()->toolBarArea(app.frame()->navigationBar()), Qt::LeftToolBarArea);
  }
  NoticeRecorder notices;
  CCourseApp wide(CommandLine{}, TestEnvironment(Qt::NoModifier, QSize(641, 480)));
  ASSERT_TRUE(wide.Startup());
  EXPECT_FALSE(wide.smallScreen());
  EXPECT_FALSE(notices.sawId(8560));
}

TEST(Startup, MovieSupportMissingOrOldEndsTheProgramAfterItsNotice) {
  struct Case {
    bool installed;
    std::uint32_t version;
    int notice;
  } cases[] = {{false, 0x0700, 8558}, {true, 0x0209, 8559}};
  for (const Case& c : cases) {
    ClearProfile();
    NoticeRecorder notices;
    CCourseApp::Environment env = TestEnvironment();
    env.movieLibrary = [c] {
      auto lib = std::make_unique<StubLibrary>();
      lib->installed = c.installed;
      lib->version = c.version;
      return lib;
    };
    CCourseApp app(CommandLine{}, env);
    EXPECT_FALSE(app.Startup());
    EXPECT_EQ(app.exitCode(), 0);
    EXPECT_EQ(app.frame(), nullptr);
    EXPECT_EQ(NoticeIds(notices), std::vector<int>{c.notice});
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

TEST(Startup, MarkerFilesOfTheCommandLineGoToTheMarkerOpener) {
  ClearProfile();
  std::vector<std::string> handed;
  CCourseApp::SetMarkerOpener([&handed](const std::string& c) { handed.push_back(c); });
  CCourseApp app(ParseCommandLine({"/tmp/Lesson3.KNA"}), TestEnvironment());
  EXPECT_TRUE(app.Startup());
  CCourseApp::SetMarkerOpener({});
  EXPECT_EQ(handed, std::vector<std::string>{"[open(\"/tmp/Lesson3.KNA\")]"});
  // Without an opener a notice says so.
  NoticeRecorder notices;
  app.HandleShellCommand("[open(\"/tmp/x.mrk\")]");
  EXPECT_TRUE(notices.sawId(26100));
  EXPECT_TRUE(notices.sawText("/tmp/x.mrk"));
}

TEST(Startup, AStudentFileThatCannotBeOpenedEndsStartUp) {
  ClearProfile();
  NoticeRecorder notices;
  CCourseApp app(ParseCommandLine({"/tmp/nobody.kns"}), TestEnvironment());
  EXPECT_FALSE(app.Startup());
  EXPECT_NE(app.exitCode(), 0);
  EXPECT_TRUE(notices.sawId(61700));
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

}  // namespace
