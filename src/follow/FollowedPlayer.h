#pragma once
// One media player on the session bus that the lyric follows: its track
// (`Metadata`), its playback status, rate and position, kept in a
// PlayerClock (PlayerClock.h). The position is read:
// - with everything else when the player is first asked (GetAll);
// - when the track, the playback status or the rate changes;
// - on every `Seeked` (whose own position is taken at once, and read again);
// - every kPollMs while it plays, to take out drift (never while it is
//   paused or stopped), and once more kConfirmAfterMs after an answer that
//   jumped (PlayerClock::correct).
// Answers are asked without blocking, each within kCallTimeoutMs; an answer
// that comes after a newer change (a seek while a read was on its way) is
// dropped. The moment an answer held is taken as halfway between the
// question and the answer.
//
// The player going away is the watcher's to see (PlayerWatcher.h); this
// object is then deleted. User-interface thread only.
#include "follow/MprisTrack.h"
#include "follow/PlayerClock.h"

#include <QDBusConnection>
#include <QObject>
#include <QTimer>

class QDBusMessage;

namespace cantorel::follow {

class FollowedPlayer : public QObject {
    Q_OBJECT
public:
    static constexpr int kPollMs = 2000;

    // Starts asking `busName` on `bus` at once.
    FollowedPlayer(QDBusConnection bus, QString busName, PlayerClock::Now now = {}, QObject* parent = nullptr);

    const QString& busName() const { return m_busName; }
    PlayerClock& clock() { return m_clock; }
    const MprisTrack& track() const { return m_track; }
    // The player has answered its first question.
    bool known() const { return m_known; }
    // The drift reads run (the player plays).
    bool polling() const { return m_poll.isActive(); }
    // Questions asked whose answer has not come yet.
    int awaitedAnswers() const { return m_awaited; }

Q_SIGNALS:
    // Another track (also the first one the player names).
    void trackChanged(const MprisTrack& track);
    // The clock jumped or changed its motion or rate.
    void clockChanged();

private Q_SLOTS:
    void propertiesChanged(const QDBusMessage& message);
    void seeked(const QDBusMessage& message);

private:
    void readAll();
    // Reads Position: `trusted` after a change (placed), else a drift read.
    void readPosition(bool trusted);
    void positionRead(qint64 positionUs, qint64 atMs, bool trusted);
    // Takes what the player reported at `atMs`; true when the clock changed.
    bool apply(const QVariantMap& properties, qint64 atMs, bool* positionGiven);
    void afterChange(bool positionGiven);

    QDBusConnection m_bus;
    QString m_busName;
    PlayerClock m_clock;
    MprisTrack m_track;
    QTimer m_poll;
    QTimer m_confirm;
    quint64 m_serial = 0; // bumped by every change; older answers are dropped
    bool m_known = false;
    int m_awaited = 0;
};

} // namespace cantorel::follow
