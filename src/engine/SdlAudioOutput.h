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
#include "engine/AudioOutput.h"

#include <atomic>
#include <cstdint>
#include <thread>

namespace cantorel::engine {

class SdlAudioOutput : public AudioOutput {
public:
    SdlAudioOutput() = default;
    ~SdlAudioOutput() override;

    bool open(AudioSource* source) override;
    int sampleRate() const override { return m_rate; }
    void close() override;

    // Frames per second asked of the device (it may choose another rate).
    static constexpr int kPreferredRate = 44100;

private:
    static void callback(void* self, std::uint8_t* stream, int length);
    void startSilentClock();

    AudioSource* m_source = nullptr;
    std::uint32_t m_device = 0;
    int m_rate = kPreferredRate;
    bool m_subsystem = false;
    // Without any device: a thread that consumes audio in real time.
    std::thread m_clock;
    std::atomic<bool> m_clockRunning{false};
};

} // namespace cantorel::engine
