#include "audio/SdlWaveDevice.h"

#include <SDL2/SDL.h>

#include <algorithm>
#include <cstring>

#include "audio/AudioFormat.h"
#include "audio/SdlLibrary.h"

namespace audio {

namespace {
// SDL must not take over the program's SIGINT and SIGTERM: Qt owns the main loop.
void PrepareSdl() {
  SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
  SDL_SetHint(SDL_HINT_AUDIO_DEVICE_APP_NAME, "Kestrelon");
}
}  // namespace

DeviceOpenResult SdlWaveDevice::Open(Completion completion) {
  if (!SdlLoaded()) return {nullptr, DeviceProblem::NoDevice};
  PrepareSdl();
  DeviceProblem problem = DeviceProblem::NoDevice;
  if (SDL_InitSubSystem(SDL_INIT_AUDIO) == 0) {
    std::unique_ptr<SdlWaveDevice> device(new SdlWaveDevice(completion, Init::Subsystem));
    if (device->openDefault()) return {std::move(device), DeviceProblem::None};
    if (SDL_GetNumAudioDevices(0) > 0) problem = DeviceProblem::OpenFailed;
  }
  DeviceOpenResult result = OpenDummy(std::move(completion));
  result.problem = problem;
  return result;
}

DeviceOpenResult SdlWaveDevice::OpenDummy(Completion completion) {
  if (!SdlLoaded()) return {nullptr, DeviceProblem::NoDevice};
  PrepareSdl();
  if (SDL_AudioInit("dummy") != 0) return {nullptr, DeviceProblem::NoDevice};
  std::unique_ptr<SdlWaveDevice> device(new SdlWaveDevice(std::move(completion), Init::DummyDriver));
  if (!device->openDefault()) return {nullptr, DeviceProblem::NoDevice};
  return {std::move(device), DeviceProblem::None};
}

SdlWaveDevice::SdlWaveDevice(Completion completion, Init init) : m_completion(std::move(completion)), m_init(init) {}

SdlWaveDevice::~SdlWaveDevice() {
  // Closing waits for a running callback, so nothing is handed back after this.
  if (m_device) SDL_CloseAudioDevice(m_device);
  if (m_init == Init::Subsystem)
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
  else
    SDL_AudioQuit();
}

bool SdlWaveDevice::openDefault() {
  SDL_AudioSpec want{};
  want.freq = kClockRate;
  want.format = AUDIO_S16SYS;
  want.channels = 1;
  want.samples = kCallbackSamples;
  want.callback = &SdlWaveDevice::Callback;
  want.userdata = this;
  SDL_AudioSpec have{};
  // No changes allowed: SDL converts to whatever the hardware takes.
  m_device = SDL_OpenAudioDevice(nullptr, 0, &want, &have, 0);
  if (!m_device) return false;
  const char* driver = SDL_GetCurrentAudioDriver();
  m_driver = driver ? driver : "";
  m_clockPaced = m_driver == "dummy";
  SDL_PauseAudioDevice(m_device, 0);
  return true;
}

void SdlWaveDevice::Callback(void* self, Uint8* stream, int len) {
  static_cast<SdlWaveDevice*>(self)->fill(reinterpret_cast<std::int16_t*>(stream),
                                          static_cast<std::size_t>(len) / sizeof(std::int16_t));
}

// Copies up to count samples from the head of the queue into out (or drops them when
// out is null), handing back finished buffers. Called with m_mutex held.
std::size_t SdlWaveDevice::consume(std::int16_t* out, std::size_t count) {
  const std::int32_t gain = static_cast<std::int32_t>(m_volume.load(std::memory_order_relaxed) & 0xFFFF);
  std::size_t done = 0;
  while (m_size > 0) {
    Pending& p = m_queue[m_head];
    const std::size_t n = std::min(count - done, p.header.count - p.consumed);
    const std::int16_t* src = p.header.samples + p.consumed;
    if (out && gain == 0xFFFF) {
      std::memcpy(out + done, src, n * sizeof(std::int16_t));
    } else if (out) {
      for (std::size_t i = 0; i < n; ++i) out[done + i] = static_cast<std::int16_t>(src[i] * gain / 0xFFFF);
    }
    p.consumed += n;
    done += n;
    if (p.consumed < p.header.count) break;  // count reached inside this buffer
    const int id = p.header.id;
    m_head = (m_head + 1) % kQueueCapacity;
    --m_size;
    m_completion(id);
  }
  m_played.fetch_add(done, std::memory_order_release);
  return done;
}

void SdlWaveDevice::anchorClock() {
  m_anchorTime = std::chrono::steady_clock::now();
  m_anchorPlayed = m_played.load(std::memory_order_relaxed);
}

void SdlWaveDevice::fill(std::int16_t* out, std::size_t count) {
  std::size_t done = 0;
  {
    std::lock_guard lock(m_mutex);
    if (!m_paused && m_size > 0) {
      if (m_clockPaced) {
        const auto elapsed = std::chrono::steady_clock::now() - m_anchorTime;
        const auto due = m_anchorPlayed + static_cast<std::uint64_t>(
                                              std::chrono::duration_cast<std::chrono::microseconds>(elapsed).count() *
                                              kClockRate / 1000000);
        const std::uint64_t played = m_played.load(std::memory_order_relaxed);
        if (due > played) consume(nullptr, static_cast<std::size_t>(due - played));
      } else {
        done = consume(out, count);
      }
    }
  }
  std::fill(out + done, out + count, std::int16_t{0});
}

void SdlWaveDevice::write(const WaveHeader& header) {
  std::lock_guard lock(m_mutex);
  if (m_size == kQueueCapacity) {  // cannot happen with the output's 33 buffers; never lose one
    m_completion(header.id);
    return;
  }
  if (m_size == 0) anchorClock();  // playback starts (again) now
  m_queue[(m_head + m_size) % kQueueCapacity] = Pending{header, 0};
  ++m_size;
}

void SdlWaveDevice::reset() {
  std::lock_guard lock(m_mutex);
  while (m_size > 0) {
    const int id = m_queue[m_head].header.id;
    m_head = (m_head + 1) % kQueueCapacity;
    --m_size;
    m_completion(id);
  }
  m_paused = false;
  m_played.store(0, std::memory_order_release);
  anchorClock();
}

void SdlWaveDevice::pause() {
  std::lock_guard lock(m_mutex);
  m_paused = true;
}

void SdlWaveDevice::restart() {
  std::lock_guard lock(m_mutex);
  if (m_paused) anchorClock();
  m_paused = false;
}

}  // namespace audio
