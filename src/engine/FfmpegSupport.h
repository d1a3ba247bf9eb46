#pragma once
// Small helpers around the FFmpeg C API: owning pointers that free with the
// library's own calls, the decoder the engine prefers for a codec, and the
// way a media path is handed to the library.
extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libswresample/swresample.h>
}

#include <QString>

#include <atomic>
#include <cstdint>
#include <memory>

namespace cantorel::engine {

struct FormatCloser {
    void operator()(AVFormatContext* c) const { avformat_close_input(&c); }
};
struct CodecFreer {
    void operator()(AVCodecContext* c) const { avcodec_free_context(&c); }
};
struct PacketFreer {
    void operator()(AVPacket* p) const { av_packet_free(&p); }
};
struct FrameFreer {
    void operator()(AVFrame* f) const { av_frame_free(&f); }
};
struct SwrFreer {
    void operator()(SwrContext* s) const { swr_free(&s); }
};

using FormatPtr = std::unique_ptr<AVFormatContext, FormatCloser>;
using CodecPtr = std::unique_ptr<AVCodecContext, CodecFreer>;
using PacketPtr = std::unique_ptr<AVPacket, PacketFreer>;
using FramePtr = std::unique_ptr<AVFrame, FrameFreer>;
using SwrPtr = std::unique_ptr<SwrContext, SwrFreer>;

// The decoder used for `id`: the floating-point MPEG audio decoders where the
// library has both kinds (their output does not depend on rounding history,
// so a seek reproduces a full decode's samples exactly), else the default.
const AVCodec* preferredDecoder(AVCodecID id);

// Opens `path` for reading with the file protocol only, so that no part of a
// file name is taken for a protocol or a device. Returns the library's error
// code (0 on success). With `cancel`, the library's reads on this context
// (the open itself included) give up once another thread sets it; the flag
// must outlive the context.
int openFormat(const QString& path, FormatPtr* out, const std::atomic<bool>* cancel = nullptr);
// Opens `path` as openFormat does, reads its stream information and returns
// the index of its best audio stream; -1, with `out` left empty, when any of
// that fails.
int openAudioStream(const QString& path, FormatPtr* out, const std::atomic<bool>* cancel = nullptr);

// Whether `id` is plain PCM (each packet's duration is its sample count, and
// the decoder has no delay).
bool isPcm(AVCodecID id);

// Where the first audio a stream decodes to starts on the song's timeline,
// in samples at `songRate`, from the timestamp of its first frame (in
// `timeBase`). The song starts at time zero: a first frame stamped before it
// is pre-roll (what a stream cut from a longer one carries so that its
// decoder runs in) and starts that far before the song, to be dropped. A
// first frame at or after zero, or without a timestamp, starts the song.
std::int64_t firstFrameSongStart(const AVFrame* frame, AVRational timeBase, int songRate);

// Quiets the library's own log (once per process); the engine reports
// failures through its result codes instead.
void quietLibraryLog();

} // namespace cantorel::engine
