// The sound of a movie as the program's wave output plays it: 16-bit signed mono
// samples at 22 050 Hz, readable from any position.
//
// MovieSoundSource is what the wave output side sees; CMovieSound decodes a movie's
// sound track into it (its own demuxer over the shared movie file, resampled and mixed
// down by libswresample).
#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <vector>

#include "movies/FfmpegPtr.h"
#include "movies/MovieInput.h"
#include "movies/MovieTime.h"

class MovieSoundSource {
 public:
  static constexpr int kRate = kNarrationRate;

  virtual ~MovieSoundSource() = default;
  // Samples in the sound, at kRate.
  virtual std::int64_t Length() const = 0;
  // Fills out with the samples from sample position from on and returns how many it
  // wrote: out.size(), fewer only at the end of the sound, 0 from Length() on. Reading
  // on from where the last call stopped is the cheap case; any other position seeks.
  // Sound that cannot be decoded (damaged data, read errors) comes out as silence, so
  // that the sound keeps its length.
  virtual std::size_t Read(std::int64_t from, std::span<std::int16_t> out) = 0;
};

namespace movies {

class CMovieSound final : public MovieSoundSource {
 public:
  static constexpr int kMaxPacketsPerRead = 4096;

  // Takes input, which must hold a playable audio stream at streamIndex; length is the
  // sound's length in samples. Throws CourseFileError(Format) when the decoder cannot be
  // opened.
  CMovieSound(std::unique_ptr<MovieInput> input, int streamIndex, std::int64_t length);
  ~CMovieSound() override;

  std::int64_t Length() const override { return m_length; }
  std::size_t Read(std::int64_t from, std::span<std::int16_t> out) override;

  std::int64_t seeks() const { return m_seeks; }

 private:
  void SeekTo(std::int64_t sample);
  bool DecodeMore();
  void Append(const AVFrame* frame);
  bool EnsureResampler(const AVFrame* frame);

  std::unique_ptr<MovieInput> m_input;
  int m_stream;
  std::int64_t m_length;
  CodecContextPtr m_decoder;
  PacketPtr m_packet;
  FramePtr m_frame;
  ResamplerPtr m_resampler;
  AVChannelLayout m_inLayout{};
  int m_inRate = 0;
  int m_inFormat = -1;

  // Decoded samples not yet read, starting at sample position m_bufferStart.
  std::vector<std::int16_t> m_buffer;
  std::int64_t m_bufferStart = 0;
  bool m_anchored = false;  // m_bufferStart is known (after a seek: once a frame came)
  bool m_draining = false;
  bool m_ended = false;
  int m_budget = 0;
  std::int64_t m_seeks = 0;
};

}  // namespace movies
