#pragma once
// Turns SIGTERM, SIGINT and SIGHUP into a call on the user-interface thread,
// so that a program stopped by `kill`, Ctrl+C, the desktop or the session
// still runs its normal end (the player saves what it must and shuts its
// engine down; the screen saver removes its socket files). One instance per
// process.
#include <QObject>
#include <functional>

class QSocketNotifier;

namespace cantorel {

class TerminationSignals : public QObject {
    Q_OBJECT
public:
    // `onSignal` runs on the thread that owns this object, once per signal.
    explicit TerminationSignals(std::function<void()> onSignal, QObject* parent = nullptr);
    ~TerminationSignals() override;

private:
    void drain();

    std::function<void()> m_onSignal;
    QSocketNotifier* m_notifier = nullptr;
};

} // namespace cantorel
