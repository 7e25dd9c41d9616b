// Opening the test movies and the frames they show: sizes and durations per codec, the
// frame at 1.4 s against ffmpeg's own decode of it, and the same frames whichever order
// they are asked for in.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <vector>

#include "MovieTestSupport.h"
#include "TestSupport.h"
#include "course/CourseFile.h"
#include "course/CourseFileError.h"

namespace {

using movietest::Compare;
using movietest::DataFile;

struct TestMovie {
  const char* name;
  QSize size;
  MovieTime duration;
  int fps;
  bool sound;
};

const TestMovie kMovies[] = {
    {"pattern-h264", QSize(320, 240), 2'000'000, 25, true},
    {"pattern-mjpeg", QSize(192, 144), 2'500'000, 10, true},
    {"pattern-rle", QSize(160, 120), 3'000'000, 12, false},
};

std::unique_ptr<CMovie> Open(const TestMovie& m) { return CMovie::Open(DataFile(std::string(m.name) + ".mov")); }

TEST(MovieDecode, SizeDurationAndTracksPerCodec) {
  for (const auto& m : kMovies) {
    const auto movie = Open(m);
    EXPECT_EQ(movie->NaturalSize(), m.size) << m.name;
    EXPECT_EQ(movie->Box(), QRect(QPoint(0, 0), m.size)) << m.name;
    EXPECT_EQ(movie->Duration(), m.duration) << m.name;
    EXPECT_EQ(movie->FrameDuration(), kMovieTimeScale / m.fps) << m.name;
    EXPECT_TRUE(movie->HasPictures()) << m.name;
    EXPECT_EQ(movie->HasSound(), m.sound) << m.name;
    EXPECT_EQ(movie->Sound() != nullptr, m.sound) << m.name;
    const QImage& frame = movie->FrameAt(0);
    EXPECT_EQ(frame.size(), m.size) << m.name;
    EXPECT_EQ(frame.format(), QImage::Format_RGB32) << m.name;
  }
}

TEST(MovieDecode, FrameAtOnePointFourSecondsMatchesFfmpeg) {
  for (const auto& m : kMovies) {
    const auto movie = Open(m);
    QImage reference(QString::fromStdString(DataFile(std::string(m.name) + "-1.4s.png").string()));
    ASSERT_FALSE(reference.isNull()) << m.name;
    const auto same = Compare(movie->FrameAt(1'400'000), reference);
    EXPECT_LE(same.maxDiff, 2) << m.name;
    EXPECT_LT(same.meanDiff, 0.1) << m.name;
    // The caption counts frames, so the frame before is plainly different: the
    // comparison above cannot pass for a neighbouring frame.
    const auto before = Compare(movie->FrameAt(1'400'000 - kMovieTimeScale / m.fps), reference);
    EXPECT_GT(before.maxDiff, 64) << m.name;
  }
}

TEST(MovieDecode, SeekingBackAndForthReturnsTheSameFrames) {
  for (const auto& m : kMovies) {
    const auto movie = Open(m);
    const MovieTime step = kMovieTimeScale / m.fps;
    const int frames = static_cast<int>(m.duration / step);
    // Forward, frame by frame, from a fresh movie: the reference sequence.
    std::vector<QImage> forward;
    for (int i = 0; i < frames; ++i) forward.push_back(movie->FrameAt(i * step + step / 2));
    for (int i = 1; i < frames; ++i) ASSERT_NE(forward[i], forward[i - 1]) << m.name << " frame " << i;

    std::vector<int> order(frames);
    for (int i = 0; i < frames; ++i) order[i] = frames - 1 - i;  // backwards
    std::mt19937 shuffle(42);
    std::vector<int> shuffled = order;
    std::shuffle(shuffled.begin(), shuffled.end(), shuffle);
    order.insert(order.end(), shuffled.begin(), shuffled.end());
    const auto reopened = Open(m);
    for (int i : order) {
      // Anywhere inside the frame's interval shows the frame: from its start (rounded up
      // to whole microseconds) on.
      const MovieTime at = (i * kMovieTimeScale + m.fps - 1) / m.fps + (i % 3) * step / 3;
      EXPECT_EQ(reopened->FrameAt(at), forward[i]) << m.name << " frame " << i << " at " << at;
    }
  }
}

TEST(MovieDecode, TimesOutsideTheMovieShowItsFirstAndLastFrames) {
  for (const auto& m : kMovies) {
    const auto movie = Open(m);
    const QImage first = movie->FrameAt(0);
    const QImage last = movie->FrameAt(m.duration - 1);
    EXPECT_NE(first, last) << m.name;
    EXPECT_EQ(movie->FrameAt(-kMovieTimeScale), first) << m.name;
    EXPECT_EQ(movie->FrameAt(m.duration), last) << m.name;
    EXPECT_EQ(movie->FrameAt(m.duration + 60 * kMovieTimeScale), last) << m.name;
    EXPECT_EQ(movie->FrameAt(0), first) << m.name;
  }
}

TEST(MovieDecode, ImagesHandedOutStayAsTheyWere) {
  const auto movie = Open(kMovies[0]);
  const QImage early = movie->FrameAt(100'000);
  const QImage copy = early.copy();
  movie->FrameAt(1'900'000);
  EXPECT_EQ(early, copy);
}

TEST(MovieDecode, OpensThroughTheProgramsFileObject) {
  for (const auto& m : kMovies) {
    const auto path = DataFile(std::string(m.name) + ".mov");
    const auto byPath = CMovie::Open(path);
    const auto inMemory = CMovie::Open(CourseFile::FromMemory(kntest::ReadFileBytes(path), "in memory"));
    EXPECT_EQ(inMemory->label(), "in memory");
    EXPECT_EQ(inMemory->NaturalSize(), byPath->NaturalSize()) << m.name;
    EXPECT_EQ(inMemory->Duration(), byPath->Duration()) << m.name;
    EXPECT_EQ(inMemory->FrameAt(1'234'000), byPath->FrameAt(1'234'000)) << m.name;
  }
}

TEST(MovieDecode, MissingFileIsNotFound) {
  try {
    CMovie::Open(DataFile("no-such-movie.mov"));
    FAIL() << "opened a missing movie";
  } catch (const CourseFileError& e) {
    EXPECT_EQ(e.kind(), CourseFileError::Kind::NotFound);
  }
}

}  // namespace
