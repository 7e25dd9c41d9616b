// Decoders of narration clips: the source side of a sound clip. A decoder turns any
// stretch of its clip, given in clock units (samples at 22 050 Hz), into the samples
// the output plays, so that playback can start anywhere without decoding from the start.
//
// A clip is cut into blocks of unitsPerBlock() clock units, one output buffer each.
// decode() calls usually follow each other; a call that does not continue the last one
// seeks (the IMA decoder through its per-block state table, Vorbis through the library).
#pragma once

#include <cstdint>
#include <memory>
#include <string_view>

#include "audio/AudioFormat.h"

class CourseFile;

namespace audio {

class ClipDecoder {
 public:
  virtual ~ClipDecoder() = default;

  // Opens the clip in file: a name containing ".aif" (any case) is read as AIFF or
  // AIFC, one containing ".ogg" as Ogg Vorbis. Takes the file. Throws CourseFileError
  // when the data is not a playable clip or cannot be read.
  static std::unique_ptr<ClipDecoder> Open(CourseFile file, std::string_view name);

  virtual ClipFormat format() const = 0;
  virtual int sourceRate() const = 0;      // samples per second in the file
  virtual int channels() const { return 1; }
  std::int64_t length() const { return m_length; }  // clock units
  virtual std::int64_t unitsPerBlock() const { return static_cast<std::int64_t>(kBufferSamples); }
  std::int64_t blockCount() const { return (m_length + unitsPerBlock() - 1) / unitsPerBlock(); }
  std::int64_t blockOf(std::int64_t unit) const { return unit / unitsPerBlock(); }

  // The nearest position at or before unit where decoding can start (a source sample,
  // or an IMA packet), within 0..length.
  virtual std::int64_t alignDown(std::int64_t unit) const = 0;

  // Decodes clock units [from, to) into out (to - from samples). from comes from
  // alignDown(); both lie in one block (to may be its end or the clip's length).
  // Throws CourseFileError when the file cannot be read there; damaged compressed
  // data inside a readable stream comes out as silence, so the clock keeps its length.
  virtual void decode(std::int64_t from, std::int64_t to, std::int16_t* out) = 0;

 protected:
  std::int64_t m_length = 0;
};

}  // namespace audio
