#include "floating/FollowBurst.h"

namespace cantorel::floating {

FollowBurst::FollowBurst(std::function<void()> step, QObject* parent)
    : QObject(parent), m_step(std::move(step)), m_timer3(this), m_timer4(this)
{
    m_timer3.setObjectName(QStringLiteral("Timer3"));
    m_timer3.setInterval(kStepMs);
    m_timer4.setObjectName(QStringLiteral("Timer4"));
    m_timer4.setInterval(kEndMs);
    m_timer4.setSingleShot(true);
    connect(&m_timer3, &QTimer::timeout, this, &FollowBurst::timer3Tick);
    connect(&m_timer4, &QTimer::timeout, this, &FollowBurst::timer4Tick);
}

void FollowBurst::start()
{
    if (!m_timer3.isActive())
        m_timer3.start();
}

void FollowBurst::timer3Tick()
{
    m_step();
    if (++m_followTicks > 1) {
        if (!m_timer4.isActive())
            m_timer4.start();
        m_followTicks = 0;
    }
}

void FollowBurst::timer4Tick()
{
    m_timer3.stop();
    m_timer4.stop();
}

} // namespace cantorel::floating
