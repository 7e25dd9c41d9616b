#include "shell/MovieSupportCheck.h"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/avutil.h>
#include <libswscale/swscale.h>
}

namespace {
unsigned Major(unsigned version) { return version >> 16; }
}  // namespace

bool FfmpegMovieLibrary::Initialise() {
  return Major(avutil_version()) == LIBAVUTIL_VERSION_MAJOR && Major(avcodec_version()) == LIBAVCODEC_VERSION_MAJOR &&
         Major(avformat_version()) == LIBAVFORMAT_VERSION_MAJOR && Major(swscale_version()) == LIBSWSCALE_VERSION_MAJOR;
}

std::uint32_t FfmpegMovieLibrary::Version() { return avformat_version(); }

std::uint32_t FfmpegMovieLibrary::MinimumVersion() const { return AV_VERSION_INT(58, 12, 100); }

bool FfmpegMovieLibrary::StartToolbox() {
  // Course movies are QuickTime files: without their demuxer no movie opens.
  if (!av_find_input_format("mov")) return false;
  SwsContext* scaler =
      sws_getContext(16, 16, AV_PIX_FMT_YUV420P, 16, 16, AV_PIX_FMT_BGRA, SWS_BILINEAR, nullptr, nullptr, nullptr);
  if (!scaler) return false;
  sws_freeContext(scaler);
  return true;
}

MovieCheck StartMovieLibrary(MovieLibrary& library) {
  if (!library.Initialise()) {
    library.Shutdown();
    return MovieCheck::NotInstalled;
  }
  const std::uint32_t version = library.Version();
  if (version == 0) {
    library.Shutdown();
    return MovieCheck::NotInstalled;
  }
  if (version < library.MinimumVersion()) {
    library.Shutdown();
    return MovieCheck::TooOld;
  }
  if (!library.StartToolbox()) {
    library.Shutdown();
    return MovieCheck::CannotStart;
  }
  return MovieCheck::Ready;
}

int MovieCheckNotice(MovieCheck check) {
  switch (check) {
    case MovieCheck::Ready:
      return 0;
    case MovieCheck::TooOld:
      return kNoticeMovieOld;
    case MovieCheck::NotInstalled:
    case MovieCheck::CannotStart:
      return kNoticeMovieMissing;
  }
  return kNoticeMovieMissing;
}

void StopMovieLibrary(MovieLibrary& library) {
  library.StopToolbox();
  library.Shutdown();
}
