#include "player/FollowedReadouts.h"

#include "controller/PlayerController.h"
#include "follow/Following.h"
#include "widgets/TransportControls.h"

#include <algorithm>

namespace cantorel {

FollowedReadouts::FollowedReadouts(PlayerController& player, follow::Following& following, TransportControls& view,
                                   QObject* parent)
    : QObject(parent), m_player(player), m_following(following), m_view(view)
{
    m_nextSecond.setSingleShot(true);
    m_nextSecond.setTimerType(Qt::PreciseTimer);
    connect(&m_nextSecond, &QTimer::timeout, this, &FollowedReadouts::show);
    connect(&player, &PlayerController::stateChanged, this, &FollowedReadouts::show);
    connect(&player, &PlayerController::followedClockChanged, this, &FollowedReadouts::show);
    connect(&following, &follow::Following::trackChanged, this, &FollowedReadouts::show);
}

void FollowedReadouts::show()
{
    if (!m_player.following()) {
        m_nextSecond.stop();
        if (m_showing) {
            m_showing = false;
            m_view.cText1->setText(m_ownPosition);
            m_view.cText2->setText(m_ownLength);
            m_view.setSeekQuietly(0);
        }
        return;
    }
    if (!m_showing) {
        m_showing = true;
        m_ownPosition = m_view.cText1->text();
        m_ownLength = m_view.cText2->text();
    }
    const unsigned position = m_player.linePositionMs();
    const qint64 length = m_following.track().lengthMs;
    const unsigned shownLength = length > 0 ? unsigned(std::min<qint64>(length, UINT_MAX)) : 0;
    m_view.showPosition(position, shownLength, position, std::max(shownLength, position));
    // The read-outs change at the next whole second of the track.
    if (m_player.linesMoving())
        m_nextSecond.start(int(1000 - position % 1000) + 1);
    else
        m_nextSecond.stop();
}

} // namespace cantorel
