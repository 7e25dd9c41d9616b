// The Index bar over a small course: the rows of a term, what a click on each does (only
// beside the Lesson Book), Copy to Bookmarks with a full list, and the glossary button.
#include <gtest/gtest.h>

#include <QtTest/QTest>
#include <QtWidgets/QListWidget>

#include "course/AsteriskSourceList.h"
#include "course/CommandIds.h"
#include "course/ContentsTable.h"
#include "course/Notice.h"
#include "course/Services.h"
#include "course/StringIds.h"
#include "glossary/GlossaryTable.h"
#include "glossary/IndexBar.h"
#include "glossary/IndexTable.h"

namespace {

std::vector<std::uint8_t> Bytes(std::string_view s) { return {s.begin(), s.end()}; }

struct IndexBarTest : ::testing::Test {
  IndexBarTest() : contentsSlot(&contents), asteriskSlot(&asterisks) {
    contents.Load("l=Data\nd=ch1\nf\np=Samples\ne=Intro\tintro.exp\nq=Quiz\tquiz.fil\n"
                  "l=Centre\nd=ch2\nf\np=Mean\ne=Mean\tmean.exp\n",
                  1, 0, nullptr);
    index.Parse(Bytes("median\t101\t209_lab2.lab\t-1\nmean\t200\t100\nzeta\t-3\n"));
    glossary.LoadText(Bytes("<dt>median<dd>The middle value.<dt>mean<dd>The average."));
    CIndexBar::Links links;
    links.launch = [this](const ActivityLocator& at) { launched.push_back(at); };
    links.lessonBookOpen = [this] { return bookOpen; };
    links.addBookmark = [this](const ActivityLocator& at) {
      if (static_cast<int>(bookmarks.size()) >= room) return false;
      bookmarks.push_back(at);
      return true;
    };
    links.showGlossary = [this](std::string_view term) { glossaryShown = std::string(term); };
    CIndexBar::SetLinks(std::move(links));
    bar = std::make_unique<CIndexBar>(index, &glossary);
    bar->resize(420, 260);
    bar->show();
  }
  ~IndexBarTest() override { CIndexBar::SetLinks({}); }

  ContentsTable contents;
  AsteriskSourceList asterisks;
  ScopedService<ContentsTable> contentsSlot;
  ScopedService<AsteriskSourceList> asteriskSlot;
  IndexTable index;
  GlossaryTable glossary;
  std::unique_ptr<CIndexBar> bar;
  std::vector<ActivityLocator> launched, bookmarks;
  std::string glossaryShown;
  bool bookOpen = false;
  int room = 100;
};

TEST_F(IndexBarTest, RowsOfATermAndWhatClickingThemDoes) {
  ASSERT_TRUE(bar->OpenAtTerm("MEDIANS"));
  ASSERT_EQ(bar->ReferenceRows(), 4);
  EXPECT_EQ(bar->RowText(0), "median:");
  EXPECT_EQ(bar->RowText(1), "Data : Samples : Quiz");
  EXPECT_EQ(bar->RowText(2), "Centre : Lab");
  EXPECT_EQ(bar->RowText(3), "Glossary definition");

  bar->ActivateRow(1);  // no Lesson Book: nothing starts
  EXPECT_TRUE(launched.empty());
  bookOpen = true;
  bar->ActivateRow(1);
  ASSERT_EQ(launched.size(), 1u);
  EXPECT_EQ(launched[0].lesson, 0);
  EXPECT_EQ(launched[0].activity, 1);
  EXPECT_EQ(launched[0].mark, 255);
  bar->ActivateRow(3);
  EXPECT_EQ(glossaryShown, "median");
  EXPECT_EQ(launched.size(), 1u);

  NoticeRecorder notices;
  EXPECT_FALSE(bar->OpenAtTerm("modes"));
  EXPECT_TRUE(notices.sawText("Could not find the index term 'modes'."));
  EXPECT_EQ(bar->currentTerm(), 0);
}

TEST_F(IndexBarTest, CopyToBookmarksAndAFullList) {
  bar->ShowTerm(0);
  room = 1;
  NoticeRecorder notices;
  bar->CopyToBookmarks(0);  // the quiz fits, the lab does not: one notice
  ASSERT_EQ(bookmarks.size(), 1u);
  EXPECT_EQ(notices.notices().size(), 1u);
  EXPECT_TRUE(notices.sawId(str::kBookmarkListFull));
  room = 10;
  bar->CopyToBookmarks(2);
  ASSERT_EQ(bookmarks.size(), 2u);
  EXPECT_EQ(bookmarks[1].kind, 12);
  bar->CopyToBookmarks(3);  // a glossary row has no place to bookmark
  EXPECT_EQ(bookmarks.size(), 2u);
}

TEST_F(IndexBarTest, GlossaryButtonListTypingAndClicks) {
  bar->termList()->setFocus();
  QTest::keyClick(bar->termList(), Qt::Key_Z);
  EXPECT_EQ(bar->currentTerm(), 2);
  CommandState state;
  bar->UpdateCommand(cmd::kIndexGlossary, state);
  EXPECT_FALSE(state.enabled);  // "zeta" has no definition
  QTest::keyClick(bar->termList(), Qt::Key_Q);  // no term starts with it
  EXPECT_EQ(bar->currentTerm(), 2);
  bar->ShowTerm(1);
  bar->UpdateCommand(cmd::kIndexGlossary, state);
  EXPECT_TRUE(state.enabled);
  // The second reference of "mean" (100: the first page's first activity).
  bookOpen = true;
  // From the keyboard: Down twice reaches the second reference, Enter follows it.
  bar->referencePane()->setFocus();
  QTest::keyClick(bar->referencePane(), Qt::Key_Down);
  QTest::keyClick(bar->referencePane(), Qt::Key_Down);
  QTest::keyClick(bar->referencePane(), Qt::Key_Return);
  ASSERT_EQ(launched.size(), 1u);
  EXPECT_EQ(launched[0], [] {
    ActivityLocator at(0, 0, 0);
    at.mark = 255;
    return at;
  }());
}

}  // namespace
