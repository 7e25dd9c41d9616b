// Decoder of Ogg Vorbis clips through libvorbisfile, reading the program's file
// object through callbacks. Streams at 22 050 Hz play as they are; 44 100 Hz streams
// are halved by averaging pairs of samples. Other rates are refused (they would play
// at the wrong speed), and several channels are mixed down to one.
#pragma once

#include <vorbis/vorbisfile.h>

#include <vector>

#include "audio/ClipDecoder.h"
#include "course/CourseFile.h"

namespace audio {

class VorbisDecoder final : public ClipDecoder {
 public:
  // Throws CourseFileError (Format) when the file is not a playable Vorbis stream.
  explicit VorbisDecoder(CourseFile file);
  ~VorbisDecoder() override;
  VorbisDecoder(const VorbisDecoder&) = delete;
  VorbisDecoder& operator=(const VorbisDecoder&) = delete;

  ClipFormat format() const override { return ClipFormat::Vorbis; }
  int sourceRate() const override { return m_rate; }
  int channels() const override { return m_channels; }
  // A block is 16 384 decoded bytes: 8 192 source samples.
  std::int64_t unitsPerBlock() const override { return static_cast<std::int64_t>(kBufferSamples) / m_ratio; }
  std::int64_t alignDown(std::int64_t unit) const override;
  void decode(std::int64_t from, std::int64_t to, std::int16_t* out) override;

  std::int64_t seeks() const { return m_seeks; }

 private:
  void readStreamInfo();
  std::size_t readSource(std::int16_t* out, std::size_t count);

  CourseFile m_file;  // read by the callbacks; must not move while m_vf is open
  OggVorbis_File m_vf{};
  bool m_open = false;
  int m_rate = 0;
  int m_channels = 1;
  int m_ratio = 1;                 // source samples per clock unit: 1 or 2
  std::int64_t m_sourcePos = -1;   // source sample where the last read ended; -1 unknown
  std::int64_t m_seeks = 0;
  std::vector<std::int16_t> m_source;  // work buffer at the source rate
};

}  // namespace audio
