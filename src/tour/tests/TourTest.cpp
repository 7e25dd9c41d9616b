// The demonstration tour run end to end: the built player walks through it on the
// bundled course, and its pictures and progress file are checked from outside.
#include <gtest/gtest.h>

#include <QtGui/QImage>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "KncourseRunner.h"
#include "TestSupport.h"

namespace {

namespace fs = std::filesystem;

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

std::string ReadText(const fs::path& path) {
  std::ifstream in(path);
  std::ostringstream out;
  out << in.rdbuf();
  return out.str();
}

TEST(Tour, WalksThroughTheSessionAndKeepsTheCompletion) {
  qputenv("SDL_AUDIODRIVER", "dummy");
  const fs::path dir = kntest::MakeTempDir("tour") / "pictures";  // made by the tour
  const kntest::CommandResult run = kntest::RunProgram("kestrelon", {"--tour", dir.string()}, 300000);
  ASSERT_EQ(run.status, 0) << run.out << run.err;

  // Every step's picture, listed in tour.txt in order, exists and shows the whole frame,
  // changed from the one before except where saving changes nothing on screen.
  const std::vector<std::string> listing = Lines(ReadText(dir / "tour.txt"));
  std::vector<std::string> pictures;
  for (const std::string& line : listing)
    if (const auto end = line.find(".png  "); end != std::string::npos) pictures.push_back(line.substr(0, end + 4));
  const std::vector<std::string> expected = {"01-welcome.png",       "02-new-student.png",      "03-lesson-book.png",
                                             "04-next-page.png",     "05-page-format.png",      "06-equations.png",
                                             "07-equations-larger.png", "08-contents.png",      "09-movie.png",
                                             "10-completed.png",     "11-saved.png",            "12-save-question.png",
                                             "13-closed.png",        "14-reopened.png",         "15-exercise.png",
                                             "16-search.png",        "17-glossary.png",
                                             "18-index.png"};
  EXPECT_EQ(pictures, expected);
  QImage previous;
  for (const std::string& name : pictures) {
    SCOPED_TRACE(name);
    const QImage image(QString::fromStdString((dir / name).string()));
    ASSERT_FALSE(image.isNull());
    // The maximised frame on the tour's 1280 x 900 screen, under its caption.
    EXPECT_GT(image.width(), 1200);
    EXPECT_LE(image.width(), 1280);
    EXPECT_GT(image.height(), 850);
    if (name != "11-saved.png") {
      EXPECT_NE(image, previous);
    }
    previous = image;
  }
  // Each step is announced as it is taken.
  for (const std::string& name : pictures) EXPECT_NE(run.out.find(name), std::string::npos) << name;

  // The progress file as the authoring tool reads it: the learner, the marks made in the
  // tour (the second saved on closing), the book at the page it was left at and the
  // Table of Contents floating.
  const kntest::CommandResult progress = kntest::RunKncourse({"progress", (dir / "student.kns").string()});
  ASSERT_EQ(progress.status, 0) << progress.err;
  EXPECT_NE(progress.out.find("name:        \"Jordan Rivera\""), std::string::npos) << progress.out;
  EXPECT_NE(progress.out.find("completed:   2\n  0 0 0\n  0 0 2\n"), std::string::npos) << progress.out;
  EXPECT_NE(progress.out.find("PageFormat 4"), std::string::npos) << progress.out;
  const std::vector<std::string> lines = Lines(progress.out);
  bool book = false, contents = false;
  for (std::size_t i = 0; i + 1 < lines.size(); ++i) {
    if (lines[i].rfind("  kind 1 ", 0) == 0) book = lines[i + 1].find("place 0 1 -1") != std::string::npos;
    if (lines[i].rfind("  kind 7 ", 0) == 0) contents = true;
  }
  EXPECT_TRUE(book) << progress.out;
  EXPECT_TRUE(contents) << progress.out;
}

TEST(Tour, AFolderThatCannotBeMadeEndsTheTourWithTheReason) {
  const fs::path dir = kntest::MakeTempDir("tour");
  kntest::WriteFileText(dir / "file", "not a folder");
  const kntest::CommandResult run = kntest::RunProgram("kestrelon", {"--tour", (dir / "file" / "pictures").string()});
  EXPECT_EQ(run.status, 1);
  EXPECT_NE(run.err.find("cannot make"), std::string::npos) << run.err;
  const kntest::CommandResult usage = kntest::RunProgram("kestrelon", {"--tour"});
  EXPECT_EQ(usage.status, 2);
  EXPECT_NE(usage.err.find("--tour needs a folder"), std::string::npos) << usage.err;
}

}  // namespace
