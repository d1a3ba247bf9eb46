#pragma once
// What the engine knows about an opened sound: where it is, its format, its
// length and, in accurate-time mode, the index that makes seeking exact.
// Built once when a stream is created and shared, read-only, with the
// threads that decode it.
#include "engine/AudioEngine.h"
#include "engine/MpegAudioScanner.h"
#include "engine/PacketIndex.h"

#include <QString>

#include <cstdint>
#include <memory>

namespace cantorel::engine {

struct SoundSource {
    QString path;
    unsigned mode = 0;
    int sampleRate = 0;
    int channels = 0;
    // Song samples: exact (a full decode's count) when an index was built,
    // otherwise the container's estimate.
    std::int64_t lengthSamples = 0;
    unsigned lengthMs = 0;
    // MPEG audio files are read frame by frame by the engine itself.
    bool mpeg = false;
    // Accurate mode only; the other modes build them on the decoding thread
    // when they need them (MPEG audio to be read at all, others to seek).
    std::shared_ptr<const MpegAudioIndex> mpegIndex;  // MPEG audio
    std::shared_ptr<const PacketIndex> packetIndex;   // other formats

    // Milliseconds of `samples` at this sound's rate, rounded down.
    std::int64_t msFromSamples(std::int64_t samples) const;
    // The first sample at or after `ms`.
    std::int64_t samplesFromMs(std::int64_t ms) const;
};

// Opens `path` in `mode` and fills `out`. Results: FileNotFound (no such
// file), FileBad (a directory, an empty or unreadable file, a stream without
// audio data), Format (nothing understands it), Ok. The accurate-time mode
// scans the file here; the other modes only read its header.
Result openSoundSource(const QString& path, unsigned mode, std::shared_ptr<const SoundSource>* out);

} // namespace cantorel::engine
