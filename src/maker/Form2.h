#pragma once
// The lyric maker window: plays one song on an engine connection of its own
// and records the moment each line of a plain-text lyric begins, writing the
// song's timed lyric pair beside it.
//
// "Open " chooses the song and the sources (SourceDialogue) and prepares a
// Recording; "Start making Lyrics", "Next Line" and "Stop Making Lyrics"
// drive it. A line's time is the channel's position read at the press.
// With "Word by word" ticked at "Open ", "Next Line" marks each word and the
// song's LRC file is written instead of the pair (Recording.h); a label
// under the panes shows the word the next press marks.
//
// Timing: the transport's position timer cTimer1 runs every 900 ms while
// playing (the read-outs, the seek slider, the end of the song). The capture
// step (Timer2) runs on each position the timer reads, from Start until the
// recording ends: it has nothing to do between them. Everything runs on the
// user-interface thread.
//
// Closing the window is its unload: the engine connection is shut down, the
// recording's files are closed (what was recorded stays) and unloaded() is
// emitted so that the main window enables itself again.
#include "engine/Transport.h"
#include "maker/Form2Ui.h"
#include "maker/Recording.h"
#include "maker/SourceDialogue.h"

#include <QTimer>
#include <QWidget>

namespace cantorel {

class AudioFailurePolicy;
class Prompts;

// What the maker needs from the program.
struct MakerServices {
    engine::AudioEngine& engine;
    Prompts& prompts;
    AudioFailurePolicy& failures;
};

class Form2 : public QWidget {
    Q_OBJECT
public:
    explicit Form2(MakerServices services, QWidget* parent = nullptr);
    ~Form2() override;

    // Window load: starts the engine connection and sets the starting
    // states. Call once, before showing the window.
    void load();
    // "Open " with its questions already answered: `choice` is prepared as
    // if the user had chosen it (a recording going on ends first).
    void makeFrom(const maker::SourceChoice& choice);

    const Form2Ui& ui() const { return m_ui; }
    const maker::Recording& recording() const { return m_recording; }
    const engine::EngineConnection& engineConnection() const { return m_transport.connection(); }
    const QString& mediaPath() const { return m_mediaPath; }
    bool playing() const { return m_transport.playing(); }
    bool paused() const { return m_transport.paused(); }
    unsigned playPosition() const { return m_transport.position(); }
    double positionCentis() const { return m_positionCentis; }
    double lastSeekValue() const { return m_transport.shownPosition(); }
    QTimer& positionTimer() { return m_transport.positionTimer(); }
    bool captureEnabled() const { return m_capturing; }

public Q_SLOTS:
    // The handlers, named after their controls.
    void command4Click(); // "Open ": choose the song and sources
    void command1Click(); // "Start making Lyrics"
    void command2Click(); // "Next Line"
    void command3Click(); // "Stop Making Lyrics"
    void copenClick();    // load the song
    void cPlayClick();
    void cpauseClick();
    void cstopClick();
    void check1Click();
    void slider1Change(int value);
    void slider2Change(int value);
    void cTimer1Tick();   // position, every 900 ms
    void timer2Tick();    // capture, on each position read
    void command5Click(); // "Help"
    void command6Click(); // "Lyrics Editor"

Q_SIGNALS:
    // The window has unloaded: the main window may be used again.
    void unloaded();
    // "Lyrics Editor" was pressed: the editor window should be shown.
    void lyricsEditorRequested();
    // A recording of every line is complete and its files closed (the song
    // played to its end, or the window closed): the lyric of `mediaPath`
    // (`lengthMs` long) may be offered for sharing. Once per recording.
    void lyricRecorded(const QString& mediaPath, qint64 lengthMs);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    // The three steps of "Open ".
    void endEarlierRecording();
    void prepare(const maker::SourceChoice& choice);
    // The rest of the preparation, once the song is open.
    void finishPreparing();
    bool openStreams(const maker::SourceChoice& choice);
    void setTwoPanes(bool two);
    // Back to a window without a song after the engine refused one.
    void enterNoSongState();
    void showPosition(unsigned positionMs, unsigned lengthMs);
    void endOfSong();
    void setCapturing(bool on);
    void setRecordingButtons(bool enabled);
    // Word by word: shows what the next press marks.
    void showCue();
    void lineWritten(const maker::Recording::Step& step);
    void recordingComplete();
    // The play position at this moment, in hundredths of a second.
    double pressTime();
    void showMessage(const QString& text);
    void unload();
    void offerRecorded();

    MakerServices m_services;
    engine::Transport m_transport;
    Form2Ui m_ui;
    maker::Recording m_recording;

    bool m_capturing = false;
    // The choice waiting for its song to open.
    std::optional<maker::SourceChoice> m_pendingChoice;
    double m_positionCentis = 0;
    QString m_mediaPath;

    bool m_loaded = false;
    bool m_unloaded = false;
    bool m_offered = false;    // lyricRecorded() was emitted for this recording
    qint64 m_songLengthMs = 0; // as the position timer last read it
};

} // namespace cantorel
