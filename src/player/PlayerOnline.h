#pragma once
// The player's lyrics from the net, wired to its menus and windows:
//   - "Find Lyrics Online" (Ctrl+F, the window's right-click menu) for the
//     player's song, and in the playlist's right-click menu for the entry
//     selected (onlinewindows/FindLyricsDialog.h);
//   - "Look up missing lyrics online" (a check in the right-click menu, off
//     unless the user turns it on; onlinewindows/MissingLyricLookup.h);
//   - "Share on LRCLIB…" for the player's timed lyric, and after the Lyric
//     Maker completed a recording (onlinewindows/ShareDialog.h);
//   - the playlist's "Fetch missing lyrics" for every entry
//     (onlinewindows/FetchProgressDialog.h); the indicators follow.
// The windows are made on first use and live as long as this.
//
// User-interface thread only.
#include <QIcon>
#include <QObject>

#include <memory>

class QAction;
class QMenu;
class QWidget;

namespace cantorel {

class FetchProgressDialog;
class FindLyricsDialog;
class MissingLyricLookup;
class OnlineServices;
class PlayerController;
class PlayerWindows;
class Playlist;
class Prompts;
class ShareDialog;
namespace follow {
class Following;
class PlayerFollowing;
} // namespace follow

class PlayerOnline : public QObject {
    Q_OBJECT
public:
    struct Needs {
        QWidget& window; // the player's: Ctrl+F works anywhere in it
        PlayerController& player;
        Prompts& prompts;
        QMenu& lyricMenu;
        PlayerWindows& windows;
    };
    PlayerOnline(Needs needs, QIcon icon, QObject* parent = nullptr);
    ~PlayerOnline() override;

    OnlineServices& services() { return *m_services; }
    // "Look up missing lyrics online" covers the tracks of a player that
    // `wiring` follows too: a track without a lyric here is looked up by
    // its signature, and what is found shown while `following` still
    // follows that track. Both must outlive this.
    void lookUpFollowedTracks(follow::PlayerFollowing& wiring, const follow::Following& following);
    FindLyricsDialog* findDialog() const { return m_find.get(); }
    ShareDialog* shareDialog() const { return m_share.get(); }
    FetchProgressDialog* fetchDialog() const { return m_fetch.get(); }

public Q_SLOTS:
    void findForPlayer();
    void findForEntry();
    void fetchMissing();
    void shareForPlayer();
    void shareRecording(const QString& mediaPath, qint64 lengthMs);

Q_SIGNALS:
    // "Make timed lyric from it": the Lyric Maker should time `lyricSource`.
    void makeTimedLyricRequested(const QString& mediaPath, const QString& lyricSource);
    // Something the user should see briefly, without a box.
    void noted(const QString& text);

private:
    void addPlayerActions();
    void addPlaylistActions(Playlist& playlist);
    FindLyricsDialog& find();
    ShareDialog& share();
    FetchProgressDialog& fetch();
    void lyricWritten(const QString& mediaPath);

    Needs m_needs;
    QIcon m_icon;
    OnlineServices* m_services;
    MissingLyricLookup* m_missing;
    QAction* m_shareAction = nullptr;
    std::unique_ptr<FindLyricsDialog> m_find;
    std::unique_ptr<ShareDialog> m_share;
    std::unique_ptr<FetchProgressDialog> m_fetch;
};

} // namespace cantorel
