// A wave device driven by the test: nothing plays until advance() consumes samples,
// and completions are delivered on the calling thread.
#pragma once

#include <algorithm>
#include <deque>
#include <memory>
#include <mutex>
#include <vector>

#include "audio/WaveDevice.h"

namespace kntest {

class FakeWaveDevice final : public audio::WaveDevice {
 public:
  struct Shared {  // what the test sees after the output took the device
    std::vector<std::vector<std::int16_t>> written;  // every buffer's samples, in write order
    std::uint32_t volume = 0xFFFFFFFFu;
    bool hasVolume = true;
    bool readableVolume = true;
    bool paused = false;
    int resets = 0;
    int opens = 0;
    FakeWaveDevice* live = nullptr;
  };

  FakeWaveDevice(std::shared_ptr<Shared> shared, Completion completion)
      : m_shared(std::move(shared)), m_completion(std::move(completion)) {
    m_shared->live = this;
    ++m_shared->opens;
  }
  ~FakeWaveDevice() override { m_shared->live = nullptr; }

  // A factory for SoundOutput that records into shared.
  static audio::WaveDeviceFactory Factory(std::shared_ptr<Shared> shared,
                                          audio::DeviceProblem problem = audio::DeviceProblem::None) {
    return [shared, problem](Completion c) {
      return audio::DeviceOpenResult{std::make_unique<FakeWaveDevice>(shared, std::move(c)), problem};
    };
  }

  // Plays count samples (unless paused), handing back finished buffers.
  void advance(std::size_t count) {
    std::lock_guard lock(m_mutex);
    if (m_shared->paused) return;
    while (count > 0 && !m_queue.empty()) {
      auto& [header, consumed] = m_queue.front();
      const std::size_t n = std::min(count, header.count - consumed);
      consumed += n;
      count -= n;
      m_played += n;
      if (consumed == header.count) {
        const int id = header.id;
        m_queue.pop_front();
        m_completion(id);
      }
    }
  }
  std::size_t queued() const {
    std::lock_guard lock(m_mutex);
    return m_queue.size();
  }
  // The id of the buffer playing now, -1 when none.
  int frontId() const {
    std::lock_guard lock(m_mutex);
    return m_queue.empty() ? -1 : m_queue.front().first.id;
  }

  void write(const audio::WaveHeader& h) override {
    std::lock_guard lock(m_mutex);
    m_shared->written.emplace_back(h.samples, h.samples + h.count);
    m_queue.push_back({h, 0});
  }
  void reset() override {
    std::lock_guard lock(m_mutex);
    ++m_shared->resets;
    while (!m_queue.empty()) {
      const int id = m_queue.front().first.id;
      m_queue.pop_front();
      m_completion(id);
    }
    m_played = 0;
    m_shared->paused = false;
  }
  void pause() override {
    std::lock_guard lock(m_mutex);
    m_shared->paused = true;
  }
  void restart() override {
    std::lock_guard lock(m_mutex);
    m_shared->paused = false;
  }
  std::uint64_t position() const override {
    std::lock_guard lock(m_mutex);
    return m_played;
  }
  bool hasVolumeControl() const override { return m_shared->hasVolume; }
  std::optional<std::uint32_t> volume() const override {
    if (!m_shared->readableVolume) return std::nullopt;
    return m_shared->volume;
  }
  void setVolume(std::uint32_t v) override { m_shared->volume = v; }
  std::string driverName() const override { return "fake"; }

 private:
  mutable std::mutex m_mutex;  // the test may play the device from another thread
  std::shared_ptr<Shared> m_shared;
  Completion m_completion;
  std::deque<std::pair<audio::WaveHeader, std::size_t>> m_queue;
  std::uint64_t m_played = 0;
};

}  // namespace kntest
