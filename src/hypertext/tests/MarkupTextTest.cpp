#include <gtest/gtest.h>

#include <string>

#include "hypertext/MarkupText.h"

namespace {

TEST(StripMarkup, RemovesTagsAndCommentsAndDecodesEntities) {
  const struct {
    const char* markup;
    const char* text;
  } cases[] = {
      {"", ""},
      {"plain", "plain"},
      {"<B>Bold</B> and <I>italic</I>", "Bold and italic"},
      {"x &lt; y &amp;&amp; &#65;", "x < y && A"},
      {"a<!-- note -->b", "ab"},
      {"&theta; = 1", "q = 1"},  // Symbol-font bytes stay bytes
      {"<title>T</title>", "T"},
      {"line\xA6" "break", "line\nbreak"},
      {"<p>", ""},
      {"Why the\nmedian", "Why the median"},
      {"line \r\nnext\n", "line next"},
  };
  for (const auto& c : cases) EXPECT_EQ(StripMarkup(c.markup), c.text) << c.markup;
}

TEST(StripMarkup, LongFormStopsAtTheTokenizersTextLimit) {
  std::string markup;
  for (int i = 0; i < 400; ++i) markup += "<b>word</b> ";
  EXPECT_EQ(StripMarkup(markup).size(), 2000u);
  markup += std::string(1000, 'x');
  EXPECT_EQ(StripMarkup(markup).size(), 2560u);
}

TEST(StripMarkup, ShortFormFitsItsField) {
  std::string title = "<b>Title</b>";
  StripMarkupInPlace(title);
  EXPECT_EQ(title, "Title");
  std::string longTitle = "<i>" + std::string(400, 't') + "</i>";
  StripMarkupInPlace(longTitle);
  EXPECT_EQ(longTitle, std::string(kShortStripLimit, 't'));
  std::string empty;
  StripMarkupInPlace(empty);
  EXPECT_EQ(empty, "");
}

TEST(FindTermPhrase, TakesTheTAttributeOfTheClosingTagThatMatches) {
  const struct {
    const char* term;
    const char* markup;
    const char* phrase;
  } cases[] = {
      {"standard deviation", "The <dfn>standard deviation</dfn t=\"spread of the heights\"> is", "spread of the heights"},
      {"mean", "<d>mean</d t=\"first\" x=\"y\" tail=\"second\">", "second"},
      {"mean", "<d>mean</d>", ""},  // a match without phrase
      {"mean", "<d>median</d t=\"no\">", ""},
      {"mean", "the mean</d t=\"context\">", ""},  // text before the term does not match
      {"mean", "<d>mean</d t=\"one\"> <d>mean</d t=\"two\">", "one"},
      {"mean", "<d>me<b>an</b></d t=\"split\">", ""},  // every other tag starts the text over
      // The phrase written on the opening tag, as authors do; the closing tag's wins.
      {"cases", "its <dfn t=\"the individuals\">cases</dfn>.", "the individuals"},
      {"cases", "<dfn t=\"open\">cases</dfn t=\"close\">", "close"},
      {"cases", "<dfn t=\"lost\"><b>cases</b></dfn>", ""},  // another tag came between
  };
  for (const auto& c : cases) EXPECT_EQ(FindTermPhrase(c.term, c.markup), c.phrase) << c.markup;
}

TEST(MarkupToCopyText, ShowsWhatTheLearnerReads) {
  EXPECT_EQ(MarkupToCopyText("a &theta; b"), "a \xCE\xB8 b");
  EXPECT_EQ(MarkupToCopyText("<font face=\"symbol\">S</font>x"), "\xCE\xA3x");
  EXPECT_EQ(MarkupToCopyText("note\xA4 one<br>two\xA6three"), "note* one\r\ntwo\r\nthree");
  EXPECT_EQ(MarkupToCopyText("caf\xE9 &euro;"), "caf\xC3\xA9 \xE2\x82\xAC");
}

}  // namespace
