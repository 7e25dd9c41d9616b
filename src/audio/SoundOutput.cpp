#include "audio/SoundOutput.h"

#include <QtCore/QCoreApplication>
#include <QtCore/QMetaObject>
#include <QtCore/QObject>

#include <algorithm>

#include "audio/AudioFormat.h"
#include "audio/SdlWaveDevice.h"
#include "audio/WaveResource.h"
#include "course/CourseFileError.h"
#include "course/Notice.h"
#include "course/Preferences.h"
#include "course/ProgramResources.h"
#include "course/Services.h"
#include "course/StringIds.h"

using namespace audio;

namespace {
// Each device message is shown at most once per run, whichever output meets it.
std::atomic<bool> g_noDeviceShown{false};
std::atomic<bool> g_openFailedShown{false};

int LevelOf(std::uint32_t leftRight) { return static_cast<int>((leftRight & 0xFFFF) >> 8); }
}  // namespace

SoundOutput::SoundOutput() : SoundOutput(&SdlWaveDevice::Open) {}

SoundOutput::SoundOutput(WaveDeviceFactory factory) : m_factory(std::move(factory)) {
  m_buffers.resize(kBufferCount);
  m_receiver = std::make_unique<QObject>();
}

SoundOutput::~SoundOutput() { Close(); }

bool SoundOutput::EnsureOpen() {
  if (m_device) return true;
  if (m_unavailable) return false;
  DeviceOpenResult opened = m_factory([this](int id) { OnCompletion(id); });
  if (opened.problem == DeviceProblem::NoDevice && !g_noDeviceShown.exchange(true))
    ShowNotice(str::kNoAudioDevice);
  else if (opened.problem == DeviceProblem::OpenFailed && !g_openFailedShown.exchange(true))
    ShowNotice(str::kCannotOpenSoundDevice);
  if (!opened.device) {
    m_unavailable = true;
    return false;
  }
  m_device = std::move(opened.device);
  if (!m_levelRead) {
    m_levelRead = true;
    const auto v = m_device->hasVolumeControl() ? m_device->volume() : std::nullopt;
    m_level = v ? LevelOf(*v) : 255;
    if (v) m_deviceVolume = *v;
  } else if (m_device->hasVolumeControl()) {
    // A device of ours forgets its level when closed; the system's mixer would not.
    m_device->setVolume(m_deviceVolume);
  }
  return true;
}

void SoundOutput::Close() {
  if (!m_device) {
    m_unavailable = false;
    return;
  }
  if (WaveClient* c = StreamingClient()) c->StreamInterrupted();
  m_interrupted = nullptr;
  Reset();
  m_device.reset();
  {
    std::lock_guard lock(m_completionMutex);
    m_completions.clear();
  }
  for (auto& b : m_buffers) b = WaveBuffer{};
  m_oneShot = {};
  m_unavailable = false;
}

WaveBuffer* SoundOutput::GetFreeBuffer(WaveClient* client, std::int64_t block) {
  if (!EnsureOpen()) return nullptr;
  auto take = [&](WaveBuffer& b) {
    b.state = WaveBuffer::State::Taken;
    b.client = client;
    b.block = block;
    b.count = 0;
    return &b;
  };
  for (auto it = m_buffers.rbegin(); it != m_buffers.rend(); ++it)
    if (it->state == WaveBuffer::State::Unused) {
      it->samples.assign(kBufferSamples, 0);
      return take(*it);
    }
  for (auto it = m_buffers.rbegin(); it != m_buffers.rend(); ++it)
    if (it->state == WaveBuffer::State::Idle) return take(*it);
  return nullptr;
}

