#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "KncourseRunner.h"
#include "TestSupport.h"
#include "course/ResourceContainer.h"

namespace fs = std::filesystem;

namespace {

std::vector<std::uint8_t> Container(const std::string& text) {
  ContainerWriter w;
  w.SetText(std::vector<std::uint8_t>(text.begin(), text.end()));
  return w.Build();
}

fs::path MakeCourse() {
  const fs::path root = kntest::MakeTempDir("searchcmd");
  const fs::path course = root / "course";
  kntest::WriteFileText(course / "contents.txt",
                        "l=Exploring data\nd=ed\nf\np=Shape\ne=Centre\tedmean.exp\nm=Pile\tedpile.mov\n"
                        "f\np=Spread\nq=Spread work\tedsd.fil\n"
                        "l=Normal\nd=nm\nf\np=Bell\ne=Rule\tnmrule.exp\n");
  kntest::WriteFileBytes(course / "ed" / "ed1.pag", Container("The mean of a list"));
  kntest::WriteFileBytes(course / "ed" / "edmean.exp", Container("-cue\nThe median and the mean"));
  kntest::WriteFileText(course / "ed" / "edpile.mtx", "values pile up around the median");
  kntest::WriteFileBytes(course / "ed" / "edsd.fil", Container("standard deviation"));
  kntest::WriteFileBytes(course / "ed" / "#edold.fil", Container("mean median standard deviation"));
  kntest::WriteFileBytes(course / "ed" / "homework" / "ed1.wrk", Container("Standard Deviation"));
  kntest::WriteFileBytes(course / "nm" / "nmrule.exp", Container("mean"));
  return root;
}

std::vector<std::string> Lines(const std::string& out) {
  std::vector<std::string> lines;
  std::istringstream in(out);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

}  // namespace

TEST(SearchCommand, FirstHitThenWhereNextGoesOn) {
  const fs::path root = MakeCourse();
  auto r = kntest::RunKncourse({"search", root.string(), "mean", "median", "--method", "or"});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(Lines(r.out), (std::vector<std::string>{"ed\ted/ed1.pag\tPage\t0.0.-1\tExploring data : Shape",
                                                    "next: after ed/ed1.pag"}));
  r = kntest::RunKncourse({"search", root.string(), "mean", "median", "--method", "or", "--all"});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(Lines(r.out),
            (std::vector<std::string>{"ed\ted/ed1.pag\tPage\t0.0.-1\tExploring data : Shape",
                                      "ed\ted/edmean.exp\tExposition\t0.0.0\tExploring data : Shape : Centre",
                                      "ed\ted/edpile.mtx\tMovie\t0.0.1\tExploring data : Shape : Pile",
                                      "nm\tnm/nmrule.exp\tExposition\t1.0.0\tNormal : Bell : Rule"}));
}

TEST(SearchCommand, OptionsNarrowTheSearch) {
  const fs::path root = MakeCourse();
  auto r = kntest::RunKncourse({"search", root.string(), "st.*dev", "--regex", "--all"});
  EXPECT_EQ(r.status, 0) << r.err;
  ASSERT_EQ(Lines(r.out).size(), 1u) << r.out;
  EXPECT_EQ(Lines(r.out)[0].substr(0, 14), "ed\ted/edsd.fil");
  r = kntest::RunKncourse({"search", root.string(), "deviation", "--types", "homework", "--all"});
  EXPECT_EQ(r.status, 0) << r.err;
  ASSERT_EQ(Lines(r.out).size(), 1u) << r.out;
  EXPECT_EQ(Lines(r.out)[0].substr(0, 25), "ed\ted/homework/ed1.wrk\tHo");
  r = kntest::RunKncourse({"search", root.string(), "Deviation", "--case", "--types", "fil,exp", "--all"});
  EXPECT_EQ(r.status, 1);
  r = kntest::RunKncourse({"search", root.string(), "mean", "--lessons", "nm"});
  EXPECT_EQ(Lines(r.out)[0].substr(0, 16), "nm\tnm/nmrule.exp");
  EXPECT_EQ(kntest::RunKncourse({"search", root.string(), "mean", "--lessons", "zz"}).status, 2);
  EXPECT_EQ(kntest::RunKncourse({"search", root.string(), "mean", "--types", "films"}).status, 2);
  EXPECT_EQ(kntest::RunKncourse({"search", (root / "nowhere").string(), "mean"}).status, 2);
}
