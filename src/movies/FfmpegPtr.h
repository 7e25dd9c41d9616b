// Owning handles for the FFmpeg objects the movie component keeps. Each deleter is the
// library's own free function; all of them accept null.
#pragma once

#include <cstdint>
#include <memory>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/frame.h>
#include <libavutil/mem.h>
#include <libswresample/swresample.h>
#include <libswscale/swscale.h>
}

namespace movies {

struct CodecContextFree {
  void operator()(AVCodecContext* p) const { avcodec_free_context(&p); }
};
struct FrameFree {
  void operator()(AVFrame* p) const { av_frame_free(&p); }
};
struct PacketFree {
  void operator()(AVPacket* p) const { av_packet_free(&p); }
};
struct ScalerFree {
  void operator()(SwsContext* p) const { sws_freeContext(p); }
};
struct ResamplerFree {
  void operator()(SwrContext* p) const { swr_free(&p); }
};

struct BufferFree {
  void operator()(std::uint8_t* p) const { av_free(p); }
};

using BufferPtr = std::unique_ptr<std::uint8_t, BufferFree>;  // from av_malloc
using CodecContextPtr = std::unique_ptr<AVCodecContext, CodecContextFree>;
using FramePtr = std::unique_ptr<AVFrame, FrameFree>;
using PacketPtr = std::unique_ptr<AVPacket, PacketFree>;
using ScalerPtr = std::unique_ptr<SwsContext, ScalerFree>;
using ResamplerPtr = std::unique_ptr<SwrContext, ResamplerFree>;

// A new frame or packet; throws std::bad_alloc when the library has no memory.
FramePtr NewFrame();
PacketPtr NewPacket();

}  // namespace movies
