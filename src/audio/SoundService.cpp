#include "audio/SoundService.h"

#include "audio/SoundOutput.h"
#include "course/Services.h"

std::unique_ptr<SoundOutput> CreateSoundOutput() { return std::make_unique<SoundOutput>(); }

void ReleaseSoundDevice() {
  if (SoundOutput* output = Service<SoundOutput>()) output->Close();
}

bool PlayProgramSound(int resourceId) {
  SoundOutput* output = Service<SoundOutput>();
  return output && output->Play(resourceId);
}
