// The launcher's check that the movie library the course player needs is present and
// recent enough. The check talks to the library through CMovieLibraryProbe, so that
// the course player's movie component can stand in for the FFmpeg probe below.
#pragma once

#include <cstdint>
#include <memory>

class MovieSupport;

class CMovieLibraryProbe {
 public:
  virtual ~CMovieLibraryProbe() = default;
  // Binds the library; false means it is not installed. Shutdown must be safe afterwards either way.
  virtual bool Initialise() = 0;
  // The library's version in its own numbering, 0 when it cannot say.
  virtual std::uint32_t Version() = 0;
  // The lowest Version() the course player works with.
  virtual std::uint32_t MinimumVersion() const = 0;
  // Readies the parts that play movies; false when they cannot work.
  virtual bool StartToolbox() = 0;
  virtual void StopToolbox() = 0;
  virtual void Shutdown() = 0;
};

// The course player's own movie component (MovieSupport), so that the launcher checks
// exactly what the player will use: the FFmpeg libraries of the major versions the
// program was built with, libavformat at least 58.12, the QuickTime demuxer, the
// decoders of the course's movies, the scaler and the resampler.
class CMovieComponentProbe : public CMovieLibraryProbe {
 public:
  CMovieComponentProbe();
  ~CMovieComponentProbe() override;
  bool Initialise() override;
  std::uint32_t Version() override;
  std::uint32_t MinimumVersion() const override;
  bool StartToolbox() override;
  void StopToolbox() override;
  void Shutdown() override;

 private:
  std::unique_ptr<MovieSupport> m_movies;
};

enum class MovieLibraryStatus {
  Ready,
  Missing,      // not installed or too old: "QuickTime 3 or better is required. ..."
  CannotStart,  // installed, toolbox failed: "Could not initialize QuickTime. ..."
};

// Runs the check and shows its message (plain message box) when it fails. The library
// is always shut down again, and the toolbox stopped when it was started.
MovieLibraryStatus RunMovieLibraryCheck(CMovieLibraryProbe& probe);
