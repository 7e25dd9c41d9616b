#include "shell/MovieSupportCheck.h"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/avutil.h>
#include <libswscale/swscale.h>
}
#include <dlfcn.h>

#include <string>

// The entry points the check calls, from the libraries loaded by name. The libraries stay
// loaded once loaded: they (and the hundred they bring) keep global state and exit
// handlers that must not outlive their code, and the movie window uses them again.
struct FfmpegMovieLibrary::Api {
  void* libraries[4] = {};
  unsigned (*avutilVersion)() = nullptr;
  unsigned (*avcodecVersion)() = nullptr;
  unsigned (*avformatVersion)() = nullptr;
  unsigned (*swscaleVersion)() = nullptr;
  const AVInputFormat* (*findInputFormat)(const char*) = nullptr;
  SwsContext* (*getContext)(int, int, AVPixelFormat, int, int, AVPixelFormat, int, SwsFilter*, SwsFilter*,
                            const double*) = nullptr;
  void (*freeContext)(SwsContext*) = nullptr;
};

namespace {

unsigned Major(unsigned version) { return version >> 16; }

void* Load(const char* stem, int major) {
  const std::string name = std::string("lib") + stem + ".so." + std::to_string(major);
  return dlopen(name.c_str(), RTLD_NOW | RTLD_LOCAL | RTLD_NODELETE);
}

template <class F>
bool Bind(void* library, const char* symbol, F& out) {
  out = reinterpret_cast<F>(dlsym(library, symbol));
  return out != nullptr;
}

}  // namespace

FfmpegMovieLibrary::FfmpegMovieLibrary() = default;
FfmpegMovieLibrary::~FfmpegMovieLibrary() = default;

bool FfmpegMovieLibrary::Initialise() {
  auto api = std::make_unique<Api>();
  void*& util = api->libraries[0];
  void*& codec = api->libraries[1];
  void*& format = api->libraries[2];
  void*& scale = api->libraries[3];
  util = Load("avutil", LIBAVUTIL_VERSION_MAJOR);
  codec = Load("avcodec", LIBAVCODEC_VERSION_MAJOR);
  format = Load("avformat", LIBAVFORMAT_VERSION_MAJOR);
  scale = Load("swscale", LIBSWSCALE_VERSION_MAJOR);
  if (!util || !codec || !format || !scale) return false;
  if (!Bind(util, "avutil_version", api->avutilVersion) || !Bind(codec, "avcodec_version", api->avcodecVersion) ||
      !Bind(format, "avformat_version", api->avformatVersion) ||
      !Bind(scale, "swscale_version", api->swscaleVersion) ||
      !Bind(format, "av_find_input_format", api->findInputFormat) ||
      !Bind(scale, "sws_getContext", api->getContext) || !Bind(scale, "sws_freeContext", api->freeContext))
    return false;
  // The interfaces change between major versions: only the ones built against will do.
  if (Major(api->avutilVersion()) != LIBAVUTIL_VERSION_MAJOR ||
      Major(api->avcodecVersion()) != LIBAVCODEC_VERSION_MAJOR ||
      Major(api->avformatVersion()) != LIBAVFORMAT_VERSION_MAJOR ||
      Major(api->swscaleVersion()) != LIBSWSCALE_VERSION_MAJOR)
    return false;
  m_api = std::move(api);
  return true;
}

std::uint32_t FfmpegMovieLibrary::Version() { return m_api ? m_api->avformatVersion() : 0; }

std::uint32_t FfmpegMovieLibrary::MinimumVersion() const { return AV_VERSION_INT(58, 12, 100); }

bool FfmpegMovieLibrary::StartToolbox() {
  if (!m_api) return false;
  // Course movies are QuickTime files: without their demuxer no movie opens.
  if (!m_api->findInputFormat("mov")) return false;
  SwsContext* scaler = m_api->getContext(16, 16, AV_PIX_FMT_YUV420P, 16, 16, AV_PIX_FMT_BGRA, SWS_BILINEAR, nullptr,
                                         nullptr, nullptr);
  if (!scaler) return false;
  m_api->freeContext(scaler);
  return true;
}

void FfmpegMovieLibrary::Shutdown() { m_api.reset(); }

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
