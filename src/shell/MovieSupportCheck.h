// The start-up check of the movie component: present, recent enough, able to start.
// The course player runs it when the personality asks for movie support; the movie
// component itself (playing, the Welcome window's movie) lives with the movie window.
#pragma once

#include <cstdint>
#include <memory>

// The library movies are played with, reached through these steps so that tests can put
// a library of their own in its place.
class MovieLibrary {
 public:
  virtual ~MovieLibrary() = default;
  // Binds the library; false: not installed.
  virtual bool Initialise() = 0;
  // Its version in its own numbering; 0: cannot say.
  virtual std::uint32_t Version() = 0;
  // The lowest Version() the program works with.
  virtual std::uint32_t MinimumVersion() const = 0;
  // Readies the parts that decode and scale movies; false: they cannot work.
  virtual bool StartToolbox() = 0;
  virtual void StopToolbox() = 0;
  virtual void Shutdown() = 0;
};

// The FFmpeg libraries the movie component is built on, bound at run time like any
// movie system: libavutil, libavcodec, libavformat and libswscale of the major versions
// the program was built against must load, libavformat at least 58.12 (FFmpeg 4.0); the
// toolbox starts when the QuickTime demuxer and the scaler are there. Loading them is
// the costly part of the check (they bring a hundred libraries with them), so it is done
// here and not when the program is started.
class FfmpegMovieLibrary : public MovieLibrary {
 public:
  FfmpegMovieLibrary();
  ~FfmpegMovieLibrary() override;
  bool Initialise() override;
  std::uint32_t Version() override;
  std::uint32_t MinimumVersion() const override;
  bool StartToolbox() override;
  void StopToolbox() override {}
  void Shutdown() override;

 private:
  struct Api;
  std::unique_ptr<Api> m_api;
};

enum class MovieCheck {
  Ready,         // started; stop it at exit with StopMovieLibrary
  NotInstalled,  // notice 8558, then exit
  TooOld,        // notice 8559, then exit
  CannotStart,   // notice 8558, then exit
};

inline constexpr int kNoticeMovieMissing = 8558;
inline constexpr int kNoticeMovieOld = 8559;

// Initialises the library, checks its version and starts the toolbox. On failure the
// library is shut down again and the result names the notice to show.
MovieCheck StartMovieLibrary(MovieLibrary& library);
// The notice of a failed check; 0 for Ready.
int MovieCheckNotice(MovieCheck check);
// At exit: stops the toolbox and shuts the library down.
void StopMovieLibrary(MovieLibrary& library);
