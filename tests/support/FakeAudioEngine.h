#pragma once
// An audio engine for window tests: no decoding, no output, a clock the test
// moves by hand. Media lengths are registered by path; any other existing
// file opens with a default length, a missing one gives FileNotFound.
// Every call is logged as a short text ("createStream /x.mp3 0x4000"), and a
// failure can be scheduled for the next call of a given name.
//
// Non-blocking opens (mode::NonBlocking) complete at once by default: the
// sound is Ready (or Failed with what a blocking open would return) and the
// open listener is called before systemCreateStream returns, as the real
// engine may do. With holdOpens(true) they stay Loading until the test
// completes them with completeOpen(), which calls the listener on the
// test's thread.
#include "engine/AudioEngine.h"

#include <QHash>
#include <QMap>
#include <QString>
#include <QStringList>

namespace cantorel::testing {

class FakeAudioEngine : public engine::AudioEngine {
public:
    using Result = engine::Result;
    using Handle = engine::Handle;

    // Length given to existing files that were not registered.
    static constexpr unsigned kDefaultLengthMs = 180000;

    void setMediaLength(const QString& path, unsigned lengthMs) { m_lengths[path] = lengthMs; }
    void setVersion(unsigned version) { m_version = version; }
    // The next call named `call` (see the log names) returns `code` (not 0).
    void failNext(const QString& call, Result code) { m_failures[call] = code; }
    // Every stream created from `path` fails with `code` (a broken file);
    // 0 takes the file back.
    void refuse(const QString& path, Result code)
    {
        if (code == engine::result::Ok)
            m_refused.remove(path);
        else
            m_refused[path] = code;
    }
    // Keeps non-blocking opens Loading until completeOpen().
    void holdOpens(bool hold) { m_holdOpens = hold; }
    // Ends a held open with the outcome its file gives (Ok, or what refuse()
    // or a missing file gives), or with `openResult`, and calls the
    // listener. Nothing happens for a sound that is not Loading.
    void completeOpen(Handle sound);
    void completeOpen(Handle sound, Result openResult);
    // Sounds still Loading, oldest first.
    QList<Handle> loadingSounds() const;

    // Moves the clock: every playing, unpaused channel advances by `ms`; a
    // channel that reaches its sound's length ends (its handle goes stale).
    // A paused channel's position catches up on the audio the device still
    // held (see setOutputDelay), as the device plays it out.
    void advance(unsigned ms);
    // Puts the current channel at `ms` as if it had played there.
    void setChannelPosition(Handle channel, unsigned ms);
    // Ends a channel as a stream that played to its end.
    void finishChannel(Handle channel);
    // The sound device holds this much audio: positions read that much
    // behind the audio handed out (as the real engine reports what is heard).
    void setOutputDelay(unsigned ms) { m_outputDelayMs = ms; }

    // State for assertions.
    QStringList log;
    void clearLog() { log.clear(); }
    bool channelValid(Handle channel) const { return m_channels.contains(channel); }
    bool channelPaused(Handle channel) const;
    bool channelMuted(Handle channel) const;
    float channelVolume(Handle channel) const;
    unsigned channelPosition(Handle channel) const;
    Handle lastChannel() const { return m_lastChannel; }
    Handle lastSound() const { return m_lastSound; }
    QString soundPath(Handle sound) const;
    // The stream mode the sound was made with, without mode::NonBlocking.
    unsigned soundMode(Handle sound) const;
    int liveSystems() const { return m_systems.size(); }
    int liveSounds() const { return m_sounds.size(); }

    Result systemCreate(Handle* system) override;
    Result systemGetVersion(Handle system, unsigned* version) override;
    Result systemInit(Handle system, int maxChannels, unsigned flags) override;
    Result systemCreateStream(Handle system, const QString& path, unsigned mode, Handle* sound) override;
    Result systemSetOpenListener(Handle system, std::function<void(Handle sound)> listener) override;
    Result systemPlaySound(Handle system, int channelIndex, Handle sound, bool paused, Handle* channel) override;
    Result systemClose(Handle system) override;
    Result systemRelease(Handle system) override;
    Result channelSetPaused(Handle channel, bool paused) override;
    Result channelSetPosition(Handle channel, unsigned position, unsigned timeUnit) override;
    Result channelGetPosition(Handle channel, unsigned* position, unsigned timeUnit) override;
    Result channelSetVolume(Handle channel, float volume) override;
    Result channelSetMute(Handle channel, bool mute) override;
    Result channelGetCurrentSound(Handle channel, Handle* sound) override;
    Result soundGetLength(Handle sound, unsigned* length, unsigned timeUnit) override;
    Result soundGetOpenState(Handle sound, engine::OpenState* state, Result* openResult) override;
    Result soundRelease(Handle sound) override;

private:
    struct Sound {
        Handle system = 0;
        QString path;
        unsigned mode = 0;
        unsigned length = 0;
        Handle channel = 0;
        engine::OpenState state = engine::OpenState::Ready;
        Result openResult = engine::result::Ok; // when Failed; while Loading, the file's outcome
    };
    struct Channel {
        Handle sound = 0;
        unsigned position = 0; // audio handed out
        unsigned seekedTo = 0; // where the last seek (or the start) put it
        float volume = 1.0f;
        bool paused = false;
        bool muted = false;
        unsigned drained = 0; // of the output delay, played out while paused
    };

    // The failure scheduled for `call`, taken; 0 when there is none.
    Result scheduled(const QString& call);
    // Logs `call` (followed by `details`, when given), then as scheduled().
    Result logged(const QString& call, const QString& details = {});
    void endChannel(Handle channel);
    // Ok, or the result a sound that needs to be opened gives now.
    Result readiness(Handle sound) const;

    unsigned m_version = engine::kRequiredVersion;
    Handle m_next = 1;
    Handle m_lastChannel = 0;
    Handle m_lastSound = 0;
    QHash<Handle, bool> m_systems; // handle -> initialised
    QMap<Handle, Sound> m_sounds;
    QMap<Handle, Channel> m_channels;
    QHash<QString, unsigned> m_lengths;
    QHash<QString, Result> m_failures;
    QHash<QString, Result> m_refused;
    unsigned m_outputDelayMs = 0;
    QHash<Handle, std::function<void(Handle)>> m_listeners;
    bool m_holdOpens = false;
};

} // namespace cantorel::testing
