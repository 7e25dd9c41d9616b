#include <gtest/gtest.h>

#include <QtCore/QMimeData>
#include <QtCore/QTimer>
#include <QtGui/QClipboard>
#include <QtGui/QDropEvent>
#include <QtGui/QPdfWriter>
#include <QtTest/QTest>
#include <QtWidgets/QApplication>
#include <QtWidgets/QListWidget>
#include <QtWidgets/QMenu>
#include <QtWidgets/QPlainTextEdit>
#include <QtWidgets/QRadioButton>

#include "RecordsTestSupport.h"
#include "TestSupport.h"
#include "course/CommandIds.h"
#include "course/Notice.h"
#include "course/Services.h"
#include "records/BookmarkClipboard.h"
#include "records/BookmarkDialogs.h"
#include "records/BookmarkFile.h"
#include "records/BookmarkList.h"
#include "records/MarkBar.h"

using kntest::Loc;

namespace {

// Runs fill on the next modal dialog once it is up, then accepts it.
template <class Dialog>
void WhenDialogOpens(std::function<void(Dialog&)> fill) {
  QTimer::singleShot(0, [fill] {
    auto* dialog = dynamic_cast<Dialog*>(QApplication::activeModalWidget());
    ASSERT_NE(dialog, nullptr);
    fill(*dialog);
    dialog->accept();
  });
}

struct BarScene {
  ScopedService<ContentsTable> contents{const_cast<ContentsTable*>(&kntest::RecordsContents())};
  StudentRecord record;
  CMarkBar bar{record};
  NoticeRecorder notices;

