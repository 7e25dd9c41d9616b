// The exercise engine: answering and checking, the done marks and where Back and Next go,
// the boxes' heights, Undo, and what Copy puts on the clipboard.
#include <gtest/gtest.h>

#include "course/ByteReader.h"
#include "exercises/QuizSession.h"

namespace {

QuizSession Session(std::string_view text) {
  QuizSession s;
  s.Load(ParseExerciseText(BytesOf(text)));
  s.Show(0);
  return s;
}

std::vector<bool> Flags(const QuizSession& s) {
  std::vector<bool> out;
  for (const auto& slot : s.fill().slotList()) out.push_back(slot.flag);
  return out;
}

// Two blanks: "mean" and "median".
constexpr char kCentre[] = "fill:The \xC7mean\xC8 and the \xC7median\xC8.\nhint:Add them up.\n\nfill:\xC7" "5\xC8\n";

TEST(QuizSession, TheLastDropChecksAndAWrongAnswerStaysRed) {
  QuizSession s = Session(kCentre);
  ASSERT_EQ(s.count(), 2);
  EXPECT_FALSE(s.CheckEnabled());  // every blank still reads "???"
  EXPECT_EQ(s.DropAnswer(0, "median"), QuizSession::Drop::Placed);
  EXPECT_EQ(Flags(s), (std::vector<bool>{false, true}));  // green until checked
  EXPECT_TRUE(s.CheckEnabled());
  EXPECT_EQ(s.DropAnswer(1, "median"), QuizSession::Drop::AllFilled);
  const auto wrong = s.AutoCheck();
  EXPECT_FALSE(wrong.allRight);
  EXPECT_EQ(wrong.wrong, std::vector<int>{0});
  EXPECT_EQ(s.fill().slotList()[0].text, "median");  // the wrong answer stays in its blank
  EXPECT_EQ(Flags(s), (std::vector<bool>{true, false}));
  EXPECT_FALSE(s.questions()[0].done);

  // "means" begins with "mean": the comparison runs over the answer's length.
  EXPECT_EQ(s.DropAnswer(0, "means"), QuizSession::Drop::AllFilled);
  const auto right = s.AutoCheck();
  EXPECT_TRUE(right.allRight);
  EXPECT_TRUE(s.questions()[0].done);
  EXPECT_FALSE(s.CanUndo());
  EXPECT_FALSE(s.CheckEnabled());
  EXPECT_EQ(s.DropAnswer(0, "x"), QuizSession::Drop::Ignored);  // a done question takes nothing
}

TEST(QuizSession, CheckComparesByteForByteAndSaysWhetherAnyFlagChanged) {
  struct Row {
    const char* answer0;
    const char* answer1;
    std::vector<bool> flags;
    bool changed;
  };
  // Flags start set (unanswered); a drop clears the blank's flag until a check.
  const Row rows[] = {
      {"mean", nullptr, {false, true}, false},   // right stays clear, "???" stays set
      {"Mean", nullptr, {true, true}, true},     // case counts
      {"mea", nullptr, {true, true}, true},      // shorter than the answer
      {"mean", "medians", {false, false}, false},
      {"mean", "med", {false, true}, true},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.answer0);
    QuizSession s = Session(kCentre);
    s.DropAnswer(0, r.answer0);
    if (r.answer1) {
      s.fill().slotList()[1].text = r.answer1;  // as a drop would, without the automatic check
      s.fill().slotList()[1].flag = false;
    }
    const auto c = s.Check();
    EXPECT_EQ(Flags(s), r.flags);
    EXPECT_EQ(c.changed, r.changed);
    EXPECT_FALSE(s.questions()[0].done);  // Check never marks a question done
  }
}

TEST(QuizSession, UndoSwapsTheLastDropAndRedoSwapsBack) {
  QuizSession s = Session(kCentre);
  EXPECT_FALSE(s.CanUndo());
  s.DropAnswer(1, "mean");
  s.DropAnswer(1, "median");
  ASSERT_TRUE(s.CanUndo());
  s.Undo();
  EXPECT_EQ(s.fill().slotList()[1].text, "mean");
  EXPECT_FALSE(s.fill().slotList()[1].flag);
  s.Undo();
  EXPECT_EQ(s.fill().slotList()[1].text, "median");
  s.Show(1);
  EXPECT_FALSE(s.CanUndo());  // a question shown forgets the last drop
  s.Show(0);
  EXPECT_EQ(s.fill().slotList()[1].text, "???");  // shown again: answers of a question not done are cleared
}

