#include "setup/MovieLibraryCheck.h"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/avutil.h>
#include <libswscale/swscale.h>
}

#include "course/Notice.h"
#include "course/ProgramResources.h"
#include "setup/SetupStrings.h"

namespace {
unsigned Major(unsigned version) { return version >> 16; }
}  // namespace

bool CFfmpegLibraryProbe::Initialise() {
  return Major(avutil_version()) == LIBAVUTIL_VERSION_MAJOR && Major(avcodec_version()) == LIBAVCODEC_VERSION_MAJOR &&
         Major(avformat_version()) == LIBAVFORMAT_VERSION_MAJOR && Major(swscale_version()) == LIBSWSCALE_VERSION_MAJOR;
}

std::uint32_t CFfmpegLibraryProbe::Version() { return avformat_version(); }

std::uint32_t CFfmpegLibraryProbe::MinimumVersion() const { return AV_VERSION_INT(58, 12, 100); }

bool CFfmpegLibraryProbe::StartToolbox() {
  // Course movies are QuickTime files; without their demuxer no movie opens.
  if (!av_find_input_format("mov")) return false;
  SwsContext* scaler = sws_getContext(16, 16, AV_PIX_FMT_YUV420P, 16, 16, AV_PIX_FMT_BGRA, SWS_BILINEAR, nullptr,
                                      nullptr, nullptr);
  if (!scaler) return false;
  sws_freeContext(scaler);
  return true;
}

// FFmpeg keeps no global state that needs starting or stopping.
void CFfmpegLibraryProbe::StopToolbox() {}
void CFfmpegLibraryProbe::Shutdown() {}

MovieLibraryStatus RunMovieLibraryCheck(CMovieLibraryProbe& probe) {
  MovieLibraryStatus status = MovieLibraryStatus::Ready;
  const std::uint32_t version = probe.Initialise() ? probe.Version() : 0;
  if (version == 0 || version < probe.MinimumVersion()) {
    status = MovieLibraryStatus::Missing;
    ShowPlainMessage(ProgramString(setup_strings::kMovieLibraryMissing));
  } else if (!probe.StartToolbox()) {
    status = MovieLibraryStatus::CannotStart;
    ShowPlainMessage(ProgramString(setup_strings::kMovieLibraryNoStart));
  } else {
    probe.StopToolbox();
  }
  probe.Shutdown();
  return status;
}
