#pragma once
// What the engine knows about an opened sound: where it is, its format, its
// length and, in accurate-time mode, the index that makes seeking exact.
// Built once when a stream is created and shared, read-only, with the
// threads that decode it.
#include "engine/AudioEngine.h"
#include "engine/MpegAudioScanner.h"
#include "engine/PacketIndex.h"

#include <QString>

#include <atomic>
#include <cstdint>
#include <memory>

namespace cantorel::engine {

// What decoding learns about a sound's length after it was opened: shared
// by the threads that decode the sound and the one that asks its length.
struct LengthProgress {
    std::atomic<std::int64_t> decoded{0}; // song samples decoded so far (the furthest point)
    std::atomic<std::int64_t> exact{-1};  // a full decode's length, once known
};

struct SoundSource {
    QString path;
    unsigned mode = 0;
    // The song rate (SongTimeline.h): song samples, lengths and seek targets
    // count at this rate, even in parts of the file that play at another.
    int sampleRate = 0;
    int channels = 0;
    // Song samples at open: exact (a full decode's count) when an index was
    // built, otherwise the container's estimate.
    std::int64_t lengthSamples = 0;
    // MPEG audio files are read frame by frame by the engine itself.
    bool mpeg = false;
    // Accurate mode only; the other modes build them on the decoding thread
    // when they need them (MPEG audio to be read at all, others to seek).
    std::shared_ptr<const MpegAudioIndex> mpegIndex;  // MPEG audio
    std::shared_ptr<const PacketIndex> packetIndex;   // other formats
    std::shared_ptr<LengthProgress> progress = std::make_shared<LengthProgress>();

    // The length the engine reports. Exact once known: from the start in
    // accurate-time mode, and in the estimate modes as soon as a decoding
    // thread has built an index or decoded to the end. Until then the
    // container's estimate, raised to what has already been decoded: a
    // player that ends the song when the position reaches the length never
    // ends it early, and an estimate that is too long becomes right when
    // decoding reaches the end. Any thread.
    std::int64_t currentLengthSamples() const;
    unsigned lengthMs() const;
    // From decoding threads: song samples up to `end` are decoded; the full
    // decode's length is `samples`.
    void noteDecoded(std::int64_t end) const;
    void noteExactLength(std::int64_t samples) const;

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