TEST(QuizSession, BackAndNextGoToTheNearestQuestionNotDoneAndNextClosesAtTheEnd) {
  QuizSession s = Session("fill:\xC7" "a\xC8\n\nfill:\xC7" "b\xC8\n\nfill:\xC7" "c\xC8\n\nfill:\xC7" "d\xC8\n");
  ASSERT_EQ(s.count(), 4);
  EXPECT_EQ(s.NextTarget(), 1);
  EXPECT_EQ(s.BackTarget(), 3);  // cyclically from the first to the last
  auto answer = [&](int q, const char* text) {
    s.Show(q);
    ASSERT_EQ(s.DropAnswer(0, text), QuizSession::Drop::AllFilled);
    ASSERT_TRUE(s.AutoCheck().allRight);
  };
  answer(1, "b");
  answer(3, "d");
  s.Show(0);
  EXPECT_EQ(s.NextTarget(), 2);
  EXPECT_EQ(s.BackTarget(), 2);
  answer(2, "c");
  EXPECT_EQ(s.NextTarget(), 0);
  EXPECT_TRUE(s.NextEnabled());
  EXPECT_FALSE(s.AllDone());
  answer(0, "a");
  EXPECT_EQ(s.NextTarget(), -1);
  EXPECT_FALSE(s.BackEnabled());
  EXPECT_FALSE(s.NextEnabled());
  EXPECT_TRUE(s.AllDone());  // Next reads Close
}

TEST(QuizSession, AnExerciseWithoutQuestionsIsNeverDone) {
  QuizSession s = Session("title:Nothing\nhint:no fill\n");
  EXPECT_EQ(s.count(), 0);
  EXPECT_EQ(s.current(), -1);
  EXPECT_FALSE(s.AllDone());
  EXPECT_FALSE(s.BackEnabled());
  EXPECT_FALSE(s.NextEnabled());
  EXPECT_FALSE(s.HintEnabled());
  EXPECT_FALSE(s.CheckEnabled());
  EXPECT_EQ(s.DropAnswer(0, "x"), QuizSession::Drop::Ignored);
  EXPECT_FALSE(s.AutoCheck().allRight);
}

TEST(QuizSession, HeightsResizeTheBoxesWithinTheWindow) {
  struct Row {
    const char* height;  // nullptr: the question has none
    int fillHeight, choicesTop;
  };
  const Row rows[] = {
      {nullptr, 148, 156},   // as created
      {"66", 74, 82},        // 66 x 148 / 132
      {nullptr, 74, 82},     // no height keeps the changed boxes
      {"132", 148, 156},
      {"200", 224, 232},     // 200 x 148 / 132 = 224.2
      {"-50", 32, 40},       // never inverted: the smallest box
      {"0", 32, 40},
      {"1000", 260, 268},    // the choices box keeps its caption and a line
      {"2147483647", 260, 268},  // the largest 32-bit height: no overflow
  };
  std::string text;
  for (const Row& r : rows) {
    text += "fill:\xC7x\xC8\n";
    if (r.height) text += std::string("height:") + r.height + "\n";
    text += "\n";
  }
  QuizSession s;
  s.Load(ParseExerciseText(BytesOf(text)));
  for (int i = 0; i < static_cast<int>(std::size(rows)); ++i) {
    SCOPED_TRACE(i);
    s.Show(i);
    EXPECT_EQ(s.fillRect().top(), 4);
    EXPECT_EQ(s.fillRect().height(), rows[i].fillHeight);
    EXPECT_EQ(s.choicesRect().top(), rows[i].choicesTop);
    EXPECT_EQ(s.choicesRect().bottom() + 1, 300);
  }
}

TEST(QuizSession, ChoicesExplicitOrGenerated) {
  QuizSession s = Session(
      "fill:\xC7" "b\xC8 \xC7" "a\xC8\nchoices:\xC7z\xC8\t\xC7" "b\xC8\t\xC7" "a\xC8\n\n"
      "fill:\xC7" "b\xC8 \xC7" "a\xC8\nalso:\xC7" "c\xC8\t\xC7" "a\xC8\n\n"
      "fill:\xC7" "b\xC8\nchoices:\n");
  auto texts = [&] {
    std::vector<std::string> out;
    for (const auto& slot : s.choices().slotList()) out.push_back(slot.text);
    return out;
  };
  EXPECT_EQ(texts(), (std::vector<std::string>{"z", "b", "a"}));  // unchanged order
  s.Show(1);
  EXPECT_EQ(texts(), (std::vector<std::string>{"a", "b", "c"}));
  s.Show(2);
  EXPECT_EQ(texts(), (std::vector<std::string>{"b"}));  // an empty choices line generates
}

TEST(QuizSession, CopyGivesBothBoxesWithTheBlanksAsTheyStand) {
  QuizSession s = Session("fill:\xB5 is \xC7mean\xC8.\xA6\xD2Next\xD3 \xC7x\xC8\nalso:\xC7\xB5\xC8\n");
  s.DropAnswer(0, "mean");
  EXPECT_EQ(s.CopyText(),
            "\xCE\xBC is mean.\r\n\"Next\" ???\r\n\r\n"  // mu, straight quotes, the blank unanswered
            "mean\tx\t\xCE\xBC\t\r\n");
}

TEST(QuizSession, TerminalAnswersBecomeExerciseBytes) {
  EXPECT_EQ(Utf8ToExerciseText("mean"), "mean");
  EXPECT_EQ(Utf8ToExerciseText("\xE2\x89\xA0"), "\xAD");  // not-equal sign
  EXPECT_EQ(Utf8ToExerciseText("\xE2\x82\xAC"), "\xDB");  // euro sign
  EXPECT_EQ(Utf8ToExerciseText("\xF0\x9F\x98\x80"), "?");
  EXPECT_EQ(ExerciseTextToUtf8("\xAD"), "\xE2\x89\xA0");
}

}  // namespace
