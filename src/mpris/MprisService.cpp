#include "mpris/MprisService.h"

#include "base/FileNames.h"
#include "lyrics/BackgroundReads.h"
#include "lyrics/SongFacts.h"
#include "mpris/MprisAdaptors.h"
#include "mpris/MprisMetadata.h"
#include "mpris/MprisPlayOrder.h"
#include "platform/WindowFront.h"
#include "player/Form1.h"
#include "player/LaunchPath.h"
#include "playlist/PlaylistModel.h"
#include "playlistwindow/Playlist.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QEvent>
#include <QSignalBlocker>
#include <QUrl>

#include <algorithm>
#include <cmath>

namespace cantorel::mpris {

namespace {

const QString kPlayerInterface = QStringLiteral("org.mpris.MediaPlayer2.Player");

} // namespace

MprisService::MprisService(Form1& form, QDBusConnection bus, QObject* parent)
    : QObject(parent), m_form(form), m_bus(std::move(bus)), m_tagReads(new lyrics::BackgroundReads(this))
{
    // No bus, no player on it; nothing to say about that.
    if (!m_bus.isConnected())
        return;
    new MprisRoot(*this);
    m_player = new MprisPlayer(*this);
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
    connectWindow();
}

MprisService::~MprisService()
{
    if (!isRegistered())
        return;
    m_bus.unregisterService(m_serviceName);
    m_bus.unregisterObject(QLatin1String(kObjectPath));
}

void MprisService::connectWindow()
{
    engine::Transport& transport = m_form.transport();
    connect(&transport, &engine::Transport::stateChanged, this, &MprisService::refresh);
    // Ticks bring the length and, with a new song, its lyric; the metadata is
    // built again only when those change.
    // Nothing else of a tick matters here: most ticks return at once.
    connect(&transport, &engine::Transport::positionChanged, this, [this](unsigned, unsigned lengthMs) {
        if (m_form.mediaPath() == m_tickPath && lengthMs == m_tickLengthMs)
            return;
        m_tickPath = m_form.mediaPath();
        m_tickLengthMs = lengthMs;
        refresh();
    });
    connect(&transport, &engine::Transport::seeked, this,
            [this](unsigned positionMs) { Q_EMIT m_player->Seeked(qlonglong(positionMs) * 1000); });
    connect(m_form.ui().Slider1, &QSlider::valueChanged, this, &MprisService::refresh);
    connect(m_form.ui().Check1, &QCheckBox::toggled, this, &MprisService::refresh);
    // Enabling and disabling (the lyric maker) changes what can be done.
    m_form.installEventFilter(this);
}

bool MprisService::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == &m_form && event->type() == QEvent::EnabledChange)
        refresh();
    return QObject::eventFilter(watched, event);
}

// ---------------------------------------------------------------- reading

bool MprisService::controllable() const
{
    return m_form.isEnabled();
}

QString MprisService::playbackStatus() const
{
    if (m_form.paused())
        return QStringLiteral("Paused");
    if (m_form.playing())
        return QStringLiteral("Playing");
    return QStringLiteral("Stopped");
}

qlonglong MprisService::positionUs() const
{
    if (!m_form.playing())
        return 0;
    return qlonglong(m_form.transport().currentPosition()) * 1000;
}

double MprisService::volume() const
{
    if (m_form.ui().muteTicked())
        return 0.0;
    return m_form.ui().Slider1->value() / 10.0;
}

QString MprisService::loopStatus() const
{
    // A playlist not made yet has its first settings: no repeat, no random.
    return loopStatusOf(m_form.hasPlaylist() ? m_form.playlist().playState() : PlaylistState {});
}

bool MprisService::shuffle() const
{
    return m_form.hasPlaylist() && m_form.playlist().playState().random;
}

bool MprisService::canPlay() const
{
    return controllable() && m_form.transport().hasSong();
}

bool MprisService::canPause() const
{
    return controllable() && m_form.playing();
}

bool MprisService::canSeek() const
{
    return controllable() && m_form.playing();
}

bool MprisService::canGoNext() const
{
    return controllable() && m_form.hasPlaylist() && m_form.playlist().entryCount() > 0;
}

bool MprisService::canGoPrevious() const
{
    // "<<" and ">>" go somewhere from any entry, or from none.
    return canGoNext();
}

