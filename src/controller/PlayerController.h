#pragma once
// What the player does, without any widget: it opens songs with their lyric,
// plays, pauses, stops, seeks, sets the volume and mute, moves through the
// playlist (next, previous, the end of a song and what follows it, random
// and repeat), keeps the lyric lines in step with the song, and moves the
// lyric earlier or later. The player window, the media-player bus, the
// hand-over from a second start, the tray and the screen-saver feed all
// drive this one object and show what it signals; none of them presses
// another's buttons.
//
// It owns the transport (the engine connection, the 50 ms position timer
// "cTimer1"), the song's lyric (SongLyric.h: the lyric table and its load,
// the live offset, the lines with their single-shot "Timer2"), the
// playlist's entries and play order settings (PlaylistCursor.h), and the run
// of unattended play over broken entries (SongAdvance.h).
// What the user must be told comes out as message() data, an engine that
// fails as engineFailed(): it shows no message box itself.
//
// Threads: the user-interface thread only. Units: positions and lengths in
// milliseconds; the volume in the volume slider's steps, 1 (0.1) to 10 (1.0).
#include "controller/LyricClock.h"
#include "controller/LyricLines.h"
#include "controller/UserMessage.h"
#include "engine/Transport.h"
#include "lyrics/LyricSource.h"

#include <QObject>
#include <QString>
#include <QStringList>

#include <memory>

namespace cantorel {

class EntrySelection;
class PlayOrderSettings;
class PlaylistCursor;
class PlaylistModel;
class RandomSource;
class SongAdvance;
class SongLyric;

class PlayerController : public QObject {
    Q_OBJECT
public:
    // Where a song to open comes from. Drop: only a song file's name is
    // taken ("This is not a .mp3 file." otherwise). HandOver, Playlist, Bus:
    // refused, with a message, while the player is busy (the lyric maker is
    // open). Playlist: the song of the selected entry.
    enum class OpenSource { Dialog, Drop, CommandLine, HandOver, Playlist, Bus };

    // `random` (null: one seeded at start) draws the random play order.
    // `engine` and `random` must outlive the controller.
    explicit PlayerController(engine::AudioEngine& engine, RandomSource* random = nullptr, QObject* parent = nullptr);
    ~PlayerController() override;

    // Starts the engine (with the version check); false when it failed
    // (engineFailed was emitted). Shuts it down once: the song is released,
    // the timers stop.
    bool start();
    void shutdown();

    // ------------------------------------------------------------ opening
    // Opens `path` (as chosen: blanks at its ends and NULs go) with its
    // lyric, and plays it. The song playing is stopped first. A path that
    // names no file says "File Not Found" and changes nothing; "" is
    // ignored. The open may finish later (a file slow to read): then
    // songOpened() or a refusal follows. True when the open began (a
    // refusal may still follow), false when nothing was tried.
    bool open(const QString& path, OpenSource source);
    // The song again from its start ("copen"): the stream is opened afresh.
    void reopen();
    // Play with lyrics ("Command1"): plays, turns the line rules on and shows
    // the current line.
    void playWithLyrics();
    // These paths join the end of the playlist (files as named, folders by a
    // scan): songsQueued() asks the playlist to add them. Nothing for none.
    void queue(const QStringList& paths);

    // ------------------------------------------------------------ transport
    // Plays the open song (the title-only refresh of a song playing is the
    // window's). Nothing without a song or while one plays.
    void play();
    void togglePause();
    void pause();  // only while playing unpaused
    void resume(); // only while paused
    // Stops: the next play starts from the beginning. A file gone since it
    // was opened is refused here (songRefused, the no-song state).
    void stop();
    // The user's move to `positionMs` (the end never seeks: the position
    // tick sees it); seeked() when done.
    void seek(unsigned positionMs);
    // The volume in steps of 0.1: 1 (0.1) to 10 (1.0), others held to those;
    // it holds for every song, as does mute.
    void setVolumeStep(int step);
    void setMuted(bool muted);
    int volumeStep() const { return m_volumeStep; }
    bool muted() const { return m_muted; }
    // One tick of the position timer ("cTimer1").
    void tick();

