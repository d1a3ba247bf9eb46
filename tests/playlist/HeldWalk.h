#pragma once
// A folder walk that a test holds: it reports `found` songs at once, then
// waits until the test releases it (and returns `result`) or until its scan
// is cancelled (and returns a cancelled result). It holds for kLongestHold
// at most, so that a scanner whose cancel is broken cannot hang the test
// program's end.
#include "playlist/FolderScanner.h"

#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <thread>

namespace cantorel::testing {

class HeldWalk {
public:
    static constexpr std::chrono::seconds kLongestHold {20};

    ScanResult result;
    int found = 3;

    FolderScanner::Walk walk() const
    {
        return [state = m_state, result = result, found = found](const QString&, const FolderScan::Progress& progress) {
            bool goOn = progress(found);
            const auto deadline = std::chrono::steady_clock::now() + kLongestHold;
            std::unique_lock lock(state->mutex);
            state->thread = std::this_thread::get_id();
            while (goOn && !state->released && std::chrono::steady_clock::now() < deadline) {
                state->wake.wait_for(lock, std::chrono::milliseconds(2));
                lock.unlock();
                goOn = progress(found);
                lock.lock();
            }
            state->returned = true;
            ScanResult out = result;
            out.cancelled = !goOn;
            return out;
        };
    }

    void release()
    {
        const std::lock_guard lock(m_state->mutex);
        m_state->released = true;
        m_state->wake.notify_all();
    }
    bool returned() const
    {
        const std::lock_guard lock(m_state->mutex);
        return m_state->returned;
    }
    std::thread::id thread() const
    {
        const std::lock_guard lock(m_state->mutex);
        return m_state->thread;
    }

private:
    struct State {
        std::mutex mutex;
        std::condition_variable wake;
        bool released = false;
        bool returned = false;
        std::thread::id thread;
    };
    std::shared_ptr<State> m_state = std::make_shared<State>();
};

} // namespace cantorel::testing
