#include "engine/ChannelPlayback.h"

#include "engine/FrameDecoder.h"
#include "engine/Resampler.h"

#include <algorithm>
#include <cstring>

namespace cantorel::engine {

namespace {
constexpr int kRingBlocks = 32; // about 0.75 s at 44.1 kHz
constexpr std::uint32_t kSerialMask = 0xFFFF;
} // namespace

ChannelPlayback::ChannelPlayback(std::shared_ptr<const SoundSource> source, int outputRate, bool paused)
    : m_source(std::move(source)), m_outputRate(outputRate > 0 ? outputRate : 44100), m_ring(kRingBlocks),
      m_paused(paused)
{
    m_thread = std::thread([this] { run(); });
}

ChannelPlayback::~ChannelPlayback()
{
    stop();
}

void ChannelPlayback::stop()
{
    {
        std::lock_guard lock(m_mutex);
        m_stop.store(true);
    }
    m_wake.notify_all();
    if (m_thread.joinable())
        m_thread.join();
}

void ChannelPlayback::seek(unsigned ms)
{
    m_serial = (m_serial + 1) & kSerialMask;
    m_baseMs = ms;
    m_state.store(std::uint64_t(m_serial) << kSerialShift, std::memory_order_release);
    {
        std::lock_guard lock(m_mutex);
        m_requestSerial = m_serial;
        m_requestSample = m_source->samplesFromMs(ms);
    }
    m_wake.notify_all();
}

unsigned ChannelPlayback::positionMs() const
{
    const std::uint64_t consumed = m_state.load(std::memory_order_acquire) & kConsumedMask;
    const std::uint64_t ms = m_baseMs + consumed * 1000 / static_cast<std::uint64_t>(m_outputRate);
    return static_cast<unsigned>(std::min<std::uint64_t>(ms, 0x7FFFFFFF));
}

bool ChannelPlayback::finished() const
{
    return (m_state.load(std::memory_order_acquire) & kFinished) != 0;
}

void ChannelPlayback::mixInto(float* out, int frames)
{
    const std::uint64_t state = m_state.load(std::memory_order_acquire);
    if (state & kFinished)
        return;
    const std::uint32_t serial = static_cast<std::uint32_t>(state >> kSerialShift);
    const bool paused = m_paused.load(std::memory_order_relaxed);
    const float gain = m_mute.load(std::memory_order_relaxed) ? 0.0f : m_volume.load(std::memory_order_relaxed);
    int done = 0;
    bool ended = false;
    while (AudioBlock* block = m_ring.front()) {
        if (block->serial != serial) { // decoded before the last seek
            m_ring.pop();
            m_readOffset = 0;
            continue;
        }
        if (block->endOfStream && m_readOffset >= block->frames) {
            ended = true;
            break;
        }
        if (paused || done == frames)
            break;
        const int take = std::min(frames - done, block->frames - m_readOffset);
        const float* src = block->samples + static_cast<size_t>(m_readOffset) * kOutputChannels;
        float* dst = out + static_cast<size_t>(done) * kOutputChannels;
        for (int i = 0; i < take * kOutputChannels; ++i)
            dst[i] += src[i] * gain;
        done += take;
        m_readOffset += take;
        if (m_readOffset == block->frames && !block->endOfStream) {
            m_ring.pop();
            m_readOffset = 0;
        }
    }
    const std::uint64_t next = (state + static_cast<std::uint64_t>(done)) | (ended ? kFinished : 0);
    std::uint64_t expected = state;
    // Fails only when a seek came in meanwhile; what was read is then stale.
    m_state.compare_exchange_strong(expected, next, std::memory_order_acq_rel);
}

bool ChannelPlayback::readyFor(int frames)
{
    const std::uint64_t state = m_state.load(std::memory_order_acquire);
    if ((state & kFinished) || m_paused.load(std::memory_order_relaxed))
        return true;
    const std::uint32_t serial = static_cast<std::uint32_t>(state >> kSerialShift);
    // Blocks decoded before the last seek are dropped here too: while they
    // fill the ring the decoder has no room for the audio after the seek.
    while (AudioBlock* front = m_ring.front()) {
        if (front->serial == serial)
            break;
        m_ring.pop();
        m_readOffset = 0;
    }
    int available = 0;
    for (int i = 0;; ++i) {
        AudioBlock* block = m_ring.peek(i);
        if (!block)
            return false;
        if (block->serial != serial)
            continue;
        available += block->frames - (i == 0 ? m_readOffset : 0);
        if (block->endOfStream || available > frames)
            return true;
    }
}

void ChannelPlayback::run()
{
    FrameDecoder decoder(m_source, &m_stop);
    Resampler resampler(m_outputRate);
    bool atEnd = !decoder.open();
    bool endSent = false;
    std::uint32_t serial = 0;
    std::vector<float> pending; // converted audio not yet in the ring
    size_t pendingPos = 0;      // in floats

    for (;;) {
        std::int64_t seekTo = -1;
        {
            std::unique_lock lock(m_mutex);
            if (m_stop.load())
                return;
            if (m_requestSerial != serial) {
                serial = m_requestSerial;
                seekTo = m_requestSample;
            }
        }
        if (seekTo >= 0) {
            pending.clear();
            pendingPos = 0;
            resampler.reset();
            endSent = false;
            atEnd = !decoder.seek(seekTo);
        }

        // Gather a block's worth of converted audio (or whatever is left).
        const size_t blockFloats = static_cast<size_t>(AudioBlock::kFrames) * kOutputChannels;
        while (!atEnd && pending.size() - pendingPos < blockFloats) {
            if (pendingPos > 0) {
                pending.erase(pending.begin(), pending.begin() + static_cast<std::ptrdiff_t>(pendingPos));
                pendingPos = 0;
            }
            DecodedRun run;
            if (!decoder.next(&run) || !resampler.convert(run.frame, run.offset, run.count, &pending)) {
                atEnd = true;
                resampler.drain(&pending);
            }
        }

        const size_t left = pending.size() - pendingPos;
        const bool haveBlock = left >= blockFloats || (atEnd && left > 0) || (atEnd && !endSent);
        AudioBlock* block = haveBlock ? m_ring.writable() : nullptr;
        if (block) {
            const size_t n = std::min(left, blockFloats);
            std::memcpy(block->samples, pending.data() + pendingPos, n * sizeof(float));
            pendingPos += n;
            block->frames = static_cast<int>(n / kOutputChannels);
            block->serial = serial;
            block->endOfStream = atEnd && pendingPos == pending.size();
            endSent = block->endOfStream;
            m_ring.commit();
            continue;
        }
        // The ring is full, or everything up to the end has been handed on:
        // sleep until the output has read some, or a seek or stop arrives.
        std::unique_lock lock(m_mutex);
        const auto wait = haveBlock ? std::chrono::milliseconds(3) : std::chrono::milliseconds(100);
        m_wake.wait_for(lock, wait, [&] { return m_stop.load() || m_requestSerial != serial; });
    }
}

} // namespace cantorel::engine
