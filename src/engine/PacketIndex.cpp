#include "engine/PacketIndex.h"

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

bool PacketIndexer::durationsExact(const AVStream* stream)
{
    const AVCodecParameters* par = stream->codecpar;
    if (stream->time_base.num != 1 || stream->time_base.den != par->sample_rate)
        return false;
    // Vorbis and plain PCM state each packet's output in its duration;
    // others may hide decoder delay or trimming.
    if (par->codec_id == AV_CODEC_ID_VORBIS)
        return true;
    const AVCodecDescriptor* desc = avcodec_descriptor_get(par->codec_id);
    return desc && desc->name && std::string_view(desc->name).substr(0, 4) == "pcm_";
}

std::optional<PacketIndex> PacketIndexer::scan(AVFormatContext* format, int streamIndex,
                                               const std::atomic<bool>* cancel)
{
    AVStream* stream = format->streams[streamIndex];
    const bool exact = durationsExact(stream);
    PacketIndex index;

    CodecPtr codec;
    FramePtr frame;
    if (!exact) {
        const AVCodec* decoder = preferredDecoder(stream->codecpar->codec_id);
        if (!decoder)
            return std::nullopt;
        codec.reset(avcodec_alloc_context3(decoder));
        frame.reset(av_frame_alloc());
        if (!codec || !frame || avcodec_parameters_to_context(codec.get(), stream->codecpar) < 0)
            return std::nullopt;
        codec->pkt_timebase = stream->time_base;
        if (avcodec_open2(codec.get(), decoder, nullptr) < 0)
            return std::nullopt;
    }
    auto drain = [&](std::int64_t* samples) {
        while (avcodec_receive_frame(codec.get(), frame.get()) >= 0) {
            *samples += frame->nb_samples;
            av_frame_unref(frame.get());
        }
    };

    PacketPtr packet(av_packet_alloc());
    if (!packet)
        return std::nullopt;
    std::int64_t start = stream->start_time;
    std::int64_t decoded = 0;
    std::int64_t lastPts = AV_NOPTS_VALUE;
    int count = 0;
    while (av_read_frame(format, packet.get()) >= 0) {
        if (cancel && (++count & 1023) == 0 && cancel->load(std::memory_order_relaxed))
            return std::nullopt;
        if (packet->stream_index != streamIndex) {
            av_packet_unref(packet.get());
            continue;
        }
        // Packets whose timestamps do not rise cannot be found by timestamp
        // later; they keep the previous timestamp, so that a look-up finds
        // the first packet of such a run.
        std::int64_t pts = packet->pts;
        if (pts == AV_NOPTS_VALUE || (lastPts != AV_NOPTS_VALUE && pts <= lastPts))
            pts = lastPts;
        else
            lastPts = pts;
        std::int64_t end = 0;
        if (exact) {
            if (start == AV_NOPTS_VALUE)
                start = std::max<std::int64_t>(0, packet->pts == AV_NOPTS_VALUE ? 0 : packet->pts);
            const std::int64_t previous = index.packets.empty() ? 0 : index.packets.back().endSample;
            end = packet->pts != AV_NOPTS_VALUE ? packet->pts + packet->duration - start
                                                : previous + packet->duration;
            end = std::max(end, previous);
        } else {
            if (avcodec_send_packet(codec.get(), packet.get()) >= 0)
                drain(&decoded);
            end = decoded;
        }
        index.packets.push_back({pts == AV_NOPTS_VALUE ? INT64_MIN : pts, end});
        av_packet_unref(packet.get());
    }
    if (index.packets.empty())
        return std::nullopt;
    index.totalSamples = index.packets.back().endSample;
    if (!exact) {
        avcodec_send_packet(codec.get(), nullptr);
        drain(&decoded);
        index.totalSamples = decoded;
    }
    return index;
}

} // namespace cantorel::engine
