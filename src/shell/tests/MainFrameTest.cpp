#include <gtest/gtest.h>

#include <QtCore/QSettings>
#include <QtGui/QScreen>
#include <QtGui/QAction>
#include <QtWidgets/QLabel>
#include <QtWidgets/QMdiArea>
#include <QtWidgets/QToolButton>

#include "ShellUiTestSupport.h"
#include "TestSupport.h"
#include "course/ActivityKind.h"
#include "course/CommandIds.h"
#include "course/ResourceIds.h"
#include "shell/CoreStatusBar.h"
#include "shell/CoreToolBar.h"
#include "shell/ProgramArt.h"
#include "shell/StatsDockWnd.h"
#include "shell/TearToolBar.h"
#include "shell/WindowTools.h"

using namespace shelltest;

namespace {

std::vector<int> ButtonIds(QToolBar* bar) {
  std::vector<int> ids;
  for (QAction* a : bar->actions()) {
    if (a->isSeparator()) continue;
    bool ok = false;
    const int id = a->data().toInt(&ok);
    if (ok) ids.push_back(id);
  }
  return ids;
}

TEST(MainFrame, StatusBarAndThreeToolbarsAlongTheTop) {
  FrameFixture f;
  CCoreStatusBar* status = f.frame->statusPane();
  ASSERT_NE(status, nullptr);
  EXPECT_EQ(status->indicator(0)->text(), "CAP");
  EXPECT_EQ(status->indicator(1)->text(), "NUM");
  EXPECT_EQ(status->indicator(2)->text(), "SCRL");
  CCoreToolBar* bars[3] = {f.frame->mainToolBar(), f.frame->navigationBar(), f.frame->accessoriesBar()};
  const int ids[3] = {cmd::kMainToolBar, cmd::kNavigationBar, cmd::kAccessoriesBar};
  const char* titles[3] = {"Main Toolbar", "Navigation Bar", "Accessories Bar"};
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(bars[i]->barId(), ids[i]);
    EXPECT_EQ(bars[i]->windowTitle(), titles[i]);
    EXPECT_EQ(f.frame->toolBarArea(bars[i]), Qt::TopToolBarArea);
    EXPECT_TRUE(bars[i]->isVisible());
  }
  EXPECT_LT(bars[0]->geometry().left(), bars[1]->geometry().left());
  EXPECT_LT(bars[1]->geometry().left(), bars[2]->geometry().left());
  EXPECT_EQ(bars[0]->geometry().top(), bars[2]->geometry().top());
  EXPECT_EQ(ButtonIds(bars[0]), (std::vector<int>{cmd::kSave, cmd::kPrint, cmd::kUndo, cmd::kCut, cmd::kCopy,
                                                  cmd::kPaste, cmd::kPreferences, cmd::kContextHelp}));
  EXPECT_EQ(ButtonIds(bars[2]), (std::vector<int>{cmd::kLaunchExplore, cmd::kHomework, cmd::kProjects, cmd::kWeb,
                                                  cmd::kHelpGuide, cmd::kTool1, cmd::kTool2}));
  // The navigation bar's Go To is a wide button of its own between the arrows.
  std::vector<int> nav = ButtonIds(bars[1]);
  EXPECT_EQ(nav, (std::vector<int>{cmd::kPreviousLesson, cmd::kPreviousPage, cmd::kNextPage, cmd::kNextLesson}));
  EXPECT_EQ(f.frame->navigationBar()->goToButton()->defaultAction(), f.frame->action(cmd::kGoTo));
}

TEST(MainFrame, OnASmallScreenTheBarsStackOnTheLeftWithoutTheMainToolbar) {
  FrameFixture f(true);
  EXPECT_FALSE(f.frame->mainToolBar()->isVisible());
  CCoreToolBar* nav = f.frame->navigationBar();
  CCoreToolBar* acc = f.frame->accessoriesBar();
  EXPECT_EQ(f.frame->toolBarArea(nav), Qt::LeftToolBarArea);
  EXPECT_EQ(f.frame->toolBarArea(acc), Qt::LeftToolBarArea);
  EXPECT_EQ(nav->geometry().left(), acc->geometry().left());
  EXPECT_LT(nav->geometry().top(), acc->geometry().top());
  EXPECT_EQ(nav->orientation(), Qt::Vertical);
}

