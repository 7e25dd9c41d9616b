#include <gtest/gtest.h>

#include <QtGui/QCloseEvent>
#include <QtPrintSupport/QPrinter>
#include <QtWidgets/QApplication>
#include <QtWidgets/QScrollBar>

#include "ShellUiTestSupport.h"
#include "TestSupport.h"
#include "course/CommandIds.h"
#include "shell/StatsDockWnd.h"
#include "shell/TearBarView.h"
#include "shell/TearToolBar.h"

using namespace shelltest;

namespace {

// A bar with n rows that notes which rows it drew.
class RowsBar : public CTearToolBar {
 public:
  RowsBar(int id, int rows) : CTearToolBar(id), m_rows(rows) {}
  int RowCount() const override { return m_rows; }
  void SetRows(int rows) {
    m_rows = rows;
    RowsChanged();
  }
  void PaintRows(QPainter& p, const QRect& area, int width, bool printing) override {
    const RowSpan span = TearRowsIn(area.top(), area.top() + area.height(), 0, RowHeight(), m_rows);
    for (int r = span.first; r <= span.last; ++r) {
      if (printing) printed.push_back(r);
      p.drawText(QRect(0, r * RowHeight(), width, RowHeight()), Qt::AlignVCenter, QStringLiteral("Row %1").arg(r));
    }
  }
  std::vector<int> printed;

