// Launches on a main frame: which window shows an activity afterwards, what the learner
// is told when it cannot, and what is handed to the desktop or the companion program.
#include <gtest/gtest.h>

#include <QtWidgets/QApplication>
#include <QtWidgets/QLabel>
#include <QtWidgets/QMdiArea>
#include <sys/stat.h>
#include <memory>

#include "LaunchTestSupport.h"
#include "TestSupport.h"
#include "course/ActivityKind.h"
#include "course/CourseFile.h"
#include "course/Notice.h"
#include "course/StringIds.h"
#include "launch/ActivityWindow.h"
#include "launch/Launcher.h"
#include "records/StudentRecord.h"
#include "shell/CoreWnd.h"
#include "shell/LessonBookLink.h"
#include "shell/MainFrame.h"

namespace fs = std::filesystem;
using launchtest::TestCourse;

namespace {

void Settle() {
  for (int i = 0; i < 3; ++i) QApplication::processEvents();
}

// An activity window that remembers what it was given.
class FakeActivityWnd : public CStatWnd, public ActivityWindow {
 public:
  explicit FakeActivityWnd(std::string cls) : CStatWnd(0, 0, 0), m_class(std::move(cls)) {
    setWidget(new QLabel);
    ++created;
  }
  std::string_view activityClass() const override { return m_class; }
  const ActivityLocator& shownActivity() const override { return m_shown; }
  bool OpenActivity(const ActivityLocator& locator, CourseFile file) override {
    ++opens;
    m_shown = locator;
    const auto bytes = file.readAll();
    firstBytes.assign(bytes.begin(), bytes.end());
    Open();
    return true;
  }
  static inline int created = 0;
  int opens = 0;
  std::string firstBytes;

 private:
  std::string m_class;
  ActivityLocator m_shown;
};

class FakeBook : public CStatWnd, public LessonBookLink {
 public:
  FakeBook() : CStatWnd(0, 0, 0) { setWidget(new QLabel); }
  LessonBookPlace CurrentPlace() const override { return {}; }
  QRect BarTabRect(int) const override { return {}; }
  void OnChildActivate() override {}
};

struct Turn {
  QWidget* book;
  ActivityLocator locator;
  bool execute;
};

struct LauncherFixture : ::testing::Test {
  TestCourse course;
  StudentRecord record;
  ScopedService<StudentRecord> recordService{&record};
  std::unique_ptr<CMainFrame> frame;
  NoticeRecorder notices;
  std::vector<QString> opened;
  bool openerSucceeds = true;
  std::vector<std::pair<std::string, std::vector<std::string>>> started;
  bool starterSucceeds = true;
  std::vector<Turn> turns;
  DocumentOpener previousOpener;
  ProgramStarter previousStarter;

  void SetUp() override {
    frame = std::make_unique<CMainFrame>(CMainFrame::Options{});
    frame->setGeometry(40, 40, 1000, 700);
    frame->show();
    Settle();
    for (const char* cls : {"CQuizWnd", "CExpoWnd", "CHomeworkWnd"})
      RegisterActivityWindowClass(cls, [cls] { return new FakeActivityWnd(cls); });
    previousOpener = SetDocumentOpener([this](const QString& path) {
      opened.push_back(path);
      return openerSucceeds;
    });
    previousStarter = SetProgramStarter([this](const std::string& program, const std::vector<std::string>& args, int* error) {
      started.emplace_back(program, args);
      if (!starterSucceeds) *error = 13;
      return starterSucceeds;
    });
    SetLessonBookTurnHook([this](QWidget* book, const ActivityLocator& r, bool execute) {
      turns.push_back({book, r, execute});
    });
    course.Write("ED/edvars.fil", "quiz one");
    course.Write("ED/edintro.exp", launchtest::ToolHeader(0x74667462) + "script");  // "tftb"
    course.Write("ED/notes.final.exp", launchtest::ToolHeader(0) + "notes");
    course.Write("ED/edhist.exp", launchtest::ToolHeader(0x45585031) + "script");
  }
  void TearDown() override {
    for (const char* cls : {"CQuizWnd", "CExpoWnd", "CHomeworkWnd", "CTableWnd"})
      RegisterActivityWindowClass(cls, nullptr);
    SetDocumentOpener(previousOpener);
    SetProgramStarter(previousStarter);
    SetLessonBookTurnHook(nullptr);
    frame.reset();
    Settle();
  }

