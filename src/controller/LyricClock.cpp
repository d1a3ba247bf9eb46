#include "controller/LyricClock.h"

#include "engine/Transport.h"

namespace cantorel {

LyricClock::Motion TransportClock::motion() const
{
    if (!m_transport.playing())
        return Motion::Stopped;
    return m_transport.paused() ? Motion::Paused : Motion::Running;
}

qint64 TransportClock::positionMs()
{
    return m_transport.playing() ? m_transport.currentPosition() : m_transport.position();
}

} // namespace cantorel
