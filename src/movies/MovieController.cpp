#include "movies/MovieController.h"

#include <algorithm>
#include <cstdio>

#include <QtGui/QFont>
#include <QtGui/QPainter>
#include <QtGui/QPolygon>

#include "movies/Movie.h"

namespace {

constexpr int kButtonWidth = 22;
constexpr int kTimeWidth = 48;
constexpr int kMinWidthForTime = 160;  // narrower bars leave the time out
constexpr int kTrackMargin = 6;        // between the track and its neighbours
constexpr int kThumbWidth = 8;

const QColor kFace(212, 208, 200);
const QColor kShadow(128, 128, 128);
const QColor kDarkShadow(64, 64, 64);
const QColor kPlayed(0, 0, 128);

}  // namespace

CMovieController::CMovieController(CMovie& movie, QPoint topLeft) : m_movie(movie) {
  SetBounds(NaturalBounds(movie.NaturalSize(), topLeft));
  m_lastInfo = Info();
}

QRect CMovieController::NaturalBounds(QSize natural, QPoint topLeft) {
  return QRect(topLeft, QSize(std::max(0, natural.width()), std::max(0, natural.height()) + kHeight));
}

void CMovieController::SetBounds(const QRect& bounds) { m_bounds = bounds.normalized(); }

QRect CMovieController::MovieRect() const {
  return QRect(m_bounds.topLeft(), QSize(m_bounds.width(), std::max(0, m_bounds.height() - kHeight)));
}

QRect CMovieController::BarRect() const {
  const int height = std::min(kHeight, m_bounds.height());
  return QRect(m_bounds.left(), m_bounds.top() + m_bounds.height() - height, m_bounds.width(), height);
}

QRect CMovieController::ButtonRect() const {
  const QRect bar = BarRect();
  return QRect(bar.topLeft(), QSize(std::min(kButtonWidth, bar.width()), bar.height()));
}

QRect CMovieController::TimeRect() const {
  const QRect bar = BarRect();
  if (bar.width() < kMinWidthForTime) return QRect();
  return QRect(bar.left() + bar.width() - kTimeWidth, bar.top(), kTimeWidth, bar.height());
}

QRect CMovieController::TrackRect() const {
  const QRect bar = BarRect();
  const QRect time = TimeRect();
  const int left = ButtonRect().left() + ButtonRect().width() + kTrackMargin;
  const int right = (time.isNull() ? bar.left() + bar.width() : time.left()) - kTrackMargin;  // exclusive
  if (right - left < kThumbWidth) return QRect();
  return QRect(left, bar.top() + 2, right - left, std::max(0, bar.height() - 4));
}

int CMovieController::TimeToX(MovieTime time) const {
  const QRect track = TrackRect();
  const MovieTime duration = m_movie.Duration();
  if (track.isEmpty() || duration <= 0) return track.left();
  const MovieTime t = std::clamp<MovieTime>(time, 0, duration);
  return track.left() + static_cast<int>((track.width() - kThumbWidth) * t / duration);
}

MovieTime CMovieController::XToTime(int x) const {
  const QRect track = TrackRect();
  const int span = track.width() - kThumbWidth;
  if (track.isEmpty() || span <= 0) return 0;
  // The thumb's centre follows the pointer.
  const int offset = std::clamp(x - track.left() - kThumbWidth / 2, 0, span);
  return m_movie.Duration() * offset / span;
}

QRect CMovieController::ThumbRect() const {
  const QRect track = TrackRect();
  if (track.isEmpty()) return QRect();
  return QRect(TimeToX(CurrentTime()), track.top(), kThumbWidth, track.height());
}

CMovieController::Part CMovieController::HitTest(QPoint point) const {
  if (!m_bounds.contains(point)) return Part::None;
  if (MovieRect().contains(point)) return Part::Movie;
  if (ButtonRect().contains(point)) return Part::PlayButton;
  const QRect bar = BarRect();
  const QRect track = TrackRect();
  if (!track.isEmpty() && point.x() >= track.left() && point.x() <= track.right() && bar.contains(point))
    return Part::PositionBar;
  if (TimeRect().contains(point)) return Part::Time;
  return Part::None;
}

void CMovieController::Draw(QPainter& painter) {
  const QRect movie = MovieRect();
  if (!movie.isEmpty()) {
    if (m_movie.HasPictures())
      m_movie.Draw(painter, movie);
    else
      painter.fillRect(movie, Qt::black);
  }
  DrawBar(painter);
}

