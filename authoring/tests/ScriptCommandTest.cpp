#include <gtest/gtest.h>

#include "KncourseRunner.h"
#include "TestSupport.h"
#include "course/ResourceContainer.h"

namespace {

using kntest::RunKncourse;

TEST(ScriptCommand, TokensOfTheDocumentedLines) {
  const struct {
    const char* source;
    const char* tokens;
  } cases[] = {
      {"if x<=3 then", "if x less_or_equal value_char=3 then newline"},
      {"x<3", "x less_than value_char=3 newline"},
      {"a<<2", "shift_left value_char=2 newline"},
      {"x -5", "x value_char=-5 newline"},
      {"3-5", "value_char=3 minus value_char=5 newline"},
      {"200 -200 70000 2.5 3.0",
       "value_byte=200 value_short=-200 value_long=70000 value_float=2.5 value_char=3 newline"},
      {"display \"a \\\"b\\\" c\"", "display literal=\"a \\\"b\\\" c\" newline"},
      {"Circle CIRCLE circle y_axis", "circle circle circle y_axis newline"},
      {"circle foo at", "circle at newline"},
  };
  for (const auto& c : cases) {
    const auto r = RunKncourse({"script", "tokens", c.source});
    EXPECT_EQ(r.status, 0) << c.source << r.err;
    EXPECT_EQ(r.out, std::string(c.tokens) + "\n") << c.source;
  }
}

TEST(ScriptCommand, EvaluatesTheDocumentedExpressions) {
  const struct {
    std::vector<std::string> args;
    const char* out;
    int status;
  } cases[] = {
      {{"2 * 3 + 4"}, "integer 14\n", 0},
      {{"10 - 4 - 3"}, "integer 9\n", 0},
      {{"(10 - 4) - 3"}, "integer 3\n", 0},
      {{"7 / 2"}, "real 3.5\n", 0},
      {{"7 div 2"}, "integer 3\n", 0},
      {{"7 div 0"}, "integer 0\n", 0},
      {{"7 / 0"}, "real 0\n", 0},
      {{"1 = 1.00001"}, "integer 1\n", 0},
      {{"\"abc\" = \"ABC\""}, "integer 0\n", 0},
      {{"\"abc\" + 1"}, "text \"abc\"\nrest: plus value_char=1\n", 0},
      {{"--as", "colour", "\"#FF0000\""}, "colour 0x020000FF (255, 0, 0)\n", 0},
      {{"{255, 0, 0}", "--as", "color"}, "colour 0x00FF0000 (0, 0, 255)\n", 0},
      {{"--as", "point", "100"}, "point (-1, 100)\n", 0},
      {{"--as", "point", "\"a\""}, "text \"a\", which does not convert to point\n", 1},
      {{"random 6 seed 1"}, "integer 5\n", 0},
      {{"--seed", "1", "random 6"}, "integer 5\n", 0},
      {{"round 2.5"}, "integer 3\n", 0},
      {{"round -2.5"}, "integer -3\n", 0},
      {{"round 3.14159 decimals 2"}, "real 3.14\n", 0},
      {{"item 4 of {1, 2, 3}"}, "nothing\n", 1},
      {{"item 3 of {1, 2, 3}"}, "integer 3\n", 0},
      {{"int0"}, "integer 0 [variable int0]\n", 0},
      {{"Circle"}, "keyword circle (41)\n", 0},
      {{"CIRCLE"}, "keyword circle (41)\n", 0},
      {{"y_axis"}, "keyword y_axis (552)\n", 0},
      {{"\"caf\xC3\xA9\" & 1"},
       "text \"caf\xC3\xA9"
       "1\"\n",
       0},  // UTF-8 in, course bytes inside, UTF-8 out
  };
  for (const auto& c : cases) {
    std::vector<std::string> args{"script", "eval"};
    args.insert(args.end(), c.args.begin(), c.args.end());
    const auto r = RunKncourse(args);
    EXPECT_EQ(r.out, c.out) << c.args.back() << r.err;
    EXPECT_EQ(r.status, c.status) << c.args.back();
  }
}

TEST(ScriptCommand, ReadsArgumentListsWithWithAndWithout) {
  const struct {
    const char* source;
    const char* out;
  } cases[] = {
      {"with show_mean", "show_mean = integer 1\n"},
      {"\"Box\" without number color red",
       "positional = text \"Box\"\nnumber = integer 0\ncolor = colour 0x024E3FFF (255, 63, 78)\n"},
      {"from 1 2 3 to 4",
       "from = integer 1\nunread: integer 2\nunread: integer 3\nunread: keyword to (226)\nunread: integer 4\n"},
  };
  for (const auto& c : cases) {
    const auto r = RunKncourse({"script", "args", c.source});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, c.out) << c.source;
  }
}

