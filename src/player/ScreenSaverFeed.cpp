#include "player/ScreenSaverFeed.h"

#include "controller/PlayerController.h"
#include "screensaver/ScreenSaverLink.h"

namespace cantorel {

ScreenSaverFeed::ScreenSaverFeed(PlayerController& player, QObject* parent) : QObject(parent), m_player(player)
{
    connect(&m_player, &PlayerController::linesChanged, this, &ScreenSaverFeed::send);
}

screensaver::ScreenSaverLink& ScreenSaverFeed::link()
{
    if (!m_link) {
        m_link = new screensaver::ScreenSaverLink(this);
        connect(m_link, &screensaver::ScreenSaverLink::linked, this, [this] {
            m_feeding = true;
            send();
        });
        connect(m_link, &screensaver::ScreenSaverLink::handOverFailed, this, &ScreenSaverFeed::failed);
    }
    return *m_link;
}

void ScreenSaverFeed::start()
{
    // The screen saver hands over asynchronously; linked() starts the feed.
    link().start();
}

void ScreenSaverFeed::send()
{
    if (!m_feeding)
        return;
    const LyricLines& lines = m_player.lines();
    m_link->sendLines(lines.panes.text1, lines.twoPanes ? lines.panes.text2 : QStringLiteral("Translated Lyrics"));
}

} // namespace cantorel
