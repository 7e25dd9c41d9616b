#include <gtest/gtest.h>

#include "TestSupport.h"
#include "course/CoursePath.h"

TEST(CoursePath, FindsFilesWhateverTheCaseAndSeparator) {
  const auto base = kntest::MakeTempDir();
  kntest::WriteFileText(base / "Course" / "Pages" / "Lesson01.PAG", "x");
  kntest::WriteFileText(base / "Course" / "rf" / "Tutorial.ise", "x");
  const auto want = base / "Course" / "Pages" / "Lesson01.PAG";
  for (const char* name : {"course\\pages\\lesson01.pag", "COURSE/PAGES/LESSON01.PAG", "Course\\Pages\\Lesson01.PAG",
                           "course:pages:lesson01.pag", "\\course\\\\pages\\lesson01.pag"})
    EXPECT_EQ(ResolveCoursePath(base, name), want) << name;
  EXPECT_EQ(ResolveCoursePath(base / "Course", ":rf:Tutorial.ise"), base / "Course" / "rf" / "Tutorial.ise");
  EXPECT_FALSE(ResolveCoursePath(base, "course\\pages\\lesson02.pag"));
  EXPECT_EQ(ResolveCoursePath(base, ""), base);
}

TEST(CoursePath, PrefersAnExactMatch) {
  const auto base = kntest::MakeTempDir();
  kntest::WriteFileText(base / "a.txt", "lower");
  kntest::WriteFileText(base / "A.txt", "upper");
  EXPECT_EQ(ResolveCoursePath(base, "A.txt"), base / "A.txt");
  EXPECT_EQ(ResolveCoursePath(base, "a.txt"), base / "a.txt");
  EXPECT_EQ(ResolveCoursePath(base, "a.TXT"), base / "A.txt");  // first in byte order
}

TEST(CoursePath, MatchesWindows1252Names) {
  const auto base = kntest::MakeTempDir();
  kntest::WriteFileText(base / "Résumé.txt", "x");
  EXPECT_EQ(ResolveCoursePath(base, "r\xE9sum\xE9.TXT"), base / "Résumé.txt");
}

TEST(CoursePath, NeverLeavesTheBaseFolder) {
  const auto base = kntest::MakeTempDir();
  kntest::WriteFileText(base / "inside" / "x.txt", "x");
  kntest::WriteFileText(base / "secret.txt", "x");
  for (std::string_view name : std::initializer_list<std::string_view>{"..\\secret.txt", "inside/../../secret.txt", "inside\\..\\x.txt", ".\\inside\\x.txt",
                                std::string_view("inside\\x.txt\0", 13), "inside\\x\n.txt"})
    EXPECT_FALSE(ResolveCoursePath(base / "inside", name)) << name;
  // An absolute-looking name is taken relative to the base.
  EXPECT_EQ(ResolveCoursePath(base, "/inside/x.txt"), base / "inside" / "x.txt");
}
