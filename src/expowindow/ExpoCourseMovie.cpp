#include "expowindow/ExpoCourseMovie.h"

#include <algorithm>
#include <cmath>

#include "course/CourseFileError.h"
#include "course/CoursePath.h"
#include "movies/MovieTime.h"

namespace {

// t into [0, period).
MovieTime Wrap(MovieTime t, MovieTime period) {
  const MovieTime r = t % period;
  return r < 0 ? r + period : r;
}

}  // namespace

ExpoCourseMovie::ExpoCourseMovie(std::unique_ptr<CMovie> movie) : m_movie(std::move(movie)) {}

QSize ExpoCourseMovie::NaturalSize() const { return m_movie->NaturalSize(); }

std::int64_t ExpoCourseMovie::DurationSamples() const { return MovieTimeToSamples(m_movie->Duration()); }

void ExpoCourseMovie::SetLoop(bool loop, bool palindrome) {
  m_loop = loop;
  m_palindrome = palindrome;
  m_movie->SetLoop(palindrome ? MovieLoop::Palindrome : loop ? MovieLoop::Loop : MovieLoop::None);
}

void ExpoCourseMovie::SetPreview(std::int64_t startSamples) {
  m_preview = std::clamp<MovieTime>(SamplesToMovieTime(std::max<std::int64_t>(startSamples, 0)), 0, m_movie->Duration());
}

void ExpoCourseMovie::SetRate(double rate) {
  // Zero would freeze the movie for good, and NaN has no meaning: both play at the usual speed.
  m_rate = std::isfinite(rate) && rate != 0 ? rate : 1.0;
}

MovieTime ExpoCourseMovie::Scaled(std::int64_t samples) const {
  // Positions are held below a day of samples and the rate below 100, so the product is
  // far from overflow; the clamp guards the conversion all the same.
  const double scaled = static_cast<double>(SamplesToMovieTime(samples)) * m_rate;
  return static_cast<MovieTime>(std::clamp(scaled, -9.0e15, 9.0e15));
}

MovieTime ExpoCourseMovie::TimeAt(std::int64_t samples) const {
  const MovieTime d = m_movie->Duration();
  if (samples < 0) return m_preview;
  if (d <= 0) return 0;
  const MovieTime t = Scaled(samples);
  if (m_palindrome) {
    const MovieTime phase = Wrap(t, 2 * d);
    return phase <= d ? phase : 2 * d - phase;
  }
  if (m_loop) return Wrap(t, d);
  return std::clamp<MovieTime>(t, 0, d);
}

void ExpoCourseMovie::Follow(std::int64_t samples, bool playing) {
  m_movie->GoToTime(TimeAt(samples));
  // Before its start the movie waits at its preview frame. On the way back of a
  // palindrome it plays backwards, and turns round by itself at either end.
  const MovieTime d = m_movie->Duration();
  const bool back = m_palindrome && samples >= 0 && d > 0 && Wrap(Scaled(samples), 2 * d) > d;
  m_movie->SetRate(playing && samples >= 0 ? (back ? -m_rate : m_rate) : 0);
}

QImage ExpoCourseMovie::CurrentFrame() {
  m_movie->Task();
  return m_movie->CurrentFrame();
}

std::unique_ptr<ExpoMovie> OpenExpoCourseMovie(const std::filesystem::path& folder, std::string_view name) {
  if (name.empty()) return nullptr;
  std::optional<std::filesystem::path> path = ResolveCoursePath(folder, name);
  if (!path && name.find('.') == std::string_view::npos) path = ResolveCoursePath(folder, std::string(name) + ".mov");
  if (!path) return nullptr;
  try {
    return std::make_unique<ExpoCourseMovie>(CMovie::Open(*path));
  } catch (const CourseFileError&) {
    return nullptr;  // a movie that cannot be played is absent, as the scene expects
  }
}
