#pragma once
// Everything about the desktop lyric bar (DesktopLyrics.h) but its drawing:
// whether it is shown and locked, what it shows, where it goes, and what of
// it is kept between runs (BarSettings.h).
//
// - "Desktop Lyrics" (toggleAction(), object name `mn_desktopLyrics`,
//   Ctrl+D where the player adds it) shows and hides it; "Lock"
//   (lockAction(), `mn_lockLyrics`) makes it pass every click through, and
//   unlocks it again from the menus that hold the action (the tray's).
// - It shows what the player shows (PlayerController.h: its lines, lyric
//   table and position through the wipe clock), or the song's title (the
//   tags' title, else the file's name) when the song has no lyric.
// - With "Hide when the player stops" chosen, it is out of sight while the
//   player is stopped, and back once it plays.
// - It goes where the user left it, or onto the primary screen when that
//   place is on no screen now (BarPlacement.h).
// The bar is made the first time it is shown. A setting that cannot be
// written is said once a run (notKept()); the bar goes on as chosen.
//
// User-interface thread only.
#include "base/AppSettings.h"
#include "desktopbar/DesktopLyrics.h"

#include <QObject>
#include <QPointer>
#include <QTimer>

#include <functional>
#include <memory>

class QAction;

namespace cantorel {

class PlayerController;
class Prompts;

namespace karaoke {
class WipeClock;
}
namespace lyrics {
class BackgroundReads;
}

namespace desktopbar {

class BarMenu;
class BarSettings;

class DesktopLyricsSwitch : public QObject {
    Q_OBJECT
public:
    struct Needs {
        PlayerController& player;
        karaoke::WipeClock& clock;
        Prompts& prompts;
        QString settingsPath = AppSettings::defaultPath();
    };

    // Shows the bar at once when it was shown when the program last ended.
    explicit DesktopLyricsSwitch(Needs needs, QObject* parent = nullptr);
    ~DesktopLyricsSwitch() override;

    QAction* toggleAction() const { return m_toggle; }
    QAction* lockAction() const { return m_lock; }
    QAction* hideOnStopAction() const { return m_hideOnStop; }
    BarMenu& menu() { return *m_menu; }

    // The bar, once it has been shown; null before.
    DesktopLyrics* bar() const { return m_bar; }
    bool shown() const;

    void setShown(bool shown);
    void setLocked(bool locked);
    void setHideOnStop(bool hide);

Q_SIGNALS:
    // A setting could not be kept (`reason` says why); said once a run.
    void notKept(const QString& reason);

private:
    void makeActions();
    void makeBar();
    void connectPlayer();
    // Shows or hides the bar as the user's choice and the player say.
    void showAsChosen();
    void showLines();
    void songOpened(const QString& path);
    void keep(const std::function<void(BarSettings&)>& change);

    Needs m_needs;
    std::unique_ptr<BarSettings> m_settings;
    QAction* m_toggle = nullptr;
    QAction* m_lock = nullptr;
    QAction* m_hideOnStop = nullptr;
    QAction* m_close = nullptr;
    BarMenu* m_menu = nullptr;
    QPointer<DesktopLyrics> m_bar;
    lyrics::BackgroundReads* m_titleReads = nullptr;
    QString m_titlePath; // the song m_title is of
    QString m_title;
    QTimer m_settle;     // the player's state, looked at once its handlers are done
    bool m_said = false; // notKept was emitted
};

} // namespace desktopbar
} // namespace cantorel
