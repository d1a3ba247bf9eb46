#include "engine/SongTimeline.h"

#include <cmath>

namespace cantorel::engine {

std::int64_t songSamplesOf(std::int64_t samples, int rate, int songRate)
{
    if (rate == songRate || rate <= 0 || songRate <= 0)
        return samples;
    // Exact in 128 bits: samples * songRate fits easily.
    return static_cast<std::int64_t>((static_cast<__int128>(samples) * songRate) / rate);
}

std::int64_t SongCursor::advance(std::int64_t samples, int rate)
{
    if (rate == m_songRate || rate <= 0 || m_songRate <= 0) {
        m_whole += samples;
        return samples;
    }
    const double exact = m_fraction + static_cast<double>(samples) * m_songRate / rate;
    const double whole = std::floor(exact);
    m_fraction = exact - whole;
    const auto step = static_cast<std::int64_t>(whole);
    m_whole += step;
    return step;
}

} // namespace cantorel::engine
