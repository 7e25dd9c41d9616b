// SoundOutput: the program-wide wave output. Every sound of the player goes through
// it: narration clips streamed in blocks (CSoundClip), and one-shot sounds (built-in
// sound resources, sounds embedded in exposition files).
//
// Format: 16-bit mono PCM at 22 050 Hz. Streaming uses 32 buffers of 16 384 bytes,
// allocated on first use and kept until Close(); each is tagged with the clip and the
// block it holds. A one-shot sound has a buffer of its own.
//
// Threads: everything here runs on the user-interface thread, except the device's
// completion callback, which only queues the finished buffer's number and posts a
// wake-up to this object's thread. The wake-up (or Pump(), from busy loops) hands
// each finished buffer to its clip, which decodes and queues its next block.
//
// The device opens lazily. When the system has none, "Cannot play sounds because no
// audio device can be found." is shown once per run and a silent stand-in device is
// used that keeps real time, so that clip positions still advance.
#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <memory>
#include <mutex>
#include <span>
#include <vector>

#include "audio/PcmConvert.h"
#include "audio/WaveDevice.h"

class QObject;

// A stream of blocks through the output (a sound clip).
class WaveClient {
 public:
  // The output has finished the buffer holding block (on the user-interface thread).
  virtual void BufferDone(std::int64_t block) = 0;
  // The output is about to drop this client's queued buffers for a one-shot sound or
  // because it closes; the client keeps its place.
  virtual void StreamInterrupted() = 0;
  // The one-shot sound that interrupted the client has ended.
  virtual void InterruptionOver() = 0;

 protected:
  ~WaveClient() = default;
};

// One streaming buffer. The client fills samples[0..count) and writes it.
struct WaveBuffer {
  enum class State { Unused, Idle, Taken, Queued };
  std::vector<std::int16_t> samples;  // audio::kBufferSamples once used
  std::size_t count = 0;
  WaveClient* client = nullptr;       // tag: owner and block; cleared by Reset()
  std::int64_t block = -1;
  State state = State::Unused;
};

class SoundOutput {
 public:
  // The system's default device through SDL.
  SoundOutput();
  // Another device (tests; a stand-in).
  explicit SoundOutput(audio::WaveDeviceFactory factory);
  ~SoundOutput();
  SoundOutput(const SoundOutput&) = delete;
  SoundOutput& operator=(const SoundOutput&) = delete;

  // Opens the device if needed; whether sound operations can work.
  bool EnsureOpen();
  // Stops everything, frees the buffers and releases the device (the program is
  // switched away from); the next sound opens it again.
  void Close();
  bool IsOpen() const { return m_device != nullptr; }

  // Streaming. A free buffer tagged for client and block, or nullptr when all 32 are
  // queued (or there is no device).
  WaveBuffer* GetFreeBuffer(WaveClient* client, std::int64_t block);
  // Queues buffer (its count samples) on the device.
  void Write(WaveBuffer* buffer);
  // Drops client's tags (a clip that stops or goes away); its buffers play out unheard
  // by it.
  void ForgetClient(WaveClient* client);

  // Stops any playback and plays data once. A streaming clip is interrupted first and
  // resumed when the sound ends. False when nothing can be played.
  bool PlayOneShot(std::span<const std::uint8_t> data, audio::OneShotMode mode);
  // Handles completions until the one-shot sound has ended or 5 seconds have passed,
  // then resets.
  void WaitForOneShot();
  bool IsPlaying() const { return m_playing; }
  bool IsPlayingOneShot() const { return m_oneShotPlaying; }

  // Built-in sound resourceId (7000-7043), unless SoundsDisabled(): a RIFF WAVE of
  // 16-bit mono PCM at 11 025 or 22 050 Hz. "Cannot find a specific sound resource."
  // when there is no such resource; other sounds are quietly not played.
  bool Play(int resourceId);
  // A sound embedded in an exposition file: 16-bit big-endian mono PCM at 11 025 Hz.
  // volume 0..255 is set first and stays the current level; negative keeps the level.
  bool PlayEmbedded(std::span<const std::uint8_t> data, int volume = -1);
  // The learner's "Disable sounds" preference (Service<Preferences>(), read at each
  // sound; off without the service). It silences built-in sounds only.
  static bool SoundsDisabled();

  // Clears every buffer tag, returns all buffers from the device and handles the
  // completions, so that nothing plays afterwards; the position becomes 0.
  void Reset();
  void Pause();
  void Restart();
  // Samples played since the last reset.
  std::int64_t Position() const;

  // level < 0: the device's level, 0..255. Otherwise sets level (clamped to 0..255) on
  // both channels as level × 257; it becomes the program's current level unless
  // wholeDevice (a change of the device as a whole). Returns the level.
  int Volume(int level, bool wholeDevice = false);
  bool HasVolumeControl();
  int CurrentLevel() const { return m_level; }
  int UserLevel() const;  // 0..8

  // Handles one pending completion; whether there was one.
  bool Pump();

  // Bookkeeping, for tests and diagnostics.
  int QueuedBuffers() const;
  int PeakQueuedBuffers() const { return m_peakQueued; }
  std::size_t BufferBytes() const;  // memory held by the streaming and one-shot buffers
  std::string DriverName() const { return m_device ? m_device->driverName() : std::string(); }

  static constexpr int kOneShotId = 32;  // completion id of the one-shot buffer
  static constexpr auto kOneShotWait = std::chrono::seconds(5);

 private:
  void Init();
  void OnCompletion(int id);  // device thread
  bool TakeCompletion(int* id);
  void HandleCompletion(int id);
  void DrainCompletions();
  WaveClient* StreamingClient() const;
  void ResumeInterrupted();

  audio::WaveDeviceFactory m_factory;
  std::unique_ptr<audio::WaveDevice> m_device;
  bool m_unavailable = false;  // no device at all: quiet until Close()
  bool m_levelRead = false;
  std::uint32_t m_deviceVolume = 0xFFFFFFFFu;  // reapplied when the device is opened again
  int m_level = 255;

  std::vector<WaveBuffer> m_buffers;
  std::vector<std::int16_t> m_oneShot;
  bool m_oneShotQueued = false;
  bool m_oneShotPlaying = false;
  bool m_oneShotEnded = false;  // ended since the last check: resume an interrupted client
  WaveClient* m_interrupted = nullptr;
  bool m_playing = false;
  int m_inFlight = 0;
  int m_peakQueued = 0;

  // Completions from the device thread.
  std::mutex m_completionMutex;
  std::condition_variable m_completionReady;
  std::deque<int> m_completions;
  std::atomic<bool> m_wakePosted{false};
  std::unique_ptr<QObject> m_receiver;  // lives on the user-interface thread
};
