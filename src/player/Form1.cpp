#include "player/Form1.h"

#include "audiopolicy/AudioFailurePolicy.h"
#include "base/AppTitle.h"
#include "base/FilePaths.h"
#include "base/ProgramDirectory.h"
#include "common/MediaFiles.h"
#include "common/Prompts.h"
#include "editor/Lyric_Master.h"
#include "engine/ResultTexts.h"
#include "floating/Lyric_Displayer.h"
#include "lyrics/LyricFiles.h"
#include "lyrics/LyricSource.h"
#include "maker/Form2.h"
#include "options/Form1b.h"
#include "options/MoreOptions.h"
#include "options/frmAbout.h"
#include "platform/HelpWindow.h"
#include "platform/Twips.h"
#include "player/LaunchPath.h"
#include "player/LyricEncodingMenu.h"
#include "player/LyricFollower.h"
#include "player/LyricNudge.h"
#include "player/PlayerTray.h"
#include "player/PlayerWindows.h"
#include "player/PlaylistAdvance.h"
#include "player/ScreenSaverFeed.h"
#include "playlist/PlayOrder.h"
#include "playlist/PlaylistModel.h"
#include "playlistwindow/Playlist.h"
#include "widgets/Controls.h"
#include "widgets/LyricPane.h"

#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QIcon>
#include <QMenu>
#include <QMimeData>
#include <QStyle>
#include <QTimer>
#include <QToolTip>

#include <cstdio>
#include <utility>

