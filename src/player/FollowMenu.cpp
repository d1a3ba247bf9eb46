#include "player/FollowMenu.h"

#include "follow/FollowedPlayer.h"
#include "follow/Following.h"
#include "follow/PlayerWatcher.h"

#include <QActionGroup>

namespace cantorel {

using follow::FollowChoice;

FollowMenu::FollowMenu(follow::Following& following, QWidget* parent)
    : QMenu(tr("Follow another player"), parent), m_following(following)
{
    setObjectName(QStringLiteral("mn_follow"));
    connect(this, &QMenu::aboutToShow, this, &FollowMenu::refresh);
    refresh();
}

void FollowMenu::refresh()
{
    clear();
    delete m_group;
    auto* group = m_group = new QActionGroup(this);
    const follow::FollowedPlayer* followed = m_following.followed();
    int n = 0;
    for (const follow::PlayerInfo& player : m_following.watcher().players()) {
        QAction* entry = addAction(player.identity);
        entry->setObjectName(QStringLiteral("mn_follow_%1").arg(++n));
        entry->setToolTip(player.busName);
        entry->setCheckable(true);
        entry->setChecked(followed && followed->busName() == player.busName);
        group->addAction(entry);
        const QString busName = player.busName;
        connect(entry, &QAction::triggered, this, [this, busName] { m_following.choose(FollowChoice::of(busName)); });
    }
    addSeparator();
    QAction* none = addAction(tr("None"));
    none->setObjectName(QStringLiteral("mn_follow_none"));
    none->setCheckable(true);
    none->setChecked(!m_following.choice().active());
    group->addAction(none);
    connect(none, &QAction::triggered, this, [this] { m_following.choose(FollowChoice::none()); });
}

} // namespace cantorel
