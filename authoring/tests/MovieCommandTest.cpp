#include <gtest/gtest.h>

#include <QtGui/QImage>

#include "KncourseRunner.h"
#include "TestSupport.h"

namespace {

using kntest::RunKncourse;

std::string Data(const std::string& name) { return (kntest::SourceDir() / "src/movies/tests/data" / name).string(); }

TEST(MovieCommand, InfoDescribesTheMovie) {
  auto r = RunKncourse({"movie", "info", Data("pattern-h264.mov")});
  ASSERT_EQ(r.status, 0) << r.err;
  for (const char* line : {"duration:    2.000 s\n", "pictures:    h264, 320 x 240\n", "frame rate:  25.000 a second\n",
                           "sound:       aac, 44100 Hz, 1 channel; played as 22050 Hz mono, 44100 samples\n",
                           "window:      324 x 260 (half 164 x 140, double 644 x 500)\n", "pattern-h264.mtx\n"})
    EXPECT_NE(r.out.find(line), std::string::npos) << line << r.out;

  r = RunKncourse({"movie", "info", Data("tone-ima.mov")});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_NE(r.out.find("pictures:    none\n"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("transcript:  none\n"), std::string::npos) << r.out;
}

TEST(MovieCommand, FrameWritesThePictureAtATime) {
  const auto out = kntest::MakeTempDir("movie") / "frame.png";
  auto r = RunKncourse({"movie", "frame", Data("pattern-rle.mov"), "1.4", out.string()});
  ASSERT_EQ(r.status, 0) << r.err;
  const QImage written(QString::fromStdString(out.string()));
  const QImage reference(QString::fromStdString(Data("pattern-rle-1.4s.png")));
  ASSERT_FALSE(written.isNull());
  EXPECT_EQ(written.convertToFormat(QImage::Format_RGB32), reference.convertToFormat(QImage::Format_RGB32));
}

TEST(MovieCommand, RefusesBadInput) {
  const auto out = (kntest::MakeTempDir("movie") / "x.png").string();
  const struct {
    std::vector<std::string> args;
    int status;
  } cases[] = {
      {{"movie", "info", Data("pattern-rle-1.4s.png")}, 2},  // not a movie
      {{"movie", "info", Data("missing.mov")}, 2},
      {{"movie", "frame", Data("pattern-rle.mov"), "soon", out}, 2},
      {{"movie", "frame", Data("pattern-rle.mov"), "nan", out}, 2},
      {{"movie", "frame", Data("tone-ima.mov"), "0", out}, 2},  // no pictures
      {{"movie", "info"}, 2},
      {{"movie", "play", Data("pattern-rle.mov")}, 2},
  };
  for (const auto& c : cases) {
    const auto r = RunKncourse(c.args);
    EXPECT_EQ(r.status, c.status) << c.args.back();
    EXPECT_FALSE(r.err.empty()) << c.args.back();
  }
  EXPECT_EQ(RunKncourse({"movie", "--help"}).status, 0);
}

}  // namespace
