// Where the audio subsystem meets start-up and the application's activation. The
// application creates the one SoundOutput after the student record and installs it
// with InstallService; everything else reaches it through Service<SoundOutput>() and
// copes with its absence. Built-in sounds read the "Disable sounds" preference from
// Service<Preferences>() each time they play.
//
// Exposition windows make their narration clip with CSoundClip(Service<SoundOutput>())
// and open it by path, or from a CourseFile found with OpenCourseFile.
#pragma once

#include <memory>

class SoundOutput;

// The program's SoundOutput on the system's sound device.
std::unique_ptr<SoundOutput> CreateSoundOutput();

// The program is switched away from: stop every sound and release the device for
// other programs. The next sound opens it again.
void ReleaseSoundDevice();

// Plays built-in sound resourceId (7000-7043) through the program's SoundOutput, if
// there is one and sounds are not disabled.
bool PlayProgramSound(int resourceId);
