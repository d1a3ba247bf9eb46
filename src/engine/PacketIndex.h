#pragma once
// An index of the packets of one audio stream read through the container
// reader: for each packet its timestamp and where the output of a full
// decode stands, on the song's timeline (SongTimeline.h), once that packet
// has been decoded. Pre-roll (audio stamped before time zero, see
// firstFrameSongStart) ends at or before song sample 0.
//
// Streams whose packets state their exact sample counts (Vorbis, plain PCM)
// are indexed from those counts when their timestamps run without a break.
// Anything else is decoded to count: codecs that hide decoder delay or
// trimming, and streams whose timestamps break off or start again, such as
// chained Ogg streams (files joined end to end, each link with its own
// headers and perhaps its own rate and channel count).
#include "engine/FfmpegSupport.h"

#include <QString>

#include <atomic>
#include <cstdint>
#include <optional>
#include <vector>

namespace cantorel::engine {

struct PacketIndexEntry {
    std::int64_t pts = 0;       // in the stream's time base
    std::int64_t endSample = 0; // song samples decoded once this packet is in
};

struct PacketIndex {
    std::vector<PacketIndexEntry> packets; // in file order
    std::int64_t totalSamples = 0;         // a full decode, including the final drain
    // The timestamps cannot place a packet (they fall back somewhere: a
    // chained stream). Such a stream is sought by reading its packets from
    // the start and counting them; the packets in `setupPackets` carry
    // decoder headers and must reach the decoder on the way.
    bool sequential = false;
    std::vector<std::int64_t> setupPackets; // packet numbers, rising

    // The last packet whose decoded output ends at or before `sample`
    // (-1 when there is none).
    int packetEndingBy(std::int64_t sample) const;
    // The packet with timestamp `pts` (-1 when none has it).
    int packetWithPts(std::int64_t pts) const;
    bool isSetupPacket(std::int64_t number) const;
};

class PacketIndexer {
public:
    // Reads every packet of `streamIndex` from the current position of
    // `format` (just after opening `path` into it), and reads `path` again
    // when the stream turns out to need decoding to count. Song samples
    // count at the stream's own rate. Empty when the stream has no packet,
    // a file cannot be read or the scan was cancelled.
    static std::optional<PacketIndex> scan(const QString& path, AVFormatContext* format, int streamIndex,
                                           const std::atomic<bool>* cancel = nullptr);

    // Whether packets of this stream state their exact sample counts, so that
    // the scan may do without decoding.
    static bool durationsExact(const AVStream* stream);
    // Whether `packet` of a stream of `codec` carries decoder headers rather
    // than audio (the headers that start each link of a chained stream).
    static bool carriesSetup(AVCodecID codec, const AVPacket* packet);
};

} // namespace cantorel::engine
