#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "TestSupport.h"
#include "course/CourseFile.h"
#include "course/CourseFileError.h"
#include "course/ResourceContainer.h"
#include "hypertext/CharEntities.h"
#include "hypertext/MarkupTokenizer.h"

namespace {

// One line per event: "W|text" word boundary, "L|text" line end, "E|text" end,
// "<name a=v>|text" a tag; the handler consumes the text every time.
std::vector<std::string> Events(std::string_view text, bool passThrough = false) {
  std::vector<std::string> out;
  Tokenize(
      text,
      [&out](MarkupEvent& e) {
        std::string line;
        if (e.end)
          line = "E";
        else if (e.IsWordBoundary())
          line = "W";
        else if (e.IsLineEnd())
          line = "L";
        else {
          line = e.closing ? "</" : "<";
          line += e.Tag();
          for (int i = 0; i < e.attributeCount; ++i) {
            line += ' ';
            line += e.attributes[i].Name();
            line += '=';
            line += e.attributes[i].Value();
          }
          line += '>';
        }
        out.push_back(line + "|" + std::string(e.Text()));
        e.ConsumeText();
      },
      passThrough);
  return out;
}

using Lines = std::vector<std::string>;

TEST(MarkupTokenizer, SplitsTextWordsLinesAndTags) {
  struct Case {
    const char* input;
    Lines events;
  };
  const Case cases[] = {
      {"x &lt; y", {"W|x ", "W|< ", "E|y"}},
      {"&#65;", {"E|A"}},
      {"&#321;", {"E|A"}},  // the low byte of 321
      {"&theta;", {"<font face=symbol>|", "</font>|q"}},
      {"&pi;r", {"<font face=symbol>|", "</font>|p", "E|r"}},
      {"a&nosuch;b", {"E|ab"}},
      {"a&InvisibleTimes;b", {"E|ab"}},
      {"AT&T rocks; ok", {"W|AT&T ", "W|rocks; ", "E|ok"}},
      {"&lt", {"E|&lt"}},
      {"a &amp b", {"W|a ", "W|&amp ", "E|b"}},
      {"a\r\nb\n", {"L|a", "L|b"}},
      {"<b>bold</b> x", {"<b>|", "</b>|bold", "W| ", "E|x"}},
      {"<FONT Size = \"+2\" COLOR=#ff0000>", {"<font size=+2 color=#ff0000>|"}},
      {"</DFN t=\"a phrase\">", {"</dfn t=a phrase>|"}},
      {"<img ismap src=a.bmp>", {"<img src=a.bmp>|"}},
      {"<! ref=stats p=12>", {"<! ref=stats p=12>|"}},
      {"<>< b>x", {"E|x"}},
      {"a<!-- x > y -- z -->b", {"E|ab"}},
      {"a<!---->b", {"E|ab"}},
      {"a<!-- \" -->b", {"E|ab"}},  // a quote means nothing in a comment
      {"a<!-- never closed <b> text", {"E|a"}},
      {"x > y", {"W|x ", "W|> ", "E|y"}},
  };
  for (const Case& c : cases) EXPECT_EQ(Events(c.input), c.events) << c.input;
}

TEST(MarkupTokenizer, QuotedStretchesKeepTagsAndBlanksAsText) {
  const struct {
    const char* input;
    Lines events;
  } cases[] = {
      {"say \"<b>\" now", {"W|say ", "W|\"<b>\" ", "E|now"}},
      {"\"a b\"", {"E|\"a b\""}},
      {"\"a\\\"b\" c", {"W|\"a\"b\" ", "E|c"}},  // an escaped quote does not end the stretch
      {"\"a\\nb\"", {"E|\"a\\nb\""}},           // "\n" stays as written
      {"a\\b", {"E|a\\b"}},                     // outside quotes a backslash is a byte
      {"\"one\ntwo\"", {"E|\"one two\""}},      // a line break in quotes still separates words
      {"<a href=\"x > y\">t</a>", {"<a href=x > y>|", "</a>|t"}},
  };
  for (const auto& c : cases) EXPECT_EQ(Events(c.input), c.events) << c.input;
}

TEST(MarkupTokenizer, BrokenBarIsALineBreak) {
  EXPECT_EQ(Events("a\xA6" "b"), (Lines{"E|a\nb"}));
  EXPECT_EQ(Events("a\xA6" "b", true), (Lines{"E|a<br>b"}));
}

TEST(MarkupTokenizer, PassThroughKeepsEntities) {
  EXPECT_EQ(Events("x &lt; &theta;", true), (Lines{"W|x ", "W|&lt; ", "E|&theta;"}));
}

TEST(MarkupTokenizer, EventRecordLimitsCutInsteadOfOverrunning) {
  // Text between events is cut at 2560 bytes.
  const std::string longWord(3000, 'w');
  auto events = Events(longWord);
  ASSERT_EQ(events.size(), 1u);
  EXPECT_EQ(events[0].size(), 2u + 2560u);

  // Names of 15 characters, 8 attributes, values of 511 bytes.
  std::string tag = "<abcdefghijklmnopqrstuvwxyz";
  for (int i = 0; i < 10; ++i) tag += " a" + std::to_string(i) + "=" + std::to_string(i);
  tag += " averyveryverylongname=v value=" + std::string(600, 'v') + ">";
  bool seen = false;
  Tokenize(tag, [&](MarkupEvent& e) {
    seen = true;
    EXPECT_EQ(e.Tag(), "abcdefghijklmno");
    ASSERT_EQ(e.attributeCount, 8);
    EXPECT_EQ(e.attributes[7].Name(), "a7");
  });
  EXPECT_TRUE(seen);
  Tokenize("<x averyveryverylongname=\"" + std::string(600, 'v') + "\">", [](MarkupEvent& e) {
    ASSERT_EQ(e.attributeCount, 1);
    EXPECT_EQ(e.attributes[0].Name(), "averyveryverylo");
    EXPECT_EQ(e.attributes[0].Value().size(), 511u);
  });
}

TEST(MarkupTokenizer, TextCollectsUntilTheHandlerConsumesIt) {
  std::vector<std::string> seen;
  Tokenize("one two <b>three", [&](MarkupEvent& e) { seen.emplace_back(e.Text()); });
  EXPECT_EQ(seen, (std::vector<std::string>{"one ", "one two ", "one two ", "one two three"}));
}

TEST(MarkupTokenizer, LengthArgument) {
  int events = 0;
  const char text[] = "ab cd\0ef";
  const auto count = [](MarkupEvent& e) { ++*static_cast<int*>(e.data); };
  EXPECT_EQ(Tokenize(text, -1, count, &events), 5u);
  EXPECT_EQ(events, 2);
  events = 0;
  EXPECT_EQ(Tokenize(text, 2, count, &events), 2u);
  EXPECT_EQ(events, 1);
  EXPECT_EQ(Tokenize(nullptr, -1, count, &events), 0u);
}

TEST(CharEntities, TableIsSortedForTheBinarySearch) {
  const auto table = CharEntities();
  ASSERT_EQ(table.size(), 84u);
  EXPECT_TRUE(std::is_sorted(table.begin(), table.end(),
                             [](const CharEntity& a, const CharEntity& b) { return std::strcmp(a.name, b.name) < 0; }));
  for (const CharEntity& e : table) {
    const auto found = FindCharEntity(e.name);
    ASSERT_TRUE(found) << e.name;
    EXPECT_EQ(found->code, e.code) << e.name;
  }
  EXPECT_FALSE(FindCharEntity("Amp"));  // names are case-sensitive
  EXPECT_FALSE(FindCharEntity(""));
  EXPECT_FALSE(FindCharEntity("zzz"));
}

class TokenizeFileTest : public ::testing::Test {
 protected:
  std::vector<std::string> Read(CourseFile& file, bool skipHeader) {
    std::vector<std::string> texts;
    TokenizeFile(
        file,
        [&texts](MarkupEvent& e) {
          texts.emplace_back(e.Text());
          e.ConsumeText();
        },
        skipHeader);
    return texts;
  }
};

TEST_F(TokenizeFileTest, ReadsTheRestOfAFileOrAContainersText) {
  const std::string text = "<p>Hello";
  auto plain = CourseFile::FromMemory(std::vector<std::uint8_t>(text.begin(), text.end()), "plain.txt");
  EXPECT_EQ(Read(plain, false), (std::vector<std::string>{"", "Hello"}));
  EXPECT_FALSE(plain.isOpen());

  ContainerWriter w;
  w.AddEntry(kEntryPicture, "Pic", {1, 2, 3});
  w.SetText(std::vector<std::uint8_t>(text.begin(), text.end()));
  auto container = CourseFile::FromMemory(w.Build(), "page.pag");
  EXPECT_EQ(Read(container, true), (std::vector<std::string>{"", "Hello"}));
  EXPECT_FALSE(container.isOpen());
}

TEST_F(TokenizeFileTest, DamagedContainerClosesTheFileAndReports) {
  ContainerWriter w;
  w.AddEntry(kEntryPicture, "Pic", std::vector<std::uint8_t>(100, 1));
  auto bytes = w.Build();
  bytes.resize(30);  // the directory runs past the end
  auto file = CourseFile::FromMemory(bytes, "cut.pag");
  EXPECT_THROW(Read(file, true), CourseFileError);
  EXPECT_FALSE(file.isOpen());
}

}  // namespace
