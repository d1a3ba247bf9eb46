#include "desktopbar/DesktopLyricsSwitch.h"

#include "base/AppTitle.h"
#include "controller/PlayerController.h"
#include "desktopbar/BarLines.h"
#include "desktopbar/BarMenu.h"
#include "desktopbar/BarPlacement.h"
#include "desktopbar/BarSettings.h"
#include "desktopbar/Compositing.h"
#include "desktopbar/DesktopLyrics.h"
#include "karaoke/Wipe.h"
#include "lyrics/BackgroundReads.h"
#include "lyrics/SongFacts.h"

#include <QAction>
#include <QFileInfo>
#include <QGuiApplication>
#include <QKeySequence>
#include <QScreen>

namespace cantorel::desktopbar {

namespace {

QString fileTitle(const QString& path)
{
    return QFileInfo(path).completeBaseName();
}

} // namespace

DesktopLyricsSwitch::DesktopLyricsSwitch(Needs needs, QObject* parent)
    : QObject(parent), m_needs(std::move(needs)), m_settings(std::make_unique<BarSettings>(m_needs.settingsPath)),
      m_titleReads(new lyrics::BackgroundReads(this))
{
    makeActions();
    m_menu = new BarMenu(
        m_needs.prompts, [this] { return m_settings->look(); }, m_lock, m_hideOnStop, m_close, this);
    connect(m_menu, &BarMenu::looked, this, [this](const BarLook& look) {
        keep([&look](BarSettings& s) { s.setLook(look); });
        if (m_bar)
            m_bar->setLook(look);
    });
    // A stop followed at once by another play (the next song) is no stop to
    // hide for: the state is looked at once the handlers are done.
    m_settle.setSingleShot(true);
    m_settle.setInterval(0);
    connect(&m_settle, &QTimer::timeout, this, &DesktopLyricsSwitch::showAsChosen);
    connectPlayer();
    songOpened(m_needs.player.mediaPath());
    if (m_settings->shown())
        setShown(true);
}

DesktopLyricsSwitch::~DesktopLyricsSwitch()
{
    delete m_bar.data();
}

void DesktopLyricsSwitch::makeActions()
{
    const auto make = [this](const char* name, const QString& text, bool checked) {
        auto* action = new QAction(text, this);
        action->setObjectName(QLatin1String(name));
        action->setCheckable(true);
        action->setChecked(checked);
        return action;
    };
    m_toggle = make("mn_desktopLyrics", tr("Desktop Lyrics"), false);
    m_toggle->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_D));
    m_toggle->setShortcutContext(Qt::WindowShortcut);
    m_lock = make("mn_lockLyrics", tr("Lock"), m_settings->locked());
    m_hideOnStop = make("mn_barHideOnStop", tr("Hide when the player stops"), m_settings->hideOnStop());
    m_close = new QAction(tr("Close"), this);
    m_close->setObjectName(QStringLiteral("mn_barClose"));
    // Only the user's own moves: a check set from here says nothing.
    connect(m_toggle, &QAction::triggered, this, &DesktopLyricsSwitch::setShown);
    connect(m_lock, &QAction::triggered, this, &DesktopLyricsSwitch::setLocked);
    connect(m_hideOnStop, &QAction::triggered, this, &DesktopLyricsSwitch::setHideOnStop);
    connect(m_close, &QAction::triggered, this, [this] { setShown(false); });
}

void DesktopLyricsSwitch::connectPlayer()
{
    PlayerController* p = &m_needs.player;
    connect(p, &PlayerController::linesChanged, this, &DesktopLyricsSwitch::showLines);
    connect(p, &PlayerController::tableChanged, this, &DesktopLyricsSwitch::showLines);
    connect(p, &PlayerController::lyricLoaded, this, &DesktopLyricsSwitch::showLines);
    connect(p, &PlayerController::stateChanged, this, [this] {
        if (m_needs.player.mediaPath() != m_titlePath)
            songOpened(m_needs.player.mediaPath());
        showLines();
        m_settle.start();
    });
}

// ---------------------------------------------------------------- the user's choices

bool DesktopLyricsSwitch::shown() const
{
    return m_toggle->isChecked();
}