  int WindowCount() const { return static_cast<int>(frame->mdiArea()->subWindowList().size()); }
};

ActivityLocator Lesson0(int page, int activity, std::uint8_t mark = 0) {
  ActivityLocator r(0, page, activity);
  r.mark = mark;
  return r;
}

}  // namespace

TEST_F(LauncherFixture, LocateModeTurnsAnOpenLessonBookAndOpenModeOpensTheActivity) {
  auto* book = new FakeBook;
  book->Open();
  Settle();
  EXPECT_EQ(Launch(Lesson0(0, 1), kLaunchLocate), book);
  ASSERT_EQ(turns.size(), 1u);
  EXPECT_EQ(turns[0].book, book);
  EXPECT_TRUE(turns[0].execute);
  EXPECT_EQ(turns[0].locator, Lesson0(0, 1));
  EXPECT_EQ(WindowCount(), 1);

  // Mark 255 only selects the activity.
  Launch(Lesson0(0, 1, 255), kLaunchLocate);
  ASSERT_EQ(turns.size(), 2u);
  EXPECT_FALSE(turns[1].execute);

  QWidget* quiz = Launch(Lesson0(0, 1), kLaunchOpen);
  ASSERT_NE(quiz, nullptr);
  EXPECT_NE(quiz, book);
  EXPECT_EQ(dynamic_cast<FakeActivityWnd*>(quiz)->firstBytes, "quiz one");
  EXPECT_EQ(turns.size(), 2u);
  EXPECT_EQ(WindowCount(), 2);

  // Without a Lesson Book, locate mode opens the activity.
  book->close();
  quiz->close();
  Settle();
  QWidget* again = Launch(Lesson0(0, 1), kLaunchLocate);
  ASSERT_NE(again, nullptr);
  EXPECT_NE(dynamic_cast<FakeActivityWnd*>(again), nullptr);
  EXPECT_EQ(turns.size(), 2u);
}

TEST_F(LauncherFixture, ASecondActivityOfTheSameClassReusesTheWindow) {
  ActivityLocator hw1(0, -1, -1);
  hw1.kind = kKindHomework;
  hw1.file = "HW1.wrk";
  ActivityLocator hw2 = hw1;
  hw2.file = "hw2.wrk";
  course.Write("ED/homework/hw1.wrk", "first");
  course.Write("ED/homework/hw2.wrk", "second");
  const int createdBefore = FakeActivityWnd::created;

  auto* first = dynamic_cast<FakeActivityWnd*>(Launch(hw1, kLaunchOpen));
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(first->firstBytes, "first");
  auto* second = dynamic_cast<FakeActivityWnd*>(Launch(hw2, kLaunchOpen));
  EXPECT_EQ(second, first);
  EXPECT_EQ(second->firstBytes, "second");
  EXPECT_EQ(second->opens, 2);

  // The activity already shown (file names compare without case) is only brought forward.
  ActivityLocator sameAgain = hw2;
  sameAgain.file = "HW2.WRK";
  EXPECT_EQ(Launch(sameAgain, kLaunchOpen), first);
  EXPECT_EQ(first->opens, 2);
  EXPECT_EQ(FakeActivityWnd::created - createdBefore, 1);
  EXPECT_TRUE(notices.notices().empty());
}

TEST_F(LauncherFixture, ToolFilesGoToTheWindowOfTheirTypeCode) {
  // No tool window of that code in the program: the plain exposition window runs it.
  auto* expo = dynamic_cast<FakeActivityWnd*>(Launch(Lesson0(0, 0), kLaunchOpen));
  ASSERT_NE(expo, nullptr);
  EXPECT_EQ(expo->activityClass(), "CExpoWnd");
  // The window receives the file from its start.
  EXPECT_EQ(expo->firstBytes.substr(12), "script");

  RegisterActivityWindowClass("CTableWnd", [] { return new FakeActivityWnd("CTableWnd"); });
  auto* table = dynamic_cast<FakeActivityWnd*>(Launch(Lesson0(0, 0), kLaunchOpen));
  // The exposition window already shows this activity: it comes forward.
  EXPECT_EQ(table, expo);
  expo->close();
  Settle();
  table = dynamic_cast<FakeActivityWnd*>(Launch(Lesson0(0, 0), kLaunchOpen));
  ASSERT_NE(table, nullptr);
  EXPECT_EQ(table->activityClass(), "CTableWnd");

  // Neither window class present: the learner is told, nothing opens.
  RegisterActivityWindowClass("CExpoWnd", nullptr);
  notices.clear();
  EXPECT_EQ(Launch(Lesson0(1, 0), kLaunchOpen), nullptr);
  EXPECT_TRUE(notices.sawId(str::kWindowNotInProgram));
}