void SoundOutput::Write(WaveBuffer* buffer) {
  if (!buffer || buffer->state != WaveBuffer::State::Taken) return;
  if (!m_device || buffer->count == 0) {
    buffer->state = WaveBuffer::State::Idle;
    buffer->client = nullptr;
    return;
  }
  buffer->count = std::min(buffer->count, buffer->samples.size());
  buffer->state = WaveBuffer::State::Queued;
  ++m_inFlight;
  m_playing = true;
  m_peakQueued = std::max(m_peakQueued, QueuedBuffers());
  const int id = static_cast<int>(buffer - m_buffers.data());
  m_device->write(WaveHeader{buffer->samples.data(), buffer->count, id});
}

void SoundOutput::ForgetClient(WaveClient* client) {
  for (auto& b : m_buffers)
    if (b.client == client) {
      b.client = nullptr;
      b.block = -1;
    }
  if (m_interrupted == client) m_interrupted = nullptr;
}

WaveClient* SoundOutput::StreamingClient() const {
  for (const auto& b : m_buffers)
    if (b.state == WaveBuffer::State::Queued && b.client) return b.client;
  return nullptr;
}

bool SoundOutput::PlayOneShot(std::span<const std::uint8_t> data, OneShotMode mode) {
  if (!EnsureOpen()) return false;
  std::vector<std::int16_t> samples = OneShotSamples(data, mode);
  if (samples.empty()) return false;
  if (WaveClient* c = StreamingClient()) {
    c->StreamInterrupted();
    m_interrupted = c;
  }
  Reset();
  m_oneShot = std::move(samples);
  m_oneShotQueued = true;
  m_oneShotPlaying = true;
  m_playing = true;
  ++m_inFlight;
  m_device->write(WaveHeader{m_oneShot.data(), m_oneShot.size(), kOneShotId});
  return true;
}

void SoundOutput::WaitForOneShot() {
  const auto deadline = std::chrono::steady_clock::now() + kOneShotWait;
  while (m_oneShotPlaying && m_device) {
    int id = 0;
    if (TakeCompletion(&id)) {
      HandleCompletion(id);
      continue;
    }
    const auto now = std::chrono::steady_clock::now();
    if (now >= deadline) break;
    std::unique_lock lock(m_completionMutex);
    m_completionReady.wait_for(lock, std::min<std::chrono::steady_clock::duration>(deadline - now, std::chrono::milliseconds(20)),
                               [this] { return !m_completions.empty(); });
  }
  Reset();
  ResumeInterrupted();
}

bool SoundOutput::SoundsDisabled() {
  const Preferences* prefs = Service<Preferences>();
  return prefs && prefs->disableSounds;
}

bool SoundOutput::Play(int resourceId) {
  if (SoundsDisabled()) return false;
  const auto bytes = ProgramResource("sound", resourceId);
  if (!bytes) {
    ShowNotice(str::kSoundResourceMissing);
    return false;
  }
  WaveSound wave;
  try {
    wave = ParseWaveResource(*bytes);
  } catch (const CourseFileError&) {
    return false;  // a built-in sound the output cannot play stays silent, as an unknown rate does
  }
  if (wave.rate == 11025) return PlayOneShot(wave.data, OneShotMode::LittleEndian11k);
  if (wave.rate == kClockRate) return PlayOneShot(wave.data, OneShotMode::Native);
  return false;
}

bool SoundOutput::PlayEmbedded(std::span<const std::uint8_t> data, int volume) {
  if (volume >= 0) Volume(volume);
  return PlayOneShot(data, OneShotMode::BigEndian11k);
}

void SoundOutput::Reset() {
  for (auto& b : m_buffers) {
    b.client = nullptr;
    b.block = -1;
  }
  if (m_device) m_device->reset();  // hands every queued buffer back before returning
  DrainCompletions();
  // A device that kept a buffer must not leave it unusable.
  for (auto& b : m_buffers)
    if (b.state == WaveBuffer::State::Queued || b.state == WaveBuffer::State::Taken) b.state = WaveBuffer::State::Idle;
  m_oneShotQueued = false;
  m_oneShotPlaying = false;
  m_oneShotEnded = false;
  m_inFlight = 0;
  m_playing = false;
}

