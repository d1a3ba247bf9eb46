#include "follow/PlayerFollowing.h"

#include "controller/PlayerController.h"
#include "follow/Following.h"

#include <utility>

namespace cantorel::follow {

TrackSignature signatureOf(const MprisTrack& track)
{
    return {track.title, track.artists.join(QStringLiteral(", ")), track.album, track.lengthMs};
}

PlayerFollowing::PlayerFollowing(PlayerController& player, Following& following, QObject* parent)
    : QObject(parent), m_player(player), m_following(following)
{
    connect(&following, &Following::captionChanged, this, [this] {
        followChoice();
        m_player.setFollowCaption(m_following.caption());
    });
    connect(&following, &Following::trackChanged, this, &PlayerFollowing::showTrack);
    connect(&following, &Following::clockChanged, &player, &PlayerController::clockChanged);
    connect(&player, &PlayerController::followingEnded, this, [this] { m_following.choose(FollowChoice::none()); });
}

PlayerFollowing::~PlayerFollowing()
{
    if (m_player.following())
        m_player.followClock(nullptr);
}

void PlayerFollowing::followChoice()
{
    const bool active = m_following.choice().active();
    if (active == m_player.following())
        return;
    m_player.followClock(active ? &m_following.clock() : nullptr);
    if (active)
        showTrack(m_following.track());
}

void PlayerFollowing::showTrack(const MprisTrack& track)
{
    // A message about a lyric that could not be read waits for the user in
    // a loop of its own, where the next track may come: that one is shown
    // once this one is done.
    m_next = track;
    if (m_showing)
        return;
    m_showing = true;
    while (m_next)
        show(*std::exchange(m_next, std::nullopt));
    m_showing = false;
}

void PlayerFollowing::show(const MprisTrack& track)
{
    if (!m_player.following())
        return;
    m_player.setFollowCaption(m_following.caption());
    const lyrics::FoundLyric found = m_player.followSong(track.localPath());
    const bool none = found.load.outcome == lyrics::LyricLoad::Outcome::NoLyricFile;
    if (none && !track.title.isEmpty())
        Q_EMIT lyricWanted(signatureOf(track));
}

} // namespace cantorel::follow
