#pragma once
// Objects addressed by 32-bit handles that carry a generation: a handle
// whose object was removed, or whose slot was reused since, is never found
// again. A handle packs a kind (4 bits, never 0, so no handle is 0), the
// slot's generation (16 bits) and the slot (12 bits).
#include "engine/AudioEngine.h"

#include <deque>
#include <memory>
#include <vector>

namespace cantorel::engine {

template <typename T>
class HandleTable {
public:
    static constexpr unsigned kMaxSlots = 4096;

    explicit HandleTable(unsigned kind) : m_kind(kind & 0xF) {}

    // Stores `object`; 0 when the table is full.
    Handle add(std::unique_ptr<T> object)
    {
        unsigned slot;
        if (!m_free.empty() && (m_slots.size() >= kMaxSlots || m_free.size() > 64)) {
            slot = m_free.front();
            m_free.pop_front();
        } else if (m_slots.size() < kMaxSlots) {
            slot = static_cast<unsigned>(m_slots.size());
            m_slots.emplace_back();
        } else {
            return 0;
        }
        m_slots[slot].object = std::move(object);
        return (Handle(m_kind) << 28) | (Handle(m_slots[slot].generation) << 12) | slot;
    }

    // The object of `handle`, or null when the handle is stale or foreign.
    T* find(Handle handle) const
    {
        const unsigned slot = handle & 0xFFF;
        if ((handle >> 28) != m_kind || slot >= m_slots.size())
            return nullptr;
        const Slot& s = m_slots[slot];
        if (!s.object || s.generation != ((handle >> 12) & 0xFFFF))
            return nullptr;
        return s.object.get();
    }

    // Removes and returns the object of `handle` (null when stale).
    std::unique_ptr<T> take(Handle handle)
    {
        if (!find(handle))
            return nullptr;
        const unsigned slot = handle & 0xFFF;
        Slot& s = m_slots[slot];
        std::unique_ptr<T> object = std::move(s.object);
        s.generation = static_cast<std::uint16_t>(s.generation + 1);
        m_free.push_back(slot);
        return object;
    }

    // Every live handle, for sweeping.
    std::vector<Handle> handles() const
    {
        std::vector<Handle> out;
        for (unsigned i = 0; i < m_slots.size(); ++i) {
            if (m_slots[i].object)
                out.push_back((Handle(m_kind) << 28) | (Handle(m_slots[i].generation) << 12) | i);
        }
        return out;
    }

private:
    struct Slot {
        std::unique_ptr<T> object;
        std::uint16_t generation = 0;
    };
    unsigned m_kind;
    std::vector<Slot> m_slots;
    std::deque<unsigned> m_free;
};

} // namespace cantorel::engine
