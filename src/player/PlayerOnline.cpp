#include "player/PlayerOnline.h"

#include "common/Prompts.h"
#include "controller/PlayerController.h"
#include "follow/Following.h"
#include "follow/PlayerFollowing.h"
#include "lyrics/LyricSource.h"
#include "online/SongSignature.h"
#include "onlinewindows/FetchProgressDialog.h"
#include "onlinewindows/FindLyricsDialog.h"
#include "onlinewindows/FoundLyricShow.h"
#include "onlinewindows/MissingLyricLookup.h"
#include "onlinewindows/OnlineServices.h"
#include "onlinewindows/ShareDialog.h"
#include "player/PlayerWindows.h"
#include "playlist/PlaylistModel.h"
#include "playlistwindow/Playlist.h"

#include <QAction>
#include <QMenu>

#include <algorithm>

namespace cantorel {

PlayerOnline::PlayerOnline(Needs needs, QIcon icon, QObject* parent)
    : QObject(parent), m_needs(needs), m_icon(std::move(icon)), m_services(new OnlineServices(this)),
      m_missing(new MissingLyricLookup(needs.player, *m_services, this))
{
    m_missing->setOn(m_services->lookUpMissing());
    connect(m_missing, &MissingLyricLookup::noted, this, &PlayerOnline::noted);
    addPlayerActions();
    connect(&m_needs.windows, &PlayerWindows::playlistMade, this, &PlayerOnline::addPlaylistActions);
    connect(&m_needs.windows, &PlayerWindows::lyricRecorded, this, &PlayerOnline::shareRecording);
}

PlayerOnline::~PlayerOnline() = default;

void PlayerOnline::addPlayerActions()
{
    QMenu& menu = m_needs.lyricMenu;
    menu.addSeparator();
    QAction* find = menu.addAction(tr("Find Lyrics Online"));
    find->setObjectName(QStringLiteral("mn_findOnline"));
    find->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_F));
    find->setShortcutContext(Qt::WindowShortcut);
    m_needs.window.addAction(find);
    connect(find, &QAction::triggered, this, &PlayerOnline::findForPlayer);

    QAction* missing = menu.addAction(tr("Look up missing lyrics online"));
    missing->setObjectName(QStringLiteral("mn_lookUpMissing"));
    missing->setCheckable(true);
    missing->setChecked(m_missing->isOn());
    connect(missing, &QAction::toggled, this, [this](bool on) {
        m_missing->setOn(on);
        QString why;
        if (!m_services->setLookUpMissing(on, &why))
            Q_EMIT noted(tr("The choice holds until the player ends, but could not be kept: %1").arg(why));
    });

    m_shareAction = menu.addAction(tr("Share on LRCLIB…"));
    m_shareAction->setObjectName(QStringLiteral("mn_shareOnline"));
    connect(m_shareAction, &QAction::triggered, this, &PlayerOnline::shareForPlayer);
    connect(&menu, &QMenu::aboutToShow, this, [this] {
        const PlayerController& p = m_needs.player;
        m_shareAction->setEnabled(p.hasSong() && p.lyricsLoaded() && !p.noLyrics());
    });
}

void PlayerOnline::addPlaylistActions(Playlist& playlist)
{
    QAction* find = playlist.entryMenu().addAction(tr("Find Lyrics Online"));
    find->setObjectName(QStringLiteral("mn_findEntryOnline"));
    connect(find, &QAction::triggered, this, &PlayerOnline::findForEntry);
    QAction* fetchAll = playlist.entryMenu().addAction(tr("Fetch missing lyrics"));
    fetchAll->setObjectName(QStringLiteral("mn_fetchMissing"));
    connect(fetchAll, &QAction::triggered, this, &PlayerOnline::fetchMissing);
}

