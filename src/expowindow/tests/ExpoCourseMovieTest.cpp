// A `movie` object of the program: the movie found in the activity's folder, the movie
// time a narration position stands for (rows worked out by hand for the 3 s test movie),
// and the frames the scene draws from it.
#include <gtest/gtest.h>

#include "../../movies/tests/MovieTestSupport.h"
#include "exposition/ExpoKinds.h"
#include "exposition/ExpoScene.h"
#include "exposition/Keywords.h"
#include "expowindow/ExpoCourseMovie.h"

namespace {

using movietest::Compare;
using movietest::DataFile;

constexpr std::int64_t Samples(double seconds) { return static_cast<std::int64_t>(seconds * 22050 + 0.5); }
constexpr MovieTime Micro(double seconds) { return static_cast<MovieTime>(seconds * 1'000'000 + 0.5); }

std::filesystem::path Folder() { return DataFile("pattern-rle.mov").parent_path(); }

std::unique_ptr<ExpoCourseMovie> OpenRle() {
  auto movie = OpenExpoCourseMovie(Folder(), "pattern-rle");
  return std::unique_ptr<ExpoCourseMovie>(static_cast<ExpoCourseMovie*>(movie.release()));
}

QImage Reference() { return QImage(QString::fromStdString(DataFile("pattern-rle-1.4s.png").string())); }

TEST(ExpoCourseMovie, FoundInTheActivitysFolderLikeOtherCourseFiles) {
  EXPECT_NE(OpenExpoCourseMovie(Folder(), "pattern-rle"), nullptr);      // the usual extension added
  EXPECT_NE(OpenExpoCourseMovie(Folder(), "PATTERN-RLE.MOV"), nullptr);  // case does not matter
  EXPECT_EQ(OpenExpoCourseMovie(Folder(), "missing"), nullptr);
  EXPECT_EQ(OpenExpoCourseMovie(Folder(), "pattern-rle.mtx"), nullptr);  // a file that is no movie
  EXPECT_EQ(OpenExpoCourseMovie(Folder(), "../data/pattern-rle.mov"), nullptr);  // no way out of the folder
  EXPECT_EQ(OpenExpoCourseMovie(Folder(), ""), nullptr);
}

TEST(ExpoCourseMovie, NarrationPositionToMovieTime) {
  struct Row {
    bool loop, palindrome;
    double rate, preview, at, expect;  // seconds
  };
  // The test movie is 3 s long.
  const Row rows[] = {
      {false, false, 1, 0, 1.4, 1.4},   {false, false, 1, 0, 10, 3},   {false, false, 1, 0, 0, 0},
      {true, false, 1, 0, 4.4, 1.4},    {true, false, 1, 0, 6, 0},     {false, true, 1, 0, 4.6, 1.4},
      {false, true, 1, 0, 3, 3},        {false, true, 1, 0, 7.4, 1.4}, {false, false, 2, 0, 0.7, 1.4},
      {true, false, 2, 0, 2.2, 1.4},    {false, false, 1, 1.4, -1, 1.4}, {false, false, 1, 9, -1, 3},
      {false, false, 0, 0, 1.4, 1.4},   // a rate of 0 plays at the usual speed
      {true, false, -1, 0, 1.6, 1.4},   // backwards, wrapped round
  };
  for (const Row& r : rows) {
    auto movie = OpenRle();
    ASSERT_NE(movie, nullptr);
    movie->SetLoop(r.loop, r.palindrome);
    movie->SetRate(r.rate);
    movie->SetPreview(Samples(r.preview));
    EXPECT_EQ(movie->TimeAt(r.at < 0 ? -1 : Samples(r.at)), Micro(r.expect))
        << "loop " << r.loop << " palindrome " << r.palindrome << " rate " << r.rate << " at " << r.at;
  }
  auto nan = OpenRle();
  nan->SetRate(std::numeric_limits<double>::quiet_NaN());
  EXPECT_EQ(nan->TimeAt(Samples(1.4)), Micro(1.4));
}

TEST(ExpoCourseMovie, FollowShowsTheFrameAndPlaysTheRightWay) {
  auto movie = OpenRle();
  ASSERT_NE(movie, nullptr);
  EXPECT_EQ(movie->NaturalSize(), QSize(160, 120));
  EXPECT_EQ(movie->DurationSamples(), Samples(3));
  movie->SetLoop(false, true);
  movie->Follow(Samples(4.6), false);  // on the way back, at 1.4 s
  const auto same = Compare(movie->CurrentFrame(), Reference());
  EXPECT_LE(same.maxDiff, 2);
  EXPECT_EQ(movie->movie().Rate(), 0);
  movie->Follow(Samples(4.6), true);
  EXPECT_LT(movie->movie().Rate(), 0);
  movie->Follow(Samples(1), true);
  EXPECT_GT(movie->movie().Rate(), 0);
  movie->Follow(-Samples(1), true);  // the narration has not reached the movie yet
  EXPECT_EQ(movie->movie().Rate(), 0);
}

class FolderHost : public ExpoHost {
 public:
  std::unique_ptr<ExpoMovie> OpenMovie(std::string_view name) override { return OpenExpoCourseMovie(Folder(), name); }
};

TEST(ExpoCourseMovie, SceneDrawsTheMovieFrameAtItsNaturalSize) {
  FolderHost host;
  ExpoScene scene(&host);
  scene.pen = QPoint(10, 20);
  scene.position = Samples(2);
  ScriptValueList args{ScriptValue::Text("pattern-rle")};
  auto* object = static_cast<CExpoMovie*>(scene.Create(kw::movie, args));
  ASSERT_NE(object, nullptr);
  ASSERT_NE(object->movie(), nullptr);
  EXPECT_EQ(object->rect().width(), 160);
  EXPECT_EQ(object->rect().height(), 120);
  EXPECT_EQ(object->LengthSamples(), Samples(3));
  scene.position = Samples(3.4);  // 1.4 s after the movie was made
  scene.FollowPlayback(false);
  const QImage picture = scene.Render();
  const QRect box = object->rect().ToQRect();
  const auto same = Compare(picture.copy(box).convertToFormat(QImage::Format_RGB32), Reference());
  EXPECT_LE(same.maxDiff, 2);
}

}  // namespace
