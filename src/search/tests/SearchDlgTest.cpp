#include <gtest/gtest.h>

#include <QtWidgets/QAbstractButton>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QListWidget>
#include <QtWidgets/QPushButton>
#include <string>
#include <vector>

#include "course/ContentsTable.h"
#include "course/Notice.h"
#include "course/ResourceContainer.h"
#include "course/StringIds.h"
#include "records/StudentRecord.h"
#include "search/SearchDlg.h"
#include "shell/CourseNotify.h"
#include "TestSupport.h"

namespace fs = std::filesystem;

namespace {

std::vector<std::uint8_t> Container(const std::string& text) {
  ContainerWriter w;
  w.SetText(std::vector<std::uint8_t>(text.begin(), text.end()));
  return w.Build();
}

class SearchDlgTest : public ::testing::Test {
 protected:
  void SetUp() override {
    CSearchDlg::Session() = SearchSession{};
    m_root = kntest::MakeTempDir("searchdlg");
    m_contents.Load(
        "l=Alpha\nd=al\nf\np=One\ne=Mean\talmean.exp\nq=Median\talmed.fil\n"
        "l=Beta\nd=be\nf\np=One\ne=Again\tbemean.exp\n",
        1, 0, nullptr);
    fs::create_directories(m_root / "al" / "homework");
    fs::create_directories(m_root / "be");
    kntest::WriteFileBytes(m_root / "al" / "almean.exp", Container("the mean"));
    kntest::WriteFileBytes(m_root / "al" / "almed.fil", Container("the median"));
    kntest::WriteFileBytes(m_root / "be" / "bemean.exp", Container("mean"));
    SearchLinks links;
    links.contents = [this]() -> const ContentsTable& { return m_contents; };
    links.findFolder = FolderUnder(m_root);
    links.launch = [this](const ActivityLocator& l) { m_launched.push_back(l); };
    links.record = [this] { return &m_record; };
    links.showBookmarks = [this] { ++m_barsShown; };
    links.progressFileOpen = [this] { return m_fileOpen; };
    CSearchDlg::SetLinks(std::move(links));
    m_dialog = CSearchDlg::Open(nullptr);
  }
  void TearDown() override {
    delete CSearchDlg::Instance();
    CSearchDlg::SetLinks({});
  }
  void Click(int id) { m_dialog->control(id)->click(); }
  void Homework(int count) {
    for (int i = 0; i < count; ++i)
      kntest::WriteFileBytes(m_root / "al" / "homework" / ("h" + std::to_string(100 + i) + ".wrk"),
                             Container("quartile"));
  }

