#include "online/OffThread.h"

#include <QThread>

namespace cantorel::online {

QThreadPool& onlineWorkers()
{
    static QThreadPool* pool = [] {
        auto* p = new QThreadPool;
        p->setMaxThreadCount(qBound(2, QThread::idealThreadCount(), 8));
        return p;
    }();
    return *pool;
}

OffThread::OffThread(QObject* receiver) : m_link(std::make_shared<Link>(receiver))
{}

OffThread::~OffThread()
{
    cancel();
}

void OffThread::cancel()
{
    const QMutexLocker lock(&m_link->mutex);
    m_link->cancelled = true;
    m_link->receiver = nullptr;
}

} // namespace cantorel::online
