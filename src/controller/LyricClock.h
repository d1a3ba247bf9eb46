#pragma once
// Where the lyric's lines take their time from. The player's own song is
// one clock (TransportClock); another player followed on the desktop can be
// another. The line follower asks it when its answer may have changed; the
// owner of a clock tells the follower when the clock jumps or changes its
// motion (PlayerController::clockChanged).
// User-interface thread only. Positions in ms from the song's start.
#include <QtGlobal>

namespace cantorel {

namespace engine {
class Transport;
}

class LyricClock {
public:
    enum class Motion {
        Stopped, // nothing plays: the lines stay as they are
        Running, // the position grows with time
        Paused,  // the position stands, though it may still settle a little
    };

    virtual ~LyricClock() = default;
    virtual Motion motion() const = 0;
    // The position heard now.
    virtual qint64 positionMs() = 0;
    // How fast the position grows while running: song ms per real ms.
    virtual double rate() const { return 1.0; }
};

// The player's own song: running while it plays unpaused, the position read
// afresh from the engine while it plays (the last one read otherwise).
class TransportClock final : public LyricClock {
public:
    explicit TransportClock(engine::Transport& transport) : m_transport(transport) {}
    Motion motion() const override;
    qint64 positionMs() override;

private:
    engine::Transport& m_transport;
};

} // namespace cantorel
