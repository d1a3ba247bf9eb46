#pragma once
// A value written by one thread and read by others without a lock: the
// writer never waits, a reader retries while a write is under way (writes
// are a few stores long, so a reader hardly ever retries). For small plain
// values, such as the output's clock or a channel's recent mixing records.
#include <array>
#include <atomic>
#include <cstdint>
#include <cstring>
#include <thread>
#include <type_traits>

namespace cantorel::engine {

template <typename T>
class SeqLocked {
    static_assert(std::is_trivially_copyable_v<T>);
    static constexpr size_t kWords = (sizeof(T) + 7) / 8;

public:
    SeqLocked() { store(T {}); }

    // Writer thread only (one writer at a time).
    void store(const T& value)
    {
        const std::uint32_t seq = m_seq.load(std::memory_order_relaxed);
        m_seq.store(seq + 1, std::memory_order_relaxed);
        std::atomic_thread_fence(std::memory_order_release);
        std::array<std::uint64_t, kWords> words {};
        std::memcpy(words.data(), &value, sizeof(T));
        for (size_t i = 0; i < kWords; ++i)
            m_words[i].store(words[i], std::memory_order_relaxed);
        m_seq.store(seq + 2, std::memory_order_release);
    }

    // Any thread: the value of one completed store().
    T load() const
    {
        std::array<std::uint64_t, kWords> words {};
        for (;;) {
            const std::uint32_t before = m_seq.load(std::memory_order_acquire);
            if (before & 1) { // a write is under way
                std::this_thread::yield();
                continue;
            }
            for (size_t i = 0; i < kWords; ++i)
                words[i] = m_words[i].load(std::memory_order_relaxed);
            std::atomic_thread_fence(std::memory_order_acquire);
            if (m_seq.load(std::memory_order_relaxed) == before)
                break;
        }
        T value;
        std::memcpy(static_cast<void*>(&value), words.data(), sizeof(T));
        return value;
    }

private:
    std::atomic<std::uint32_t> m_seq {0};
    std::array<std::atomic<std::uint64_t>, kWords> m_words {};
};

} // namespace cantorel::engine
