// The wave device on SDL2: SDL's audio callback plays the queued buffers in order.
//
// The callback runs on SDL's audio thread. It copies from the buffers at the head of
// the queue (applying the volume as a software gain, since SDL has no device volume),
// counts the samples it consumed (the position), and hands each finished buffer back.
// The queue is guarded by one mutex, which the callback also holds while handing
// buffers back, so that reset() never misses a completion.
//
// Opening asks SDL for its usual driver and the default device. When that fails, SDL's
// "dummy" driver is opened instead, so that narrated expositions keep time on machines
// without a sound card. The dummy driver plays nothing and paces its callback by
// sleeping, which drifts by a few per cent (more under load); on it the callback is
// only a tick, and the buffers are consumed by the steady clock: as many samples as
// the time since playback began is worth. The position is then a real-time clock.
#pragma once

#include <SDL2/SDL_audio.h>

#include <array>
#include <atomic>
#include <chrono>
#include <mutex>

#include "audio/WaveDevice.h"

namespace audio {

class SdlWaveDevice final : public WaveDevice {
 public:
  // The system's default device, or the dummy driver with the problem that led to it;
  // no device only when even that fails.
  static DeviceOpenResult Open(Completion completion);
  // Only the dummy driver (tests, benchmarks).
  static DeviceOpenResult OpenDummy(Completion completion);

  ~SdlWaveDevice() override;
  SdlWaveDevice(const SdlWaveDevice&) = delete;
  SdlWaveDevice& operator=(const SdlWaveDevice&) = delete;

  void write(const WaveHeader& header) override;
  void reset() override;
  void pause() override;
  void restart() override;
  std::uint64_t position() const override { return m_played.load(std::memory_order_acquire); }
  bool hasVolumeControl() const override { return true; }
  std::optional<std::uint32_t> volume() const override { return m_volume.load(std::memory_order_relaxed); }
  void setVolume(std::uint32_t leftRight) override { m_volume.store(leftRight, std::memory_order_relaxed); }
  std::string driverName() const override { return m_driver; }

  // Samples per callback: about 23 ms, the granularity of the position.
  static constexpr int kCallbackSamples = 512;

 private:
  enum class Init { Subsystem, DummyDriver };
  SdlWaveDevice(Completion completion, Init init);
  bool openDefault();
  static void Callback(void* self, Uint8* stream, int len);
  void fill(std::int16_t* out, std::size_t count);
  std::size_t consume(std::int16_t* out, std::size_t count);
  void anchorClock();

  struct Pending {
    WaveHeader header;
    std::size_t consumed = 0;
  };
  static constexpr std::size_t kQueueCapacity = 64;  // more than the 33 buffers ever in flight

  Completion m_completion;
  Init m_init;
  SDL_AudioDeviceID m_device = 0;
  std::string m_driver;
  std::mutex m_mutex;
  std::array<Pending, kQueueCapacity> m_queue{};  // ring, guarded by m_mutex
  std::size_t m_head = 0;
  std::size_t m_size = 0;
  bool m_paused = false;
  bool m_clockPaced = false;  // the dummy driver: consume by the steady clock
  std::chrono::steady_clock::time_point m_anchorTime;  // playback (re)started here ...
  std::uint64_t m_anchorPlayed = 0;                    // ... with this many samples played
  std::atomic<std::uint64_t> m_played{0};
  std::atomic<std::uint32_t> m_volume{0xFFFFFFFFu};
};

}  // namespace audio
