// Time in the movie component: microseconds from the start of the movie, the unit of
// FFmpeg's AV_TIME_BASE, so that container times convert without rounding twice.
// Expositions count in samples of the 22 050 Hz narration clock; the conversions
// below round to the nearest unit.
#pragma once

#include <cstdint>

using MovieTime = std::int64_t;

inline constexpr MovieTime kMovieTimeScale = 1'000'000;  // units per second
// Longest movie the component believes in: declared durations beyond it are clamped,
// which keeps every product below far from overflow.
inline constexpr MovieTime kMaxMovieTime = MovieTime{24} * 3600 * kMovieTimeScale;
inline constexpr int kNarrationRate = 22050;

constexpr MovieTime ClampMovieTime(MovieTime t) { return t < 0 ? 0 : (t > kMaxMovieTime ? kMaxMovieTime : t); }

constexpr std::int64_t MovieTimeToSamples(MovieTime t) {
  return (t * kNarrationRate + (t >= 0 ? kMovieTimeScale / 2 : -kMovieTimeScale / 2)) / kMovieTimeScale;
}

constexpr MovieTime SamplesToMovieTime(std::int64_t samples) {
  return (samples * kMovieTimeScale + (samples >= 0 ? kNarrationRate / 2 : -kNarrationRate / 2)) / kNarrationRate;
}

constexpr MovieTime SecondsToMovieTime(double seconds) {
  const double t = seconds * kMovieTimeScale;
  if (!(t > 0)) return 0;  // also NaN
  if (t >= static_cast<double>(kMaxMovieTime)) return kMaxMovieTime;
  return static_cast<MovieTime>(t + 0.5);
}
