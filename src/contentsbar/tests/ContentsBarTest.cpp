#include <gtest/gtest.h>

#include <QtCore/QMimeData>
#include <QtGui/QClipboard>
#include <QtGui/QMouseEvent>
#include <QtGui/QPainter>
#include <QtPrintSupport/QPrinter>
#include <QtWidgets/QApplication>
#include <QtWidgets/QMenu>
#include <filesystem>

#include "TestSupport.h"
#include "contentsbar/ContentsBar.h"
#include "contentsbar/ContentsLabels.h"
#include "course/ContentsTable.h"
#include "course/CoursePersonality.h"
#include "course/ResourceContainer.h"
#include "records/BookmarkClipboard.h"
#include "records/StudentRecord.h"
#include "shell/BookmarksBar.h"
#include "contentsbar/ContentsBar.h"
#include "contentsbar/ContentsLabels.h"
#include "course/CommandIds.h"
#include "shell/StatsDockWnd.h"
#include "shell/WindowTools.h"
#include "shell/tests/ShellUiTestSupport.h"

using namespace shelltest;

namespace {

// Lesson "in" before the groups; group I holds a1 and a2, group II holds b1.
constexpr const char* kCourse =
    "l=Introduction\nd=in\nf\np=Welcome\ne=Tour\tin01.exp\n"
    "g=Describing data\n"
    "l=Looking at data\nd=a1\nf\np=Dotplots\ne=Piling up\ta101.exp\nq=Check your reading\ta102.fil\n"
    "f\np=Histograms\nm=A film of bars\ta103.mov\ni=Explore bins\ta104.ise\n"
    "l=Centre\nd=a2\nf\np=Mean and median\nt=Balance beam\ta201.scr\nr=The manual\ta202.doc\n"
    "g=Inference\n"
    "l=Sampling\nd=b1\nf\np=Samples\ne=Drawing samples\tb101.exp\nf\np=Means\ne=<b>Big</b> &amp; small\tb102.exp\n";

std::unique_ptr<CoursePersonality> Personality(const char* tocIcons) {
  ContainerWriter w;
  std::string v(tocIcons);
  w.AddEntry(kEntryText, "TOC Icons", std::vector<std::uint8_t>(v.begin(), v.end()));
  return CoursePersonality::FromBytes(w.Build(), "personal.knp");
}

// A Lesson Book that notes where it was turned.
class TurningBook : public FakeBook {
 public:
  explicit TurningBook(NotifyLog* log) : FakeBook(log) {}
  bool GoTo(const ActivityLocator& locator, bool animate, bool force) override {
    turns.push_back(locator);
    animated = animate;
    return true;
  }
  std::vector<ActivityLocator> turns;
  bool animated = true;
};

struct BarFixture {
  explicit BarFixture(int lessonBase = 1, const char* tocIcons = "true") : personality(Personality(tocIcons)) {
    CMainFrame::SetTearBarFactory(cmd::kContentsBar, [] { return new CContentsBar; });
    contents.Load(kCourse, lessonBase, 0, nullptr);
    frames = std::make_unique<FrameFixture>();
    dock = frames->frame->tearBar(cmd::kContentsBar);
    bar = dynamic_cast<CContentsBar*>(dock->bar());
  }
  ~BarFixture() { frames.reset(); }

