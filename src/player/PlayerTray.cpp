#include "player/PlayerTray.h"

#include "controller/PlayerController.h"

#include <QCursor>
#include <QMenu>

namespace cantorel {

PlayerTray::PlayerTray(PlayerController& player, QMenu& popup, const QIcon& icon, QObject* parent)
    : QObject(parent), m_player(player), m_popup(popup), m_icon(new QSystemTrayIcon(icon, this))
{
    connect(m_icon, &QSystemTrayIcon::activated, this, &PlayerTray::activate);
    connect(&m_player, &PlayerController::linesChanged, this, &PlayerTray::showLine);
    showLine(); // the line from the start
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

void PlayerTray::showTranslation(bool translated)
{
    m_translated = translated;
    showLine();
}

void PlayerTray::showLine()
{
    const lyrics::PaneTexts& panes = m_player.lines().panes;
    const QString tip = tipFor(m_translated ? panes.text2 : panes.text1);
    if (m_icon->toolTip() != tip)
        m_icon->setToolTip(tip);
}

void PlayerTray::activate(QSystemTrayIcon::ActivationReason reason)
{
    switch (reason) {
    case QSystemTrayIcon::Trigger:
    case QSystemTrayIcon::DoubleClick:
        m_player.raise();
        break;
    case QSystemTrayIcon::Context:
        m_player.raise();
        m_popup.popup(QCursor::pos());
        break;
    default:
        break;
    }
}

} // namespace cantorel