TEST_F(LauncherFixture, NamesWithoutAHandlerOpenNothingAndMissingFilesAreReported) {
  const int before = WindowCount();
  // "notes.final.exp" has the extension ".final.exp".
  EXPECT_EQ(Launch(Lesson0(0, 3), kLaunchOpen), nullptr);
  EXPECT_EQ(WindowCount(), before);
  EXPECT_TRUE(notices.notices().empty());
  // The file is looked for first: missing, it is reported whatever its extension.
  fs::remove(course.course / "ED" / "notes.final.exp");
  EXPECT_EQ(Launch(Lesson0(0, 3), kLaunchOpen), nullptr);
  ASSERT_EQ(notices.notices().size(), 1u);
  EXPECT_EQ(notices.notices()[0].stringId, str::kLaunchFailed);
  EXPECT_NE(notices.notices()[0].text.find("notes.final.exp"), std::string::npos);
  notices.clear();
  // A page names no file: nothing happens.
  EXPECT_EQ(Launch(Lesson0(0, -1), kLaunchOpen), nullptr);
  EXPECT_TRUE(notices.notices().empty());

  EXPECT_EQ(Launch(Lesson0(0, 4), kLaunchOpen), nullptr);
  ASSERT_EQ(notices.notices().size(), 1u);
  EXPECT_EQ(notices.notices()[0].stringId, str::kLaunchFailed);
  EXPECT_EQ(notices.notices()[0].text, "Could not launch the activity because 'missing.mov' was not found.");
  EXPECT_EQ(WindowCount(), before);
}

TEST_F(LauncherFixture, OutsideDocumentsGoToTheDesktopOnlyFromInsideTheCourse) {
  const fs::path page = course.Write("ED/guide.htm", "<html><body>guide</body></html>");
  ActivityLocator r(0, -1, -1);
  r.kind = kKindExcel;  // any outside kind; the file's own extension decides
  r.file = "guide.htm";
  EXPECT_EQ(Launch(r, kLaunchOpen), nullptr);
  ASSERT_EQ(opened.size(), 1u);
  EXPECT_EQ(fs::path(opened[0].toStdString()), fs::canonical(page));
  EXPECT_TRUE(notices.notices().empty());

  // The desktop could not open it: the extension's message.
  openerSucceeds = false;
  r.file = "GUIDE.HTM";
  Launch(r, kLaunchOpen);
  EXPECT_TRUE(notices.sawId(str::kCannotLaunchBrowser));
  course.Write("ED/data.sav", "spss");
  r.file = "data.sav";
  Launch(r, kLaunchOpen);
  EXPECT_TRUE(notices.sawId(str::kCannotLaunchSpss));
}

TEST_F(LauncherFixture, HostileLocatorsOpenNothing) {
  const fs::path secret = course.program / "secret.htm";
  kntest::WriteFileText(secret, "<p>secret</p>");
  const fs::path elsewhere = kntest::MakeTempDir("hostile") / "page.htm";
  kntest::WriteFileText(elsewhere, "<p>elsewhere</p>");
  fs::create_symlink(elsewhere, course.course / "ED" / "link.htm");
  const fs::path tool = course.Write("ED/tool.htm", "#!/bin/sh\necho owned\n");
  const fs::path exe = course.Write("ED/run.xls", "<html></html>");
  fs::permissions(exe, fs::perms::owner_exec, fs::perm_options::add);
  course.Write("ED/evil.desktop", "[Desktop Entry]\nExec=sh\n");
  course.Write("ED/evil.sh", "#!/bin/sh\n");

  const char* files[] = {"..\\secret.htm", "../secret.htm", secret.c_str(), "link.htm",
                         "tool.htm",       "run.xls",       "evil.desktop", "evil.sh"};
  for (const char* name : files) {
    SCOPED_TRACE(name);
    ActivityLocator r(0, -1, -1);
    r.kind = kKindExcel;
    r.file = name;
    EXPECT_EQ(Launch(r, kLaunchOpen), nullptr);
    r.lesson = 30;  // outside the lessons: the name alone is the path
    EXPECT_EQ(Launch(r, kLaunchOpen), nullptr);
  }
  EXPECT_TRUE(opened.empty());
  EXPECT_TRUE(started.empty());
  EXPECT_EQ(WindowCount(), 0);
}

