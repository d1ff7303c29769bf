#pragma once

#include <QtGlobal>

#include <algorithm>
#include <cstdint>
#include <vector>

// A bit set over record handles: a walk over a long list asks it first and goes to the exact container only for
// the few rows whose bits are set. It answers from a table that stays in the cache, where a hash lookup per row
// would cost a miss. False positives are possible, false negatives are not.
//
// Handles that lie close together in memory (a table's rows allocated in one go) get one bit per 64 bytes of the
// span they cover: a subtraction and a shift per question, and no false positive while rows are that large. Other
// handles get the hashed form: about 16 bits per handle, between 4 Kbit and 1 Mbit, each setting three bits of one
// 64-bit word.
class HandleFilter
{
public:
    // The largest span, in bits of one per 64 bytes, that gets the direct form: 512 KB, half a core's L2 cache.
    static constexpr std::size_t DirectBits = std::size_t(1) << 22;

    // `spacing`: the least distance in bytes between any two handles the filter holds or is asked about (0:
    // unknown); the blocks of a table's rows lie at least a header and a row apart.
    explicit HandleFilter(
        const std::vector<const void*>& handles, std::size_t directBits = DirectBits, std::size_t spacing = 0)
        : m_exact(spacing >= std::size_t(1) << LineShift)
    {
        std::uintptr_t low = handles.empty() ? 0 : address(handles.front());
        std::uintptr_t high = low;
        for (const void* handle : handles) {
            low = std::min(low, address(handle));
            high = std::max(high, address(handle));
        }
        const std::size_t span = std::size_t(high - low) >> LineShift;
        if (span < directBits) {
            m_base = low;
            m_span = span + 1;
            m_words.assign(m_span / 64 + 1, 0);
            for (const void* handle : handles) {
                const std::uintptr_t bit = (address(handle) - m_base) >> LineShift;
                m_words[bit / 64] |= quint64(1) << (bit % 64);
            }
            return;
        }
        int shift = 12;
        while (shift < 20 && (std::size_t(1) << shift) < handles.size() * 16)
            ++shift;
        m_shift = 64 - (shift - 6);
        m_words.assign(std::size_t(1) << (shift - 6), 0);
        for (const void* handle : handles) {
            const quint64 hash = mix(handle);
            m_words[std::size_t(hash >> m_shift)] |= mask(hash);
        }
    }

    // Whether mayContain() answers exactly: the direct form over handles at least a line apart, where no two
    // handles, held or asked about, share a bit.
    bool exact() const { return m_span && m_exact; }

    bool mayContain(const void* handle) const
    {
        if (m_span) {
            // Below the base the difference wraps to a huge value: one comparison covers both ends.
            const std::uintptr_t bit = (address(handle) - m_base) >> LineShift;
            return bit < m_span && (m_words[bit / 64] >> (bit % 64) & 1);
        }
        const quint64 hash = mix(handle);
        const quint64 bits = mask(hash);
        return (m_words[std::size_t(hash >> m_shift)] & bits) == bits;
    }

private:
    static constexpr int LineShift = 6;

    static std::uintptr_t address(const void* handle) { return reinterpret_cast<std::uintptr_t>(handle); }
    // Fibonacci hashing of the address: heap blocks differ mostly in their middle bits, and the product's high
    // bits mix all of them. The word comes from the highest bits, the three bit numbers from the next 18.
    static quint64 mix(const void* handle) { return quint64(address(handle)) * 0x9E3779B97F4A7C15ull; }
    quint64 mask(quint64 hash) const
    {
        const quint64 below = hash << (64 - m_shift);
        return (quint64(1) << (below >> 58)) | (quint64(1) << ((below >> 52) & 63))
            | (quint64(1) << ((below >> 46) & 63));
    }

    std::vector<quint64> m_words;
    std::uintptr_t m_base = 0;
    std::size_t m_span = 0; // bits of the direct form; 0 for the hashed one
    int m_shift = 58;
    bool m_exact;
};
