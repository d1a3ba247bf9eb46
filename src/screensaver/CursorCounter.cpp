#include "screensaver/CursorCounter.h"

#include <QCursor>
#include <QGuiApplication>

namespace cantorel::screensaver {

CursorCounter::~CursorCounter()
{
    if (m_blanked && QGuiApplication::instance())
        QGuiApplication::restoreOverrideCursor();
}

int CursorCounter::show(bool visible)
{
    m_count += visible ? 1 : -1;
    apply();
    return m_count;
}

void CursorCounter::apply()
{
    const bool blank = !visible();
    if (blank == m_blanked || !QGuiApplication::instance())
        return;
    if (blank)
        QGuiApplication::setOverrideCursor(Qt::BlankCursor);
    else
        QGuiApplication::restoreOverrideCursor();
    m_blanked = blank;
}

} // namespace cantorel::screensaver
