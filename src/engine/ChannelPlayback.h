#pragma once
// One playing channel: a decoding thread that fills a ring of blocks ahead
// of the output, and the output-side reading of that ring (mixing with the
// channel's volume, mute and pause). A seek bumps a serial: audio decoded
// before it is recognised by its older serial and dropped, so neither side
// ever waits for the other.
//
// The decoding thread sleeps whenever it has nothing to do, without a timer:
// with the ring full it sleeps until the output side has drained the ring
// to its low-water mark (kLowWater blocks, about a third of a second of
// audio at 44.1 kHz), which wakes it; a seek or a stop wakes it at once.
// Playing, it wakes a few times a second; paused, or with the song decoded
// to its end, not at all.
//
// Positions are what the listener hears. For each piece it mixes, the output
// side notes where its audio went in the output's frame count (its clock's
// `rendered`); the owner maps the frame being heard (OutputClock::heard)
// back through those notes.
//
// Threads: start(), stop(), seek(), the setters and the position queries
// belong to the thread that owns the engine (the user-interface thread);
// mixInto() and readyFor() to the output's thread; run() is the decoding
// thread.
#include "engine/AudioBlockRing.h"
#include "engine/AudioOutput.h"
#include "engine/SeqLocked.h"
#include "engine/SoundSource.h"

#include <array>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>

namespace cantorel::engine {

class ChannelPlayback {
    struct Private {};

public:
    static constexpr int kRingBlocks = 32; // about 0.75 s at 44.1 kHz
    static constexpr int kLowWater = 16;   // blocks left when the decoder is woken
    // How long stop() waits for the decoding thread.
    static constexpr std::chrono::milliseconds kStopWait {250};

    // Starts a channel and its decoding thread. The thread keeps the channel
    // alive for as long as it runs: stop() it when done with it.
    static std::shared_ptr<ChannelPlayback> start(std::shared_ptr<const SoundSource> source, int outputRate,
                                                  bool paused);
    ChannelPlayback(Private, std::shared_ptr<const SoundSource> source, int outputRate, bool paused);
    ChannelPlayback(const ChannelPlayback&) = delete;
    ChannelPlayback& operator=(const ChannelPlayback&) = delete;

    // Asks the decoding thread to end and waits for it up to kStopWait:
    // every read and scan of it gives up when asked, so only a read held up
    // by the file system outlasts that; such a thread ends by itself later.
    // True when the thread has ended.
    bool stop();

    // Plays on from song time `ms`; the position reads `ms` at once.
    void seek(unsigned ms);
    // The song time being heard, in ms, when the output is playing its
    // frame `heardFrame` (OutputClock::heard). It reads a seek's target
    // until audio from there is heard, and after a pause settles on the last
    // sample heard.
    unsigned positionMs(std::int64_t heardFrame) const;
    // True once the last sample has been heard.
    bool finished(std::int64_t heardFrame) const;
    // How often the decoding thread has woken from a sleep (for tests).
    std::uint64_t wakeups() const { return m_wakeups.load(std::memory_order_relaxed); }
    // True while the decoding thread sleeps and nothing has asked it to wake
    // since it fell asleep: it then stays asleep until a wake-up is asked
    // for (for tests, which wait for this instead of for a time). Any thread.
    bool asleep() const
    {
        const std::int64_t on = m_sleepingOn.load(std::memory_order_acquire);
        return on >= 0 && on == std::int64_t(m_signal.load(std::memory_order_acquire));
    }

    void setPaused(bool paused) { m_paused.store(paused, std::memory_order_relaxed); }
    void setVolume(float volume) { m_volume.store(volume, std::memory_order_relaxed); }
    void setMute(bool mute) { m_mute.store(mute, std::memory_order_relaxed); }

    // Output side: adds this channel's next `frames` frames into `out`,
    // which the output counts from its frame `outputFrame` on. False while
    // the channel is paused or has handed out its last sample.
    bool mixInto(float* out, int frames, std::int64_t outputFrame);
    // Output side: whether `frames` frames (and the one after, or the end)
    // are decoded, or nothing would be read now anyway.
    bool readyFor(int frames);

private:
    // The state word shared by the owner and the output: the seek serial,
    // the finished flag and the frames handed out since the last seek.
    static constexpr int kSerialShift = 48;
    static constexpr std::uint64_t kFinished = std::uint64_t(1) << 47;
    static constexpr std::uint64_t kConsumedMask = kFinished - 1;

    // Where a run of this channel's audio went: output frames
    // [outputStart, outputStart + frames) hold the frames handed out after
    // the seek of `serial` from `consumedStart` on.
    struct Piece {
        std::int64_t outputStart = 0;
        std::int64_t consumedStart = 0;
        std::int32_t frames = 0;
        std::uint32_t serial = 0;
    };
    // The newest pieces (a ring; `count` ever written) and, once the last
    // sample is handed out, the output frame it ends at.
    struct PieceLog {
        static constexpr int kPieces = 16;
        std::array<Piece, kPieces> pieces {};
        std::uint32_t count = 0;
        std::uint32_t endSerial = 0;
        std::int64_t endAt = -1;
    };

    void run();
    // Output side, after it released blocks: wakes the decoder when the
    // ring has just drained to its low-water mark.
    void released(int blocks);
    // Wakes the decoding thread from its sleep.
    void wake();

    std::shared_ptr<const SoundSource> m_source;
    const int m_outputRate;
    AudioBlockRing m_ring;

    std::atomic<std::uint64_t> m_state {0};
    std::atomic<bool> m_paused;
    std::atomic<float> m_volume {1.0f};
    std::atomic<bool> m_mute {false};
    unsigned m_baseMs = 0;      // owner only: where the last seek put the song
    std::uint32_t m_serial = 0; // owner only
    int m_readOffset = 0;       // output only: frames read from the front block
    PieceLog m_written;         // output only: what m_log holds
    SeqLocked<PieceLog> m_log;

    // Requests to the decoding thread, and its sleep: it sleeps on m_signal,
    // which the output side and the owner bump to wake it.
    std::mutex m_mutex;
    std::uint32_t m_requestSerial = 0;
    std::int64_t m_requestSample = 0;
    std::atomic<bool> m_stop {false};
    std::atomic<std::uint32_t> m_signal {0};
    std::atomic<std::uint64_t> m_wakeups {0};
    std::atomic<std::int64_t> m_sleepingOn {-1}; // the signal it sleeps on; -1 awake

    // The decoding thread has ended.
    std::mutex m_endMutex;
    std::condition_variable m_endCondition;
    bool m_ended = false;
};

} // namespace cantorel::engine
