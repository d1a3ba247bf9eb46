#include "controller/PlayerController.h"

#include "base/FilePaths.h"
#include "common/MediaFiles.h"
#include "controller/PlaylistCursor.h"
#include "controller/SongAdvance.h"
#include "controller/SongLyric.h"
#include "engine/ResultTexts.h"
#include "playlist/PlayOrderSettings.h"
#include "playlist/PlaylistModel.h"

#include <algorithm>
#include <utility>

namespace cantorel {

using Outcome = engine::Transport::Outcome;

PlayerController::PlayerController(engine::AudioEngine& engine, RandomSource* random, QObject* parent)
    : QObject(parent), m_transport(engine, engine::Transport::Modes {}), // the player's modes
      m_lyric(new SongLyric(m_ownClock, this)), m_entries(new PlaylistModel(this)), m_order(new PlayOrderSettings(this))
{
    if (!random) {
        m_ownRandom = std::make_unique<SeededRandom>();
        random = m_ownRandom.get();
    }
    m_cursor = std::make_unique<PlaylistCursor>(*m_entries, *m_order, *random);
    m_advance = new SongAdvance({*m_cursor, [this] { return !m_busy; },
                                 [this](int entry, const QString& path) { openPath(path, entry, true); }},
                                this);
    connectParts();
}

PlayerController::~PlayerController()
{
    shutdown();
}

void PlayerController::connectParts()
{
    using engine::Transport;
    connect(&m_transport, &Transport::positionChanged, this, &PlayerController::positionChanged);
    connect(&m_transport, &Transport::ended, this, &PlayerController::endOfSong);
    connect(&m_transport, &Transport::stateChanged, this, &PlayerController::transportChanged);
    connect(&m_transport, &Transport::seeked, this, [this](unsigned positionMs) {
        m_lyric->lookUpNow();
        Q_EMIT seeked(positionMs);
    });
    connect(&m_transport, &Transport::opened, this, &PlayerController::streamOpened);
    connect(&m_transport, &Transport::songRefused, this, &PlayerController::refused);
    connect(&m_transport, &Transport::engineFailed, this, &PlayerController::engineFailed);
    connect(&m_transport, &Transport::versionMismatch, this, &PlayerController::versionMismatch);

    connect(m_lyric, &SongLyric::linesChanged, this, &PlayerController::linesChanged);
    connect(m_lyric, &SongLyric::lyricLoaded, this, &PlayerController::lyricLoaded);
    connect(m_lyric, &SongLyric::tableChanged, this, &PlayerController::tableChanged);
    connect(m_lyric, &SongLyric::offsetMoved, this, &PlayerController::offsetMoved);
    connect(m_lyric, &SongLyric::offsetNeedsReadOnlyReplace, this, &PlayerController::offsetNeedsReadOnlyReplace);
    connect(m_lyric, &SongLyric::message, this, &PlayerController::message);
    connect(m_order, &PlayOrderSettings::changed, this, &PlayerController::playOrderChanged);
    connect(m_advance, &SongAdvance::allFailed, this,
            [this] { say(UserMessage::Kind::Warning, SongAdvance::allFailedMessage()); });
}

void PlayerController::say(UserMessage::Kind kind, const QString& text, const QString& title)
{
    Q_EMIT message(UserMessage {kind, text, title});
}

// ---------------------------------------------------------------- lifecycle

bool PlayerController::start()
{
    return m_transport.start();
}

void PlayerController::shutdown()
{
    if (m_shutDown)
        return;
    m_shutDown = true;
    m_transport.shutdown();
    m_lyric->lineTimer().stop();
}

// ---------------------------------------------------------------- opening

bool PlayerController::open(const QString& path, OpenSource source)
{
    return openAs(path, source, source == OpenSource::Playlist ? m_cursor->selected() : -1);
}

bool PlayerController::openAs(const QString& path, OpenSource source, int entry)
{
    if (path.isEmpty())
        return false;
    if (source == OpenSource::Drop && !isPlayerSongPath(path)) {
        say(UserMessage::Kind::Warning, QStringLiteral("This is not a .mp3 file."), QStringLiteral("Error"));
        return false;
    }
    const bool fromElsewhere =
        source == OpenSource::HandOver || source == OpenSource::Playlist || source == OpenSource::Bus;
    if (fromElsewhere && m_busy) {
        // The Lyric Maker is open: the player is stopped and cannot be
        // controlled, so it must not start a song behind the user's back.
        say(UserMessage::Kind::Warning, QStringLiteral("The player is busy while the Lyric Maker is open. "
                                                       "Close the Lyric Maker to play this song."));
        return false;
    }
    // The user takes over: play moving on by itself stops here.
    m_advance->cancel();
    return openPath(path, entry, false);
}

bool PlayerController::openPath(const QString& chosen, int entry, bool byItself)
{
    const QString path = cleanChosenPath(chosen);
    // A path that names nothing (a command line or a hand-over of a file
    // that has gone) is reported before anything is stopped.
    if (path.isEmpty())
        return false;
    if (!ordinaryFileExists(path)) {
        say(UserMessage::Kind::Plain, QStringLiteral("File Not Found"));
        return false;
    }
    // A song of the player's own: another player is followed no more.
    if (dropFollowing())
        Q_EMIT followingEnded();
    m_openByItself = byItself;
    if (playing() || (stopped() && m_lyric->loaded())) {
        stopSong();
        m_lyric->leaveSong();
    }
    m_lyric->beginSong();
    m_mediaPath = path;
    m_mediaFileName = existingFileName(path);
    m_cursor->setPlaying(entry, path);
    // The rest of the open runs once the song is open: at once for a file
    // opened before, or when the engine has read it (streamOpened).
    m_finishOpening = true;
    reopen();
    if (m_transport.hasSong() && std::exchange(m_finishOpening, false))
        loadLyricAndPlay();
    return true;
}

void PlayerController::reopen()
{
    if (m_mediaPath.isEmpty())
        return;
    // A refused song comes back through refused(); one still opening
    // through streamOpened().
    m_transport.open(m_mediaPath);
    Q_EMIT stateChanged();
}

void PlayerController::streamOpened()
{
    Q_EMIT stateChanged();
    if (std::exchange(m_finishOpening, false))
        loadLyricAndPlay();
}

void PlayerController::refused(engine::Result code)
{
    m_finishOpening = false;
    const QString path = m_mediaPath;
    if (!m_openByItself)
        Q_EMIT songRefused(path, code);
    enterNoSongState();
    if (std::exchange(m_openByItself, false))
        m_advance->failed(path, engine::errorMessage(code));
}

void PlayerController::enterNoSongState()
{
    // Nothing is open, nothing plays, and the panes show their placeholders.
    m_lyric->forget();
    m_mediaPath.clear();
    m_mediaFileName.clear();
    m_cursor->setPlaying(-1, QString());
    Q_EMIT stateChanged();
}

void PlayerController::loadLyricAndPlay()
{
    m_openByItself = false;
    const SongLyric::Load load = m_lyric->load(m_mediaPath);
    if (load == SongLyric::Load::Failed) {
        Q_EMIT stateChanged();
        Q_EMIT songOpened(m_mediaPath);
        return;
    }
    if (load == SongLyric::Load::Loaded)
        playWithLyrics();
    playWithLyrics();
    // The placeholders stay until the lookup puts the first line in place.
    m_lyric->showPlaceholders();
    m_lyric->lookUpNow();
    if (playing())
        m_advance->played(m_mediaPath);
    Q_EMIT stateChanged();
    Q_EMIT songOpened(m_mediaPath);
}

void PlayerController::playWithLyrics()
{
    play();
    // Without a song of its own to play, another player stays followed.
    if (!m_followed)
        m_lyric->showCurrentLine();
}

void PlayerController::queue(const QStringList& paths)
{
    if (!paths.isEmpty())
        Q_EMIT songsQueued(paths);
}

// ---------------------------------------------------------------- transport

void PlayerController::play()
{
    if (!m_transport.hasSong() || playing())
        return;
    endFollowing();
    m_lyric->songStarts();
    if (m_transport.play(float(m_volumeStep) / 10.0f, m_muted) != Outcome::Done)
        return;
    Q_EMIT tableChanged();
}

void PlayerController::togglePause()
{
    m_transport.togglePause();
}

void PlayerController::pause()
{
    if (playing() && !paused())
        togglePause();
}

void PlayerController::resume()
{
    if (paused())
        togglePause();
}

void PlayerController::stop()
{
    m_advance->cancel();
    stopSong();
}

void PlayerController::stopSong()
{
    // A file that went away while it played is refused (refused()).
    if (m_transport.stop() == Outcome::Done)
        m_lyric->showStopped();
}

void PlayerController::seek(unsigned positionMs)
{
    m_transport.seek(positionMs);
}

void PlayerController::setVolumeStep(int step)
{
    step = std::clamp(step, 1, 10);
    if (step == m_volumeStep)
        return;
    m_volumeStep = step;
    m_transport.setVolume(float(step) / 10.0f);
    Q_EMIT volumeChanged();
}

void PlayerController::setMuted(bool muted)
{
    if (muted == m_muted)
        return;
    m_muted = muted;
    m_transport.setMute(muted);
    Q_EMIT volumeChanged();
}

void PlayerController::tick()
{
    m_transport.tick();
}

void PlayerController::transportChanged()
{
    m_lyric->lookUpNow();
    Q_EMIT stateChanged();
}

void PlayerController::endOfSong()
{
    Q_EMIT songEnded();
    // With a playlist, a file gone while it played is the playlist's to
    // pass over, as the stop finds it.
    m_advance->cancel();
    m_openByItself = m_entries->count() > 0;
    stopSong();
    m_openByItself = false;
    if (m_entries->count() == 0 || !m_transport.hasSong())
        return;
    const NextSong next = m_cursor->afterEnd();
    switch (next.action) {
    case NextSong::Action::Stop:
        break;
    case NextSong::Action::PlayEntry:
        m_advance->playEntry(next.entry);
        break;
    case NextSong::Action::ReplaySame:
        play();
        break;
    }
}

bool PlayerController::hasSong() const
{
    return m_transport.hasSong();
}
bool PlayerController::opening() const
{
    return m_transport.opening();
}
bool PlayerController::playing() const
{
    return m_transport.playing();
}
bool PlayerController::paused() const
{
    return m_transport.paused();
}
bool PlayerController::stopped() const
{
    return m_transport.stopped();
}
unsigned PlayerController::songLengthMs()
{
    return m_transport.songLength();
}
unsigned PlayerController::positionMs()
{
    return unsigned(m_ownClock.positionMs());
}
unsigned PlayerController::shownPositionMs() const
{
    return m_transport.shownPosition();
}
unsigned PlayerController::shownLengthMs() const
{
    return m_transport.length();
}

void PlayerController::setBusy(bool busy)
{
    if (busy == m_busy)
        return;
    m_busy = busy;
    Q_EMIT stateChanged();
}

QTimer& PlayerController::positionTimer()
{
    return m_transport.positionTimer();
}

QTimer& PlayerController::lineTimer()
{
    return m_lyric->lineTimer();
}

// ---------------------------------------------------------------- playlist

PlaylistModel& PlayerController::playlist()
{
    return *m_entries;
}

PlayOrderSettings& PlayerController::playOrder()
{
    return *m_order;
}

void PlayerController::setSelection(EntrySelection* selection)
{
    m_cursor->setSelection(selection);
}

void PlayerController::next()
{
    playEntry(m_cursor->forward());
}

void PlayerController::previous()
{
    playEntry(m_cursor->backward());
}

bool PlayerController::canGoNext() const
{
    // "<<" and ">>" go somewhere from any entry, or from none.
    return m_entries->count() > 0;
}

void PlayerController::playEntry(int entry)
{
    if (entry < 0 || entry >= m_entries->count())
        return;
    m_cursor->select(entry);
    const QString path = m_entries->path(entry);
    if (!ordinaryFileExists(path)) {
        say(UserMessage::Kind::Warning, QStringLiteral("File not found!!"));
        return;
    }
    openAs(path, OpenSource::Playlist, entry);
}

int PlayerController::playingEntry() const
{
    return m_cursor->playingEntry();
}

int PlayerController::lastRandomPick() const
{
    return m_cursor->lastRandomPick();
}

// ---------------------------------------------------------------- lyric

const lyrics::LyricTable& PlayerController::lyricTable() const
{
    return m_lyric->table();
}
const lyrics::LyricOrigin& PlayerController::lyricOrigin() const
{
    return m_lyric->origin();
}
const LyricLines& PlayerController::lines() const
{
    return m_lyric->lines();
}
bool PlayerController::lyricsLoaded() const
{
    return m_lyric->loaded();
}
bool PlayerController::noLyrics() const
{
    return m_lyric->noLyrics();
}
bool PlayerController::noTranslation() const
{
    return m_lyric->noTranslation();
}
bool PlayerController::lyricFound() const
{
    return m_lyric->found();
}
bool PlayerController::lineRulesOn() const
{
    return m_lyric->rulesOn();
}
qint64 PlayerController::offsetMs() const
{
    return m_lyric->offsetMs();
}

void PlayerController::reloadLyric()
{
    m_lyric->reload(lyricSongPath());
}

void PlayerController::showLyric(const lyrics::LyricTable& table, const lyrics::LyricOrigin& origin)
{
    m_lyric->show(table, origin);
    Q_EMIT stateChanged();
}

void PlayerController::lookUpLine()
{
    m_lyric->lookUpNow();
}

void PlayerController::emphasise()
{
    m_lyric->emphasise();
}

void PlayerController::earlier()
{
    m_lyric->earlier();
}

void PlayerController::later()
{
    m_lyric->later();
}

void PlayerController::saveOffset()
{
    m_lyric->saveOffset(lyricSongPath());
}

void PlayerController::saveOffsetReplacingReadOnly()
{
    m_lyric->saveOffsetReplacingReadOnly(lyricSongPath());
}

// ---------------------------------------------------------------- following

void PlayerController::followClock(LyricClock* clock)
{
    if (!clock) {
        endFollowing(false);
        return;
    }
    if (!m_followed) {
        // The player's own song stops while another is followed.
        m_advance->cancel();
        if (playing())
            stopSong();
    }
    m_followed = clock;
    m_lyric->follow(clock);
    Q_EMIT stateChanged();
}

bool PlayerController::dropFollowing()
{
    if (!m_followed)
        return false;
    m_followed = nullptr;
    m_followedSong.clear();
    m_followCaption.clear();
    m_lyric->follow(nullptr);
    return true;
}

void PlayerController::endFollowing(bool byUser)
{
    if (!dropFollowing())
        return;
    // The lyric of the player's own song again, as it reads now.
    m_lyric->leaveSong();
    if (m_transport.hasSong())
        m_lyric->load(m_mediaPath);
    else
        m_lyric->forget();
    Q_EMIT tableChanged();
    m_lyric->lookUpNow();
    Q_EMIT stateChanged();
    if (byUser)
        Q_EMIT followingEnded();
}

void PlayerController::clockChanged()
{
    m_lyric->lookUpNow();
    Q_EMIT followedClockChanged();
}

lyrics::FoundLyric PlayerController::followSong(const QString& songPath)
{
    if (!m_followed)
        return {};
    m_followedSong = songPath;
    const lyrics::FoundLyric found = m_lyric->showSongOf(songPath);
    Q_EMIT stateChanged();
    return found;
}

void PlayerController::setFollowCaption(const QString& caption)
{
    if (!m_followed || caption == m_followCaption)
        return;
    m_followCaption = caption;
    Q_EMIT stateChanged();
}

unsigned PlayerController::linePositionMs()
{
    return m_followed ? unsigned(std::max<qint64>(m_followed->positionMs(), 0)) : shownPositionMs();
}

bool PlayerController::linesMoving() const
{
    if (m_followed)
        return m_followed->motion() == LyricClock::Motion::Running;
    return playing() && !paused();
}

qint64 PlayerController::wordPositionMs()
{
    return m_followed ? m_followed->positionMs() : qint64(positionMs());
}

// ---------------------------------------------------------------- windows

void PlayerController::raise()
{
    Q_EMIT raiseRequested();
}

void PlayerController::quit()
{
    Q_EMIT quitRequested();
}

} // namespace cantorel
