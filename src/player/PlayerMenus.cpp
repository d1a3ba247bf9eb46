#include "player/PlayerMenus.h"

#include "controller/PlayerController.h"
#include "player/FollowMenu.h"
#include "player/LyricEncodingMenu.h"
#include "player/OffsetActions.h"

#include <QMenu>

namespace cantorel {

PlayerMenus::PlayerMenus(QWidget& window, PlayerController& player, lyrics::EncodingChoices* choices)
    : QObject(&window), m_popup(new QMenu(QStringLiteral("popupmenusystem"), &window)), m_lyricMenu(new QMenu(&window)),
      m_encodingMenu(new LyricEncodingMenu(choices, &window))
{
    m_popup->setObjectName(QStringLiteral("mn_pop"));
    QAction* open = m_popup->addAction(QStringLiteral("Open"));
    open->setObjectName(QStringLiteral("mn_open"));
    QAction* list = m_popup->addAction(QStringLiteral("Playlist"));
    list->setObjectName(QStringLiteral("mn_Playlist"));
    connect(open, &QAction::triggered, this, &PlayerMenus::openRequested);
    connect(list, &QAction::triggered, this, &PlayerMenus::playlistRequested);

    m_lyricMenu->setObjectName(QStringLiteral("lyricMenu"));
    m_lyricMenu->addActions(m_popup->actions());
    m_lyricMenu->addSeparator();
    m_lyricMenu->addActions(addOffsetActions(window, player));
    m_lyricMenu->addSeparator();
    m_lyricMenu->addMenu(m_encodingMenu->menu());
    connect(m_encodingMenu, &LyricEncodingMenu::chosen, &player, &PlayerController::reloadLyric);
}

void PlayerMenus::addFollowMenu(follow::Following& following)
{
    m_lyricMenu->addMenu(new FollowMenu(following, m_lyricMenu));
}

} // namespace cantorel
