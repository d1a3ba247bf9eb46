#pragma once
// Bounded waits for tests: the event loop runs until a condition holds or
// the time is up, so a test fails instead of hanging.
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>

#include <functional>

namespace cantorel::testing {

// Returns whether `done` held within `ms` milliseconds.
inline bool waitUntil(const std::function<bool()>& done, int ms = 10000)
{
    QElapsedTimer clock;
    clock.start();
    while (!done()) {
        if (clock.elapsed() > ms)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        QThread::msleep(5);
    }
    return true;
}

} // namespace cantorel::testing
