// The demuxing side of a movie: one FFmpeg format context reading a QuickTime file
// through the program's file object (custom I/O), so that course movies are read with
// the same checks as every other course file and the demuxer never opens files of its
// own (data references are refused).
//
// The pictures and the sound of a movie each read through their own MovieInput over
// one shared CourseFile; every input keeps its own position, so they never disturb
// each other. Everything runs on the user-interface thread.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "movies/FfmpegPtr.h"
#include "movies/MovieTime.h"

class CourseFile;

namespace movies {

using SharedMovieFile = std::shared_ptr<CourseFile>;

// Largest picture the component decodes: either side at most kMaxSide pixels and at
// most kMaxPixels in all (a 4K frame), so that one frame never needs more than 36 MB.
inline constexpr int kMaxSide = 4096;
inline constexpr std::int64_t kMaxPixels = std::int64_t{4096} * 2304;

class MovieInput {
 public:
  // Reads the movie's structure. Throws CourseFileError: Format when the bytes are not
  // a QuickTime movie, Access when the file cannot be read. label names the file in
  // errors.
  MovieInput(SharedMovieFile file, std::string label);
  ~MovieInput();
  MovieInput(const MovieInput&) = delete;
  MovieInput& operator=(const MovieInput&) = delete;

  AVFormatContext* format() const { return m_format; }
  AVStream* stream(int index) const { return m_format->streams[index]; }
  const std::string& label() const { return m_label; }

  // The first stream of kind (video or audio) whose codec this component plays and, for
  // video, whose picture size is within the limits; -1 when there is none.
  int FindStream(AVMediaType kind) const;
  // The demuxer skips every other stream from now on.
  void KeepOnly(int streamIndex);

  // The movie's duration as the file declares it (the movie header, else the longest
  // stream), clamped to 0..kMaxMovieTime.
  MovieTime Duration() const;
  MovieTime ToMovieTime(std::int64_t timestamp, int streamIndex) const;
  std::int64_t FromMovieTime(MovieTime time, int streamIndex) const;

  // The next packet of a kept stream into packet; false at the end of the file, after a
  // read error (then ioError() says why) or when the demuxer gives up on the data.
  bool ReadPacket(AVPacket* packet);
  // Moves to the key frame at or before time in stream (time 0 or less: the stream's
  // first packet); false when the demuxer cannot.
  bool SeekBefore(int streamIndex, MovieTime time);
  const std::string& ioError() const { return m_ioError; }

 private:
  static int ReadBytes(void* opaque, std::uint8_t* buffer, int size);
  static std::int64_t SeekBytes(void* opaque, std::int64_t offset, int whence);

  SharedMovieFile m_file;
  std::string m_label;
  std::uint64_t m_position = 0;  // of this input in the shared file
  std::string m_ioError;
  AVIOContext* m_io = nullptr;
  AVFormatContext* m_format = nullptr;
};

// Whether the component decodes codec (QuickTime's usual codecs and the common modern ones).
bool IsPlayableCodec(AVCodecID codec);

// An opened decoder for stream: one thread, pictures limited to kMaxPixels. Throws
// CourseFileError(Format) naming label when the stream cannot be decoded.
CodecContextPtr OpenDecoder(const AVStream* stream, const std::string& label);

// FFmpeg's error text for code.
std::string LibraryErrorText(int code);

}  // namespace movies
