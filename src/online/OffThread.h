#pragma once
// Work for the online look-ups that must not hold up the window (a song's
// tags and length, the answers kept on disk, the files written): it runs on
// a pool of worker threads shared by the program, and its answer comes back
// on the thread of a receiving object, through that thread's event loop.
//
// The receiver may go first: once this object is destroyed (or cancel()
// was called) work not yet begun is skipped and answers are dropped; work
// already running finishes on its worker. Nothing here ever waits for a
// worker, so a window never stalls on a slow disk.
//
// Create, run and destroy on the receiver's thread.
#include <QMetaObject>
#include <QMutex>
#include <QObject>
#include <QThreadPool>

#include <functional>
#include <memory>

namespace cantorel::online {

// The workers shared by everything online (a few threads; never destroyed,
// so a worker still reading a stalled file cannot outlive it).
QThreadPool& onlineWorkers();

class OffThread {
public:
    explicit OffThread(QObject* receiver);
    ~OffThread();
    OffThread(const OffThread&) = delete;
    OffThread& operator=(const OffThread&) = delete;

    // Runs `work` on a worker, then `done` with its result on the
    // receiver's thread.
    template <typename Result>
    void run(std::function<Result()> work, std::function<void(const Result&)> done)
    {
        std::shared_ptr<Link> link = m_link;
        onlineWorkers().start([link, work = std::move(work), done = std::move(done)] {
            if (link->isCancelled())
                return;
            Result result = work();
            const QMutexLocker lock(&link->mutex);
            if (link->receiver && !link->cancelled)
                QMetaObject::invokeMethod(
                    link->receiver, [done, result] { done(result); }, Qt::QueuedConnection);
        });
    }

    // Nothing more is begun or answered.
    void cancel();

private:
    struct Link {
        explicit Link(QObject* r) : receiver(r) {}
        bool isCancelled()
        {
            const QMutexLocker lock(&mutex);
            return cancelled;
        }
        QMutex mutex;
        QObject* receiver;
        bool cancelled = false;
    };
    std::shared_ptr<Link> m_link;
};

} // namespace cantorel::online
