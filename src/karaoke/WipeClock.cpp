#include "karaoke/WipeClock.h"

#include <algorithm>
#include <cmath>

namespace cantorel::karaoke {

WipeClock::WipeClock(Position position, Moving moving, QObject* parent)
    : QObject(parent), m_position(std::move(position)), m_moving(std::move(moving))
{
    m_timer.setObjectName(QStringLiteral("wipeTimer"));
    m_timer.setSingleShot(true);
    m_timer.setTimerType(Qt::PreciseTimer);
    connect(&m_timer, &QTimer::timeout, this, &WipeClock::refresh);
    setFrameMs(kSmoothFrameMs);
}

void WipeClock::setFrameMs(int ms)
{
    m_frameMs = std::clamp(ms, kFastestFrameMs, kSlowestFrameMs);
}

void WipeClock::add(Follower* follower)
{
    if (std::find(m_followers.begin(), m_followers.end(), follower) == m_followers.end())
        m_followers.push_back(follower);
}

void WipeClock::remove(Follower* follower)
{
    m_followers.erase(std::remove(m_followers.begin(), m_followers.end(), follower), m_followers.end());
    if (m_followers.empty())
        m_timer.stop();
}

void WipeClock::refresh()
{
    showAt(double(m_position()));
}

void WipeClock::showAt(double position)
{
    // A follower that asks for a refresh while showing is already being
    // shown the position now.
    if (m_refreshing)
        return;
    m_refreshing = true;
    m_timer.stop();
    double next = -1;
    const std::vector<Follower*> followers = m_followers;
    for (Follower* f : followers) {
        const double wanted = f->follow(position);
        if (wanted >= 0 && (next < 0 || wanted < next))
            next = wanted;
    }
    m_refreshing = false;
    if (next < 0 || !m_moving() || (m_ticks && m_ticks->isActive()))
        return;
    const double wait = std::ceil(next - position);
    m_timer.start(int(std::clamp<double>(wait, m_frameMs, 24.0 * 3600 * 1000)));
}

} // namespace cantorel::karaoke
