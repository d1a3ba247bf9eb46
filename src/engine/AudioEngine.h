#pragma once
// The audio engine as the windows see it: a handful of calls in the style of
// the engine library they were designed against. Every call returns a result
// code (0 = success, the others as in ResultTexts.h) and hands its outputs
// back through pointers, which are left untouched on failure.
//
// Objects are addressed by handles. A handle is never 0 once created, and a
// handle whose object has gone (a released sound, a channel that played to
// its end or whose sound was released) is refused with InvalidHandle (36).
//
// Threads: every call is made from the user-interface thread of the window
// that owns the system. Implementations may decode and play on threads of
// their own, but no call waits for decoding. The one call that may wait for
// the file is a blocking systemCreateStream (without mode::NonBlocking); a
// non-blocking one opens on a thread of the engine and tells the system's
// open listener when it is done.
//
// Units: positions and lengths in milliseconds (time unit 1, the only one
// supported; any other gives InvalidParam); volume 0.0 (silent) to 1.0.
#include <QString>

#include <cstdint>
#include <functional>

namespace cantorel::engine {

using Result = int;
using Handle = std::uint32_t;

// The result codes the system produces or tests for.
namespace result {
constexpr Result Ok = 0;
constexpr Result ChannelStolen = 11; // the channel was reused for another sound
constexpr Result FileBad = 19;       // unreadable, or truncated beyond use
constexpr Result FileEof = 22;
constexpr Result FileNotFound = 23;
constexpr Result Format = 25;      // no decoder understands the file
constexpr Result Initialized = 32; // init called twice
constexpr Result InvalidHandle = 36;
constexpr Result InvalidParam = 37;
constexpr Result Memory = 43;
constexpr Result NotReady = 55;      // the sound is still being opened
constexpr Result OutputInit = 61;    // no output device could be opened
constexpr Result Uninitialized = 78; // a call that needs init before it
} // namespace result

// The version the windows require; the engine reports exactly this one.
constexpr unsigned kRequiredVersion = 0x42006;

// Stream modes passed to systemCreateStream. Every mode plays the same
// timeline, the container's: a song time is the same sample in every mode,
// the song starting at time zero with the first sample a full decode gives.
// Audio stamped before zero (the pre-roll of a stream cut from a longer one)
// is neither played nor counted in the length.
namespace mode {
constexpr unsigned Hardware = 0x20;       // starts from the container's length estimate
constexpr unsigned Software = 0x40;       // starts from the container's length estimate
constexpr unsigned AccurateTime = 0x4000; // scan at open: exact length, exact seeking
// With any of the above: systemCreateStream returns at once and the file is
// opened (and scanned) on a thread of the engine; see soundGetOpenState.
constexpr unsigned NonBlocking = 0x10000;
} // namespace mode

// Where a sound's open stands. A sound opened without mode::NonBlocking is
// Ready from the start.
enum class OpenState {
    Ready,   // opened: every call takes it
    Loading, // still opening: calls that need the opened sound give NotReady
    Failed,  // the open failed, with the result a blocking open would give
};

constexpr int kFreeChannel = -1;      // playSound: let the system pick a channel
constexpr unsigned kMilliseconds = 1; // the time unit

class AudioEngine {
public:
    virtual ~AudioEngine() = default;

    virtual Result systemCreate(Handle* system) = 0;
    virtual Result systemGetVersion(Handle system, unsigned* version) = 0;
    // maxChannels: how many channels may play at once (1..4093).
    virtual Result systemInit(Handle system, int maxChannels, unsigned flags) = 0;
    // Opens `path` as a stream. FileNotFound when there is no such file,
    // Format when no decoder understands it, FileBad when it cannot be read.
    // Opening the same unchanged file again (as a stop does) reads nothing.
    //
    // With mode::NonBlocking it returns Ok and the sound's handle at once
    // (only a bad system, parameter or missing init fail here); the sound is
    // Loading until the open is done on a thread of the engine, which then
    // calls the system's open listener. The open's own result (FileNotFound,
    // Format, FileBad) comes from soundGetOpenState.
    virtual Result systemCreateStream(Handle system, const QString& path, unsigned mode, Handle* sound) = 0;
    // `listener` (or none, when empty) is called with the sound's handle when
    // a non-blocking open of this system is done, Ready or Failed. It runs on
    // a thread of the engine, not the owner's, possibly before
    // systemCreateStream has returned the handle: it must not call the
    // engine nor wait for the owner's thread, only hand the news over (a
    // queued call), and the owner then asks soundGetOpenState. It is not
    // called for a sound once soundRelease, systemClose or systemRelease has
    // returned, nor after it was replaced.
    virtual Result systemSetOpenListener(Handle system, std::function<void(Handle sound)> listener) = 0;
    // Starts `sound` from its beginning on a free channel (channelIndex -1).
    // A sound plays on at most one channel: playing it again takes over its
    // channel, and the old channel handle then gives ChannelStolen.
    // NotReady while the sound is Loading; a Failed sound gives its open's
    // result.
    virtual Result systemPlaySound(Handle system, int channelIndex, Handle sound, bool paused, Handle* channel) = 0;
    // Close stops every channel and releases every sound of the system,
    // cancelling the opens still under way (it waits for them only briefly);
    // release then frees the system handle itself.
    virtual Result systemClose(Handle system) = 0;
    virtual Result systemRelease(Handle system) = 0;

    virtual Result channelSetPaused(Handle channel, bool paused) = 0;
    // Exact to the millisecond; positions at or past the end are refused
    // with InvalidParam.
    virtual Result channelSetPosition(Handle channel, unsigned position, unsigned timeUnit) = 0;
    // The song time the listener hears now, in ms: what has been handed to
    // the output less what the device still holds. It reads the target
    // right after a seek (until audio from there is heard), and after a
    // pause settles on the last sample heard. A channel ends (its handle
    // goes stale) once its last sample has been heard.
    virtual Result channelGetPosition(Handle channel, unsigned* position, unsigned timeUnit) = 0;
    virtual Result channelSetVolume(Handle channel, float volume) = 0;
    virtual Result channelSetMute(Handle channel, bool mute) = 0;
    virtual Result channelGetCurrentSound(Handle channel, Handle* sound) = 0;

    // The length of the sound: what a full decode gives. Exact from the
    // start in AccurateTime mode. In the other modes it starts as the
    // container's estimate and is never below what decoding has reached, so
    // a caller that ends the song when the position reaches the length never
    // ends it early; it becomes exact once decoding has reached the end (or,
    // for a seek or MPEG audio, once the file has been indexed).
    // NotReady while the sound is Loading; a Failed sound gives its open's
    // result.
    virtual Result soundGetLength(Handle sound, unsigned* length, unsigned timeUnit) = 0;
    // Where the sound's open stands; `openResult` (may be null) gets the
    // open's result: Ok, or when Failed the code a blocking open would have
    // returned. Never NotReady itself.
    virtual Result soundGetOpenState(Handle sound, OpenState* state, Result* openResult) = 0;
    // Ends the sound's channel too. A sound still Loading is released at
    // once: its open is cancelled and reports nothing.
    virtual Result soundRelease(Handle sound) = 0;
};

} // namespace cantorel::engine
