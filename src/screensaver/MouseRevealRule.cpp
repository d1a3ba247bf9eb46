#include "screensaver/MouseRevealRule.h"

#include <cmath>

namespace cantorel::screensaver {

MouseRevealRule::Reaction MouseRevealRule::moveTo(double x, double y)
{
    constexpr double kStillTwips = 5;
    Reaction reaction = Reaction::None;
    if (m_lastX > 0 && m_lastY > 0 && (std::abs(x - m_lastX) > kStillTwips || std::abs(y - m_lastY) > kStillTwips))
        reaction = Reaction::Reveal;
    else if (x == m_lastX && y == m_lastY)
        reaction = Reaction::HideCursor;
    m_lastX = x;
    m_lastY = int(std::lround(y));
    return reaction;
}

} // namespace cantorel::screensaver