 private:
  int m_rows;
};

TEST(TearToolBar, ScrollBarOnlyWhenTheRowsAreTallerThanTheBar) {
  RowsBar bar(cmd::kIndexBar, 5);
  bar.resize(200, 200);
  bar.show();
  const int h = bar.RowHeight();
  EXPECT_EQ(h, 9 * 4 * bar.logicalDpiY() / 216);
  EXPECT_FALSE(bar.scrollBar()->isVisible());
  EXPECT_EQ(bar.RowRect(2), QRect(0, 2 * h, 200, h));
  bar.SetRows(40);
  EXPECT_TRUE(bar.scrollBar()->isVisible());
  EXPECT_EQ(bar.scrollBar()->maximum(), 40 * h - 200);
  EXPECT_EQ(bar.scrollBar()->pageStep(), 200);
  // The scroll bar stops above the corner square.
  EXPECT_EQ(bar.scrollBar()->geometry().bottom() + 1, bar.CornerSquare().top());
  EXPECT_EQ(bar.RowRect(0).width(), 200 - bar.ScrollBarWidth());
  bar.ScrollTo(3 * h);
  EXPECT_EQ(bar.RowAt(QPoint(10, 0)), 3);
  EXPECT_EQ(bar.RowRect(3).top(), 0);
  bar.ScrollRowIntoView(39);
  EXPECT_EQ(bar.scrollState().position(), 40 * h - 200);  // the last row shows whole
  bar.ScrollRowIntoView(1);
  EXPECT_EQ(bar.scrollState().position(), h);
  EXPECT_EQ(bar.scrollBar()->value(), h);
  bar.SetRows(3);
  EXPECT_FALSE(bar.scrollBar()->isVisible());
  EXPECT_EQ(bar.scrollState().position(), 0);
}

TEST(TearToolBar, PrintedPagesHoldWholeRowsAndEveryRowOnce) {
  RowsBar bar(cmd::kGlossaryBar, 300);
  QPrinter printer(QPrinter::HighResolution);
  printer.setOutputFormat(QPrinter::PdfFormat);
  const auto pdf = kntest::MakeTempDir("bar") / "glossary.pdf";
  printer.setOutputFileName(QString::fromStdString(pdf.string()));
  const int pages = bar.Print(&printer);
  EXPECT_GT(pages, 1);
  ASSERT_EQ(bar.printed.size(), 300u);
  for (int r = 0; r < 300; ++r) EXPECT_EQ(bar.printed[r], r);
  CTearBarView view(&bar);
  const int h = bar.RowHeight();
  EXPECT_EQ(view.contentSize(), QSize(CTearBarView::kPrintWidth, 300 * h));
  EXPECT_EQ(view.PageBreak(0, 10 * h + h / 2), 10 * h);
  EXPECT_EQ(view.PageBreak(5 * h, 5 * h + 3), 6 * h);  // at least one row a page
  EXPECT_GT(std::filesystem::file_size(pdf), 1000u);
}

TEST(StatsDockWnd, ClosingHidesTheBarAndBroadcastsSeven) {
  FrameFixture f;
  NotifyLog log;
  auto* probe = new Probe("probe", f.frame.get(), log);
  CStatsDockWnd* dock = f.frame->tearBar(cmd::kBookmarksBar);
  ASSERT_NE(dock, nullptr);
  EXPECT_EQ(dock->windowTitle(), "Bookmarks");
  EXPECT_TRUE(f.frame->RouteCommand(cmd::kBookmarksBar));
  EXPECT_TRUE(dock->isVisible());
  EXPECT_TRUE(dock->isFloating());
  EXPECT_TRUE(f.frame->QueryCommand(cmd::kBookmarksBar).checked.value_or(false));
  EXPECT_EQ(log.Of({"probe"}), std::vector<std::string>{"probe:7"});
  EXPECT_EQ(log.data.back(), dock->bar());
  QPointer<CTearToolBar> content = dock->bar();
  dock->close();
  EXPECT_FALSE(dock->isVisible());
  EXPECT_TRUE(content);  // hidden, not destroyed
  EXPECT_EQ(log.Of({"probe"}), (std::vector<std::string>{"probe:7", "probe:7"}));
  EXPECT_FALSE(f.frame->QueryCommand(cmd::kBookmarksBar).checked.value_or(true));
  (void)probe;
}

TEST(StatsDockWnd, DockedBarsKeepTheirLimitsAndFloatingOnesRememberTheirPlace) {
  FrameFixture f;
  CStatsDockWnd* dock = f.frame->tearBar(cmd::kIndexBar);
  dock->setFloating(false);
  f.frame->addDockWidget(Qt::TopDockWidgetArea, dock);
  dock->show();
  Settle();
  EXPECT_EQ(dock->bar()->maximumHeight(), 200);
  f.frame->addDockWidget(Qt::RightDockWidgetArea, dock);
  Settle();
  EXPECT_EQ(dock->bar()->maximumWidth(), 250);
  EXPECT_GE(dock->bar()->minimumWidth(), 40);
  dock->FloatAt(QRect(f.frame->frameGeometry().topLeft() + QPoint(300, 120), QSize(220, 260)));
  Settle();
  // Floating: at most 250 by 200.
  EXPECT_EQ(dock->bar()->maximumSize(), QSize(250, 200));
  EXPECT_LE(dock->bar()->height(), 200);
  dock->RememberPlacement();
  const auto stored = f.prefs.LookupRect(8);
  ASSERT_TRUE(stored);
  EXPECT_EQ(stored->left, 300);
  EXPECT_EQ(stored->top, 120);
  EXPECT_EQ(stored->width(), dock->frameGeometry().width());
}

}  // namespace

namespace {

// A bar restored while hidden (a progress file's window part hides the floating bars
// first) lands where its outer rectangle was, at the same size, every time.
TEST(TearBar, RestoringAHiddenFloatingBarKeepsItsOuterRectangle) {
  FrameFixture f;
  CStatsDockWnd* dock = f.frame->tearBar(cmd::kContentsBar);
  const QRect wanted(f.frame->frameGeometry().topLeft() + QPoint(40, 90), QSize(230, 280));
  dock->FloatAt(wanted);
  dock->ShowBar(true);
  Settle();
  for (int round = 0; round < 3; ++round) {
    const QRect before = dock->frameGeometry();
    dock->ShowBar(false);
    Settle();
    dock->FloatAt(before);
    dock->ShowBar(true);
    Settle();
    EXPECT_EQ(dock->frameGeometry(), before) << "round " << round;
  }
}

}  // namespace
