#pragma once
// A single-producer, single-consumer ring of fixed-size blocks of
// interleaved stereo float audio. The decoding thread fills blocks, the
// output side drains them; neither ever blocks the other (the producer's
// sleep while the ring is full is its owner's business). Each block
// carries the seek serial it was decoded under, so that audio decoded before
// a seek is recognised and dropped by the consumer, and an end-of-stream
// mark.
#include <atomic>
#include <cstdint>
#include <memory>

namespace cantorel::engine {

struct AudioBlock {
    static constexpr int kFrames = 1024;
    std::uint32_t serial = 0;
    int frames = 0;           // valid frames in `samples`
    bool endOfStream = false; // no audio follows this block (it may hold some)
    float samples[kFrames * 2];
};

class AudioBlockRing {
public:
    explicit AudioBlockRing(int capacity) : m_capacity(capacity), m_blocks(new AudioBlock[capacity]) {}

    int capacity() const { return m_capacity; }

    // Producer: the block to fill next, or null when the ring is full.
    AudioBlock* writable()
    {
        const std::uint64_t head = m_head.load(std::memory_order_relaxed);
        if (head - m_tail.load(std::memory_order_acquire) >= static_cast<std::uint64_t>(m_capacity))
            return nullptr;
        return &m_blocks[head % m_capacity];
    }
    // Producer: hands the block from writable() to the consumer.
    void commit() { m_head.fetch_add(1, std::memory_order_release); }
    // Producer: how many blocks could be written now.
    int freeBlocks() const
    {
        return m_capacity
               - static_cast<int>(m_head.load(std::memory_order_relaxed) - m_tail.load(std::memory_order_acquire));
    }

    // Consumer: the oldest committed block, or null when the ring is empty.
    AudioBlock* front()
    {
        const std::uint64_t tail = m_tail.load(std::memory_order_relaxed);
        if (tail == m_head.load(std::memory_order_acquire))
            return nullptr;
        return &m_blocks[tail % m_capacity];
    }
    // Consumer: the block `ahead` places behind the front one, or null.
    AudioBlock* peek(int ahead)
    {
        const std::uint64_t tail = m_tail.load(std::memory_order_relaxed);
        if (tail + ahead >= m_head.load(std::memory_order_acquire))
            return nullptr;
        return &m_blocks[(tail + ahead) % m_capacity];
    }
    // Consumer: releases the front block to the producer.
    void pop() { m_tail.fetch_add(1, std::memory_order_release); }
    // Consumer: how many committed blocks have not been released yet.
    int filledBlocks() const
    {
        return static_cast<int>(m_head.load(std::memory_order_acquire) - m_tail.load(std::memory_order_relaxed));
    }

private:
    const int m_capacity;
    std::unique_ptr<AudioBlock[]> m_blocks;
    std::atomic<std::uint64_t> m_head {0}; // blocks committed
    std::atomic<std::uint64_t> m_tail {0}; // blocks released
};

} // namespace cantorel::engine
