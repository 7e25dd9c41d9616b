// The playing clock of a movie: which movie time is on screen at a given moment, for a
// rate (1.0 plays, 0 pauses, negative plays backwards), a play range (the whole movie,
// or its preview segment) and a looping mode. Pure arithmetic on times the caller
// supplies, so that it can be driven by any clock.
//
// The clock keeps a "phase": the distance travelled through the range since the range
// start. Without looping it is held within the range; looping takes it modulo the
// range's length; a palindrome runs forwards, then backwards, over twice the length.
#pragma once

#include "movies/MovieTime.h"

enum class MovieLoop {
  None,        // stops at the end of the range (or at its start when playing backwards)
  Loop,        // starts over at the other end
  Palindrome,  // turns round at either end
};

class MoviePlayback {
 public:
  // The range [start, end] within which the movie plays; end < start counts as empty.
  // The time on screen is kept, within the new range.
  void SetRange(MovieTime start, MovieTime end, MovieTime now);
  MovieTime rangeStart() const { return m_start; }
  MovieTime rangeEnd() const { return m_start + m_length; }

  void SetLoop(MovieLoop loop, MovieTime now);
  MovieLoop loop() const { return m_loop; }

  // Keeps the time on screen and goes on from it at rate. Non-finite rates count as 0.
  void SetRate(double rate, MovieTime now);
  double rate() const { return m_rate; }
  bool IsPlaying() const { return m_rate != 0; }

  // Shows time (clamped to the range) from now on; a palindrome keeps its direction.
  void GoTo(MovieTime time, MovieTime now);

  // The movie time on screen at now (now not before the last change).
  MovieTime Time(MovieTime now) const;

  // Ends play that has run off the range: without looping the rate becomes 0 and the
  // time rests at the end it reached. True when this stopped the movie.
  bool Update(MovieTime now);

 private:
  MovieTime Phase(MovieTime now) const;
  MovieTime TimeOfPhase(MovieTime phase) const;
  void Rebase(MovieTime now);  // the phase at now becomes the anchor

  MovieTime m_start = 0;
  MovieTime m_length = 0;
  MovieLoop m_loop = MovieLoop::None;
  double m_rate = 0;
  MovieTime m_phase = 0;  // at m_since
  MovieTime m_since = 0;
};
