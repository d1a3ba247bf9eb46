#pragma once
// The player window: opens a song with its lyric pair, plays it, and keeps
// the lyric panes, the read-outs and the seek slider in step with the music.
//
// The transport (engine/Transport.h) holds the engine connection, the flags
// and the 50 ms position timer cTimer1; the transport controls are its view.
// The lyric panes follow the song through LyricFollower, which asks the line
// lookup (Timer2) only when its answer can change and the emphasis rule
// (Timer1) when a pane's text does. Everything runs on the user-interface
// thread.
#include "engine/Transport.h"
#include "lyrics/LyricTable.h"
#include "player/Form1Ui.h"

#include <QPointer>
#include <QWidget>

#include <memory>

class QMenu;

namespace cantorel {

class AudioFailurePolicy;
class Form1b;
class Form2;
class LyricEncodingMenu;
class LyricFollower;
class LyricNudge;
class ScreenSaverFeed;
class Lyric_Displayer;
class Lyric_Master;
class PlayerTray;
class PlayerWindows;
class Playlist;
class PlaylistAdvance;
class Prompts;
class RandomSource;

namespace lyrics {
class EncodingChoices;
}

// What the player needs from the program: the audio engine, the prompts,
// and what happens when the engine fails (the program's policy).
struct PlayerServices {
    engine::AudioEngine& engine;
    Prompts& prompts;
    AudioFailurePolicy& failures;
    // The random advance's generator; null for one seeded at start.
    RandomSource* random = nullptr;
    // The user's lyric encodings, as installed for every lyric read
    // (lyrics/EncodingChoices.h); null: the "Lyric encoding" menu is off.
    lyrics::EncodingChoices* encodingChoices = nullptr;
};

class Form1 : public QWidget {
    Q_OBJECT
public:
    explicit Form1(PlayerServices services, QWidget* parent = nullptr);
    ~Form1() override;

    // Window load: shows the window, adds the tray icon, starts the engine
    // and opens `commandLine` (a song's path as typed: see typedPath() in
    // LaunchPath.h) when it is not empty.
    void load(const QString& commandLine);

    const Form1Ui& ui() const { return m_ui; }
    const lyrics::LyricTable& lyricTable() const { return *m_table; }
    const QString& mediaPath() const { return m_mediaPath; }
    bool playing() const { return m_transport.playing(); }
    bool paused() const { return m_transport.paused(); }
    bool stopped() const { return m_transport.stopped(); }
    bool noLyrics() const { return m_noLyrics; }
    bool lyricsLoaded() const { return m_lyricsLoaded; }
    bool noTranslation() const { return m_table->noTranslation; }
    engine::Transport& transport() { return m_transport; }
    QTimer& positionTimer() { return m_transport.positionTimer(); }
    // The single-shot timer of the next lyric line.
    QTimer& lineTimer();
    bool lookupEnabled() const;
    int lastRandomPick() const { return m_lastRandomPick; }
    // The other windows (PlayerWindows.h), each made on first use: the
    // playlist, the lyric maker (while open; null otherwise), the lyric
    // editor (from the maker's "Lyrics Editor"), the floating lyric window
    // and the display options.
    Playlist& playlist();
    bool hasPlaylist() const;
    Form2* lyricMaker() const;
    Lyric_Master& lyricEditor();
    bool hasLyricEditor() const;
    Lyric_Displayer& floatingWindow();
    bool hasFloatingWindow() const;
    Form1b& optionsWindow();
    PlayerTray& tray() { return *m_tray; }

public Q_SLOTS:
    // The handlers, named after their controls.
    void command2Click(); // the open action
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
    // Window unload: the engine is shut down, the tray icon removed, and
    // unloaded() emitted. Runs once.
    void unload();
    // The rest of the open action, once the song's stream is open.
    void loadLyricAndPlay();
    void songOpened();
    // The engine refused the song: said, and back to the no-song state.
    void songRefused(engine::Result code);
    // Back to the state of a fresh window after a song the engine refused.
    void enterNoSongState();
    void setTwoPanes(bool two);
    void showMessage(const QString& text);
    void showPosition(unsigned positionMs, unsigned lengthMs);
    void endOfSong();
    void playEntry(int entry);
    // The tray tip follows the pane chosen under "Taskbar display".
    void showLineInTray();
    void buildLyricMenu();
    // The lyric again from its files, as they read now (another encoding
    // chosen), at the same place in the song.
    void reloadLyric();

    PlayerServices m_services;
    engine::Transport m_transport;
    Form1Ui m_ui;
    std::unique_ptr<lyrics::LyricTable> m_table;
    LyricFollower* m_follower = nullptr;
    PlayerTray* m_tray = nullptr;
    QMenu* m_popup = nullptr;     // mn_pop
    QMenu* m_lyricMenu = nullptr; // the window's own: mn_pop's entries and the offset
    LyricNudge* m_nudge = nullptr;
    LyricEncodingMenu* m_encodingMenu = nullptr;
    ScreenSaverFeed* m_feed = nullptr;
    PlayerWindows* m_windows = nullptr;
    PlaylistAdvance* m_advance = nullptr; // the playlist moving on by itself
    std::unique_ptr<RandomSource> m_ownRandom;
    RandomSource* m_random = nullptr;
    int m_lastRandomPick = 0;

    // Player state besides the transport's flags.
    bool m_lyricsLoaded = false;
    bool m_noLyrics = false;
    int m_currentLine = 1;

    QString m_mediaPath;
    QString m_mediaFileName;
    QString m_lyricPath;
    QString m_commandLinePath;
    bool m_commandLineFlag = false;
    QString m_handedOverPath;
    bool m_handedOverFlag = false;

    bool m_finishOpening = false; // the open action waits for its song
    bool m_openByItself = false;  // the playlist moved on to it (PlaylistAdvance)
    bool m_unloaded = false;
    bool m_rescued = false;
    bool m_unsavedLinesLost = false;
};

} // namespace cantorel
