#include "engine/StreamOpening.h"

#include <pthread.h>

#include <thread>

namespace cantorel::engine {

std::shared_ptr<StreamOpening> StreamOpening::start(SourceOpener opener, const QString& path, unsigned mode,
                                                    std::function<void()> finished)
{
    auto opening = std::make_shared<StreamOpening>(Private {});
    opening->m_finished = std::move(finished);
    std::thread([self = opening, opener = std::move(opener), path, mode] {
        pthread_setname_np(pthread_self(), "cantorel-open");
        self->run(opener, path, mode);
    }).detach();
    return opening;
}

void StreamOpening::run(const SourceOpener& opener, const QString& path, unsigned mode)
{
    std::shared_ptr<const SoundSource> source;
    const Result r = opener(path, mode, &source, &m_cancel);
    std::unique_lock lock(m_mutex);
    // cancel() sets the flag before it takes the lock.
    if (!m_cancel.load()) {
        m_state = r == result::Ok ? OpenState::Ready : OpenState::Failed;
        m_result = r;
        m_source = std::move(source);
        // Under the lock: cancel() cannot return while this runs.
        if (m_finished)
            m_finished();
    }
    m_finished = nullptr;
    m_done = true;
    m_doneCondition.notify_all();
}

OpenState StreamOpening::state(Result* openResult, std::shared_ptr<const SoundSource>* source) const
{
    std::lock_guard lock(m_mutex);
    if (openResult)
        *openResult = m_result;
    if (source)
        *source = m_source;
    return m_state;
}

void StreamOpening::cancel()
{
    m_cancel.store(true);
    std::lock_guard lock(m_mutex); // waits for a `finished` under way
    m_finished = nullptr;
}

bool StreamOpening::waitUntil(std::chrono::steady_clock::time_point deadline)
{
    std::unique_lock lock(m_mutex);
    return m_doneCondition.wait_until(lock, deadline, [this] { return m_done; });
}

} // namespace cantorel::engine
