#include <gtest/gtest.h>

#include <QtGui/QWheelEvent>
#include <QtPrintSupport/QPrinter>
#include <QtTest/QTest>
#include <QtWidgets/QApplication>
#include <QtWidgets/QMdiArea>
#include <QtWidgets/QScrollBar>

#include "ShellUiTestSupport.h"
#include "TestSupport.h"
#include "course/CommandIds.h"
#include "shell/StatsDockWnd.h"
#include "shell/TearToolBar.h"
#include "shell/WindowTools.h"

using namespace shelltest;

namespace {

QMdiArea* Area(FrameFixture& f) { return f.frame->mdiArea(); }

TEST(NotifyAll, EveryWindowOnceInOrderAlsoWhenAHandlerBroadcastsAgain) {
  FrameFixture f;
  NotifyLog log;
  auto* early = new Probe("early", f.frame.get(), log);  // a child of the frame itself
  auto* w1 = new TestWnd("w1", 0, &log);
  w1->Open();
  auto* w2 = new TestWnd("w2", 0, &log);
  w2->Open();
  CStatsDockWnd* glossary = f.frame->tearBar(cmd::kGlossaryBar);
  glossary->ShowBar(true);
  ASSERT_TRUE(glossary->isFloating());
  auto* floating = new Probe("floating", glossary->bar(), log);
  Settle();
  log.lines.clear();

  w1->lineView()->onNotify = [](int code) {
    if (code == kNotifyRepaint) NotifyAll(kNotifyMoved);
  };
  NotifyAll(kNotifyRepaint);
  const auto names = {"early", "w1", "w1-view", "w2", "w2-view", "floating"};
  // The window area was made before the probe, so its windows come first.
  const std::vector<std::string> expected = {
      "w1:9", "w1-view:9",
      "w1:13", "w1-view:13", "w2:13", "w2-view:13", "early:13", "floating:13",  // the inner one, whole
      "w2:9", "w2-view:9", "early:9", "floating:9"};
  EXPECT_EQ(log.Of(names), expected);
  for (const char* n : names) {
    EXPECT_EQ(log.Count(std::string(n) + ":9"), 1) << n;
    EXPECT_EQ(log.Count(std::string(n) + ":13"), 1) << n;
  }
  (void)early;
  (void)floating;
}

TEST(CourseWindows, BroadcastFiveWhenActivatedAndRunTheTimerOnlyWhileActive) {
  FrameFixture f;
  NotifyLog log;
  auto* probe = new Probe("probe", f.frame.get(), log);
  auto* a = new TestWnd("a", 0, &log, 10);
  auto* b = new TestWnd("b", 0, &log, 10);
  a->Open();
  b->Open();
  Settle();
  EXPECT_TRUE(b->timerRunning());
  EXPECT_FALSE(a->timerRunning());
  log.lines.clear();
  log.data.clear();
  BringToFront(a);
  Settle();
  EXPECT_TRUE(a->timerRunning());
  EXPECT_FALSE(b->timerRunning());
  ASSERT_EQ(log.Of({"probe"}), std::vector<std::string>{"probe:5"});
  EXPECT_EQ(log.data[std::find(log.lines.begin(), log.lines.end(), "probe:5") - log.lines.begin()], a);
  const int before = b->ticks;
  Settle(60);
  EXPECT_GT(a->ticks, 0);
  EXPECT_EQ(b->ticks, before);
  a->close();
  Settle();
  (void)probe;
}

TEST(CourseWindows, BaseReactionsToCloseToFrontAndRepaint) {
  FrameFixture f;
  NotifyLog log;
  auto* a = new TestWnd("a", 0, &log);
  auto* b = new TestWnd("b", 0, &log);
  a->Open();
  b->Open();
  Settle();
  a->OnCourseNotify(kNotifyToFront, nullptr);
  Settle();
  EXPECT_EQ(Area(f)->activeSubWindow(), a);
  b->showMinimized();
  Settle();
  BringToFront(b);
  Settle();
  EXPECT_FALSE(b->isMinimized());
  EXPECT_EQ(Area(f)->activeSubWindow(), b);
  QPointer<TestWnd> gone = a;
  a->OnCourseNotify(kNotifyClose, nullptr);
  EXPECT_TRUE(gone);  // posted: the window survives the broadcast that asked
  Settle();
  EXPECT_FALSE(gone);
  EXPECT_EQ(FindCourseWindow<TestWnd>(), b);
  EXPECT_EQ(FindCourseWindow<FakeBook>(), nullptr);
}

// The outer rectangle a window with this client rectangle has.
QRect OuterFor(QMdiSubWindow* w, const QRect& client) {
  const QRect c = w->contentsRect();
  return client.adjusted(-c.left(), -c.top(), w->width() - c.right() - 1, w->height() - c.bottom() - 1);
}

TEST(Placement, WindowsAtTheSameRememberedPlaceCascadeBy20And40) {
  FrameFixture f;
  f.prefs.RememberRect(31, CourseRect{100, 80, 400, 280});
  std::vector<TestWnd*> windows;
  for (const char* name : {"one", "two", "three"}) {
    auto* w = new TestWnd(name, 31, nullptr);
    w->Open();
    windows.push_back(w);
  }
  const QPoint first = windows[0]->geometry().topLeft();
  EXPECT_EQ(first, OuterFor(windows[0], QRect(100, 80, 300, 200)).topLeft());
  EXPECT_EQ(windows[0]->contentsRect().size(), QSize(300, 200));
  EXPECT_EQ(windows[1]->geometry().topLeft(), first + QPoint(20, 20));
  EXPECT_EQ(windows[2]->geometry().topLeft(), first + QPoint(40, 40));
}

TEST(Placement, AWindowRememberedLeftOfTheFrameComesBackToItsLeftEdge) {
  FrameFixture f;
  f.prefs.RememberRect(32, CourseRect{-250, 60, 50, 260});
  auto* w = new TestWnd("left", 32, nullptr);
  w->Open();
  EXPECT_EQ(w->geometry().left(), 0);
  EXPECT_EQ(w->geometry().top(), OuterFor(w, QRect(0, 60, 300, 200)).top());
}

TEST(Placement, ClosingRemembersTheClientRectangleAndReopeningRestoresIt) {
  FrameFixture f;
  auto* w = new TestWnd("kept", 33, nullptr);
  w->Open();
  w->setGeometry(150, 90, 420, 310);
  const QRect outer = w->geometry();
  w->close();
  Settle();
  const auto stored = f.prefs.LookupRect(33);
  ASSERT_TRUE(stored);
  auto* again = new TestWnd("kept", 33, nullptr);
  again->Open();
  EXPECT_EQ(again->geometry(), outer);
}

TEST(Placement, WithAllSixtyFourEntriesUsedANewWindowIsNotRemembered) {
  FrameFixture f;
  for (int key = 100; key < 164; ++key) f.prefs.RememberRect(key, CourseRect{0, 0, 10, 10});
  const auto before = f.prefs.windowTable();
  auto* w = new TestWnd("sixty-fifth", 200, nullptr);
  w->Open();
  w->close();
  Settle();
  EXPECT_EQ(f.prefs.windowTable(), before);
  EXPECT_FALSE(f.prefs.LookupRect(200));
}

TEST(Placement, ATooTallWindowHidesTheStatusBar) {
  FrameFixture f;
  const int areaHeight = Area(f)->viewport()->height();
  f.prefs.RememberRect(34, CourseRect{0, 0, 300, areaHeight + 5});
  auto* w = new TestWnd("tall", 34, nullptr);
  w->Open();
  EXPECT_FALSE(f.frame->barVisible(cmd::kStatusBar));
  // Still taller than the grown area: its top stays in view, its size is the learner's.
  EXPECT_EQ(w->geometry().top(), 0);
  EXPECT_EQ(w->contentsRect().height(), areaHeight + 5);
}

// On a small screen a window remembered larger than the window area keeps the learner's
// size: placed with its top-left corner in view, and remembered at that size again.
TEST(Placement, AWindowLargerThanTheAreaKeepsItsSize) {
  FrameFixture f;
  f.frame->SetBarVisible(cmd::kStatusBar, false);
  const QSize area = Area(f)->viewport()->size();
  const CourseRect large{40, 30, 40 + area.width() + 100, 30 + area.height() + 80};
  f.prefs.RememberRect(35, large);
  auto* w = new TestWnd("large", 35, nullptr);
  w->Open();
  Settle();
  EXPECT_EQ(w->geometry().topLeft(), QPoint(0, 0));
  EXPECT_EQ(w->contentsRect().size(), QSize(large.width(), large.height()));
  w->close();
  Settle();
  const auto stored = f.prefs.LookupRect(35);
  ASSERT_TRUE(stored);
  EXPECT_EQ(stored->width(), large.width());
  EXPECT_EQ(stored->height(), large.height());
}

// ---- the view base ----

TEST(CoreView, CtrlWheelChangesTheFontSizeAndBroadcastsTheOldPreferences) {
  FrameFixture f;
  NotifyLog log;
  auto* probe = new Probe("probe", f.frame.get(), log);
  std::vector<int> previousSizes;
  probe->onNotify = [&](int code) {
    if (code == kNotifyPreferences) previousSizes.push_back(static_cast<Preferences*>(log.data.back())->fontSize);
  };
  SetPreferencesChangedHook([](const Preferences& previous) {
    NotifyAll(kNotifyPreferences, const_cast<Preferences*>(&previous));
  });
  auto* w = new TestWnd("w", 0, nullptr);
  w->Open();
  QWidget* viewport = w->lineView()->viewport();
  auto wheel = [viewport](int delta, Qt::KeyboardModifiers mods) {
    QWheelEvent e(QPointF(10, 10), viewport->mapToGlobal(QPointF(10, 10)), QPoint(), QPoint(0, delta), Qt::NoButton,
                  mods, Qt::NoScrollPhase, false);
    QApplication::sendEvent(viewport, &e);
  };
  wheel(120, Qt::ControlModifier);
  EXPECT_EQ(f.prefs.fontSize, 13);
  EXPECT_TRUE(f.prefs.changed());
  wheel(-240, Qt::ControlModifier);
  EXPECT_EQ(f.prefs.fontSize, 11);
  EXPECT_EQ(previousSizes, (std::vector<int>{12, 13}));
  for (int i = 0; i < 20; ++i) wheel(120, Qt::ControlModifier);
  EXPECT_EQ(f.prefs.fontSize, 24);
  EXPECT_EQ(previousSizes.size(), 15u);  // no broadcast once nothing changes
  // Without Ctrl the view scrolls and the font stays.
  wheel(-120, Qt::NoModifier);
  EXPECT_EQ(f.prefs.fontSize, 24);
  EXPECT_EQ(w->lineView()->verticalScrollBar()->value(),
            std::min(36 * QApplication::wheelScrollLines() / 3, w->lineView()->verticalScrollBar()->maximum()));
  // A wheel set to one line per notch turns a page per notch.
  const int lines = QApplication::wheelScrollLines();
  QApplication::setWheelScrollLines(1);
  w->lineView()->verticalScrollBar()->setValue(0);
  wheel(-120, Qt::NoModifier);
  QApplication::setWheelScrollLines(lines);
  EXPECT_EQ(w->lineView()->verticalScrollBar()->value(),
            std::min(viewport->height(), w->lineView()->verticalScrollBar()->maximum()));
  EXPECT_GT(w->lineView()->verticalScrollBar()->value(), 12);
  SetPreferencesChangedHook({});
}

class UndoView : public LineView {
 public:
  UndoView() : LineView("undo", nullptr, 10) {}
  int cleared = 0;
  bool OnCommand(int id) override {
    if (id == 4242) {
      ++cleared;
      return true;
    }
    return LineView::OnCommand(id);
  }
};

TEST(CoreView, UndoReplaysTheLastCommandAndSwitchesToRedo) {
  UndoView view;
  CommandState s;
  ASSERT_TRUE(view.UpdateCommand(cmd::kUndo, s));
  EXPECT_FALSE(s.enabled);
  EXPECT_EQ(*s.text, "Can't Undo\tCtrl+Z");
  view.RecordUndo(4242, QStringLiteral("C&lear Data\tDel"));
  view.UpdateCommand(cmd::kUndo, s);
  EXPECT_TRUE(s.enabled);
  EXPECT_EQ(*s.text, "Undo C&lear Data\tCtrl+Z");
  view.OnCommand(cmd::kUndo);
  EXPECT_EQ(view.cleared, 1);
  view.UpdateCommand(cmd::kUndo, s);
  EXPECT_EQ(*s.text, "Redo C&lear Data\tCtrl+Z");
  view.OnCommand(cmd::kUndo);
  EXPECT_EQ(view.cleared, 2);
  view.UpdateCommand(cmd::kUndo, s);
  EXPECT_EQ(*s.text, "Undo C&lear Data\tCtrl+Z");
}

TEST(CoreView, KeysScrollAViewThatScrolls) {
  LineView view("keys", nullptr, 100);  // 2000 pixels
  view.resize(300, 200);
  view.show();
  QTest::keyClick(&view, Qt::Key_Down);
  EXPECT_EQ(view.verticalScrollBar()->value(), 12);
  QTest::keyClick(&view, Qt::Key_PageDown);
  EXPECT_EQ(view.verticalScrollBar()->value(), 12 + view.viewport()->height());
  QTest::keyClick(&view, Qt::Key_End);
  EXPECT_EQ(view.verticalScrollBar()->value(), view.verticalScrollBar()->maximum());
  QTest::keyClick(&view, Qt::Key_Home);
  EXPECT_EQ(view.verticalScrollBar()->value(), 0);
  QTest::keyClick(&view, Qt::Key_Up);
  EXPECT_EQ(view.verticalScrollBar()->value(), 0);
}

class BrokenPages : public LineView {
 public:
  BrokenPages() : LineView("pages", nullptr, 150) {}  // 3000 pixels
  // Paragraph breaks every 140 pixels.
  int PageBreak(int top, int limit) const override { return limit / 140 * 140 > top ? limit / 140 * 140 : limit; }
  std::vector<QRect> parts;
  void PaintContent(QPainter& p, const QRect& rect, bool printing) override {
    if (printing) parts.push_back(rect);
    LineView::PaintContent(p, rect, printing);
  }
};

TEST(CoreView, PrintsEveryPageEndingAtTheViewsOwnBreak) {
  BrokenPages view;
  QPrinter printer(QPrinter::HighResolution);
  printer.setOutputFormat(QPrinter::PdfFormat);
  const auto pdf = kntest::MakeTempDir("print") / "view.pdf";
  printer.setOutputFileName(QString::fromStdString(pdf.string()));
  const int pages = view.PrintTo(printer);
  ASSERT_GT(pages, 1);
  ASSERT_EQ(static_cast<int>(view.parts.size()), pages);
  int covered = 0;
  for (const QRect& part : view.parts) {
    EXPECT_EQ(part.top(), covered);  // nothing skipped, nothing twice
    if (part.top() + part.height() < 3000) {
      EXPECT_EQ((part.top() + part.height()) % 140, 0);
    }
    covered = part.top() + part.height();
  }
  EXPECT_EQ(covered, 3000);
  EXPECT_GT(std::filesystem::file_size(pdf), 1000u);
}

}  // namespace