TEST(MainFrame, BarCommandsShowAndHideWithCheckMarks) {
  FrameFixture f;
  for (int id : {cmd::kMainToolBar, cmd::kNavigationBar, cmd::kAccessoriesBar, cmd::kStatusBar}) {
    EXPECT_TRUE(f.frame->QueryCommand(id).checked.value_or(false)) << id;
    EXPECT_TRUE(f.frame->RouteCommand(id));
    EXPECT_FALSE(f.frame->barVisible(id)) << id;
    EXPECT_FALSE(f.frame->QueryCommand(id).checked.value_or(true)) << id;
    f.frame->UpdateCommandUI();
    EXPECT_FALSE(f.frame->action(id)->isChecked());
    f.frame->RouteCommand(id);
    EXPECT_TRUE(f.frame->barVisible(id)) << id;
  }
  EXPECT_EQ(f.frame->action(cmd::kContentsBar)->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_T));
  EXPECT_EQ(f.frame->action(cmd::kIndexBar)->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_I));
  EXPECT_EQ(f.frame->action(cmd::kGlossaryBar)->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_G));
  EXPECT_EQ(f.frame->action(cmd::kBookmarksBar)->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_B));
}

TEST(MainFrame, CommandsWithoutAHandlerAreDisabled) {
  FrameFixture f;
  f.frame->UpdateCommandUI();
  EXPECT_FALSE(f.frame->action(cmd::kCreateNewView)->isEnabled());
  EXPECT_FALSE(f.frame->action(cmd::kNextPage)->isEnabled());  // no Lesson Book
  EXPECT_FALSE(f.frame->action(cmd::kAssistant)->isEnabled());
  EXPECT_FALSE(f.frame->RouteCommand(cmd::kNextPage));
  EXPECT_TRUE(f.frame->action(cmd::kGlossaryBar)->isEnabled());
  EXPECT_EQ(f.frame->action(cmd::kUndo)->text(), "Can't Undo\tCtrl+Z");
}

TEST(MainFrame, TearOffBarsFloatBelowTheToolbarsOrWhereTheyWereLast) {
  FrameFixture f;
  const QRect free = f.frame->FreeClientArea();
  const auto bars = f.frame->tearBars();
  EXPECT_EQ(bars[0]->info().id, cmd::kContentsBar);
  EXPECT_EQ(bars[1]->info().id, cmd::kIndexBar);
  EXPECT_EQ(bars[2]->info().id, cmd::kGlossaryBar);
  EXPECT_EQ(bars[3]->info().id, cmd::kBookmarksBar);
  for (CStatsDockWnd* b : bars) {
    EXPECT_TRUE(b->isFloating());
    EXPECT_FALSE(b->isVisible());
  }
  EXPECT_EQ(bars[0]->geometry().topLeft(), free.topLeft() + QPoint(0, 8));
  EXPECT_EQ(bars[1]->geometry().topLeft(), free.topLeft() + QPoint(0, 88));

  // A rectangle remembered under the glossary's placement key (9) wins.
  f.prefs.RememberRect(9, CourseRect{400, 150, 640, 450});
  f.frame->PlaceTearBars();
  EXPECT_EQ(bars[2]->geometry(), QRect(f.frame->frameGeometry().topLeft() + QPoint(400, 150), QSize(240, 300)));
}

TEST(MainFrame, DockLayoutIsSavedAndRestored) {
  const auto ini = kntest::MakeTempDir("layout") / "Kestrelon.ini";
  QSettings profile(QString::fromStdString(ini.string()), QSettings::IniFormat);
  {
    FrameFixture f;
    f.frame->SetBarVisible(cmd::kAccessoriesBar, false);
    f.frame->addToolBar(Qt::BottomToolBarArea, f.frame->navigationBar());
    f.frame->SaveBarLayout(profile);
  }
  profile.sync();
  EXPECT_TRUE(profile.contains("ToolBars/State"));
  FrameFixture f;
  f.frame->RestoreBarLayout(profile);
  Settle();
  EXPECT_FALSE(f.frame->barVisible(cmd::kAccessoriesBar));
  EXPECT_EQ(f.frame->toolBarArea(f.frame->navigationBar()), Qt::BottomToolBarArea);
  for (CStatsDockWnd* b : f.frame->tearBars()) EXPECT_FALSE(b->isVisible());
  // A damaged layout is ignored.
  profile.setValue("ToolBars/State", "bm90IGEgbGF5b3V0");
  f.frame->RestoreBarLayout(profile);
  EXPECT_EQ(f.frame->toolBarArea(f.frame->navigationBar()), Qt::BottomToolBarArea);
}

