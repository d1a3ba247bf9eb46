#include "follow/PlayerClock.h"

#include <QElapsedTimer>

#include <algorithm>
#include <cmath>

namespace cantorel::follow {

qint64 PlayerClock::steadyNowMs()
{
    static const QElapsedTimer started = [] {
        QElapsedTimer t;
        t.start();
        return t;
    }();
    return started.elapsed();
}

PlayerClock::PlayerClock(Now now) : m_now(now ? std::move(now) : Now(&PlayerClock::steadyNowMs))
{
    m_anchorAtMs = m_now();
}

qint64 PlayerClock::bounded(qint64 positionMs) const
{
    positionMs = std::max<qint64>(positionMs, 0);
    return m_lengthMs > 0 ? std::min(positionMs, m_lengthMs) : positionMs;
}

qint64 PlayerClock::positionAt(qint64 atMs) const
{
    if (m_motion != Motion::Running)
        return bounded(m_anchorMs);
    return bounded(m_anchorMs + qint64(std::llround(double(atMs - m_anchorAtMs) * m_rate)));
}

void PlayerClock::carriedSoFar()
{
    const qint64 now = nowMs();
    m_anchorMs = positionAt(now);
    m_anchorAtMs = now;
}

void PlayerClock::setMotion(Motion motion)
{
    if (motion == m_motion)
        return;
    carriedSoFar();
    m_motion = motion;
}

void PlayerClock::setRate(double rate)
{
    if (!std::isfinite(rate) || rate < kMinRate || rate > kMaxRate)
        rate = 1.0;
    if (rate == m_rate)
        return;
    carriedSoFar();
    m_rate = rate;
}

void PlayerClock::setLengthMs(qint64 lengthMs)
{
    m_lengthMs = lengthMs > 0 ? lengthMs : -1;
}

void PlayerClock::place(qint64 positionMs, qint64 atMs)
{
    m_anchorMs = bounded(positionMs);
    m_anchorAtMs = atMs;
    m_jumpPending = false;
}

PlayerClock::Reading PlayerClock::correct(qint64 positionMs, qint64 atMs)
{
    if (std::abs(positionMs - positionAt(atMs)) <= kDriftMs) {
        place(positionMs, atMs);
        return Reading::Taken;
    }
    if (m_jumpPending) {
        // Where the first answer would be by now, had it been true.
        const qint64 moved = m_motion == Motion::Running ? qint64(double(atMs - m_jumpAtMs) * m_rate) : 0;
        const bool agrees = std::abs(positionMs - (m_jumpMs + moved)) <= kAgreeMs;
        m_jumpPending = false;
        if (agrees) {
            place(positionMs, atMs);
            return Reading::Taken;
        }
        return Reading::Ignored;
    }
    m_jumpPending = true;
    m_jumpMs = positionMs;
    m_jumpAtMs = atMs;
    return Reading::ConfirmationDue;
}

} // namespace cantorel::follow
