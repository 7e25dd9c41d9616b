#include "movies/FfmpegLibrary.h"

#include <dlfcn.h>

#include <array>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <mutex>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/avutil.h>
#include <libavutil/channel_layout.h>
#include <libavutil/dict.h>
#include <libavutil/error.h>
#include <libavutil/frame.h>
#include <libavutil/log.h>
#include <libavutil/mathematics.h>
#include <libavutil/mem.h>
#include <libavutil/pixdesc.h>
#include <libavutil/samplefmt.h>
#include <libswresample/swresample.h>
#include <libswscale/swscale.h>
}

namespace movies {

namespace {

#define KN_SONAME(lib, major) "lib" #lib ".so." AV_STRINGIFY(major)

// In dependency order: each library finds the ones before it already open.
enum Library { kUtil, kResample, kScale, kCodec, kFormat, kLibraryCount };
constexpr std::array<const char*, kLibraryCount> kSonames = {
    KN_SONAME(avutil, LIBAVUTIL_VERSION_MAJOR), KN_SONAME(swresample, LIBSWRESAMPLE_VERSION_MAJOR),
    KN_SONAME(swscale, LIBSWSCALE_VERSION_MAJOR), KN_SONAME(avcodec, LIBAVCODEC_VERSION_MAJOR),
    KN_SONAME(avformat, LIBAVFORMAT_VERSION_MAJOR)};

struct Handles {
  std::array<void*, kLibraryCount> libraries{};
  bool loaded = false;
  std::string error;
};

std::atomic<bool> g_opened{false};

// The libraries look up their symbols among their own dependencies before the program's:
// FFmpeg's some 130 libraries then resolve their names in a few dozen libraries rather
// than behind all of the program's, which halves the cost of opening them. Functions
// are bound when first called. Sanitizer runtimes replace malloc for the whole program
// and refuse this binding; their builds keep the ordinary order.
#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
#define KN_SANITIZED 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer) || __has_feature(thread_sanitizer) || __has_feature(memory_sanitizer)
#define KN_SANITIZED 1
#endif
#endif
#ifdef KN_SANITIZED
constexpr int kOpenMode = RTLD_LAZY | RTLD_LOCAL;
#else
constexpr int kOpenMode = RTLD_LAZY | RTLD_LOCAL | RTLD_DEEPBIND;
#endif

const Handles& Open() {
  static const Handles handles = [] {
    Handles h;
    g_opened = true;
    for (int i = 0; i < kLibraryCount; ++i) {
      // Local: the libraries' names stay out of the way of the forwarders below.
      h.libraries[i] = dlopen(kSonames[i], kOpenMode);
      if (!h.libraries[i]) {
        const char* why = dlerror();
        h.error = why ? why : kSonames[i];
        return h;
      }
    }
    h.loaded = true;
    return h;
  }();
  return handles;
}

// The library's own function; a call before FfmpegLoaded() said yes is a fault of the
// program, and it ends here rather than jump to nothing.
template <class Function>
Function Resolve(Library library, const char* name) {
  const Handles& h = Open();
  void* symbol = h.loaded ? dlsym(h.libraries[library], name) : nullptr;
  if (!symbol) {
    std::fprintf(stderr, "kestrelon: the movie library has no %s (%s)\n", name,
                 h.loaded ? kSonames[library] : h.error.c_str());
    std::abort();
  }
  return reinterpret_cast<Function>(symbol);
}

}  // namespace

bool FfmpegLoaded() { return Open().loaded; }

std::string FfmpegLoadError() { return Open().error; }

bool FfmpegOpened() { return g_opened; }

}  // namespace movies

