// CMovie: one open movie, the component's stand-in for the movie library's movie
// object. It answers the movie's natural size and duration, keeps the playing clock
// (rate, current time, looping, preview segment), hands out the frame at any time as
// an image, and the sound as 22 050 Hz mono samples for the program's wave output.
//
// The pictures are decoded when asked for (FrameAt, CurrentFrame); nothing runs in the
// background: a caller that shows the movie calls Task() from its timer and draws the
// current frame. Everything runs on the user-interface thread.
#pragma once

#include <filesystem>
#include <functional>
#include <memory>
#include <string>

#include <QtCore/QRect>
#include <QtCore/QSize>
#include <QtGui/QImage>

#include "movies/MoviePlayback.h"
#include "movies/MovieTime.h"

class CourseFile;
class QPainter;
class MovieSoundSource;

namespace movies {
class CMovieVideo;
class CMovieSound;
class MovieInput;
}  // namespace movies

class CMovie {
 public:
  // Now, in microseconds of a monotonic clock.
  using Clock = std::function<MovieTime()>;

  // Opens the movie file at path read-only. Throws CourseFileError: NotFound, Access,
  // SharingViolation from opening the file; Format when it is not a QuickTime movie,
  // has nothing this program can play, or its pictures cannot be decoded. The error's
  // reason() is the description the movie window shows.
  static std::unique_ptr<CMovie> Open(const std::filesystem::path& path);
  // The same for a file already open (found through the course folders); takes it.
  static std::unique_ptr<CMovie> Open(CourseFile file);
  ~CMovie();
  CMovie(const CMovie&) = delete;
  CMovie& operator=(const CMovie&) = delete;

  const std::string& label() const { return m_label; }
  // The movie's box at the origin: its natural picture size (empty for sound only).
  QSize NaturalSize() const { return m_natural; }
  QRect Box() const { return QRect(QPoint(0, 0), m_natural); }
  MovieTime Duration() const { return m_duration; }
  // The usual time from one frame to the next; 0 when the movie does not say.
  MovieTime FrameDuration() const;
  bool HasPictures() const { return m_video != nullptr; }
  bool HasSound() const { return m_soundStream >= 0; }
  // What the file holds, for authors' tools: "h264", "aac, 44100 Hz, 1 channel";
  // empty when the movie has no such track.
  const std::string& PictureFormat() const { return m_pictureFormat; }
  const std::string& SoundFormat() const { return m_soundFormat; }

  // Playing. The clock defaults to the system's steady clock; tests drive their own.
  void SetClock(Clock clock);
  MovieTime Now() const { return m_clock(); }
  // 1.0 plays, 0 pauses; other rates play faster, slower or backwards.
  void SetRate(double rate);
  double Rate() const { return m_playback.rate(); }
  bool IsPlaying() const { return m_playback.IsPlaying(); }
  void Start() { SetRate(1.0); }
  void Stop() { SetRate(0); }
  MovieTime CurrentTime() const;
  void GoToTime(MovieTime time);
  void GoToBeginning() { GoToTime(m_playback.rangeStart()); }
  void GoToEnd() { GoToTime(m_playback.rangeEnd()); }
  void SetLoop(MovieLoop loop);
  MovieLoop Loop() const { return m_playback.loop(); }
  // The preview segment (a short excerpt); in preview mode play is limited to it.
  void SetPreview(MovieTime start, MovieTime duration);
  MovieTime PreviewStart() const { return m_previewStart; }
  MovieTime PreviewDuration() const { return m_previewDuration; }
  void SetPreviewMode(bool on);
  bool PreviewMode() const { return m_previewMode; }
  // Services the movie (the timer's call): a movie that ran off its end without
  // looping stops there. True when the time on screen moved since the last call.
  bool Task();
  // Play has ended: not looping, not playing, and the time at the end of the range.
  bool IsDone() const;

  // The frame at time (see CMovieVideo::FrameAt); a null image for a movie without
  // pictures. Valid until the next call.
  const QImage& FrameAt(MovieTime time);
  const QImage& CurrentFrame() { return FrameAt(CurrentTime()); }
  // The current frame stretched (smoothly) into target.
  void Draw(QPainter& painter, const QRect& target);

  // The sound track, opened on first use; nullptr when the movie has none or it cannot
  // be decoded. Owned by the movie.
  MovieSoundSource* Sound();

 private:
  CMovie() = default;
  void Init(std::shared_ptr<CourseFile> file);
  void ApplyRange();

  std::string m_label;
  std::shared_ptr<CourseFile> m_file;
  std::unique_ptr<movies::CMovieVideo> m_video;
  std::unique_ptr<movies::CMovieSound> m_sound;
  int m_soundStream = -1;
  bool m_soundFailed = false;
  QSize m_natural;
  MovieTime m_duration = 0;
  std::string m_pictureFormat;
  std::string m_soundFormat;
  QImage m_noPicture;  // null

  Clock m_clock;
  MoviePlayback m_playback;
  MovieTime m_lastTaskTime = -1;
  MovieTime m_previewStart = 0;
  MovieTime m_previewDuration = 0;
  bool m_previewMode = false;
};
