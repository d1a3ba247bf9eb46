#include "player/KaraokeViews.h"

#include "common/Prompts.h"
#include "controller/PlayerController.h"
#include "desktopbar/DesktopLyricsSwitch.h"
#include "karaoke/KaraokePane.h"
#include "karaoke/WipeClock.h"

#include <QMenu>

namespace cantorel {

KaraokeViews::KaraokeViews(PlayerController& player, Prompts& prompts, karaoke::KaraokePane& pane, QWidget& window)
    : QObject(&window), m_player(player), m_pane(pane), m_window(window),
      m_clock(new karaoke::WipeClock([&player] { return player.wordPositionMs(); },
                                     [&player] { return player.linesMoving(); }, this))
{
    // While the song plays the position timer wakes the program anyway:
    // the wipes move on its ticks, at the position it has just read.
    m_clock->rideOn(&player.positionTimer());
    connect(&player, &PlayerController::positionChanged, m_clock,
            [clock = m_clock](unsigned positionMs, unsigned) { clock->showAt(positionMs); });
    m_pane.setClock(m_clock);
    m_bar = new desktopbar::DesktopLyricsSwitch({player, *m_clock, prompts}, this);

    // The position jumps or changes its motion: every wipe looks again.
    connect(&player, &PlayerController::stateChanged, m_clock, &karaoke::WipeClock::refresh);
    connect(&player, &PlayerController::seeked, m_clock, &karaoke::WipeClock::refresh);
    connect(&player, &PlayerController::followedClockChanged, m_clock, &karaoke::WipeClock::refresh);
    connect(&player, &PlayerController::linesChanged, this, &KaraokeViews::giveWords);
    connect(&player, &PlayerController::tableChanged, this, &KaraokeViews::giveWords);
    connect(m_bar, &desktopbar::DesktopLyricsSwitch::notKept, this, [this, &prompts](const QString& reason) {
        prompts.message(&m_window, tr("The desktop lyrics' settings could not be kept: %1").arg(reason),
                        Prompts::Buttons::Ok, Prompts::Icon::Exclamation);
    });
    giveWords();
}

void KaraokeViews::giveWords()
{
    const int slot = m_player.lines().line;
    const lyrics::LyricTable& table = m_player.lyricTable();
    if (slot <= 0 || m_player.lyricOrigin().kind == lyrics::LyricOrigin::Kind::None) {
        m_pane.setWords(QString(), {});
        return;
    }
    m_pane.setWords(table.lines[size_t(slot)], karaoke::lineTimings(table, slot));
}

void KaraokeViews::addEntries(QMenu& windowMenu, QMenu& trayMenu)
{
    QAction* toggle = m_bar->toggleAction();
    m_window.addAction(toggle);
    for (QMenu* menu : {&windowMenu, &trayMenu}) {
        menu->addSeparator();
        menu->addAction(toggle);
        menu->addAction(m_bar->lockAction());
    }
}

} // namespace cantorel
