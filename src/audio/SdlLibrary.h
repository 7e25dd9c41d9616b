// SDL, opened when the program first makes a sound. The program links no SDL: the
// library and the sound servers' client libraries it pulls in (some twenty shared
// objects) would load with every start, although a session may make no sound at all.
// The SDL functions the program calls are defined in SdlLibrary.cpp as forwarders, each
// resolving the library's own function on its first call.
#pragma once

namespace audio {

// Opens SDL 2 on the first call (from any thread); whether it is there. Call it before
// the first SDL function: a forwarder whose library is missing ends the program.
bool SdlLoaded();

}  // namespace audio
