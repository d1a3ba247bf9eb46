#include "engine/CaptureOutput.h"

#include <algorithm>
#include <thread>

namespace cantorel::engine {

std::vector<float> CaptureOutput::pull(int frames, int piece, std::chrono::milliseconds timeout)
{
    std::vector<float> out;
    if (!m_source || frames <= 0)
        return out;
    out.resize(static_cast<size_t>(frames) * kOutputChannels);
    piece = std::max(1, piece);
    for (int done = 0; done < frames;) {
        const int n = std::min(piece, frames - done);
        const auto deadline = std::chrono::steady_clock::now() + timeout;
        while (!m_source->readyFor(n) && std::chrono::steady_clock::now() < deadline)
            std::this_thread::sleep_for(std::chrono::microseconds(200));
        m_playing.store(
            m_source->render(out.data() + static_cast<size_t>(done) * kOutputChannels, n, m_rendered.load()));
        m_rendered.fetch_add(n);
        done += n;
    }
    return out;
}

OutputClock CaptureOutput::clock() const
{
    const std::int64_t rendered = m_rendered.load();
    return {rendered, std::clamp<std::int64_t>(m_delay.load(), 0, rendered)};
}

} // namespace cantorel::engine
