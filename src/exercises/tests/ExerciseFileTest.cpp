// The exercise reader: line ends, keys, fonts, heights, pictures, over-long lines, files
// without questions; and the boxes' item marks with their limits.
#include <gtest/gtest.h>

#include <limits>

#include "course/ByteReader.h"
#include "exercises/ExerciseFile.h"
#include "exercises/QuizBox.h"

namespace {

ExerciseText Parse(std::string_view text, const PictureLookup& pictures = {}) {
  return ParseExerciseText(BytesOf(text), pictures);
}

std::vector<std::string> Fills(const ExerciseText& t) {
  std::vector<std::string> out;
  for (const auto& q : t.questions) out.push_back(q.fill);
  return out;
}

bool HasProblem(const ExerciseText& t, int line, std::string_view fragment) {
  for (const auto& p : t.problems)
    if (p.line == line && p.text.find(fragment) != std::string::npos) return true;
  return false;
}

TEST(ExerciseFile, LineEndsSplitQuestions) {
  struct Row {
    const char* what;
    std::string text;
    std::vector<std::string> fills;
    std::vector<std::string> choices;
  };
  const Row rows[] = {
      {"LF", "fill:A\nchoices:C\n\nfill:B\n", {"A", "B"}, {"C", ""}},
      {"CR", "fill:A\rchoices:C\r\rfill:B\r", {"A", "B"}, {"C", ""}},
      // Each CR LF is a line end and an empty line: the first record ends after "fill:A",
      // and its choices line goes to the next question.
      {"CR LF", "fill:A\r\nchoices:C\r\n\r\nfill:B\r\n", {"A", "B"}, {"", "C"}},
      {"NUL ends the text", std::string("fill:A\0\nfill:B\n", 15), {"A"}, {""}},
      {"no line end at the end", "fill:A", {"A"}, {""}},
      {"blank lines before a fill keep the keys", "choices:C\n\n\nfill:A\n", {"A"}, {"C"}},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.what);
    const ExerciseText t = Parse(r.text);
    EXPECT_EQ(Fills(t), r.fills);
    ASSERT_EQ(t.questions.size(), r.choices.size());
    for (std::size_t i = 0; i < r.choices.size(); ++i) EXPECT_EQ(t.questions[i].choices, r.choices[i]);
  }
  EXPECT_TRUE(HasProblem(Parse("fill:A\r\nhint:h\r\n"), 0, "CR LF"));
  EXPECT_TRUE(Parse("fill:A\rhint:h\r").problems.empty());
}

TEST(ExerciseFile, FontInEverySpelling) {
  struct Row {
    const char* value;
    bool source, dest;
  };
  const Row rows[] = {
      {"fixed", true, true},        {"fixedSource", true, false}, {"fixedDest", false, true},
      {"1", true, true},            {"0", false, false},          {"FIXEDSOURCE", true, false},
      {"FixedDest", false, true},   {"Fixed", true, true},        {"12pt", true, true},
      {"", false, false},           {"courier", false, false},    {"fixed ", false, false},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.value);
    const ExerciseText t = Parse(std::string("fill:x\nfont:") + r.value + "\n");
    ASSERT_EQ(t.questions.size(), 1u);
    EXPECT_EQ(t.questions[0].fixedSource, r.source);
    EXPECT_EQ(t.questions[0].fixedDest, r.dest);
  }
}

TEST(ExerciseFile, KeysValuesAndHeights) {
  const ExerciseText t = Parse(
      "TITLE:First\n"
      "fill: spaced \xC7" "a\xC8\n"
      "Hint:h1\n"
      "hint:h2\n"
      "height:120px\n"
      "sound:x\ncomment:y\nheight_mac:300\n"
      "also:\xC7z\xC8\n"
      "\n"
      "title:Second\n"
      "Height_Win:-5\n"
      "also:\xC7z\xC8\n"
      "choices:\xC7q\xC8\n"
      "fill:b\n"
      "bogus:1\n"
      "just words\n");
  EXPECT_EQ(t.title, "Second");  // at once, whatever record is being read
  ASSERT_EQ(t.questions.size(), 2u);
  const auto& a = t.questions[0];
  EXPECT_EQ(a.fill, " spaced \xC7" "a\xC8");  // values verbatim
  EXPECT_EQ(a.hint, "h2");
  EXPECT_EQ(a.height, 120);
  EXPECT_TRUE(a.also);
  EXPECT_EQ(a.line, 2);
  const auto& b = t.questions[1];
  EXPECT_EQ(b.height, -5);
  EXPECT_TRUE(b.also);  // choices replaces the text but keeps the mark
  EXPECT_EQ(b.choices, "\xC7q\xC8");
  EXPECT_FALSE(b.hint.has_value());
  EXPECT_TRUE(HasProblem(t, 16, "\"bogus\" is not known"));
  EXPECT_TRUE(HasProblem(t, 17, "without \"key:\""));
  EXPECT_EQ(t.problems.size(), 2u);

  struct Int {
    const char* text;
    std::int32_t value;
  };
  const Int ints[] = {{"42", 42},   {"  7x", 7}, {"-13", -13}, {"+5", 5}, {"x1", 0}, {"", 0},
                      {"99999999999", std::numeric_limits<std::int32_t>::max()},
                      {"-99999999999", std::numeric_limits<std::int32_t>::min()}};
  for (const Int& i : ints) EXPECT_EQ(LeadingInteger(i.text), i.value) << i.text;
}

