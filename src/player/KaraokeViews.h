#pragma once
// The player's views of a lyric sung word by word: the one wipe clock they
// all follow (karaoke/WipeClock.h), fed by the player's heard position and
// told of every play, pause, stop and seek; the lyric pane's word times,
// given as the player's line changes; the desktop lyric bar
// (desktopbar/DesktopLyricsSwitch.h) with its entries in the player's menus.
//
// User-interface thread only.
#include <QObject>

class QMenu;
class QWidget;

namespace cantorel {

class PlayerController;
class Prompts;

namespace karaoke {
class KaraokePane;
class WipeClock;
} // namespace karaoke
namespace desktopbar {
class DesktopLyricsSwitch;
}

class KaraokeViews : public QObject {
    Q_OBJECT
public:
    // `player`, `prompts` and `pane` (the lyric pane) must outlive this;
    // `window` is the player's, which owns it and its messages.
    KaraokeViews(PlayerController& player, Prompts& prompts, karaoke::KaraokePane& pane, QWidget& window);

    karaoke::WipeClock& clock() { return *m_clock; }
    desktopbar::DesktopLyricsSwitch& desktopLyrics() { return *m_bar; }

    // "Desktop Lyrics" (with its Ctrl+D anywhere in `window`) and "Lock" at
    // the end of the player's right-click menu and of the tray's menu.
    void addEntries(QMenu& windowMenu, QMenu& trayMenu);

private:
    void giveWords();

    PlayerController& m_player;
    karaoke::KaraokePane& m_pane;
    QWidget& m_window;
    karaoke::WipeClock* m_clock;
    desktopbar::DesktopLyricsSwitch* m_bar;
};

} // namespace cantorel
