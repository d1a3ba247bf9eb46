#pragma once
// A worker thread for reads that must not hold up the window: a song's
// tags, the lyric files beside it. The window asks, goes on, and gets the
// answer later from its event loop.
//
// Only the latest question waiting counts: one asked while another waits
// replaces it (the one already running finishes and is answered), so a
// user who runs down a long playlist is answered for the entry selected,
// not for every entry passed. Answers arrive in the order asked. Once this
// object is gone nothing more is answered; a read then running finishes on
// its own thread and is dropped. The thread exists only while there is
// something to read.
//
// Create, ask and destroy on one thread (the window's); the work runs on
// the worker and must not touch widgets.
#include <QObject>

#include <functional>
#include <memory>

namespace cantorel::lyrics {

class BackgroundReads : public QObject {
    Q_OBJECT
public:
    explicit BackgroundReads(QObject* parent = nullptr);
    ~BackgroundReads() override;

    // Runs `work` on the worker thread, then `done` with its result on this
    // object's thread.
    template <typename Result>
    void read(std::function<Result()> work, std::function<void(const Result&)> done)
    {
        ask([work = std::move(work), done = std::move(done)]() -> Delivery {
            return [done, result = work()] { done(result); };
        });
    }

private:
    using Delivery = std::function<void()>;     // runs on this object's thread
    using Question = std::function<Delivery()>; // runs on the worker
    struct Queue;
    void ask(Question question);
    static void work(const std::shared_ptr<Queue>& queue);

    std::shared_ptr<Queue> m_queue;
};

} // namespace cantorel::lyrics
