#pragma once
// An ideal, silent output for tests: nothing plays by itself; the test asks
// for a number of frames and gets exactly what a device would have been
// handed. Before each device-sized piece it waits (boundedly) until the
// decoding threads have that piece ready, as a real device's buffer would
// have been by then, so that the result does not depend on thread timing.
#include "engine/AudioOutput.h"

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
    bool isOpen() const { return m_source != nullptr; }

    // Renders `frames` frames (interleaved stereo) in pieces of at most
    // `piece` frames. A piece whose audio is not ready within `timeout` is
    // rendered as it stands (with gaps), which a test then sees. Empty when
    // the output is closed.
    std::vector<float> pull(int frames, int piece = 512,
                            std::chrono::milliseconds timeout = std::chrono::milliseconds(3000));

private:
    AudioSource* m_source = nullptr;
    int m_rate;
};

} // namespace cantorel::engine
