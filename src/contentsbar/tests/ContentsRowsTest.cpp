#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "contentsbar/ContentsLabels.h"
#include "contentsbar/ContentsRows.h"
#include "course/ContentsTable.h"

namespace {

// Two groups; lesson "in" stands before the first group. Lesson b1's second page has an
// activity title with markup.
constexpr const char* kCourse =
    "l=Introduction\nd=in\nf\np=Welcome\ne=Tour\tin01.exp\n"
    "g=Describing data\n"
    "l=Looking at data\nd=a1\nf\np=Dotplots\ne=Piling up\ta101.exp\nq=Check\ta102.fil\nf\np=Histograms\nm=Film\ta103.mov\n"
    "l=Centre\nd=a2\nf\np=Mean\nt=Balance\ta201.scr\n"
    "g=Inference\n"
    "l=Sampling\nd=b1\nf\np=Samples\ne=Draws\tb101.exp\nf\np=Means\ne=<b>Big</b> &amp; small\tb102.exp\n";

ContentsTable Course(int lessonBase = 1) {
  ContentsTable t;
  t.Load(kCourse, lessonBase, 0, nullptr);
  return t;
}

// Rows as "L<level>:<label>", labels drawn without icons.
std::vector<std::string> Outline(const ContentsRowList& rows, const ContentsTable& t, bool icons = false) {
  std::vector<std::string> out;
  for (const ContentsRow& r : rows.rows())
    out.push_back(std::to_string(r.level()) + ":" + RowLabel(r, t, t.LessonBase(), icons));
  return out;
}

TEST(ContentsRows, ExpansionModesDecideWhichRowsAreListed) {
  ContentsTable t = Course();
  ContentsRowList rows;
  struct Case {
    ContentsExpansion mode;
    ActivityLocator current;
    std::vector<std::string> outline;
  };
  const std::vector<Case> cases = {
      {ContentsExpansion::CloseAll,
       {},
       {"1: 1. Introduction", "0:I   Describing data", "1: 2. Looking at data", "1: 3. Centre", "0:II  Inference",
        "1: 4. Sampling"}},
      {ContentsExpansion::OpenLessons,
       {},
       {"1: 1. Introduction", "2:1. Welcome", "0:I   Describing data", "1: 2. Looking at data", "2:1. Dotplots",
        "2:2. Histograms", "1: 3. Centre", "2:1. Mean", "0:II  Inference", "1: 4. Sampling", "2:1. Samples",
        "2:2. Means"}},
      {ContentsExpansion::OpenCurrentPage,
       {1, 1, -1},
       {"1: 1. Introduction", "0:I   Describing data", "1: 2. Looking at data", "2:1. Dotplots", "2:2. Histograms",
        "3:  Film", "1: 3. Centre", "0:II  Inference", "1: 4. Sampling"}},
      {ContentsExpansion::OpenAll,
       {},
       {"1: 1. Introduction", "2:1. Welcome", "3:  Tour", "0:I   Describing data", "1: 2. Looking at data",
        "2:1. Dotplots", "3:  Piling up", "3:  Check", "2:2. Histograms", "3:  Film", "1: 3. Centre", "2:1. Mean",
        "3:  Balance", "0:II  Inference", "1: 4. Sampling", "2:1. Samples", "3:  Draws", "2:2. Means",
        "3:  Big & small"}},
  };
  for (const Case& c : cases) {
    ApplyContentsExpansion(t, c.mode, c.current);
    rows.Rebuild(t, nullptr);
    EXPECT_EQ(Outline(rows, t), c.outline) << static_cast<int>(c.mode);
  }
  // A closed group hides its lessons but not the lessons before it.
  ApplyContentsExpansion(t, ContentsExpansion::CloseAll, {});
  t.Group(0)->expanded = 0;
  rows.Rebuild(t, nullptr);
  EXPECT_EQ(Outline(rows, t), (std::vector<std::string>{"1: 1. Introduction", "0:I   Describing data",
                                                        "0:II  Inference", "1: 4. Sampling"}));
}

TEST(ContentsRows, RowLocatorAndRowOfAgree) {
  ContentsTable t = Course();
  ApplyContentsExpansion(t, ContentsExpansion::OpenAll, {});
  ContentsRowList rows;
  rows.Rebuild(t, nullptr);
  // Every row's locator finds that row again, except a group row, whose locator is its
  // first lesson's (the lesson row is deeper).
  for (int r = 0; r < rows.count(); ++r) {
    const ActivityLocator l = rows.RowLocator(r);
    if (rows.row(r)->type == kRowGroup)
      EXPECT_EQ(rows.RowOf(l), r + 1) << r;
    else
      EXPECT_EQ(rows.RowOf(l), r) << r;
  }
  struct Case {
    int row;
    int lesson, page, activity;
  };
  // Walking back from an activity on a second page passes over the first page's activities.
  for (const Case& c : std::vector<Case>{{0, 0, -1, -1}, {2, 0, 0, 0}, {3, 1, -1, -1}, {8, 1, 1, -1}, {9, 1, 1, 0},
                                         {18, 3, 1, 0}}) {
    const ActivityLocator l = rows.RowLocator(c.row);
    EXPECT_EQ(l.lesson, c.lesson) << c.row;
    EXPECT_EQ(l.page, c.page) << c.row;
    EXPECT_EQ(l.activity, c.activity) << c.row;
  }
  EXPECT_EQ(rows.RowLocator(-1).lesson, -1);
  EXPECT_EQ(rows.RowLocator(rows.count()).lesson, -1);
}

TEST(ContentsRows, RowOfFallsBackToTheDeepestVisibleRow) {
  ContentsTable t = Course();
  ContentsRowList rows;
  ApplyContentsExpansion(t, ContentsExpansion::OpenLessons, {});
  rows.Rebuild(t, nullptr);
  // Lesson b1 (position 3), page 1, activity 0: pages are closed, so the page row.
  EXPECT_EQ(rows.RowOf({3, 1, 0}), 11);
  EXPECT_EQ(rows.RowOf({3, -1, -1}), 9);
  EXPECT_EQ(rows.RowOf({-1, 0, 0}), -1);
  // With its group closed the lesson is found as that group.
  t.Group(1)->expanded = 0;
  rows.Rebuild(t, nullptr);
  EXPECT_EQ(rows.row(8)->type, kRowGroup);
  EXPECT_EQ(rows.RowOf({3, 1, 0}), 8);
  // A lesson beyond the contents gives the last row that stands before it.
  EXPECT_EQ(rows.RowOf({30, 0, 0}), 8);
}

TEST(ContentsRows, CompletionAndToggles) {
  ContentsTable t = Course();
  ApplyContentsExpansion(t, ContentsExpansion::OpenAll, {});
  ContentsRowList rows;
  rows.Rebuild(t, [](int l, int p, int a) { return l == 1 && p == 0 && a == 1; });
  std::vector<int> completed;
  for (int r = 0; r < rows.count(); ++r)
    if (rows.row(r)->completed) completed.push_back(r);
  EXPECT_EQ(completed, std::vector<int>{7});
  EXPECT_EQ(rows.row(7)->type, 4);  // an exercise

  // Closing a lesson with all its pages, then opening it: its pages take its state.
  ApplyContentsExpansion(t, ContentsExpansion::CloseAll, {});
  rows.Rebuild(t, nullptr);
  ASSERT_EQ(rows.row(2)->type, kRowLesson);
  EXPECT_TRUE(ToggleRow(t, *rows.row(2), true));
  rows.Rebuild(t, nullptr);
  EXPECT_EQ(rows.count(), 6 + 2 + 3);  // two pages, three activities
  EXPECT_TRUE(ToggleRow(t, *rows.row(2), true));
  EXPECT_EQ(t.Lesson(1)->pages[0].expanded, 0);
  EXPECT_EQ(t.Lesson(1)->pages[1].expanded, 0);
  // Without Ctrl the pages keep their own state.
  EXPECT_TRUE(ToggleRow(t, *rows.row(2), false));
  rows.Rebuild(t, nullptr);
  EXPECT_EQ(rows.count(), 6 + 2);
  ContentsRow activity;
  activity.type = 3;
  EXPECT_FALSE(ToggleRow(t, activity, false));
  ContentsRow stale;
  stale.type = kRowPage;
  stale.lesson = 0;
  stale.page = 5;
  EXPECT_FALSE(ToggleRow(t, stale, false));
}

TEST(ContentsRows, LabelsAndPrefixes) {
  ContentsTable t = Course(0);
  ApplyContentsExpansion(t, ContentsExpansion::OpenAll, {});
  ContentsRowList rows;
  rows.Rebuild(t, nullptr);
  // Lesson base 0: drawn from 0, copied from 1. Icons: activities get no prefix.
  EXPECT_EQ(RowLabel(*rows.row(0), t, 0, false), " 0. Introduction");
  EXPECT_EQ(RowLabel(*rows.row(2), t, 0, true), "Tour");
  EXPECT_EQ(RowLabel(*rows.row(2), t, 0, false), "  Tour");
  const std::string copy = ContentsCopyText(rows.rows(), t);
  EXPECT_EQ(copy.substr(0, copy.find("I   Desc")),
            " 1. Introduction\r\n1. Welcome\r\nTour\r\n");
  // Copied titles keep their markup.
  EXPECT_NE(copy.find("\r\n<b>Big</b> &amp; small\r\n"), std::string::npos);
  EXPECT_EQ(copy.substr(copy.size() - 2), "\r\n");

  struct Numeral {
    int group;
    const char* text;
  };
  for (const Numeral& n : std::vector<Numeral>{{0, "I   "}, {3, "IV  "}, {7, "VIII"}, {9, "X   "}, {10, "XI  "},
                                               {13, "XIV "}, {17, "XVIII"}, {39, "XL  "}, {-1, ""}})
    EXPECT_EQ(GroupNumeral(n.group), n.text) << n.group;
  // A numeral that fills its four characters is kept apart from the title.
  ContentsRow group;
  group.type = kRowGroup;
  group.index = 7;
  EXPECT_EQ(RowPrefix(group, 1, true), "VIII ");
  group.index = 2;
  EXPECT_EQ(RowCopyPrefix(group), "III ");
}

TEST(ContentsRows, LongTitlesAreCut) {
  const std::string title(300, 'x');
  ContentsTable t;
  t.Load("l=" + title + "\nd=a\nf\np=" + title + "\n", 1, 0, nullptr);
  ApplyContentsExpansion(t, ContentsExpansion::OpenAll, {});
  ContentsRowList rows;
  rows.Rebuild(t, nullptr);
  // Stored lines are cut to 256 characters by the loader; labels to 259, copied lines to 256.
  EXPECT_LE(RowLabel(*rows.row(0), t, 1, true).size(), 259u);
  const std::string copy = ContentsCopyText(rows.rows(), t);
  const std::size_t firstEnd = copy.find("\r\n");
  EXPECT_EQ(firstEnd, 254u);
  EXPECT_EQ(copy.size(), 2 * 256u);
}

TEST(ContentsRows, TreeLinesJoinSiblings) {
  ContentsTable t = Course();
  ApplyContentsExpansion(t, ContentsExpansion::OpenAll, {});
  ContentsRowList rows;
  rows.Rebuild(t, nullptr);
  // Row: linkUp, hasNext, hasChildren, throughLines.
  struct Case {
    int row;
    bool up, next, children;
    int through;
  };
  for (const Case& c : std::vector<Case>{
           {0, false, false, true, 0},  // the lesson before the groups: alone at the top
           {3, false, true, true, 0},   // group I: no line above groups
           {4, true, true, true, 0},    // a2 follows under group I
           {6, true, true, false, 1 << 1 | 1 << 2},   // Piling up: the lesson and page lines go on
           {7, true, false, false, 1 << 1 | 1 << 2},  // Check: the last activity of the page
           {10, true, false, true, 0},  // Centre: last lesson of group I
           {13, false, false, true, 0}, // group II: groups hang from no line
           {18, true, false, false, 0}, // the very last row
       }) {
    const ContentsRow& r = *rows.row(c.row);
    EXPECT_EQ(r.linkUp, c.up) << c.row;
    EXPECT_EQ(r.hasNext, c.next) << c.row;
    EXPECT_EQ(r.hasChildren, c.children) << c.row;
    EXPECT_EQ(r.throughLines, c.through) << c.row;
  }
}

}  // namespace
