#include "setup/WelcomeSound.h"

#include <QtCore/QFile>
#include <SDL.h>

#include "audio/SdlLibrary.h"
#include "course/ProgramResources.h"

CWelcomeSound::~CWelcomeSound() { Stop(); }

bool CWelcomeSound::Play(std::span<const std::uint8_t> wav) {
  Stop();
  if (wav.empty() || wav.size() > static_cast<std::size_t>(INT32_MAX)) return false;
  if (!audio::SdlLoaded() || SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return false;
  m_audioStarted = true;
  SDL_RWops* rw = SDL_RWFromConstMem(wav.data(), static_cast<int>(wav.size()));
  SDL_AudioSpec audioFormat{};
  Uint8* samples = nullptr;
  Uint32 length = 0;
  if (!rw || !SDL_LoadWAV_RW(rw, 1, &audioFormat, &samples, &length)) {
    Stop();
    return false;
  }
  audioFormat.callback = nullptr;  // queued audio
  // No changes allowed: SDL converts to whatever the device plays.
  m_device = SDL_OpenAudioDevice(nullptr, 0, &audioFormat, nullptr, 0);
  const bool queued = m_device != 0 && SDL_QueueAudio(m_device, samples, length) == 0;
  SDL_FreeWAV(samples);
  if (!queued) {
    Stop();
    return false;
  }
  SDL_PauseAudioDevice(m_device, 0);
  return true;
}

void CWelcomeSound::Stop() {
  if (m_device) {
    SDL_ClearQueuedAudio(m_device);
    SDL_CloseAudioDevice(m_device);
    m_device = 0;
  }
  if (m_audioStarted) {
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    m_audioStarted = false;
  }
}

std::uint32_t CWelcomeSound::queuedBytes() const { return m_device ? SDL_GetQueuedAudioSize(m_device) : 0; }

std::optional<std::vector<std::uint8_t>> WelcomeSoundResource() {
  (void)HasProgramString(0);  // makes sure the program's resources are registered
  QFile f(QStringLiteral(":/sound/WELCOME.wav"));
  if (!f.open(QIODevice::ReadOnly)) return std::nullopt;
  const QByteArray bytes = f.readAll();
  return std::vector<std::uint8_t>(bytes.begin(), bytes.end());
}