namespace cantorel {

using lyrics::LyricLoad;
using Outcome = engine::Transport::Outcome;

Form1::Form1(PlayerServices services, QWidget* parent)
    : QWidget(parent), m_services(services),
      m_transport(services.engine, engine::Transport::Modes {}), // the player's modes
      m_table(std::make_unique<lyrics::LyricTable>())
{
    m_ui.setupUi(this);
    // Nothing of the transport works before a song is open.
    m_ui.showNoSong();
    setWindowTitle(playerTitle());
    QIcon icon(bundledDataPath(QStringLiteral("icons/cantorel.png")));
    if (icon.isNull())
        icon = style()->standardIcon(QStyle::SP_MediaPlay);
    setWindowIcon(icon);
    // The designed size in the normal state (see resizeEvent).
    const QSize designed(twipsToPixels(Form1Ui::kFormWidth, this), twipsToPixels(Form1Ui::kFormHeight, this));
    setMinimumSize(designed);
    resize(designed);
    setAcceptDrops(true);

    m_random = services.random;
    if (!m_random) {
        m_ownRandom = std::make_unique<SeededRandom>();
        m_random = m_ownRandom.get();
    }

    m_popup = new QMenu(QStringLiteral("popupmenusystem"), this);
    m_popup->setObjectName(QStringLiteral("mn_pop"));
    QAction* open = m_popup->addAction(QStringLiteral("Open"));
    open->setObjectName(QStringLiteral("mn_open"));
    QAction* list = m_popup->addAction(QStringLiteral("Playlist"));
    list->setObjectName(QStringLiteral("mn_Playlist"));
    connect(open, &QAction::triggered, this, &Form1::command2Click);
    connect(list, &QAction::triggered, this, &Form1::command8Click);

    m_follower = new LyricFollower(*m_table, m_transport, *m_ui.Text1, *m_ui.Text2, this);
    m_tray = new PlayerTray(*this, *m_popup, windowIcon(), this);
    m_feed = new ScreenSaverFeed(*m_ui.Text1, *m_ui.Text2, this);
    m_windows =
        new PlayerWindows(PlayerWindows::Needs {services.engine, services.prompts, services.failures, *m_ui.Text1,
                                                *m_ui.Text2, [this] { return int(m_transport.shownPosition()); }},
                          windowIcon(), this);
    m_advance = new PlaylistAdvance({[this] { return hasPlaylist() ? &playlist() : nullptr; }, services.prompts, *this,
                                     *m_random, m_lastRandomPick},
                                    this);
    buildLyricMenu();
    connectControls();
    showLineInTray(); // the pane's text from the start
}

Form1::~Form1() = default;

void Form1::connectControls()
{
    connect(m_ui.Command2, &QPushButton::clicked, this, &Form1::command2Click);
    connect(m_ui.Command1, &QPushButton::clicked, this, &Form1::command1Click);
    connect(&m_ui, &TransportControls::reloadRequested, this, &Form1::copenClick);
    connect(&m_ui, &TransportControls::playRequested, this, &Form1::cPlayClick);
    connect(&m_ui, &TransportControls::pauseRequested, this, &Form1::cpauseClick);
    connect(&m_ui, &TransportControls::stopRequested, this, &Form1::cstopClick);
    connect(&m_ui, &TransportControls::muteClicked, this, &Form1::check1Click);
    connect(&m_ui, &TransportControls::volumeChanged, this, &Form1::slider1Change);
    connect(&m_ui, &TransportControls::seekRequested, this, &Form1::slider2Change);
    connect(m_ui.Command8, &QPushButton::clicked, this, &Form1::command8Click);
    connect(m_ui.Command9, &QPushButton::clicked, this, &Form1::command9Click);
    connect(m_ui.Command10, &QPushButton::clicked, this, &Form1::command10Click);
    connect(m_ui.Command7, &QPushButton::clicked, this, &Form1::command7Click);
    connect(m_ui.Command5, &QPushButton::clicked, this, &Form1::command5Click);
    connect(m_ui.Text3, &QLineEdit::textChanged, this, &Form1::text3Change);
    connect(m_ui.Text1, &LyricPane::clicked, m_ui.cText1, qOverload<>(&QWidget::setFocus));
    connect(m_ui.Text2, &LyricPane::clicked, m_ui.cText1, qOverload<>(&QWidget::setFocus));
    // However the choice changes (a click, the arrow keys, assistive
    // technology, the window itself), the tip follows it.
    connect(m_ui.Option1, &QRadioButton::toggled, this, &Form1::showLineInTray);
    connect(m_ui.Command3, &QPushButton::clicked, this, &Form1::command3Click);
    connect(m_ui.Command4, &QPushButton::clicked, this, &Form1::command4Click);
    connect(m_ui.Command6, &QPushButton::clicked, this, &Form1::command6Click);
    connect(m_ui.Command11, &QPushButton::clicked, this, &Form1::command11Click);

    // The transport's news: the read-outs, the end of a song, and every
    // change that can move the lyric.
    connect(&m_transport, &engine::Transport::positionChanged, this, &Form1::showPosition);
    connect(&m_transport, &engine::Transport::ended, this, &Form1::endOfSong);
    connect(&m_transport, &engine::Transport::stateChanged, m_follower, &LyricFollower::lookUpNow);
    connect(&m_transport, &engine::Transport::seeked, m_follower, &LyricFollower::lookUpNow);
    m_services.failures.watch(m_transport, this);
    connect(&m_transport, &engine::Transport::songRefused, this, &Form1::songRefused);
    connect(&m_transport, &engine::Transport::opened, this, &Form1::songOpened);

    // The one place where the playlist's choice reaches the player.
    connect(m_windows, &PlayerWindows::playRequested, this, &Form1::text3Change);
    connect(m_windows, &PlayerWindows::makerClosed, this, [this] { setEnabled(true); });
    connect(m_windows, &PlayerWindows::playerWanted, this, [this] {
        show();
        raise();
    });
    connect(m_feed, &ScreenSaverFeed::failed, this, [this](const QString& why) {
        m_services.prompts.message(this, tr("The full-screen lyric could not be shown: %1").arg(why),
                                   Prompts::Buttons::Ok, Prompts::Icon::Exclamation);
    });
    // What shows the lines outside this window follows the panes: the tray
    // tip, the floating window (and the screen saver, ScreenSaverFeed).
    connect(m_ui.Text1, &LyricPane::lyricChanged, this, &Form1::showLineInTray);
    connect(m_ui.Text2, &LyricPane::lyricChanged, this, &Form1::showLineInTray);
    connect(m_ui.Text1, &LyricPane::lyricChanged, this, [this] {
        if (m_windows->hasFloatingWindow())
            m_windows->floatingWindow().normalPaneChanged();
    });
}

QTimer& Form1::lineTimer()
{
    return m_follower->lineTimer();
}
bool Form1::lookupEnabled() const
{
    return m_follower->isOn();
}

void Form1::showMessage(const QString& text)
{
    m_services.prompts.message(this, text);
}

// ---------------------------------------------------------------- lifecycle

void Form1::load(const QString& commandLine)
{
    show();
    repaint();

    m_tray->show();

    if (!m_transport.start())
        return;

    m_table->noTranslation = false;
    m_ui.Slider1->setEnabled(false);
    m_ui.Slider2->setEnabled(false);
    m_ui.Check1->setEnabled(false);
    m_ui.Command1->setEnabled(false);
    m_ui.Option1->setChecked(true);
    m_lyricsLoaded = false;

    if (!commandLine.isEmpty()) {
        m_commandLinePath = typedPath(commandLine);
        m_commandLineFlag = true;
        command2Click();
    }
}

void Form1::closeEvent(QCloseEvent* event)
{
    // The editor's lines live only in its window: offer to save them, and
    // stay open when the user cancels or a save does not happen.
    if (!m_unloaded && hasLyricEditor() && !lyricEditor().saveChangesAtExit()) {
        event->ignore();
        return;
    }
    unload();
    event->accept();
}

void Form1::unload()
{
    if (m_unloaded)
        return;
    m_unloaded = true;
    m_transport.shutdown();
    m_follower->lineTimer().stop();
    m_tray->hide();
    Q_EMIT unloaded();
}

void Form1::rescueUnsavedLines()
{
    if (m_rescued || !hasLyricEditor() || !lyricEditor().hasUnsavedChanges())
        return;
    m_rescued = true;
    const editor::RescueOutcome rescue = lyricEditor().writeRescueCopies();
    std::fputs(rescue.report().toUtf8().constData(), stderr);
    std::fflush(stderr);
    m_unsavedLinesLost = !rescue.complete();
}

void Form1::endWithoutQuestions()
{
    // No one is there to answer: unsaved editor lines go to files of their
    // own, whose names are printed, and the program ends normally.
    if (m_unloaded)
        return;
    rescueUnsavedLines();
    unload();
    hide();
}

// ---------------------------------------------------------------- opening

void Form1::command2Click()
{
    // An open the playlist makes by itself reports its failure quietly.
    m_openByItself = m_advance->handingOver();
    if (!m_openByItself)
        m_advance->cancel();
    QString chosen;
    if (m_commandLineFlag) {
        chosen = m_commandLinePath;
        m_commandLineFlag = false;
    } else if (m_handedOverFlag) {
        chosen = m_handedOverPath;
        m_handedOverFlag = false;
    } else {
        chosen =
            m_services.prompts.openFile(this, QStringLiteral("Open a media file"), mediaFileFilters(), QString(), true);
        if (chosen.isEmpty())
            return;
    }

    const QString path = cleanChosenPath(chosen);
    // A path that names nothing (a command line or a hand-over of a file that
    // has gone) is reported before anything is stopped; an empty one is
    // ignored.
    if (path.isEmpty())
        return;
    if (!ordinaryFileExists(path)) {
        showMessage(QStringLiteral("File Not Found"));
        return;
    }

    if (playing() || (stopped() && m_lyricsLoaded)) {
        cstopClick();
        m_ui.setSeekQuietly(0);
        if (m_table->noTranslation)
            setTwoPanes(true);
    }

    m_currentLine = 1;
    m_table->lineCount = 1;
    m_mediaPath = path;
    m_mediaFileName = existingFileName(m_mediaPath);

    // The rest of the open action runs once the song is open: at once for a
    // file opened before, or when the engine has read it.
    m_finishOpening = true;
    copenClick();
    if (m_transport.hasSong()) {
        m_finishOpening = false;
        loadLyricAndPlay();
    }
}

void Form1::songOpened()
{
    m_ui.cPlay->setEnabled(true);
    if (m_finishOpening) {
        m_finishOpening = false;
        loadLyricAndPlay();
    }
}

void Form1::songRefused(engine::Result code)
{
    m_finishOpening = false;
    const QString path = m_mediaPath;
    if (!m_openByItself)
        m_services.failures.songRefused(this, code);
    enterNoSongState();
    if (std::exchange(m_openByItself, false))
        m_advance->failed(path, engine::errorMessage(code));
}

void Form1::loadLyricAndPlay()
{
    m_openByItself = false;
    // The lyric pair beside the song, else an LRC file, else one embedded in
    // the song (lyrics/LyricSource.h); a new song starts at offset 0.
    m_lyricPath = lyrics::lyricPathOf(m_mediaPath);
    m_nudge->clear();
    const lyrics::FoundLyric found = lyrics::loadLyric(m_mediaPath, *m_table);
    m_encodingMenu->setLyric(m_mediaPath, found.origin);
    const LyricLoad& load = found.load;
    if (load.outcome != LyricLoad::Outcome::NoLyricFile) {
        m_lyricPath = found.origin.path;
        m_ui.Command1->setEnabled(true);
        m_currentLine = m_table->lineCount;
        if (load.outcome == LyricLoad::Outcome::Failed) {
            if (load.error == LyricLoad::Error::FileNotFound)
                showMessage(QStringLiteral("File Not Found"));
            else if (load.error == LyricLoad::Error::DiskNotReady)
                showMessage(QStringLiteral("Disk Not Ready"));
            else if (!found.errorText.isEmpty())
                showMessage(found.errorText);
            return;
        }
        m_nudge->reset(found.origin);
        if (load.outcome == LyricLoad::Outcome::LyricOnly) {
            setTwoPanes(false);
            m_ui.Option2->setEnabled(false);
        } else {
            m_ui.Option2->setEnabled(true);
        }
        m_ui.Option1->setChecked(true);
        command1Click();
        m_lyricsLoaded = true;
    }

    command1Click();
    m_ui.Text1->setLyric(QStringLiteral("Normal Lyrics"));
    m_ui.Text2->setLyric(QStringLiteral("Translated Lyrics"));
    // The placeholders stay until the lookup puts the first line in place.
    timer2Tick();
    if (playing())
        m_advance->played(m_mediaPath);
}

void Form1::enterNoSongState()
{
    // After a song the engine refused: nothing is open, nothing plays, and
    // the lyric panes show their placeholders again.
    m_follower->lineTimer().stop();
    m_ui.showNoSong();
    m_ui.setSeekQuietly(0);
    m_ui.Command1->setEnabled(false);
    m_ui.Command2->setEnabled(true);
    m_lyricsLoaded = false;
    m_noLyrics = true;
    m_follower->setNoLyrics(true);
    m_mediaPath.clear();
    m_mediaFileName.clear();
    m_lyricPath.clear();
    setTwoPanes(true);
    m_ui.Text1->setLyric(QStringLiteral("Normal Lyrics"));
    m_ui.Text2->setLyric(QStringLiteral("Translated Lyrics"));
    setWindowTitle(playerTitle());
}

void Form1::setTwoPanes(bool two)
{
    const int height = two ? Form1Ui::kTwoPaneHeight : Form1Ui::kOnePaneHeight;
    m_ui.Text1->setFixedHeight(twipsToPixels(height, this));
    m_ui.Text2->setEnabled(two);
    m_ui.Text2->setVisible(two);
}

void Form1::copenClick()
{
    if (m_mediaPath.isEmpty())
        return;
    // A refused song comes back through songRefused; one still opening
    // through songOpened.
    if (m_transport.open(m_mediaPath) == engine::Transport::OpenStart::Ready)
        m_ui.cPlay->setEnabled(true);
}

void Form1::command1Click()
{
    cPlayClick();
    m_follower->turnOn();
    // Right after a load the current line is one past the last, which shows
    // as the empty text until the lookup puts the first line in place.
    const int n = m_table->loadedLines();
    if (!m_noLyrics)
        m_ui.Text1->setLyric(m_currentLine >= 1 && m_currentLine <= n ? m_table->lines[m_currentLine] : QString());
}

void Form1::dragEnterEvent(QDragEnterEvent* event)
{
    if (event->mimeData()->hasUrls())
        event->acceptProposedAction();
}

void Form1::dropEvent(QDropEvent* event)
{
    event->acceptProposedAction();
    dropPaths(droppedFiles(event->mimeData()));
}

void Form1::dropPaths(const QStringList& paths)
{
    if (paths.isEmpty())
        return; // a drop without files (dragged text) is ignored
    const QString first = paths.first();
    if (!isPlayerSongPath(first)) {
        m_services.prompts.message(this, QStringLiteral("This is not a .mp3 file."), Prompts::Buttons::Ok,
                                   Prompts::Icon::Exclamation, QStringLiteral("Error"));
        return;
    }
    m_handedOverPath = first;
    m_handedOverFlag = true;
    command2Click();
}

void Form1::text3Change(const QString& text)
{
    if (text.isEmpty())
        return;
    if (!isEnabled()) {
        // The Lyric Maker is open: the player is stopped and cannot be
        // controlled, so it must not start a song behind the user's back.
        m_services.prompts.message(hasPlaylist() ? &playlist() : nullptr,
                                   QStringLiteral("The player is busy while the Lyric Maker is open. "
                                                  "Close the Lyric Maker to play this song."),
                                   Prompts::Buttons::Ok, Prompts::Icon::Exclamation);
        return;
    }
    m_handedOverPath = text;
    m_handedOverFlag = true;
    command2Click();
}

// ---------------------------------------------------------------- transport

void Form1::cPlayClick()
{
    if (!m_transport.hasSong())
        return; // no song open: nothing to play
    setWindowTitle(QStringLiteral("Tessaly Playing:- ") + m_mediaFileName);
    if (playing())
        return;
    m_noLyrics = !ordinaryFileExists(m_lyricPath);
    m_follower->setNoLyrics(m_noLyrics);
    if (m_transport.play(m_ui.volume(), m_ui.muteTicked()) != Outcome::Done)
        return;
    m_ui.showPlaying();
    lyricDisplayer();
}

void Form1::cpauseClick()
{
    if (m_transport.togglePause() != Outcome::Done)
        return;
    // No other song can be opened while this one is paused.
    m_ui.Command2->setEnabled(!paused());
}

void Form1::cstopClick()
{
    if (!m_advance->handingOver())
        m_advance->cancel();
    // A file that went away while it played is refused (songRefused).
    if (m_transport.stop() != Outcome::Done)
        return;
    // A stopped song is no longer paused: Open works again.
    m_ui.Command2->setEnabled(true);
    m_ui.showStopped();
    m_ui.setSeekQuietly(0);
    setWindowTitle(playerTitle());
    m_ui.Text1->setTip(QStringLiteral("Lyrics"));
    m_ui.Text2->setTip(QStringLiteral("Tranalated Lyrics"));
}

void Form1::slider1Change(int value)
{
    m_transport.setVolume(float(value) / 10.0f);
}

void Form1::slider2Change(int value)
{
    m_transport.seek(unsigned(value));
}

void Form1::check1Click()
{
    m_transport.setMute(m_ui.muteTicked());
}

// ---------------------------------------------------------------- timers

void Form1::cTimer1Tick()
{
    m_transport.tick();
}

void Form1::showPosition(unsigned positionMs, unsigned lengthMs)
{
    m_ui.showPosition(positionMs, lengthMs, m_transport.shownPosition(), m_transport.length());
}

void Form1::timer2Tick()
{
    m_follower->lookUpNow();
}

void Form1::timer1Tick()
{
    m_follower->emphasise();
}

void Form1::endOfSong()
{
    m_ui.setSeekQuietly(0);
    // With a playlist, a file gone while it played is the playlist's to
    // pass over (PlaylistAdvance), as the stop finds it.
    m_openByItself = hasPlaylist();
    cstopClick();
    m_openByItself = false;
    if (!hasPlaylist() || !m_transport.hasSong())
        return; // no playlist yet: nothing follows
    const NextSong next = songAfterEnd(playlist().playState(), m_lastRandomPick, *m_random);
    switch (next.action) {
    case NextSong::Action::Stop:
        break;
    case NextSong::Action::PlayEntry:
        m_advance->playEntry(next.entry);
        break;
    case NextSong::Action::ReplaySame:
        cPlayClick();
        break;
    }
}

void Form1::playEntry(int entry)
{
    if (entry < 0)
        return;
    playlist().selectEntry(entry);
    playlist().command7Click();
}

// ---------------------------------------------------------------- playlist

Playlist& Form1::playlist()
{
    return m_windows->playlist();
}
bool Form1::hasPlaylist() const
{
    return m_windows->hasPlaylist();
}
Form2* Form1::lyricMaker() const
{
    return m_windows->maker();
}
Lyric_Master& Form1::lyricEditor()
{
    return m_windows->lyricEditor();
}
bool Form1::hasLyricEditor() const
{
    return m_windows->hasLyricEditor();
}
Lyric_Displayer& Form1::floatingWindow()
{
    return m_windows->floatingWindow();
}
bool Form1::hasFloatingWindow() const
{
    return m_windows->hasFloatingWindow();
}
Form1b& Form1::optionsWindow()
{
    return m_windows->optionsWindow();
}

void Form1::command8Click()
{
    Playlist& list = playlist();
    list.showCurrentSong(existingFileName(m_mediaPath));
    list.show();
    list.raise();
    list.activateWindow();
}

void Form1::command9Click()
{
    const PlaylistState s = playlist().playState();
    playEntry(backwardEntry(s.count, s.selected, playlist().model().paths().indexOf(m_mediaPath)));
}

void Form1::command10Click()
{
    const PlaylistState s = playlist().playState();
    playEntry(forwardEntry(s.count, s.selected, playlist().model().paths().indexOf(m_mediaPath)));
}

// ---------------------------------------------------------------- lyric maker

void Form1::command5Click()
{
    if (playing() || paused()) {
        const Prompts::Answer answer =
            m_services.prompts.message(this, QStringLiteral("Playing of files has to be stopped! Stop Playback?"),
                                       Prompts::Buttons::YesNo, Prompts::Icon::None, QStringLiteral("Stop Playback?"));
        if (answer != Prompts::Answer::Yes) {
            m_services.prompts.message(this,
                                       QStringLiteral("Playback of file has to be stopped in order to make lyrics"),
                                       Prompts::Buttons::Ok, Prompts::Icon::Exclamation);
            return;
        }
        cstopClick();
    }
    // The maker lives from here until it is closed.
    setEnabled(false);
    m_windows->showMaker();
}

void Form1::contextMenuEvent(QContextMenuEvent* event)
{
    m_lyricMenu->popup(event->globalPos());
}

void Form1::buildLyricMenu()
{
    // The tray menu's entries (not every desktop has a tray), then the
    // lyric's offset, whose keys work anywhere in the window.
    m_nudge = new LyricNudge(
        *m_table, *this, [this] { return m_mediaPath; }, this);
    m_lyricMenu = new QMenu(this);
    m_lyricMenu->setObjectName(QStringLiteral("lyricMenu"));
    m_lyricMenu->addActions(m_popup->actions());
    m_lyricMenu->addSeparator();
    m_lyricMenu->addActions(m_nudge->actions());
    m_encodingMenu = new LyricEncodingMenu(m_services.encodingChoices, this);
    m_lyricMenu->addSeparator();
    m_lyricMenu->addMenu(m_encodingMenu->menu());
    connect(m_encodingMenu, &LyricEncodingMenu::chosen, this, &Form1::reloadLyric);
    connect(m_encodingMenu, &LyricEncodingMenu::notRemembered, this, [this](const QString& reason) {
        m_services.prompts.message(
            this, tr("The encoding holds until the player ends, but could not be kept: %1").arg(reason),
            Prompts::Buttons::Ok, Prompts::Icon::Exclamation);
    });
    connect(m_nudge, &LyricNudge::moved, this, [this](const QString& said) {
        lyricDisplayer();
        m_follower->lookUpNow();
        // Said briefly where the eyes are: over the lyric pane.
        QToolTip::showText(m_ui.Text1->mapToGlobal(m_ui.Text1->rect().center()), said, m_ui.Text1, {}, 1500);
    });
    connect(m_nudge, &LyricNudge::reloaded, this,
            [this](const lyrics::LyricOrigin& origin) { m_lyricPath = origin.path; });
    connect(m_nudge, &LyricNudge::saveFailed, this, [this](const QString& reason) {
        m_services.prompts.message(this, tr("The offset could not be kept in the lyric: %1").arg(reason),
                                   Prompts::Buttons::Ok, Prompts::Icon::Exclamation);
    });
    connect(m_nudge, &LyricNudge::readOnlyRefused, this, [this](const QString& question) {
        if (m_services.prompts.message(this, question, Prompts::Buttons::YesNo, Prompts::Icon::Question)
            == Prompts::Answer::Yes)
            m_nudge->saveReplacingReadOnly();
    });
}

void Form1::reloadLyric()
{
    if (m_mediaPath.isEmpty())
        return;
    const lyrics::FoundLyric found = lyrics::loadLyric(m_mediaPath, *m_table);
    // Read in the encoding chosen, the file may hold no lyric any more: the
    // menu stays with it, so that another choice can bring it back.
    using Kind = lyrics::LyricOrigin::Kind;
    if (found.origin.kind == Kind::Pair || found.origin.kind == Kind::LrcFile)
        m_encodingMenu->setLyric(m_mediaPath, found.origin);
    const LyricLoad::Outcome outcome = found.load.outcome;
    if (outcome == LyricLoad::Outcome::Failed && !found.errorText.isEmpty())
        showMessage(found.errorText);
    if (outcome != LyricLoad::Outcome::LyricOnly && outcome != LyricLoad::Outcome::WithTranslation)
        return;
    m_lyricPath = found.origin.path;
    m_nudge->reset(found.origin);
    setTwoPanes(outcome == LyricLoad::Outcome::WithTranslation);
    m_ui.Option2->setEnabled(outcome == LyricLoad::Outcome::WithTranslation);
    lyricDisplayer();
    m_follower->lookUpNow();
}

void Form1::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    // In the normal state the window keeps its designed size; minimised and
    // maximised are left alone.
    const QSize designed = minimumSize();
    if (windowState() == Qt::WindowNoState && size() != designed)
        QTimer::singleShot(0, this, [this] {
            if (windowState() == Qt::WindowNoState)
                resize(minimumSize());
        });
}

// ---------------------------------------------------------------- other windows

void Form1::showLineInTray()
{
    m_tray->setLine(m_ui.Option1->isChecked() ? m_ui.Text1->lyric() : m_ui.Text2->lyric());
}

void Form1::lyricDisplayer()
{
    if (hasFloatingWindow())
        floatingWindow().fill(*m_table, m_noLyrics);
}

void Form1::command11Click()
{
    Lyric_Displayer& floating = floatingWindow();
    lyricDisplayer();
    floating.show();
    floating.raise();
}

void Form1::command3Click()
{
    Form1b& options = optionsWindow();
    options.showWindow();
    applyOptionPreviews(options);
}

void Form1::command4Click()
{
    showAbout(this);
}

void Form1::command6Click()
{
    showHelp(this, m_services.prompts);
}

// ---------------------------------------------------------------- screen saver

void Form1::command7Click()
{
    m_feed->start();
}

void Form1::fullTick()
{
    m_feed->send();
}

} // namespace cantorel
