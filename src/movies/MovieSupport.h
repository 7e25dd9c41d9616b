// MovieSupport: the program-wide service of the movie component (Service<MovieSupport>()).
// It binds and checks the FFmpeg libraries the way the program's start-up and the disc
// launcher's movie check expect of a movie library: initialise, ask the version,
// start the toolbox, and stop and shut down at exit. The course player creates it only
// when the course wants movies; windows that play movies call EnsureStarted() first.
//
// Binding FFmpeg costs more than the rest of the player's start-up together, so the
// player starts the service at start-up only when the Welcome window plays a movie;
// otherwise the start waits for the first movie (StartWhenFirstNeeded).
//
// Versions are libavformat's (major << 16 | minor << 8 | micro); the runtime libraries
// must have the major versions the program was built with.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

class MovieSupport {
 public:
  enum class Status {
    Ready,         // started: Available() is true until StopToolbox or Shutdown
    NotInstalled,  // the libraries are missing or not the ones the program was built for
    TooOld,        // older than MinimumVersion()
    CannotStart,   // present, but a part that plays movies cannot work
  };

  MovieSupport() = default;
  ~MovieSupport();  // stops and shuts down
  MovieSupport(const MovieSupport&) = delete;
  MovieSupport& operator=(const MovieSupport&) = delete;

  // The steps, in the order start-up calls them. Initialise: false means not installed.
  bool Initialise();
  // The library version, 0 when not initialised.
  std::uint32_t Version() const;
  // The lowest version the component works with: libavformat 58.12 (FFmpeg 4.0).
  std::uint32_t MinimumVersion() const;
  // Checks that the QuickTime demuxer, the decoders of the course's movies, the scaler
  // and the resampler are there; false when they cannot work.
  bool StartToolbox();
  void StopToolbox();
  void Shutdown();

  // All the steps: on failure the library is shut down again and the status says why.
  Status Start();
  // Whether movies can be played now (started and not stopped).
  bool Available() const { return m_started; }

  // The start that waits for the first movie: start (Start() when empty) runs at the
  // first EnsureStarted(), and failed hears its status when that was not Ready (the
  // player shows the notice of a failed start there). It runs once per service.
  using Starter = std::function<Status(MovieSupport&)>;
  void StartWhenFirstNeeded(Starter start, std::function<void(Status)> failed);
  // Runs a start that waits for the first movie; whether movies can be played now.
  bool EnsureStarted();
  // "libavformat 59.27.100, libavcodec ..." for authors' tools; empty before Initialise.
  std::string VersionText() const;

  // The tick counter: sixtieths of a second since the program started (the script
  // language's `ticks`). Works without the service.
  static std::int64_t TickCount();

 private:
  bool m_initialised = false;
  bool m_started = false;
  bool m_startPending = false;
  Starter m_start;
  std::function<void(Status)> m_startFailed;
};
