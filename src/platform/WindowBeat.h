#pragma once
// The fast timers of one window on one shared beat. Timers that would tick
// every millisecond or few run at 10 ms, the floor of the timers the periods
// were designed for; instead of one QTimer each, they share one 10 ms beat
// and run in the order they were added, so the window wakes 100 times a
// second however many of them are enabled. The beat stops while none is.
#include <QObject>
#include <QTimer>

#include <functional>
#include <vector>

namespace cantorel {

class WindowBeat : public QObject {
    Q_OBJECT
public:
    static constexpr int kPeriodMs = 10;

    explicit WindowBeat(QObject* parent = nullptr);

    // Adds a timer, disabled; returns its id.
    int add(std::function<void()> tick);
    // Enabling an enabled timer leaves the beat's schedule as it is.
    void setEnabled(int id, bool enabled);
    bool isEnabled(int id) const;
    bool running() const { return m_timer.isActive(); }

    // Runs one beat now, as the timer would (for tests).
    void tickNow();

private:
    struct Entry {
        std::function<void()> tick;
        bool enabled = false;
    };
    void update();

    QTimer m_timer;
    std::vector<Entry> m_entries;
};

} // namespace cantorel
