#pragma once
// Runs a folder scan (FolderScan::walk) on a thread of its own, so that the
// window asking for it stays responsive while a big tree is walked.
//
// Threads: made, used and destroyed on one thread (the window's), where its
// signals are emitted too. The walk alone runs on the scan's thread. One scan
// at a time. Destroying the scanner stops a running scan and waits for its
// thread, which ends at the next folder the walk finishes.
#include "playlist/FolderScan.h"

#include <QObject>

#include <atomic>
#include <functional>
#include <thread>

namespace cantorel {

class FolderScanner : public QObject {
    Q_OBJECT
public:
    // The walk a scan runs: FolderScan::walk, or one a test holds at will.
    using Walk = std::function<ScanResult(const QString& folder, const FolderScan::Progress& progress)>;

    explicit FolderScanner(QObject* parent = nullptr);
    ~FolderScanner() override;

    void setWalk(Walk walk) { m_walk = std::move(walk); }

    // Starts walking `folder`; false, and nothing started, while a scan runs.
    bool start(const QString& folder);
    // Asks the running scan to stop at its next folder; `finished` follows
    // with a cancelled result. Nothing when no scan runs.
    void cancel();
    // Cancels the running scan and waits for its thread to end; no signal
    // of that scan follows.
    void stop();
    // From start until `finished` (or stop).
    bool running() const { return m_running; }

    // Progress reports come at most this often (the first one at once).
    static constexpr int kProgressPeriodMs = 100;

Q_SIGNALS:
    // The number of songs the running scan has found so far; sent only when
    // it changed.
    void progress(int found);
    // The scan is over and its thread has ended: its songs, or `cancelled`
    // set when it was cancelled (the songs are then a part of the tree).
    void finished(const cantorel::ScanResult& result);

private:
    void reportProgress(quint64 serial, int found);
    void end(quint64 serial, ScanResult result);
    void joinThread();

    Walk m_walk;
    std::thread m_thread;
    std::atomic<bool> m_cancel {false};
    bool m_running = false;
    quint64 m_serial = 0; // the scan whose reports are still wanted
};

} // namespace cantorel
