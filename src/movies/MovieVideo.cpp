#include "movies/MovieVideo.h"

#include <algorithm>
#include <cmath>
#include <cstring>

extern "C" {
#include <libavutil/macros.h>
#include <libavutil/mem.h>
#include <libavutil/pixdesc.h>
}

#include "course/CourseFileError.h"

namespace movies {

namespace {

constexpr std::size_t kScalerSlack = 256;

bool IsFullRangeYuv(AVPixelFormat format) {
  switch (format) {
    case AV_PIX_FMT_YUVJ420P:
    case AV_PIX_FMT_YUVJ422P:
    case AV_PIX_FMT_YUVJ444P:
    case AV_PIX_FMT_YUVJ440P:
    case AV_PIX_FMT_YUVJ411P:
      return true;
    default:
      return false;
  }
}

QSize NaturalSizeOf(const AVStream* stream) {
  const AVCodecParameters* p = stream->codecpar;
  int width = p->width;
  AVRational sar = stream->sample_aspect_ratio.num > 0 ? stream->sample_aspect_ratio : p->sample_aspect_ratio;
  if (sar.num > 0 && sar.den > 0 && sar.num != sar.den) {
    const double w = std::round(static_cast<double>(width) * sar.num / sar.den);
    width = static_cast<int>(std::clamp(w, 1.0, static_cast<double>(kMaxSide)));
    if (std::int64_t{width} * p->height > kMaxPixels) width = p->width;
  }
  return QSize(width, p->height);
}

MovieTime FrameDurationOf(const AVStream* stream) {
  for (AVRational rate : {stream->avg_frame_rate, stream->r_frame_rate}) {
    if (rate.num > 0 && rate.den > 0 && av_q2d(rate) >= 0.1 && av_q2d(rate) <= 1000)
      return av_rescale(kMovieTimeScale, rate.den, rate.num);
  }
  return 0;
}

}  // namespace

CMovieVideo::CMovieVideo(std::unique_ptr<MovieInput> input, int streamIndex)
    : m_input(std::move(input)), m_stream(streamIndex), m_packet(NewPacket()), m_next(NewFrame()) {
  const AVStream* stream = m_input->stream(m_stream);
  m_input->KeepOnly(m_stream);
  m_decoder = OpenDecoder(stream, m_input->label());
  m_natural = NaturalSizeOf(stream);
  m_frameDuration = FrameDurationOf(stream);
  m_image = QImage(m_natural, QImage::Format_RGB32);
  m_scaledStride = FFALIGN(m_natural.width() * 4, 64);
  m_scaled.reset(static_cast<std::uint8_t*>(
      av_malloc(static_cast<std::size_t>(m_scaledStride) * (m_natural.height() + 1) + kScalerSlack)));
  if (m_image.isNull() || !m_scaled) throw std::bad_alloc();
  m_image.fill(Qt::black);
  FrameAt(0);
  if (!m_hasShown)
    throw CourseFileError(CourseFileError::Kind::Format, m_input->label(),
                          m_input->ioError().empty() ? "the movie's pictures cannot be decoded" : m_input->ioError());
}

CMovieVideo::~CMovieVideo() = default;

const QImage& CMovieVideo::FrameAt(MovieTime time) {
  time = ClampMovieTime(time);
  if (m_hasShown && time >= m_shownTime && (m_hasNext ? time < m_nextTime : m_atEnd)) return m_image;

  m_budget = kMaxPacketsPerRequest;
  if (NeedsSeek(time)) SeekTo(time);

  FramePtr shown;
  while (true) {
    FramePtr frame;
    MovieTime frameTime = 0;
    if (m_hasNext) {
      frame = std::move(m_next);
      frameTime = m_nextTime;
      m_hasNext = false;
      m_next = NewFrame();
    } else {
      frame = NewFrame();
      if (!DecodeNext(frame.get())) break;
      frameTime = FrameTime(frame.get());
    }
    if (!m_hasShown || frameTime <= time) {
      shown = std::move(frame);
      m_shownTime = frameTime;
      m_hasShown = true;
    } else {
      m_next = std::move(frame);
      m_nextTime = frameTime;
      m_hasNext = true;
      break;
    }
  }
  if (shown) Convert(shown.get());
  return m_image;
}

bool CMovieVideo::DecodeNext(AVFrame* out) {
  AVCodecContext* decoder = m_decoder.get();
  while (true) {
    int rc = avcodec_receive_frame(decoder, out);
    if (rc == 0) {
      if (out->width <= 0 || out->height <= 0 || out->width > kMaxSide || out->height > kMaxSide ||
          out->format < 0) {
        av_frame_unref(out);
        if (--m_budget <= 0) return false;
        continue;
      }
      ++m_decodedFrames;
      return true;
    }
    if (rc == AVERROR_EOF) {
      m_atEnd = true;
      return false;
    }
    if (rc != AVERROR(EAGAIN)) {  // damaged data: the decoder drops it and goes on
      if (--m_budget <= 0) return false;
      continue;
    }
    if (m_draining) {
      m_atEnd = true;
      return false;
    }
    if (--m_budget < 0) return false;
    if (!m_input->ReadPacket(m_packet.get())) {
      avcodec_send_packet(decoder, nullptr);
      m_draining = true;
      continue;
    }
    if (m_packet->stream_index == m_stream) avcodec_send_packet(decoder, m_packet.get());  // errors: packet skipped
    av_packet_unref(m_packet.get());
  }
}

MovieTime CMovieVideo::FrameTime(const AVFrame* frame) {
  std::int64_t ts = frame->best_effort_timestamp;
  if (ts == AV_NOPTS_VALUE) ts = frame->pts;
  m_lastTime = ts == AV_NOPTS_VALUE ? ClampMovieTime(m_lastTime + m_frameDuration) : m_input->ToMovieTime(ts, m_stream);
  return m_lastTime;
}

bool CMovieVideo::NeedsSeek(MovieTime time) const {
  // A decoder that has not started reads from the beginning anyway.
  if (!m_hasShown) return m_decodedFrames > 0 || m_draining;
  if (time < m_shownTime) return true;
  // Seeking pays when a key frame lies between what is decoded and the time.
  AVStream* stream = m_input->stream(m_stream);
  const int index = av_index_search_timestamp(stream, m_input->FromMovieTime(time, m_stream), AVSEEK_FLAG_BACKWARD);
  if (index < 0) return false;
  const AVIndexEntry* entry = avformat_index_get_entry(stream, index);
  return entry && m_input->ToMovieTime(entry->timestamp, m_stream) > m_lastTime;
}

void CMovieVideo::SeekTo(MovieTime time) {
  ++m_seeks;
  MovieTime target = time;
  for (int attempt = 0;; ++attempt) {
    m_input->SeekBefore(m_stream, target);
    avcodec_flush_buffers(m_decoder.get());
    m_draining = false;
    m_atEnd = false;
    m_hasNext = false;
    m_hasShown = false;
    FramePtr first = NewFrame();
    if (!DecodeNext(first.get())) return;
    const MovieTime firstTime = FrameTime(first.get());
    // The key frame found by its decoding time can be shown after time (reordered
    // frames): start earlier until the first frame is not late, or from the start.
    if (firstTime <= time || target == 0 || attempt == 3) {
      m_next = std::move(first);
      m_nextTime = firstTime;
      m_hasNext = true;
      return;
    }
    target = std::max<MovieTime>(0, target - std::max<MovieTime>(kMovieTimeScale / 2, 2 * (firstTime - time)));
  }
}

void CMovieVideo::Convert(const AVFrame* frame) {
  const auto format = static_cast<AVPixelFormat>(frame->format);
  const AVPixFmtDescriptor* desc = av_pix_fmt_desc_get(format);
  if (!desc) return;
  m_scaler.reset(sws_getCachedContext(m_scaler.release(), frame->width, frame->height, format, m_natural.width(),
                                      m_natural.height(), AV_PIX_FMT_BGRA, SWS_BICUBIC, nullptr, nullptr, nullptr));
  if (!m_scaler) return;
  if (!(desc->flags & AV_PIX_FMT_FLAG_RGB) && desc->nb_components >= 3) {
    // The frame's own matrix and range, as FFmpeg's scale filter takes them.
    int* inverse = nullptr;
    int* table = nullptr;
    int srcRange = 0, dstRange = 0, brightness = 0, contrast = 0, saturation = 0;
    if (sws_getColorspaceDetails(m_scaler.get(), &inverse, &srcRange, &table, &dstRange, &brightness, &contrast,
                                 &saturation) >= 0) {
      const int space = frame->colorspace == AVCOL_SPC_UNSPECIFIED ? SWS_CS_DEFAULT : frame->colorspace;
      const int fullRange = frame->color_range == AVCOL_RANGE_JPEG || IsFullRangeYuv(format);
      sws_setColorspaceDetails(m_scaler.get(), sws_getCoefficients(space), fullRange, table, dstRange, brightness,
                               contrast, saturation);
    }
  }
  std::uint8_t* dst[4] = {m_scaled.get(), nullptr, nullptr, nullptr};
  const int dstStride[4] = {m_scaledStride, 0, 0, 0};
  if (sws_scale(m_scaler.get(), frame->data, frame->linesize, 0, frame->height, dst, dstStride) <= 0) return;
  // Movies are drawn opaque, whatever alpha the source had.
  const bool hasAlpha = desc->flags & AV_PIX_FMT_FLAG_ALPHA;
  const auto rowBytes = static_cast<std::size_t>(m_natural.width()) * 4;
  for (int y = 0; y < m_natural.height(); ++y) {
    std::uint8_t* line = m_image.scanLine(y);  // detaches from copies handed out earlier
    std::memcpy(line, m_scaled.get() + static_cast<std::ptrdiff_t>(y) * m_scaledStride, rowBytes);
    if (hasAlpha) {
      auto* pixels = reinterpret_cast<QRgb*>(line);
      for (int x = 0; x < m_natural.width(); ++x) pixels[x] |= 0xFF000000u;
    }
  }
}

}  // namespace movies