void DesktopLyricsSwitch::setShown(bool shown)
{
    m_toggle->setChecked(shown);
    keep([shown](BarSettings& s) { s.setShown(shown); });
    if (shown && !m_bar)
        makeBar();
    showAsChosen();
}

void DesktopLyricsSwitch::setLocked(bool locked)
{
    m_lock->setChecked(locked);
    keep([locked](BarSettings& s) { s.setLocked(locked); });
    if (m_bar)
        m_bar->setLocked(locked);
}

void DesktopLyricsSwitch::setHideOnStop(bool hide)
{
    m_hideOnStop->setChecked(hide);
    keep([hide](BarSettings& s) { s.setHideOnStop(hide); });
    showAsChosen();
}

void DesktopLyricsSwitch::keep(const std::function<void(BarSettings&)>& change)
{
    change(*m_settings);
    if (!m_said && !m_settings->problem().isEmpty()) {
        m_said = true;
        Q_EMIT notKept(m_settings->problem());
    }
}

// ---------------------------------------------------------------- the bar

void DesktopLyricsSwitch::makeBar()
{
    m_bar = new DesktopLyrics(&m_needs.clock);
    m_bar->setLook(m_settings->look());
    m_bar->setLocked(m_lock->isChecked());
    m_bar->setMenu(m_menu->menu());
    m_menu->setOwner(m_bar);
    connect(m_bar, &DesktopLyrics::placed, this,
            [this](const QPoint& topLeft) { keep([&topLeft](BarSettings& s) { s.setPosition(topLeft); }); });
    connect(m_bar, &DesktopLyrics::looked, this,
            [this](const BarLook& look) { keep([&look](BarSettings& s) { s.setLook(look); }); });
    showLines();
}

void DesktopLyricsSwitch::showAsChosen()
{
    if (!m_bar)
        return;
    // Following another player, the own song stands stopped: that is no Stop.
    const PlayerController& p = m_needs.player;
    const bool visible = shown() && !(m_hideOnStop->isChecked() && p.stopped() && !p.following());
    if (visible == m_bar->isVisible())
        return;
    if (!visible) {
        m_bar->hide();
        return;
    }
    QList<QRect> screens;
    for (const QScreen* screen : QGuiApplication::screens())
        screens << screen->availableGeometry();
    const QScreen* primary = QGuiApplication::primaryScreen();
    const QRect home = primary ? primary->availableGeometry() : QRect(0, 0, 1280, 800);
    m_bar->move(barPlace(m_settings->position(), m_bar->size(), screens, home));
    m_bar->setShaped(!desktopComposites());
    m_bar->show();
}

void DesktopLyricsSwitch::showLines()
{
    if (!m_bar)
        return;
    PlayerController& p = m_needs.player;
    const lyrics::LyricTable& table = p.lyricTable();
    const bool hasLyric = (p.hasSong() || p.following()) && p.lyricOrigin().kind != lyrics::LyricOrigin::Kind::None;
    const BarLines lines = barLines(p.lines(), table, hasLyric, p.following() ? p.followCaption() : m_title);
    QList<karaoke::WordTiming> timings;
    if (lines.slot > 0 && table.lines[size_t(lines.slot)] == lines.first)
        timings = karaoke::lineTimings(table, lines.slot);
    m_bar->setLines(lines, timings);
}

void DesktopLyricsSwitch::songOpened(const QString& path)
{
    m_titlePath = path;
    if (path.isEmpty()) {
        m_title = playerTitle();
    } else if (const auto known = lyrics::songFactsCache().cached(path)) {
        m_title = known->tags.title.isEmpty() ? fileTitle(path) : known->tags.title;
    } else {
        // The file's name until its tags are read, off this thread.
        m_title = fileTitle(path);
        m_titleReads->read<lyrics::SongTags>([path] { return lyrics::readSongTags(path); },
                                             [this, path](const lyrics::SongTags& tags) {
                                                 if (path != m_titlePath || tags.title.isEmpty())
                                                     return;
                                                 m_title = tags.title;
                                                 showLines();
                                             });
    }
    showLines();
}

} // namespace cantorel::desktopbar
