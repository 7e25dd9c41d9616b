// The launcher's check that the movie library the course player needs is present and
// recent enough. The check talks to the library through CMovieLibraryProbe, so that
// the course player's movie component can stand in for the FFmpeg probe below.
#pragma once

#include <cstdint>

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

// The FFmpeg libraries the movie component is built on. The libraries loaded at run
// time must be the major versions the program was built against (their interfaces
// change between majors), libavformat at least 58.12 (FFmpeg 4.0), and the toolbox
// starts when the QuickTime demuxer and the scaler are there.
class CFfmpegLibraryProbe : public CMovieLibraryProbe {
 public:
  bool Initialise() override;
  std::uint32_t Version() override;
  std::uint32_t MinimumVersion() const override;
  bool StartToolbox() override;
  void StopToolbox() override;
  void Shutdown() override;
};

enum class MovieLibraryStatus {
  Ready,
  Missing,      // not installed or too old: "QuickTime 3 or better is required. ..."
  CannotStart,  // installed, toolbox failed: "Could not initialize QuickTime. ..."
};

// Runs the check and shows its message (plain message box) when it fails. The library
// is always shut down again, and the toolbox stopped when it was started.
MovieLibraryStatus RunMovieLibraryCheck(CMovieLibraryProbe& probe);
