// FFmpeg, bound when a movie first needs it. The program links none of the FFmpeg
// libraries: with the codec libraries they pull in (some 130 shared objects and 25 MiB
// on a desktop system) they would cost every start more than the whole Welcome window,
// and most runs open no movie. Instead the FFmpeg functions the movie component calls
// are defined in FfmpegLibrary.cpp as forwarders, each resolving its library's own
// function on its first call.
//
// Only the major versions the program was built with are loaded (libavformat.so.59
// and so on), so the structures the headers describe are the libraries' own.
#pragma once

#include <string>

namespace movies {

// Opens the five libraries on the first call (from any thread); whether they are all
// there. Call it before the first FFmpeg function: a forwarder whose library is
// missing ends the program.
bool FfmpegLoaded();

// Why FfmpegLoaded() failed (the loader's own message), empty when it did not.
std::string FfmpegLoadError();

// Whether the libraries have been opened in this run (for tests and the start-up
// benchmark: nothing the Welcome window does opens them).
bool FfmpegOpened();

}  // namespace movies
