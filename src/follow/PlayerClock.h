#pragma once
// The position of another player on the desktop, as the lines follow it.
// Players do not announce their position as it moves: they answer when
// asked, and say when they seek. So the clock keeps the last position the
// player gave together with the moment it held (a monotonic clock), and
// carries it forward from there at the player's rate while it plays.
//
// What the player gives comes in two kinds:
// - place(): a position it gave right after a change (a new track, another
//   playback status or rate, a seek): taken as it is;
// - correct(): a position it gave when asked again later, to take out the
//   drift between its clock and ours. A small difference (at most
//   kDriftMs) is taken at once. A larger jump that the player did not
//   announce may be a lie (a stale or reset position), so it is taken only
//   when a second answer, kConfirmAfterMs later, agrees with it (within
//   kAgreeMs of where the first one would have moved by then); until then
//   the clock carries on as before.
// Positions are never below 0, nor past the track's length when it is known.
//
// User-interface thread only. Positions and moments in ms; a rate is song
// ms per real ms (1.0: normal speed).
#include "controller/LyricClock.h"

#include <functional>

namespace cantorel::follow {

class PlayerClock final : public LyricClock {
public:
    // A monotonic clock in ms; the default is the system's steady clock.
    using Now = std::function<qint64()>;
    static qint64 steadyNowMs();

    static constexpr qint64 kDriftMs = 250;
    static constexpr int kConfirmAfterMs = 300;
    static constexpr qint64 kAgreeMs = 100;
    // The rates a player may give; others count as normal speed.
    static constexpr double kMinRate = 0.01;
    static constexpr double kMaxRate = 100.0;

    explicit PlayerClock(Now now = {});

    Motion motion() const override { return m_motion; }
    qint64 positionMs() override { return positionAt(nowMs()); }
    double rate() const override { return m_rate; }
    qint64 nowMs() const { return m_now(); }
    // Where the position is (or was) at the moment `atMs`.
    qint64 positionAt(qint64 atMs) const;

    // The player plays, pauses or stops: the position carried so far stays.
    void setMotion(Motion motion);
    void setRate(double rate);
    // The track's length, -1 when unknown.
    void setLengthMs(qint64 lengthMs);

    void place(qint64 positionMs, qint64 atMs);
    enum class Reading {
        Taken,           // the clock now says what the player said
        Ignored,         // a jump the second answer did not confirm
        ConfirmationDue, // ask again kConfirmAfterMs from now
    };
    Reading correct(qint64 positionMs, qint64 atMs);

private:
    qint64 bounded(qint64 positionMs) const;
    // Anchors the clock where it is now, before its motion or rate changes.
    void carriedSoFar();

    Now m_now;
    Motion m_motion = Motion::Stopped;
    double m_rate = 1.0;
    qint64 m_lengthMs = -1;
    qint64 m_anchorMs = 0;   // the position given
    qint64 m_anchorAtMs = 0; // when it held
    bool m_jumpPending = false;
    qint64 m_jumpMs = 0;
    qint64 m_jumpAtMs = 0;
};

} // namespace cantorel::follow
