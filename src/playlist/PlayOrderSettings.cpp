#include "playlist/PlayOrderSettings.h"

namespace cantorel {

void PlayOrderSettings::setRandom(bool on)
{
    assign(on, on ? false : m_repeat, m_repeatOne);
}

void PlayOrderSettings::setRepeat(bool on)
{
    assign(on ? false : m_random, on, m_repeatOne);
}

void PlayOrderSettings::setRepeatOne(bool one)
{
    assign(m_random, m_repeat, one);
}

void PlayOrderSettings::set(bool random, bool repeat, bool repeatOne)
{
    assign(random, repeat && !random, repeatOne);
}

void PlayOrderSettings::assign(bool random, bool repeat, bool repeatOne)
{
    if (random == m_random && repeat == m_repeat && repeatOne == m_repeatOne)
        return;
    m_random = random;
    m_repeat = repeat;
    m_repeatOne = repeatOne;
    Q_EMIT changed();
}

PlaylistState PlayOrderSettings::appliedTo(PlaylistState state) const
{
    state.random = m_random;
    state.repeat = m_repeat;
    state.repeatOne = m_repeatOne;
    state.repeatAll = !m_repeatOne;
    return state;
}

} // namespace cantorel
