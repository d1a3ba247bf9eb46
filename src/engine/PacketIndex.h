#pragma once
// An index of the packets of one audio stream read through the container
// reader: for each packet its timestamp and where the output of a full
// decode stands once that packet has been decoded. Built by reading the
// packets; only codecs whose packets do not state their exact sample count
// are decoded to count.
#include "engine/FfmpegSupport.h"

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

    // The last packet whose decoded output ends at or before `sample`
    // (-1 when there is none).
    int packetEndingBy(std::int64_t sample) const;
    // The packet with timestamp `pts` (-1 when none has it).
    int packetWithPts(std::int64_t pts) const;
};

class PacketIndexer {
public:
    // Reads every packet of `streamIndex` from the current position of
    // `format` (normally just after opening). Empty when the stream has no
    // packet or the scan was cancelled.
    static std::optional<PacketIndex> scan(AVFormatContext* format, int streamIndex,
                                           const std::atomic<bool>* cancel = nullptr);

    // Whether packets of this stream state their exact sample counts, so that
    // the scan needs no decoding.
    static bool durationsExact(const AVStream* stream);
};

} // namespace cantorel::engine
