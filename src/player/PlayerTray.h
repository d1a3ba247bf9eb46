#pragma once
// The player's icon in the desktop's tray. Its tip is the line the player
// shows, the lyric's or the translation's as chosen under "Taskbar display",
// at most 63 characters, and it is set only when that line or the choice
// changes (no timer). A click or a double click on the icon brings the
// player forward; the context request brings it forward and opens its
// pop-up menu ("Open", "Playlist"). It talks to the player, not to its
// window. On a desktop without a tray everything else works and nothing is
// reported.
//
// User-interface thread only.
#include <QObject>
#include <QString>
#include <QSystemTrayIcon>

class QMenu;

namespace cantorel {

class PlayerController;

class PlayerTray : public QObject {
    Q_OBJECT
public:
    // The most a tip shows of a line.
    static constexpr int kTipLength = 63;

    // `player` and `popup` must outlive the tray.
    PlayerTray(PlayerController& player, QMenu& popup, const QIcon& icon, QObject* parent = nullptr);

    // Adds the icon, when the desktop has a tray; hide() removes it.
    void show();
    void hide();

    // The tip for `line`: its first 63 characters, without carriage returns
    // or line breaks at its end.
    static QString tipFor(const QString& line);
    // The tip shows the translation's line (true) or the lyric's.
    void showTranslation(bool translated);
    QString tip() const { return m_icon->toolTip(); }

    // What the desktop reports of the icon.
    void activate(QSystemTrayIcon::ActivationReason reason);

private:
    void showLine();

    PlayerController& m_player;
    QMenu& m_popup;
    QSystemTrayIcon* m_icon;
    bool m_translated = false;
};

} // namespace cantorel
