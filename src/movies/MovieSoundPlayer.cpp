#include "movies/MovieSoundPlayer.h"

#include <algorithm>
#include <cstdlib>

#include "audio/AudioFormat.h"
#include "movies/MovieSound.h"

namespace {
constexpr std::int64_t kBlock = static_cast<std::int64_t>(audio::kBufferSamples);
}  // namespace

CMovieSoundPlayer::CMovieSoundPlayer(SoundOutput* output, MovieSoundSource* source)
    : m_output(output), m_source(source) {}

CMovieSoundPlayer::~CMovieSoundPlayer() { Stop(); }

bool CMovieSoundPlayer::PlayFrom(MovieTime time) {
  Stop();
  if (!m_output || !m_source || !m_output->EnsureOpen()) return false;
  m_start = std::clamp<std::int64_t>(MovieTimeToSamples(time), 0, m_source->Length());
  m_next = m_start;
  m_ended = false;
  if (m_start >= m_source->Length()) return false;
  m_output->Reset();
  // Queued while paused, so that the first buffers start together.
  m_output->Pause();
  m_playing = true;
  QueueBlocks();
  m_output->Restart();
  return true;
}

void CMovieSoundPlayer::Stop() {
  if (m_output) {
    m_output->ForgetClient(this);
    if (m_outstanding > 0) m_output->Reset();
  }
  m_outstanding = 0;
  m_playing = false;
}

MovieTime CMovieSoundPlayer::Position() const {
  if (!m_playing || !m_output) return SamplesToMovieTime(m_start);
  return SamplesToMovieTime(std::min(m_source->Length(), m_start + m_output->Position()));
}

void CMovieSoundPlayer::Follow(bool moviePlaying, MovieTime movieTime) {
  if (!moviePlaying) {
    if (m_playing) Stop();
    return;
  }
  if (!m_source || !m_output || m_output->IsPlayingOneShot()) return;
  const MovieTime maxDrift = kMaxDriftMs * (kMovieTimeScale / 1000);
  const MovieTime end = SamplesToMovieTime(m_source->Length());
  // The sound has played out: the picture's last moments need no second go.
  if (movieTime >= end || (m_ended && end - movieTime <= maxDrift)) return;
  if (!m_playing || std::llabs(Position() - movieTime) > maxDrift) PlayFrom(movieTime);
}

void CMovieSoundPlayer::QueueBlocks() {
  while (m_next < m_source->Length()) {
    WaveBuffer* buffer = m_output->GetFreeBuffer(this, m_next / kBlock);
    if (!buffer) break;
    const std::int64_t to = std::min(m_source->Length(), m_next + kBlock);
    const auto count = static_cast<std::size_t>(to - m_next);
    buffer->count = m_source->Read(m_next, std::span<std::int16_t>(buffer->samples.data(), count));
    if (buffer->count == 0) break;
    m_output->Write(buffer);
    if (buffer->state != WaveBuffer::State::Queued) break;
    ++m_outstanding;
    m_next += static_cast<std::int64_t>(buffer->count);
  }
}

void CMovieSoundPlayer::BufferDone(std::int64_t) {
  if (m_outstanding > 0) --m_outstanding;
  if (!m_playing) return;
  if (m_next < m_source->Length()) {
    QueueBlocks();
    return;
  }
  if (m_outstanding == 0) {
    m_playing = false;
    m_ended = true;
    m_start = m_next;
  }
}

void CMovieSoundPlayer::StreamInterrupted() {
  // A one-shot sound took the output: the picture goes on, the sound catches up after it.
  m_outstanding = 0;
  m_playing = false;
}

void CMovieSoundPlayer::InterruptionOver() {}
