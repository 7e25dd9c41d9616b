#include <gtest/gtest.h>

#include "course/AsciiCase.h"
#include "exposition/KeywordOrder.h"
#include "exposition/Keywords.h"

namespace {

TEST(KeywordOrder, EveryKeywordIsFoundByItsNameInAnyCase) {
  const KeywordOrder order;
  for (int code = kFirstKeyword; code <= kLastKeyword; ++code) {
    const std::string name(order.NameOf(code));
    ASSERT_FALSE(name.empty()) << code;
    EXPECT_EQ(order.Lookup(name), code) << name;
    const std::string upper = ToAsciiUpper(name);
    EXPECT_EQ(order.Lookup(upper), code) << upper;
  }
}

TEST(KeywordOrder, LooksUpTheDocumentedWords) {
  const KeywordOrder order;
  const struct {
    const char* word;
    int code;
  } cases[] = {
      {"Circle", 41},
      {"CIRCLE", 41},
      {"circle", 41},
      {"absolute", 5},
      {"ylocation", 262},
      {"abort", 263},
      {"y_axis", 552},
      {"x_axis", 551},
      {"show_mean", 467},
      {"int0", 355},
      {"float9", 344},
      {"point3", 396},
      {"value_float", 239},
      {"newline", 144},
      // not keywords
      {"foo", 0},
      {"", 0},
      {"circl", 0},
      {"circles", 0},
      {"y_axis_", 0},
      {"a", 0},
      {"zzz", 0},
      {"show_mean_grf_and_more_than_21", 0},
      {"<", 0},
  };
  for (const auto& c : cases) EXPECT_EQ(order.Lookup(c.word), c.code) << c.word;
}

TEST(KeywordOrder, NamesOnlyKeywordCodes) {
  const KeywordOrder order;
  for (int code : {-1, 0, 1, 2, 3, 4, 553, 700, 1000}) EXPECT_TRUE(order.NameOf(code).empty()) << code;
  EXPECT_EQ(order.NameOf(5), "absolute");
  EXPECT_EQ(order.NameOf(kw::and_), "and");
  EXPECT_EQ(order.NameOf(552), "y_axis");
}

TEST(KeywordOrder, IndexIsSortedAcrossBothRuns) {
  const KeywordOrder order;
  const auto& codes = order.codesByName();
  for (std::size_t i = 1; i < codes.size(); ++i) EXPECT_LT(order.NameOf(codes[i - 1]), order.NameOf(codes[i])) << i;
}

}  // namespace
