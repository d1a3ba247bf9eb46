#pragma once
// Keeps the player (controller/PlayerController.h) on the other player that
// `Following` follows: while the choice is a player, the player's lines
// follow its clock, its title names its track, and the track's lyric is
// looked for as for a song of the player's own (the lyric pair, an LRC
// file, an embedded lyric; a track that is no local file has none). When
// the user opens or plays a song of the player's own, the choice goes back
// to none.
//
// A track with no lyric of its own here is announced with lyricWanted(): its
// signature is what a lookup elsewhere can search by. A lyric that comes
// back for it goes to PlayerController::showLyric() while the track is
// still the one followed (Following::track()); an answer for an earlier
// track is for no one.
//
// Both must outlive this. User-interface thread only.
#include "follow/MprisTrack.h"

#include <QObject>

#include <optional>

namespace cantorel {
class PlayerController;
}

namespace cantorel::follow {

class Following;

// What names a track to a lookup elsewhere.
struct TrackSignature {
    QString title;
    QString artist; // the artists, joined with ", "
    QString album;
    qint64 lengthMs = -1; // -1 when the player gave none
    bool operator==(const TrackSignature&) const = default;
};
TrackSignature signatureOf(const MprisTrack& track);

class PlayerFollowing : public QObject {
    Q_OBJECT
public:
    PlayerFollowing(PlayerController& player, Following& following, QObject* parent = nullptr);
    // The player lets go of the followed clock, which goes with `following`.
    ~PlayerFollowing() override;

Q_SIGNALS:
    // The followed track has no lyric here (no local file, or none beside
    // it or in it); only for a track with a title.
    void lyricWanted(const TrackSignature& signature);

private:
    void followChoice();
    void showTrack(const MprisTrack& track);
    void show(const MprisTrack& track);

    PlayerController& m_player;
    Following& m_following;
    std::optional<MprisTrack> m_next; // the track to show after this one
    bool m_showing = false;
};

} // namespace cantorel::follow
