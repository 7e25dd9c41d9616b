#include <gtest/gtest.h>

#include "KncourseRunner.h"
#include "TestSupport.h"
#include "course/ResourceContainer.h"

namespace {

using kntest::RunKncourse;

std::filesystem::path WriteContainer(const std::vector<std::pair<std::uint32_t, std::string>>& entries) {
  ContainerWriter w;
  for (const auto& [type, name] : entries) w.AddEntry(type, name, {static_cast<std::uint8_t>(type)});
  const auto path = kntest::MakeTempDir("cmd") / "c.knc";
  kntest::WriteFileBytes(path, w.Build());
  return path;
}

// The directory index printed in the first column of find's answer, -1 for "none".
int FoundIndex(const kntest::CommandResult& r) {
  if (r.out == "none\n") return -1;
  return std::stoi(r.out);
}

TEST(ContainerCommand, FindFollowsTheLookupRules) {
  struct Case {
    const char* what;
    std::vector<std::pair<std::uint32_t, std::string>> entries;
    std::string name, type;
    int expected;
  };
  const Case cases[] = {
      {"empty", {}, "Chart", "any", -1},
      {"case", {{0, "Chart"}}, "CHART", "picture", 0},
      {"two pictures", {{0, "Chart"}, {0, "Chart"}}, "chart", "picture", 1},
      {"two sounds", {{1, "Ding"}, {1, "Ding"}}, "Ding", "sound", 0},
      {"@ wins", {{0, "Chart@"}, {0, "Chart"}}, "Chart", "0", 0},
      {"sound @ ignored", {{1, "Chart@"}, {0, "Chart"}}, "Chart", "picture", 1},
      {"any type", {{2, "X"}, {0, "X"}}, "x", "-1", 0},
      {"longer name", {{0, "Charts"}}, "Chart", "picture", -1},
  };
  for (const auto& c : cases) {
    const auto r = RunKncourse({"container", "find", WriteContainer(c.entries).string(), c.name, c.type});
    EXPECT_EQ(r.status, c.expected < 0 ? 1 : 0) << c.what << r.err;
    EXPECT_EQ(FoundIndex(r), c.expected) << c.what << ": " << r.out;
  }
}

TEST(ContainerCommand, PackExtractPackGivesIdenticalBytes) {
  const auto src = kntest::MakeTempDir("src");
  kntest::WriteFileText(src / "picture" / "Splash Screen.png", "\x89PNG fake");
  kntest::WriteFileText(src / "picture" / "Chart@.bmp", "BM fake");
  kntest::WriteFileText(src / "sound" / "Ding.wav", "RIFF fake");
  kntest::WriteFileText(src / "text" / "Application.txt", "My Course");
  kntest::WriteFileText(src / "section.txt", "<h1>Title</h1>\r\n");
  const auto out = kntest::MakeTempDir("out");
  ASSERT_EQ(RunKncourse({"container", "pack", src.string(), (out / "a.knc").string(), "--code", "tftb"}).status, 0);
  ASSERT_EQ(RunKncourse({"container", "extract", (out / "a.knc").string(), (out / "x").string()}).status, 0);
  ASSERT_EQ(RunKncourse({"container", "pack", (out / "x").string(), (out / "b.knc").string()}).status, 0);
  EXPECT_EQ(kntest::ReadFileBytes(out / "a.knc"), kntest::ReadFileBytes(out / "b.knc"));

  const auto list = RunKncourse({"container", "list", (out / "b.knc").string()});
  EXPECT_NE(list.out.find("tftb"), std::string::npos) << list.out;
  EXPECT_NE(list.out.find("Splash Screen"), std::string::npos);
  EXPECT_NE(list.out.find("entries:      4"), std::string::npos);
}

TEST(ContainerCommand, ExtractKeepsDuplicateAndOddNames) {
  ContainerWriter w;
  w.AddEntry(0, "Chart", {1});
  w.AddEntry(0, "chart", {2});
  w.AddEntry(2, "a/b\\c:\xE9", {'t'});
  w.AddEntry(7, "odd type", {9});
  w.SetTypeCode(0x01020304);
  const auto dir = kntest::MakeTempDir("odd");
  const auto original = w.Build();
  kntest::WriteFileBytes(dir / "in.knc", original);
  ASSERT_EQ(RunKncourse({"container", "extract", (dir / "in.knc").string(), (dir / "x").string()}).status, 0);
  ASSERT_EQ(RunKncourse({"container", "pack", (dir / "x").string(), (dir / "out.knc").string()}).status, 0);
  EXPECT_EQ(kntest::ReadFileBytes(dir / "out.knc"), original);
}

TEST(ContainerCommand, ReportsDamagedFilesWithTheOffset) {
  const auto dir = kntest::MakeTempDir("bad");
  kntest::WriteFileBytes(dir / "bad.knc", {5, 0, 0, 0, 12, 0, 0, 0, 0, 0, 0, 0});
  const auto r = RunKncourse({"container", "list", (dir / "bad.knc").string()});
  EXPECT_EQ(r.status, 2);
  EXPECT_NE(r.err.find("at offset 0"), std::string::npos) << r.err;
  EXPECT_EQ(RunKncourse({"container", "pack", (dir / "missing").string(), (dir / "o").string()}).status, 2);
  EXPECT_EQ(RunKncourse({"container", "frobnicate"}).status, 2);
  EXPECT_EQ(RunKncourse({"container", "--help"}).status, 0);
}

}  // namespace