TEST_F(LauncherFixture, ExplorationsStartTheCompanionAndCompleteOnlyWhenItStarts) {
  const fs::path data = course.Write("ED/Tutorial.ise", "exploration");
  ActivityLocator r(0, -1, -1);
  r.kind = kKindExploration;
  r.file = "tutorial.ise";

  Launch(r, kLaunchOpen);
  EXPECT_TRUE(notices.sawId(str::kCompanionMissing));
  EXPECT_TRUE(started.empty());
  EXPECT_FALSE(record.IsCompleted(r));

  const fs::path app = course.Write("Tallyframe KN.exe", "program");
  starterSucceeds = false;
  notices.clear();
  Launch(r, kLaunchOpen);
  ASSERT_EQ(notices.notices().size(), 1u);
  EXPECT_EQ(notices.notices()[0].text,
            "Could not launch the Tallyframe statistics application.  The error number is '13'.");
  EXPECT_FALSE(record.IsCompleted(r));

  starterSucceeds = true;
  notices.clear();
  Launch(r, kLaunchOpen);
  ASSERT_EQ(started.size(), 2u);
  EXPECT_EQ(fs::canonical(started[1].first), fs::canonical(app));
  ASSERT_EQ(started[1].second.size(), 1u);
  EXPECT_EQ(fs::path(started[1].second[0]), fs::canonical(data));
  EXPECT_TRUE(record.IsCompleted(r));
  EXPECT_TRUE(notices.notices().empty());
}

// A window record of a progress file reopens course windows only: what would go to the
// desktop or start the companion program waits for the learner's own click.
TEST_F(LauncherFixture, RestoredWindowsOpenCourseWindowsOnly) {
  course.Write("ED/guide.htm", "<html><body>guide</body></html>");
  course.Write("ED/data.xls", "sheet");
  course.Write("ED/Tutorial.ise", "exploration");
  course.Write("Tallyframe KN.exe", "program");
  struct Case {
    std::uint8_t kind;
    const char* file;
  } outside[] = {{kKindExcel, "guide.htm"}, {kKindExcel, "data.xls"}, {kKindExploration, "Tutorial.ise"}};
  for (const Case& c : outside) {
    SCOPED_TRACE(c.file);
    ActivityLocator r(0, -1, -1);
    r.kind = c.kind;
    r.file = c.file;
    EXPECT_EQ(LaunchCourseWindow(r), nullptr);
  }
  EXPECT_TRUE(opened.empty());
  EXPECT_TRUE(started.empty());
  EXPECT_TRUE(notices.notices().empty());
  // The program's own windows open as they would from a click.
  QWidget* quiz = LaunchCourseWindow(Lesson0(0, 1));
  ASSERT_NE(quiz, nullptr);
  EXPECT_EQ(static_cast<FakeActivityWnd*>(quiz)->firstBytes, "quiz one");
}

// A FIFO where an activity file should be is refused at once, never waited on.
TEST_F(LauncherFixture, AFifoActivityIsRefusedWithoutWaiting) {
  const fs::path quiz = course.course / "ED" / "edvars.fil";
  fs::remove(quiz);
  ASSERT_EQ(::mkfifo(quiz.c_str(), 0600), 0);
  EXPECT_EQ(Launch(Lesson0(0, 1), kLaunchOpen), nullptr);
  ASSERT_EQ(notices.notices().size(), 1u);
  EXPECT_EQ(notices.notices()[0].stringId, str::kLaunchFailed);
  EXPECT_EQ(WindowCount(), 0);
  // A FIFO named like a document does not reach the desktop either.
  ASSERT_EQ(::mkfifo((course.course / "ED" / "pipe.htm").c_str(), 0600), 0);
  ActivityLocator r(0, -1, -1);
  r.kind = kKindExcel;
  r.file = "pipe.htm";
  EXPECT_EQ(Launch(r, kLaunchOpen), nullptr);
  EXPECT_TRUE(opened.empty());
}
