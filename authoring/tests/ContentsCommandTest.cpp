#include <gtest/gtest.h>

#include "KncourseRunner.h"
#include "TestSupport.h"
#include "course/ResourceContainer.h"

namespace {

using kntest::RunKncourse;

// A course folder whose files are named in other cases than the player asks for.
std::filesystem::path MakeCourse() {
  const auto program = kntest::MakeTempDir("program");
  const auto dir = program / "course";
  kntest::WriteFileText(dir / "Contents.TXT",
                        "*SMITH:2,ch3\r\n"
                        "g=Exploring data\r\nl=Data\r\nd=ch1\r\nf\r\np=Samples\r\ne=Sampling\tS01.exp\r\ne=Notes\r\n"
                        "g=Centre\r\nl=Centre\r\nd=ch3\r\nf\r\np=Mean\r\nt=Table tool\tT3.scr\r\n"
                        "f\r\np=Median\r\nq=Quiz\tq.fil\r\nq=Quiz\tq.fil\r\nq=Quiz\tq.fil\r\nq=Quiz\tq.fil\r\n"
                        "q=Quiz\tq.fil\r\nq=Quiz\tq.fil\r\nq=Quiz\tq.fil\r\nq=Quiz\tq.fil\r\nq=Ninth\tq9.fil\r\n");
  kntest::WriteFileText(dir / "bundle.txt", "none=No bundle\r\nsmith=Smith's Statistics\r\n");
  // The tool's script: a 12-byte header whose third field holds "tftb" backwards.
  kntest::WriteFileBytes(dir / "CH3" / "t3.SCR", {0, 0, 0, 0, 0, 0, 0, 0, 'b', 't', 'f', 't'});
  ContainerWriter personal;
  personal.AddEntry(kEntryText, "Lesson Base", {'0'});
  kntest::WriteFileBytes(program / "personal.knp", personal.Build());
  return dir;
}

TEST(ContentsCommand, ShowsTheTreeInDisplayOrder) {
  const auto dir = MakeCourse();
  const auto natural = RunKncourse({"contents", dir.string()});
  ASSERT_EQ(natural.status, 0) << natural.err;
  EXPECT_NE(natural.out.find("lesson base: 0"), std::string::npos) << natural.out;
  EXPECT_LT(natural.out.find("Group  Exploring data\n  Lesson 0  Data  [ch1]\n    Page 1  Samples  ch11.pag\n"
                             "      1  Exposition         Sampling  S01.exp\n"
                             "      2  Exposition         Notes  (no file)\n"),
            natural.out.find("Group  Centre\n  Lesson 1  Centre  [ch3]"))
      << natural.out;
  EXPECT_NE(natural.out.find("      1  Hands-On Activity  Table tool  T3.scr"), std::string::npos);
  EXPECT_NE(natural.err.find("warning: contents.txt:25: a page holds at most 8 activities"), std::string::npos)
      << natural.err;
  EXPECT_EQ(natural.out.find("Ninth"), std::string::npos);

  const auto smith = RunKncourse({"contents", dir.string(), "--bundle", "1", "--lesson-base", "1"});
  ASSERT_EQ(smith.status, 0) << smith.err;
  EXPECT_NE(smith.out.find("bundle: 1 smith (Smith's Statistics)"), std::string::npos) << smith.out;
  EXPECT_NE(smith.out.find("Group  Centre\n  Lesson 1  Centre  [ch3]"), std::string::npos) << smith.out;
  EXPECT_NE(smith.out.find("  Lesson 2  Data  [ch1]"), std::string::npos) << smith.out;
  EXPECT_EQ(smith.out.find("Exploring data"), std::string::npos) << smith.out;

  const auto far = RunKncourse({"contents", dir.string(), "--bundle", "5"});
  EXPECT_EQ(far.status, 0);
  EXPECT_NE(far.err.find("bundle 5 is not in Bundle.txt"), std::string::npos) << far.err;
}

TEST(ContentsCommand, ResolvePrintsTheLocator) {
  const auto dir = MakeCourse();
  const auto page = RunKncourse({"resolve", dir.string(), ":CH3:ch32.pag", "--bundle", "1"});
  ASSERT_EQ(page.status, 0) << page.err;
  EXPECT_NE(page.out.find("lesson:    0 (lesson 0, code ch3)\npage:      1\nactivity:  -1\n"), std::string::npos)
      << page.out;
  EXPECT_NE(page.out.find("Kind:      2 Page\nDescribe:  Centre : Median\nPath:      ch3\\ch32.pag\n"),
            std::string::npos)
      << page.out;

  const auto tool = RunKncourse({"resolve", dir.string(), "t3.scr"});
  ASSERT_EQ(tool.status, 0) << tool.err;
  EXPECT_NE(tool.out.find("Kind:      7 Hands-On Activity"), std::string::npos) << tool.out;
  EXPECT_NE(tool.out.find("Path:      ch3\\T3.scr"), std::string::npos) << tool.out;
  EXPECT_NE(tool.out.find("window:    CTableWnd (tftb)"), std::string::npos) << tool.out;

  const auto homework = RunKncourse({"resolve", dir.string(), ":ch1:HW1.wrk"});
  ASSERT_EQ(homework.status, 0);
  EXPECT_NE(homework.out.find("kind:      11\nfile:      \"hw1.wrk\""), std::string::npos) << homework.out;
  EXPECT_NE(homework.out.find("Path:      ch1\\homework\\hw1.wrk\non disk:   missing"), std::string::npos)
      << homework.out;

  const auto none = RunKncourse({"resolve", dir.string(), "Notes"});
  EXPECT_EQ(none.status, 1);
  EXPECT_EQ(none.out, "not found\n");
}

TEST(ContentsCommand, ReportsUsageAndMissingFiles) {
  const auto empty = kntest::MakeTempDir("empty");
  const auto missing = RunKncourse({"contents", empty.string()});
  EXPECT_EQ(missing.status, 2);
  EXPECT_NE(missing.err.find("no contents.txt"), std::string::npos) << missing.err;
  EXPECT_EQ(RunKncourse({"resolve", empty.string()}).status, 2);
  EXPECT_EQ(RunKncourse({"contents", empty.string(), "--bundle", "x"}).status, 2);
  for (const char* cmd : {"contents", "resolve"}) {
    const auto help = RunKncourse({cmd, "--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.out.find(std::string("kncourse ") + cmd + " DIR"), std::string::npos);
  }
}

}  // namespace
