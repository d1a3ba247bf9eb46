#pragma once
// What the engine knows about an opened sound: where it is, its format, its
// length and, in accurate-time mode, the index that makes seeking exact.
// Built once when a stream is created and shared, read-only, with the
// threads that decode it. What is learned about the file itself (its
// indexes) is kept process-wide with the file (SourceCache.h), so that
// opening the same unchanged file again, as a stop does, reads nothing.
#include "engine/AudioEngine.h"
#include "engine/MpegAudioScanner.h"
#include "engine/PacketIndex.h"

#include <QString>

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>

namespace cantorel::engine {

// What decoding learns about a sound's length after it was opened: shared
// by the threads that decode the sound and the one that asks its length.
struct LengthProgress {
    std::atomic<std::int64_t> decoded {0}; // song samples decoded so far (the furthest point)
    std::atomic<std::int64_t> exact {-1};  // a full decode's length, once known
};

// The indexes of one file, once someone has built them: shared by every
// open of the unchanged file and the threads that decode them. Any thread.
class FileIndexes {
public:
    std::shared_ptr<const MpegAudioIndex> mpeg() const;
    std::shared_ptr<const PacketIndex> packets() const;
    void setMpeg(std::shared_ptr<const MpegAudioIndex> index);
    void setPackets(std::shared_ptr<const PacketIndex> index);

private:
    mutable std::mutex m_mutex;
    std::shared_ptr<const MpegAudioIndex> m_mpeg;
    std::shared_ptr<const PacketIndex> m_packets;
};

struct SoundSource {
    QString path;
    // The song rate (SongTimeline.h): song samples, lengths and seek targets
    // count at this rate, even in parts of the file that play at another.
    int sampleRate = 0;
    int channels = 0;
    // Song samples at open: exact (a full decode's count) when an index was
    // built, otherwise the container's estimate.
    std::int64_t lengthSamples = 0;
    // MPEG audio files are read frame by frame by the engine itself.
    bool mpeg = false;
    std::shared_ptr<LengthProgress> progress = std::make_shared<LengthProgress>();
    // The file's indexes as far as they are known (see FileIndexes): the
    // MPEG audio index or the packet index of other formats. The
    // accurate-time mode builds it at open; the other modes on the decoding
    // thread when they need it (MPEG audio to be read at all, others to
    // seek), unless an open or a channel of the same file built it before.
    std::shared_ptr<FileIndexes> fileIndexes = std::make_shared<FileIndexes>();

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
// scans the file here (unless it was indexed before); the other modes only
// read its header. A file opened before in the same kind of mode (accurate
// or not) and not changed since (same size, same modification time) is not
// read again: the sound is made from what was learned then (SourceCache.h).
// Each open gets a sound of its own: in the estimate modes its length starts
// again from the container's estimate. Any thread. Setting `cancel` from
// another thread makes a long open or scan give up (the result is then
// FileBad).
Result openSoundSource(const QString& path, unsigned mode, std::shared_ptr<const SoundSource>* out,
                       const std::atomic<bool>* cancel = nullptr);

// The exact length of the sound at `path` in ms (0 when it cannot be
// opened): a whole open in the accurate-time mode. Any thread; it reads
// the file, so keep it off the window thread.
qint64 exactLengthMs(const QString& path);

// Something that opens sounds as openSoundSource does (the engine's, or a
// test's stand-in that holds opens back).
using SourceOpener = std::function<Result(const QString& path, unsigned mode, std::shared_ptr<const SoundSource>* out,
                                          const std::atomic<bool>* cancel)>;

} // namespace cantorel::engine
