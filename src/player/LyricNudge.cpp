#include "player/LyricNudge.h"

namespace cantorel {

LyricNudge::LyricNudge() : m_base(std::make_unique<lyrics::LyricTable>()) {}

void LyricNudge::reset(const lyrics::LyricTable& shown, const lyrics::LyricOrigin& origin)
{
    *m_base = shown;
    m_origin = origin;
    m_offsetMs = 0;
}

void LyricNudge::clear()
{
    m_origin = lyrics::LyricOrigin();
    m_offsetMs = 0;
}

QString LyricNudge::move(qint64 deltaMs, lyrics::LyricTable& shown)
{
    if (!hasLyric())
        return QString();
    m_offsetMs = lyrics::boundedOffset(m_offsetMs + deltaMs);
    lyrics::applyOffset(*m_base, m_offsetMs, shown);
    return lyrics::offsetText(m_offsetMs);
}

lyrics::OffsetSave LyricNudge::save(const QString& mediaPath) const
{
    return lyrics::saveOffsetIntoLyric(mediaPath, m_origin, m_offsetMs);
}

} // namespace cantorel
