#pragma once
// The player window: a view of the player (controller/PlayerController.h).
// Its controls keep their classic handler names (command2Click the open,
// cPlayClick, slider2Change, text3Change the hand-over, ...); each forwards
// to the player, and the window draws what the player signals: the
// transport's states, the read-outs and the seek slider, the lyric lines,
// the title. It also owns what only a window has: the open dialog, the
// message boxes, the tray icon, the lyric menu and the other windows.
// Everything runs on the user-interface thread.
#include "player/Form1Ui.h"
#include "player/PlayerWindows.h"

#include <QWidget>

#include <memory>

namespace cantorel {

class AudioFailurePolicy;
class KaraokeViews;
class LyricPanesView;
class PlayerController;
class PlayerMenus;
class PlayerOnline;
class PlayerTray;
class Prompts;
class ScreenSaverFeed;
struct UserMessage;

namespace engine {
class AudioEngine;
}
namespace lyrics {
class EncodingChoices;
struct FoundLyric;
} // namespace lyrics
namespace follow {
class Following;
}

// What the window needs from the program besides the player: the audio
// engine (for the lyric maker's own connection), the prompts, and what
// happens when the engine fails (the program's policy).
struct PlayerServices {
    engine::AudioEngine& engine;
    Prompts& prompts;
    AudioFailurePolicy& failures;
    // The user's lyric encodings, as installed for every lyric read
    // (lyrics/EncodingChoices.h); null: the "Lyric encoding" menu is off.
    lyrics::EncodingChoices* encodingChoices = nullptr;
    // The other players on the desktop the lyric can follow
    // (follow/Following.h); null: the "Follow another player" menu is off.
    follow::Following* following = nullptr;
};

class Form1 : public QWidget {
    Q_OBJECT
public:
    // `player` must outlive the window.
    Form1(PlayerController& player, PlayerServices services, QWidget* parent = nullptr);
    ~Form1() override;

    // Window load: shows the window, adds the tray icon, starts the engine
    // and opens `commandLine` (a song's path as typed: see typedPath() in
    // controller/LaunchPath.h) when it is not empty.
    void load(const QString& commandLine);

    const Form1Ui& ui() const { return m_ui; }
    PlayerController& player() { return m_player; }
    // The other windows (PlayerWindows.h), each made on first use: the
    // playlist, the lyric maker (while open; null otherwise), the lyric
    // editor (from the maker's "Lyrics Editor"), the floating lyric window
    // and the display options.
    Playlist& playlist() { return m_windows->playlist(); }
    bool hasPlaylist() const { return m_windows->hasPlaylist(); }
    Form2* lyricMaker() const { return m_windows->maker(); }
    Lyric_Master& lyricEditor() { return m_windows->lyricEditor(); }
    bool hasLyricEditor() const { return m_windows->hasLyricEditor(); }
    Lyric_Displayer& floatingWindow() { return m_windows->floatingWindow(); }
    bool hasFloatingWindow() const { return m_windows->hasFloatingWindow(); }
    Form1b& optionsWindow() { return m_windows->optionsWindow(); }
    PlayerTray& tray() { return *m_tray; }
    // The wipe clock, the lyric pane's word times and the desktop lyric bar.
    KaraokeViews& karaoke() { return *m_karaoke; }
    PlayerOnline& online() { return *m_online; }

public Q_SLOTS:
    // The handlers, named after their controls.
    void command2Click(); // the open dialog
    void command1Click(); // play with lyrics
    void copenClick();
    void cPlayClick();
    void cpauseClick();
    void cstopClick();
    void check1Click();
    void slider1Change(int value);
    void slider2Change(int value);
    void text3Change(const QString& text); // a path handed over: open and play it
    void cTimer1Tick();
    void timer2Tick();     // line lookup
    void timer1Tick();     // emphasis
    void command8Click();  // show the playlist at the current song
    void command9Click();  // previous entry
    void command10Click(); // next entry
    void command7Click();  // full screen: start the screen saver and feed it
    void fullTick();       // sends the screen saver the current lines
    void command5Click();  // make lyrics: stop playback, open the maker
    void command3Click();  // more options: the panes' fonts and colours
    void command4Click();  // about
    void command6Click();  // help
    void command11Click(); // display all lyrics: fill and show the floating window
    // Fills the floating window's lists from the lyric table.
    void lyricDisplayer();

    // A drop of these paths onto the window (only the first counts).
    void dropPaths(const QStringList& paths);
    // Opens the Lyric Maker (as "Make lyrics" does) ready to time the
    // plain text `lyricSource` for the song `mediaPath`.
    void makeLyricsFrom(const QString& mediaPath, const QString& lyricSource);

    // The program is being ended from outside (a signal, the session): no
    // question can be asked. Unsaved editor lines are written to files of
    // their own (named on stderr), then the window unloads.
    void endWithoutQuestions();
    // Writes the editor's unsaved sides to files of their own (once), as
    // the session asks before it ends. Lines that no file could take are
    // printed on stderr, and unsavedLinesLost() is true from then on.
    void rescueUnsavedLines();
    bool unsavedLinesLost() const { return m_unsavedLinesLost; }

Q_SIGNALS:
    // The window has unloaded; the program ends.
    void unloaded();

protected:
    void closeEvent(QCloseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void connectControls();
    void connectPlayer();
    // Window unload: the engine is shut down, the tray icon removed, and
    // unloaded() emitted. Runs once.
    void unload();
    // What the player says, drawn.
    void showState();
    void showTitle();
    void showVolume();
    void showLyricLoaded(const lyrics::FoundLyric& found, bool newSong);
    void showOffsetMoved(const QString& said);
    void tell(const UserMessage& message);
    // The window that owns a message box: this one, or the playlist while
    // the lyric maker has this one disabled.
    QWidget* messageOwner();
    void bringForward();

    PlayerController& m_player;
    PlayerServices m_services;
    Form1Ui m_ui;
    std::unique_ptr<LyricPanesView> m_panes;
    PlayerMenus* m_menus = nullptr;
    PlayerTray* m_tray = nullptr;
    ScreenSaverFeed* m_feed = nullptr;
    PlayerWindows* m_windows = nullptr;
    KaraokeViews* m_karaoke = nullptr;
    PlayerOnline* m_online = nullptr;
    bool m_unloaded = false;
    bool m_rescued = false;
    bool m_unsavedLinesLost = false;
};

} // namespace cantorel
