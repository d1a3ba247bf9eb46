#pragma once
// "Follow another player" in the player's right-click menu ("mn_follow"):
// one entry per media player on the desktop, by its Identity ("mpv"), and
// "None" ("mn_follow_none"). Picking a player follows it (by its name, so
// the same player started again is followed again); "None" follows nothing.
// The entries are made afresh each time the menu opens; the player
// followed, or "None", is checked.
//
// User-interface thread only. `following` must outlive the menu.
#include <QMenu>

class QActionGroup;

namespace cantorel {

namespace follow {
class Following;
}

class FollowMenu : public QMenu {
    Q_OBJECT
public:
    FollowMenu(follow::Following& following, QWidget* parent);

    // Makes the entries for the players there are now.
    void refresh();

private:
    follow::Following& m_following;
    QActionGroup* m_group = nullptr;
};

} // namespace cantorel