// The forwarders: the headers' own declarations, defined here. Each resolves its
// function once; the static's initialisation is thread-safe.
#define KN_FORWARD(library, name, ...)                                                                 \
  static const auto function = movies::Resolve<decltype(&name)>(movies::library, #name); \
  return function(__VA_ARGS__)

extern "C" {

// libavutil
unsigned avutil_version(void) { KN_FORWARD(kUtil, avutil_version); }
void* av_malloc(size_t size) { KN_FORWARD(kUtil, av_malloc, size); }
void av_free(void* ptr) { KN_FORWARD(kUtil, av_free, ptr); }
void av_freep(void* ptr) { KN_FORWARD(kUtil, av_freep, ptr); }
int av_strerror(int errnum, char* errbuf, size_t errbuf_size) {
  KN_FORWARD(kUtil, av_strerror, errnum, errbuf, errbuf_size);
}
void av_log_set_level(int level) { KN_FORWARD(kUtil, av_log_set_level, level); }
int64_t av_rescale(int64_t a, int64_t b, int64_t c) { KN_FORWARD(kUtil, av_rescale, a, b, c); }
int64_t av_rescale_q(int64_t a, AVRational bq, AVRational cq) { KN_FORWARD(kUtil, av_rescale_q, a, bq, cq); }
int av_dict_set(AVDictionary** pm, const char* key, const char* value, int flags) {
  KN_FORWARD(kUtil, av_dict_set, pm, key, value, flags);
}
void av_dict_free(AVDictionary** m) { KN_FORWARD(kUtil, av_dict_free, m); }
AVFrame* av_frame_alloc(void) { KN_FORWARD(kUtil, av_frame_alloc); }
void av_frame_free(AVFrame** frame) { KN_FORWARD(kUtil, av_frame_free, frame); }
void av_frame_unref(AVFrame* frame) { KN_FORWARD(kUtil, av_frame_unref, frame); }
const AVPixFmtDescriptor* av_pix_fmt_desc_get(enum AVPixelFormat pix_fmt) {
  KN_FORWARD(kUtil, av_pix_fmt_desc_get, pix_fmt);
}
int av_get_bytes_per_sample(enum AVSampleFormat sample_fmt) {
  KN_FORWARD(kUtil, av_get_bytes_per_sample, sample_fmt);
}
void av_channel_layout_default(AVChannelLayout* ch_layout, int nb_channels) {
  KN_FORWARD(kUtil, av_channel_layout_default, ch_layout, nb_channels);
}
void av_channel_layout_uninit(AVChannelLayout* channel_layout) {
  KN_FORWARD(kUtil, av_channel_layout_uninit, channel_layout);
}
int av_channel_layout_copy(AVChannelLayout* dst, const AVChannelLayout* src) {
  KN_FORWARD(kUtil, av_channel_layout_copy, dst, src);
}
int av_channel_layout_compare(const AVChannelLayout* chl, const AVChannelLayout* chl1) {
  KN_FORWARD(kUtil, av_channel_layout_compare, chl, chl1);
}

// libswresample
unsigned swresample_version(void) { KN_FORWARD(kResample, swresample_version); }
struct SwrContext* swr_alloc(void) { KN_FORWARD(kResample, swr_alloc); }
int swr_alloc_set_opts2(struct SwrContext** ps, AVChannelLayout* out_ch_layout, enum AVSampleFormat out_sample_fmt,
                        int out_sample_rate, AVChannelLayout* in_ch_layout,
                        enum AVSampleFormat in_sample_fmt, int in_sample_rate, int log_offset, void* log_ctx) {
  KN_FORWARD(kResample, swr_alloc_set_opts2, ps, out_ch_layout, out_sample_fmt, out_sample_rate, in_ch_layout,
             in_sample_fmt, in_sample_rate, log_offset, log_ctx);
}
int swr_init(struct SwrContext* s) { KN_FORWARD(kResample, swr_init, s); }
void swr_free(struct SwrContext** s) { KN_FORWARD(kResample, swr_free, s); }
int swr_convert(struct SwrContext* s, uint8_t** out, int out_count, const uint8_t** in, int in_count) {
  KN_FORWARD(kResample, swr_convert, s, out, out_count, in, in_count);
}
int swr_get_out_samples(struct SwrContext* s, int in_samples) {
  KN_FORWARD(kResample, swr_get_out_samples, s, in_samples);
}

// libswscale
unsigned swscale_version(void) { KN_FORWARD(kScale, swscale_version); }
struct SwsContext* sws_getContext(int srcW, int srcH, enum AVPixelFormat srcFormat, int dstW, int dstH,
                                  enum AVPixelFormat dstFormat, int flags, SwsFilter* srcFilter,
                                  SwsFilter* dstFilter, const double* param) {
  KN_FORWARD(kScale, sws_getContext, srcW, srcH, srcFormat, dstW, dstH, dstFormat, flags, srcFilter, dstFilter,
             param);
}
struct SwsContext* sws_getCachedContext(struct SwsContext* context, int srcW, int srcH,
                                        enum AVPixelFormat srcFormat, int dstW, int dstH,
                                        enum AVPixelFormat dstFormat, int flags, SwsFilter* srcFilter,
                                        SwsFilter* dstFilter, const double* param) {
  KN_FORWARD(kScale, sws_getCachedContext, context, srcW, srcH, srcFormat, dstW, dstH, dstFormat, flags, srcFilter,
             dstFilter, param);
}
void sws_freeContext(struct SwsContext* swsContext) { KN_FORWARD(kScale, sws_freeContext, swsContext); }
int sws_scale(struct SwsContext* c, const uint8_t* const srcSlice[], const int srcStride[], int srcSliceY,
              int srcSliceH, uint8_t* const dst[], const int dstStride[]) {
  KN_FORWARD(kScale, sws_scale, c, srcSlice, srcStride, srcSliceY, srcSliceH, dst, dstStride);
}
const int* sws_getCoefficients(int colorspace) { KN_FORWARD(kScale, sws_getCoefficients, colorspace); }
int sws_getColorspaceDetails(struct SwsContext* c, int** inv_table, int* srcRange, int** table, int* dstRange,
                             int* brightness, int* contrast, int* saturation) {
  KN_FORWARD(kScale, sws_getColorspaceDetails, c, inv_table, srcRange, table, dstRange, brightness, contrast,
             saturation);
}
int sws_setColorspaceDetails(struct SwsContext* c, const int inv_table[4], int srcRange, const int table[4],
                             int dstRange, int brightness, int contrast, int saturation) {
  KN_FORWARD(kScale, sws_setColorspaceDetails, c, inv_table, srcRange, table, dstRange, brightness, contrast,
             saturation);
}

// libavcodec
unsigned avcodec_version(void) { KN_FORWARD(kCodec, avcodec_version); }
const AVCodec* avcodec_find_decoder(enum AVCodecID id) { KN_FORWARD(kCodec, avcodec_find_decoder, id); }
const char* avcodec_get_name(enum AVCodecID id) { KN_FORWARD(kCodec, avcodec_get_name, id); }
AVCodecContext* avcodec_alloc_context3(const AVCodec* codec) { KN_FORWARD(kCodec, avcodec_alloc_context3, codec); }
void avcodec_free_context(AVCodecContext** avctx) { KN_FORWARD(kCodec, avcodec_free_context, avctx); }
int avcodec_parameters_to_context(AVCodecContext* codec, const AVCodecParameters* par) {
  KN_FORWARD(kCodec, avcodec_parameters_to_context, codec, par);
}
int avcodec_open2(AVCodecContext* avctx, const AVCodec* codec, AVDictionary** options) {
  KN_FORWARD(kCodec, avcodec_open2, avctx, codec, options);
}
int avcodec_send_packet(AVCodecContext* avctx, const AVPacket* avpkt) {
  KN_FORWARD(kCodec, avcodec_send_packet, avctx, avpkt);
}
int avcodec_receive_frame(AVCodecContext* avctx, AVFrame* frame) {
  KN_FORWARD(kCodec, avcodec_receive_frame, avctx, frame);
}
void avcodec_flush_buffers(AVCodecContext* avctx) { KN_FORWARD(kCodec, avcodec_flush_buffers, avctx); }
AVPacket* av_packet_alloc(void) { KN_FORWARD(kCodec, av_packet_alloc); }
void av_packet_free(AVPacket** pkt) { KN_FORWARD(kCodec, av_packet_free, pkt); }
void av_packet_unref(AVPacket* pkt) { KN_FORWARD(kCodec, av_packet_unref, pkt); }

// libavformat
unsigned avformat_version(void) { KN_FORWARD(kFormat, avformat_version); }
const AVInputFormat* av_find_input_format(const char* short_name) {
  KN_FORWARD(kFormat, av_find_input_format, short_name);
}
AVFormatContext* avformat_alloc_context(void) { KN_FORWARD(kFormat, avformat_alloc_context); }
int avformat_open_input(AVFormatContext** ps, const char* url, const AVInputFormat* fmt, AVDictionary** options) {
  KN_FORWARD(kFormat, avformat_open_input, ps, url, fmt, options);
}
void avformat_close_input(AVFormatContext** s) { KN_FORWARD(kFormat, avformat_close_input, s); }
int av_read_frame(AVFormatContext* s, AVPacket* pkt) { KN_FORWARD(kFormat, av_read_frame, s, pkt); }
int av_seek_frame(AVFormatContext* s, int stream_index, int64_t timestamp, int flags) {
  KN_FORWARD(kFormat, av_seek_frame, s, stream_index, timestamp, flags);
}
int av_index_search_timestamp(AVStream* st, int64_t timestamp, int flags) {
  KN_FORWARD(kFormat, av_index_search_timestamp, st, timestamp, flags);
}
const AVIndexEntry* avformat_index_get_entry(AVStream* st, int idx) {
  KN_FORWARD(kFormat, avformat_index_get_entry, st, idx);
}
AVIOContext* avio_alloc_context(unsigned char* buffer, int buffer_size, int write_flag, void* opaque,
                                int (*read_packet)(void* opaque, uint8_t* buf, int buf_size),
                                int (*write_packet)(void* opaque, uint8_t* buf, int buf_size),
                                int64_t (*seek)(void* opaque, int64_t offset, int whence)) {
  KN_FORWARD(kFormat, avio_alloc_context, buffer, buffer_size, write_flag, opaque, read_packet, write_packet, seek);
}
void avio_context_free(AVIOContext** s) { KN_FORWARD(kFormat, avio_context_free, s); }

}  // extern "C"