FindLyricsDialog& PlayerOnline::find()
{
    if (!m_find) {
        m_find = std::make_unique<FindLyricsDialog>(m_needs.player, *m_services, m_needs.prompts);
        m_find->setWindowIcon(m_icon);
        connect(m_find.get(), &FindLyricsDialog::makeTimedLyricRequested, this, &PlayerOnline::makeTimedLyricRequested);
        connect(m_find.get(), &FindLyricsDialog::lyricWritten, this, &PlayerOnline::lyricWritten);
    }
    return *m_find;
}

ShareDialog& PlayerOnline::share()
{
    if (!m_share) {
        m_share = std::make_unique<ShareDialog>(*m_services);
        m_share->setWindowIcon(m_icon);
    }
    return *m_share;
}

FetchProgressDialog& PlayerOnline::fetch()
{
    if (!m_fetch) {
        m_fetch = std::make_unique<FetchProgressDialog>(*m_services);
        m_fetch->setWindowIcon(m_icon);
        connect(m_fetch.get(), &FetchProgressDialog::songDone, this, &PlayerOnline::lyricWritten);
    }
    return *m_fetch;
}

void PlayerOnline::lyricWritten(const QString& mediaPath)
{
    if (m_needs.windows.hasPlaylist()) {
        Playlist& list = m_needs.windows.playlist();
        const int selected = list.selectedIndex();
        if (selected >= 0 && list.model().path(selected) == mediaPath)
            list.lyricsChanged();
    }
    // The player's song, without a lyric until now, shows the one written.
    PlayerController& p = m_needs.player;
    if (p.hasSong() && p.mediaPath() == mediaPath && p.noLyrics())
        showLyricOnDisk(p, mediaPath);
}

void PlayerOnline::findForPlayer()
{
    PlayerController& p = m_needs.player;
    find().showFor(p.hasSong() ? p.mediaPath() : QString(), p.hasSong() ? qint64(p.songLengthMs()) : 0);
}

void PlayerOnline::findForEntry()
{
    Playlist& list = m_needs.windows.playlist();
    const int entry = list.selectedIndex();
    if (entry < 0) {
        m_needs.prompts.message(&list, tr("Select a song in the list first."));
        return;
    }
    const QString path = list.model().path(entry);
    PlayerController& p = m_needs.player;
    find().showFor(path, p.hasSong() && p.mediaPath() == path ? qint64(p.songLengthMs()) : -1);
}

void PlayerOnline::fetchMissing()
{
    Playlist& list = m_needs.windows.playlist();
    if (list.model().count() == 0) {
        m_needs.prompts.message(&list, tr("The playlist is empty: there is nothing to fetch lyrics for."));
        return;
    }
    if (m_fetch && m_fetch->running()) {
        m_fetch->raise();
        return;
    }
    fetch().start(list.model().paths());
}

void PlayerOnline::shareForPlayer()
{
    PlayerController& p = m_needs.player;
    if (!p.hasSong() || !p.lyricsLoaded() || p.noLyrics()) {
        m_needs.prompts.message(&m_needs.window, tr("The song has no timed lyric to share."));
        return;
    }
    // What the user sees, the live offset included.
    share().showFor(p.mediaPath(), p.songLengthMs(), lyrics::lyricOfTable(p.lyricTable()));
}

void PlayerOnline::shareRecording(const QString& mediaPath, qint64 lengthMs)
{
    lyrics::FoundLyric found;
    const lyrics::TimedLyric lyric = lyrics::readLyric(mediaPath, &found);
    if (!lyric.lines.isEmpty())
        share().showFor(mediaPath, lengthMs, lyric);
}

void PlayerOnline::lookUpFollowedTracks(follow::PlayerFollowing& wiring, const follow::Following& following)
{
    connect(&wiring, &follow::PlayerFollowing::lyricWanted, this,
            [this, &following](const follow::TrackSignature& track) {
                const follow::MprisTrack wanted = following.track();
                m_missing->lookUpTrack({track.title, track.artist, track.album, std::max<qint64>(track.lengthMs, 0)},
                                       [&following, wanted] { return following.track() == wanted; });
            });
}

} // namespace cantorel
