#include "engine/SoundSource.h"

#include "common/FileNames.h"

#include <cerrno>
#include <limits>

namespace cantorel::engine {

namespace {

unsigned clampMs(std::int64_t ms)
{
    if (ms < 0)
        return 0;
    return static_cast<unsigned>(std::min<std::int64_t>(ms, std::numeric_limits<std::int32_t>::max()));
}

} // namespace

std::int64_t SoundSource::msFromSamples(std::int64_t samples) const
{
    if (sampleRate <= 0)
        return 0;
    return av_rescale_rnd(samples, 1000, sampleRate, AV_ROUND_DOWN);
}

std::int64_t SoundSource::samplesFromMs(std::int64_t ms) const
{
    return av_rescale_rnd(ms, sampleRate, 1000, AV_ROUND_DOWN);
}

std::int64_t SoundSource::currentLengthSamples() const
{
    if (const std::int64_t exact = progress->exact.load(std::memory_order_acquire); exact >= 0)
        return exact;
    return std::max(lengthSamples, progress->decoded.load(std::memory_order_acquire));
}

unsigned SoundSource::lengthMs() const
{
    return clampMs(msFromSamples(currentLengthSamples()));
}

void SoundSource::noteDecoded(std::int64_t end) const
{
    std::int64_t seen = progress->decoded.load(std::memory_order_relaxed);
    while (end > seen && !progress->decoded.compare_exchange_weak(seen, end, std::memory_order_acq_rel)) {
    }
}

void SoundSource::noteExactLength(std::int64_t samples) const
{
    progress->exact.store(std::max<std::int64_t>(0, samples), std::memory_order_release);
}

namespace {

Result openErrorResult(int error)
{
    if (error == AVERROR(ENOENT))
        return result::FileNotFound;
    if (error == AVERROR(EACCES) || error == AVERROR(EIO) || error == AVERROR(EISDIR) || error == AVERROR_EOF)
        return result::FileBad;
    return result::Format;
}

// The container's own idea of the stream's length, in samples (0 if none).
std::int64_t estimatedSamples(const AVFormatContext* format, const AVStream* stream, int rate)
{
    if (stream->duration != AV_NOPTS_VALUE && stream->duration > 0)
        return av_rescale_q(stream->duration, stream->time_base, AVRational{1, rate});
    if (format->duration != AV_NOPTS_VALUE && format->duration > 0)
        return av_rescale_q(format->duration, AVRational{1, AV_TIME_BASE}, AVRational{1, rate});
    return 0;
}

} // namespace

Result openSoundSource(const QString& path, unsigned mode, std::shared_ptr<const SoundSource>* out)
{
    const FileFacts info = fileFacts(path); // also for names that are not UTF-8
    if (path.isEmpty() || !info.exists)
        return result::FileNotFound;
    if (info.isDir || !info.readable || info.size == 0)
        return result::FileBad;

    FormatPtr format;
    if (const int ret = openFormat(path, &format); ret < 0)
        return openErrorResult(ret);
    if (avformat_find_stream_info(format.get(), nullptr) < 0)
        return result::Format;
    const int streamIndex = av_find_best_stream(format.get(), AVMEDIA_TYPE_AUDIO, -1, -1, nullptr, 0);
    if (streamIndex < 0)
        return result::Format;
    AVStream* stream = format->streams[streamIndex];
    const AVCodecParameters* par = stream->codecpar;
    if (!preferredDecoder(par->codec_id) || par->sample_rate <= 0 || par->sample_rate > 768000
        || par->ch_layout.nb_channels <= 0 || par->ch_layout.nb_channels > 16)
        return result::Format;

    auto source = std::make_shared<SoundSource>();
    source->path = path;
    source->mode = mode;
    source->sampleRate = par->sample_rate;
    source->channels = par->ch_layout.nb_channels;
    source->mpeg = std::string_view(format->iformat->name) == "mp3"
                   && (par->codec_id == AV_CODEC_ID_MP1 || par->codec_id == AV_CODEC_ID_MP2
                       || par->codec_id == AV_CODEC_ID_MP3);

    const bool accurate = (mode & mode::AccurateTime) != 0;
    if (source->mpeg && accurate) {
        // MPEG audio is scanned by its frame headers, which is far quicker
        // than reading it packet by packet through the container reader.
        auto index = MpegAudioScanner::scan(path);
        if (!index)
            return result::FileBad;
        source->sampleRate = index->sampleRate;
        source->channels = index->channels;
        source->lengthSamples = index->songSamples();
        source->mpegIndex = std::make_shared<const MpegAudioIndex>(std::move(*index));
    } else if (accurate) {
        auto index = PacketIndexer::scan(path, format.get(), streamIndex);
        if (!index || index->totalSamples <= 0)
            return result::FileBad;
        source->lengthSamples = index->totalSamples;
        source->packetIndex = std::make_shared<const PacketIndex>(std::move(*index));
    } else {
        // A stream without a single packet is of no use.
        PacketPtr packet(av_packet_alloc());
        bool any = false;
        while (packet && av_read_frame(format.get(), packet.get()) >= 0) {
            any = packet->stream_index == streamIndex;
            av_packet_unref(packet.get());
            if (any)
                break;
        }
        if (!any)
            return result::FileBad;
        if (source->mpeg) {
            // The decoding thread's frame index counts at the rate of the
            // first frame, which the container's guess may not be.
            const auto first = MpegAudioScanner::firstFrame(path);
            if (!first)
                return result::FileBad;
            source->sampleRate = first->sampleRate;
            source->channels = first->channels;
        }
        source->lengthSamples = estimatedSamples(format.get(), stream, source->sampleRate);
    }
    if (accurate)
        source->noteExactLength(source->lengthSamples);
    *out = std::move(source);
    return result::Ok;
}

} // namespace cantorel::engine
