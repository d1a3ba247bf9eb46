#include "karaoke/LineWipe.h"

#include <cmath>

namespace cantorel::karaoke {

bool LineWipe::setWords(const QString& text, const QList<WordTiming>& timings)
{
    if (text == m_wordsText && timings == m_timings)
        return false;
    m_wordsText = text;
    m_timings = timings;
    m_wipeValid = false;
    m_sungPx = 0;
    return true;
}

bool LineWipe::setText(const QString& text, const QFont& font, const QSizeF& box, bool wrap)
{
    if (!m_text.setText(text, font, box, wrap))
        return false;
    m_wipeValid = false;
    m_sungPx = 0;
    return true;
}

bool LineWipe::active() const
{
    return !m_timings.isEmpty() && m_wordsText == m_text.text();
}

double LineWipe::follow(double positionMs, const QPointF& origin, QRegion* changed)
{
    if (!active()) {
        m_sungPx = 0;
        return -1;
    }
    if (!m_wipeValid) {
        m_wipe = m_text.wipeOf(m_timings);
        m_wipeValid = true;
    }
    const int px = int(std::floor(m_wipe.widthPx(positionMs)));
    if (px != m_sungPx) {
        if (changed)
            *changed += m_text.changed(m_sungPx, px, origin);
        m_sungPx = px;
    }
    return m_wipe.nextPixelMs(positionMs);
}

void LineWipe::paint(QPainter& painter, const QPointF& origin)
{
    m_text.paint(painter, origin, active() ? m_sungPx : 0);
}

} // namespace cantorel::karaoke
