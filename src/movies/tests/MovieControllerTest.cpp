// The controller drawn by the program: layout, what it draws into an image, and what
// mouse and keys do to the movie. Also the movie window's sizes derived from it.
#include <gtest/gtest.h>

#include <QtGui/QPainter>

#include "MovieTestSupport.h"
#include "movies/MovieController.h"
#include "movies/MovieLayout.h"

namespace {

using movietest::ManualClock;
using Part = CMovieController::Part;

constexpr QRgb kFace = 0xFFD4D0C8;

struct Fixture {
  ManualClock clock;
  std::unique_ptr<CMovie> movie;
  std::unique_ptr<CMovieController> controller;
  explicit Fixture(const char* name = "pattern-rle.mov", QPoint at = QPoint(0, 0)) {
    movie = movietest::OpenTestMovie(name, clock);
    controller = std::make_unique<CMovieController>(*movie, at);
  }
  QImage Render(QSize size = QSize()) {
    const QRect bounds = controller->Bounds();
    QImage image(size.isEmpty() ? QSize(bounds.right() + 1, bounds.bottom() + 1) : size, QImage::Format_RGB32);
    image.fill(Qt::magenta);
    QPainter painter(&image);
    controller->Draw(painter);
    return image;
  }
};

TEST(MovieController, LaysTheBarOutUnderTheMovie) {
  Fixture f("pattern-rle.mov", QPoint(10, 20));  // 160 x 120
  const auto& c = *f.controller;
  EXPECT_EQ(c.Bounds(), QRect(10, 20, 160, 136));
  EXPECT_EQ(c.MovieRect(), QRect(10, 20, 160, 120));
  EXPECT_EQ(c.BarRect(), QRect(10, 140, 160, CMovieController::kHeight));
  EXPECT_FALSE(c.TimeRect().isNull());  // 160 pixels leave room for the time
  EXPECT_TRUE(c.BarRect().contains(c.ButtonRect()));
  EXPECT_TRUE(c.BarRect().contains(c.TrackRect()));
  EXPECT_LT(c.ButtonRect().right(), c.TrackRect().left());
  EXPECT_LT(c.TrackRect().right(), c.TimeRect().left());

  f.controller->SetBounds(QRect(0, 0, 100, 66));  // a narrow window: no time
  EXPECT_EQ(c.MovieRect(), QRect(0, 0, 100, 50));
  EXPECT_TRUE(c.TimeRect().isNull());
  EXPECT_EQ(c.TrackRect().right(), 100 - 1 - 6);
  f.controller->SetBounds(QRect(0, 0, 100, 10));  // shorter than the bar: bar only
  EXPECT_TRUE(c.MovieRect().isEmpty());
  EXPECT_EQ(c.BarRect(), QRect(0, 0, 100, 10));
}

TEST(MovieController, HitTestsItsParts) {
  Fixture f;
  const auto& c = *f.controller;
  const int barY = 120 + 8;
  const struct {
    QPoint point;
    Part part;
  } cases[] = {
      {QPoint(0, 0), Part::Movie},
      {QPoint(159, 119), Part::Movie},
      {QPoint(5, barY), Part::PlayButton},
      {QPoint(c.TrackRect().left(), barY), Part::PositionBar},
      {QPoint(c.TrackRect().right(), 120), Part::PositionBar},
      {QPoint(155, barY), Part::Time},
      {QPoint(160, barY), Part::None},
      {QPoint(-1, 5), Part::None},
      {QPoint(5, 136), Part::None},
  };
  for (const auto& k : cases)
    EXPECT_EQ(c.HitTest(k.point), k.part) << k.point.x() << "," << k.point.y();
}

TEST(MovieController, DrawsTheFrameAndTheBar) {
  Fixture f;
  QImage image = f.Render();
  EXPECT_EQ(image.copy(f.controller->MovieRect()), f.movie->FrameAt(0));
  const QRect bar = f.controller->BarRect();
  EXPECT_EQ(image.pixel(bar.left() + 30, bar.top() + 1), kFace);
  // Paused: a play triangle, solid at the button's centre.
  const QPoint centre = f.controller->ButtonRect().center();
  EXPECT_EQ(image.pixel(centre), qRgb(0, 0, 0));
  // Playing: two bars with face colour between them.
  f.controller->Play(1.0);
  image = f.Render();
  EXPECT_EQ(image.pixel(centre), kFace);
  EXPECT_EQ(image.pixel(centre + QPoint(-3, 0)), qRgb(0, 0, 0));
  EXPECT_EQ(image.pixel(centre + QPoint(3, 0)), qRgb(0, 0, 0));
  // Something is written in the time box.
  const QImage time = image.copy(f.controller->TimeRect());
  bool ink = false;
  for (int y = 0; y < time.height(); ++y)
    for (int x = 0; x < time.width(); ++x) ink = ink || qGray(time.pixel(x, y)) < 100;
  EXPECT_TRUE(ink);
  // Inactive: dimmed.
  f.controller->Play(0);
  f.controller->Activate(false);
  image = f.Render();
  EXPECT_EQ(image.pixel(centre), qRgb(128, 128, 128));
}

TEST(MovieController, StretchesTheMovieOverItsBounds) {
  Fixture f;  // colour bars, 160 x 120
  f.controller->SetBounds(QRect(4, 6, 320, 240 + CMovieController::kHeight));
  const QImage image = f.Render();
  const QImage frame = f.movie->FrameAt(0);
  // Inside flat areas of the bars, every point shows the frame's colour at half the distance.
  for (const QPoint p : {QPoint(10, 10), QPoint(60, 30), QPoint(130, 50), QPoint(150, 70)})
    EXPECT_EQ(image.pixel(QPoint(4, 6) + 2 * p), frame.pixel(p)) << p.x() << "," << p.y();
  EXPECT_EQ(image.pixel(2, 2), qRgb(255, 0, 255));  // nothing drawn outside the bounds
  EXPECT_EQ(f.controller->BarRect().top(), 6 + 240);
}

TEST(MovieController, ThumbFollowsTheTime) {
  Fixture f;
  auto& c = *f.controller;
  const QRect track = c.TrackRect();
  EXPECT_EQ(c.ThumbRect().left(), track.left());
  f.movie->GoToTime(f.movie->Duration());
  EXPECT_EQ(c.ThumbRect().right(), track.right());
  f.movie->GoToTime(f.movie->Duration() / 2);
  const QRect thumb = c.ThumbRect();
  EXPECT_NEAR(thumb.center().x(), track.center().x(), 1);
  // Drawn there: the thumb's white top edge.
  const QImage image = f.Render();
  EXPECT_EQ(image.pixel(thumb.left() + 2, thumb.top()), qRgb(255, 255, 255));
  // The time under the thumb's centre is the time it shows.
  EXPECT_NEAR(static_cast<double>(c.XToTime(thumb.center().x())), static_cast<double>(f.movie->Duration() / 2),
              2.0 * static_cast<double>(f.movie->Duration()) / track.width());
}

TEST(MovieController, ButtonPlaysAndPauses) {
  Fixture f;
  auto& c = *f.controller;
  const QPoint button = c.ButtonRect().center();
  EXPECT_EQ(c.Info() & CMovieController::kPlaying, 0u);
  EXPECT_TRUE(c.MousePress(button));
  EXPECT_TRUE(f.movie->IsPlaying());
  EXPECT_EQ(c.Info(), CMovieController::kPlaying);
  f.clock.Advance(1'000'000);
  EXPECT_TRUE(c.MousePress(button));
  EXPECT_FALSE(f.movie->IsPlaying());
  EXPECT_EQ(c.CurrentTime(), 1'000'000);
  EXPECT_FALSE(c.MousePress(QPoint(50, 50)));  // the picture is the window's
  c.Activate(false);
  EXPECT_FALSE(c.MousePress(button));
  EXPECT_FALSE(f.movie->IsPlaying());
}

TEST(MovieController, PlayingToTheEndStopsAndTheButtonStartsOver) {
  Fixture f;
  auto& c = *f.controller;
  c.Play(1.0);
  f.clock.Advance(1'000'000);
  EXPECT_TRUE(c.Idle());
  EXPECT_FALSE(c.Idle());
  f.clock.Advance(10'000'000);
  EXPECT_TRUE(c.Idle());
  EXPECT_EQ(c.Info() & CMovieController::kPlaying, 0u);
  EXPECT_GE(c.CurrentTime(), f.movie->Duration());
  EXPECT_TRUE(c.MousePress(c.ButtonRect().center()));
  EXPECT_TRUE(f.movie->IsPlaying());
  EXPECT_EQ(c.CurrentTime(), 0);
}

TEST(MovieController, DraggingTheThumbScrubsAndResumes) {
  Fixture f;
  auto& c = *f.controller;
  const QRect track = c.TrackRect();
  const int y = track.center().y();
  c.Play(1.0);
  EXPECT_TRUE(c.MousePress(QPoint(track.center().x(), y)));
  EXPECT_TRUE(c.IsDragging());
  EXPECT_FALSE(f.movie->IsPlaying());
  EXPECT_NEAR(static_cast<double>(c.CurrentTime()), 1'500'000.0, 2 * 3'000'000.0 / track.width());  // a pixel
  EXPECT_TRUE(c.MouseMove(QPoint(track.left() - 50, y)));  // past the end of the track
  EXPECT_EQ(c.CurrentTime(), 0);
  EXPECT_TRUE(c.MouseRelease(QPoint(track.left() + 4, y)));
  EXPECT_FALSE(c.IsDragging());
  EXPECT_TRUE(f.movie->IsPlaying());
  EXPECT_FALSE(c.MouseMove(QPoint(track.right(), y)));
  EXPECT_FALSE(c.MouseRelease(QPoint(track.right(), y)));
  // A paused movie stays paused after a drag.
  c.Play(0);
  c.MousePress(QPoint(track.right(), y));
  c.MouseRelease(QPoint(track.right(), y));
  EXPECT_FALSE(f.movie->IsPlaying());
  EXPECT_EQ(c.CurrentTime(), f.movie->Duration());
}

TEST(MovieController, KeysWorkOnlyWhenEnabled) {
  Fixture f;
  auto& c = *f.controller;
  EXPECT_FALSE(c.KeyPress(Qt::Key_Space));
  c.EnableKeys(true);
  const MovieTime frame = f.movie->FrameDuration();
  const struct {
    int key;
    bool playing;
    MovieTime time;
  } steps[] = {
      {Qt::Key_Right, false, frame},     {Qt::Key_Right, false, 2 * frame}, {Qt::Key_Left, false, frame},
      {Qt::Key_End, false, 3'000'000},   {Qt::Key_Home, false, 0},          {Qt::Key_Space, true, 0},
      {Qt::Key_Return, false, 0},        {Qt::Key_Left, false, 0},
  };
  for (const auto& s : steps) {
    EXPECT_TRUE(c.KeyPress(s.key)) << s.key;
    EXPECT_EQ(f.movie->IsPlaying(), s.playing) << s.key;
    EXPECT_EQ(c.CurrentTime(), s.time) << s.key;
  }
  EXPECT_FALSE(c.KeyPress(Qt::Key_A));
  c.Activate(false);
  EXPECT_FALSE(c.KeyPress(Qt::Key_Space));
}

TEST(MovieController, FormatsTimes) {
  const struct {
    MovieTime time;
    const char* text;
  } cases[] = {{0, "0:00"}, {999'999, "0:00"}, {61'500'000, "1:01"}, {3'600'000'000, "1:00:00"}, {-5, "0:00"}};
  for (const auto& k : cases) EXPECT_EQ(CMovieController::FormatTime(k.time), k.text);
}

TEST(MovieWindowLayout, ClientSizesForTheResizeCommands) {
  const struct {
    QSize natural;
    int num, den;
    QSize client;
  } cases[] = {
      {QSize(320, 240), 2, 1, QSize(644, 500)},
      {QSize(320, 240), 1, 2, QSize(164, 140)},
      {QSize(320, 240), 1, 1, QSize(324, 260)},
      {QSize(161, 121), 1, 2, QSize(84, 80)},
  };
  for (const auto& k : cases) EXPECT_EQ(movie_layout::ClientSize(k.natural, k.num, k.den), k.client);
  // The window made to fit a controller: its client area is the bounds plus the margin.
  EXPECT_EQ(CMovieController::NaturalBounds(QSize(320, 240)).size() +
                QSize(movie_layout::kClientMargin, movie_layout::kClientMargin),
            movie_layout::ClientSize(QSize(320, 240), 1, 1));
}

TEST(MovieWindowLayout, CloseButtonSitsInsideTheMovieCorner) {
  EXPECT_EQ(movie_layout::CloseButtonRect(QRect(0, 0, 320, 240)), QRect(240, 214, 76, 22));
}

TEST(MovieWindowLayout, TranscriptAndFailureTexts) {
  EXPECT_EQ(movie_layout::TranscriptPath("CH1\\Intro.MOV"), "ch1\\intro.mtx");
  EXPECT_EQ(movie_layout::TranscriptPath("a.mov\\b.mov"), "a.mov\\b.mtx");
  EXPECT_EQ(movie_layout::TranscriptPath("ch1\\notes.txt"), "");
  EXPECT_EQ(movie_layout::FailureDescription(""), "unknown error");
  EXPECT_EQ(movie_layout::FailureDescription("not a QuickTime movie"), "not a QuickTime movie");
}

}  // namespace
