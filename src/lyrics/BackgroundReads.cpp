#include "lyrics/BackgroundReads.h"

#include <QMutex>
#include <utility>

#include <thread>

namespace cantorel::lyrics {

struct BackgroundReads::Queue {
    QMutex mutex;
    QObject* owner = nullptr; // null once the BackgroundReads is gone
    Question waiting;
    bool working = false;
};

BackgroundReads::BackgroundReads(QObject* parent) : QObject(parent), m_queue(std::make_shared<Queue>())
{
    m_queue->owner = this;
}

BackgroundReads::~BackgroundReads()
{
    QMutexLocker lock(&m_queue->mutex);
    m_queue->owner = nullptr;
    m_queue->waiting = nullptr;
}

void BackgroundReads::ask(Question question)
{
    QMutexLocker lock(&m_queue->mutex);
    m_queue->waiting = std::move(question);
    if (m_queue->working)
        return;
    m_queue->working = true;
    std::thread(&BackgroundReads::work, m_queue).detach();
}

void BackgroundReads::work(const std::shared_ptr<Queue>& queue)
{
    for (;;) {
        Question question;
        {
            QMutexLocker lock(&queue->mutex);
            if (!queue->waiting || !queue->owner) {
                queue->working = false;
                return;
            }
            question = std::exchange(queue->waiting, nullptr);
        }
        Delivery delivery = question();
        // Posted under the lock, so the owner cannot go away in between; an
        // answer posted before it went is dropped with its events.
        QMutexLocker lock(&queue->mutex);
        if (queue->owner)
            QMetaObject::invokeMethod(queue->owner, std::move(delivery), Qt::QueuedConnection);
    }
}

} // namespace cantorel::lyrics