TEST(ExerciseFile, TheRestOfAnOverLongLineIsDropped) {
  const std::string head = "fill:" + std::string(exercise::kMaxLine - 5, 'a');
  const ExerciseText t = Parse(head + "hint:not a line\nchoices:\xC7" "c\xC8\n");
  ASSERT_EQ(t.questions.size(), 1u);
  EXPECT_EQ(t.questions[0].fill.size(), exercise::kMaxLine - 5);
  EXPECT_FALSE(t.questions[0].hint.has_value());
  EXPECT_EQ(t.questions[0].choices, "\xC7" "c\xC8");
  EXPECT_TRUE(HasProblem(t, 1, "longer than 1023"));
  // Exactly 1023 bytes is whole.
  EXPECT_FALSE(HasProblem(Parse(head + "\n"), 1, "longer"));
}

TEST(ExerciseFile, PicturesMustBeInTheFile) {
  const PictureLookup lookup = [](std::string_view name) { return name == "curve" || name == "bars"; };
  const ExerciseText t = Parse("fill:a\npicture:curve\npicture:missing\n\nfill:b\npicture:bars\npicture:curve\n", lookup);
  ASSERT_EQ(t.questions.size(), 2u);
  EXPECT_EQ(t.questions[0].pictureName, "curve");  // the missing one is ignored
  EXPECT_EQ(t.questions[1].pictureName, "curve");  // the later one replaces
  EXPECT_TRUE(HasProblem(t, 3, "\"missing\" is not in the exercise file"));
  EXPECT_EQ(Parse("fill:a\npicture:curve\n").questions[0].pictureName, "");  // no lookup: no picture
}

TEST(ExerciseFile, WithoutFillThereAreNoQuestions) {
  const ExerciseText t = Parse("title:Empty\nhint:h\nchoices:\xC7x\xC8\n");
  EXPECT_TRUE(t.questions.empty());
  EXPECT_EQ(t.title, "Empty");
  EXPECT_TRUE(HasProblem(t, 0, "no question"));
  EXPECT_TRUE(HasProblem(t, 3, "without a fill line, are dropped"));
  EXPECT_TRUE(Parse("").questions.empty());
}

std::vector<std::string> SlotTexts(const QuizBox& box) {
  std::vector<std::string> out;
  for (const auto& s : box.slotList()) out.push_back(s.text);
  return out;
}

TEST(QuizBox, ItemsBecomeSlots) {
  QuizBox fill;
  fill.Parse("a \xC7x y\xC8.\tb\xA6" "c", QuizBox::Role::Fill);
  EXPECT_EQ(SlotTexts(fill), std::vector<std::string>{"???"});
  EXPECT_TRUE(fill.slotList()[0].flag);
  EXPECT_EQ(fill.items(), std::vector<std::string>{"x y"});
  std::vector<QuizPiece::Kind> kinds;
  for (const auto& p : fill.pieces()) kinds.push_back(p.kind);
  using K = QuizPiece::Kind;
  EXPECT_EQ(kinds, (std::vector<K>{K::kText, K::kSpace, K::kItem, K::kText, K::kTab, K::kText, K::kBreak, K::kText}));
  EXPECT_TRUE(fill.problems().empty());

  QuizBox choices;
  choices.Parse("\xC7one\xC8\t\xC7two\xC8", QuizBox::Role::Choices);
  EXPECT_EQ(SlotTexts(choices), (std::vector<std::string>{"one", "two"}));
  EXPECT_FALSE(choices.slotList()[0].flag);
}

