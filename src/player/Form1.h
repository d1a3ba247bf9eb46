#pragma once
// The player window: opens a song with its lyric pair, plays it, and keeps
// the lyric panes, the read-outs and the seek slider in step with the music.
//
// Timing: the position timer cTimer1 runs every 50 ms while playing; the
// line lookup (Timer2) and the emphasis (Timer1) share one 10 ms beat and
// run in that order. Everything runs on the user-interface thread.
#include "engine/AudioErrorCheck.h"
#include "engine/EngineConnection.h"
#include "lyrics/LineLookup.h"
#include "lyrics/LyricTable.h"
#include "player/Form1Ui.h"

#include <QPointer>
#include <QTimer>
#include <QWidget>

#include <memory>

class QMenu;
class QSystemTrayIcon;

namespace cantorel {

class Form2;
class Lyric_Master;
class Playlist;
class Prompts;
class ProgramEnd;
class RandomSource;
class WindowBeat;
namespace screensaver {
class ScreenSaverLink;
}

// What the player needs from the program: the audio engine, the prompts
// and the way to end the program after an audio error.
struct PlayerServices {
    engine::AudioEngine& engine;
    Prompts& prompts;
    ProgramEnd& end;
    // The random advance's generator; null for one seeded at start.
    RandomSource* random = nullptr;
};

class Form1 : public QWidget {
    Q_OBJECT
public:
    explicit Form1(PlayerServices services, QWidget* parent = nullptr);
    ~Form1() override;

    // Window load: shows the window, adds the tray icon, starts the engine
    // and opens `commandLine` (the program's arguments as one text) when it
    // is not empty.
    void load(const QString& commandLine);

    const Form1Ui& ui() const { return m_ui; }
    const lyrics::LyricTable& lyricTable() const { return *m_table; }
    const QString& mediaPath() const { return m_mediaPath; }
    bool playing() const { return m_playing; }
    bool paused() const { return m_paused; }
    bool stopped() const { return m_stopped; }
    bool noLyrics() const { return m_noLyrics; }
    bool lyricsLoaded() const { return m_lyricsLoaded; }
    bool noTranslation() const { return m_table->noTranslation; }
    unsigned playPosition() const { return m_playPosition; }
    QTimer& positionTimer() { return m_cTimer1; }
    WindowBeat& beat() { return *m_beat; }
    bool lookupEnabled() const;
    bool feedingScreenSaver() const;
    screensaver::ScreenSaverLink& screenSaverLink();
    int lastRandomPick() const { return m_lastRandomPick; }
    // The playlist window, made on first use.
    Playlist& playlist();
    bool hasPlaylist() const { return m_playlist != nullptr; }
    bool emphasisEnabled() const;
    // The lyric maker while it is open; null otherwise.
    Form2* lyricMaker() const;
    // The lyric editor, made on first use (from the maker's "Lyrics
    // Editor"); it lives until the program ends.
    Lyric_Master& lyricEditor();
    bool hasLyricEditor() const { return m_editor != nullptr; }

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
    void text3Change(const QString& text);
    void cTimer1Tick();
    void timer2Tick(); // line lookup
    void timer1Tick(); // emphasis
    void command8Click();  // show the playlist at the current song
    void command9Click();  // previous entry
    void command10Click(); // next entry
    void command7Click();  // full screen: start the screen saver and feed it
    void fullTick();       // keeps the screen saver's lines current
    void command5Click();  // make lyrics: stop playback, open the maker
    void showLyricEditor();

    // A drop of these paths onto the window (only the first counts).
    void dropPaths(const QStringList& paths);

    // The program is being ended from outside (a signal, the session): no
    // question can be asked. Unsaved editor lines are written to files of
    // their own (named on stderr), then the window unloads.
    void endWithoutQuestions();
    // Writes the editor's unsaved sides to files of their own (once), as
    // the session asks before it ends.
    void rescueUnsavedLines();

Q_SIGNALS:
    // The window has unloaded; the program ends.
    void unloaded();

protected:
    void closeEvent(QCloseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    // Window unload: the engine is shut down, the tray icon removed, and
    // unloaded() emitted. Runs once.
    void unload();
    // Back to the state of a fresh window after a song the engine refused.
    void enterNoSongState();
    void setTwoPanes(bool two);
    void showMessage(const QString& text);
    void applyPanes(const lyrics::PaneTexts& panes);
    void endOfSong();
    void playEntry(int entry);

    PlayerServices m_services;
    engine::AudioErrorCheck m_check;
    engine::EngineConnection m_engine;
    Form1Ui m_ui;
    std::unique_ptr<lyrics::LyricTable> m_table;
    QSystemTrayIcon* m_tray = nullptr;
    QMenu* m_popup = nullptr; // mn_pop
    // Windows of their own, not children: disabling the player while the
    // maker is open must leave them usable.
    Playlist* m_playlist = nullptr;
    Lyric_Master* m_editor = nullptr;
    QPointer<Form2> m_maker; // deletes itself when closed
    std::unique_ptr<RandomSource> m_ownRandom;
    RandomSource* m_random = nullptr;
    int m_lastRandomPick = 0;

    QTimer m_cTimer1;
    WindowBeat* m_beat = nullptr;
    int m_timer2 = -1;
    int m_timer1 = -1;
    int m_full = -1;
    screensaver::ScreenSaverLink* m_link = nullptr;

    // Player state.
    bool m_playing = false;
    bool m_paused = false;
    bool m_stopped = false;
    bool m_lyricsLoaded = false;
    bool m_noLyrics = false;
    unsigned m_playPosition = 0;
    double m_positionCentis = 0;
    int m_currentLine = 1;

    QString m_mediaPath;
    QString m_mediaFileName;
    QString m_lyricPath;
    QString m_translatedLyricPath;
    QString m_commandLinePath;
    bool m_commandLineFlag = false;
    QString m_handedOverPath;
    bool m_handedOverFlag = false;

    // The line lookup is skipped while neither the position nor the panes
    // have changed since its last run.
    double m_lookedUpAt = -1;
    bool m_unloaded = false;
    bool m_rescued = false;
};

} // namespace cantorel
