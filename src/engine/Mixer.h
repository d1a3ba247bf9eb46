#pragma once
// Mixes the playing channels of one engine system into the output. The
// output's thread renders; the owner's thread adds and removes channels.
// Rendering never blocks: if the owner is changing the channel list at that
// very moment, that one piece is silent (and counts as playing). The mixer
// tells each channel where in the output's frame count
// (OutputClock::rendered) its audio goes, and the output whether any
// channel still plays.
#include "engine/AudioOutput.h"

#include <memory>
#include <mutex>
#include <vector>

namespace cantorel::engine {

class ChannelPlayback;

class Mixer : public AudioSource {
public:
    void add(std::shared_ptr<ChannelPlayback> channel);
    // After this returns the output no longer reads `channel`.
    void remove(const ChannelPlayback* channel);

    bool render(float* out, int frames, std::int64_t firstFrame) override;
    bool readyFor(int frames) override;

private:
    std::mutex m_mutex;
    std::vector<std::shared_ptr<ChannelPlayback>> m_channels;
};

} // namespace cantorel::engine
