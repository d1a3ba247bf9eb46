#pragma once
// One playing channel: a decoding thread that fills a ring of blocks ahead
// of the output, and the output-side reading of that ring (mixing with the
// channel's volume, mute and pause). A seek bumps a serial: audio decoded
// before it is recognised by its older serial and dropped, so neither side
// ever waits for the other.
//
// Threads: the constructor, stop(), seek(), the setters and the position
// queries belong to the thread that owns the engine (the user-interface
// thread); mixInto() and readyFor() to the output's thread; run() is the
// decoding thread.
#include "engine/AudioBlockRing.h"
#include "engine/AudioOutput.h"
#include "engine/SoundSource.h"

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <thread>

namespace cantorel::engine {

class ChannelPlayback {
public:
    ChannelPlayback(std::shared_ptr<const SoundSource> source, int outputRate, bool paused);
    ~ChannelPlayback();
    ChannelPlayback(const ChannelPlayback&) = delete;
    ChannelPlayback& operator=(const ChannelPlayback&) = delete;

    // Ends the decoding thread and waits for it (it never waits long: every
    // wait of it is short or woken here).
    void stop();

    // Plays on from song time `ms`; the position reads `ms` at once.
    void seek(unsigned ms);
    // Song time handed to the output so far, in ms.
    unsigned positionMs() const;
    // True once the last sample has been handed to the output.
    bool finished() const;

    void setPaused(bool paused) { m_paused.store(paused, std::memory_order_relaxed); }
    bool paused() const { return m_paused.load(std::memory_order_relaxed); }
    void setVolume(float volume) { m_volume.store(volume, std::memory_order_relaxed); }
    float volume() const { return m_volume.load(std::memory_order_relaxed); }
    void setMute(bool mute) { m_mute.store(mute, std::memory_order_relaxed); }
    bool muted() const { return m_mute.load(std::memory_order_relaxed); }

    // Output side: adds this channel's next `frames` frames into `out`.
    void mixInto(float* out, int frames);
    // Output side: whether `frames` frames (and the one after, or the end)
    // are decoded, or nothing would be read now anyway.
    bool readyFor(int frames);

private:
    // The state word shared by the owner and the output: the seek serial,
    // the finished flag and the frames handed out since the last seek.
    static constexpr int kSerialShift = 48;
    static constexpr std::uint64_t kFinished = std::uint64_t(1) << 47;
    static constexpr std::uint64_t kConsumedMask = kFinished - 1;

    void run();

    std::shared_ptr<const SoundSource> m_source;
    const int m_outputRate;
    AudioBlockRing m_ring;

    std::atomic<std::uint64_t> m_state{0};
    std::atomic<bool> m_paused;
    std::atomic<float> m_volume{1.0f};
    std::atomic<bool> m_mute{false};
    unsigned m_baseMs = 0;     // owner only: where the last seek put the song
    std::uint32_t m_serial = 0; // owner only
    int m_readOffset = 0;      // output only: frames read from the front block

    // Requests to the decoding thread.
    std::mutex m_mutex;
    std::condition_variable m_wake;
    std::uint32_t m_requestSerial = 0;
    std::int64_t m_requestSample = 0;
    std::atomic<bool> m_stop{false};
    std::thread m_thread;
};

} // namespace cantorel::engine
