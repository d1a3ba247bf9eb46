#include "maker/Form2.h"

#include "audiopolicy/AudioFailurePolicy.h"
#include "common/Prompts.h"
#include "lyrics/LyricFiles.h"
#include "lyrics/LyricSource.h"
#include "lyrics/LyricTransfer.h"
#include "maker/SourceDialogue.h"
#include "platform/HelpWindow.h"
#include "platform/Twips.h"
#include "widgets/LyricPane.h"

#include <QCloseEvent>

#include <climits>
#include <functional>

namespace cantorel {

using maker::FileError;
using maker::Recording;
using maker::Side;

namespace {

engine::Transport::Modes makerModes()
{
    engine::Transport::Modes modes;
    modes.openMode = engine::mode::Software;
    modes.stopMode = engine::mode::Hardware;
    modes.positionPeriodMs = 900;
    modes.forwardOnlySeek = true;
    modes.stopOnlyOnce = false;
    return modes;
}

} // namespace

Form2::Form2(MakerServices services, QWidget* parent)
    : QWidget(parent), m_services(services), m_transport(services.engine, makerModes())
{
    m_ui.setupUi(this);
    setWindowTitle(QStringLiteral("Lyric Maker"));
    setFixedSize(twipsToPixels(Form2Ui::kFormWidth, this), twipsToPixels(Form2Ui::kFormHeight, this));

    // The states of a window with no song yet.
    for (QWidget* w :
         std::initializer_list<QWidget*> {m_ui.Command1, m_ui.Command2, m_ui.Command3, m_ui.cPlay, m_ui.cpause,
                                          m_ui.cstop, m_ui.Check1, m_ui.Slider1, m_ui.Slider2})
        w->setEnabled(false);

    connect(m_ui.Command4, &QPushButton::clicked, this, &Form2::command4Click);
    connect(m_ui.Command1, &QPushButton::clicked, this, &Form2::command1Click);
    connect(m_ui.Command2, &QPushButton::clicked, this, &Form2::command2Click);
    connect(m_ui.Command3, &QPushButton::clicked, this, &Form2::command3Click);
    connect(&m_ui, &TransportControls::reloadRequested, this, &Form2::copenClick);
    connect(&m_ui, &TransportControls::playRequested, this, &Form2::cPlayClick);
    connect(&m_ui, &TransportControls::pauseRequested, this, &Form2::cpauseClick);
    connect(&m_ui, &TransportControls::stopRequested, this, &Form2::cstopClick);
    connect(&m_ui, &TransportControls::muteClicked, this, &Form2::check1Click);
    connect(&m_ui, &TransportControls::volumeChanged, this, &Form2::slider1Change);
    connect(&m_ui, &TransportControls::seekRequested, this, &Form2::slider2Change);
    connect(m_ui.Command5, &QPushButton::clicked, this, &Form2::command5Click);
    connect(m_ui.Command6, &QPushButton::clicked, this, &Form2::command6Click);

    connect(&m_transport, &engine::Transport::positionChanged, this, &Form2::showPosition);
    connect(&m_transport, &engine::Transport::ended, this, &Form2::endOfSong);
    m_services.failures.watch(m_transport, this);
    connect(&m_transport, &engine::Transport::songRefused, this, [this](engine::Result code) {
        // Reported, and no lyric file is touched.
        m_pendingChoice.reset();
        m_services.failures.songRefused(this, code);
        enterNoSongState();
    });
    connect(&m_transport, &engine::Transport::opened, this, [this] {
        m_ui.cPlay->setEnabled(true);
        finishPreparing();
    });
}

Form2::~Form2()
{
    unload();
}

void Form2::showMessage(const QString& text)
{
    m_services.prompts.message(this, text);
}

// ---------------------------------------------------------------- lifecycle

void Form2::load()
{
    m_transport.start();
}

void Form2::closeEvent(QCloseEvent* event)
{
    const bool first = !m_unloaded;
    unload();
    event->accept();
    if (first) {
        offerRecorded();
        Q_EMIT unloaded();
    }
}

void Form2::unload()
{
    if (m_unloaded)
        return;
    m_unloaded = true;
    setCapturing(false);
    m_transport.shutdown();
    m_recording.closeStreams();
}

// ---------------------------------------------------------------- "Open "

void Form2::command4Click()
{
    endEarlierRecording();
    maker::SourceDialogue dialogue(m_services.prompts, this);
    const std::optional<maker::SourceChoice> choice = dialogue.run();
    if (choice)
        prepare(*choice);
}

void Form2::makeFrom(const maker::SourceChoice& choice)
{
    endEarlierRecording();
    prepare(choice);
}

void Form2::offerRecorded()
{
    if (m_offered || !m_recording.allLinesDone() || m_mediaPath.isEmpty())
        return;
    m_offered = true;
    Q_EMIT lyricRecorded(m_mediaPath, m_songLengthMs);
}

void Form2::endEarlierRecording()
{
    m_offered = false;
    if (playing())
        cstopClick();
    setCapturing(false);
    setRecordingButtons(false);
    if (m_recording.noTranslation())
        setTwoPanes(true);
    m_recording.beginPreparation();
}

void Form2::prepare(const maker::SourceChoice& choice)
{
    // The song is loaded before any file is touched: a song the engine
    // refuses is reported and no lyric file is changed.
    m_mediaPath = choice.mediaPath;
    m_pendingChoice = choice;
    copenClick();
    if (m_transport.hasSong())
        finishPreparing();
}

void Form2::finishPreparing()
{
    if (!m_pendingChoice)
        return;
    const maker::SourceChoice choice = *m_pendingChoice;
    m_pendingChoice.reset();

    m_recording.setNoTranslation(!choice.withTranslation());
    m_recording.setWordByWord(m_ui.chkWords->isChecked());
    if (!openStreams(choice))
        return;

    m_ui.Text2->setLyric(m_recording.takeFirstLine(Side::Lyric));
    if (choice.withTranslation())
        m_ui.Text4->setLyric(m_recording.takeFirstLine(Side::Translation));
    else
        setTwoPanes(false);

    m_positionCentis = 0;
    setRecordingButtons(true);
    m_recording.markPrepared();
    showCue();
}

bool Form2::openStreams(const maker::SourceChoice& choice)
{
    // Each failed step is reported and the next one still runs; a recording
    // that is missing a stream is then refused, and its targets get their
    // old lyrics back.
    QString failed;
    QString why;
    auto step = [&](FileError error, const QString& path) {
        if (error == FileError::None)
            return;
        const QString message = maker::fileErrorMessage(error);
        if (!message.isEmpty())
            showMessage(message);
        if (failed.isEmpty()) {
            failed = path;
            why = error == FileError::ReadOnly ? QStringLiteral("is read-only") : QStringLiteral("could not be opened");
        }
    };
    // A read-only lyric file is replaced only when the user says so.
    auto target = [&](const QString& path, const std::function<FileError(ReadOnlyRule)>& make) {
        FileError error = make(ReadOnlyRule::Refuse);
        if (error == FileError::ReadOnly && confirmReplacingReadOnlyLyric(m_services.prompts, this, path))
            error = make(ReadOnlyRule::Replace);
        step(error, path);
    };
    const bool words = m_recording.wordByWord();
    const QString translated = lyrics::translatedLyricPathOf(choice.mediaPath);
    if (choice.withTranslation())
        step(m_recording.openSource(Side::Translation, choice.translatedSource), choice.translatedSource);
    if (choice.withTranslation() && !words) {
        target(translated, [&](ReadOnlyRule r) { return m_recording.createTarget(Side::Translation, translated, r); });
    } else {
        // A translation from an earlier recording would be paired with the
        // new lines (word by word the new one goes into the LRC file): it
        // joins the backups.
        target(translated, [&](ReadOnlyRule r) { return m_recording.setAsideOldTranslation(translated, r); });
    }
    // The pair cannot hold word times: word by word, the song's LRC file is
    // made, and the pair's lyric is set aside so the player finds the LRC.
    const QString lyric = words ? lyrics::defaultLrcPathOf(choice.mediaPath) : lyrics::lyricPathOf(choice.mediaPath);
    if (words) {
        const QString pair = lyrics::lyricPathOf(choice.mediaPath);
        target(pair, [&](ReadOnlyRule r) { return m_recording.setAsideOldLyric(pair, r); });
    }
    step(m_recording.openSource(Side::Lyric, choice.lyricSource), choice.lyricSource);
    target(lyric, [&](ReadOnlyRule r) { return m_recording.createTarget(Side::Lyric, lyric, r); });

    if (m_recording.streamsReady())
        return true;
    m_recording.abandon();
    showMessage(QStringLiteral("Nothing can be recorded: %1 %2.").arg(failed, why));
    return false;
}

void Form2::setTwoPanes(bool two)
{
    m_ui.Text2->setFixedHeight(twipsToPixels(two ? Form2Ui::kPaneHeight : Form2Ui::kOnePaneHeight, this));
    m_ui.Text4->setVisible(two);
    m_ui.Text4->setEnabled(two);
}

void Form2::setRecordingButtons(bool enabled)
{
    m_ui.Command1->setEnabled(enabled);
    m_ui.Command2->setEnabled(enabled);
    m_ui.Command3->setEnabled(enabled);
    // The way of timing is chosen for the next "Open ", not during one.
    m_ui.chkWords->setEnabled(!enabled);
    if (!enabled)
        m_ui.lblNextWord->hide();
}

void Form2::showCue()
{
    // Word by word the user must see which word the key marks.
    const QString cue = m_recording.wordByWord() ? maker::cueText(m_recording.cue()) : QString();
    m_ui.lblNextWord->setText(cue);
    m_ui.lblNextWord->setVisible(!cue.isEmpty());
}

// ---------------------------------------------------------------- recording

void Form2::command1Click()
{
    cPlayClick();
    if (!playing())
        return; // no song, or the engine failed: the program is ending
    const Recording::Step step = m_recording.start(m_positionCentis);
    setCapturing(true);
    m_ui.Command3->setEnabled(true);
    lineWritten(step);
    // The space bar now marks the lines.
    if (m_ui.Command2->isEnabled())
        m_ui.Command2->setFocus();
}

void Form2::command2Click()
{
    lineWritten(m_recording.nextLine(pressTime()));
}

double Form2::pressTime()
{
    // The channel's position now, not the last 900 ms sample: a line starts
    // when the user pressed. A stopped song keeps the last captured time.
    if (!playing())
        return m_positionCentis;
    return m_transport.currentPosition() / 10.0;
}

void Form2::lineWritten(const Recording::Step& step)
{
    if (step.advanced) {
        m_ui.Text2->setLyric(step.line);
        if (!m_recording.noTranslation())
            m_ui.Text4->setLyric(step.translatedLine);
    }
    showCue();
    if (!step.failedPath.isEmpty()) {
        showMessage(QStringLiteral("The line could not be written to %1. The recording stops here; the lines "
                                   "written before it are kept.")
                        .arg(step.failedPath));
        command3Click();
        return;
    }
    if (step.allLinesDone)
        recordingComplete();
}

void Form2::recordingComplete()
{
    setRecordingButtons(false);
    setCapturing(false);
}

void Form2::setCapturing(bool on)
{
    m_capturing = on;
}

void Form2::command3Click()
{
    if (m_recording.recordingOpen()) {
        cstopClick();
        m_recording.stopByUser();
    }
    setRecordingButtons(false);
    setCapturing(false);
}

void Form2::timer2Tick()
{
    // Once the position timer has seen the song move.
    if (m_transport.shownPosition() > 0) {
        if (!m_ui.Command2->isEnabled())
            m_ui.Command2->setEnabled(true);
        m_positionCentis = playPosition() / 10.0;
    }
}

// ---------------------------------------------------------------- transport

void Form2::copenClick()
{
    if (m_mediaPath.isEmpty())
        return;
    // A refused song comes back through songRefused, one still opening
    // through opened.
    if (m_transport.open(m_mediaPath) == engine::Transport::OpenStart::Ready)
        m_ui.cPlay->setEnabled(true);
}

void Form2::enterNoSongState()
{
    setCapturing(false);
    // What was recorded so far stays in the files.
    if (m_recording.recordingOpen())
        m_recording.stopByUser();
    setRecordingButtons(false);
    m_ui.showNoSong();
    m_ui.setSeekQuietly(0);
    m_ui.Command4->setEnabled(true);
    m_mediaPath.clear();
}

void Form2::cPlayClick()
{
    if (m_transport.play(m_ui.volume(), m_ui.muteTicked()) != engine::Transport::Outcome::Done)
        return;
    m_ui.showPlaying();
}

void Form2::cpauseClick()
{
    if (m_transport.togglePause() != engine::Transport::Outcome::Done)
        return;
    // No new song can be chosen while one is paused.
    m_ui.Command4->setEnabled(!paused());
}

void Form2::cstopClick()
{
    // A file that went away while it played is refused (songRefused).
    if (m_transport.stop() != engine::Transport::Outcome::Done)
        return;
    m_ui.showStopped();
    m_ui.setSeekQuietly(0);
    // A stopped song is no longer paused, so a new one may be chosen.
    m_ui.Command4->setEnabled(true);
}

void Form2::check1Click()
{
    m_transport.setMute(m_ui.muteTicked());
}

void Form2::slider1Change(int value)
{
    m_transport.setVolume(float(value) / 10.0f);
}

void Form2::slider2Change(int value)
{
    // Forward only, never to the end. The length of a stream opened without
    // a scan is an estimate: a seek past the true end is refused and simply
    // does not happen.
    m_transport.seek(unsigned(value));
}

void Form2::cTimer1Tick()
{
    m_transport.tick();
}

void Form2::showPosition(unsigned positionMs, unsigned lengthMs)
{
    m_ui.showPosition(positionMs, lengthMs, m_transport.shownPosition(), m_transport.length());
    if (lengthMs > 0)
        m_songLengthMs = lengthMs;
    // The capture step has news only when the position has been read.
    if (m_capturing)
        timer2Tick();
}

void Form2::endOfSong()
{
    m_ui.setSeekQuietly(0);
    cstopClick();
    if (m_recording.songEnded(m_transport.length() / 10.0)) {
        setRecordingButtons(false);
        m_ui.cPlay->setEnabled(false);
        offerRecorded();
    }
}

// ---------------------------------------------------------------- other windows

void Form2::command5Click()
{
    showHelp(this, m_services.prompts);
}

void Form2::command6Click()
{
    Q_EMIT lyricsEditorRequested();
}

} // namespace cantorel
