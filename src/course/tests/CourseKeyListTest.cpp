#include <gtest/gtest.h>

#include "course/AsteriskSourceList.h"
#include "course/BundleList.h"

namespace {

std::string Entries(const CourseKeyList& list) {
  std::string out;
  for (const auto& e : list.Entries()) out += "[" + e.key + "|" + e.value + "]";
  return out;
}

TEST(CourseKeyList, LineRules) {
  const struct {
    const char* what;
    const char* text;
    const char* entries;
  } cases[] = {
      {"keys lower-cased, values kept", "None=No Bundle\r\nSMITH=Smith's Statistics\r\n",
       "[none|No Bundle][smith|Smith's Statistics]"},
      {"last line needs CR or LF", "a=1\nb=2", "[a|1]"},
      {"lines under two characters skipped", "a\n\n=\nab\n", "[|ab]"},
      {"no = takes the first key", "src=One\nMore text\nb=2\nz\nlast\r", "[src|One][src|More text][b|2][src|last]"},
      {"value after the first =", "k=a=b\n", "[k|a=b]"},
      {"lone CR ends a line", "a=1\rb=2\r", "[a|1][b|2]"},
      {"empty text", "", ""},
  };
  for (const auto& c : cases) {
    BundleList b;
    b.Load(std::string_view(c.text));
    EXPECT_EQ(Entries(b), c.entries) << c.what;
  }
}

TEST(CourseKeyList, LookupByKeyPrefix) {
  AsteriskSourceList s;
  s.Load(std::string_view("tf=Tallyframe notes\nmm=Moore and McCabe\nm=Moore\n"));
  const struct {
    const char* name;
    int index;
    const char* value;
  } cases[] = {
      {"TF01.ast", 0, "Tallyframe notes"}, {"mm2.ast", 1, "Moore and McCabe"}, {"MX.ast", 2, "Moore"},
      {"x.ast", -1, ""},                   {"", -1, ""},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(s.IndexOf(c.name), c.index) << c.name;
    EXPECT_EQ(s.ValueOf(c.name), c.value) << c.name;
  }
  EXPECT_EQ(s.Key(1), "mm");
  EXPECT_EQ(s.Value(3), "");
  EXPECT_EQ(s.Key(-1), "");
}

TEST(AsteriskSourceList, IncludedUnlessExcluded) {
  std::string text;
  for (int i = 0; i < 18; ++i) text += "s" + std::string(1, static_cast<char>('a' + i)) + "=Source\n";
  AsteriskSourceList s;
  s.Load(text);
  ASSERT_EQ(s.Count(), 18);
  EXPECT_TRUE(s.IsIncluded("SA1.ast", 0));
  EXPECT_FALSE(s.IsIncluded("sa1.ast", 0x0001));
  EXPECT_TRUE(s.IsIncluded("sb1.ast", 0x0001));
  EXPECT_FALSE(s.IsIncluded("sp1.ast", 0x8000));
  EXPECT_TRUE(s.IsIncluded("sq1.ast", 0xFFFF));  // source 16 has no bit
  EXPECT_FALSE(s.IsIncluded("zz.ast", 0));
  EXPECT_TRUE(s.IsIncluded("sc.ast"));  // no preference: every source included
}

}  // namespace
