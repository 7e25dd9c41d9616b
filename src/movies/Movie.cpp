#include "movies/Movie.h"

#include <algorithm>
#include <chrono>

#include <QtGui/QPainter>

#include "course/CourseFile.h"
#include "course/CourseFileError.h"
#include "movies/MovieInput.h"
#include "movies/MovieSound.h"
#include "movies/MovieVideo.h"

namespace {

MovieTime SteadyNow() {
  using namespace std::chrono;
  return duration_cast<microseconds>(steady_clock::now().time_since_epoch()).count();
}

bool HasAnyStream(const movies::MovieInput& input, AVMediaType kind) {
  const AVFormatContext* format = input.format();
  for (unsigned i = 0; i < format->nb_streams; ++i) {
    const AVStream* s = format->streams[i];
    if (s->codecpar->codec_type == kind && !(s->disposition & AV_DISPOSITION_ATTACHED_PIC)) return true;
  }
  return false;
}

}  // namespace

std::unique_ptr<CMovie> CMovie::Open(const std::filesystem::path& path) {
  return Open(CourseFile::Open(path, CourseFile::Mode::Read));
}

std::unique_ptr<CMovie> CMovie::Open(CourseFile file) {
  std::unique_ptr<CMovie> movie(new CMovie());
  movie->m_label = file.path().empty() ? std::string("movie") : file.path();
  movie->Init(std::make_shared<CourseFile>(std::move(file)));
  return movie;
}

CMovie::~CMovie() = default;

void CMovie::Init(std::shared_ptr<CourseFile> file) {
  m_file = std::move(file);
  m_clock = &SteadyNow;
  auto input = std::make_unique<movies::MovieInput>(m_file, m_label);
  const int video = input->FindStream(AVMEDIA_TYPE_VIDEO);
  m_soundStream = input->FindStream(AVMEDIA_TYPE_AUDIO);
  if (video < 0 && HasAnyStream(*input, AVMEDIA_TYPE_VIDEO))
    throw CourseFileError(CourseFileError::Kind::Format, m_label,
                          "the movie's pictures use a format or size this program does not play");
  if (video < 0 && m_soundStream < 0)
    throw CourseFileError(CourseFileError::Kind::Format, m_label, "the movie has no pictures or sound to play");
  m_duration = input->Duration();
  if (m_soundStream >= 0) {
    const AVCodecParameters* p = input->stream(m_soundStream)->codecpar;
    const int channels = p->ch_layout.nb_channels;
    m_soundFormat = std::string(avcodec_get_name(p->codec_id)) + ", " + std::to_string(p->sample_rate) + " Hz, " +
                    std::to_string(channels) + (channels == 1 ? " channel" : " channels");
  }
  if (video >= 0) {
    m_pictureFormat = avcodec_get_name(input->stream(video)->codecpar->codec_id);
    m_video = std::make_unique<movies::CMovieVideo>(std::move(input), video);
    m_natural = m_video->naturalSize();
  }
  ApplyRange();
}

MovieTime CMovie::FrameDuration() const { return m_video ? m_video->frameDuration() : 0; }

void CMovie::SetClock(Clock clock) {
  const MovieTime time = CurrentTime();
  const double rate = Rate();
  m_clock = clock ? std::move(clock) : Clock(&SteadyNow);
  // Carry the state over to the new clock's origin.
  const MovieTime now = m_clock();
  m_playback.SetRate(0, now);
  m_playback.GoTo(time, now);
  m_playback.SetRate(rate, now);
}

void CMovie::SetRate(double rate) { m_playback.SetRate(rate, m_clock()); }

MovieTime CMovie::CurrentTime() const { return m_playback.Time(m_clock()); }

void CMovie::GoToTime(MovieTime time) { m_playback.GoTo(time, m_clock()); }

void CMovie::SetLoop(MovieLoop loop) { m_playback.SetLoop(loop, m_clock()); }

void CMovie::SetPreview(MovieTime start, MovieTime duration) {
  m_previewStart = std::clamp<MovieTime>(start, 0, m_duration);
  m_previewDuration = std::clamp<MovieTime>(duration, 0, m_duration - m_previewStart);
  if (m_previewMode) ApplyRange();
}

void CMovie::SetPreviewMode(bool on) {
  m_previewMode = on;
  ApplyRange();
}

void CMovie::ApplyRange() {
  if (m_previewMode)
    m_playback.SetRange(m_previewStart, m_previewStart + m_previewDuration, m_clock());
  else
    m_playback.SetRange(0, m_duration, m_clock());
}

bool CMovie::Task() {
  const MovieTime now = m_clock();
  m_playback.Update(now);
  const MovieTime time = m_playback.Time(now);
  const bool moved = time != m_lastTaskTime;
  m_lastTaskTime = time;
  return moved;
}

bool CMovie::IsDone() const {
  return m_playback.loop() == MovieLoop::None && !m_playback.IsPlaying() && CurrentTime() >= m_playback.rangeEnd();
}

const QImage& CMovie::FrameAt(MovieTime time) { return m_video ? m_video->FrameAt(time) : m_noPicture; }

void CMovie::Draw(QPainter& painter, const QRect& target) {
  if (target.isEmpty()) return;
  const QImage& frame = CurrentFrame();
  if (frame.size() == target.size()) {
    painter.drawImage(target.topLeft(), frame);
    return;
  }
  painter.save();
  painter.setRenderHint(QPainter::SmoothPixmapTransform, true);
  painter.drawImage(target, frame);
  painter.restore();
}

MovieSoundSource* CMovie::Sound() {
  if (m_sound) return m_sound.get();
  if (m_soundStream < 0 || m_soundFailed) return nullptr;
  try {
    auto input = std::make_unique<movies::MovieInput>(m_file, m_label);
    m_sound = std::make_unique<movies::CMovieSound>(std::move(input), m_soundStream, MovieTimeToSamples(m_duration));
  } catch (const CourseFileError&) {
    m_soundFailed = true;
  }
  return m_sound.get();
}
