#include "engine/PacketIndex.h"

#include "engine/SongTimeline.h"

#include <algorithm>

namespace cantorel::engine {

int PacketIndex::packetEndingBy(std::int64_t sample) const
{
    auto it = std::upper_bound(packets.begin(), packets.end(), sample,
                               [](std::int64_t s, const PacketIndexEntry& e) { return s < e.endSample; });
    return static_cast<int>(it - packets.begin()) - 1;
}

int PacketIndex::packetWithPts(std::int64_t pts) const
{
    auto it = std::lower_bound(packets.begin(), packets.end(), pts,
                               [](const PacketIndexEntry& e, std::int64_t p) { return e.pts < p; });
    if (it == packets.end() || it->pts != pts)
        return -1;
    return static_cast<int>(it - packets.begin());
}

bool PacketIndex::isSetupPacket(std::int64_t number) const
{
    return std::binary_search(setupPackets.begin(), setupPackets.end(), number);
}

bool PacketIndexer::durationsExact(const AVStream* stream)
{
    const AVCodecParameters* par = stream->codecpar;
    if (stream->time_base.num != 1 || stream->time_base.den != par->sample_rate)
        return false;
    // Vorbis and plain PCM state each packet's output in its duration;
    // others may hide decoder delay or trimming.
    return par->codec_id == AV_CODEC_ID_VORBIS || isPcm(par->codec_id);
}

bool PacketIndexer::carriesSetup(AVCodecID codec, const AVPacket* packet)
{
    // Vorbis header packets (identification, comment, setup) have an odd
    // packet type; audio packets an even one.
    return codec == AV_CODEC_ID_VORBIS && packet->size > 7 && (packet->data[0] & 1) != 0;
}

namespace {

bool cancelled(const std::atomic<bool>* cancel, int* count)
{
    return cancel && (++*count & 1023) == 0 && cancel->load(std::memory_order_relaxed);
}

// The index from the packets' own durations. Empty, with `irregular` set,
// as soon as the stream shows it cannot be indexed that way: a timestamp
// that does not follow on from the packet before, decoder headers or new
// parameters inside the stream, trimming anywhere but at the end.
std::optional<PacketIndex> indexByDurations(AVFormatContext* format, int streamIndex, const std::atomic<bool>* cancel,
                                            bool* irregular)
{
    const AVStream* stream = format->streams[streamIndex];
    const AVCodecID codec = stream->codecpar->codec_id;
    // A Vorbis decoder gives nothing for the first packet: the song starts
    // where that packet ends. PCM starts with its first packet.
    const bool firstIsSilent = codec == AV_CODEC_ID_VORBIS;
    PacketIndex index;
    PacketPtr packet(av_packet_alloc());
    if (!packet)
        return std::nullopt;
    std::int64_t start = 0;
    std::int64_t nextPts = AV_NOPTS_VALUE;
    std::int64_t trimmedAt = -1;
    int count = 0;
    while (av_read_frame(format, packet.get()) >= 0) {
        if (cancelled(cancel, &count))
            return std::nullopt;
        if (packet->stream_index != streamIndex) {
            av_packet_unref(packet.get());
            continue;
        }
        std::int64_t pts = packet->pts == AV_NOPTS_VALUE ? nextPts : packet->pts;
        if (pts == AV_NOPTS_VALUE)
            pts = 0;
        const std::int64_t duration = packet->duration;
        // A duration of minutes for one packet is a wrapped-around count.
        const bool breaks = (nextPts != AV_NOPTS_VALUE && pts != nextPts) || duration < 0
                            || duration > (std::int64_t(1) << 24) || PacketIndexer::carriesSetup(codec, packet.get())
                            || av_packet_get_side_data(packet.get(), AV_PKT_DATA_NEW_EXTRADATA, nullptr)
                            || av_packet_get_side_data(packet.get(), AV_PKT_DATA_PARAM_CHANGE, nullptr)
                            || trimmedAt >= 0;
        if (breaks) {
            *irregular = true;
            return std::nullopt;
        }
        if (av_packet_get_side_data(packet.get(), AV_PKT_DATA_SKIP_SAMPLES, nullptr))
            trimmedAt = static_cast<std::int64_t>(index.packets.size());
        // The song starts with the first audio, or at time zero when that
        // audio is pre-roll stamped before it (a stream cut from a longer
        // one): the packets before zero then end at or before song sample 0.
        if (index.packets.empty())
            start = std::max<std::int64_t>(0, firstIsSilent ? pts + duration : pts);
        nextPts = pts + duration;
        index.packets.push_back({pts, nextPts - start});
        av_packet_unref(packet.get());
    }
    if (index.packets.empty())
        return std::nullopt;
    index.totalSamples = index.packets.back().endSample;
    return index;
}

// The index from decoding every packet and counting what comes out.
std::optional<PacketIndex> indexByDecoding(AVFormatContext* format, int streamIndex, const std::atomic<bool>* cancel)
{
    AVStream* stream = format->streams[streamIndex];
    const AVCodecID codecId = stream->codecpar->codec_id;
    const AVCodec* decoder = preferredDecoder(codecId);
    if (!decoder)
        return std::nullopt;
    CodecPtr codec(avcodec_alloc_context3(decoder));
    FramePtr frame(av_frame_alloc());
    PacketPtr packet(av_packet_alloc());
    if (!codec || !frame || !packet || avcodec_parameters_to_context(codec.get(), stream->codecpar) < 0)
        return std::nullopt;
    codec->pkt_timebase = stream->time_base;
    if (avcodec_open2(codec.get(), decoder, nullptr) < 0)
        return std::nullopt;

    SongCursor decoded(stream->codecpar->sample_rate);
    bool first = true;
    auto drain = [&] {
        while (avcodec_receive_frame(codec.get(), frame.get()) >= 0) {
            if (first) // pre-roll starts before the song (firstFrameSongStart)
                decoded.reset(firstFrameSongStart(frame.get(), stream->time_base, stream->codecpar->sample_rate));
            first = false;
            decoded.advance(frame->nb_samples, frame->sample_rate);
            av_frame_unref(frame.get());
        }
    };
    PacketIndex index;
    std::int64_t lastPts = AV_NOPTS_VALUE;
    int count = 0;
    while (av_read_frame(format, packet.get()) >= 0) {
        if (cancelled(cancel, &count))
            return std::nullopt;
        if (packet->stream_index != streamIndex) {
            av_packet_unref(packet.get());
            continue;
        }
        // Packets whose timestamps do not rise cannot be found by timestamp
        // later; they keep the previous timestamp, so that a look-up finds
        // the first packet of such a run. Timestamps that fall back place
        // nothing at all: the stream is then sought by counting packets.
        std::int64_t pts = packet->pts;
        if (pts != AV_NOPTS_VALUE && lastPts != AV_NOPTS_VALUE && pts < lastPts)
            index.sequential = true;
        if (pts == AV_NOPTS_VALUE || (lastPts != AV_NOPTS_VALUE && pts <= lastPts))
            pts = lastPts;
        else
            lastPts = pts;
        const auto number = static_cast<std::int64_t>(index.packets.size());
        if (PacketIndexer::carriesSetup(codecId, packet.get()))
            index.setupPackets.push_back(number);
        if (avcodec_send_packet(codec.get(), packet.get()) >= 0)
            drain();
        index.packets.push_back({pts == AV_NOPTS_VALUE ? INT64_MIN : pts, decoded.position()});
        av_packet_unref(packet.get());
    }
    if (index.packets.empty())
        return std::nullopt;
    avcodec_send_packet(codec.get(), nullptr);
    drain();
    index.totalSamples = decoded.position();
    return index;
}

} // namespace

std::optional<PacketIndex> PacketIndexer::scan(const QString& path, AVFormatContext* format, int streamIndex,
                                               const std::atomic<bool>* cancel)
{
    if (!durationsExact(format->streams[streamIndex]))
        return indexByDecoding(format, streamIndex, cancel);
    bool irregular = false;
    auto index = indexByDurations(format, streamIndex, cancel, &irregular);
    if (!irregular)
        return index;
    // Read the file again from its start, decoding this time.
    FormatPtr again;
    if (openAudioStream(path, &again, cancel) != streamIndex)
        return std::nullopt;
    return indexByDecoding(again.get(), streamIndex, cancel);
}

} // namespace cantorel::engine
