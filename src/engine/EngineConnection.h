#pragma once
// One window's connection to the audio engine: one system, at most one open
// stream and the channel it last played on. Every operation reports a failed
// call to its EngineFailures and returns false (the program is then ending),
// except the creation of a stream: a song the engine refuses is reported as
// refused and the connection is left without a stream, so that the window
// can go back to its no-song state.
#include "engine/AudioEngine.h"

#include <QString>

namespace cantorel::engine {

class EngineFailures;

class EngineConnection {
public:
    EngineConnection(AudioEngine& engine, EngineFailures& failures);
    EngineConnection(const EngineConnection&) = delete;
    EngineConnection& operator=(const EngineConnection&) = delete;

    // Window load: create the system, check its version, init 32 channels.
    bool start();
    // Releases the open stream (if any) and opens `path` in `streamMode`.
    // False when the release failed (the program is ending) or the engine
    // refused the song (reported); sound() is 0 after either. With
    // mode::NonBlocking the stream may still be opening: see openState().
    bool openStream(const QString& path, unsigned streamMode);
    // Where the stream's open stands, and its result when it failed.
    OpenState openState(Result* openResult);
    // Releases the stream, if any (one whose open failed, say); false when
    // the release failed.
    bool dropStream();
    // Calls `listener` on an engine thread when a non-blocking open ends.
    bool setOpenListener(std::function<void(Handle sound)> listener);
    // Plays the open stream on a free channel, then sets its volume. The
    // play call's own result goes unchecked; the volume call's is checked.
    bool play(float volume);

    // Calls on the playing channel. A channel can end between two position
    // ticks (the song has just played out) while the window still offers
    // its controls: such a call is Skipped, not an error, and the next
    // position tick sees the end. A seek past the end of a stream whose
    // length is only an estimate is Skipped too.
    enum class ChannelCall { Done, Skipped, Failed };
    ChannelCall setPaused(bool paused);
    ChannelCall seek(unsigned positionMs);
    ChannelCall setVolume(float volume);
    ChannelCall setMute(bool mute);

    // Reads the channel's position into `positionMs` (left as it was when
    // there is no channel or the channel is gone) and the length of its
    // current sound into `lengthMs` (0 when there is none). Results 11 and 36
    // are tolerated; any other failure goes to the check.
    bool readPosition(unsigned* positionMs, unsigned* lengthMs);

    // The length of the open stream in ms, known as soon as its open is
    // done (before anything plays); 0 without a stream, while it is still
    // opening, or when the engine cannot say.
    unsigned streamLength();

    // Window unload: release the stream, close and release the system.
    void shutdown();

    Handle system() const { return m_system; }
    Handle sound() const { return m_sound; }

private:
    // True when `code` is 0; otherwise reports the failed call.
    bool check(Result code);
    // A channel call's result: a gone or taken-over channel is Skipped.
    ChannelCall channelCall(Result code);

    AudioEngine& m_engine;
    EngineFailures& m_failures;
    Handle m_system = 0;
    Handle m_sound = 0;
    Handle m_channel = 0;
};

} // namespace cantorel::engine
