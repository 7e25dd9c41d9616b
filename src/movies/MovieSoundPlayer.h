// The sound of a playing movie through the program's wave output: blocks of the movie's
// 22 050 Hz samples queued as buffers come back, from the movie's current time on. The
// movie's own clock stays the master; the sound is started again where the picture is
// whenever the two part by more than kMaxDriftMs (after a seek, say).
//
// The player refers to the output and the sound source, which must outlive it. Everything
// runs on the user-interface thread.
#pragma once

#include <cstdint>

#include "audio/SoundOutput.h"
#include "movies/MovieTime.h"

class MovieSoundSource;

class CMovieSoundPlayer final : public WaveClient {
 public:
  static constexpr std::int64_t kMaxDriftMs = 250;

  CMovieSoundPlayer(SoundOutput* output, MovieSoundSource* source);
  ~CMovieSoundPlayer();
  CMovieSoundPlayer(const CMovieSoundPlayer&) = delete;
  CMovieSoundPlayer& operator=(const CMovieSoundPlayer&) = delete;

  // Plays from time on (false when nothing can be played), or stops.
  bool PlayFrom(MovieTime time);
  void Stop();
  bool IsPlaying() const { return m_playing; }
  // Keeps the sound with the picture: call on every tick with the movie's state.
  void Follow(bool moviePlaying, MovieTime movieTime);
  // Where the sound is now (movie time), from what the output has played.
  MovieTime Position() const;

  // WaveClient
  void BufferDone(std::int64_t block) override;
  void StreamInterrupted() override;
  void InterruptionOver() override;

 private:
  void QueueBlocks();

  SoundOutput* m_output;
  MovieSoundSource* m_source;
  std::int64_t m_start = 0;  // sample where playback started
  std::int64_t m_next = 0;   // first sample not yet queued
  int m_outstanding = 0;
  bool m_playing = false;
  bool m_ended = false;  // played out to the end of the sound
};
