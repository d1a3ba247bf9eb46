#include "player/ScreenSaverFeed.h"

#include "screensaver/ScreenSaverLink.h"
#include "widgets/LyricPane.h"

namespace cantorel {

ScreenSaverFeed::ScreenSaverFeed(LyricPane& text1, LyricPane& text2, QObject* parent)
    : QObject(parent), m_text1(text1), m_text2(text2)
{
    connect(&m_text1, &LyricPane::lyricChanged, this, &ScreenSaverFeed::send);
    connect(&m_text2, &LyricPane::lyricChanged, this, &ScreenSaverFeed::send);
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
    // Setting the placeholder changes the pane, which brings us back here:
    // that call sends.
    if (!m_text2.isEnabled() && m_text2.lyric() != QLatin1String("Translated Lyrics")) {
        m_text2.setLyric(QStringLiteral("Translated Lyrics"));
        return;
    }
    m_link->sendLines(m_text1.lyric(), m_text2.lyric());
}

} // namespace cantorel
