#include "platform/WindowBeat.h"

namespace cantorel {

WindowBeat::WindowBeat(QObject* parent) : QObject(parent)
{
    m_timer.setInterval(kPeriodMs);
    m_timer.setTimerType(Qt::PreciseTimer);
    connect(&m_timer, &QTimer::timeout, this, &WindowBeat::tickNow);
}

int WindowBeat::add(std::function<void()> tick)
{
    m_entries.push_back(Entry{std::move(tick), false});
    return int(m_entries.size()) - 1;
}

void WindowBeat::setEnabled(int id, bool enabled)
{
    m_entries.at(size_t(id)).enabled = enabled;
    update();
}

bool WindowBeat::isEnabled(int id) const
{
    return m_entries.at(size_t(id)).enabled;
}

void WindowBeat::update()
{
    bool any = false;
    for (const Entry& e : m_entries)
        any = any || e.enabled;
    if (any && !m_timer.isActive())
        m_timer.start();
    else if (!any && m_timer.isActive())
        m_timer.stop();
}

void WindowBeat::tickNow()
{
    // A tick may disable timers (or enable others); each is asked afresh.
    for (size_t i = 0; i < m_entries.size(); ++i) {
        if (m_entries[i].enabled)
            m_entries[i].tick();
    }
}

} // namespace cantorel
