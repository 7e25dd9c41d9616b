// Page files and teacher addenda become page paragraphs; Go To entries and the navigation
// commands lead to the right pages.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "LessonBookTestSupport.h"
#include "course/ContentsTable.h"
#include "course/Services.h"
#include "lessonbook/CompletionRecord.h"
#include "lessonbook/CoursePage.h"
#include "lessonbook/PageLoader.h"
#include "lessonbook/PageNavigation.h"
#include "lessonbook/PageTools.h"
#include "lessonbook/TeacherExtension.h"
#include "records/StudentRecord.h"

namespace {

std::span<const std::uint8_t> Bytes(std::string_view s) {
  return {reinterpret_cast<const std::uint8_t*>(s.data()), s.size()};
}

PageContent Parse(std::string_view markup, const PageLoadLinks& links = {}) {
  return ParsePageMarkup(markup, nullptr, {}, links, 12);
}

TEST(PageMarkup, ActivityEntriesTakeIconTimeTitleAndIndexInPageOrder) {
  const std::vector<std::uint8_t> file = lbtest::PageFile(lbtest::kFirstPageMarkup);
  const PageContent page = ParsePageFile(file, {}, 12);
  ASSERT_EQ(page.paragraphs.size(), 5u);
  EXPECT_EQ(page.activityCount, 2);
  const std::vector<int> indexes = {-1, -1, 0, -1, 1};
  const std::vector<int> minutes = {0, 0, 0, 0, 5};
  for (std::size_t i = 0; i < indexes.size(); ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(page.paragraphs[i].activityIndex, indexes[i]);
    EXPECT_EQ(page.paragraphs[i].activity, indexes[i] >= 0);
    EXPECT_EQ(page.paragraphs[i].minutes, minutes[i]);
    EXPECT_EQ(page.paragraphs[i].icon != nullptr, indexes[i] >= 0);
  }
  EXPECT_EQ(page.paragraphs[0].title, "Welcome");
  EXPECT_EQ(page.paragraphs[2].title, "Intro film");
  // The page's "title" element and the heading text stay out of the paragraph text.
  EXPECT_EQ(page.paragraphs[0].text.rfind("This page opens the course.", 0), 0u) << page.paragraphs[0].text;
  EXPECT_EQ(page.paragraphs[2].text.rfind("A narrated introduction.", 0), 0u) << page.paragraphs[2].text;
}

TEST(PageMarkup, EntryWithoutItsPictureKeepsItsActivityIndex) {
  const PageContent page = Parse("<img s=missing e=1><h2>A</h2>a<p><img s=icon e=1><h2>B</h2>b<p>");
  ASSERT_EQ(page.paragraphs.size(), 2u);
  EXPECT_EQ(page.paragraphs[0].activityIndex, 0);
  EXPECT_EQ(page.paragraphs[1].activityIndex, 1);
  EXPECT_EQ(page.paragraphs[0].icon, nullptr);
}

TEST(PageMarkup, ParagraphFlagsFollowTheirTags) {
  struct Case {
    const char* markup;
    bool shrunk, centred, rule, large;
    int indent;
  };
  const Case cases[] = {
      {"<img s=i e=1 h=1>x<p>", true, false, false, false, 0},
      {"<img s=i e=1 h=true>x<p>", true, false, false, false, 0},
      {"<img s=i e=1 h=0>x<p>", false, false, false, false, 0},
      {"<img s=i e=1 h=no>x<p>", false, false, false, false, 0},
      {"<c>x<p>", false, true, false, false, 0},
      {"<hr>x<p>", false, false, true, false, 0},
      {"<s>x</s><p>", false, false, false, true, 0},
      {"<blockquote>x</blockquote><p>", false, false, false, false, 24},
      {"<blockquote><blockquote>x<p>", false, false, false, false, 48},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.markup);
    const PageContent page = Parse(c.markup);
    ASSERT_EQ(page.paragraphs.size(), 1u);
    const PageParagraph& p = page.paragraphs[0];
    EXPECT_EQ(p.shrunk, c.shrunk);
    EXPECT_EQ(p.centred, c.centred);
    EXPECT_EQ(p.rule, c.rule);
    EXPECT_EQ(p.large, c.large);
    EXPECT_EQ(p.indent, c.indent);
  }
}

TEST(PageMarkup, NumberedParagraphBecomesTheAlternateTextOfThePreviousOne) {
  const PageContent page = Parse("<img s=i e=1><h2>T</h2>Try it.<p>Well done.<p1>Next.<p>");
  ASSERT_EQ(page.paragraphs.size(), 2u);
  EXPECT_EQ(page.paragraphs[0].text, "Try it.");
  EXPECT_EQ(page.paragraphs[0].altText, "Well done.");
  EXPECT_EQ(page.paragraphs[1].text, "Next.");
  EXPECT_EQ(page.activityCount, 1);
}

