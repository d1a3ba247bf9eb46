#pragma once
// An ideal, silent output for tests: nothing plays by itself; the test asks
// for a number of frames and gets exactly what a device would have been
// handed. Before each device-sized piece it waits (boundedly) until the
// decoding threads have that piece ready, as a real device's buffer would
// have been by then, so that the result does not depend on thread timing.
// Its delay is 0 unless a test sets one: it then behaves as a device that
// holds that many frames between handing them out and playing them.
#include "engine/AudioOutput.h"

#include <atomic>
#include <chrono>
#include <vector>

namespace cantorel::engine {

class CaptureOutput : public AudioOutput {
public:
    explicit CaptureOutput(int sampleRate = 44100) : m_rate(sampleRate) {}

    bool open(AudioSource* source) override
    {
        m_source = source;
        return true;
    }
    int sampleRate() const override { return m_rate; }
    void close() override { m_source = nullptr; }
    // Counted only: the test asks for audio whenever it likes.
    void wake() override { m_wakes.fetch_add(1); }
    int wakes() const { return m_wakes.load(); }
    // What the source said of the last piece: whether anything plays.
    bool sourcePlaying() const { return m_playing.load(); }
    bool isOpen() const { return m_source != nullptr; }
    OutputClock clock() const override;
    // Frames held back from the listener (never more than were rendered).
    void setDelayFrames(std::int64_t frames) { m_delay.store(frames); }

    // Renders `frames` frames (interleaved stereo) in pieces of at most
    // `piece` frames. A piece whose audio is not ready within `timeout` is
    // rendered as it stands (with gaps), which a test then sees. Empty when
    // the output is closed.
    std::vector<float> pull(int frames, int piece = 512,
                            std::chrono::milliseconds timeout = std::chrono::milliseconds(3000));

private:
    AudioSource* m_source = nullptr;
    int m_rate;
    std::atomic<std::int64_t> m_rendered {0};
    std::atomic<std::int64_t> m_delay {0};
    std::atomic<int> m_wakes {0};
    std::atomic<bool> m_playing {false};
};

} // namespace cantorel::engine
