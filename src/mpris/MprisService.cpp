#include "mpris/MprisService.h"

#include "base/FileNames.h"
#include "controller/LaunchPath.h"
#include "controller/PlayerController.h"
#include "lyrics/BackgroundReads.h"
#include "lyrics/SongFacts.h"
#include "mpris/MprisAdaptors.h"
#include "mpris/MprisMetadata.h"
#include "mpris/MprisPlayOrder.h"
#include "playlist/PlayOrderSettings.h"
#include "playlist/PlaylistModel.h"

#include <QCoreApplication>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QUrl>

#include <algorithm>
#include <cmath>

namespace cantorel::mpris {

namespace {

const QString kPlayerInterface = QStringLiteral("org.mpris.MediaPlayer2.Player");

} // namespace

MprisService::MprisService(PlayerController& player, QDBusConnection bus, QObject* parent)
    : QObject(parent), m_player(player), m_bus(std::move(bus)), m_tagReads(new lyrics::BackgroundReads(this))
{
    // No bus, no player on it; nothing to say about that.
    if (!m_bus.isConnected())
        return;
    new MprisRoot(*this);
    m_adaptor = new MprisPlayer(*this);
    if (!m_bus.registerObject(QLatin1String(kObjectPath), this, QDBusConnection::ExportAdaptors))
        return;
    const QString names[] = {
        QLatin1String(kServiceName),
        QLatin1String(kServiceName) + QStringLiteral(".instance") + QString::number(QCoreApplication::applicationPid()),
    };
    for (const QString& name : names) {
        if (m_bus.registerService(name)) {
            m_serviceName = name;
            break;
        }
    }
    if (!isRegistered()) {
        m_bus.unregisterObject(QLatin1String(kObjectPath));
        return;
    }
    updateMetadata();
    m_shown = current();
    connectPlayer();
}

MprisService::~MprisService()
{
    if (!isRegistered())
        return;
    m_bus.unregisterService(m_serviceName);
    m_bus.unregisterObject(QLatin1String(kObjectPath));
}

void MprisService::connectPlayer()
{
    PlayerController* p = &m_player;
    // The state covers the song, its lyric and the busy player; a position
    // tick changes nothing here.
    connect(p, &PlayerController::stateChanged, this, &MprisService::refresh);
    connect(p, &PlayerController::lyricLoaded, this, &MprisService::refresh);
    connect(p, &PlayerController::volumeChanged, this, &MprisService::refresh);
    connect(p, &PlayerController::playOrderChanged, this, &MprisService::refresh);
    connect(p, &PlayerController::seeked, this,
            [this](unsigned positionMs) { Q_EMIT m_adaptor->Seeked(qlonglong(positionMs) * 1000); });
    PlaylistModel* entries = &m_player.playlist();
    connect(entries, &QAbstractItemModel::rowsInserted, this, &MprisService::refresh);
    connect(entries, &QAbstractItemModel::rowsRemoved, this, &MprisService::refresh);
    connect(entries, &QAbstractItemModel::modelReset, this, &MprisService::refresh);
}

// ---------------------------------------------------------------- reading

bool MprisService::controllable() const
{
    return !m_player.busy();
}

QString MprisService::playbackStatus() const
{
    if (m_player.paused())
        return QStringLiteral("Paused");
    if (m_player.playing())
        return QStringLiteral("Playing");
    return QStringLiteral("Stopped");
}

qlonglong MprisService::positionUs() const
{
    if (!m_player.playing())
        return 0;
    return qlonglong(m_player.positionMs()) * 1000;
}

double MprisService::volume() const
{
    return m_player.muted() ? 0.0 : m_player.volumeStep() / 10.0;
}

QString MprisService::loopStatus() const
{
    return loopStatusOf(playOrder());
}

bool MprisService::shuffle() const
{
    return m_player.playOrder().random();
}

bool MprisService::canPlay() const
{
    return controllable() && m_player.hasSong();
}

bool MprisService::canPause() const
{
    return controllable() && m_player.playing();
}

bool MprisService::canSeek() const
{
    return controllable() && m_player.playing();
}

bool MprisService::canGoNext() const
{
    return controllable() && m_player.canGoNext();
}

bool MprisService::canGoPrevious() const
{
    // "<<" and ">>" go somewhere from any entry, or from none.
    return canGoNext();
}

qint64 MprisService::lengthMs() const
{
    return m_player.shownLengthMs();
}

PlaylistState MprisService::playOrder() const
{
    return m_player.playOrder().appliedTo(PlaylistState {});
}

// ---------------------------------------------------------------- news

MprisService::Shown MprisService::current()
{
    Shown s;
    s.status = playbackStatus();
    s.metadata = m_metadata;
    s.volume = volume();
    s.loopStatus = loopStatus();
    s.shuffle = shuffle();
    s.canPlay = canPlay();
    s.canPause = canPause();
    s.canSeek = canSeek();
    s.canGoNext = canGoNext();
    s.canGoPrevious = canGoPrevious();
    return s;
}

void MprisService::updateMetadata()
{
    const lyrics::LyricTable& table = m_player.lyricTable();
    const QString path = m_player.hasSong() ? m_player.mediaPath() : QString();
    // The song's exact length, known from its open.
    const unsigned length = path.isEmpty() ? 0 : m_player.songLengthMs();
    // While another player is followed, the lyric shown is that one's.
    const bool ownLyric = !m_player.following();
    const TrackKey key {path, length, ownLyric ? table.loadedLines() : -2};
    if (key == m_trackKey && !m_metadata.isEmpty())
        return;
    if (key.path != m_trackKey.path || m_metadata.isEmpty()) {
        // Another song: a new track, and its tags read once.
        ++m_openings;
        m_trackId = QStringLiteral("/org/cantorel/Cantorel/track/%1").arg(m_openings);
        m_tags = knownTags(path);
    }
    m_trackKey = key;
    m_metadata =
        metadataOf({m_trackId, path, length, m_tags, path.isEmpty() || !ownLyric ? QString() : lyricTextOf(table)});
}

lyrics::SongTags MprisService::knownTags(const QString& path)
{
    // Tags read before come at once; others are read off the window thread
    // and fill the same track's metadata in when they come.
    if (path.isEmpty())
        return {};
    if (const auto known = lyrics::songFactsCache().cached(path))
        return known->tags;
    m_tagReads->read<lyrics::SongTags>([path] { return lyrics::readSongTags(path); },
                                       [this, path](const lyrics::SongTags& tags) {
                                           if (path != m_trackKey.path)
                                               return;
                                           m_tags = tags;
                                           m_trackKey.lyricLines = -1; // built again, as the same track
                                           refresh();
                                       });
    return {};
}

void MprisService::refresh()
{
    updateMetadata();
    const Shown now = current();
    QVariantMap changed;
    auto note = [&changed](const char* name, const auto& was, const auto& is) {
        if (was != is)
            changed.insert(QLatin1String(name), is);
    };
    note("PlaybackStatus", m_shown.status, now.status);
    note("Metadata", m_shown.metadata, now.metadata);
    note("Volume", m_shown.volume, now.volume);
    note("LoopStatus", m_shown.loopStatus, now.loopStatus);
    note("Shuffle", m_shown.shuffle, now.shuffle);
    note("CanPlay", m_shown.canPlay, now.canPlay);
    note("CanPause", m_shown.canPause, now.canPause);
    note("CanSeek", m_shown.canSeek, now.canSeek);
    note("CanGoNext", m_shown.canGoNext, now.canGoNext);
    note("CanGoPrevious", m_shown.canGoPrevious, now.canGoPrevious);
    m_shown = now;
    if (changed.isEmpty())
        return;
    QDBusMessage signal =
        QDBusMessage::createSignal(QLatin1String(kObjectPath), QStringLiteral("org.freedesktop.DBus.Properties"),
                                   QStringLiteral("PropertiesChanged"));
    signal << kPlayerInterface << changed << QStringList();
    m_bus.send(signal);
}

// ---------------------------------------------------------------- actions

void MprisService::later(std::function<void()> action)
{
    QMetaObject::invokeMethod(this, std::move(action), Qt::QueuedConnection);
}

void MprisService::play()
{
    later([this] {
        if (!controllable())
            return;
        if (m_player.paused())
            m_player.resume();
        else
            m_player.play();
    });
}

void MprisService::pause()
{
    later([this] {
        if (controllable())
            m_player.pause();
    });
}

void MprisService::playPause()
{
    later([this] {
        if (!controllable())
            return;
        if (m_player.playing())
            m_player.togglePause();
        else
            m_player.play();
    });
}

void MprisService::stop()
{
    later([this] {
        if (controllable())
            m_player.stop();
    });
}

void MprisService::next()
{
    later([this] {
        if (canGoNext())
            m_player.next();
    });
}

void MprisService::previous()
{
    later([this] {
        if (canGoPrevious())
            m_player.previous();
    });
}

void MprisService::seek(qlonglong offsetUs)
{
    later([this, offsetUs] {
        if (!canSeek())
            return;
        const qint64 target = qint64(m_player.positionMs()) + offsetUs / 1000;
        if (target < lengthMs())
            m_player.seek(unsigned(std::max<qint64>(target, 0)));
        else if (canGoNext())
            m_player.next(); // past the end: on to the next song
        else
            m_player.stop(); // or the end of this one
    });
}

void MprisService::setPosition(const QDBusObjectPath& trackId, qlonglong positionUs)
{
    // A position for another track, or outside this one, is ignored.
    later([this, track = trackId.path(), positionUs] {
        if (canSeek() && track == m_trackId && positionUs >= 0 && positionUs / 1000 <= lengthMs())
            m_player.seek(unsigned(positionUs / 1000));
    });
}

void MprisService::openUri(const QString& uri)
{
    // As a hand-over: while the lyric maker is open the player says it is
    // busy.
    const QString path = songToOpen(localFilePath(QUrl(uri)));
    if (!path.isEmpty())
        later([this, path] { m_player.open(path, PlayerController::OpenSource::Bus); });
}

void MprisService::setVolume(double volume)
{
    const std::optional<int> step = volumeStepOf(volume);
    if (!step)
        return;
    later([this, step = *step] {
        // Muted for no volume, else that step (unmuted).
        m_player.setMuted(step == 0);
        if (step != 0)
            m_player.setVolumeStep(step);
    });
}

void MprisService::setLoopStatus(const QString& status)
{
    later([this, status] {
        if (const std::optional<PlayOrderSetting> s = withLoopStatus(playOrder(), status))
            m_player.playOrder().set(s->random, s->repeat, s->repeatOne);
    });
}

void MprisService::setShuffle(bool shuffle)
{
    later([this, shuffle] {
        const PlayOrderSetting s = withShuffle(playOrder(), shuffle);
        m_player.playOrder().set(s.random, s.repeat, s.repeatOne);
    });
}

void MprisService::raise()
{
    later([this] { m_player.raise(); });
}

void MprisService::quit()
{
    later([this] { m_player.quit(); });
}

} // namespace cantorel::mpris
