// The Glossary bar with a small glossary: looking terms up with and without a context
// phrase, the history and Back, typing a letter in the list, cross-references, Copy and
// printing, and a picture of the bar to look at.
#include <gtest/gtest.h>

#include <QtGui/QClipboard>
#include <QtGui/QGuiApplication>
#include <QtPrintSupport/QPrinter>
#include <QtTest/QTest>
#include <QtWidgets/QListWidget>
#include <QtWidgets/QSplitter>

#include "TestSupport.h"
#include "course/CommandIds.h"
#include "course/Notice.h"
#include "course/StringIds.h"
#include "glossary/GlossaryBar.h"
#include "glossary/GlossaryPane.h"
#include "glossary/GlossaryTable.h"

namespace {

std::vector<std::uint8_t> Bytes(std::string_view s) { return {s.begin(), s.end()}; }

struct GlossaryBarTest : ::testing::Test {
  GlossaryBarTest() {
    table.LoadText(Bytes(
        "<dl><dt>mean<dd>The arithmetic average, less resistant than the <dfn>median</dfn>."
        "<dt>median<dd>The middle value of the sorted observations."
        "<dt>mode<dd>The most common value.<dt>standard deviation<dd>How far values lie from the "
        "<dfn>mean</dfn>, typically.</dl>"));
    bar = std::make_unique<CGlossaryBar>(table);
    bar->resize(420, 260);
    bar->show();
  }
  GlossaryTable table;
  std::unique_ptr<CGlossaryBar> bar;
};

TEST_F(GlossaryBarTest, ContextPhraseShowsWhileItsTermIsTheContextTerm) {
  ASSERT_TRUE(bar->Lookup("means", "Here the mean of five scores."));
  EXPECT_EQ(bar->currentTerm(), 0);
  EXPECT_EQ(bar->CopyText(),
            "mean:\n\nHere the mean of five scores.\n\nIn general, the arithmetic average, less resistant than the "
            "median.");
  bar->ShowTerm(2);  // another term from the list, then the context term again
  bar->termList()->setCurrentRow(0);
  bar->ShowTerm(0);
  EXPECT_NE(bar->CopyText().find("Here the mean of five scores."), std::string::npos);
  ASSERT_TRUE(bar->Lookup("mode", ""));  // a new context without a phrase
  bar->ShowTerm(0);
  EXPECT_EQ(bar->CopyText().find("Here the mean"), std::string::npos);

  NoticeRecorder notices;
  EXPECT_FALSE(bar->Lookup("MEANS", "x"));  // a capital S is no plural
  EXPECT_TRUE(notices.sawId(str::kGlossaryTermNotFound));
  EXPECT_TRUE(notices.sawText("Could not find the glossary term 'MEANS'."));
  EXPECT_EQ(bar->currentTerm(), 0);
}

TEST_F(GlossaryBarTest, HistoryHoldsSixtyFourAndBackWalksIt) {
  EXPECT_FALSE(bar->Back());
  bar->ShowTerm(0);
  for (int i = 1; i <= 70; ++i) bar->ShowTerm(i % 4);
  EXPECT_EQ(bar->history().size(), 64u);
  EXPECT_EQ(bar->currentTerm(), 70 % 4);
  EXPECT_TRUE(bar->Back());
  EXPECT_EQ(bar->currentTerm(), 69 % 4);
  EXPECT_EQ(bar->history().size(), 63u);
  bar->ShowTerm(bar->currentTerm());  // the same term: nothing changes
  EXPECT_EQ(bar->history().size(), 63u);
  CommandState state;
  ASSERT_TRUE(bar->UpdateCommand(cmd::kGlossaryIndex, state));
  EXPECT_FALSE(state.enabled);  // no index connected
}

TEST_F(GlossaryBarTest, TypingALetterAndFollowingACrossReference) {
  bar->termList()->setFocus();
  QTest::keyClick(bar->termList(), Qt::Key_S);
  EXPECT_EQ(bar->currentTerm(), 3);
  QTest::keyClick(bar->termList(), Qt::Key_Z);  // no term starts with it
  EXPECT_EQ(bar->currentTerm(), 3);
  const auto& refs = bar->pane()->layout().references;
  ASSERT_EQ(refs.size(), 1u);
  EXPECT_EQ(refs[0].text, "mean");
  const QPoint inside = refs[0].rect.center();
  QTest::mousePress(bar->pane(), Qt::LeftButton, {}, inside);
  QTest::mouseRelease(bar->pane(), Qt::LeftButton, {}, inside);
  EXPECT_EQ(bar->currentTerm(), 0);
  EXPECT_EQ(bar->history().back(), 3);
  // Pressed on a reference, released elsewhere: nothing.
  const QPoint ref = bar->pane()->layout().references.at(0).rect.center();
  QTest::mousePress(bar->pane(), Qt::LeftButton, {}, ref);
  QTest::mouseRelease(bar->pane(), Qt::LeftButton, {}, QPoint(1, 1));
  EXPECT_EQ(bar->currentTerm(), 0);

  // The same from the keyboard: Down chooses the reference, Enter follows it.
  bar->ShowTerm(3);
  bar->pane()->setFocus();
  QTest::keyClick(bar->pane(), Qt::Key_Down);
  EXPECT_TRUE(bar->pane()->accessibleName().endsWith("mean"));
  QTest::keyClick(bar->pane(), Qt::Key_Return);
  EXPECT_EQ(bar->currentTerm(), 0);
}

TEST_F(GlossaryBarTest, SplitterLimitsCopyAndPrint) {
  bar->resize(150, 200);  // smaller than both limits together
  QCoreApplication::processEvents();
  const QList<int> sizes = bar->splitter()->sizes();
  EXPECT_GE(sizes[0], CGlossaryBar::kMinPaneWidth);
  EXPECT_GE(sizes[1], CGlossaryBar::kMinListWidth);
  bar->resize(420, 260);

  bar->ShowTerm(1);
  ASSERT_TRUE(bar->OnCommand(cmd::kGlossaryCopy));
  EXPECT_EQ(QGuiApplication::clipboard()->text(), "median:\n\nThe middle value of the sorted observations.");

  const auto dir = kntest::MakeTempDir("glsprint");
  QPrinter printer(QPrinter::HighResolution);
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setOutputFileName(QString::fromStdString((dir / "definition.pdf").string()));
  EXPECT_EQ(bar->Print(&printer), 1);
  EXPECT_GT(std::filesystem::file_size(dir / "definition.pdf"), 500u);

  bar->ShowTerm(3);
  const QImage picture = bar->grab().toImage();
  picture.save(QString::fromStdString((dir / "glossary-bar.png").string()));
  picture.save(QStringLiteral("/tmp/glossary-bar.png"));
  EXPECT_FALSE(picture.isNull());
}

}  // namespace
