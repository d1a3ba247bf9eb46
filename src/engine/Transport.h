#pragma once
// A transport without widgets: the engine connection, the play / pause /
// stop flags, the position timer and the end-of-song rule. The player's
// controller (controller/PlayerController.h) and the lyric maker each own
// one, set up with their own modes, turn the user's intents into calls here
// and pass on what it signals.
//
// Timing: the position timer (object name "cTimer1") runs while a song plays
// and is not paused, every positionPeriodMs (50 ms in the player, 900 ms in
// the maker). Each tick reads the position and the length, emits
// positionChanged() and then, once the song is over, ended().
// Threads: the owner's thread (the user-interface thread) only.
// Units: positions and lengths in milliseconds, volume 0.0 to 1.0.
//
// Failures: a failed call on a live engine object emits engineFailed() and
// the call returns Failed; the program is then expected to end (the windows
// leave that to the program, see audiopolicy/AudioFailurePolicy.h). A song the
// engine refuses emits songRefused() and leaves the transport without a song.
#include "engine/EngineConnection.h"
#include "engine/EngineFailures.h"

#include <QObject>
#include <QString>
#include <QTimer>

namespace cantorel::engine {

// The end of a song as the windows' seek slider always told it: the
// position, held to the length seen on the tick before (as a slider's value
// is held to its maximum), equals this tick's length. Either the position
// has reached the length, or the channel has gone: its length reads 0, and
// one tick after that the held position reads 0 as well.
bool songHasEnded(unsigned positionMs, unsigned lengthMs, unsigned previousLengthMs);

class Transport : public QObject {
    Q_OBJECT
public:
    // The defaults are the player's; the maker sets its own.
    struct Modes {
        unsigned openMode = mode::AccurateTime; // opening a song
        unsigned stopMode = mode::AccurateTime; // the stream stop re-creates
        int positionPeriodMs = 50;
        bool forwardOnlySeek = false; // the maker never seeks backwards
        bool stopOnlyOnce = true;     // the player's stop does nothing while stopped
    };
    enum class Outcome {
        Done,    // it happened
        Nothing, // nothing to do (no song, already playing, ...)
        Failed,  // refused (see songRefused) or a call failed (see engineFailed)
    };

    Transport(AudioEngine& engine, Modes modes, QObject* parent = nullptr);
    ~Transport() override;

    // Creates and initialises the engine system, with the version check.
    bool start();
    // Releases the song and the system; the timer stops. Runs once.
    void shutdown();

    // Releases the previous song's stream and opens `path` on a thread of
    // the engine, so that a file that is slow to read (or stalled) never
    // holds this thread; the position timer stops. Ready: the song is open
    // now (an unchanged file opened before is); Opening: opened() or
    // songRefused() follows; Refused: the song was refused (songRefused was
    // emitted, there is no song now) or a call failed (engineFailed).
    enum class OpenStart { Ready, Opening, Refused };
    OpenStart open(const QString& path);
    // A song is open and ready to play.
    bool hasSong() const { return m_connection.sound() != 0 && !m_opening; }
    // A song is still being opened.
    bool opening() const { return m_opening; }
    const QString& path() const { return m_path; }

    // Starts a channel on the song, at `volume`, muted when `mute`. Nothing
    // without a song or while one plays.
    Outcome play(float volume, bool mute);
    // Pauses a playing song, or resumes a paused one. Nothing when there is
    // no channel, or when the channel has just played out.
    Outcome togglePause();
    // Re-creates the song's stream, so that the next play starts from its
    // beginning, and clears playing and paused. Nothing without a song (or,
    // with stopOnlyOnce, while stopped). Failed when the stream could not be
    // re-created: the file went away, and there is no song now.
    Outcome stop();
    // The user's move of the seek slider to `positionMs`. A move to the end
    // (the last length shown) never seeks; with forwardOnlySeek, neither does
    // one at or before the last position shown. Emits seeked() when done.
    Outcome seek(unsigned positionMs);
    Outcome setVolume(float volume);
    Outcome setMute(bool mute);

    // One tick of the position timer.
    void tick();
    // The position now, read afresh from the engine (the last known one when
    // there is no channel).
    unsigned currentPosition();

    bool playing() const { return m_playing; }
    bool paused() const { return m_paused; }
    bool stopped() const { return m_stopped; }
    // As of the last tick: the position read, the length shown (the seek
    // slider's maximum: the length read, kept as it was at the end of a
    // song; from a play on, before its first tick, the song's length) and
    // the position held to the length before (the slider's value).
    unsigned position() const { return m_position; }
    unsigned length() const { return m_maximum; }
    // The open song's length, read afresh from the engine: known as soon as
    // the song is open, before any tick; 0 without a song.
    unsigned songLength() { return hasSong() ? m_connection.streamLength() : 0; }
    unsigned shownPosition() const { return m_shown; }

    QTimer& positionTimer() { return m_timer; }
    const EngineConnection& connection() const { return m_connection; }

Q_SIGNALS:
    // The song whose open() said Opening is open and ready to play.
    void opened();
    void positionChanged(unsigned positionMs, unsigned lengthMs);
    void ended();
    // playing, paused or stopped changed.
    void stateChanged();
    void seeked(unsigned positionMs);
    void engineFailed(engine::Result code);
    void songRefused(engine::Result code);
    void versionMismatch(unsigned version);

private:
    // The connection's reports, forwarded as this object's signals.
    class Forward : public EngineFailures {
    public:
        explicit Forward(Transport& owner) : m_owner(owner) {}
        void callFailed(Result code) override { Q_EMIT m_owner.engineFailed(code); }
        // The song is forgotten before anyone hears of it.
        void songRefused(Result code) override
        {
            m_owner.forgetSong();
            Q_EMIT m_owner.songRefused(code);
        }
        void versionMismatch(unsigned version) override { Q_EMIT m_owner.versionMismatch(version); }

    private:
        Transport& m_owner;
    };

    Outcome outcomeOf(EngineConnection::ChannelCall call) const;
    // No song any more: no path, no flags, no timer.
    void forgetSong();
    // An open has ended (on the engine's word, passed to this thread).
    void streamOpened(Handle sound);
    // The song's open failed with `code`: no song now.
    void refuse(Result code);
    void setState(bool playing, bool paused, bool stopped);

    Modes m_modes;
    Forward m_forward {*this};
    EngineConnection m_connection;
    QTimer m_timer;
    QString m_path;
    bool m_playing = false;
    bool m_paused = false;
    bool m_stopped = false;
    unsigned m_position = 0;
    unsigned m_maximum = 0; // the length shown: the seek slider's maximum
    unsigned m_shown = 0;   // the position held to it
    bool m_shutDown = false;
    bool m_opening = false;
};

} // namespace cantorel::engine