  BarScene() {
    bar.resize(220, 300);
    bar.show();
    QApplication::processEvents();
  }
  std::vector<std::string> Texts() const {
    std::vector<std::string> out;
    for (const auto& b : record.bookmarks()) out.push_back(BookmarkText(b, kntest::RecordsContents()));
    return out;
  }
  // Drops data at the point of the list's viewport, as a drag from another window would.
  bool Drop(QMimeData* data, QPoint at) {
    QWidget* target = bar.list()->viewport();
    QDragEnterEvent enter(at, Qt::CopyAction, data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &enter);
    if (!enter.isAccepted()) return false;
    QDropEvent drop(QPointF(at), Qt::CopyAction, data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &drop);
    return drop.isAccepted();
  }
};

TEST(MarkBar, DroppingALessonBookActivityAddsItBeforeTheRowUnderThePoint) {
  BarScene s;
  s.record.AddBookmark(Loc(0, 0, 0));
  s.record.AddBookmark(Loc(1, 0, 0));
  // Below the last row: appended.
  std::unique_ptr<QMimeData> quiz(BookmarkMimeData(Loc(0, 0, 1), "Quiz"));
  ASSERT_TRUE(s.Drop(quiz.get(), QPoint(60, 250)));
  ASSERT_EQ(s.record.bookmarkCount(), 3);
  EXPECT_EQ(s.record.bookmarks()[2], Loc(0, 0, 1));
  // On the second row: before it.
  const QPoint second = s.bar.list()->RowRect(1).center();
  std::unique_ptr<QMimeData> film(BookmarkMimeData(Loc(0, 1, 0), "Film"));
  ASSERT_TRUE(s.Drop(film.get(), second));
  EXPECT_EQ(s.record.bookmarks()[1], Loc(0, 1, 0));
  EXPECT_EQ(s.bar.list()->selected(), 1);
  // A locator this course does not hold, and plain text, are not taken.
  std::unique_ptr<QMimeData> stranger(BookmarkMimeData(Loc(7, 0, 0), "x"));
  s.Drop(stranger.get(), QPoint(60, 250));
  QMimeData text;
  text.setText(QStringLiteral("Quiz"));
  EXPECT_FALSE(s.Drop(&text, QPoint(60, 250)));
  EXPECT_EQ(s.record.bookmarkCount(), 4);
  // The rows follow the list: one per bookmark, each at least 28 pixels high.
  EXPECT_GE(s.bar.list()->RowRect(3).height(), kMarkMinRowHeight);
  EXPECT_EQ(s.bar.list()->RowRect(4), QRect());
}

TEST(MarkBar, SortingByNameOrdersTheRows) {
  BarScene s;
  s.record.AddBookmark(Loc(1, 0, 0));                        // "Centre : Mean : Bold act"
  s.record.AddBookmark(Loc(0, 0, 1, 0, 0, nullptr, "zoo"));  // "zoo"
  s.record.AddBookmark(Loc(0, 1, 0));                        // "Data : Films : Film"
  s.record.AddBookmark(Loc(0, 0, 0, 0, 0, nullptr, "Apple"));
  WhenDialogOpens<CSortDlg>([](CSortDlg& d) { d.SetOrder(BookmarkOrder::ByName); });
  s.bar.OnCommand(cmd::kSortBookmarks);
  EXPECT_EQ(s.Texts(), (std::vector<std::string>{"Apple", "Centre : Mean : Bold act", "Data : Films : Film", "zoo"}));
  // Row tops follow the new order without overlapping.
  for (int i = 1; i < 4; ++i) EXPECT_EQ(s.bar.list()->RowRect(i).top(), s.bar.list()->RowRect(i - 1).bottom() + 1);
}

TEST(MarkBar, AnnotateChangesTheRowsTextAndRevertBringsItBack) {
  BarScene s;
  s.record.AddBookmark(Loc(0, 0, 0));
  s.record.AddBookmark(Loc(0, 0, 1));
  s.bar.list()->SetSelected(1);
  WhenDialogOpens<CAnnotateDlg>([](CAnnotateDlg& d) {
    EXPECT_EQ(d.editor()->toPlainText(), QStringLiteral("Data : Samples : Quiz"));
    d.editor()->setPlainText(QStringLiteral("Revise <b>this</b> quiz"));
  });
  s.bar.OnCommand(cmd::kAnnotateBookmark);
  EXPECT_EQ(s.Texts()[1], "Revise this quiz");
  EXPECT_TRUE(s.bar.CommandEnabled(cmd::kRevertBookmark));
  s.bar.OnCommand(cmd::kRevertBookmark);
  EXPECT_EQ(s.Texts()[1], "Data : Samples : Quiz");
  EXPECT_FALSE(s.bar.CommandEnabled(cmd::kRevertBookmark));
}

TEST(MarkBar, ClipboardRoundTripRestoresTheBookmark) {
  BarScene s;
  const ActivityLocator original = Loc(0, -1, -1, 4, 11, "hw1.wrk", "Homework one");
  s.record.AddBookmark(Loc(0, 0, 0));
  s.record.AddBookmark(original);
  s.bar.list()->SetSelected(1);
  s.bar.OnCommand(cmd::kCopyBookmark);
  const QMimeData* clip = QGuiApplication::clipboard()->mimeData();
  ASSERT_NE(clip, nullptr);
  EXPECT_TRUE(clip->hasFormat(QStringLiteral("Kestrelon Bookmark")));
  EXPECT_EQ(clip->text(), QStringLiteral("Homework one"));

  s.bar.OnCommand(cmd::kDeleteBookmark);
  ASSERT_EQ(s.record.bookmarkCount(), 1);
  s.bar.list()->SetSelected(0);
  ASSERT_TRUE(s.bar.CommandEnabled(cmd::kPasteBookmark));
  s.bar.OnCommand(cmd::kPasteBookmark);  // before the selected row
  ASSERT_EQ(s.record.bookmarkCount(), 2);
  EXPECT_EQ(s.record.bookmarks()[0], original);

  // Plain text on the clipboard is no bookmark.
  QGuiApplication::clipboard()->setText(QStringLiteral("hello"));
  EXPECT_FALSE(s.bar.CommandEnabled(cmd::kPasteBookmark));
}

TEST(MarkBar, CustomIconSetsTheMark) {
  BarScene s;
  s.record.AddBookmark(Loc(0, 0, 0));
  s.bar.list()->SetSelected(0);
  WhenDialogOpens<CCustomIconDlg>([](CCustomIconDlg& d) { d.icons()->setCurrentRow(6); });
  s.bar.OnCommand(cmd::kCustomIcon);
  EXPECT_EQ(s.record.bookmarks()[0].mark, 7);
}

TEST(MarkBar, ClickingARowLaunchesItAndTheIconColumnOpensNothingElse) {
  BarScene s;
  s.record.AddBookmark(Loc(0, 0, 0));
  s.record.AddBookmark(Loc(0, 0, 1));
  std::vector<std::pair<ActivityLocator, bool>> launched;
  s.bar.SetLaunch({[&](const ActivityLocator& l, bool turn) { launched.push_back({l, turn}); }, {}, {}});
  const QRect row = s.bar.list()->RowRect(1);
  QTest::mouseClick(s.bar.list()->viewport(), Qt::LeftButton, {}, QPoint(kMarkTextLeft + 10, row.center().y()));
  ASSERT_EQ(launched.size(), 1u);
  EXPECT_EQ(launched[0].first, Loc(0, 0, 1));
  EXPECT_TRUE(launched[0].second);
  EXPECT_EQ(s.bar.list()->selected(), 1);
  // Execute from the menu does not turn the Lesson Book.
  s.bar.OnCommand(cmd::kExecuteBookmark);
  ASSERT_EQ(launched.size(), 2u);
  EXPECT_FALSE(launched[1].second);
}

TEST(MarkBar, MenuEnablingAndRemovingAll) {
  BarScene s;
  std::unique_ptr<QMenu> empty(s.bar.BuildMenu(nullptr));
  int enabled = 0;
  for (QAction* a : empty->actions()) enabled += !a->isSeparator() && a->isEnabled();
  EXPECT_EQ(enabled, 3 + (s.bar.CommandEnabled(cmd::kPasteBookmark) ? 1 : 0));  // hide, load, merge (paste)
  s.record.AddBookmark(Loc(0, 0, 0));
  s.record.AddBookmark(Loc(0, 0, 1));
  EXPECT_FALSE(s.bar.CommandEnabled(cmd::kExecuteBookmark));  // no launcher connected
  s.bar.OnCommand(cmd::kRemoveAllBookmarks);
  EXPECT_EQ(s.record.bookmarkCount(), 0);
}

TEST(MarkBar, LoadMergeAndSaveBookmarkFiles) {
  BarScene s;
  const auto dir = kntest::MakeTempDir("bar");
  s.record.AddBookmark(Loc(0, 0, 0));
  s.record.AddBookmark(Loc(1, 0, 0, 0, 0, nullptr, "note"));
  QString chosen = QString::fromStdString((dir / "mine").string());
  s.bar.SetFileChooser([&](bool) { return chosen; });
  s.bar.OnCommand(cmd::kSaveBookmarks);
  ASSERT_TRUE(std::filesystem::exists(dir / "mine.mrk"));
  chosen += QStringLiteral(".mrk");

  s.bar.OnCommand(cmd::kMergeBookmarks);
  EXPECT_EQ(s.record.bookmarkCount(), 4);
  s.bar.OnCommand(cmd::kLoadBookmarks);
  EXPECT_EQ(s.record.bookmarkCount(), 2);

  // A file cut short in its last bookmark loads the ones before the cut, without a word.
  auto bytes = kntest::ReadFileBytes(dir / "mine.mrk");
  bytes.pop_back();
  kntest::WriteFileBytes(dir / "mine.mrk", bytes);
  s.bar.OnCommand(cmd::kLoadBookmarks);
  ASSERT_EQ(s.record.bookmarkCount(), 1);
  EXPECT_EQ(s.record.bookmarks()[0], Loc(0, 0, 0));
  EXPECT_TRUE(s.notices.notices().empty());
}

// The extension is put on the name typed, and the file it then names is asked about
// before it is replaced; a dot in a folder's name is no extension.
TEST(MarkBar, SavingPutsTheExtensionOnAndAsksBeforeReplacing) {
  BarScene s;
  const auto dir = kntest::MakeTempDir("ann.lee");
  s.record.AddBookmark(Loc(0, 0, 0));
  QString chosen = QString::fromStdString((dir / "marks").string());
  s.bar.SetFileChooser([&](bool) { return chosen; });
  std::vector<QString> asked;
  bool replace = false;
  s.bar.SetOverwriteQuestion([&](const QString& path) {
    asked.push_back(path);
    return replace;
  });
  s.bar.OnCommand(cmd::kSaveBookmarks);
  ASSERT_TRUE(std::filesystem::exists(dir / "marks.mrk"));
  EXPECT_TRUE(asked.empty());
  const auto first = kntest::ReadFileBytes(dir / "marks.mrk");

  // "marks" again: the file is there now; No leaves it as it was.
  s.record.AddBookmark(Loc(1, 0, 0));
  s.bar.OnCommand(cmd::kSaveBookmarks);
  ASSERT_EQ(asked.size(), 1u);
  EXPECT_EQ(asked[0], QString::fromStdString((dir / "marks.mrk").string()));
  EXPECT_EQ(kntest::ReadFileBytes(dir / "marks.mrk"), first);
  // Yes replaces it and keeps the one replaced as a backup.
  replace = true;
  s.bar.OnCommand(cmd::kSaveBookmarks);
  EXPECT_EQ(ReadBookmarkFile(kntest::ReadFileBytes(dir / "marks.mrk")).size(), 2u);
  EXPECT_EQ(kntest::ReadFileBytes(dir / "marks.mrk.bak"), first);
  // A name typed with its extension was asked about by the dialog itself.
  chosen = QString::fromStdString((dir / "marks.mrk").string());
  s.bar.OnCommand(cmd::kSaveBookmarks);
  EXPECT_EQ(asked.size(), 2u);
  EXPECT_FALSE(std::filesystem::exists(dir / "marks.mrk.mrk"));
}

TEST(MarkBar, PrintsWholeRowsOnEachPage) {
  BarScene s;
  for (int i = 0; i < 60; ++i) s.record.InsertBookmark(Loc(i % 2, 0, 0, i % 13));
  const auto pdf = kntest::MakeTempDir("print") / "bookmarks.pdf";
  QPdfWriter writer(QString::fromStdString(pdf.string()));
  writer.setResolution(96);
  const int pages = s.bar.PrintTo(writer);
  EXPECT_GE(pages, 2);
  EXPECT_GT(std::filesystem::file_size(pdf), 0u);
}

}  // namespace

