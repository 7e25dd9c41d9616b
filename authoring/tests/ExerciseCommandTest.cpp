// kncourse exercise dump and check over the bundled course's exercises and over files
// written here: what the window shows of each question, and the window's judgement.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "KncourseRunner.h"
#include "TestSupport.h"
#include "course/ResourceContainer.h"

namespace fs = std::filesystem;
using kntest::RunKncourse;

namespace {

fs::path BuiltCourse() {
  const char* bin = std::getenv("KN_BINARY_DIR");
  return fs::path(bin ? bin : "build") / "bin" / "course";
}

std::string WriteExercise(const std::string& text) {
  ContainerWriter w;
  w.SetText(std::vector<std::uint8_t>(text.begin(), text.end()));
  const fs::path path = kntest::MakeTempDir("exercise") / "x.fil";
  kntest::WriteFileBytes(path, w.Build());
  return path.string();
}

TEST(ExerciseCommand, DumpShowsEachQuestionAsTheWindowDoes) {
  const fs::path prop = BuiltCourse() / "nm" / "nmprop.fil";
  if (!fs::exists(prop)) GTEST_SKIP() << "the sample course is not built";
  const auto r = RunKncourse({"exercise", "dump", prop.string()});
  ASSERT_EQ(r.status, 0) << r.err;
  for (const char* expected : {"title: Finding normal proportions", "questions: 3", "question 1 (line 3)",
                               "z = [1], and the table", "blank 2:  0.1587", "choices:  -1 | 0.1587 | 0.8413 | 1  (generated, with also)",
                               "picture:  leftarea", "boxes:    fill 4,4 412x148, choices 4,156 412x144 (height 0)"})
    EXPECT_NE(r.out.find(expected), std::string::npos) << expected << " in\n" << r.out;

  const auto fonts = RunKncourse(
      {"exercise", "dump", WriteExercise("fill:a \xC7" "b\xC8\xA6" "c\nfont:fixedDest\nheight:66\nbogus:1\n")});
  ASSERT_EQ(fonts.status, 0) << fonts.err;
  for (const char* expected : {"title: (none", "a [1]\xC2\xB6" "c", "font:     fill box fixed-pitch, choices box proportional",
                               "fill 4,4 412x74, choices 4,82 412x218 (height 66)", "line 4: the key \"bogus\" is not known"})
    EXPECT_NE(fonts.out.find(expected), std::string::npos) << expected << " in\n" << fonts.out;
}

TEST(ExerciseCommand, CheckJudgesAsTheWindowDoes) {
  const std::string file = WriteExercise("fill:The \xC7mean\xC8 and \xC7\xB5\xC8.\n\nfill:\xC7" "a\xC8\n");
  struct Row {
    std::vector<std::string> answers;
    int status;
    std::vector<const char*> lines;
  };
  const Row rows[] = {
      {{"mean", "\xC2\xB5"}, 0, {"blank 1: right", "blank 2: right", "done"}},
      {{"means", "\xC2\xB5"}, 0, {"blank 1: right  (means; the answer is mean)", "done"}},
      {{"Mean", "\xC2\xB5"}, 1, {"blank 1: wrong", "blank 2: right", "not done"}},
      {{"mean"}, 1, {"blank 1: right", "blank 2: not answered", "not done"}},
  };
  for (const Row& row : rows) {
    std::vector<std::string> args = {"exercise", "check", file, "1"};
    args.insert(args.end(), row.answers.begin(), row.answers.end());
    const auto r = RunKncourse(args);
    EXPECT_EQ(r.status, row.status) << r.out << r.err;
    for (const char* line : row.lines) EXPECT_NE(r.out.find(line), std::string::npos) << line << " in\n" << r.out;
  }
  EXPECT_EQ(RunKncourse({"exercise", "check", file, "3", "a"}).status, 2);
  EXPECT_EQ(RunKncourse({"exercise", "check", file, "2", "a", "b"}).status, 2);
  EXPECT_EQ(RunKncourse({"exercise", "check", file, "x"}).status, 2);
  EXPECT_EQ(RunKncourse({"exercise", "dump", "/nonexistent.fil"}).status, 2);
}

}  // namespace