  void Show(QSize size = {240, 400}) {
    dock->FloatAt(QRect(frames->frame->geometry().topLeft() + QPoint(30, 100), size));
    dock->ShowBar(true);
    Settle();
  }
  // Paints the bar as it is now into an image (applying what is pending, as a paint does).
  QImage Paint() {
    QImage image(bar->size(), QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    bar->render(&image);
    return image;
  }
  void Mouse(QEvent::Type type, QPoint pos, Qt::KeyboardModifiers mods = {}, Qt::MouseButton button = Qt::LeftButton) {
    const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::MouseButtons(button);
    QMouseEvent e(type, QPointF(pos), QPointF(bar->mapToGlobal(pos)), type == QEvent::MouseMove ? Qt::NoButton : button,
                  held, mods);
    QApplication::sendEvent(bar, &e);
  }
  void Click(QPoint pos, Qt::KeyboardModifiers mods = {}) {
    Mouse(QEvent::MouseButtonPress, pos, mods);
    Mouse(QEvent::MouseButtonRelease, pos, mods);
  }
  // The centre of row r's box, and a point on the row right of its label.
  QPoint BoxPoint(int r) {
    const ContentsRowPlaces places = PlaceRow(*bar->rowList().row(r), bar->RowHeight(), true);
    return bar->RowRect(r).topLeft() + places.box.center();
  }
  QPoint BlankPoint(int r) { return QPoint(bar->RowRect(r).right() - 4, bar->RowRect(r).center().y()); }
  int Find(const std::string& label) {
    for (int r = 0; r < bar->RowCount(); ++r)
      if (bar->RowText(r).find(label) != std::string::npos) return r;
    return -1;
  }
  std::vector<std::string> Labels() {
    std::vector<std::string> out;
    for (int r = 0; r < bar->RowCount(); ++r) out.push_back(bar->RowText(r));
    return out;
  }

  std::unique_ptr<CoursePersonality> personality;
  ScopedService<CoursePersonality> personalityService{personality.get()};
  ContentsTable contents;
  ScopedService<ContentsTable> contentsService{&contents};
  StudentRecord record;
  ScopedService<StudentRecord> recordService{&record};
  std::unique_ptr<FrameFixture> frames;
  CStatsDockWnd* dock = nullptr;
  CContentsBar* bar = nullptr;
};

int GreenPixels(const QImage& image, const QRect& rect) {
  int n = 0;
  for (int y = rect.top(); y <= rect.bottom(); ++y)
    for (int x = rect.left(); x <= rect.right(); ++x) {
      const QColor c = image.pixelColor(x, y);
      if (c.green() > c.red() + 40 && c.green() > c.blue() + 40) ++n;
    }
  return n;
}

TEST(ContentsBar, StartsClosedOnTheFirstPaintAndFollowsTheMenuModes) {
  BarFixture f;
  ASSERT_NE(f.bar, nullptr);
  // Whatever the flags held, the first paint opens the current page (none yet).
  f.contents.Lesson(0)->expanded = 1;
  EXPECT_TRUE(f.bar->adjustPending());
  f.Show();
  f.Paint();
  EXPECT_FALSE(f.bar->adjustPending());
  EXPECT_EQ(f.Labels(), (std::vector<std::string>{" 1. Introduction", "I   Describing data", " 2. Looking at data",
                                                  " 3. Centre", "II  Inference", " 4. Sampling"}));
  EXPECT_EQ(f.bar->minimumSize(), QSize(80, 48));
  struct Case {
    int command;
    int rows;
  };
  for (const Case& c : std::vector<Case>{{cmd::kContentsOpenAll, 21}, {cmd::kContentsOpenLessons, 12},
                                         {cmd::kContentsCloseAll, 6}}) {
    EXPECT_TRUE(f.frames->frame->RouteCommand(c.command) || f.bar->OnCommand(c.command));
    EXPECT_TRUE(f.bar->rebuildPending()) << c.command;
    f.Paint();
    EXPECT_EQ(f.bar->RowCount(), c.rows) << c.command;
  }
}

TEST(ContentsBar, WithoutIconsACompletedActivityShowsTheCheckRightOfItsBranch) {
  for (const char* icons : {"false", "true"}) {
    BarFixture f(1, icons);
    f.record.SetCompleted(ActivityLocator(1, 0, 0), true);
    f.Show();
    f.bar->ApplyPending();
    f.bar->SetExpansion(ContentsExpansion::OpenAll);
    const QImage image = f.Paint();
    const int done = f.Find("Piling up");
    const int open = f.Find("Check your reading");
    ASSERT_GE(done, 0);
    const bool withIcons = std::string(icons) == "true";
    EXPECT_EQ(f.bar->RowText(done), withIcons ? "Piling up" : "  Piling up");
    const ContentsRow& row = *f.bar->rowList().row(done);
    EXPECT_TRUE(row.completed);
    const ContentsRowPlaces places = PlaceRow(row, f.bar->RowHeight(), withIcons);
    // The check mark: right of the branch without icons, over the branch's end with them.
    if (withIcons) {
      EXPECT_LT(places.check.left(), places.branchEnd);
    } else {
      EXPECT_EQ(places.check.left(), places.branchEnd + 5);
    }
    const QRect check = places.check.translated(f.bar->RowRect(done).topLeft());
    const QRect same = places.check.translated(f.bar->RowRect(open).topLeft());
    EXPECT_GT(GreenPixels(image, check), 10) << icons;
    EXPECT_EQ(GreenPixels(image, same), 0) << icons;
    // The label starts past the middle of the check mark's box: the mark leaves the title clear.
    if (!withIcons) {
      EXPECT_GE(places.labelLeft, places.check.left() + kIconSize / 2);
    }
    // The label is drawn and its right edge noted for hit testing.
    EXPECT_GT(row.textRight, places.labelLeft);
    if (const char* dir = std::getenv("KN_BINARY_DIR"); dir && !withIcons) {
      std::filesystem::create_directories(std::filesystem::path(dir) / "screenshots");
      image.scaled(image.size() * 2).save(QString::fromLocal8Bit(dir) + "/screenshots/contents-bar-noicons.png");
    }
  }
}

TEST(ContentsBar, LessonBaseZeroIsDrawnFromZeroAndCopiedFromOne) {
  BarFixture f(0);
  f.Show();
  f.Paint();
  EXPECT_EQ(f.bar->RowText(0), " 0. Introduction");
  EXPECT_TRUE(f.bar->OnCommand(cmd::kContentsCopy));
  const QString text = QGuiApplication::clipboard()->text();
  EXPECT_TRUE(text.startsWith(QStringLiteral(" 1. Introduction\r\nI   Describing data\r\n 2. Looking at data\r\n")))
      << text.toStdString();
}

TEST(ContentsBar, CtrlClickOnALessonOpensAndClosesItWithAllItsPages) {
  BarFixture f;
  f.Show();
  f.Paint();
  const int lesson = f.Find("Looking at data");
  f.Click(f.BoxPoint(lesson), Qt::ControlModifier);
  f.Paint();
  EXPECT_EQ(f.bar->RowCount(), 6 + 2 + 4);  // two pages, each open with its activities
  EXPECT_EQ(f.contents.Lesson(1)->pages[1].expanded, 1);
  f.Click(f.BoxPoint(lesson), Qt::ControlModifier);
  f.Paint();
  EXPECT_EQ(f.bar->RowCount(), 6);
  EXPECT_EQ(f.contents.Lesson(1)->pages[0].expanded, 0);
  // A plain click opens only the lesson; clicking the label works like the box.
  f.Click(f.BoxPoint(lesson) + QPoint(30, 0));
  f.Paint();
  EXPECT_EQ(f.bar->RowCount(), 6 + 2);
  // A group's box closes the group.
  f.Click(f.BoxPoint(f.Find("Inference")));
  f.Paint();
  EXPECT_EQ(f.Find("Sampling"), -1);
}

TEST(ContentsBar, TurningAPageCollapsesAllButTheCurrentPageUnlessNeverAdjust) {
  BarFixture f;
  NotifyLog log;
  auto* book = new TurningBook(&log);
  book->place = LessonBookPlace{2, 1, 0, 0};  // lesson a1, first page
  book->Open();
  f.Show({240, 80});
  f.bar->ApplyPending();
  f.bar->SetExpansion(ContentsExpansion::OpenAll);
  f.Paint();
  // The book turns to b1's second page: only that lesson and page stay open.
  book->place = LessonBookPlace{4, 2, 0, 0};
  NotifyAll(kNotifyPageTurned, static_cast<QWidget*>(book));
  EXPECT_TRUE(f.bar->adjustPending());
  f.Paint();
  EXPECT_EQ(f.bar->current().lesson, 3);
  EXPECT_EQ(f.bar->current().page, 1);
  EXPECT_EQ(f.Labels(), (std::vector<std::string>{" 1. Introduction", "I   Describing data", " 2. Looking at data",
                                                  " 3. Centre", "II  Inference", " 4. Sampling", "1. Samples",
                                                  "2. Means", "Big & small"}));
  // The current row is scrolled into view.
  const int means = f.Find("2. Means");
  EXPECT_TRUE(f.bar->rect().contains(f.bar->RowRect(means)));

  // With NeverAdjust the tree keeps its shape and only scrolls.
  f.frames->prefs.neverAdjust = true;
  f.bar->SetExpansion(ContentsExpansion::OpenAll);
  f.Paint();
  f.bar->ScrollTo(0);
  const int rows = f.bar->RowCount();
  book->place = LessonBookPlace{3, 1, 0, 0};  // a2, first page
  NotifyAll(kNotifyPageTurned, static_cast<QWidget*>(book));
  EXPECT_FALSE(f.bar->adjustPending());
  f.Paint();
  EXPECT_EQ(f.bar->RowCount(), rows);
  const int mean = f.Find("1. Mean and median");
  EXPECT_EQ(f.bar->RowOf(f.bar->current()), mean);
  EXPECT_TRUE(f.bar->rect().contains(f.bar->RowRect(mean)));
  EXPECT_GT(f.bar->scrollState().position(), 0);
  // Activating the book at another page adjusts even with NeverAdjust.
  book->place = LessonBookPlace{1, 1, 0, 0};
  NotifyAll(kNotifyActivated, static_cast<QWidget*>(book));
  EXPECT_TRUE(f.bar->adjustPending());
  // A page-turned notice from another window is not the book's.
  f.Paint();
  auto* other = new TestWnd("other", 0, &log);
  other->Open();
  NotifyAll(kNotifyPageTurned, static_cast<QWidget*>(other));
  EXPECT_FALSE(f.bar->adjustPending());
}

TEST(ContentsBar, ReleasingOnARowTurnsTheBookWithoutAnimation) {
  BarFixture f;
  NotifyLog log;
  f.Show();
  f.Paint();
  const int lesson = f.Find("Centre");
  // Without a Lesson Book a click is not tracked.
  f.Mouse(QEvent::MouseButtonPress, f.BlankPoint(lesson));
  EXPECT_EQ(f.bar->pressedRow(), -1);
  f.Mouse(QEvent::MouseButtonRelease, f.BlankPoint(lesson));

  auto* book = new TurningBook(&log);
  book->Open();
  f.Mouse(QEvent::MouseButtonPress, f.BlankPoint(lesson));
  EXPECT_EQ(f.bar->pressedRow(), lesson);
  EXPECT_TRUE(f.bar->pressInside());
  // The pressed row is framed; moving off the row takes the frame away.
  const QImage pressed = f.Paint();
  f.Mouse(QEvent::MouseMove, f.BlankPoint(lesson) + QPoint(0, 40));
  EXPECT_FALSE(f.bar->pressInside());
  EXPECT_NE(f.Paint(), pressed);
  f.Mouse(QEvent::MouseMove, f.BlankPoint(lesson));
  f.Mouse(QEvent::MouseButtonRelease, f.BlankPoint(lesson));
  ASSERT_EQ(book->turns.size(), 1u);
  EXPECT_EQ(book->turns[0].lesson, 2);
  EXPECT_EQ(book->turns[0].page, 0);  // a lesson opens at its first page
  EXPECT_EQ(book->turns[0].activity, -1);
  EXPECT_FALSE(book->animated);
  // Released elsewhere: no turn.
  f.Mouse(QEvent::MouseButtonPress, f.BlankPoint(lesson));
  f.Mouse(QEvent::MouseMove, f.BlankPoint(lesson) + QPoint(0, 40));
  f.Mouse(QEvent::MouseButtonRelease, f.BlankPoint(lesson) + QPoint(0, 40));
  EXPECT_EQ(book->turns.size(), 1u);
  EXPECT_EQ(f.bar->pressedRow(), -1);
  // Hiding the bar in the middle of a click cancels it.
  f.Mouse(QEvent::MouseButtonPress, f.BlankPoint(lesson));
  EXPECT_EQ(f.bar->pressedRow(), lesson);
  f.dock->ShowBar(false);
  EXPECT_EQ(f.bar->pressedRow(), -1);
  f.Mouse(QEvent::MouseButtonRelease, f.BlankPoint(lesson));
  EXPECT_EQ(book->turns.size(), 1u);
}

// A press that goes far from its row drags the row's locator: released over the Bookmarks
// bar it becomes a bookmark there; brought back to the row first, it is a click again.
TEST(ContentsBar, ADragDropsTheRowsLocatorAndReturningToTheRowTakesItBack) {
  StudentRecord record;
  CMainFrame::SetTearBarFactory(cmd::kBookmarksBar, [&record]() -> CTearToolBar* { return new CBookmarksBar(record); });
  {
    BarFixture f;
    NotifyLog log;
    auto* book = new TurningBook(&log);
    book->Open();
    f.Show();
    f.Paint();
    CMainFrame& frame = *f.frames->frame;
    CStatsDockWnd* marks = frame.tearBar(cmd::kBookmarksBar);
    ASSERT_NE(marks, nullptr);
    frame.addDockWidget(Qt::LeftDockWidgetArea, marks);
    marks->setFloating(false);
    marks->show();
    Settle();
    QWidget* list = dynamic_cast<CBookmarksBar*>(marks->bar())->marks()->list()->viewport();
    const QPoint target(list->mapToGlobal(QPoint(list->width() / 2, 0)).x(), 560);
    ASSERT_EQ(QApplication::widgetAt(target), list);

    const int lesson = f.Find("Sampling");
    const QPoint start = f.BlankPoint(lesson);
    f.Mouse(QEvent::MouseButtonPress, start);
    f.Mouse(QEvent::MouseMove, start + QPoint(0, 150));  // not yet beyond 150 pixels
    EXPECT_FALSE(f.bar->dragging());
    f.Mouse(QEvent::MouseMove, start + QPoint(0, f.bar->RowHeight() + 151));
    EXPECT_TRUE(f.bar->dragging());
    // Back on the row: the drag is taken back, and the release there turns the book.
    f.Mouse(QEvent::MouseMove, start);
    EXPECT_FALSE(f.bar->dragging());
    f.Mouse(QEvent::MouseButtonRelease, start);
    ASSERT_EQ(book->turns.size(), 1u);
    EXPECT_EQ(book->turns[0].lesson, 3);
    EXPECT_EQ(record.bookmarkCount(), 0);

    // Released over the Bookmarks bar: a bookmark of the lesson's first page.
    f.Mouse(QEvent::MouseButtonPress, start);
    f.Mouse(QEvent::MouseMove, f.bar->mapFromGlobal(target));
    EXPECT_TRUE(f.bar->dragging());
    f.Mouse(QEvent::MouseButtonRelease, f.bar->mapFromGlobal(target));
    EXPECT_FALSE(f.bar->dragging());
    EXPECT_EQ(f.bar->pressedRow(), -1);
    ASSERT_EQ(record.bookmarkCount(), 1);
    EXPECT_EQ(record.bookmarks()[0].lesson, 3);
    EXPECT_EQ(record.bookmarks()[0].page, 0);  // a lesson's page -1 becomes its first page
    EXPECT_EQ(book->turns.size(), 1u);
  }
  CMainFrame::SetTearBarFactory(cmd::kBookmarksBar, nullptr);
}

TEST(ContentsBar, CompletionNoticesFlipOnlyTheActivityRow) {
  BarFixture f;
  f.Show();
  f.bar->ApplyPending();
  f.bar->SetExpansion(ContentsExpansion::OpenAll);
  f.Paint();
  const int row = f.Find("Balance beam");
  ActivityLocator l(2, 0, 0);
  f.record.SetCompleted(l, true);
  NotifyAll(kNotifyCompletion, &l);
  EXPECT_TRUE(f.bar->rowList().row(row)->completed);
  EXPECT_FALSE(f.bar->rebuildPending());
  // A locator whose activity row is not shown changes nothing.
  f.bar->OnCommand(cmd::kContentsOpenLessons);
  f.Paint();
  f.record.SetCompleted(l, false);
  NotifyAll(kNotifyCompletion, &l);
  EXPECT_FALSE(f.bar->rebuildPending());
  // A loaded progress file (no locator) refreshes every row.
  f.bar->OnCommand(cmd::kContentsOpenAll);
  f.Paint();
  f.record.SetCompleted(ActivityLocator(0, 0, 0), true);
  NotifyAll(kNotifyCompletion, nullptr);
  f.Paint();
  EXPECT_TRUE(f.bar->rowList().row(f.Find("Tour"))->completed);
  EXPECT_FALSE(f.bar->rowList().row(f.Find("Balance beam"))->completed);
}

TEST(ContentsBar, ContextMenuFromTheCornerAndTheRightButton) {
  BarFixture f;
  f.Show();
  f.Paint();
  std::vector<std::string> items, tips;
  bool pressedDuringMenu = false;
  int answer = cmd::kContentsOpenAll;
  f.bar->SetMenuRunner([&](QMenu& menu, const QPoint&) {
    items.clear();
    tips.clear();
    pressedDuringMenu = f.bar->menuBoxPressed();
    for (QAction* a : menu.actions())
      if (!a->isSeparator()) {
        items.push_back(a->text().toStdString());
        tips.push_back(a->statusTip().toStdString());
        EXPECT_TRUE(a->isEnabled());
      }
    return answer;
  });
  f.Mouse(QEvent::MouseButtonPress, f.bar->CornerSquare().center());
  EXPECT_TRUE(pressedDuringMenu);
  EXPECT_FALSE(f.bar->menuBoxPressed());
  EXPECT_EQ(items, (std::vector<std::string>{"Open &All", "Open &Lessons", "&Open Current Page", "&Close All",
                                             "Copy to Clip&board", "&Print Table of Contents...",
                                             "&Hide Table of Contents"}));
  EXPECT_EQ(tips[0], "Opens all lessons and pages");
  EXPECT_EQ(tips[3], "Closes all lessons and pages");
  EXPECT_EQ(tips[6], "Hide the Table of Contents window");
  f.Paint();
  EXPECT_EQ(f.bar->RowCount(), 21);
  // The right button; Hide toggles the bar through its command.
  answer = cmd::kContentsHide;
  f.Mouse(QEvent::MouseButtonPress, QPoint(20, 5), {}, Qt::RightButton);
  EXPECT_FALSE(pressedDuringMenu);
  Settle(30);
  EXPECT_FALSE(f.dock->isVisible());
  EXPECT_FALSE(f.frames->frame->barVisible(cmd::kContentsBar));
}

TEST(ContentsBar, PrintsEveryRowToPdf) {
  BarFixture f;
  f.bar->ApplyPending();
  f.bar->SetExpansion(ContentsExpansion::OpenAll);
  f.bar->ApplyPending();
  const auto pdf = kntest::MakeTempDir("toc") / "contents.pdf";
  QPrinter printer(QPrinter::HighResolution);
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setOutputFileName(QString::fromStdString(pdf.string()));
  EXPECT_GE(f.bar->Print(&printer), 1);
  ASSERT_TRUE(std::filesystem::exists(pdf));
  EXPECT_GT(std::filesystem::file_size(pdf), 1000u);
}

// The bar docked beside the Lesson Book, as the learner sees it; the picture goes to
// <build>/screenshots/contents-bar.png.
TEST(ContentsBar, ScreenshotDockedBesideTheLessonBook) {
  BarFixture f;
  NotifyLog log;
  f.record.SetCompleted(ActivityLocator(1, 0, 0), true);
  f.record.SetCompleted(ActivityLocator(1, 1, 1), true);
  auto* book = new TurningBook(&log);
  book->place = LessonBookPlace{2, 2, 0, 0};
  book->Open();
  f.frames->frame->addDockWidget(Qt::LeftDockWidgetArea, f.dock);
  f.dock->setFloating(false);
  f.dock->ShowBar(true);
  f.dock->resize(230, 500);
  NotifyAll(kNotifyActivated, static_cast<QWidget*>(book));
  Settle(50);
  f.bar->OnCommand(cmd::kContentsOpenLessons);
  f.contents.Lesson(1)->pages[0].expanded = 1;
  f.contents.Lesson(1)->pages[1].expanded = 1;
  f.contents.Lesson(2)->pages[0].expanded = 1;
  f.bar->Rebuild();
  Settle(50);
  EXPECT_FALSE(f.dock->isFloating());
  EXPECT_GT(f.bar->RowCount(), 10);
  if (const char* dir = std::getenv("KN_BINARY_DIR")) {
    std::filesystem::create_directories(std::filesystem::path(dir) / "screenshots");
    EXPECT_TRUE(SaveFrameScreenshot(*f.frames->frame, QString::fromLocal8Bit(dir) + "/screenshots/contents-bar.png"));
    const QImage bar = f.Paint().scaled(f.bar->size() * 2);
    EXPECT_TRUE(bar.save(QString::fromLocal8Bit(dir) + "/screenshots/contents-bar-zoom.png"));
  }
}

}  // namespace
