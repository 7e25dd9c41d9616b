#include "movies/MovieSupport.h"

#include <chrono>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/avutil.h>
#include <libswresample/swresample.h>
#include <libswscale/swscale.h>
}

#include "movies/FfmpegLibrary.h"
#include "movies/FfmpegPtr.h"

namespace {

unsigned Major(unsigned version) { return version >> 16; }

std::string VersionString(const char* name, unsigned v) {
  return std::string(name) + " " + std::to_string(v >> 16) + "." + std::to_string((v >> 8) & 0xFF) + "." +
         std::to_string(v & 0xFF);
}

std::chrono::steady_clock::time_point ProgramStart() {
  static const auto start = std::chrono::steady_clock::now();
  return start;
}
// Fixes the start while the program starts rather than at the first tick count.
[[maybe_unused]] const auto kProgramStartFixed = ProgramStart();

}  // namespace

MovieSupport::~MovieSupport() { Shutdown(); }

bool MovieSupport::Initialise() {
  m_initialised = movies::FfmpegLoaded() && Major(avutil_version()) == LIBAVUTIL_VERSION_MAJOR &&
                  Major(avcodec_version()) == LIBAVCODEC_VERSION_MAJOR &&
                  Major(avformat_version()) == LIBAVFORMAT_VERSION_MAJOR &&
                  Major(swscale_version()) == LIBSWSCALE_VERSION_MAJOR &&
                  Major(swresample_version()) == LIBSWRESAMPLE_VERSION_MAJOR;
  return m_initialised;
}

std::uint32_t MovieSupport::Version() const { return m_initialised ? avformat_version() : 0; }

std::uint32_t MovieSupport::MinimumVersion() const { return AV_VERSION_INT(58, 12, 100); }

bool MovieSupport::StartToolbox() {
  if (!m_initialised) return false;
  // Course movies are QuickTime files, mostly Motion JPEG, H.264 or Animation.
  bool ok = av_find_input_format("mov") != nullptr;
  for (AVCodecID codec : {AV_CODEC_ID_MJPEG, AV_CODEC_ID_H264, AV_CODEC_ID_QTRLE, AV_CODEC_ID_PCM_S16BE})
    ok = ok && avcodec_find_decoder(codec) != nullptr;
  if (ok) {
    movies::ScalerPtr scaler(sws_getContext(16, 16, AV_PIX_FMT_YUV420P, 16, 16, AV_PIX_FMT_BGRA, SWS_BICUBIC, nullptr,
                                            nullptr, nullptr));
    ok = scaler != nullptr;
  }
  if (ok) {
    movies::ResamplerPtr resampler(swr_alloc());
    ok = resampler != nullptr;
  }
  m_started = ok;
  return ok;
}

// FFmpeg keeps no global state that needs starting or stopping; these end availability.
void MovieSupport::StopToolbox() { m_started = false; }

void MovieSupport::Shutdown() {
  m_started = false;
  m_initialised = false;
}

MovieSupport::Status MovieSupport::Start() {
  if (!Initialise()) {
    Shutdown();
    return Status::NotInstalled;
  }
  const std::uint32_t version = Version();
  if (version == 0) {
    Shutdown();
    return Status::NotInstalled;
  }
  if (version < MinimumVersion()) {
    Shutdown();
    return Status::TooOld;
  }
  if (!StartToolbox()) {
    Shutdown();
    return Status::CannotStart;
  }
  return Status::Ready;
}

void MovieSupport::StartWhenFirstNeeded(Starter start, std::function<void(Status)> failed) {
  m_start = std::move(start);
  m_startFailed = std::move(failed);
  m_startPending = true;
}

bool MovieSupport::EnsureStarted() {
  if (m_startPending) {
    m_startPending = false;
    const Status status = m_start ? m_start(*this) : Start();
    if (status != Status::Ready && m_startFailed) m_startFailed(status);
  }
  return Available();
}

std::string MovieSupport::VersionText() const {
  if (!m_initialised) return {};
  return VersionString("libavformat", avformat_version()) + ", " + VersionString("libavcodec", avcodec_version()) +
         ", " + VersionString("libswscale", swscale_version()) + ", " +
         VersionString("libswresample", swresample_version());
}

std::int64_t MovieSupport::TickCount() {
  using namespace std::chrono;
  return duration_cast<microseconds>(steady_clock::now() - ProgramStart()).count() * 60 / 1'000'000;
}
