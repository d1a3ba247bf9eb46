#pragma once
// The one clock every wipe on the screen follows, so that all of them move
// in the same wake-ups: the main window's lyric pane, the desktop bar, the
// floating window's word marks.
//
// It wakes only when some follower has something to change: each follower
// says, for the position it was shown, the next position at which it will
// look different (the wipe's next whole pixel, the next word), and the
// clock sleeps until the earliest of those, but never less than a frame
// (kSmoothFrameMs, longer than any screen's frame: every step is a wake-up
// of the whole program) after its last wake-up. A
// follower with nothing more to change (its line sung, no word times,
// hidden) asks for nothing, and with no one asking, or while the song does
// not move, no timer runs.
//
// A program that already wakes regularly while the song moves (the
// player's position timer, every 50 ms) lends that wake-up to the clock
// (rideOn()): while that timer runs, its owner shows the followers the
// position it read at each tick (showAt()) and the clock arms no timer of
// its own, so the wipes cost no wake-up, nor a second read, at all.
//
// The owner calls refresh() whenever the position jumps or changes its
// motion (a play, pause, stop, seek); a follower calls it when what it
// shows changes (a new line, another font or size).
//
// User-interface thread only. Positions in ms from the song's start.
#include <QObject>
#include <QTimer>

#include <functional>
#include <vector>

namespace cantorel::karaoke {

class WipeClock : public QObject {
    Q_OBJECT
public:
    class Follower {
    public:
        // Shows what belongs to `positionMs`; returns the next position at
        // which that changes (> positionMs), or -1 for none.
        virtual double follow(double positionMs) = 0;

    protected:
        ~Follower() = default;
    };

    // The position heard now, and whether it moves on with time.
    using Position = std::function<qint64()>;
    using Moving = std::function<bool()>;

    static constexpr int kSmoothFrameMs = 40;
    static constexpr int kSlowestFrameMs = 50;
    static constexpr int kFastestFrameMs = 4;

    WipeClock(Position position, Moving moving, QObject* parent = nullptr);

    // Followers must leave before they go.
    void add(Follower* follower);
    void remove(Follower* follower);

    // Every follower shows the position now; the timer is armed for the
    // earliest change any of them asks for.
    void refresh();
    // The same for `positionMs`, the position heard now as its owner has
    // just read it.
    void showAt(double positionMs);
    // While `ticks` (null: none) runs, its owner calls showAt() at each of
    // its ticks, and the clock's own timer is not armed. It must outlive
    // the clock or be set back to null first.
    void rideOn(QTimer* ticks) { m_ticks = ticks; }

    // The least time between two wake-ups (kSmoothFrameMs unless set),
    // held within kFastestFrameMs .. kSlowestFrameMs.
    void setFrameMs(int ms);
    QTimer& timer() { return m_timer; }

private:
    Position m_position;
    Moving m_moving;
    std::vector<Follower*> m_followers;
    QTimer m_timer;
    QTimer* m_ticks = nullptr;
    int m_frameMs;
    bool m_refreshing = false;
};

} // namespace cantorel::karaoke
