#include "audio/SdlLibrary.h"

#include <SDL2/SDL.h>
#include <dlfcn.h>

#include <cstdio>
#include <cstdlib>

namespace audio {

namespace {

void* Library() {
  // Local: the library's names stay out of the way of the forwarders below.
  static void* const handle = dlopen("libSDL2-2.0.so.0", RTLD_LAZY | RTLD_LOCAL);
  return handle;
}

// The library's own function; a call before SdlLoaded() said yes is a fault of the
// program, and it ends here rather than jump to nothing.
template <class Function>
Function Resolve(const char* name) {
  void* symbol = Library() ? dlsym(Library(), name) : nullptr;
  if (!symbol) {
    std::fprintf(stderr, "kestrelon: the sound library has no %s\n", name);
    std::abort();
  }
  return reinterpret_cast<Function>(symbol);
}

}  // namespace

bool SdlLoaded() { return Library() != nullptr; }

}  // namespace audio

// The forwarders: the header's own declarations, defined here. Each resolves its
// function once; the static's initialisation is thread-safe.
#define KN_FORWARD(name, ...)                                              \
  static const auto function = audio::Resolve<decltype(&name)>(#name); \
  return function(__VA_ARGS__)

extern "C" {

int SDL_InitSubSystem(Uint32 flags) { KN_FORWARD(SDL_InitSubSystem, flags); }
void SDL_QuitSubSystem(Uint32 flags) { KN_FORWARD(SDL_QuitSubSystem, flags); }
SDL_bool SDL_SetHint(const char* name, const char* value) { KN_FORWARD(SDL_SetHint, name, value); }
const char* SDL_GetError(void) { KN_FORWARD(SDL_GetError); }
int SDL_AudioInit(const char* driver_name) { KN_FORWARD(SDL_AudioInit, driver_name); }
void SDL_AudioQuit(void) { KN_FORWARD(SDL_AudioQuit); }
const char* SDL_GetCurrentAudioDriver(void) { KN_FORWARD(SDL_GetCurrentAudioDriver); }
int SDL_GetNumAudioDevices(int iscapture) { KN_FORWARD(SDL_GetNumAudioDevices, iscapture); }
SDL_AudioDeviceID SDL_OpenAudioDevice(const char* device, int iscapture, const SDL_AudioSpec* desired,
                                      SDL_AudioSpec* obtained, int allowed_changes) {
  KN_FORWARD(SDL_OpenAudioDevice, device, iscapture, desired, obtained, allowed_changes);
}
void SDL_PauseAudioDevice(SDL_AudioDeviceID dev, int pause_on) { KN_FORWARD(SDL_PauseAudioDevice, dev, pause_on); }
void SDL_CloseAudioDevice(SDL_AudioDeviceID dev) { KN_FORWARD(SDL_CloseAudioDevice, dev); }
int SDL_QueueAudio(SDL_AudioDeviceID dev, const void* data, Uint32 len) { KN_FORWARD(SDL_QueueAudio, dev, data, len); }
Uint32 SDL_GetQueuedAudioSize(SDL_AudioDeviceID dev) { KN_FORWARD(SDL_GetQueuedAudioSize, dev); }
void SDL_ClearQueuedAudio(SDL_AudioDeviceID dev) { KN_FORWARD(SDL_ClearQueuedAudio, dev); }
SDL_RWops* SDL_RWFromConstMem(const void* mem, int size) { KN_FORWARD(SDL_RWFromConstMem, mem, size); }
SDL_AudioSpec* SDL_LoadWAV_RW(SDL_RWops* src, int freesrc, SDL_AudioSpec* spec, Uint8** audio_buf, Uint32* audio_len) {
  KN_FORWARD(SDL_LoadWAV_RW, src, freesrc, spec, audio_buf, audio_len);
}
void SDL_FreeWAV(Uint8* audio_buf) { KN_FORWARD(SDL_FreeWAV, audio_buf); }

}  // extern "C"
