#include "engine/ChannelPlayback.h"

#include "engine/FrameDecoder.h"
#include "engine/Resampler.h"

#include <pthread.h>

#include <algorithm>
#include <cstring>
#include <thread>

namespace cantorel::engine {

namespace {
constexpr std::uint32_t kSerialMask = 0xFFFF;
} // namespace

std::shared_ptr<ChannelPlayback> ChannelPlayback::start(std::shared_ptr<const SoundSource> source, int outputRate,
                                                        bool paused)
{
    auto channel = std::make_shared<ChannelPlayback>(Private {}, std::move(source), outputRate, paused);
    std::thread([self = channel] {
        pthread_setname_np(pthread_self(), "cantorel-decode");
        self->run();
        {
            std::lock_guard lock(self->m_endMutex);
            self->m_ended = true;
        }
        self->m_endCondition.notify_all();
    }).detach();
    return channel;
}

ChannelPlayback::ChannelPlayback(Private, std::shared_ptr<const SoundSource> source, int outputRate, bool paused)
    : m_source(std::move(source)), m_outputRate(outputRate > 0 ? outputRate : 44100), m_ring(kRingBlocks),
      m_paused(paused)
{}

void ChannelPlayback::wake()
{
    m_signal.fetch_add(1, std::memory_order_acq_rel);
    m_signal.notify_all();
}

bool ChannelPlayback::stop()
{
    m_stop.store(true);
    wake();
    std::unique_lock lock(m_endMutex);
    return m_endCondition.wait_for(lock, kStopWait, [this] { return m_ended; });
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
    wake();
}

unsigned ChannelPlayback::positionMs(std::int64_t heardFrame) const
{
    const PieceLog log = m_log.load();
    // The newest piece of this serial that has begun to be heard gives the
    // place; without one nothing after the seek has been heard yet (or only
    // pieces too old to be noted, when the earliest noted one is the best).
    std::int64_t heard = -1;
    std::int64_t heardFrom = INT64_MIN;
    std::int64_t earliest = -1;
    const int noted = static_cast<int>(std::min<std::uint32_t>(log.count, PieceLog::kPieces));
    for (int i = 0; i < noted; ++i) {
        const Piece& p = log.pieces[static_cast<size_t>(i)];
        if (p.serial != m_serial)
            continue;
        if (earliest < 0 || p.consumedStart < earliest)
            earliest = p.consumedStart;
        if (p.outputStart <= heardFrame && p.outputStart > heardFrom) {
            heardFrom = p.outputStart;
            heard = p.consumedStart + std::min<std::int64_t>(p.frames, heardFrame - p.outputStart);
        }
    }
    if (heard < 0)
        heard = std::max<std::int64_t>(0, earliest);
    const std::uint64_t ms =
        m_baseMs + static_cast<std::uint64_t>(heard) * 1000 / static_cast<std::uint64_t>(m_outputRate);
    return static_cast<unsigned>(std::min<std::uint64_t>(ms, 0x7FFFFFFF));
}

bool ChannelPlayback::finished(std::int64_t heardFrame) const
{
    if ((m_state.load(std::memory_order_acquire) & kFinished) == 0)
        return false;
    const PieceLog log = m_log.load();
    return log.endSerial == m_serial && log.endAt >= 0 && heardFrame >= log.endAt;
}

void ChannelPlayback::released(int blocks)
{
    if (blocks <= 0)
        return;
    const int filled = m_ring.filledBlocks();
    if (filled <= kLowWater && filled + blocks > kLowWater)
        wake();
}

bool ChannelPlayback::mixInto(float* out, int frames, std::int64_t outputFrame)
{
    const std::uint64_t state = m_state.load(std::memory_order_acquire);
    if (state & kFinished)
        return false;
    const std::uint32_t serial = static_cast<std::uint32_t>(state >> kSerialShift);
    const bool paused = m_paused.load(std::memory_order_relaxed);
    const float gain = m_mute.load(std::memory_order_relaxed) ? 0.0f : m_volume.load(std::memory_order_relaxed);
    int done = 0;
    int popped = 0;
    bool ended = false;
    while (AudioBlock* block = m_ring.front()) {
        if (block->serial != serial) { // decoded before the last seek
            m_ring.pop();
            ++popped;
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
            ++popped;
            m_readOffset = 0;
        }
    }
    if (done > 0 || ended) {
        PieceLog& log = m_written;
        if (done > 0) {
            log.pieces[log.count % PieceLog::kPieces] = {outputFrame, static_cast<std::int64_t>(state & kConsumedMask),
                                                         done, serial};
            ++log.count;
        }
        if (ended) {
            // The last sample ends where the newest piece of this serial
            // ends (it may have been mixed in an earlier call).
            const Piece& last = log.pieces[(log.count + PieceLog::kPieces - 1) % PieceLog::kPieces];
            log.endSerial = serial;
            log.endAt = log.count > 0 && last.serial == serial ? last.outputStart + last.frames : outputFrame;
        }
        m_log.store(log);
    }
    const std::uint64_t next = (state + static_cast<std::uint64_t>(done)) | (ended ? kFinished : 0);
    std::uint64_t expected = state;
    // Fails only when a seek came in meanwhile; what was read is then stale.
    m_state.compare_exchange_strong(expected, next, std::memory_order_acq_rel);
    released(popped);
    return !paused && !ended;
}

bool ChannelPlayback::readyFor(int frames)
{
    const std::uint64_t state = m_state.load(std::memory_order_acquire);
    if ((state & kFinished) || m_paused.load(std::memory_order_relaxed))
        return true;
    const std::uint32_t serial = static_cast<std::uint32_t>(state >> kSerialShift);
    // Blocks decoded before the last seek are dropped here too: while they
    // fill the ring the decoder has no room for the audio after the seek.
    int popped = 0;
    while (AudioBlock* front = m_ring.front()) {
        if (front->serial == serial)
            break;
        m_ring.pop();
        ++popped;
        m_readOffset = 0;
    }
    released(popped);
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
        // Read before looking for work: a wake-up that comes in after this
        // point ends the sleep below at once.
        const std::uint32_t signal = m_signal.load(std::memory_order_acquire);
        std::int64_t seekTo = -1;
        {
            std::lock_guard lock(m_mutex);
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
        // sleep until the output has drained the ring to its low-water mark,
        // or a seek or stop arrives.
        m_sleepingOn.store(signal, std::memory_order_release);
        m_signal.wait(signal, std::memory_order_acquire);
        m_sleepingOn.store(-1, std::memory_order_release);
        m_wakeups.fetch_add(1, std::memory_order_relaxed);
    }
}

} // namespace cantorel::engine