TEST(MainFrame, NavigationAndAccessoriesBarsFollowTheLessonBook) {
  FrameFixture f;
  NotifyLog log;
  const QImage plainGoTo = f.frame->action(cmd::kGoTo)->icon().pixmap(CNavToolBar::kGoToSize).toImage();
  const QImage plainTool = f.frame->action(cmd::kTool1)->icon().pixmap(24, 24).toImage();
  auto* book = new FakeBook(&log);
  book->place = LessonBookPlace{3, 2, 7, 0};
  book->Open();
  NotifyAll(kNotifyPageTurned, static_cast<QWidget*>(book));
  ASSERT_TRUE(f.frame->navigationBar()->place());
  EXPECT_EQ(f.frame->navigationBar()->place()->lessonNumber, 3);
  EXPECT_NE(f.frame->action(cmd::kGoTo)->icon().pixmap(CNavToolBar::kGoToSize).toImage(), plainGoTo);
  EXPECT_NE(f.frame->action(cmd::kTool1)->icon().pixmap(24, 24).toImage(), plainTool);
  EXPECT_EQ(f.frame->action(cmd::kTool2)->icon().pixmap(24, 24).toImage(),
            ProgramIcon(cmd::kTool2).pixmap(24, 24).toImage());
  // A notification naming another window leaves the bars as they are.
  auto* other = new TestWnd("other", 0, &log);
  other->Open();
  NotifyAll(kNotifyActivated, static_cast<QWidget*>(other));
  EXPECT_EQ(f.frame->navigationBar()->place()->lessonNumber, 3);
  EXPECT_EQ(FindLessonBook(), book);
}

}  // namespace

namespace {

// The frame as the learner sees it with every bar out; the picture goes to
// <build>/screenshots/frame-bars.png when the build folder is known.
TEST(MainFrame, AllFourTearOffBarsFloatOnScreenWithoutCoveringEachOther) {
  FrameFixture f;
  f.frame->setGeometry(0, 0, 1200, 900);
  f.frame->PlaceTearBars();
  for (int id : {cmd::kContentsBar, cmd::kIndexBar, cmd::kGlossaryBar, cmd::kBookmarksBar})
    EXPECT_TRUE(f.frame->RouteCommand(id));
  Settle(50);
  const QRect screen = f.frame->screen()->availableGeometry();
  const auto bars = f.frame->tearBars();
  for (std::size_t i = 0; i < bars.size(); ++i) {
    EXPECT_TRUE(bars[i]->isVisible());
    EXPECT_TRUE(bars[i]->isFloating());
    EXPECT_TRUE(screen.contains(bars[i]->frameGeometry())) << i;
    if (i > 0) EXPECT_NE(bars[i]->geometry().topLeft(), bars[i - 1]->geometry().topLeft());
  }
  if (const char* dir = std::getenv("KN_BINARY_DIR")) {
    std::filesystem::create_directories(std::filesystem::path(dir) / "screenshots");
    // Spread out so that each can be seen, as a learner would place them.
    const QPoint origin = f.frame->geometry().topLeft();
    const QPoint places[4] = {{20, 110}, {20, 470}, {960, 110}, {960, 470}};
    for (std::size_t i = 0; i < bars.size(); ++i) bars[i]->FloatAt(QRect(origin + places[i], QSize(210, 330)));
    Settle(50);
    EXPECT_TRUE(SaveFrameScreenshot(*f.frame, QString::fromLocal8Bit(dir) + "/screenshots/frame-bars.png"));
  }
}

// Every icon resource a window's caption or a list names is among the program's pictures:
// the windows' frame icons, the kind, state and custom bookmark icons, the dog ear, the
// index's rows without a lesson and the open and closed branches of hypertext trees.
TEST(ProgramArt, TheIconsWindowsAndListsNameExist) {
  std::vector<int> ids = {ico::kLessonGroup, ico::kMovie,     ico::kCheckMark,   ico::kDogEar,
                          ico::kDogEarPressed, ico::kNoLesson, ico::kHeadingOpen, ico::kHeadingClosed};
  for (int id = ico::kBookmarkFirst; id <= ico::kBookmarkLast; ++id) ids.push_back(id);
  for (int kind = 0; kind < kActivityKindCount; ++kind) ids.push_back(ActivityKindIcon(kind));
  for (int id : ids) EXPECT_FALSE(ProgramPixmap("icon", id, QSize(16, 16), 1.0).isNull()) << id;
}

}  // namespace
