// The launcher's welcome sound: a WAVE file played once, asynchronously, through SDL's
// queued audio. Without a sound device (or with SDL's dummy driver) it plays silently
// or not at all; either way the launcher goes on.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

class CWelcomeSound {
 public:
  CWelcomeSound() = default;
  ~CWelcomeSound();
  CWelcomeSound(const CWelcomeSound&) = delete;
  CWelcomeSound& operator=(const CWelcomeSound&) = delete;

  // Starts playing wav (a RIFF WAVE file; the bytes are decoded at once and not kept).
  // False, and nothing playing, when there is no audio device or the bytes are not a
  // WAVE file SDL can read.
  bool Play(std::span<const std::uint8_t> wav);
  // Stops at once and releases the device; harmless when nothing plays.
  void Stop();

  bool isOpen() const { return m_device != 0; }
  // Bytes still waiting to be played.
  std::uint32_t queuedBytes() const;

 private:
  std::uint32_t m_device = 0;  // SDL_AudioDeviceID, 0 when closed
  bool m_audioStarted = false;
};

// The program's sound resource "WELCOME"; none when the program was built without it.
std::optional<std::vector<std::uint8_t>> WelcomeSoundResource();
