#pragma once
// The audio device seen from the engine: a pull output. Once open, the
// output asks its source for audio whenever it needs some, on a thread of
// its own (the device's callback thread), or, for the capture output of the
// tests, on the thread that asks for audio.
#include <cstdint>
#include <functional>
#include <memory>

namespace cantorel::engine {

// Interleaved stereo 32-bit float is the only format between the engine and
// its outputs.
constexpr int kOutputChannels = 2;

class AudioSource {
public:
    virtual ~AudioSource() = default;
    // Fills `out` with `frames` frames (two floats each), the output's
    // frames from `firstFrame` on (its clock's `rendered` before this call).
    // Returns whether anything still plays: false when nothing would sound
    // until the owner changes something (no channel, or every channel paused
    // or played out). Called on the output's thread; must not block or
    // decode.
    virtual bool render(float* out, int frames, std::int64_t firstFrame) = 0;
    // True when render() could fill `frames` frames from decoded audio
    // alone (or from silence, where nothing plays). Only the capture output
    // asks, on its consumer thread.
    virtual bool readyFor(int frames) = 0;
};

// Where the listener is, in frames of the output: `rendered` frames have
// been asked of the source since open(), and the device still holds `delay`
// of them, not yet heard. So the frame being heard now is rendered - delay.
struct OutputClock {
    std::int64_t rendered = 0;
    std::int64_t delay = 0;
    std::int64_t heard() const { return rendered - delay; }
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
    // Once render() has said that nothing plays and the device has played
    // out what it held, an output may stop asking for audio (the device
    // rests, and the clock stands on the last frame heard) until this call:
    // the owner makes it whenever something may play again (a channel
    // started, resumed or moved). Owner's thread.
    virtual void wake() = 0;
    // The output's clock now: both figures read at one moment (see
    // OutputClock). `rendered` counts every frame asked of the source,
    // silent or not; `delay` is what the device holds beyond the frame it is
    // playing (0 for an ideal output). Between two render() calls of a
    // device the delay shrinks as the device plays on, so the heard frame
    // moves with real time. Any thread.
    virtual OutputClock clock() const = 0;
};

using AudioOutputFactory = std::function<std::unique_ptr<AudioOutput>()>;

} // namespace cantorel::engine
