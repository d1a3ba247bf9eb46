#pragma once
// The real output: an SDL audio device in float stereo. Its callback only
// copies mixed audio out of the engine's buffers. Each output opens a device
// of its own, so two engine systems play side by side. The SDL audio
// subsystem is shared by the process and counted: the first output starts
// it, the last one stops it. Without a usable sound device the outputs fall
// back to SDL's silent "dummy" driver, which consumes audio in real time, and
// say so once on stderr. The silent driver offers a single device; outputs
// that find it taken (a second system) consume their audio on a real-time
// clock of their own instead, so open() never fails for want of a device.
//
// Audio is asked for in pieces of kBufferFrames, about 20 a second, as a
// quiet player does: each piece wakes the device's thread once. The clock
// (AudioOutput::clock) is estimated from the time of the last piece: a real
// device is taken to hold one buffer beyond the piece just handed to it; the
// silent driver and the clock of our own play each piece as it is handed out.
//
// While nothing plays the device rests: once the source has said so for
// kIdlePiecesBeforeRest pieces in a row (by then the device has played out
// all it held), the device's thread (or the silent clock's) waits inside
// the output, without any timer, until wake() or close(). An idle or paused
// player then wakes nobody.
#include "engine/AudioOutput.h"
#include "engine/SeqLocked.h"

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <thread>

namespace cantorel::engine {

class SdlAudioOutput : public AudioOutput {
public:
    SdlAudioOutput() = default;
    ~SdlAudioOutput() override;

    bool open(AudioSource* source) override;
    int sampleRate() const override { return m_rate; }
    void close() override;
    void wake() override;
    OutputClock clock() const override;
    // True while the output rests for want of anything to play. Any thread.
    bool resting() const { return m_resting.load(); }

    // Frames per second asked of the device (it may choose another rate).
    static constexpr int kPreferredRate = 44100;
    // Frames per piece: 2048 is about 21 pieces a second at 44.1 kHz.
    static constexpr int kBufferFrames = 2048;
    // Pieces asked for with nothing playing before the device rests.
    static constexpr int kIdlePiecesBeforeRest = 2;

private:
    // What the last render() handed out, published for clock().
    struct Piece {
        std::int64_t rendered = 0; // frames rendered, this piece included
        std::int64_t at = 0;       // steady clock, ns: when it was handed out
        std::int64_t frames = 0;   // frames of this piece
        std::int64_t lead = 0;     // frames the device held before it
    };

    static void callback(void* self, std::uint8_t* stream, int length);
    void startSilentClock();
    // Asks the source for one piece and publishes it. Output thread.
    void renderPiece(float* out, int frames);
    // Waits while the source has had nothing to play for the last
    // kIdlePiecesBeforeRest pieces and no wake() or close() came since it
    // was last asked. True when it waited. Output thread.
    bool restWhileIdle();

    AudioSource* m_source = nullptr;
    std::uint32_t m_device = 0;
    int m_rate = kPreferredRate;
    bool m_subsystem = false;
    std::int64_t m_lead = 0;     // frames a device holds beyond the newest piece
    std::int64_t m_rendered = 0; // output thread only
    SeqLocked<Piece> m_piece;
    // Without any device: a thread that consumes audio in real time.
    std::thread m_clock;
    std::mutex m_clockMutex;
    std::condition_variable m_clockStop;
    bool m_clockRunning = false;
    // Resting: wake() and close() count in m_wakes; the output thread
    // remembers the count from before it last asked the source.
    std::mutex m_restMutex;
    std::condition_variable m_restCondition;
    std::atomic<std::uint64_t> m_wakes {0};
    bool m_closing = false;        // under m_restMutex
    std::uint64_t m_wakesSeen = 0; // output thread only
    int m_idlePieces = 0;          // output thread only
    std::atomic<bool> m_resting {false};
};

} // namespace cantorel::engine