    bool hasSong() const;
    bool opening() const;
    bool playing() const;
    bool paused() const;
    bool stopped() const;
    // The open song ("" without), and its file's name as the file system
    // has it ("" when the file is not there).
    const QString& mediaPath() const { return m_mediaPath; }
    const QString& mediaFileName() const { return m_mediaFileName; }
    // The open song's exact length, read from the engine; 0 without a song.
    unsigned songLengthMs();
    // The position heard now (the last one read when nothing plays).
    unsigned positionMs();
    // As of the last tick: the seek slider's value (the position held to
    // the length) and maximum (the length shown; the song's length from a
    // play on, before the first tick).
    unsigned shownPositionMs() const;
    unsigned shownLengthMs() const;

    // Busy: the lyric maker is open. Songs from elsewhere are refused then.
    void setBusy(bool busy);
    bool busy() const { return m_busy; }

    // ------------------------------------------------------------ playlist
    // The entries and the play order; the playlist window shows and edits
    // them. The selection is the playlist window's (null: none).
    PlaylistModel& playlist();
    PlayOrderSettings& playOrder();
    void setSelection(EntrySelection* selection);
    // ">>" and "<<": the entry after or before the selected one (else the
    // one playing), round from the last to the first and back, whatever
    // Random and Repeat say.
    void next();
    void previous();
    bool canGoNext() const;
    // Plays entry `entry` as the playlist's "Play" does: selects it, then
    // says "File not found!!" when its file has gone, else opens it.
    void playEntry(int entry);
    // The entry playing (-1 when the song is not in the list).
    int playingEntry() const;
    int lastRandomPick() const;

    // ------------------------------------------------------------ lyric
    const lyrics::LyricTable& lyricTable() const;
    // Where the lyric in place came from (Kind::None without one).
    const lyrics::LyricOrigin& lyricOrigin() const;
    const LyricLines& lines() const;
    bool lyricsLoaded() const;
    // No lyric file for the song playing: the lines stay as they are.
    bool noLyrics() const;
    bool noTranslation() const;
    // A lyric file was found for a song since the player had none (what
    // enables "Play with lyrics").
    bool lyricFound() const;
    // The lyric again from its files as they read now (another encoding
    // chosen), at the same place in the song.
    void reloadLyric();
    // Shows `table`, a lyric that came from elsewhere (`origin` says from
    // where), as the open song's lyric from now on, at offset 0.
    void showLyric(const lyrics::LyricTable& table, const lyrics::LyricOrigin& origin);
    // The line lookup ("Timer2") and the emphasis ("Timer1") now.
    void lookUpLine();
    void emphasise();
    bool lineRulesOn() const;

    // The live offset: 100 ms earlier or later, kept in the lyric's file.
    void earlier();
    void later();
    void saveOffset();
    void saveOffsetReplacingReadOnly();
    qint64 offsetMs() const;

    // ------------------------------------------------------------ following
    // The lines follow `clock`, another player on the desktop, instead of
    // the player's own song, which stops (it stays open). Null: the player's
    // own song again, its lyric read afresh. The clock's owner calls
    // clockChanged() whenever it jumps or changes its motion. Opening or
    // playing a song of the player's own ends the following by itself
    // (followingEnded).
    void followClock(LyricClock* clock);
    void clockChanged();
    bool following() const { return m_followed != nullptr; }
    // While following: the lyric of the song at `songPath`, the file the
    // other player plays, looked for as for a song opened here (the lyric
    // pair, an LRC file, an embedded lyric) and shown where the clock is.
    // "" (a track that is no local file), or no lyric found: the panes show
    // their placeholders. The offset, its save and the lyric encoding work
    // on it as on a song of the player's own. Returns what was found.
    lyrics::FoundLyric followSong(const QString& songPath);
    // While following: what the title names after "Tessaly Following:- "
    // (the track, or why there is none).
    void setFollowCaption(const QString& caption);
    const QString& followCaption() const { return m_followCaption; }
    // The song whose lyric is shown: the open song, or the followed one's
    // file ("" for none).
    const QString& lyricSongPath() const { return m_followed ? m_followedSong : m_mediaPath; }
    // The position the lines follow: the seek slider's while the player's
    // own song is shown, the other player's while following.
    unsigned linePositionMs();
    // Whether that position moves on with time now: the own song playing
    // unpaused, or the followed player running.
    bool linesMoving() const;
    // The position the lines' words follow, heard now: the engine's for
    // the own song, the followed player's while following.
    qint64 wordPositionMs();