void CMovieController::DrawBar(QPainter& painter) {
  const QRect bar = BarRect();
  if (bar.isEmpty()) return;
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing, false);
  painter.fillRect(bar, kFace);
  painter.fillRect(QRect(bar.left(), bar.top(), bar.width(), 1), kShadow);
  const QColor ink = m_active ? QColor(Qt::black) : kShadow;

  // The button: a triangle to play, two bars to pause.
  const QRect button = ButtonRect();
  const QPoint c = button.center();
  painter.setPen(Qt::NoPen);
  painter.setBrush(ink);
  if (m_movie.IsPlaying()) {
    painter.fillRect(QRect(c.x() - 4, c.y() - 4, 3, 9), ink);
    painter.fillRect(QRect(c.x() + 2, c.y() - 4, 3, 9), ink);
  } else {
    const QPolygon triangle({QPoint(c.x() - 3, c.y() - 5), QPoint(c.x() + 3, c.y()), QPoint(c.x() - 3, c.y() + 5)});
    painter.drawPolygon(triangle);
  }
  painter.fillRect(QRect(button.left() + button.width() - 1, bar.top() + 2, 1, bar.height() - 3), kShadow);

  // The track, sunken, filled up to the thumb.
  const QRect track = TrackRect();
  if (!track.isEmpty()) {
    const QRect groove(track.left(), track.center().y() - 2, track.width(), 5);
    painter.fillRect(groove, Qt::white);
    painter.fillRect(QRect(groove.left(), groove.top(), groove.width(), 1), kShadow);
    painter.fillRect(QRect(groove.left(), groove.top(), 1, groove.height()), kShadow);
    const QRect thumb = ThumbRect();
    if (thumb.left() > groove.left() + 1)
      painter.fillRect(QRect(groove.left() + 1, groove.top() + 1, thumb.left() - groove.left() - 1, groove.height() - 1),
                       m_active ? kPlayed : kShadow);
    painter.fillRect(thumb, kFace);
    painter.fillRect(QRect(thumb.left(), thumb.top(), thumb.width(), 1), Qt::white);
    painter.fillRect(QRect(thumb.left(), thumb.top(), 1, thumb.height()), Qt::white);
    painter.fillRect(QRect(thumb.left(), thumb.bottom(), thumb.width(), 1), kDarkShadow);
    painter.fillRect(QRect(thumb.right(), thumb.top(), 1, thumb.height()), kDarkShadow);
  }

  const QRect time = TimeRect();
  if (!time.isNull()) {
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPixelSize(10);
    painter.setFont(font);
    painter.setPen(ink);
    painter.drawText(time.adjusted(0, 1, -4, 0), Qt::AlignRight | Qt::AlignVCenter,
                     QString::fromStdString(FormatTime(CurrentTime())));
  }
  painter.restore();
}

bool CMovieController::Idle() {
  const bool moved = m_movie.Task();
  const std::uint32_t info = Info();
  const bool changed = moved || info != m_lastInfo;
  m_lastInfo = info;
  return changed;
}

std::uint32_t CMovieController::Info() const { return m_movie.IsPlaying() ? kPlaying : 0; }

MovieTime CMovieController::CurrentTime() const { return m_movie.CurrentTime(); }

MovieTime CMovieController::Duration() const { return m_movie.Duration(); }

void CMovieController::Play(double rate) { m_movie.SetRate(rate); }

void CMovieController::TogglePlay() {
  if (m_movie.IsPlaying()) {
    m_movie.SetRate(0);
    return;
  }
  // Playing again from the end starts over.
  if (m_movie.IsDone()) m_movie.GoToBeginning();
  m_movie.SetRate(1.0);
}

void CMovieController::Step(int frames) {
  m_movie.SetRate(0);
  MovieTime step = m_movie.FrameDuration();
  if (step <= 0) step = kMovieTimeScale / 10;
  m_movie.GoToTime(std::max<MovieTime>(0, m_movie.CurrentTime() + frames * step));
}

bool CMovieController::MousePress(QPoint point) {
  if (!m_active) return false;
  switch (HitTest(point)) {
    case Part::PlayButton:
      TogglePlay();
      return true;
    case Part::PositionBar:
      m_dragging = true;
      m_resumeAfterDrag = m_movie.IsPlaying();
      m_movie.SetRate(0);
      m_movie.GoToTime(XToTime(point.x()));
      return true;
    case Part::Time:
      return true;
    case Part::Movie:
    case Part::None:
      return false;
  }
  return false;
}

bool CMovieController::MouseMove(QPoint point) {
  if (!m_dragging) return false;
  m_movie.GoToTime(XToTime(point.x()));
  return true;
}

bool CMovieController::MouseRelease(QPoint point) {
  if (!m_dragging) return false;
  m_movie.GoToTime(XToTime(point.x()));
  m_dragging = false;
  if (m_resumeAfterDrag && m_movie.CurrentTime() < m_movie.Duration()) m_movie.SetRate(1.0);
  return true;
}

bool CMovieController::KeyPress(int key) {
  if (!m_active || !m_keysEnabled) return false;
  switch (key) {
    case Qt::Key_Space:
    case Qt::Key_Return:
    case Qt::Key_Enter:
      TogglePlay();
      return true;
    case Qt::Key_Left:
      Step(-1);
      return true;
    case Qt::Key_Right:
      Step(1);
      return true;
    case Qt::Key_Home:
      m_movie.SetRate(0);
      m_movie.GoToBeginning();
      return true;
    case Qt::Key_End:
      m_movie.SetRate(0);
      m_movie.GoToEnd();
      return true;
    default:
      return false;
  }
}

std::string CMovieController::FormatTime(MovieTime time) {
  const long long seconds = std::max<MovieTime>(0, time) / kMovieTimeScale;
  char text[32];
  if (seconds >= 3600)
    std::snprintf(text, sizeof text, "%lld:%02lld:%02lld", seconds / 3600, seconds / 60 % 60, seconds % 60);
  else
    std::snprintf(text, sizeof text, "%lld:%02lld", seconds / 60, seconds % 60);
  return text;
}
