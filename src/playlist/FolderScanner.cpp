#include "playlist/FolderScanner.h"

#include <QMetaObject>

#include <chrono>

namespace cantorel {

FolderScanner::FolderScanner(QObject* parent) : QObject(parent), m_walk(&FolderScan::walk)
{}

FolderScanner::~FolderScanner()
{
    stop();
}

bool FolderScanner::start(const QString& folder)
{
    if (m_running)
        return false;
    joinThread(); // a scan that has sent its end may not have returned yet
    m_running = true;
    m_cancel = false;
    const quint64 serial = ++m_serial;
    // Reports go back as calls queued to this object's thread; the serial
    // drops those of a scan stopped in the meantime.
    m_thread = std::thread([this, serial, folder, walk = m_walk] {
        using Clock = std::chrono::steady_clock;
        int reported = 0;
        Clock::time_point last {};
        const auto report = [&](int found) {
            const Clock::time_point now = Clock::now();
            if (found != reported && (reported == 0 || now - last >= std::chrono::milliseconds(kProgressPeriodMs))) {
                reported = found;
                last = now;
                QMetaObject::invokeMethod(
                    this, [this, serial, found] { reportProgress(serial, found); }, Qt::QueuedConnection);
            }
            return !m_cancel.load();
        };
        ScanResult result = walk(folder, report);
        QMetaObject::invokeMethod(
            this, [this, serial, result = std::move(result)] { end(serial, result); }, Qt::QueuedConnection);
    });
    return true;
}

void FolderScanner::reportProgress(quint64 serial, int found)
{
    if (serial == m_serial && m_running)
        Q_EMIT progress(found);
}

void FolderScanner::end(quint64 serial, ScanResult result)
{
    if (serial != m_serial || !m_running)
        return;
    joinThread();
    m_running = false;
    // A cancel that came after the walk's end still holds: the user
    // cancelled, so the songs are not wanted.
    if (m_cancel)
        result.cancelled = true;
    Q_EMIT finished(result);
}

void FolderScanner::cancel()
{
    if (m_running)
        m_cancel = true;
}

void FolderScanner::stop()
{
    m_cancel = true;
    joinThread();
    m_running = false;
    ++m_serial;
}

void FolderScanner::joinThread()
{
    if (m_thread.joinable())
        m_thread.join();
}

} // namespace cantorel
