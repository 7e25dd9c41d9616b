#include "audio/SoundClip.h"

#include <algorithm>

#include "audio/ClipDecoder.h"
#include "course/CourseFile.h"
#include "course/CourseFileError.h"
#include "course/Notice.h"
#include "course/StringIds.h"

using namespace audio;

CSoundClip::CSoundClip(SoundOutput* output) : m_output(output) {}

CSoundClip::~CSoundClip() { Close(); }

bool CSoundClip::Open(const std::filesystem::path& path) {
  Close();
  CourseFile file;
  try {
    file = CourseFile::Open(path);
  } catch (const CourseFileError&) {
    ShowNotice(str::kCannotOpenAudioFile, path.string());
    return false;
  }
  return Open(std::move(file), path.string());
}

bool CSoundClip::Open(CourseFile file, std::string_view name) {
  Close();
  if (!m_output || !m_output->EnsureOpen()) return false;
  try {
    m_decoder = ClipDecoder::Open(std::move(file), name);
  } catch (const CourseFileError&) {
    ShowNotice(str::kCannotOpenAudioFile, name);
    return false;
  }
  m_open = true;
  m_length = m_decoder->length();
  return true;
}

void CSoundClip::OpenSilent(std::int64_t length) {
  Close();
  m_open = true;
  m_length = std::max<std::int64_t>(0, length);
}

void CSoundClip::Close() {
  Stop();
  m_decoder.reset();
  m_open = false;
  m_length = 0;
  m_startOffset = 0;
  m_nextUnit = 0;
  m_paused = false;
  m_atEnd = false;
}

ClipFormat CSoundClip::Format() const { return m_decoder ? m_decoder->format() : ClipFormat::Silent; }

// Ends this clip's playback: its tags go, and the output is reset if it still plays
// buffers of this clip (another sound on the output is left alone).
void CSoundClip::Stop() {
  if (m_output) {
    m_output->ForgetClient(this);
    if (m_outstanding > 0) m_output->Reset();
  }
  m_outstanding = 0;
  m_playing = false;
  m_interrupted = false;
}

bool CSoundClip::PlayFrom(std::int64_t position) {
  if (!m_open) return false;
  Stop();
  m_paused = false;
  m_atEnd = false;
  position = std::clamp<std::int64_t>(position, 0, m_length);
  if (!m_decoder) {
    m_startOffset = position;
    m_startTick = std::chrono::steady_clock::now();
    m_playing = position < m_length;
    m_atEnd = !m_playing;
    return true;
  }
  if (!m_output || !m_output->EnsureOpen()) return false;
  m_startOffset = m_decoder->alignDown(position);
  m_nextUnit = m_startOffset;
  m_output->Reset();
  if (m_startOffset >= m_length) {
    m_atEnd = true;
    return true;
  }
  // Queued while paused, so that the first buffers start together.
  m_output->Pause();
  m_playing = true;
  QueueBlocks();
  m_output->Restart();
  return true;
}

void CSoundClip::QueueBlocks() {
  while (m_nextUnit < m_length) {
    const std::int64_t block = m_decoder->blockOf(m_nextUnit);
    WaveBuffer* buffer = m_output->GetFreeBuffer(this, block);
    if (!buffer) break;
    const std::int64_t to = std::min(m_length, (block + 1) * m_decoder->unitsPerBlock());
    const auto count = static_cast<std::size_t>(to - m_nextUnit);
    try {
      m_decoder->decode(m_nextUnit, to, buffer->samples.data());
    } catch (const CourseFileError&) {
      // Unreadable data plays as silence: the clock keeps the clip's length.
      std::fill_n(buffer->samples.begin(), count, std::int16_t{0});
    }
    buffer->count = count;
    m_output->Write(buffer);
    if (buffer->state != WaveBuffer::State::Queued) break;
    ++m_outstanding;
    m_nextUnit = to;
  }
}

void CSoundClip::BufferDone(std::int64_t) {
  if (m_outstanding > 0) --m_outstanding;
  if (!m_playing || m_interrupted) return;
  if (m_nextUnit < m_length) {
    QueueBlocks();
    return;
  }
  if (m_outstanding == 0) {
    m_playing = false;
    m_atEnd = true;
    m_output->Reset();
  }
}

void CSoundClip::StreamInterrupted() {
  if (!m_playing || m_interrupted) return;
  const std::int64_t position = Position();
  m_startOffset = m_decoder ? m_decoder->alignDown(position) : position;
  m_interrupted = true;
  m_outstanding = 0;
}

void CSoundClip::InterruptionOver() {
  if (m_interrupted && m_playing) PlayFrom(m_startOffset);
}

std::int64_t CSoundClip::SilentElapsed() const {
  const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - m_startTick);
  return ms.count() * kClockRate / 1000;
}

std::int64_t CSoundClip::Position() const {
  if (!m_open) return 0;
  if (m_atEnd) return m_length;
  if (!m_playing || m_interrupted) return m_startOffset;
  const std::int64_t played = m_decoder ? (m_output ? m_output->Position() : 0) : SilentElapsed();
  return std::min(m_length, m_startOffset + played);
}

bool CSoundClip::IsPlaying() {
  if (m_playing && m_open && !m_decoder && m_startOffset + SilentElapsed() >= m_length) {
    m_playing = false;
    m_atEnd = true;
  }
  return m_playing;
}

void CSoundClip::Pause() {
  if (!m_open) return;
  const std::int64_t position = Position();
  Stop();
  m_startOffset = m_decoder ? m_decoder->alignDown(position) : position;
  m_paused = true;
}

bool CSoundClip::Resume() { return m_open && PlayFrom(m_startOffset); }

template <class Start>
bool CSoundClip::PlayEffect(Start start) {
  if (!m_output) return false;
  const bool wasPlaying = m_open && IsPlaying();
  if (wasPlaying) Pause();
  while (m_output->Pump()) {
  }
  const bool played = start(*m_output);
  if (played) m_output->WaitForOneShot();
  if (wasPlaying) Resume();
  return played;
}

bool CSoundClip::PlayBuiltInEffect(int resourceId) {
  return PlayEffect([resourceId](SoundOutput& output) { return output.Play(resourceId); });
}

bool CSoundClip::PlayEmbeddedEffect(std::span<const std::uint8_t> data, int volume) {
  return PlayEffect([data, volume](SoundOutput& output) { return output.PlayEmbedded(data, volume); });
}
