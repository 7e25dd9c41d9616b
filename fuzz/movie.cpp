// Movie files through the program's file object: the QuickTime demuxer, the picture
// and sound decoders, seeking and the conversions. Each input is read into memory, so
// a run touches no files; the component bounds the work per request.
#include <cstdint>
#include <vector>

#include "course/CourseFile.h"
#include "course/CourseFileError.h"
#include "movies/Movie.h"
#include "movies/MovieSound.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  try {
    auto movie = CMovie::Open(CourseFile::FromMemory(std::vector<std::uint8_t>(data, data + size), "fuzz.mov"));
    const MovieTime duration = movie->Duration();
    // Forward, back to the start, a seek into the middle, and past the end.
    for (MovieTime t : {MovieTime{0}, duration / 3, MovieTime{0}, duration / 2 + 1, duration, duration + 1'000'000})
      (void)movie->FrameAt(t);
    if (MovieSoundSource* sound = movie->Sound()) {
      std::vector<std::int16_t> samples(4096);
      for (std::int64_t at : {std::int64_t{0}, std::int64_t{4096}, sound->Length() / 2, std::int64_t{10}})
        (void)sound->Read(at, samples);
    }
  } catch (const CourseFileError&) {
  }
  return 0;
}
