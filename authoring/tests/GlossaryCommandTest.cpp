#include <gtest/gtest.h>

#include "KncourseRunner.h"
#include "TestSupport.h"
#include "course/ResourceContainer.h"

namespace {

using kntest::RunKncourse;

std::vector<std::uint8_t> Bytes(std::string_view s) { return {s.begin(), s.end()}; }

TEST(GlossaryCommand, ListFindAndShowThroughThePlayersReader) {
  const auto dir = kntest::MakeTempDir("gls");
  ContainerWriter writer;
  writer.SetText(Bytes("<dl><DT >mean\r\n<dd>The average.<dt>mode</dt><dd>Most common <b>value</b>.</dd></dl>"));
  kntest::WriteFileBytes(dir / "glossary.gls", writer.Build());
  const std::string file = (dir / "glossary.gls").string();

  const auto list = RunKncourse({"glossary", "list", file});
  ASSERT_EQ(list.status, 0) << list.err;
  EXPECT_NE(list.out.find("terms: 2\n"), std::string::npos) << list.out;
  EXPECT_NE(list.out.find("    1  mode "), std::string::npos) << list.out;

  EXPECT_EQ(RunKncourse({"glossary", "find", file, "means"}).out, "0  mean\n");
  EXPECT_EQ(RunKncourse({"glossary", "find", file, "MEANS"}).status, 1);

  const auto show = RunKncourse({"glossary", "show", file, "mode", "--phrase", "Here, the commonest answer."});
  ASSERT_EQ(show.status, 0) << show.err;
  EXPECT_EQ(show.out, "mode:\n\nHere, the commonest answer.\n\nIn general, most common value.\n");
  EXPECT_EQ(RunKncourse({"glossary", "show", file, "median"}).status, 1);
}

TEST(GlossaryCommand, IndexReferencesResolvedInACourse) {
  const auto dir = kntest::MakeTempDir("idx");
  kntest::WriteFileText(dir / "contents.txt",
                        "l=Data\nd=ch1\nf\np=Samples\ne=Intro\tintro.exp\nq=Quiz\tquiz.fil\n"
                        "l=Centre\nd=ch2\nf\np=Mean\ne=Mean\tmean.exp\n");
  kntest::WriteFileText(dir / "index.txt", "median\t101\t209_lab2.lab\t-1\nmean\t200\n");
  const auto out = RunKncourse({"index", (dir / "index.txt").string(), "--course", dir.string()});
  ASSERT_EQ(out.status, 0) << out.err;
  EXPECT_NE(out.out.find("  101     Exercise           1.1.2      quiz.fil          Data : Samples : Quiz"),
            std::string::npos)
      << out.out;
  EXPECT_NE(out.out.find("  209     Lab                2          lab2.lab          Centre : Lab"), std::string::npos)
      << out.out;
  EXPECT_NE(out.out.find("  -1      Glossary           glossary   -                 Glossary definition"),
            std::string::npos)
      << out.out;
  EXPECT_EQ(RunKncourse({"index", "find", (dir / "index.txt").string(), "Medians"}).out, "0  median  (3 references)\n");
}

}  // namespace
