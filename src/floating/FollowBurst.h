#pragma once
// The floating window's short burst of follow steps after each change of
// the main window's lyric line: a step every 100 ms (Timer3) until a 500 ms
// timer (Timer4), started at the second step, ends the burst some 700 ms
// after its start. A start while a burst runs leaves its schedule as it is.
// No timer runs between bursts. User-interface thread only.
#include <QObject>
#include <QTimer>

#include <functional>

namespace cantorel::floating {

class FollowBurst : public QObject {
    Q_OBJECT
public:
    static constexpr int kStepMs = 100;
    static constexpr int kEndMs = 500;

    // `step` runs on every tick of the burst.
    explicit FollowBurst(std::function<void()> step, QObject* parent = nullptr);

    // Starts a burst unless one is running.
    void start();
    bool running() const { return m_timer3.isActive() || m_timer4.isActive(); }

private:
    void timer3Tick();
    void timer4Tick();

    std::function<void()> m_step;
    QTimer m_timer3; // the follow steps
    QTimer m_timer4; // ends the burst
    int m_followTicks = 0;
};

} // namespace cantorel::floating