TEST(PageMarkup, DirectivesNameToolsAndExpandNames) {
  PageLoadLinks links;
  links.expandName = [](std::string_view name) { return "<" + std::string(name) + ">"; };
  const PageContent page = Parse("<! t=least><! t=table><! t=histo>Use <! r=application> now.<p>", links);
  EXPECT_EQ(page.tool1, PageToolIndex("least"));
  EXPECT_EQ(page.tool2, PageToolIndex("table"));
  EXPECT_EQ(page.tool1, 8);
  EXPECT_EQ(page.tool2, 14);
  ASSERT_EQ(page.paragraphs.size(), 1u);
  EXPECT_NE(page.paragraphs[0].text.find("<application>"), std::string::npos);
}

TEST(PageMarkup, ParagraphBufferNeverOutgrowsItsLimit) {
  std::string markup;
  for (int i = 0; i < 2000; ++i) markup += "word ";
  const PageContent page = Parse(markup + "<p>");
  ASSERT_EQ(page.paragraphs.size(), 1u);
  EXPECT_LE(page.paragraphs[0].text.size(), PageContent::kBufferLimit);
  EXPECT_GT(page.paragraphs[0].text.size(), 2000u);
}

TEST(TeacherAddendum, LinesGiveHeadingFileAndText) {
  struct Case {
    std::string file;
    bool present;
    std::string heading, name, text;
  };
  const Case cases[] = {
      {"Read chapter 4.\r\nThen try it.\n", true, "<B>Professor's Addendum</B>", "", "Read chapter 4. Then try it."},
      {"TITLE:My notes\nfile:notes.pdf\nSee the notes.\n", true, "<B>My notes</B>", "notes.pdf", "See the notes."},
      {"title:Only a title\n", false, "", "", ""},
      {"\x01\x02\n\n", false, "", "", ""},
      {std::string(2560, 'x'), false, "", "", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.file.substr(0, 40));
    const auto ext = ParseTeacherExtension(Bytes(c.file));
    ASSERT_EQ(ext.has_value(), c.present);
    if (!ext) continue;
    EXPECT_EQ(ext->heading, c.heading);
    EXPECT_EQ(ext->file, c.name);
    EXPECT_EQ(ext->text, c.text);
  }
  const auto longTitle = ParseTeacherExtension(Bytes("title:" + std::string(300, 'T') + "\nx\n"));
  ASSERT_TRUE(longTitle);
  EXPECT_EQ(longTitle->heading, "<B>" + std::string(TeacherExtension::kMaxTitle, 'T') + "</B>");
  EXPECT_EQ(TeacherExtensionName(1), "page2.ext");
  EXPECT_EQ(TeacherPictureName("page2.ext"), "page2.bmp");
}

class CoursePageTest : public ::testing::Test {
 protected:
  CoursePage Load(int lesson, int page, const CompletionRecord* record = nullptr) {
    return LoadCoursePage(ActivityLocator(lesson, page, -1), course.contents, record, {}, {});
  }
  lbtest::CourseFixture course;
};

TEST_F(CoursePageTest, AddendumInTheTeacherFolderExtendsOnlyItsOwnPage) {
  course.WriteTeacherFile("ab/page2.ext", "Bring a calculator.\n");
  const CoursePage second = Load(0, 1);
  ASSERT_TRUE(second.loaded);
  // entry, heading, addendum, page-number line
  ASSERT_EQ(second.content.paragraphs.size(), 4u);
  const PageParagraph& heading = second.content.paragraphs[1];
  EXPECT_EQ(heading.text, "<B>Professor's Addendum</B>");
  EXPECT_TRUE(heading.teacherExtension && heading.rule && heading.centred);
  EXPECT_EQ(second.content.paragraphs[2].text, "Bring a calculator.");
  EXPECT_TRUE(second.content.paragraphs[2].teacherExtension);
  ASSERT_NE(second.content.paragraphs[2].icon, nullptr);  // the built-in addendum picture
  EXPECT_TRUE(second.content.paragraphs[3].smallItalic);
  EXPECT_EQ(second.titleLine, "1-2  Going on");

  for (const auto& [lesson, page] : {std::pair{0, 0}, std::pair{1, 1}}) {
    const CoursePage other = Load(lesson, page);
    for (const PageParagraph& p : other.content.paragraphs) EXPECT_FALSE(p.teacherExtension);
  }
}

TEST_F(CoursePageTest, EntriesTakeKindAndCompletionAndPageNumberLineEndsThePage) {
  MemoryCompletionRecord record;
  record.SetCompleted(ActivityLocator(0, 0, 1), true);
  const CoursePage page = Load(0, 0, &record);
  ASSERT_TRUE(page.loaded);
  const auto& ps = page.content.paragraphs;
  ASSERT_EQ(ps.size(), 6u);
  EXPECT_EQ(ps[2].kind, 3);  // exposition
  EXPECT_EQ(ps[4].kind, 4);  // exercise
  EXPECT_FALSE(ps[2].completed);
  EXPECT_TRUE(ps[4].completed);
  EXPECT_TRUE(ps[5].smallItalic && ps[5].centred);
  EXPECT_EQ(ps[5].text, "1-1  Getting started        ");
}

