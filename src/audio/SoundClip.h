// CSoundClip: a narration clip and the playback clock of an exposition.
//
// A clip is an AIFF/AIFC (".aif") or Ogg Vorbis (".ogg") file streamed through the
// program's SoundOutput one block (about 0.37 s) at a time as buffers come back, or a
// silent clip that only counts time. Its position, in samples at 22 050 Hz, is the
// clock the exposition's script runs against.
//
// Each exposition window owns one clip; the output is shared and must outlive it.
// Everything runs on the user-interface thread.
#pragma once

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <span>
#include <string>
#include <string_view>

#include "audio/AudioFormat.h"
#include "audio/SoundOutput.h"

class CourseFile;

namespace audio {
class ClipDecoder;
}

class CSoundClip final : public WaveClient {
 public:
  // output: the wave output to play through (normally Service<SoundOutput>()); a clip
  // without one can only be silent.
  explicit CSoundClip(SoundOutput* output);
  ~CSoundClip();
  CSoundClip(const CSoundClip&) = delete;
  CSoundClip& operator=(const CSoundClip&) = delete;

  // Opens a clip file; the name decides the kind (".aif" or ".ogg", any case).
  // Any failure shows "Cannot open audio file '%s'." with the name and leaves the clip
  // closed; without a working output it fails quietly (the output said why).
  bool Open(const std::filesystem::path& path);
  // The same for a file already open (found through the course folders); name labels it.
  bool Open(CourseFile file, std::string_view name);
  // A silent clock of length clock units; needs no output.
  void OpenSilent(std::int64_t length);
  void Close();

  bool IsOpen() const { return m_open; }
  bool IsSilent() const { return m_open && !m_decoder; }
  audio::ClipFormat Format() const;
  std::int64_t Length() const { return m_length; }

  // Stops current playback and plays from position (clock units), which is clamped to
  // the clip and moved back to where decoding can start (a whole IMA packet). False
  // when the clip is closed or nothing can play.
  bool PlayFrom(std::int64_t position);
  // Clock units: where playback started plus what the output has played since, at most
  // the length; the length once at the end; the place kept while paused.
  std::int64_t Position() const;
  // Whether playback goes on; a silent clip stops by itself at its length.
  bool IsPlaying();
  bool IsPaused() const { return m_paused; }
  bool AtEnd() const { return m_atEnd; }
  // Keeps the current position (a whole packet for IMA clips) and stops.
  void Pause();
  // Plays from the kept position.
  bool Resume();

  // An effect sound during the narration: a playing clip is paused, pending output
  // notifications are handled, the sound plays to its end (at most 5 seconds), then the
  // narration goes on where it stopped. Built-in sound resourceId, or embedded 16-bit
  // big-endian 11 025 Hz data at volume (0..255, negative: the current level).
  bool PlayBuiltInEffect(int resourceId);
  bool PlayEmbeddedEffect(std::span<const std::uint8_t> data, int volume = -1);

  // The decoder, for tools that inspect the clip; nullptr for silent or closed clips.
  const audio::ClipDecoder* Decoder() const { return m_decoder.get(); }

  // WaveClient
  void BufferDone(std::int64_t block) override;
  void StreamInterrupted() override;
  void InterruptionOver() override;

 private:
  template <class Start>
  bool PlayEffect(Start start);
  void Stop();
  void QueueBlocks();
  std::int64_t SilentElapsed() const;

  SoundOutput* m_output;
  std::unique_ptr<audio::ClipDecoder> m_decoder;
  bool m_open = false;
  std::int64_t m_length = 0;
  std::int64_t m_startOffset = 0;  // clock unit where the current playback began or is kept
  std::int64_t m_nextUnit = 0;     // first clock unit not yet queued
  int m_outstanding = 0;           // buffers of this clip on the output
  bool m_playing = false;
  bool m_paused = false;
  bool m_atEnd = false;
  bool m_interrupted = false;      // a one-shot sound holds the output; playback goes on after it
  std::chrono::steady_clock::time_point m_startTick;  // silent clips
};
