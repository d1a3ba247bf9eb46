#include "player/LyricFollower.h"

#include "engine/Transport.h"
#include "lyrics/LineLookup.h"
#include "lyrics/LyricTable.h"
#include "widgets/LyricPane.h"

#include <algorithm>

namespace cantorel {

namespace {
// When the position has not moved since the last lookup (the sound device
// is stalled), the next look comes no sooner than this.
constexpr int kStalledRetryMs = 10;
} // namespace

LyricFollower::LyricFollower(const lyrics::LyricTable& table, engine::Transport& transport, LyricPane& text1,
                             LyricPane& text2, QObject* parent)
    : QObject(parent), m_table(table), m_transport(transport), m_text1(text1), m_text2(text2)
{
    m_lineTimer.setObjectName(QStringLiteral("Timer2"));
    m_lineTimer.setSingleShot(true);
    m_lineTimer.setTimerType(Qt::PreciseTimer);
    connect(&m_lineTimer, &QTimer::timeout, this, &LyricFollower::lookUpNow);
    connect(&m_text1, &LyricPane::lyricChanged, this, [this] {
        if (m_on)
            emphasise();
    });
    connect(&m_text2, &LyricPane::lyricChanged, this, [this] {
        if (m_on)
            emphasise();
    });
}

void LyricFollower::turnOn()
{
    m_on = true;
    emphasise();
}

void LyricFollower::lookUpNow()
{
    m_lineTimer.stop();
    if (!m_on || m_noLyrics)
        return;
    const bool running = m_transport.playing() && !m_transport.paused();
    const qint64 position = m_transport.playing() ? m_transport.currentPosition() : m_transport.position();
    lyrics::PaneTexts panes {m_text1.lyric(), m_text1.toolTip(), m_text2.lyric(), m_text2.toolTip()};
    lyrics::lookUpLine(m_table, double(position), panes);
    m_text1.setLyric(panes.text1);
    m_text1.setTip(panes.tip1);
    m_text2.setLyric(panes.text2);
    m_text2.setTip(panes.tip2);
    if (running)
        arm(position);
    else if (m_transport.playing() && m_transport.paused())
        armWhileSettling(position);
    m_lastLookedUp = position;
}

void LyricFollower::armWhileSettling(qint64 positionMs)
{
    // The first look after the pause is always followed by one more.
    const bool moved = m_settleLooks == 0 || positionMs != m_lastLookedUp;
    if (moved && m_settleLooks < kSettleLooks) {
        ++m_settleLooks;
        m_lineTimer.start(kSettleLookMs);
    }
}

void LyricFollower::arm(qint64 positionMs)
{
    m_settleLooks = 0;
    const qint64 next = lyrics::nextLookupChangeMs(m_table, positionMs);
    if (next < 0)
        return;
    qint64 wait = next - positionMs;
    if (positionMs == m_lastLookedUp)
        wait = std::max<qint64>(wait, kStalledRetryMs);
    m_lineTimer.start(int(std::min<qint64>(wait, 24 * 3600 * 1000)));
}

void LyricFollower::emphasise()
{
    const bool bold1 = m_text1.lyric().contains(u'!');
    if (m_table.noTranslation) {
        m_text1.setBold(bold1);
        return;
    }
    const bool bold = bold1 || m_text2.lyric().contains(u'!');
    m_text1.setBold(bold);
    m_text2.setBold(bold);
}

} // namespace cantorel
