#include "player/Form1.h"

#include "audiopolicy/AudioFailurePolicy.h"
#include "base/AppTitle.h"
#include "base/FilePaths.h"
#include "base/ProgramDirectory.h"
#include "common/MediaFiles.h"
#include "common/Prompts.h"
#include "controller/LaunchPath.h"
#include "controller/PlayerController.h"
#include "editor/Lyric_Master.h"
#include "floating/Lyric_Displayer.h"
#include "karaoke/KaraokePane.h"
#include "maker/Form2.h"
#include "options/Form1b.h"
#include "options/MoreOptions.h"
#include "options/frmAbout.h"
#include "platform/HelpWindow.h"
#include "platform/Twips.h"
#include "platform/WindowFront.h"
#include "player/FollowedReadouts.h"
#include "player/KaraokeViews.h"
#include "player/LyricEncodingMenu.h"
#include "player/LyricPanesView.h"
#include "player/PlayerMenus.h"
#include "player/PlayerOnline.h"
#include "player/PlayerTray.h"
#include "player/PlayerWindows.h"
#include "player/ScreenSaverFeed.h"
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
#include <QSignalBlocker>
#include <QStyle>
#include <QTimer>
#include <QToolTip>

#include <cstdio>

namespace cantorel {

using OpenSource = PlayerController::OpenSource;

Form1::Form1(PlayerController& player, PlayerServices services, QWidget* parent)
    : QWidget(parent), m_player(player), m_services(services)
{
    m_ui.setupUi(this);
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

    m_panes = std::make_unique<LyricPanesView>(*m_ui.Text1, *m_ui.Text2, *this);
    m_menus = new PlayerMenus(*this, m_player, services.encodingChoices);
    if (services.following) {
        m_menus->addFollowMenu(*services.following);
        new FollowedReadouts(m_player, *services.following, m_ui, this);
    }
    m_tray = new PlayerTray(m_player, m_menus->popup(), windowIcon(), this);
    m_feed = new ScreenSaverFeed(m_player, this);
    m_karaoke = new KaraokeViews(m_player, services.prompts, *m_ui.Text1, *this);
    m_karaoke->addEntries(m_menus->lyricMenu(), m_menus->popup());
    m_windows = new PlayerWindows(
        PlayerWindows::Needs {m_player, services.engine, services.prompts, services.failures, *m_ui.Text1, *m_ui.Text2},
        windowIcon(), this);
    m_online =
        new PlayerOnline({*this, m_player, services.prompts, m_menus->lyricMenu(), *m_windows}, windowIcon(), this);
    connectControls();
    connectPlayer();
    // Whatever the player shows already.
    showState();
    showVolume();
    m_panes->show(m_player.lines());
}

Form1::~Form1() = default;

void Form1::connectControls()
{
    connect(m_menus, &PlayerMenus::openRequested, this, &Form1::command2Click);
    connect(m_menus, &PlayerMenus::playlistRequested, this, &Form1::command8Click);
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
    connect(m_ui.Option1, &QRadioButton::toggled, this,
            [this] { m_tray->showTranslation(!m_ui.Option1->isChecked()); });
    connect(m_ui.Command3, &QPushButton::clicked, this, &Form1::command3Click);
    connect(m_ui.Command4, &QPushButton::clicked, this, &Form1::command4Click);
    connect(m_ui.Command6, &QPushButton::clicked, this, &Form1::command6Click);
    connect(m_ui.Command11, &QPushButton::clicked, this, &Form1::command11Click);
    connect(m_ui.Text1, &LyricPane::lyricChanged, this, [this] {
        if (m_windows->hasFloatingWindow())
            m_windows->floatingWindow().normalPaneChanged();
    });
}

void Form1::connectPlayer()
{
    PlayerController* p = &m_player;
    connect(p, &PlayerController::stateChanged, this, &Form1::showState);
    connect(p, &PlayerController::positionChanged, this, [this](unsigned positionMs, unsigned lengthMs) {
        m_ui.showPosition(positionMs, lengthMs, m_player.shownPositionMs(), m_player.shownLengthMs());
    });
    connect(p, &PlayerController::seeked, this, [this](unsigned ms) { m_ui.showSeek(ms, m_player.shownLengthMs()); });
    connect(p, &PlayerController::volumeChanged, this, &Form1::showVolume);
    connect(p, &PlayerController::linesChanged, this, [this](const LyricLines& lines) { m_panes->show(lines); });
    connect(p, &PlayerController::lyricLoaded, this, &Form1::showLyricLoaded);
    connect(p, &PlayerController::tableChanged, this, &Form1::lyricDisplayer);
    connect(p, &PlayerController::offsetMoved, this, &Form1::showOffsetMoved);
    connect(p, &PlayerController::offsetNeedsReadOnlyReplace, this, [this](const QString& question) {
        if (m_services.prompts.message(this, question, Prompts::Buttons::YesNo, Prompts::Icon::Question)
            == Prompts::Answer::Yes)
            m_player.saveOffsetReplacingReadOnly();
    });
    connect(p, &PlayerController::message, this, &Form1::tell);
    connect(p, &PlayerController::songRefused, this,
            [this](const QString&, engine::Result code) { m_services.failures.songRefused(messageOwner(), code); });
    connect(p, &PlayerController::engineFailed, this,
            [this](engine::Result code) { m_services.failures.callFailed(this, code); });
    connect(p, &PlayerController::versionMismatch, this,
            [this](unsigned version) { m_services.failures.versionMismatch(this, version); });
    connect(p, &PlayerController::songsQueued, this,
            [this](const QStringList& paths) { playlist().addNamedPaths(paths); });
    connect(p, &PlayerController::raiseRequested, this, &Form1::bringForward);
    connect(p, &PlayerController::quitRequested, this, &QWidget::close);

    connect(m_windows, &PlayerWindows::makerClosed, this, [this] { setEnabled(true); });
    connect(m_windows, &PlayerWindows::playerWanted, this, &Form1::bringForward);
    connect(m_online, &PlayerOnline::makeTimedLyricRequested, this, &Form1::makeLyricsFrom);
    connect(m_online, &PlayerOnline::noted, this, &Form1::showOffsetMoved);
    connect(&m_menus->encodingMenu(), &LyricEncodingMenu::notRemembered, this, [this](const QString& reason) {
        m_services.prompts.message(
            this, tr("The encoding holds until the player ends, but could not be kept: %1").arg(reason),
            Prompts::Buttons::Ok, Prompts::Icon::Exclamation);
    });
    connect(m_feed, &ScreenSaverFeed::failed, this, [this](const QString& why) {
        m_services.prompts.message(this, tr("The full-screen lyric could not be shown: %1").arg(why),
                                   Prompts::Buttons::Ok, Prompts::Icon::Exclamation);
    });
}

// ---------------------------------------------------------------- drawing

void Form1::showState()
{
    if (!m_player.hasSong())
        m_ui.showNoSong();
    else if (m_player.playing())
        m_ui.showPlaying();
    else
        m_ui.showStopped();
    if (!m_player.playing() && !m_player.following())
        m_ui.setSeekQuietly(0);
    // No other song can be opened while this one is paused.
    m_ui.Command2->setEnabled(!m_player.paused());
    m_ui.Command1->setEnabled(m_player.lyricFound());
    showTitle();
}

void Form1::showTitle()
{
    if (m_player.following())
        setWindowTitle(QStringLiteral("Tessaly Following:- ") + m_player.followCaption());
    else
        setWindowTitle(m_player.playing() ? QStringLiteral("Tessaly Playing:- ") + m_player.mediaFileName()
                                          : playerTitle());
}

void Form1::showVolume()
{
    const QSignalBlocker quietVolume(m_ui.Slider1);
    const QSignalBlocker quietMute(m_ui.Check1);
    m_ui.Slider1->setValue(m_player.volumeStep());
    m_ui.Check1->setChecked(m_player.muted());
}

void Form1::showLyricLoaded(const lyrics::FoundLyric& found, bool newSong)
{
    using Kind = lyrics::LyricOrigin::Kind;
    using Outcome = lyrics::LyricLoad::Outcome;
    // Read in another encoding, a file may hold no lyric any more: the menu
    // stays with it, so that another choice can bring it back.
    if (newSong || found.origin.kind == Kind::Pair || found.origin.kind == Kind::LrcFile)
        m_menus->encodingMenu().setLyric(m_player.lyricSongPath(), found.origin);
    if (found.load.outcome != Outcome::LyricOnly && found.load.outcome != Outcome::WithTranslation)
        return;
    m_ui.Option2->setEnabled(found.load.outcome == Outcome::WithTranslation);
    if (newSong)
        m_ui.Option1->setChecked(true);
}

void Form1::showOffsetMoved(const QString& said)
{
    // Said briefly where the eyes are: over the lyric pane.
    QToolTip::showText(m_ui.Text1->mapToGlobal(m_ui.Text1->rect().center()), said, m_ui.Text1, {}, 1500);
}

QWidget* Form1::messageOwner()
{
    if (isEnabled())
        return this;
    return hasPlaylist() ? &playlist() : nullptr;
}

void Form1::tell(const UserMessage& message)
{
    const Prompts::Icon icon =
        message.kind == UserMessage::Kind::Warning ? Prompts::Icon::Exclamation : Prompts::Icon::None;
    m_services.prompts.message(messageOwner(), message.text, Prompts::Buttons::Ok, icon, message.title);
}

void Form1::bringForward()
{
    bringToFront(*this);
}

// ---------------------------------------------------------------- lifecycle

void Form1::load(const QString& commandLine)
{
    show();
    repaint();
    m_tray->show();
    if (!m_player.start())
        return;
    m_ui.Option1->setChecked(true);
    if (!commandLine.isEmpty())
        m_player.open(typedPath(commandLine), OpenSource::CommandLine);
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
    m_player.shutdown();
    m_tray->hide();
    Q_EMIT unloaded();
}

// ---------------------------------------------------------------- opening

void Form1::command2Click()
{
    const QString chosen =
        m_services.prompts.openFile(this, QStringLiteral("Open a media file"), mediaFileFilters(), QString(), true);
    if (!chosen.isEmpty())
        m_player.open(chosen, OpenSource::Dialog);
}

void Form1::copenClick()
{
    m_player.reopen();
}

void Form1::command1Click()
{
    m_player.playWithLyrics();
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
    // A drop without files (dragged text) is ignored.
    if (!paths.isEmpty())
        m_player.open(paths.first(), OpenSource::Drop);
}

void Form1::text3Change(const QString& text)
{
    m_player.open(text, OpenSource::HandOver);
}

// ---------------------------------------------------------------- transport

void Form1::cPlayClick()
{
    m_player.play();
    // Every press shows the song's title, also while it plays.
    showTitle();
}

void Form1::cpauseClick()
{
    m_player.togglePause();
}

void Form1::cstopClick()
{
    m_player.stop();
}

void Form1::slider1Change(int value)
{
    m_player.setVolumeStep(value);
}

void Form1::slider2Change(int value)
{
    m_player.seek(unsigned(value));
}

void Form1::check1Click()
{
    m_player.setMuted(m_ui.muteTicked());
}

void Form1::cTimer1Tick()
{
    m_player.tick();
}

void Form1::timer2Tick()
{
    m_player.lookUpLine();
}

void Form1::timer1Tick()
{
    m_player.emphasise();
}

// ---------------------------------------------------------------- playlist

void Form1::command8Click()
{
    Playlist& list = playlist();
    list.showCurrentSong(existingFileName(m_player.mediaPath()));
    list.show();
    list.raise();
    list.activateWindow();
}

void Form1::command9Click()
{
    m_player.previous();
}

void Form1::command10Click()
{
    m_player.next();
}

// ---------------------------------------------------------------- lyric maker

void Form1::command5Click()
{
    m_windows->openMaker(*this);
}

void Form1::makeLyricsFrom(const QString& mediaPath, const QString& lyricSource)
{
    if (Form2* maker = m_windows->openMaker(*this))
        maker->makeFrom({mediaPath, lyricSource, QString()});
}

void Form1::contextMenuEvent(QContextMenuEvent* event)
{
    m_menus->lyricMenu().popup(event->globalPos());
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

void Form1::lyricDisplayer()
{
    if (hasFloatingWindow())
        floatingWindow().fill(m_player.lyricTable(), m_player.noLyrics());
}

void Form1::command11Click()
{
    Lyric_Displayer& floating = floatingWindow();
    floating.setClock(&m_karaoke->clock());
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
