#include "movies/MovieInput.h"

#include <algorithm>
#include <cerrno>
#include <mutex>

extern "C" {
#include <libavutil/error.h>
#include <libavutil/log.h>
#include <libavutil/mem.h>
}

#include "course/CourseFile.h"
#include "course/CourseFileError.h"
#include "movies/FfmpegLibrary.h"

namespace movies {

namespace {

constexpr int kIoBufferSize = 32 * 1024;
constexpr int kMaxStreams = 64;
constexpr AVRational kMovieTimeBase = {1, static_cast<int>(kMovieTimeScale)};

[[noreturn]] void ThrowFormat(const std::string& label, const std::string& what) {
  throw CourseFileError(CourseFileError::Kind::Format, label, what);
}

// The program keeps no log; the library's complaints about damaged movies would only
// clutter the terminal.
void QuietLibrary() {
  static std::once_flag once;
  std::call_once(once, [] { av_log_set_level(AV_LOG_QUIET); });
}

// The demuxer asks for other files only to follow data references; a course movie is
// one self-contained file.
int RefuseOtherFiles(AVFormatContext*, AVIOContext**, const char*, int, AVDictionary**) { return AVERROR(EPERM); }

bool IsValidTimeBase(AVRational tb) { return tb.num > 0 && tb.den > 0; }

}  // namespace

FramePtr NewFrame() {
  AVFrame* f = av_frame_alloc();
  if (!f) throw std::bad_alloc();
  return FramePtr(f);
}

PacketPtr NewPacket() {
  AVPacket* p = av_packet_alloc();
  if (!p) throw std::bad_alloc();
  return PacketPtr(p);
}

std::string LibraryErrorText(int code) {
  char text[AV_ERROR_MAX_STRING_SIZE] = {};
  av_strerror(code, text, sizeof text);
  return text;
}

MovieInput::MovieInput(SharedMovieFile file, std::string label) : m_file(std::move(file)), m_label(std::move(label)) {
  if (!FfmpegLoaded()) ThrowFormat(m_label, "this system has no movie library (" + FfmpegLoadError() + ")");
  QuietLibrary();
  const AVInputFormat* quickTime = av_find_input_format("mov");
  if (!quickTime) ThrowFormat(m_label, "this system's movie library cannot read QuickTime movies");

  auto* buffer = static_cast<unsigned char*>(av_malloc(kIoBufferSize));
  if (!buffer) throw std::bad_alloc();
  m_io = avio_alloc_context(buffer, kIoBufferSize, 0, this, &MovieInput::ReadBytes, nullptr, &MovieInput::SeekBytes);
  if (!m_io) {
    av_free(buffer);
    throw std::bad_alloc();
  }
  m_format = avformat_alloc_context();
  if (!m_format) {
    av_freep(&m_io->buffer);
    avio_context_free(&m_io);
    throw std::bad_alloc();
  }
  m_format->pb = m_io;
  m_format->max_streams = kMaxStreams;
  m_format->io_open = &RefuseOtherFiles;

  AVDictionary* options = nullptr;
  av_dict_set(&options, "format_whitelist", "mov", 0);
  av_dict_set(&options, "enable_drefs", "0", 0);
  av_dict_set(&options, "use_absolute_path", "0", 0);
  const int rc = avformat_open_input(&m_format, "", quickTime, &options);
  av_dict_free(&options);
  if (rc < 0) {
    // avformat_open_input frees the context on failure but never our I/O context.
    m_format = nullptr;
    av_freep(&m_io->buffer);
    avio_context_free(&m_io);
    if (!m_ioError.empty()) throw CourseFileError(CourseFileError::Kind::Access, m_label, m_ioError);
    ThrowFormat(m_label, "not a QuickTime movie (" + LibraryErrorText(rc) + ")");
  }
}

MovieInput::~MovieInput() {
  avformat_close_input(&m_format);
  if (m_io) {
    av_freep(&m_io->buffer);
    avio_context_free(&m_io);
  }
}

int MovieInput::ReadBytes(void* opaque, std::uint8_t* buffer, int size) {
  auto* self = static_cast<MovieInput*>(opaque);
  if (size <= 0) return 0;
  try {
    self->m_file->seek(self->m_position);
    const std::size_t n = self->m_file->read(buffer, static_cast<std::size_t>(size));
    if (n == 0) return AVERROR_EOF;
    self->m_position += n;
    return static_cast<int>(n);
  } catch (const CourseFileError& e) {
    self->m_ioError = e.reason();
    return AVERROR(EIO);
  }
}

std::int64_t MovieInput::SeekBytes(void* opaque, std::int64_t offset, int whence) {
  auto* self = static_cast<MovieInput*>(opaque);
  const auto size = static_cast<std::int64_t>(self->m_file->size());
  std::int64_t target = 0;
  switch (whence & ~AVSEEK_FORCE) {
    case AVSEEK_SIZE:
      return size;
    case SEEK_SET:
      target = offset;
      break;
    case SEEK_CUR:
      if (offset > INT64_MAX - static_cast<std::int64_t>(self->m_position)) return AVERROR(EINVAL);
      target = static_cast<std::int64_t>(self->m_position) + offset;
      break;
    case SEEK_END:
      if (offset > INT64_MAX - size) return AVERROR(EINVAL);
      target = size + offset;
      break;
    default:
      return AVERROR(EINVAL);
  }
  if (target < 0) return AVERROR(EINVAL);
  self->m_position = static_cast<std::uint64_t>(target);
  return target;
}

int MovieInput::FindStream(AVMediaType kind) const {
  for (unsigned i = 0; i < m_format->nb_streams; ++i) {
    const AVStream* s = m_format->streams[i];
    const AVCodecParameters* p = s->codecpar;
    if (p->codec_type != kind || !IsPlayableCodec(p->codec_id) || !IsValidTimeBase(s->time_base)) continue;
    if (kind == AVMEDIA_TYPE_VIDEO) {
      if (s->disposition & AV_DISPOSITION_ATTACHED_PIC) continue;
      if (p->width <= 0 || p->height <= 0 || p->width > kMaxSide || p->height > kMaxSide ||
          std::int64_t{p->width} * p->height > kMaxPixels)
        continue;
    }
    return static_cast<int>(i);
  }
  return -1;
}

void MovieInput::KeepOnly(int streamIndex) {
  for (unsigned i = 0; i < m_format->nb_streams; ++i)
    m_format->streams[i]->discard = static_cast<int>(i) == streamIndex ? AVDISCARD_DEFAULT : AVDISCARD_ALL;
}

MovieTime MovieInput::Duration() const {
  if (m_format->duration != AV_NOPTS_VALUE && m_format->duration > 0) return ClampMovieTime(m_format->duration);
  MovieTime longest = 0;
  for (unsigned i = 0; i < m_format->nb_streams; ++i) {
    const AVStream* s = m_format->streams[i];
    if (s->duration == AV_NOPTS_VALUE || s->duration <= 0 || !IsValidTimeBase(s->time_base)) continue;
    longest = std::max(longest, ClampMovieTime(av_rescale_q(s->duration, s->time_base, kMovieTimeBase)));
  }
  return longest;
}

MovieTime MovieInput::ToMovieTime(std::int64_t timestamp, int streamIndex) const {
  if (timestamp == AV_NOPTS_VALUE) return 0;
  const AVRational tb = m_format->streams[streamIndex]->time_base;
  const std::int64_t t = av_rescale_q(timestamp, tb, kMovieTimeBase);
  // av_rescale_q answers INT64_MIN on overflow; negative times (priming) count as 0.
  return t == INT64_MIN ? 0 : ClampMovieTime(t);
}

std::int64_t MovieInput::FromMovieTime(MovieTime time, int streamIndex) const {
  return av_rescale_q(ClampMovieTime(time), kMovieTimeBase, m_format->streams[streamIndex]->time_base);
}

bool MovieInput::ReadPacket(AVPacket* packet) {
  av_packet_unref(packet);
  const int rc = av_read_frame(m_format, packet);
  if (rc < 0) {
    av_packet_unref(packet);
    return false;
  }
  return true;
}

bool MovieInput::SeekBefore(int streamIndex, MovieTime time) {
  // At the start: the stream's very first packet, which may come before time 0 (a sound
  // codec's priming), so that the decoder starts as it does on a fresh movie.
  constexpr std::int64_t kBeforeAnything = INT64_MIN / 2;
  const std::int64_t ts = time > 0 ? FromMovieTime(time, streamIndex) : kBeforeAnything;
  if (av_seek_frame(m_format, streamIndex, ts, AVSEEK_FLAG_BACKWARD) >= 0) return true;
  return av_seek_frame(m_format, streamIndex, kBeforeAnything, AVSEEK_FLAG_BACKWARD | AVSEEK_FLAG_ANY) >= 0;
}

bool IsPlayableCodec(AVCodecID codec) {
  switch (codec) {
    // Pictures: QuickTime's classic codecs and the usual modern ones.
    case AV_CODEC_ID_MJPEG:
    case AV_CODEC_ID_MJPEGB:
    case AV_CODEC_ID_H264:
    case AV_CODEC_ID_MPEG4:
    case AV_CODEC_ID_H263:
    case AV_CODEC_ID_QTRLE:
    case AV_CODEC_ID_RPZA:
    case AV_CODEC_ID_SMC:
    case AV_CODEC_ID_CINEPAK:
    case AV_CODEC_ID_SVQ1:
    case AV_CODEC_ID_SVQ3:
    case AV_CODEC_ID_PNG:
    case AV_CODEC_ID_RAWVIDEO:
    // Sound.
    case AV_CODEC_ID_PCM_S16BE:
    case AV_CODEC_ID_PCM_S16LE:
    case AV_CODEC_ID_PCM_S24BE:
    case AV_CODEC_ID_PCM_S24LE:
    case AV_CODEC_ID_PCM_S32BE:
    case AV_CODEC_ID_PCM_S32LE:
    case AV_CODEC_ID_PCM_F32BE:
    case AV_CODEC_ID_PCM_F32LE:
    case AV_CODEC_ID_PCM_S8:
    case AV_CODEC_ID_PCM_U8:
    case AV_CODEC_ID_PCM_MULAW:
    case AV_CODEC_ID_PCM_ALAW:
    case AV_CODEC_ID_ADPCM_IMA_QT:
    case AV_CODEC_ID_MACE3:
    case AV_CODEC_ID_MACE6:
    case AV_CODEC_ID_QDM2:
    case AV_CODEC_ID_AAC:
    case AV_CODEC_ID_MP3:
    case AV_CODEC_ID_ALAC:
      return true;
    default:
      return false;
  }
}

CodecContextPtr OpenDecoder(const AVStream* stream, const std::string& label) {
  const AVCodecParameters* p = stream->codecpar;
  const char* kind = p->codec_type == AVMEDIA_TYPE_VIDEO ? "pictures" : "sound";
  const AVCodec* codec = IsPlayableCodec(p->codec_id) ? avcodec_find_decoder(p->codec_id) : nullptr;
  if (!codec) ThrowFormat(label, std::string("the movie's ") + kind + " use a format this program does not play");
  CodecContextPtr context(avcodec_alloc_context3(codec));
  if (!context) throw std::bad_alloc();
  int rc = avcodec_parameters_to_context(context.get(), p);
  if (rc >= 0) {
    context->thread_count = 1;
    context->max_pixels = kMaxPixels;
    context->pkt_timebase = stream->time_base;
    rc = avcodec_open2(context.get(), codec, nullptr);
  }
  if (rc < 0)
    ThrowFormat(label, std::string("the movie's ") + kind + " cannot be decoded (" + LibraryErrorText(rc) + ")");
  return context;
}

}  // namespace movies
