#pragma once
// While another player is followed, the player's own song stands stopped,
// and the position and length read-outs and the (disabled) seek slider show
// where the followed track is instead: refreshed at each whole second of
// its position and whenever its clock jumps or changes its motion, never
// while it stands. When the following ends, the read-outs say again what
// they said before it.
//
// Both must outlive this. User-interface thread only.
#include <QObject>
#include <QString>
#include <QTimer>

namespace cantorel {

class PlayerController;
class TransportControls;
namespace follow {
class Following;
}

class FollowedReadouts : public QObject {
    Q_OBJECT
public:
    FollowedReadouts(PlayerController& player, follow::Following& following, TransportControls& view,
                     QObject* parent = nullptr);

private:
    void show();

    PlayerController& m_player;
    follow::Following& m_following;
    TransportControls& m_view;
    QTimer m_nextSecond;
    bool m_showing = false;
    QString m_ownPosition; // the read-outs before the following began
    QString m_ownLength;
};

} // namespace cantorel
