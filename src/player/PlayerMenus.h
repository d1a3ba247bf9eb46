#pragma once
// The player window's menus: the pop-up menu "mn_pop" ("popupmenusystem":
// "Open" mn_open, "Playlist" mn_Playlist) the tray opens, and the window's
// own right-click menu "lyricMenu": the same two entries (not every desktop
// has a tray), the lyric's offset (OffsetActions.h, keys that work anywhere
// in the window), "Lyric encoding" (LyricEncodingMenu.h), which reads
// the player's lyric again in the encoding chosen, and "Follow another
// player" (FollowMenu.h) when the program has other players to follow.
// User-interface thread only.
#include <QObject>

class QAction;
class QMenu;
class QWidget;

namespace cantorel {

class LyricEncodingMenu;
class PlayerController;
namespace lyrics {
class EncodingChoices;
}
namespace follow {
class Following;
}

class PlayerMenus : public QObject {
    Q_OBJECT
public:
    // The menus are children of `window`; `choices` may be null (the
    // encoding menu stays off).
    PlayerMenus(QWidget& window, PlayerController& player, lyrics::EncodingChoices* choices);

    // Adds "Follow another player" to the window's menu.
    void addFollowMenu(follow::Following& following);

    QMenu& popup() { return *m_popup; }
    QMenu& lyricMenu() { return *m_lyricMenu; }
    LyricEncodingMenu& encodingMenu() { return *m_encodingMenu; }

Q_SIGNALS:
    void openRequested();     // mn_open
    void playlistRequested(); // mn_Playlist

private:
    QMenu* m_popup;
    QMenu* m_lyricMenu;
    LyricEncodingMenu* m_encodingMenu;
};

} // namespace cantorel
