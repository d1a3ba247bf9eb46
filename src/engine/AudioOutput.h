#pragma once
// The audio device seen from the engine: a pull output. Once open, the
// output asks its source for audio whenever it needs some, on a thread of
// its own (the device's callback thread), or, for the capture output of the
// tests, on the thread that asks for audio.
#include <functional>
#include <memory>

namespace cantorel::engine {

// Interleaved stereo 32-bit float is the only format between the engine and
// its outputs.
constexpr int kOutputChannels = 2;

class AudioSource {
public:
    virtual ~AudioSource() = default;
    // Fills `out` with `frames` frames (two floats each). Called on the
    // output's thread; must not block or decode.
    virtual void render(float* out, int frames) = 0;
    // True when render() could fill `frames` frames from decoded audio
    // alone (or from silence, where nothing plays). Only the capture output
    // asks, on its consumer thread.
    virtual bool readyFor(int frames) = 0;
};

class AudioOutput {
public:
    virtual ~AudioOutput() = default;
    // Opens the device and starts pulling from `source`, which must stay
    // alive until close(). False when no device could be opened.
    virtual bool open(AudioSource* source) = 0;
    // Frames per second the device plays; valid after open().
    virtual int sampleRate() const = 0;
    // Stops pulling; render() is not called after close() returns.
    virtual void close() = 0;
};

using AudioOutputFactory = std::function<std::unique_ptr<AudioOutput>()>;

} // namespace cantorel::engine