TEST_F(CoursePageTest, MissingOrDamagedPageFileLeavesAnEmptyPage) {
  course.WriteCourseFile("cd/cd2.pag", {'K', 'N', 1, 2, 3});
  std::filesystem::remove(course.root / "course" / "ef" / "ef1.pag");
  for (const auto& [lesson, page] : {std::pair{1, 1}, std::pair{2, 0}}) {
    const CoursePage loaded = Load(lesson, page);
    EXPECT_FALSE(loaded.loaded);
    EXPECT_TRUE(loaded.content.paragraphs.empty());
  }
}

TEST_F(CoursePageTest, GoToEntriesNamePagesFromTheLessonBase) {
  struct Case {
    const char* text;
    int lesson, page;  // -1: rejected
  };
  const Case cases[] = {
      {"3", 2, 0},   {"2-2", 1, 1}, {"2 2", 1, 1}, {"2.2", 1, 1},  {"1-1", 0, 0},  {"2-", 1, 0},
      {"x3", -1, -1}, {"", -1, -1},  {" 2", -1, -1}, {"4", -1, -1}, {"0-1", -1, -1}, {"2-3", -1, -1},
      {"1-0", -1, -1}, {"99999999999999999999-1", -1, -1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    const auto target = ParseGoToText(c.text, course.contents);
    ASSERT_EQ(target.has_value(), c.lesson >= 0);
    if (!target) continue;
    EXPECT_EQ(target->lesson, c.lesson);
    EXPECT_EQ(target->page, c.page);
    EXPECT_EQ(target->activity, -1);
  }
  EXPECT_EQ(PageNumberText(ActivityLocator(1, 1, -1), course.contents), "2-2");
}

TEST_F(CoursePageTest, NavigationCommandsAndTheirEnabling) {
  using namespace cmd;
  const ContentsTable& c = course.contents;
  const ActivityLocator first(0, 0, -1);
  const ActivityLocator last(2, 0, -1);
  const ActivityLocator middle(1, 1, -1);
  EXPECT_FALSE(NavigationEnabled(kFirstPage, first, c));
  EXPECT_FALSE(NavigationEnabled(kPreviousPage, first, c));
  EXPECT_FALSE(NavigationEnabled(kPreviousLesson, first, c));
  EXPECT_TRUE(NavigationEnabled(kNextPage, first, c));
  EXPECT_TRUE(NavigationEnabled(kNextLesson, first, c));
  EXPECT_FALSE(NavigationEnabled(kNextPage, last, c));
  EXPECT_FALSE(NavigationEnabled(kNextLesson, last, c));
  EXPECT_TRUE(NavigationEnabled(kFirstPage, middle, c));

  struct Case {
    int command;
    ActivityLocator from;
    int lesson, page;  // -1: nowhere
  };
  const Case cases[] = {
      {kFirstPage, middle, 0, 0},     {kNextPage, first, 0, 1},        {kNextPage, ActivityLocator(0, 1, -1), 1, 0},
      {kPreviousPage, middle, 1, 0},  {kPreviousPage, ActivityLocator(1, 0, -1), 0, 1},
      {kNextLesson, first, 1, 0},     {kPreviousLesson, middle, 0, 0}, {kNextPage, last, -1, -1},
      {kFirstPage, first, -1, -1},    {kPreviousPage, first, -1, -1},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(std::to_string(k.command) + " from " + std::to_string(k.from.lesson) + "-" + std::to_string(k.from.page));
    const auto target = NavigationTarget(k.command, k.from, c);
    ASSERT_EQ(target.has_value(), k.lesson >= 0);
    if (!target) continue;
    EXPECT_EQ(target->lesson, k.lesson);
    EXPECT_EQ(target->page, k.page);
  }
}

}  // namespace

namespace {

TEST(CompletionRecordTest, LearnerRecordAnswersUnlessAnotherRecordIsSet) {
  EXPECT_EQ(CurrentCompletionRecord(), nullptr);
  EXPECT_FALSE(IsActivityCompleted(ActivityLocator(0, 0, 1)));
  StudentRecord learner;
  ScopedService<StudentRecord> service(&learner);
  CompletionRecord* record = CurrentCompletionRecord();
  ASSERT_NE(record, nullptr);
  EXPECT_EQ(record->SetCompleted(ActivityLocator(0, 0, 1), true), 1);
  EXPECT_EQ(record->SetCompleted(ActivityLocator(0, 0, 1), true), 0);
  EXPECT_TRUE(learner.IsCompleted(0, 0, 1));
  EXPECT_TRUE(IsActivityCompleted(ActivityLocator(0, 0, 1)));

  MemoryCompletionRecord other;
  {
    ScopedCompletionRecord scoped(&other);
    EXPECT_FALSE(IsActivityCompleted(ActivityLocator(0, 0, 1)));
  }
  EXPECT_TRUE(IsActivityCompleted(ActivityLocator(0, 0, 1)));
  EXPECT_EQ(record->SetCompleted(ActivityLocator(0, 0, 1), false), 1);
  EXPECT_FALSE(learner.IsCompleted(0, 0, 1));
}

}  // namespace
