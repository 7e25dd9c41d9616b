// The checker reads tags the way the player's tokenizer splits them: the reference
// checks are only as good as this reading.
#include <gtest/gtest.h>

#include "CheckMarkup.h"

namespace {

using kncheck::ScanMarkup;

TEST(CheckMarkup, TagsAttributesAndTheTextBeforeThem) {
  const auto m = ScanMarkup("Intro <IMG S=Cases e=1 t=\"5 min\" h>Text\n<a n=\"x.ast\">*</A>rest");
  ASSERT_EQ(m.tags.size(), 3u);
  EXPECT_EQ(m.tags[0].name, "img");
  EXPECT_EQ(m.tags[0].textBefore, "Intro ");
  // Attribute names are lower-cased, values kept; "h" without "=" is dropped.
  ASSERT_EQ(m.tags[0].attributes.size(), 3u);
  EXPECT_EQ(m.tags[0].Attribute("s"), "Cases");
  EXPECT_EQ(m.tags[0].Attribute("t"), "5 min");
  EXPECT_FALSE(m.tags[0].HasAttribute("h"));
  EXPECT_EQ(m.tags[1].Attribute("n"), "x.ast");
  EXPECT_EQ(m.tags[1].line, 2);
  EXPECT_TRUE(m.tags[2].closing);
  EXPECT_EQ(m.tags[2].name, "a");
  EXPECT_EQ(m.tags[2].textBefore, "*");
  EXPECT_EQ(m.trailingText, "rest");
  EXPECT_TRUE(m.issues.empty());
}

TEST(CheckMarkup, QuotesProtectTagsInRunningText) {
  const auto m = ScanMarkup("say \"<b>bold?</b>\" <i>yes</i>");
  ASSERT_EQ(m.tags.size(), 2u);
  EXPECT_EQ(m.tags[0].name, "i");
  EXPECT_EQ(m.tags[0].textBefore, "say \"<b>bold?</b>\" ");
  EXPECT_TRUE(m.issues.empty());
}

TEST(CheckMarkup, AQuoteLeftOpenAcrossLinesIsReportedOnce) {
  const auto m = ScanMarkup("a \"stray quote\n<b>lost</b>\nstill <i>lost</i>\nuntil \" <p>", 7);
  ASSERT_EQ(m.issues.size(), 1u);
  EXPECT_EQ(m.issues[0].line, 7);
  ASSERT_EQ(m.tags.size(), 1u);
  EXPECT_EQ(m.tags[0].name, "p");
  EXPECT_EQ(m.tags[0].line, 10);
}

TEST(CheckMarkup, CommentsNamesAndUnclosedEnds) {
  const auto m = ScanMarkup("<!-- <b> is not a tag -->x<verylongtagname12345 a=1><! tool=table><p");
  ASSERT_EQ(m.tags.size(), 2u);
  EXPECT_EQ(m.tags[0].name, "verylongtagname");  // cut to 15
  EXPECT_EQ(m.tags[0].textBefore, "x");
  EXPECT_EQ(m.tags[1].name, "!");
  EXPECT_EQ(m.tags[1].Attribute("t"), "table");
  ASSERT_EQ(m.issues.size(), 1u);
  EXPECT_NE(m.issues[0].message.find("not closed"), std::string::npos);
  EXPECT_EQ(ScanMarkup("<!-- open comment").issues.size(), 1u);
}

}  // namespace