namespace {

TEST(MarkList, DrawsTheIconAndTheWrappedText) {
  BarScene s;
  s.record.AddBookmark(Loc(0, 0, 0, 1));  // custom icon 1: a red star
  s.record.AddBookmark(
      Loc(0, 0, 1, 0, 0, nullptr, "A long annotation that has to wrap over several lines in a narrow bar"));
  QApplication::processEvents();
  const QImage image = s.bar.list()->viewport()->grab().toImage();
  const QRect first = s.bar.list()->RowRect(0);
  EXPECT_EQ(first.height(), kMarkMinRowHeight);
  int red = 0;
  for (int y = first.top() + 2; y < first.top() + 2 + kMarkIconSize; ++y)
    for (int x = 2; x < 2 + kMarkIconSize; ++x) {
      const QColor c = image.pixelColor(x, y);
      red += c.red() > 150 && c.green() < 100 && c.blue() < 100;
    }
  EXPECT_GT(red, 40);
  // The long text wraps: its row is taller than one line, and text is drawn right of the icons.
  const QRect second = s.bar.list()->RowRect(1);
  EXPECT_GT(second.height(), kMarkMinRowHeight);
  int ink = 0;
  for (int y = second.top(); y <= second.bottom(); ++y)
    for (int x = kMarkTextLeft; x < image.width(); ++x) ink += image.pixelColor(x, y).lightness() < 100;
  EXPECT_GT(ink, 50);
}

}  // namespace

