#include "engine/Mixer.h"

#include "engine/ChannelPlayback.h"

#include <algorithm>
#include <cstring>

namespace cantorel::engine {

void Mixer::add(std::shared_ptr<ChannelPlayback> channel)
{
    std::lock_guard lock(m_mutex);
    m_channels.push_back(std::move(channel));
}

void Mixer::remove(const ChannelPlayback* channel)
{
    std::shared_ptr<ChannelPlayback> keep; // released outside the lock
    std::lock_guard lock(m_mutex);
    auto it =
        std::find_if(m_channels.begin(), m_channels.end(), [channel](const auto& c) { return c.get() == channel; });
    if (it != m_channels.end()) {
        keep = std::move(*it);
        m_channels.erase(it);
    }
}

bool Mixer::render(float* out, int frames, std::int64_t firstFrame)
{
    std::memset(out, 0, sizeof(float) * static_cast<size_t>(frames) * kOutputChannels);
    std::unique_lock lock(m_mutex, std::try_to_lock);
    if (!lock.owns_lock())
        return true;
    bool playing = false;
    for (const auto& channel : m_channels)
        playing = channel->mixInto(out, frames, firstFrame) || playing;
    return playing;
}

bool Mixer::readyFor(int frames)
{
    std::lock_guard lock(m_mutex);
    return std::all_of(m_channels.begin(), m_channels.end(), [frames](const auto& c) { return c->readyFor(frames); });
}

} // namespace cantorel::engine
