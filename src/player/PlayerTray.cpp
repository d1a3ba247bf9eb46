#include "player/PlayerTray.h"

#include <QCursor>
#include <QMenu>
#include <QWidget>

namespace cantorel {

PlayerTray::PlayerTray(QWidget& window, QMenu& popup, const QIcon& icon, QObject* parent)
    : QObject(parent), m_window(window), m_popup(popup), m_icon(new QSystemTrayIcon(icon, this))
{
    connect(m_icon, &QSystemTrayIcon::activated, this, &PlayerTray::activate);
}

void PlayerTray::show()
{
    if (QSystemTrayIcon::isSystemTrayAvailable())
        m_icon->show();
}

void PlayerTray::hide()
{
    m_icon->hide();
}

QString PlayerTray::tipFor(const QString& line)
{
    // A pane's text may end in a line break (its designed placeholder does).
    QString shown = line;
    shown.remove(u'\r');
    while (shown.endsWith(u'\n'))
        shown.chop(1);
    return shown.left(kTipLength);
}

void PlayerTray::setLine(const QString& line)
{
    const QString tip = tipFor(line);
    if (m_icon->toolTip() != tip)
        m_icon->setToolTip(tip);
}

void PlayerTray::restore()
{
    m_window.setWindowState(m_window.windowState() & ~(Qt::WindowMinimized | Qt::WindowMaximized));
    m_window.raise();
    m_window.activateWindow();
}

void PlayerTray::activate(QSystemTrayIcon::ActivationReason reason)
{
    switch (reason) {
    case QSystemTrayIcon::Trigger:
        restore();
        m_window.show();
        break;
    case QSystemTrayIcon::DoubleClick:
        restore();
        break;
    case QSystemTrayIcon::Context:
        m_window.raise();
        m_window.activateWindow();
        m_popup.popup(QCursor::pos());
        break;
    default:
        break;
    }
}

} // namespace cantorel
