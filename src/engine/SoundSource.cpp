#include "engine/SoundSource.h"

#include "engine/SourceCache.h"

#include "base/FileNames.h"

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
    while (end > seen && !progress->decoded.compare_exchange_weak(seen, end, std::memory_order_acq_rel)) {}
}

void SoundSource::noteExactLength(std::int64_t samples) const
{
    progress->exact.store(std::max<std::int64_t>(0, samples), std::memory_order_release);
}

std::shared_ptr<const MpegAudioIndex> FileIndexes::mpeg() const
{
    std::lock_guard lock(m_mutex);
    return m_mpeg;
}

std::shared_ptr<const PacketIndex> FileIndexes::packets() const
{
    std::lock_guard lock(m_mutex);
    return m_packets;
}

void FileIndexes::setMpeg(std::shared_ptr<const MpegAudioIndex> index)
{
    std::lock_guard lock(m_mutex);
    m_mpeg = std::move(index);
}

void FileIndexes::setPackets(std::shared_ptr<const PacketIndex> index)
{
    std::lock_guard lock(m_mutex);
    m_packets = std::move(index);
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
        return av_rescale_q(stream->duration, stream->time_base, AVRational {1, rate});
    if (format->duration != AV_NOPTS_VALUE && format->duration > 0)
        return av_rescale_q(format->duration, AVRational {1, AV_TIME_BASE}, AVRational {1, rate});
    return 0;
}

// A sound of its own for one open, made from what `known` holds.
std::shared_ptr<const SoundSource> freshSound(const SoundSource& known, bool accurate)
{
    auto source = std::make_shared<SoundSource>(known);
    source->progress = std::make_shared<LengthProgress>();
    if (accurate)
        source->noteExactLength(source->lengthSamples);
    return source;
}

bool isCancelled(const std::atomic<bool>* cancel)
{
    return cancel && cancel->load(std::memory_order_relaxed);
}

// Reads the file: its header, and in accurate-time mode its index (unless
// `indexes` knows it already).
Result readSoundSource(const QString& path, bool accurate, const std::shared_ptr<FileIndexes>& indexes,
                       const std::atomic<bool>* cancel, std::shared_ptr<SoundSource>* out)
{
    FormatPtr format;
    if (const int ret = openFormat(path, &format, cancel); ret < 0)
        return isCancelled(cancel) ? result::FileBad : openErrorResult(ret);
    if (avformat_find_stream_info(format.get(), nullptr) < 0)
        return isCancelled(cancel) ? result::FileBad : result::Format;
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
    source->fileIndexes = indexes;
    source->sampleRate = par->sample_rate;
    source->channels = par->ch_layout.nb_channels;
    source->mpeg =
        std::string_view(format->iformat->name) == "mp3"
        && (par->codec_id == AV_CODEC_ID_MP1 || par->codec_id == AV_CODEC_ID_MP2 || par->codec_id == AV_CODEC_ID_MP3);

    if (source->mpeg && accurate) {
        // MPEG audio is scanned by its frame headers, which is far quicker
        // than reading it packet by packet through the container reader.
        auto index = indexes->mpeg();
        if (!index) {
            auto scanned = MpegAudioScanner::scan(path, cancel);
            if (!scanned)
                return result::FileBad;
            index = std::make_shared<const MpegAudioIndex>(std::move(*scanned));
            indexes->setMpeg(index);
        }
        source->sampleRate = index->sampleRate;
        source->channels = index->channels;
        source->lengthSamples = index->songSamples();
    } else if (accurate) {
        auto index = indexes->packets();
        if (!index) {
            auto scanned = PacketIndexer::scan(path, format.get(), streamIndex, cancel);
            if (!scanned || scanned->totalSamples <= 0)
                return result::FileBad;
            index = std::make_shared<const PacketIndex>(std::move(*scanned));
            indexes->setPackets(index);
        }
        source->lengthSamples = index->totalSamples;
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
    if (isCancelled(cancel))
        return result::FileBad;
    *out = std::move(source);
    return result::Ok;
}

} // namespace

Result openSoundSource(const QString& path, unsigned mode, std::shared_ptr<const SoundSource>* out,
                       const std::atomic<bool>* cancel)
{
    const FileFacts info = fileFacts(path); // also for names that are not UTF-8
    if (path.isEmpty() || !info.exists)
        return result::FileNotFound;
    if (info.isDir || info.size == 0 || !isReadable(path))
        return result::FileBad;

    SourceCache& cache = SourceCache::instance();
    const SourceCache::Stamp stamp = SourceCache::stampOf(info);
    const bool accurate = (mode & mode::AccurateTime) != 0;
    if (const auto known = cache.find(path, stamp, accurate)) {
        *out = freshSound(*known, accurate);
        return result::Ok;
    }
    cache.noteRead();
    std::shared_ptr<SoundSource> source;
    if (const Result r = readSoundSource(path, accurate, cache.indexesOf(path, stamp), cancel, &source);
        r != result::Ok)
        return r;
    // Kept only when the file did not change while it was read.
    if (SourceCache::stampOf(path) == stamp)
        cache.store(path, stamp, accurate, source);
    *out = freshSound(*source, accurate);
    return result::Ok;
}

qint64 exactLengthMs(const QString& path)
{
    std::shared_ptr<const SoundSource> source;
    if (openSoundSource(path, mode::AccurateTime, &source) != result::Ok || !source)
        return 0;
    return source->lengthMs();
}

} // namespace cantorel::engine
