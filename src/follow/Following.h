#pragma once
// Following another media player on the desktop: the choice of player
// (FollowChoice.h) and the one followed now (FollowedPlayer.h), chosen from
// the players the watcher sees (PlayerWatcher.h).
//
// - Playing: the player that started playing last is followed; another
//   that starts playing later takes over. A followed player that pauses or
//   stops stays followed while no other plays.
// - Named: the first player the name fits (one that plays before one that
//   does not).
// When the followed player quits, nothing is followed until the next one
// the choice fits (Named: the same player started again; Playing: the next
// that starts playing, or one that plays already); caption() says so
// meanwhile. The choice holds until choose() is called again.
//
// clock() is one clock for the whole time: the followed player's, or a
// stopped one while nothing is followed, so the lines can follow it once.
// User-interface thread only.
#include "follow/FollowChoice.h"
#include "follow/MprisTrack.h"
#include "follow/PlayerClock.h"

#include <QDBusConnection>
#include <QObject>

#include <memory>

namespace cantorel::follow {

class FollowedPlayer;
class PlayerWatcher;

class Following : public QObject {
    Q_OBJECT
public:
    // `now` is the followed players' monotonic clock (tests give their own).
    explicit Following(QDBusConnection bus, PlayerClock::Now now = {}, QObject* parent = nullptr);
    ~Following() override;

    // Starts watching the bus for players.
    void start();
    bool hasBus() const;

    void choose(const FollowChoice& choice);
    const FollowChoice& choice() const { return m_choice; }
    // Null while nothing is followed.
    FollowedPlayer* followed() const { return m_followed.get(); }
    PlayerWatcher& watcher() { return *m_watcher; }
    LyricClock& clock();
    // The track of the player followed (empty while none is).
    MprisTrack track() const;
    // What a title says while following: the track ("Rain - The Clouds"),
    // the player when it names no track ("mpv"), or why nothing is followed
    // ("mpv has quit; waiting for it to start again"); "" when the choice
    // is none.
    QString caption() const;

Q_SIGNALS:
    // The followed player's track, also when another player is followed
    // (an empty track while none is).
    void trackChanged(const MprisTrack& track);
    void clockChanged();
    void captionChanged();

private:
    // Follows what the choice says now; `gone` is a player that just quit.
    void reconsider(const QString& gone = QString());
    QString candidate() const;
    void follow(const QString& busName);
    QString identityOf(const QString& busName) const;

    class ForwardClock;

    QDBusConnection m_bus;
    PlayerClock::Now m_now;
    PlayerWatcher* m_watcher;
    std::unique_ptr<ForwardClock> m_clock;
    std::unique_ptr<FollowedPlayer> m_followed;
    FollowChoice m_choice;
    QString m_identity; // of the player followed (or last followed)
    QString m_waiting;  // why nothing is followed, for the caption
};

} // namespace cantorel::follow
