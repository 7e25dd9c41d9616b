#include <gtest/gtest.h>

#include "KncourseRunner.h"

namespace {

using kntest::RunKncourse;

TEST(StatsCommand, PrintsValuesWithTenSignificantDigits) {
  const struct {
    std::vector<std::string> args;
    std::string out;
  } cases[] = {
      {{"stats", "NormalCdf", "1.96"}, "0.975002107\n"},
      {{"stats", "normalcdf", "1.96"}, "0.975002107\n"},  // names in any case
      {{"stats", "TTwoTailQuantile", "0.05", "2"}, "4.30265273\n"},
      {{"stats", "ChiSquaredQuantile", "0.95", "10"}, "18.30703805\n"},
      {{"stats", "FCdf", "0", "3", "10"}, "0\n"},
      {{"stats", "NormalQuantile", "0"}, "-inf\n"},
      {{"stats", "InverseErf", "1"}, "inf\n"},  // the error value
      {{"stats", "NormalDensity", "nan"}, "inf\n"},
      {{"stats", "LogGammaOnePlus", "-0.5"}, "0.572364943\n"},
  };
  for (const auto& c : cases) {
    const auto r = RunKncourse(c.args);
    EXPECT_EQ(r.status, 0) << c.args[1] << r.err;
    EXPECT_EQ(r.out, c.out) << c.args[1];
  }
}

TEST(StatsCommand, ReplaysTheGeneratorForASeed) {
  auto r = RunKncourse({"stats", "RandomDraw", "--seed", "1", "--count", "4"});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "41\n18467\n6334\n26500\n");
  r = RunKncourse({"stats", "RandomInt", "100", "--seed=1", "--count=4"});
  EXPECT_EQ(r.out, "41\n67\n34\n0\n");
}

TEST(StatsCommand, RejectsBadUsage) {
  const std::vector<std::vector<std::string>> cases = {
      {"stats", "NoSuchFunction", "1"},     {"stats", "NormalCdf"},
      {"stats", "NormalCdf", "1", "2"},     {"stats", "NormalCdf", "x1"},
      {"stats", "ChiSquaredQuantile", "0.95", "2.5"},
      {"stats", "RandomInt", "0"},          {"stats", "RandomInt", "10", "--seed", "abc"},
      {"stats", "RandomDraw", "5"},
  };
  for (const auto& c : cases) {
    const auto r = RunKncourse(c);
    EXPECT_EQ(r.status, 2) << c[1] << " " << (c.size() > 2 ? c[2] : "");
    EXPECT_TRUE(r.out.empty()) << r.out;
    EXPECT_NE(r.err.find("Usage:"), std::string::npos);
  }
}

TEST(StatsCommand, HelpListsEveryFunction) {
  const auto r = RunKncourse({"stats", "--help"});
  EXPECT_EQ(r.status, 0);
  for (const char* name : {"LogGammaOnePlus", "LogGamma ", "BetaContinuedFraction", "IncompleteBeta", "NormalDensity",
                           "ErfComplement", "NormalCdf", "InverseErf", "NormalQuantile", "NormalUpperQuantile",
                           "TTwoTailProb", "TTwoTailQuantile", "TUpperQuantile", "TLowerQuantile",
                           "ChiSquaredHalfCdf", "ChiSquaredQuantile", "FCdf", "FQuantile", "RandomInt", "RandomDraw"})
    EXPECT_NE(r.out.find(name), std::string::npos) << name;
}

}  // namespace