qint64 MprisService::lengthMs() const
{
    return m_form.transport().length();
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
    const lyrics::LyricTable& table = m_form.lyricTable();
    const QString path = m_form.transport().hasSong() ? m_form.mediaPath() : QString();
    // The length comes with the ticks of this song; until its first tick it
    // is not known.
    const unsigned length = !path.isEmpty() && path == m_tickPath ? m_tickLengthMs : 0;
    const TrackKey key {path, length, table.loadedLines()};
    if (key == m_trackKey && !m_metadata.isEmpty())
        return;
    if (key.path != m_trackKey.path || m_metadata.isEmpty()) {
        // Another song: a new track, and its tags read once.
        ++m_openings;
        m_trackId = QStringLiteral("/org/cantorel/Cantorel/track/%1").arg(m_openings);
        m_tags = knownTags(path);
    }
    m_trackKey = key;
    m_metadata = metadataOf({m_trackId, path, length, m_tags, path.isEmpty() ? QString() : lyricTextOf(table)});
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
    // The playlist is made on first use; from then on its entries matter.
    if (!m_playlistWatched && m_form.hasPlaylist()) {
        m_playlistWatched = true;
        PlaylistModel* model = &m_form.playlist().model();
        connect(model, &QAbstractItemModel::rowsInserted, this, &MprisService::refresh);
        connect(model, &QAbstractItemModel::rowsRemoved, this, &MprisService::refresh);
        connect(model, &QAbstractItemModel::modelReset, this, &MprisService::refresh);
        connect(&m_form.playlist(), &Playlist::playOrderChanged, this, &MprisService::refresh);
    }
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
        if (m_form.paused())
            m_form.cpauseClick(); // resumes
        else
            m_form.cPlayClick();
    });
}

void MprisService::pause()
{
    later([this] {
        if (controllable() && m_form.playing() && !m_form.paused())
            m_form.cpauseClick();
    });
}

void MprisService::playPause()
{
    later([this] {
        if (!controllable())
            return;
        if (m_form.playing())
            m_form.cpauseClick();
        else
            m_form.cPlayClick();
    });
}

void MprisService::stop()
{
    later([this] {
        if (controllable())
            m_form.cstopClick();
    });
}

void MprisService::next()
{
    // Without a playlist there is nothing to go to (and none is made).
    later([this] {
        if (canGoNext())
            m_form.command10Click();
    });
}

void MprisService::previous()
{
    later([this] {
        if (canGoPrevious())
            m_form.command9Click();
    });
}

void MprisService::seekTo(qint64 positionMs)
{
    // As the user's move of the seek slider: the slider shows the place, and
    // the window's own handler seeks.
    QSlider* slider = m_form.ui().Slider2;
    {
        const QSignalBlocker quiet(slider);
        slider->setValue(int(positionMs));
    }
    m_form.slider2Change(int(positionMs));
}

void MprisService::seek(qlonglong offsetUs)
{
    later([this, offsetUs] {
        if (!canSeek())
            return;
        const qint64 target = qint64(m_form.transport().currentPosition()) + offsetUs / 1000;
        if (target < lengthMs())
            seekTo(std::max<qint64>(target, 0));
        else if (canGoNext())
            m_form.command10Click(); // past the end: on to the next song
        else
            m_form.cstopClick(); // or the end of this one
    });
}

void MprisService::setPosition(const QDBusObjectPath& trackId, qlonglong positionUs)
{
    // A position for another track, or outside this one, is ignored.
    later([this, track = trackId.path(), positionUs] {
        if (canSeek() && track == m_trackId && positionUs >= 0 && positionUs / 1000 <= lengthMs())
            seekTo(positionUs / 1000);
    });
}

void MprisService::openUri(const QString& uri)
{
    // As a hand-over: while the lyric maker is open the window says it is
    // busy.
    const QString path = songToOpen(localFilePath(QUrl(uri)));
    if (!path.isEmpty())
        later([this, path] { m_form.text3Change(path); });
}

void MprisService::setVolume(double volume)
{
    const std::optional<int> step = volumeStepOf(volume);
    if (!step)
        return;
    later([this, step = *step] {
        // As the user would: Mute for no volume, else the slider (unmuted).
        const bool mute = step == 0;
        if (m_form.ui().muteTicked() != mute) {
            m_form.ui().Check1->setChecked(mute);
            m_form.check1Click();
        }
        if (!mute)
            m_form.ui().Slider1->setValue(step);
    });
}

void MprisService::setLoopStatus(const QString& status)
{
    later([this, status] {
        const PlaylistState now = m_form.playlist().playState();
        if (const std::optional<PlayOrderSetting> s = withLoopStatus(now, status))
            m_form.playlist().setPlayOrder(s->random, s->repeat, s->repeatOne);
        refresh();
    });
}

void MprisService::setShuffle(bool shuffle)
{
    later([this, shuffle] {
        const PlayOrderSetting s = withShuffle(m_form.playlist().playState(), shuffle);
        m_form.playlist().setPlayOrder(s.random, s.repeat, s.repeatOne);
        refresh();
    });
}

void MprisService::raise()
{
    later([this] { bringToFront(m_form); });
}

void MprisService::quit()
{
    later([this] { m_form.close(); });
}

} // namespace cantorel::mpris