void SoundOutput::Pause() {
  if (m_device) m_device->pause();
}

void SoundOutput::Restart() {
  if (m_device) m_device->restart();
}

std::int64_t SoundOutput::Position() const {
  return m_device ? static_cast<std::int64_t>(m_device->position()) : 0;
}

int SoundOutput::Volume(int level, bool wholeDevice) {
  if (!EnsureOpen()) return m_level;
  if (level < 0) {
    const auto v = m_device->hasVolumeControl() ? m_device->volume() : std::nullopt;
    return v ? LevelOf(*v) : m_level;
  }
  level = std::min(level, 255);
  const auto channel = static_cast<std::uint32_t>(level) * 257;
  m_deviceVolume = channel | channel << 16;
  if (m_device->hasVolumeControl()) m_device->setVolume(m_deviceVolume);
  if (!wholeDevice) m_level = level;
  return level;
}

bool SoundOutput::HasVolumeControl() { return EnsureOpen() && m_device->hasVolumeControl(); }

int SoundOutput::UserLevel() const { return UserLevelFromDevice(m_level); }

bool SoundOutput::Pump() {
  int id = 0;
  if (!TakeCompletion(&id)) return false;
  HandleCompletion(id);
  if (m_oneShotEnded) {
    m_oneShotEnded = false;
    ResumeInterrupted();
  }
  return true;
}

int SoundOutput::QueuedBuffers() const {
  return static_cast<int>(std::count_if(m_buffers.begin(), m_buffers.end(),
                                        [](const WaveBuffer& b) { return b.state == WaveBuffer::State::Queued; }));
}

std::size_t SoundOutput::BufferBytes() const {
  std::size_t total = m_oneShot.capacity() * sizeof(std::int16_t);
  for (const auto& b : m_buffers) total += b.samples.capacity() * sizeof(std::int16_t);
  return total;
}

// Device thread: queue the id and wake the user-interface thread; nothing else.
void SoundOutput::OnCompletion(int id) {
  {
    std::lock_guard lock(m_completionMutex);
    m_completions.push_back(id);
  }
  m_completionReady.notify_all();
  if (!m_wakePosted.exchange(true) && QCoreApplication::instance()) {
    QMetaObject::invokeMethod(
        m_receiver.get(),
        [this] {
          m_wakePosted = false;
          while (Pump()) {
          }
        },
        Qt::QueuedConnection);
  }
}

bool SoundOutput::TakeCompletion(int* id) {
  std::lock_guard lock(m_completionMutex);
  if (m_completions.empty()) return false;
  *id = m_completions.front();
  m_completions.pop_front();
  return true;
}

void SoundOutput::HandleCompletion(int id) {
  if (id == kOneShotId) {
    if (!m_oneShotQueued) return;
    m_oneShotQueued = false;
    --m_inFlight;
    if (m_oneShotPlaying) {
      m_oneShotPlaying = false;
      m_oneShotEnded = true;
    }
    if (m_inFlight == 0) m_playing = false;
    return;
  }
  if (id < 0 || id >= static_cast<int>(m_buffers.size())) return;
  WaveBuffer& b = m_buffers[static_cast<std::size_t>(id)];
  if (b.state != WaveBuffer::State::Queued) return;
  b.state = WaveBuffer::State::Idle;
  --m_inFlight;
  if (m_inFlight == 0) m_playing = false;
  WaveClient* client = b.client;
  const std::int64_t block = b.block;
  b.client = nullptr;
  b.block = -1;
  if (client) client->BufferDone(block);
}

void SoundOutput::DrainCompletions() {
  int id = 0;
  while (TakeCompletion(&id)) HandleCompletion(id);
}

void SoundOutput::ResumeInterrupted() {
  if (WaveClient* c = m_interrupted) {
    m_interrupted = nullptr;
    c->InterruptionOver();
  }
}
