#include <gtest/gtest.h>

#include "ContentsTestSupport.h"
#include "course/BundleList.h"
#include "course/ContentsTable.h"

namespace {

using kntest::DisplayOutline;

// Three groups, five lessons; "*" lines anywhere.
const char* kCourse =
    "*SMITH:2,ch3,ch1\n"
    "g=One\n"
    "l=Data\nd=ch1\nf\np=P\n"
    "l=Graphs\nd=ch2\nf\np=P\n"
    "g=Two\n"
    "l=Centre\nd=ch3\nf\np=P\n"
    "*JONES:ch5,3,9,0,ch4,CH2,ch4,nosuch,,x\n"
    "l=Spread\nd=ch4\nf\np=P\n"
    "g=Three\n"
    "l=Chance\nd=ch5\nf\np=P\n"
    "*lower:ch5\n";

BundleList Bundles(const char* text = "none=No bundle\nsmith=Smith's Statistics\njones=Jones\nlower=lower\n") {
  BundleList b;
  b.Load(std::string_view(text));
  return b;
}

TEST(ContentsOrder, NaturalOrderFollowsTheFile) {
  const BundleList bundles = Bundles();
  ContentsTable t;
  t.Load(kCourse, 1, 0, &bundles);
  EXPECT_EQ(DisplayOutline(t), "[One] ch1 ch2 [Two] ch3 ch4 [Three] ch5");
  EXPECT_EQ(t.CurrentBundle(), 0);
  for (int i = 0; i < t.LessonCount(); ++i) {
    EXPECT_EQ(t.DisplayToIndex(i), i);
    EXPECT_EQ(t.IndexToDisplay(i), i);
  }
  EXPECT_EQ(t.Group(0)->firstLesson, 0);
  EXPECT_EQ(t.Group(1)->firstLesson, 2);
  EXPECT_EQ(t.Group(2)->firstLesson, 4);
}

TEST(ContentsOrder, BundleOrderings) {
  struct Case {
    const char* what;
    int bundle;
    std::string outline;
    int shownGroups;
  };
  const Case cases[] = {
      // Group 2 first, then ch3 and ch1, then every other lesson in file order.
      {"SMITH", 1, "[Two] ch3 ch1 ch2 ch4 ch5", 1},
      // Out-of-range groups and unknown codes are skipped; a repeated code takes its later place.
      {"JONES", 2, "ch5 [Three] ch2 ch4 ch1 ch3", 1},
      // Ordering keys compare with case against the upper-cased bundle key.
      {"lower-case ordering line", 3, "[One] ch1 ch2 [Two] ch3 ch4 [Three] ch5", 3},
      {"bundle 0", 0, "[One] ch1 ch2 [Two] ch3 ch4 [Three] ch5", 3},
      {"bundle out of range", 9, "[One] ch1 ch2 [Two] ch3 ch4 [Three] ch5", 3},
      {"negative bundle", -1, "[One] ch1 ch2 [Two] ch3 ch4 [Three] ch5", 3},
  };
  const BundleList bundles = Bundles();
  for (const auto& c : cases) {
    ContentsTable t;
    t.Load(kCourse, 1, c.bundle, &bundles);
    EXPECT_EQ(DisplayOutline(t), c.outline) << c.what;
    int shown = 0;
    for (int g = 0; g < t.GroupCount(); ++g) shown += t.Group(g)->order >= 0;
    EXPECT_EQ(shown, c.shownGroups) << c.what;
    for (int pos = 0; pos < t.LessonCount(); ++pos) EXPECT_EQ(t.IndexToDisplay(t.DisplayToIndex(pos)), pos) << c.what;
  }
}

TEST(ContentsOrder, GroupsPointAtTheirFirstDisplayedLesson) {
  const BundleList bundles = Bundles();
  ContentsTable t;
  t.Load(kCourse, 1, 2, &bundles);  // ch5 [Three] ch2 ...
  EXPECT_EQ(t.Group(2)->firstLesson, 1);
  EXPECT_EQ(t.Group(0)->firstLesson, ContentsGroup::kNoLesson);
  EXPECT_EQ(t.Group(0)->order, -1);
  EXPECT_EQ(t.Lesson(1)->headingGroup, 2);
  EXPECT_EQ(t.Lesson(0)->headingGroup, -1);
  EXPECT_EQ(t.String(t.Lesson(0)->code), "ch5");
  EXPECT_EQ(t.DisplayToIndex(0), 4);
  EXPECT_EQ(t.IndexToDisplay(4), 0);
  EXPECT_EQ(t.DisplayToIndex(5), -1);
  EXPECT_EQ(t.IndexToDisplay(-1), -1);
}

TEST(ContentsOrder, ReorderingOnlyWhenTheBundleChangesOrIsForced) {
  const BundleList bundles = Bundles();
  ContentsTable t;
  t.Load(kCourse, 1, 1, &bundles);
  const std::string smith = DisplayOutline(t);

  // A different list that maps bundle 1 to JONES: an unforced call with the current bundle does nothing.
  const BundleList other = Bundles("none=\njones=Jones\n");
  t.ApplyBundle(1, false, &other);
  EXPECT_EQ(DisplayOutline(t), smith);
  t.ApplyBundle(1, true, &other);
  EXPECT_EQ(DisplayOutline(t), "ch5 [Three] ch2 ch4 ch1 ch3");

  t.ApplyBundle(0, false, &bundles);
  EXPECT_EQ(DisplayOutline(t), "[One] ch1 ch2 [Two] ch3 ch4 [Three] ch5");
  t.ApplyBundle(1, false, &bundles);
  EXPECT_EQ(DisplayOutline(t), smith);
  // Without a bundle list every bundle is "none".
  t.ApplyBundle(1, true, nullptr);
  EXPECT_EQ(t.CurrentBundle(), 0);
  EXPECT_EQ(DisplayOutline(t), "[One] ch1 ch2 [Two] ch3 ch4 [Three] ch5");
}

TEST(ContentsOrder, OrderingWithoutColonUsesTheWholeText) {
  const BundleList bundles = Bundles("none=\nb=B\n");
  ContentsTable t;
  t.Load("*B,b2\nl=A\nd=a\nl=B\nd=b2\ng=G\nl=C\nd=c\n", 1, 1, &bundles);
  // "B" is a one-character token naming group 2, which does not exist.
  EXPECT_EQ(DisplayOutline(t), "b2 a c");
}

}  // namespace