    // ------------------------------------------------------------ windows
    // Brings the player's window to the front; ends the program as the
    // window's own close would (unsaved lines are asked about).
    void raise();
    void quit();

    QTimer& positionTimer();
    QTimer& lineTimer();

Q_SIGNALS:
    // The transport's flags, the song, the lyric found, the busy state:
    // whatever a view of the player shows besides the lines changed.
    void stateChanged();
    void positionChanged(unsigned positionMs, unsigned lengthMs);
    void seeked(unsigned positionMs);
    void volumeChanged();
    // A song was opened and its lyric looked for; it plays unless its lyric
    // file could not be read (a message said why).
    void songOpened(const QString& path);
    // The engine refused a song the user asked for: the program's failure
    // policy tells why. (Songs the playlist moved on to are marked there.)
    void songRefused(const QString& path, engine::Result code);
    // The song played to its end (what follows comes right after).
    void songEnded();
    void linesChanged(const LyricLines& lines);
    // The song's lyric was looked for: for a newly opened song (`newSong`),
    // or again (another encoding, an offset saved, one from elsewhere).
    // `found` says what there was: none (NoLyricFile), a lyric now in place
    // (LyricOnly, WithTranslation), or a file that could not be read
    // (Failed; a message said why).
    void lyricLoaded(const lyrics::FoundLyric& found, bool newSong);
    // The lyric table changed (a load, an offset move), or a song started
    // playing: lists of the whole lyric are filled again.
    void tableChanged();
    // An offset move or save happened; `said` is for the user.
    void offsetMoved(const QString& said);
    // An offset save left a read-only lyric file alone; `question` asks
    // whether to replace it anyway (then saveOffsetReplacingReadOnly()).
    void offsetNeedsReadOnlyReplace(const QString& question);
    void playOrderChanged();
    void message(const UserMessage& message);
    void songsQueued(const QStringList& paths);
    void raiseRequested();
    void quitRequested();
    // From the engine: the program is expected to end; a version reported.
    void engineFailed(engine::Result code);
    void versionMismatch(unsigned version);
    // The user opened or played a song of the player's own while another
    // player was followed: it is followed no more.
    void followingEnded();
    // The followed player's clock jumped or changed its motion.
    void followedClockChanged();

private:
    void connectParts();
    void say(UserMessage::Kind kind, const QString& text, const QString& title = QString());
    // The open as `source` asks for it, of playlist entry `entry` (-1: none).
    bool openAs(const QString& path, OpenSource source, int entry);
    // The open, whoever asked: `byItself` for play moving on by itself,
    // whose failures are the playlist's to mark.
    bool openPath(const QString& chosen, int entry, bool byItself);
    void streamOpened();
    void refused(engine::Result code);
    void loadLyricAndPlay();
    void enterNoSongState();
    void stopSong();
    void endOfSong();
    void transportChanged();
    // Back to the player's own song, if another player was followed;
    // `byUser`: the user's own song ends it (followingEnded).
    void endFollowing(bool byUser = true);
    // Lets go of the other player's clock; false when none was followed.
    bool dropFollowing();

    engine::Transport m_transport;
    TransportClock m_ownClock {m_transport};
    SongLyric* m_lyric;
    PlaylistModel* m_entries;
    PlayOrderSettings* m_order;
    std::unique_ptr<RandomSource> m_ownRandom;
    std::unique_ptr<PlaylistCursor> m_cursor;
    SongAdvance* m_advance;

    QString m_mediaPath;
    QString m_mediaFileName;
    LyricClock* m_followed = nullptr; // another player's clock
    QString m_followedSong;
    QString m_followCaption;
    int m_volumeStep = 3;
    bool m_muted = false;
    bool m_busy = false;
    bool m_finishOpening = false; // the open waits for its song
    bool m_openByItself = false;  // play moved on to it by itself
    bool m_shutDown = false;
};

} // namespace cantorel