  fs::path m_root;
  ContentsTable m_contents;
  StudentRecord m_record;
  std::vector<ActivityLocator> m_launched;
  int m_barsShown = 0;
  bool m_fileOpen = true;
  CSearchDlg* m_dialog = nullptr;
  NoticeRecorder m_notices;
};

TEST_F(SearchDlgTest, DisplayModeLaunchesAndNextGoesOn) {
  EXPECT_EQ(m_dialog->lessonList()->count(), 2);
  EXPECT_EQ(m_dialog->typeList()->count(), 11);
  EXPECT_EQ(m_dialog->typeList()->item(4)->text(), "Movies");
  EXPECT_FALSE(m_dialog->searchButton()->isEnabled());  // no text yet
  m_dialog->textEdit()->setText("mean median");
  Click(CSearchDlg::kOrRadio);
  ASSERT_TRUE(m_dialog->searchButton()->isEnabled());
  EXPECT_EQ(m_dialog->searchButton()->text(), "Search");
  m_dialog->searchButton()->click();
  ASSERT_EQ(m_launched.size(), 1u);
  EXPECT_EQ(m_launched[0], ActivityLocator(0, 0, 0));
  EXPECT_EQ(m_dialog->searchButton()->text(), "Next");
  EXPECT_TRUE(CSearchDlg::CanFindNext());
  // Find Next runs without the dialog's button.
  CSearchDlg::RunSearch(nullptr);
  m_dialog->searchButton()->click();
  ASSERT_EQ(m_launched.size(), 3u);
  EXPECT_EQ(m_launched[1], ActivityLocator(0, 0, 1));
  EXPECT_EQ(m_launched[2], ActivityLocator(1, 0, 0));
  // Past the last hit: nothing launched, back to "Search" without a message.
  m_dialog->searchButton()->click();
  EXPECT_EQ(m_launched.size(), 3u);
  EXPECT_EQ(m_dialog->searchButton()->text(), "Search");
  EXPECT_FALSE(CSearchDlg::CanFindNext());
  EXPECT_TRUE(m_notices.notices().empty());
}

TEST_F(SearchDlgTest, ChangingTheSettingsStartsAgain) {
  m_dialog->textEdit()->setText("mean");
  m_dialog->searchButton()->click();
  ASSERT_TRUE(CSearchDlg::CanFindNext());
  Click(CSearchDlg::kCaseCheck);
  EXPECT_FALSE(CSearchDlg::CanFindNext());
  m_dialog->searchButton()->click();
  Click(CSearchDlg::kAndRadio);
  EXPECT_FALSE(CSearchDlg::CanFindNext());
  m_dialog->searchButton()->click();
  m_dialog->lessonList()->item(1)->setSelected(false);
  EXPECT_FALSE(CSearchDlg::CanFindNext());
  EXPECT_EQ(m_dialog->searchButton()->text(), "Search");
  Click(CSearchDlg::kTypesNone);
  EXPECT_FALSE(m_dialog->searchButton()->isEnabled());
  Click(CSearchDlg::kTypesAll);
  EXPECT_TRUE(m_dialog->searchButton()->isEnabled());
  Click(CSearchDlg::kLessonsNone);
  EXPECT_FALSE(m_dialog->searchButton()->isEnabled());
}

TEST_F(SearchDlgTest, SixtyHitsFillTheBookmarkList) {
  Homework(60);
  m_dialog->textEdit()->setText("quartile");
  Click(CSearchDlg::kAddRadio);
  m_dialog->searchButton()->click();
  EXPECT_EQ(m_record.bookmarkCount(), 50);
  EXPECT_TRUE(m_notices.sawId(str::kBookmarkListFull));
  EXPECT_FALSE(m_notices.sawId(str::kSearchTooManyHits));
  EXPECT_EQ(m_record.bookmarks()[0].file, std::optional<std::string>("h100.wrk"));
  EXPECT_EQ(m_barsShown, 1);
  EXPECT_TRUE(m_launched.empty());
}

TEST_F(SearchDlgTest, ReplaceEmptiesTheListAndRepeatsAreDropped) {
  m_record.AddBookmark(ActivityLocator(1, 0, -1));
  // Two files that stand for the same page give one bookmark.
  kntest::WriteFileBytes(m_root / "al" / "al1.pag", Container("variance"));
  kntest::WriteFileBytes(m_root / "al" / "alb1.pag", Container("variance"));
  m_dialog->textEdit()->setText("variance");
  Click(CSearchDlg::kReplaceRadio);
  m_dialog->searchButton()->click();
  ASSERT_EQ(m_record.bookmarkCount(), 1);
  EXPECT_EQ(m_record.bookmarks()[0], ActivityLocator(0, 0, -1));
  EXPECT_FALSE(m_notices.sawId(str::kBookmarkListFull));
}

TEST_F(SearchDlgTest, MessagesOfACollectingSearch) {
  Homework(120);
  m_dialog->textEdit()->setText("quartile");
  Click(CSearchDlg::kAddRadio);
  m_dialog->searchButton()->click();
  EXPECT_TRUE(m_notices.sawId(str::kSearchTooManyHits));
  m_notices.clear();
  m_dialog->textEdit()->setText("nowhere");
  m_dialog->searchButton()->click();
  EXPECT_TRUE(m_notices.sawText("Could not find 'nowhere'."));
  m_notices.clear();
  Click(CSearchDlg::kOrRadio);
  m_dialog->textEdit()->setText("a b c d e f g h i j k l m n o p q");
  m_dialog->searchButton()->click();
  EXPECT_TRUE(m_notices.sawId(str::kSearchTooManyTerms));
}

TEST_F(SearchDlgTest, ZoomIsRememberedAndClosingTheFileClosesTheDialog) {
  EXPECT_FALSE(m_dialog->lowerPart()->isHidden());
  Click(CSearchDlg::kZoomButton);
  EXPECT_TRUE(m_dialog->lowerPart()->isHidden());
  m_dialog->textEdit()->setText("kept");
  delete m_dialog;
  m_dialog = CSearchDlg::Open(nullptr);
  EXPECT_TRUE(m_dialog->lowerPart()->isHidden());
  EXPECT_EQ(m_dialog->textEdit()->text(), "kept");
  m_dialog->OnCourseNotify(kNotifyCompletion, nullptr);  // a file was loaded
  EXPECT_TRUE(m_dialog->isVisible());
  m_fileOpen = false;
  m_dialog->OnCourseNotify(kNotifyCompletion, nullptr);
  EXPECT_FALSE(m_dialog->isVisible());
}

}  // namespace