TEST(QuizBox, MarksThatDoNotPairUpAreNeverTrusted) {
  std::string many;
  for (int i = 0; i < 45; ++i) many += "\xC7" + std::to_string(i) + "\xC8 ";
  const std::string longItem(70, 'L');
  struct Row {
    const char* what;
    std::string text;
    std::vector<std::string> items;
    const char* problem;
  };
  const Row rows[] = {
      {"nested", "\xC7" "a \xC7" "b\xC8 c", {"b"}, "inside another"},
      {"left open", "x \xC7" "abc", {}, "not closed"},
      {"stray close", "a\xC8 \xC7" "b\xC8", {"b"}, "not opened"},
      {"more than 40", many, {}, "after the 40th"},
      {"longer than 55", "\xC7" + longItem + "\xC8", {longItem}, "longer than 55"},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.what);
    QuizBox box;
    box.Parse(r.text, QuizBox::Role::Choices);
    if (std::string(r.what) == "more than 40") {
      EXPECT_EQ(box.slotList().size(), QuizBox::kMaxSlots);
      EXPECT_EQ(box.items().back(), "39");
    } else {
      EXPECT_EQ(box.items(), r.items);
      EXPECT_EQ(SlotTexts(box), r.items);  // a long choice is kept whole
    }
    ASSERT_FALSE(box.problems().empty());
    EXPECT_NE(box.problems()[0].find(r.problem), std::string::npos) << box.problems()[0];
    for (const auto& piece : box.pieces()) EXPECT_LE(piece.end, box.text().size());
  }
  QuizBox big;
  big.Parse(std::string(2000, 'x'), QuizBox::Role::Fill);
  EXPECT_EQ(big.text().size(), QuizBox::kMaxText);
}

TEST(QuizBox, GeneratedChoicesAreDistinctSortedAndAnswersComeFirst) {
  struct Row {
    const char* what;
    std::string fill, extra;
    bool also;
    std::string expected;
  };
  const Row rows[] = {
      {"answers only", "\xC7" "b\xC8 \xC7" "a\xC8 \xC7" "b\xC8", "", false, "\xC7" "a\xC8\t\xC7" "b\xC8\t"},
      {"also merged", "\xC7" "b\xC8", "\xC7" "c\xC8\t\xC7" "b\xC8\t\xC7" "a\xC8", true,
       "\xC7" "a\xC8\t\xC7" "b\xC8\t\xC7" "c\xC8\t"},
      {"by byte value", "\xC7\x8A\xC8 \xC7" "a\xC8 \xC7Z\xC8 \xC7" "10\xC8 \xC7" "9\xC8", "", false,
       "\xC7" "10\xC8\t\xC7" "9\xC8\t\xC7Z\xC8\t\xC7" "a\xC8\t\xC7\x8A\xC8\t"},
      {"extra ignored without also", "\xC7" "a\xC8", "\xC7" "c\xC8", false, "\xC7" "a\xC8\t"},
  };
  for (const Row& r : rows) EXPECT_EQ(GenerateChoices(r.fill, r.extra, r.also), r.expected) << r.what;

  // 40 answers and 10 extra choices: the box holds 40, and every answer stays.
  std::string fill, extra;
  for (int i = 0; i < 40; ++i) fill += "\xC7z" + std::to_string(100 + i) + "\xC8 ";
  for (int i = 0; i < 10; ++i) extra += "\xC7" "a" + std::to_string(i) + "\xC8 ";
  QuizBox box;
  box.Parse(GenerateChoices(fill, extra, true), QuizBox::Role::Choices);
  ASSERT_EQ(box.slotList().size(), 40u);
  EXPECT_EQ(box.slotList().front().text, "z100");
  EXPECT_TRUE(box.problems().empty());

  // Long extra choices run into the text limit; what is kept still parses whole.
  std::string longExtra;
  for (int i = 0; i < 39; ++i) longExtra += "\xC7" + std::string(50, char('A' + i % 26)) + std::to_string(i) + "\xC8";
  const std::string generated = GenerateChoices("\xC7ok\xC8", longExtra, true);
  EXPECT_LE(generated.size(), QuizBox::kMaxText);
  box.Parse(generated, QuizBox::Role::Choices);
  EXPECT_TRUE(box.problems().empty());
  EXPECT_NE(std::find(box.items().begin(), box.items().end(), "ok"), box.items().end());
}

}  // namespace
