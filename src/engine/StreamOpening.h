#pragma once
// A stream being opened on a thread of its own (a non-blocking open): the
// file is read and, in accurate-time mode, scanned there, so that the thread
// that asked never waits for a slow or stalled file. The opening can be
// cancelled at any time: the scan and the library's reads give up, and
// nothing is reported after cancel() has returned.
//
// Threads: start(), state(), cancel() and waitUntil() from any one thread
// (the engine's owner); `finished` is called on the opening's own thread.
#include "engine/AudioEngine.h"
#include "engine/SoundSource.h"

#include <QString>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>

namespace cantorel::engine {

class StreamOpening {
    struct Private {};

public:
    // Starts opening `path` in `mode` with `opener`. When it ends,
    // `finished` is called on the opening's thread, unless cancel() came
    // first. The thread keeps the opening alive until it ends.
    static std::shared_ptr<StreamOpening> start(SourceOpener opener, const QString& path, unsigned mode,
                                                std::function<void()> finished);
    explicit StreamOpening(Private) {}

    // Loading, or the open's outcome: Ready with the sound's source, or
    // Failed with the open's result code.
    OpenState state(Result* openResult, std::shared_ptr<const SoundSource>* source) const;
    // Makes the opening give up and report nothing. Returns at once (or,
    // should `finished` be running right now, once it has returned).
    void cancel();
    // Waits until the opening's thread is done, or `deadline`; true when done.
    bool waitUntil(std::chrono::steady_clock::time_point deadline);

private:
    void run(const SourceOpener& opener, const QString& path, unsigned mode);

    std::atomic<bool> m_cancel {false};
    mutable std::mutex m_mutex;
    std::condition_variable m_doneCondition;
    bool m_done = false;
    OpenState m_state = OpenState::Loading;
    Result m_result = result::Ok;
    std::shared_ptr<const SoundSource> m_source;
    std::function<void()> m_finished;
};

} // namespace cantorel::engine
