// The pictures of a movie: decodes the video stream and answers "the frame shown at
// time t" as a QImage of the movie's natural size.
//
// Frames are decoded forward from the last request when that is cheaper than seeking
// (the requested time lies before the next key frame), otherwise the demuxer seeks to
// the key frame before the time first. Only the frame finally shown is converted to
// RGB. Each request reads at most kMaxPacketsPerRequest packets, so that a damaged or
// hostile file cannot hold the user-interface thread; the last good frame stays shown.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include <QtCore/QSize>
#include <QtGui/QImage>

#include "movies/FfmpegPtr.h"
#include "movies/MovieInput.h"
#include "movies/MovieTime.h"

namespace movies {

class CMovieVideo {
 public:
  static constexpr int kMaxPacketsPerRequest = 4096;

  // Takes input, which must hold a playable video stream at streamIndex, and decodes the
  // first frame. Throws CourseFileError(Format) when the decoder cannot be opened or not
  // a single frame can be decoded.
  CMovieVideo(std::unique_ptr<MovieInput> input, int streamIndex);
  ~CMovieVideo();
  CMovieVideo(const CMovieVideo&) = delete;
  CMovieVideo& operator=(const CMovieVideo&) = delete;

  // The picture size the movie asks for: the stored size corrected by the pixel aspect.
  QSize naturalSize() const { return m_natural; }
  // The usual distance between frames (from the frame rate), 0 when the file does not say.
  MovieTime frameDuration() const { return m_frameDuration; }
  // Presentation time of the frame FrameAt last returned.
  MovieTime shownTime() const { return m_shownTime; }

  // The frame on screen at time: the last frame whose presentation time is at or before
  // it (the first frame before that, the last frame after the end). The image is
  // RGB32 (opaque) of the natural size; it stays valid until the next call, and copies
  // of it are unaffected by later calls.
  const QImage& FrameAt(MovieTime time);

  // Counters for tests and benchmarks.
  std::int64_t decodedFrames() const { return m_decodedFrames; }
  std::int64_t seeks() const { return m_seeks; }

 private:
  bool DecodeNext(AVFrame* out);
  MovieTime FrameTime(const AVFrame* frame);
  bool NeedsSeek(MovieTime time) const;
  void SeekTo(MovieTime time);
  void Convert(const AVFrame* frame);

  std::unique_ptr<MovieInput> m_input;
  int m_stream;
  CodecContextPtr m_decoder;
  PacketPtr m_packet;
  FramePtr m_next;  // decoded and waiting: the first frame after the shown one
  bool m_hasNext = false;
  MovieTime m_nextTime = 0;
  bool m_draining = false;  // the end of the file has been handed to the decoder
  bool m_atEnd = false;     // ... and it has no frames left
  int m_budget = 0;         // packets and decoder errors left for this request

  bool m_hasShown = false;  // the decoder position follows the shown frame
  MovieTime m_shownTime = 0;
  MovieTime m_lastTime = 0;  // of the last decoded frame, for frames without a time
  QSize m_natural;
  MovieTime m_frameDuration = 0;
  ScalerPtr m_scaler;
  // The scaler's output: rows padded to 64 bytes and spare bytes at the end, since its
  // vector code may write past the last pixel (it does for pictures 2 pixels wide).
  BufferPtr m_scaled;
  int m_scaledStride = 0;
  QImage m_image;

  std::int64_t m_decodedFrames = 0;
  std::int64_t m_seeks = 0;
};

}  // namespace movies