namespace {

class Rows : public CMarkListOwner {
 public:
  int MarkCount() const override { return 3; }
  const ActivityLocator* MarkLocator(int row) const override { return &m_locator; }
  std::string MarkText(int row) const override { return "row " + std::to_string(row); }
  void MarkChosen(int row) override { chosen.push_back(row); }
  void MarkContextMenu(int row, const QPoint&) override { menus.push_back(row); }
  std::vector<int> chosen, menus;

 private:
  ActivityLocator m_locator = Loc(0, 0, 0);
};

class DragRecorder : public CMarkList {
 public:
  using CMarkList::CMarkList;
  void StartDrag(int row) override { dragged.push_back(row); }
  std::vector<int> dragged;
};

TEST(MarkList, APressBecomesADragBeyondOneHundredFiftyPixels) {
  Rows rows;
  DragRecorder list(rows, 4242);
  list.resize(200, 600);
  list.show();
  QWidget* v = list.viewport();
  const QRect row = list.RowRect(1);
  const QPoint start(kMarkTextLeft + 20, row.center().y());
  struct Case {
    QPoint to;
    bool drags;
  } cases[] = {
      {QPoint(start.x(), row.bottom() + 150), false},
      {QPoint(start.x(), row.bottom() + 151), true},
      {QPoint(row.right() + 151, start.y()), true},
  };
  for (const Case& k : cases) {
    list.dragged.clear();
    QTest::mousePress(v, Qt::LeftButton, {}, start);
    QMouseEvent move(QEvent::MouseMove, QPointF(k.to), v->mapToGlobal(QPointF(k.to)), Qt::NoButton, Qt::LeftButton,
                     Qt::NoModifier);
    QApplication::sendEvent(v, &move);
    QTest::mouseRelease(v, Qt::LeftButton, {}, k.to);
    EXPECT_EQ(list.dragged, k.drags ? std::vector<int>{1} : std::vector<int>{}) << k.to.x() << "," << k.to.y();
  }
  // Released back inside the row after wandering less than 150 pixels: chosen.
  EXPECT_TRUE(rows.chosen.empty());
  QTest::mousePress(v, Qt::LeftButton, {}, start);
  QTest::mouseRelease(v, Qt::LeftButton, {}, start);
  EXPECT_EQ(rows.chosen, std::vector<int>{1});
  // The icon column and the right button ask for the menu of that row.
  QTest::mousePress(v, Qt::LeftButton, {}, QPoint(5, list.RowRect(2).center().y()));
  QTest::mousePress(v, Qt::RightButton, {}, start);
  EXPECT_EQ(rows.menus, (std::vector<int>{2, 1}));
}

}  // namespace
