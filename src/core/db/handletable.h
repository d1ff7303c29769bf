#pragma once

#include <QtGlobal>

#include <cstdint>
#include <vector>

// Entries keyed by record handle, built once and then only read: a walk over a long list looks up the rows its
// HandleFilter lets through in one or two probes of an open-addressed array, where a sorted vector would take a
// dozen dependent reads per row. `Entry` has a `const void* handle` member; a handle listed twice keeps its first
// entry.
template<typename Entry>
class HandleTable
{
public:
    explicit HandleTable(const std::vector<Entry>& entries)
    {
        int bits = 4;
        while ((std::size_t(1) << bits) < 2 * entries.size()) // at most half full
            ++bits;
        m_shift = 64 - bits;
        m_mask = (std::size_t(1) << bits) - 1;
        m_slots.assign(m_mask + 1, Entry {});
        for (const Entry& entry : entries) {
            std::size_t i = slotOf(entry.handle);
            while (m_slots[i].handle && m_slots[i].handle != entry.handle)
                i = (i + 1) & m_mask;
            if (!m_slots[i].handle)
                m_slots[i] = entry;
        }
    }

    const Entry* find(const void* handle) const
    {
        for (std::size_t i = slotOf(handle); m_slots[i].handle; i = (i + 1) & m_mask) {
            if (m_slots[i].handle == handle)
                return &m_slots[i];
        }
        return nullptr;
    }

private:
    // Fibonacci hashing: heap addresses differ mostly in their middle bits, the product's high bits mix them all.
    std::size_t slotOf(const void* handle) const
    {
        return std::size_t((quint64(reinterpret_cast<std::uintptr_t>(handle)) * 0x9E3779B97F4A7C15ull) >> m_shift);
    }

    std::vector<Entry> m_slots;
    std::size_t m_mask = 0;
    int m_shift = 60;
};
