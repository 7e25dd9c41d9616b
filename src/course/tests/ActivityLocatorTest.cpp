#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "course/ActivityKind.h"
#include "course/ActivityLocator.h"
#include "course/ContentsTable.h"
#include "course/ToolWindowClass.h"

namespace {

// ch1: 2 pages; ch2: no pages; ch3: 3 pages (the third has no activities); ch3 again.
const char* kCourse =
    "l=Data\nd=ch1\n"
    "f\np=Samples\ne=Sampling\tS01.exp\nq=Quiz\tQ01.fil\ne=Notes\n"
    "f\np=Tables\nr=Manual\tTFDoc01.doc\n"
    "l=Empty\nd=ch2\n"
    "l=Centre\nd=CH3\n"
    "f\np=Mean\nt=Tool\tT3.scr\n"
    "f\np=Median\nr=Manual again\ttfdoc01.doc\n"
    "f\np=Mode\n"
    "l=Centre two\nd=ch3\n"
    "f\np=A\nf\np=B\nf\np=C\nf\np=D\ne=Late\tlate.exp\n";

ContentsTable Course() {
  ContentsTable t;
  t.Load(kCourse, 1, 0, nullptr);
  return t;
}

struct Place {
  int lesson, page, activity;
};

Place At(const ActivityLocator& l) { return {l.lesson, l.page, l.activity}; }
bool operator==(const Place& a, const Place& b) {
  return a.lesson == b.lesson && a.page == b.page && a.activity == b.activity;
}
void PrintTo(const Place& p, std::ostream* os) { *os << "(" << p.lesson << "," << p.page << "," << p.activity << ")"; }

TEST(ActivityLocator, ResolveIdentifiers) {
  const ContentsTable t = Course();
  struct Case {
    const char* id;
    bool found;
    Place at;
    int kind;
    const char* file;
  };
  const Case cases[] = {
      {":CH3:ch33.pag", true, {2, 2, -1}, 0, nullptr},
      {":ch3:hw1.wrk", true, {2, -1, -1}, kKindHomework, "hw1.wrk"},
      {":ch3:Notes.AST", true, {2, -1, -1}, kKindAsterisk, "notes.ast"},
      {":ch1:proj.prj", true, {0, -1, -1}, kKindProject, "proj.prj"},
      {":ch1:l.lab", true, {0, -1, -1}, kKindLab, "l.lab"},
      {"TFDoc01.doc", true, {0, 1, 0}, 0, nullptr},  // the first anywhere, not ch3's
      {":ch3:TFDOC01.doc", true, {2, 1, 0}, 0, nullptr},
      {"q01.FIL", true, {0, 0, 1}, 0, nullptr},
      // A lesson with the code that lacks the item does not end the search.
      {":ch3:late.exp", true, {3, 3, 0}, 0, nullptr},
      {":ch3:ch34.pag", true, {3, 3, -1}, 0, nullptr},
      {":ch3:ch39.pag", false, {}, 0, nullptr},
      {":ch3:x.pag", false, {}, 0, nullptr},
      {":ch3:ch3x.pag", false, {}, 0, nullptr},
      {":ch1:S01.exp", true, {0, 0, 0}, 0, nullptr},
      {":ch2:S01.exp", false, {}, 0, nullptr},
      {":nosuch:hw1.wrk", false, {}, 0, nullptr},
      {"Notes", false, {}, 0, nullptr},  // an activity without a file is never found
      {"", false, {}, 0, nullptr},
      {":ch1", false, {}, 0, nullptr},
      {"::S01.exp", false, {}, 0, nullptr},
      {":ch1:", false, {}, 0, nullptr},
  };
  for (const auto& c : cases) {
    const auto loc = t.Resolve(c.id);
    ASSERT_EQ(loc.has_value(), c.found) << c.id;
    if (!loc) continue;
    EXPECT_EQ(At(*loc), c.at) << c.id;
    EXPECT_EQ(loc->kind, c.kind) << c.id;
    EXPECT_EQ(loc->file.has_value(), c.file != nullptr) << c.id;
    if (c.file && loc->file) {
      EXPECT_EQ(*loc->file, c.file) << c.id;
    }
  }
  ASSERT_TRUE(t.ResolveLessonCode("CH3"));
  EXPECT_EQ(At(*t.ResolveLessonCode("CH3")), (Place{2, -1, -1}));
  EXPECT_FALSE(t.ResolveLessonCode("ch9"));
  EXPECT_FALSE(t.ResolveLessonCode(""));
}

TEST(ActivityLocator, KindDescribeAndPaths) {
  const ContentsTable t = Course();
  ActivityLocator homework(2, 255, 255);
  homework.kind = kKindHomework;
  homework.file = "hw1.wrk";
  ActivityLocator labWithoutFile(2, -1, -1);
  labWithoutFile.kind = kKindLab;
  ActivityLocator annotated(0, 0, 0);
  annotated.source = "My note";
  struct Case {
    const char* what;
    ActivityLocator loc;
    int kind;
    const char* describe;
    const char* fileName;
    const char* path;
  };
  const Case cases[] = {
      {"lesson", {0, -1, -1}, kKindLesson, "Data", "", "ch1\\"},
      {"page", {2, 2, -1}, kKindPage, "Centre : Mode", "CH33.pag", "CH3\\CH33.pag"},
      {"activity", {0, 0, 1}, kKindExercise, "Data : Samples : Quiz", "Q01.fil", "ch1\\ch11.pag"},
      {"activity without file", {0, 0, 2}, kKindExposition, "Data : Samples : Notes", "", "ch1\\ch11.pag"},
      {"activity beyond the count", {0, 1, 5}, kKindPage, "Data : Tables", "", "ch1\\ch12.pag"},
      {"page out of range", {1, 0, -1}, kKindLesson, "Empty", "", "ch2\\"},
      {"lesson out of range", {7, 0, 0}, kKindLesson, "", "", ""},
      {"homework", homework, kKindHomework, "Centre", "hw1.wrk", "CH3\\homework\\"},
      {"lab without file", labWithoutFile, kKindLesson, "Centre", "", "CH3\\labs\\"},
      {"source replaces the description", annotated, kKindExposition, "My note", "S01.exp", "ch1\\ch11.pag"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(c.loc.Kind(t), c.kind) << c.what;
    EXPECT_EQ(c.loc.Describe(t), c.describe) << c.what;
    EXPECT_EQ(c.loc.FileName(t), c.fileName) << c.what;
    EXPECT_EQ(c.loc.Path(t), c.path) << c.what;
  }
  EXPECT_EQ(homework.Path(t, "hw1.wrk"), "CH3\\homework\\hw1.wrk");
  EXPECT_EQ(ActivityLocator(0, 0, 1).Path(t, "Q01.fil"), "ch1\\Q01.fil");
  EXPECT_EQ(ActivityLocator(-1, 0, 0).Path(t, "loose.txt"), "loose.txt");
  EXPECT_EQ(homework.LessonCodeOf(t), "CH3");
  EXPECT_EQ(ActivityLocator(40, 0, 0).LessonCodeOf(t), "");
  const ActivityTitles titles = ActivityLocator(0, 0, 1).Titles(t);
  EXPECT_EQ(titles.lesson, "Data");
  EXPECT_EQ(titles.page, "Samples");
  EXPECT_EQ(titles.activity, "Quiz");
}

TEST(ActivityLocator, PageTurningWalksTheWholeCourse) {
  const ContentsTable t = Course();
  // Every page in order; ch2 has none and page turning passes over it.
  const std::vector<Place> pages = {{0, 0, -1}, {0, 1, -1}, {2, 0, -1}, {2, 1, -1}, {2, 2, -1},
                                    {3, 0, -1}, {3, 1, -1}, {3, 2, -1}, {3, 3, -1}};
  ActivityLocator loc(0, 0, 1);
  std::vector<Place> seen{{0, 0, -1}};
  while (loc.NextPage(t)) seen.push_back(At(loc));
  EXPECT_EQ(seen, pages);
  // NextPage on the last page of the last lesson leaves the locator where it is.
  EXPECT_FALSE(loc.NextPage(t));
  EXPECT_EQ(At(loc), (Place{3, 3, -1}));

  loc = ActivityLocator(3, 3, 0);
  std::vector<Place> back;
  while (loc.PreviousPage(t)) back.push_back(At(loc));
  std::vector<Place> expectedBack(pages.rbegin() + 1, pages.rend());
  EXPECT_EQ(back, expectedBack);
  EXPECT_EQ(At(loc), (Place{0, 0, -1}));

  loc = ActivityLocator(1, -1, -1);  // from the pageless lesson itself
  EXPECT_TRUE(loc.NextPage(t));
  EXPECT_EQ(At(loc), (Place{2, 0, -1}));
  loc = ActivityLocator(2, -1, -1);
  EXPECT_TRUE(loc.NextPage(t));
  EXPECT_EQ(At(loc), (Place{2, 0, -1}));

  loc = ActivityLocator(0, 1, 0);
  EXPECT_TRUE(loc.NextLesson(t));
  EXPECT_EQ(At(loc), (Place{2, 0, -1}));
  EXPECT_TRUE(loc.NextLesson(t));
  EXPECT_EQ(At(loc), (Place{3, 0, -1}));
  EXPECT_FALSE(loc.NextLesson(t));
  EXPECT_TRUE(loc.PreviousLesson(t));
  EXPECT_EQ(At(loc), (Place{2, 0, -1}));
  EXPECT_TRUE(loc.PreviousLesson(t));
  EXPECT_EQ(At(loc), (Place{0, 0, -1}));
  loc = ActivityLocator(0, 1, 0);
  EXPECT_TRUE(loc.PreviousLesson(t));  // already the first lesson: back to its first page
  EXPECT_EQ(At(loc), (Place{0, 0, -1}));
  EXPECT_FALSE(loc.PreviousLesson(t));

  ActivityLocator outside(-1, 0, 3);
  EXPECT_FALSE(outside.NextPage(t));
  EXPECT_EQ(At(outside), (Place{-1, 0, -1}));
}

TEST(ActivityLocator, IsValid) {
  const ContentsTable t = Course();
  const struct {
    Place at;
    bool valid;
  } cases[] = {
      {{0, -1, -1}, true},  {{0, 0, -1}, true},  {{0, 0, 2}, true},  {{0, 0, 3}, false}, {{0, 2, -1}, false},
      {{1, 0, -1}, false},  {{2, 2, 0}, true},   {{2, 2, 7}, true},  {{2, 2, 8}, false}, {{0, 0, -2}, false},
      {{0, -1, 0}, false},  {{4, 0, 0}, false},  {{-1, 0, 0}, false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(t.IsValid(ActivityLocator(c.at.lesson, c.at.page, c.at.activity)), c.valid)
        << c.at.lesson << "," << c.at.page << "," << c.at.activity;
  }
}

TEST(ActivityLocator, CopiesAreDeepAndSortByPlace) {
  ActivityLocator a(1, 2, 3);
  a.file = "f.ast";
  a.source = "Asterisk Bookmark";
  ActivityLocator b = a;
  a.file->assign("changed");
  a.source.reset();
  EXPECT_EQ(*b.file, "f.ast");
  EXPECT_EQ(*b.source, "Asterisk Bookmark");
  EXPECT_NE(a, b);
  a = b;
  EXPECT_EQ(a, b);

  std::vector<ActivityLocator> v = {{2, 0, 0}, {1, 3, -1}, {1, -1, -1}, {1, 3, 2}, {0, 5, 5}, {-1, 0, 0}};
  std::sort(v.begin(), v.end());
  std::vector<Place> order;
  for (const auto& l : v) order.push_back(At(l));
  const std::vector<Place> expected = {{-1, 0, 0}, {0, 5, 5}, {1, -1, -1}, {1, 3, -1}, {1, 3, 2}, {2, 0, 0}};
  EXPECT_EQ(order, expected);
  EXPECT_TRUE((ActivityLocator(1, 2, 3) <=> b) == 0);  // same place, different file
}

TEST(ActivityKind, KindOfFileNameUsesTheLastExtensionAnyCase) {
  const struct {
    const char* name;
    int kind;
  } cases[] = {{"a.b.EXP", kKindExposition}, {"ch33.Pag", kKindPage}, {"hw.wrk", kKindHomework}, {"d.SYD", kKindSysStat},
               {"noext", 0},                {"trailing.", 0},          {"x.htm", 0},           {"x.exp.bak", 0}};
  for (const auto& c : cases) EXPECT_EQ(KindOfFileName(c.name), c.kind) << c.name;
  EXPECT_EQ(ActivityKindName(kKindHandsOn), "Hands-On Activity");
  EXPECT_EQ(ActivityKindName(18), "");
}

TEST(ToolWindowClass, CodeFromTheScriptHeader) {
  // The file holds the four characters in reverse order.
  const std::vector<std::uint8_t> header = {1, 0, 0, 0, 2, 0, 0, 0, 'b', 't', 'f', 't', 99};
  const auto code = ToolCodeOfScript(header);
  ASSERT_TRUE(code);
  EXPECT_EQ(*code, 0x74667462u);
  EXPECT_EQ(ToolWindowClassName(ToolWindowClass(*code)), "CTableWnd");
  EXPECT_FALSE(ToolCodeOfScript(std::span(header).first(11)));
  EXPECT_EQ(ToolWindowClassName(ToolWindowClass(0x54465442u)), "CExpoWnd");  // "TFTB": codes keep their case
}

}  // namespace
