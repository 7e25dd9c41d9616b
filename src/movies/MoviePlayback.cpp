#include "movies/MoviePlayback.h"

#include <algorithm>
#include <cmath>

namespace {
MovieTime PositiveModulo(MovieTime value, MovieTime modulus) {
  const MovieTime r = value % modulus;
  return r < 0 ? r + modulus : r;
}
}  // namespace

void MoviePlayback::SetRange(MovieTime start, MovieTime end, MovieTime now) {
  const MovieTime time = Time(now);
  m_start = ClampMovieTime(start);
  m_length = std::max<MovieTime>(0, ClampMovieTime(end) - m_start);
  m_since = now;
  m_phase = std::clamp(time, m_start, m_start + m_length) - m_start;
}

void MoviePlayback::SetLoop(MovieLoop loop, MovieTime now) {
  const MovieTime time = Time(now);
  m_loop = loop;
  m_phase = time - m_start;
  m_since = now;
}

void MoviePlayback::SetRate(double rate, MovieTime now) {
  Rebase(now);
  // Faster than 64 times is no use to a movie and keeps phase arithmetic far from overflow.
  m_rate = std::isfinite(rate) ? std::clamp(rate, -64.0, 64.0) : 0.0;
}

void MoviePlayback::GoTo(MovieTime time, MovieTime now) {
  const MovieTime offset = std::clamp(ClampMovieTime(time), m_start, m_start + m_length) - m_start;
  const bool backwardLeg =
      m_loop == MovieLoop::Palindrome && m_length > 0 && PositiveModulo(Phase(now), 2 * m_length) > m_length;
  m_phase = backwardLeg ? 2 * m_length - offset : offset;
  m_since = now;
}

MovieTime MoviePlayback::Phase(MovieTime now) const {
  if (m_rate == 0) return m_phase;
  const double travelled = static_cast<double>(std::max<MovieTime>(0, now - m_since)) * m_rate;
  // Clamped so that long-running loops stay within range of the integer phase.
  const double limit = static_cast<double>(kMaxMovieTime) * 64;
  return m_phase + static_cast<MovieTime>(std::llround(std::clamp(travelled, -limit, limit)));
}

MovieTime MoviePlayback::TimeOfPhase(MovieTime phase) const {
  if (m_length == 0) return m_start;
  switch (m_loop) {
    case MovieLoop::None:
      return m_start + std::clamp<MovieTime>(phase, 0, m_length);
    case MovieLoop::Loop:
      return m_start + PositiveModulo(phase, m_length);
    case MovieLoop::Palindrome: {
      const MovieTime p = PositiveModulo(phase, 2 * m_length);
      return m_start + (p <= m_length ? p : 2 * m_length - p);
    }
  }
  return m_start;
}

MovieTime MoviePlayback::Time(MovieTime now) const { return TimeOfPhase(Phase(now)); }

void MoviePlayback::Rebase(MovieTime now) {
  MovieTime phase = Phase(now);
  // Keep the anchor small: whole turns of a loop change nothing on screen.
  if (m_length > 0 && m_loop == MovieLoop::Loop) phase = PositiveModulo(phase, m_length);
  if (m_length > 0 && m_loop == MovieLoop::Palindrome) phase = PositiveModulo(phase, 2 * m_length);
  if (m_loop == MovieLoop::None) phase = std::clamp<MovieTime>(phase, 0, m_length);
  m_phase = phase;
  m_since = now;
}

bool MoviePlayback::Update(MovieTime now) {
  if (m_rate == 0) return false;
  if (m_loop != MovieLoop::None && m_length > 0) return false;
  const MovieTime phase = Phase(now);
  if ((m_rate > 0 && phase >= m_length) || (m_rate < 0 && phase <= 0)) {
    m_phase = std::clamp<MovieTime>(phase, 0, m_length);
    m_since = now;
    m_rate = 0;
    return true;
  }
  return false;
}
