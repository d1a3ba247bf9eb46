#include "engine/FfmpegSupport.h"

#include "base/FileNames.h"

#include <cstring>
#include <mutex>

namespace cantorel::engine {

const AVCodec* preferredDecoder(AVCodecID id)
{
    const char* floatName = nullptr;
    switch (id) {
    case AV_CODEC_ID_MP1:
        floatName = "mp1float";
        break;
    case AV_CODEC_ID_MP2:
        floatName = "mp2float";
        break;
    case AV_CODEC_ID_MP3:
        floatName = "mp3float";
        break;
    default:
        break;
    }
    if (floatName) {
        if (const AVCodec* codec = avcodec_find_decoder_by_name(floatName))
            return codec;
    }
    return avcodec_find_decoder(id);
}

namespace {

int cancelled(void* flag)
{
    return static_cast<const std::atomic<bool>*>(flag)->load(std::memory_order_relaxed) ? 1 : 0;
}

} // namespace

int openFormat(const QString& path, FormatPtr* out, const std::atomic<bool>* cancel)
{
    quietLibraryLog();
    AVFormatContext* context = avformat_alloc_context();
    if (!context)
        return AVERROR(ENOMEM);
    if (cancel) {
        context->interrupt_callback.callback = &cancelled;
        context->interrupt_callback.opaque = const_cast<std::atomic<bool>*>(cancel);
    }
    AVDictionary* options = nullptr;
    av_dict_set(&options, "protocol_whitelist", "file", 0);
    // The name's own bytes (see base/FileNames.h), not its UTF-8 form.
    const QByteArray url = QByteArrayLiteral("file:") + encodeFileName(path);
    const int ret = avformat_open_input(&context, url.constData(), nullptr, &options);
    av_dict_free(&options);
    if (ret < 0)
        return ret;
    out->reset(context);
    return 0;
}

int openAudioStream(const QString& path, FormatPtr* out, const std::atomic<bool>* cancel)
{
    out->reset();
    FormatPtr format;
    if (openFormat(path, &format, cancel) < 0 || avformat_find_stream_info(format.get(), nullptr) < 0)
        return -1;
    const int stream = av_find_best_stream(format.get(), AVMEDIA_TYPE_AUDIO, -1, -1, nullptr, 0);
    if (stream < 0)
        return -1;
    *out = std::move(format);
    return stream;
}

bool isPcm(AVCodecID id)
{
    const AVCodecDescriptor* desc = avcodec_descriptor_get(id);
    return desc && desc->name && std::strncmp(desc->name, "pcm_", 4) == 0;
}

std::int64_t firstFrameSongStart(const AVFrame* frame, AVRational timeBase, int songRate)
{
    std::int64_t stamp = frame->pts;
    if (stamp == AV_NOPTS_VALUE)
        stamp = frame->best_effort_timestamp;
    if (stamp == AV_NOPTS_VALUE || stamp >= 0 || songRate <= 0 || timeBase.num <= 0 || timeBase.den <= 0)
        return 0;
    return av_rescale_q(stamp, timeBase, AVRational {1, songRate});
}

void quietLibraryLog()
{
    static std::once_flag once;
    std::call_once(once, [] { av_log_set_level(AV_LOG_QUIET); });
}

} // namespace cantorel::engine
