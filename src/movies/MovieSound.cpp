#include "movies/MovieSound.h"

#include <algorithm>

extern "C" {
#include <libavutil/channel_layout.h>
#include <libavutil/samplefmt.h>
}

namespace movies {

namespace {

// Reading on at most this far past the decoded samples decodes forward; further seeks.
constexpr std::int64_t kForwardReach = MovieSoundSource::kRate;
// Decoding after a seek starts this early and throws the lead-in away: codecs with
// overlapping transforms (AAC) need the frame before, and the resampler a few samples
// to settle.
constexpr std::int64_t kSeekLeadIn = MovieSoundSource::kRate / 10;
// One decoded frame never yields more than this (10 s); larger ones are damaged data.
constexpr int kMaxFrameOutput = 10 * MovieSoundSource::kRate;

}  // namespace

CMovieSound::CMovieSound(std::unique_ptr<MovieInput> input, int streamIndex, std::int64_t length)
    : m_input(std::move(input)),
      m_stream(streamIndex),
      m_length(std::max<std::int64_t>(0, length)),
      m_packet(NewPacket()),
      m_frame(NewFrame()) {
  m_input->KeepOnly(m_stream);
  m_decoder = OpenDecoder(m_input->stream(m_stream), m_input->label());
}

CMovieSound::~CMovieSound() { av_channel_layout_uninit(&m_inLayout); }

std::size_t CMovieSound::Read(std::int64_t from, std::span<std::int16_t> out) {
  if (from < 0 || from >= m_length || out.empty()) return 0;
  const std::size_t count = static_cast<std::size_t>(std::min<std::int64_t>(out.size(), m_length - from));
  const std::int64_t decodedEnd = m_bufferStart + static_cast<std::int64_t>(m_buffer.size());
  const bool continues = m_anchored ? from >= m_bufferStart && from <= decodedEnd + kForwardReach
                                    : from >= m_bufferStart && from <= m_bufferStart + kForwardReach;
  if (!continues) SeekTo(from);

  m_budget = kMaxPacketsPerRead;
  std::size_t filled = 0;
  while (filled < count) {
    const std::int64_t pos = from + static_cast<std::int64_t>(filled);
    if (m_anchored) {
      const std::int64_t end = m_bufferStart + static_cast<std::int64_t>(m_buffer.size());
      if (pos < m_bufferStart) {  // the sound starts later than asked: silence before it
        const auto n = static_cast<std::size_t>(std::min<std::int64_t>(count - filled, m_bufferStart - pos));
        std::fill_n(out.begin() + static_cast<std::ptrdiff_t>(filled), n, std::int16_t{0});
        filled += n;
        continue;
      }
      if (pos < end) {
        const auto n = static_cast<std::size_t>(std::min<std::int64_t>(count - filled, end - pos));
        const auto at = m_buffer.begin() + (pos - m_bufferStart);
        std::copy(at, at + static_cast<std::ptrdiff_t>(n), out.begin() + static_cast<std::ptrdiff_t>(filled));
        filled += n;
        continue;
      }
      // Nothing before pos is needed again.
      m_bufferStart = end;
      m_buffer.clear();
    }
    if (m_ended || !DecodeMore()) {
      std::fill(out.begin() + static_cast<std::ptrdiff_t>(filled), out.begin() + static_cast<std::ptrdiff_t>(count),
                std::int16_t{0});
      filled = count;
    }
  }
  // Keep only what lies after this read.
  if (m_anchored) {
    const std::int64_t done = from + static_cast<std::int64_t>(count);
    const std::int64_t drop =
        std::clamp<std::int64_t>(done - m_bufferStart, 0, static_cast<std::int64_t>(m_buffer.size()));
    m_buffer.erase(m_buffer.begin(), m_buffer.begin() + drop);
    m_bufferStart += drop;
  }
  return count;
}

void CMovieSound::SeekTo(std::int64_t sample) {
  ++m_seeks;
  m_input->SeekBefore(m_stream, SamplesToMovieTime(sample - kSeekLeadIn));
  avcodec_flush_buffers(m_decoder.get());
  m_resampler.reset();
  m_buffer.clear();
  m_bufferStart = sample;
  m_anchored = false;
  m_draining = false;
  m_ended = false;
}

bool CMovieSound::DecodeMore() {
  AVCodecContext* decoder = m_decoder.get();
  while (true) {
    const int rc = avcodec_receive_frame(decoder, m_frame.get());
    if (rc == 0) {
      Append(m_frame.get());
      av_frame_unref(m_frame.get());
      return true;
    }
    if (rc == AVERROR_EOF || (rc == AVERROR(EAGAIN) && m_draining)) {
      m_ended = true;
      Append(nullptr);  // what the resampler still holds
      return true;
    }
    if (rc != AVERROR(EAGAIN)) {  // damaged data: the decoder drops it and goes on
      if (--m_budget <= 0) return false;
      continue;
    }
    if (--m_budget < 0) return false;
    if (!m_input->ReadPacket(m_packet.get())) {
      avcodec_send_packet(decoder, nullptr);
      m_draining = true;
      continue;
    }
    if (m_packet->stream_index == m_stream) avcodec_send_packet(decoder, m_packet.get());
    av_packet_unref(m_packet.get());
  }
}

bool CMovieSound::EnsureResampler(const AVFrame* frame) {
  AVChannelLayout layout{};
  if (frame->ch_layout.nb_channels <= 0 || frame->ch_layout.nb_channels > 64) return false;
  if (frame->ch_layout.order == AV_CHANNEL_ORDER_UNSPEC)
    av_channel_layout_default(&layout, frame->ch_layout.nb_channels);
  else if (av_channel_layout_copy(&layout, &frame->ch_layout) < 0)
    return false;
  const bool same = m_resampler && m_inRate == frame->sample_rate && m_inFormat == frame->format &&
                    av_channel_layout_compare(&layout, &m_inLayout) == 0;
  if (same) {
    av_channel_layout_uninit(&layout);
    return true;
  }
  m_resampler.reset();
  av_channel_layout_uninit(&m_inLayout);
  m_inLayout = layout;
  m_inRate = frame->sample_rate;
  m_inFormat = frame->format;
  if (m_inRate < 1000 || m_inRate > 768000 || av_get_bytes_per_sample(static_cast<AVSampleFormat>(m_inFormat)) <= 0)
    return false;
  AVChannelLayout mono{};
  av_channel_layout_default(&mono, 1);
  SwrContext* swr = nullptr;
  if (swr_alloc_set_opts2(&swr, &mono, AV_SAMPLE_FMT_S16, kRate, &m_inLayout, static_cast<AVSampleFormat>(m_inFormat),
                          m_inRate, 0, nullptr) < 0 ||
      swr_init(swr) < 0) {
    swr_free(&swr);
    return false;
  }
  m_resampler.reset(swr);
  return true;
}

void CMovieSound::Append(const AVFrame* frame) {
  if (frame) {
    if (!EnsureResampler(frame)) return;
    if (!m_anchored) {
      std::int64_t ts = frame->best_effort_timestamp;
      if (ts == AV_NOPTS_VALUE) ts = frame->pts;
      if (ts != AV_NOPTS_VALUE) m_bufferStart = MovieTimeToSamples(m_input->ToMovieTime(ts, m_stream));
      m_anchored = true;
    }
  } else if (!m_resampler || !m_anchored) {
    return;
  }
  const int inCount = frame ? frame->nb_samples : 0;
  const int room = swr_get_out_samples(m_resampler.get(), inCount);
  if (room <= 0 || room > kMaxFrameOutput) return;
  const std::size_t old = m_buffer.size();
  m_buffer.resize(old + static_cast<std::size_t>(room));
  auto* dst = reinterpret_cast<std::uint8_t*>(m_buffer.data() + old);
  const int got = swr_convert(m_resampler.get(), &dst, room, frame ? const_cast<const std::uint8_t**>(frame->extended_data) : nullptr,
                              inCount);
  m_buffer.resize(old + static_cast<std::size_t>(std::max(got, 0)));
}

}  // namespace movies
