#include <gtest/gtest.h>

#include <QtWidgets/QApplication>

#include "course/ActivityLocator.h"
#include "course/CommandIds.h"
#include "records/BookmarkList.h"
#include "records/MarkList.h"
#include "records/StudentRecord.h"
#include "shell/BookmarksBar.h"
#include "course/CommandIds.h"
#include "shell/MainFrame.h"
#include "shell/StatsDockWnd.h"
#include "shell/CourseNotify.h"

namespace {

TEST(BookmarksBar, HostsTheBookmarkListAndFollowsBookmarkChanges) {
  StudentRecord record;
  CBookmarksBar bar(record);
  bar.resize(220, 300);
  bar.show();
  QApplication::processEvents();
  CMarkList* list = bar.marks()->list();
  ASSERT_NE(list, nullptr);
  EXPECT_EQ(list->parentWidget(), &bar);
  EXPECT_TRUE(list->isVisible());
  EXPECT_FALSE(bar.marks()->isVisible());
  EXPECT_EQ(list->geometry(), bar.rect());
  EXPECT_EQ(list->ContentHeight(), 0);

  // A bookmark added to the record shows at once.
  ASSERT_GE(record.AddBookmark(ActivityLocator(0, 0, 1)), 0);
  const int one = list->ContentHeight();
  EXPECT_GT(one, 0);

  // When the program takes the record's change hook over, kNotifyBookmarks still reaches
  // the list.
  const auto previous = record.SetBookmarksChangedHook({});
  ASSERT_GE(record.AddBookmark(ActivityLocator(0, 1, -1)), 0);
  EXPECT_EQ(list->ContentHeight(), one);
  bar.OnCourseNotify(kNotifyBookmarks, nullptr);
  EXPECT_GT(list->ContentHeight(), one);
  record.SetBookmarksChangedHook(previous);
}

TEST(BookmarksBar, StartingABookmarkUsesTheProgramsLaunch) {
  int launched = 0;
  BookmarkLaunch launch;
  launch.launch = [&](const ActivityLocator&, bool) { ++launched; };
  launch.lessonBookOpen = [] { return false; };
  CBookmarksBar::SetDefaultLaunch(launch);
  StudentRecord record;
  ASSERT_GE(record.AddBookmark(ActivityLocator(0, 0, 1)), 0);
  CBookmarksBar bar(record);
  bar.resize(220, 300);
  bar.show();
  QApplication::processEvents();
  CMarkList* list = bar.marks()->list();
  const QRect row = list->RowRect(0);
  ASSERT_FALSE(row.isEmpty());
  list->SetSelected(0);
  bar.marks()->OnCommand(cmd::kExecuteBookmark);
  CBookmarksBar::SetDefaultLaunch({});
  EXPECT_EQ(launched, 1);
}

// The frame's Bookmarks bar floats within its limits; "Hide Bookmarks" from the list's
// menu hides it, as its command does.
TEST(BookmarksBar, ItsLimitsAndHideBookmarksHidesTheFramesBar) {
  StudentRecord record;
  CMainFrame::SetTearBarFactory(cmd::kBookmarksBar, [&record]() -> CTearToolBar* { return new CBookmarksBar(record); });
  {
    CMainFrame frame(CMainFrame::Options{});
    frame.show();
    QApplication::processEvents();
    frame.SetBarVisible(cmd::kBookmarksBar, true);
    QApplication::processEvents();
    ASSERT_TRUE(frame.barVisible(cmd::kBookmarksBar));
    auto* bar = dynamic_cast<CBookmarksBar*>(frame.tearBar(cmd::kBookmarksBar)->bar());
    ASSERT_NE(bar, nullptr);
    // The list's own minimum, within the floating bar's maximum.
    frame.tearBar(cmd::kBookmarksBar)->FloatAt(QRect(frame.geometry().topLeft() + QPoint(300, 100), QSize(400, 400)));
    QApplication::processEvents();
    EXPECT_EQ(bar->minimumSize(), QSize(140, 100));
    EXPECT_EQ(bar->maximumSize(), QSize(250, 200));
    ASSERT_TRUE(bar->marks()->CommandEnabled(cmd::kHideBookmarks));
    bar->marks()->OnCommand(cmd::kHideBookmarks);
    QApplication::processEvents();
    EXPECT_FALSE(frame.barVisible(cmd::kBookmarksBar));
    EXPECT_FALSE(frame.tearBar(cmd::kBookmarksBar)->isVisible());
  }
  CMainFrame::SetTearBarFactory(cmd::kBookmarksBar, nullptr);
}

}  // namespace
