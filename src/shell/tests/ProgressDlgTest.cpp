#include <gtest/gtest.h>

#include <QtGui/QMouseEvent>
#include <QtWidgets/QApplication>
#include <QtWidgets/QProgressBar>
#include <QtWidgets/QPushButton>

#include "ShellUiTestSupport.h"
#include "shell/ProgressDlg.h"

namespace {

TEST(ProgressDlg, SteppedOneByOneOverTenThousandRedrawsEveryFiftyUnits) {
  CProgressDlg dlg;
  std::int64_t now = 0;
  dlg.SetClock([&now] { return now; });
  dlg.Start(10000, QStringLiteral("Searching..."), true);
  std::vector<int> values;
  int last = dlg.redrawCount();
  for (int i = 0; i < 10000; ++i) {
    EXPECT_FALSE(dlg.Step(1));
    if (dlg.redrawCount() != last) {
      last = dlg.redrawCount();
      values.push_back(dlg.progressBar()->value());
    }
  }
  ASSERT_EQ(values.size(), 200u);
  EXPECT_EQ(values.front(), 50);
  EXPECT_EQ(values[1], 100);
  EXPECT_EQ(values.back(), 10000);
  // Time alone brings an update.
  dlg.Start(10000, QStringLiteral("again"), true);
  now = 1000;
  dlg.Step(1);
  EXPECT_EQ(dlg.redrawCount(), 1);
  EXPECT_EQ(dlg.progressBar()->value(), 1);
}

TEST(ProgressDlg, TextAndCancelButton) {
  CProgressDlg dlg;
  dlg.Start(10, QStringLiteral("Copying"), false);
  EXPECT_FALSE(dlg.cancelButton()->isVisible());
  EXPECT_EQ(dlg.progressBar()->maximum(), 10);
  dlg.Cancel();
  EXPECT_FALSE(dlg.cancelled());
  dlg.Start(10, QStringLiteral("Searching"), true);
  EXPECT_TRUE(dlg.cancelButton()->isVisible());
  EXPECT_FALSE(dlg.cancelled());
}

TEST(ProgressDlg, APendingPressOnCancelCancelsTheStep) {
  CProgressDlg dlg;
  std::int64_t now = 0;
  dlg.SetClock([&now] { return now; });
  dlg.Start(1000, QStringLiteral("Searching"), true);
  shelltest::Settle();
  QWidget* cancel = dlg.cancelButton();
  const QPointF c(cancel->width() / 2.0, cancel->height() / 2.0);
  QCoreApplication::postEvent(cancel, new QMouseEvent(QEvent::MouseButtonPress, c, cancel->mapToGlobal(c),
                                                      Qt::LeftButton, Qt::LeftButton, Qt::NoModifier));
  EXPECT_FALSE(dlg.Step(1));  // throttled: nothing looked at yet
  EXPECT_TRUE(dlg.Step(10));  // due: the press is seen
  EXPECT_TRUE(dlg.cancelled());
}

TEST(ProgressDlg, ARequestToCloseCancels) {
  CProgressDlg dlg;
  dlg.Start(1000, QStringLiteral("Searching"), true);
  dlg.close();
  EXPECT_TRUE(dlg.cancelled());
  EXPECT_TRUE(dlg.isVisible());  // the caller ends the work and closes it
}

TEST(ProgressDlg, InputElsewhereWaitsUntilTheDialogIsUpToDate) {
  QWidget other;
  other.resize(100, 100);
  other.show();
  int presses = 0;
  struct Counter : QObject {
    int* n;
    explicit Counter(int* count) : n(count) {}
    bool eventFilter(QObject*, QEvent* e) override {
      if (e->type() == QEvent::MouseButtonPress) ++*n;
      return false;
    }
  } counter(&presses);
  other.installEventFilter(&counter);
  CProgressDlg dlg;
  std::int64_t now = 0;
  dlg.SetClock([&now] { return now; });
  dlg.Start(100, QStringLiteral("Working"), true);
  QCoreApplication::postEvent(&other, new QMouseEvent(QEvent::MouseButtonPress, QPointF(5, 5), QPointF(5, 5),
                                                      Qt::LeftButton, Qt::LeftButton, Qt::NoModifier));
  dlg.Step(50);
  EXPECT_EQ(presses, 0);
  EXPECT_FALSE(dlg.cancelled());
  // Once the work is done the press reaches its window.
  shelltest::Settle();
  EXPECT_EQ(presses, 1);
}

}  // namespace
