// String-table ids of the audio messages (resources/strings/audio.txt).
#pragma once

namespace audio {
constexpr int kIdsCannotOpenAudioFile = 8540;    // "Cannot open audio file '%s'."
constexpr int kIdsNoAudioDevice = 8541;          // "Cannot play sounds because no audio device can be found."
constexpr int kIdsCannotOpenSoundDevice = 8542;  // "Cannot open sound device."
constexpr int kIdsSoundResourceMissing = 8543;   // "Cannot find a specific sound resource."
}  // namespace audio