std::filesystem::path WriteExposition(const std::string& text) {
  ContainerWriter w;
  w.SetTypeCode(*TypeCodeFromString("expo"));
  w.AddEntry(kEntrySound, "Ding", {1, 2, 3});
  w.SetText(std::vector<std::uint8_t>(text.begin(), text.end()));
  const auto path = kntest::MakeTempDir("script") / "lesson.exp";
  kntest::WriteFileBytes(path, w.Build());
  return path;
}

TEST(ScriptCommand, ListsTheChunksOfAnExpositionFile) {
  const auto path = WriteExposition(
      ":display \"Hello\"\r\n"
      "Welcome.\r\n"
      "+2.5 label intro\r\n"
      ":circle at {10, 20}\r\n"
      ":wait 1\r\n"
      "- a comment\r\n"
      "Some narration.\r\n"
      "+4 label clearing\r\n"
      ":clear\r\n"
      "~\r\n"
      ":line\r\n");
  const auto r = RunKncourse({"script", "chunks", path.string()});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out,
            "type code: expo\n"
            "entry: sound   Ding (3 bytes)\n"
            "chunks: 3\n"
            "chunk 0: start 661 (0.030 s), clear, 9 token bytes\n"
            "  display literal=\"Hello\" newline\n"
            "chunk 1: start 55125 (2.500 s), label \"intro\", 14 token bytes\n"
            "  circle at lbracket value_char=10 comma value_char=20 rbracket newline\n"
            "  wait value_char=1 newline\n"
            "chunk 2: start 88200 (4.000 s), clear, label \"clearing\", 2 token bytes\n"
            "  clear newline\n");
}

TEST(ScriptCommand, ReportsWhereLoadingStopped) {
  const auto dir = kntest::MakeTempDir("text");
  kntest::WriteFileText(dir / "long.txt", ":circle\nNarration\n:" + std::string(1100, 'x') + "\nEnd\n");
  const auto r = RunKncourse({"script", "chunks", "--text", (dir / "long.txt").string()});
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.out.find("chunks: 1\n"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("stopped at line 3 (text offset 18): line longer than 1024 characters"), std::string::npos)
      << r.out;
}

TEST(ScriptCommand, UsageAndFileErrors) {
  EXPECT_EQ(RunKncourse({"script", "--help"}).status, 0);
  EXPECT_EQ(RunKncourse({"script"}).status, 2);
  EXPECT_EQ(RunKncourse({"script", "eval"}).status, 2);
  EXPECT_EQ(RunKncourse({"script", "eval", "--as", "list", "1"}).status, 2);
  EXPECT_EQ(RunKncourse({"script", "frobnicate"}).status, 2);
  const auto dir = kntest::MakeTempDir("bad");
  kntest::WriteFileText(dir / "short.exp", "abc");
  const auto r = RunKncourse({"script", "chunks", (dir / "short.exp").string()});
  EXPECT_EQ(r.status, 2);
  EXPECT_NE(r.err.find("12-byte header"), std::string::npos) << r.err;
  EXPECT_EQ(RunKncourse({"script", "chunks", (dir / "missing.exp").string()}).status, 2);
}

}  // namespace
