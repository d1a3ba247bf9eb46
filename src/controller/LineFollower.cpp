#include "controller/LineFollower.h"

#include "lyrics/LyricTable.h"

#include <algorithm>

namespace cantorel {

namespace {
// When the position has not moved since the last lookup (the sound device
// is stalled), the next look comes no sooner than this.
constexpr int kStalledRetryMs = 10;
} // namespace

LineFollower::LineFollower(const lyrics::LyricTable& table, LyricClock& clock, QObject* parent)
    : QObject(parent), m_table(table), m_clock(&clock)
{
    m_lineTimer.setObjectName(QStringLiteral("Timer2"));
    m_lineTimer.setSingleShot(true);
    m_lineTimer.setTimerType(Qt::PreciseTimer);
    connect(&m_lineTimer, &QTimer::timeout, this, &LineFollower::lookUpNow);
}

void LineFollower::turnOn()
{
    m_on = true;
    emphasise();
}

void LineFollower::putBold(LyricLines& lines) const
{
    // A "!" makes a line bold; with a translation, both panes together.
    lines.bold1 = lines.panes.text1.contains(u'!');
    if (!m_table.noTranslation)
        lines.bold1 = lines.bold2 = lines.bold1 || lines.panes.text2.contains(u'!');
}

void LineFollower::put(LyricLines next)
{
    const bool textChanged = next.panes.text1 != m_lines.panes.text1 || next.panes.text2 != m_lines.panes.text2;
    if (m_on && textChanged)
        putBold(next);
    if (next == m_lines)
        return;
    m_lines = next;
    Q_EMIT linesChanged(m_lines);
}

void LineFollower::emphasise()
{
    LyricLines next = m_lines;
    putBold(next);
    put(next);
}

void LineFollower::showTexts(const QString& text1, const QString& text2)
{
    LyricLines next = m_lines;
    next.panes.text1 = text1;
    next.panes.text2 = text2;
    next.line = -1;
    put(next);
}

void LineFollower::showLine(const QString& text1, int line)
{
    LyricLines next = m_lines;
    next.panes.text1 = text1;
    next.line = line;
    put(next);
}

void LineFollower::setTips(const QString& tip1, const QString& tip2)
{
    LyricLines next = m_lines;
    next.panes.tip1 = tip1;
    next.panes.tip2 = tip2;
    put(next);
}

void LineFollower::setTwoPanes(bool two)
{
    LyricLines next = m_lines;
    next.twoPanes = two;
    put(next);
}

void LineFollower::lookUpNow()
{
    m_lineTimer.stop();
    if (!m_on || m_noLyrics)
        return;
    const LyricClock::Motion motion = m_clock->motion();
    const qint64 position = m_clock->positionMs();
    LyricLines next = m_lines;
    lyrics::lookUpLine(m_table, double(position), next.panes, &next.line);
    put(next);
    if (motion == LyricClock::Motion::Running)
        arm(position);
    else if (motion == LyricClock::Motion::Paused)
        armWhileSettling(position);
    m_lastLookedUp = position;
}

void LineFollower::armWhileSettling(qint64 positionMs)
{
    // The first look after the pause is always followed by one more.
    const bool moved = m_settleLooks == 0 || positionMs != m_lastLookedUp;
    if (moved && m_settleLooks < kSettleLooks) {
        ++m_settleLooks;
        m_lineTimer.start(kSettleLookMs);
    }
}

void LineFollower::arm(qint64 positionMs)
{
    m_settleLooks = 0;
    const qint64 next = lyrics::nextLookupChangeMs(m_table, positionMs);
    if (next < 0)
        return;
    qint64 wait = next - positionMs;
    // Another player may play faster or slower than real time.
    if (const double rate = m_clock->rate(); rate > 0 && rate != 1.0)
        wait = qint64(double(wait) / rate);
    if (positionMs == m_lastLookedUp)
        wait = std::max<qint64>(wait, kStalledRetryMs);
    m_lineTimer.start(int(std::min<qint64>(wait, qint64(24) * 3600 * 1000)));
}

} // namespace cantorel
