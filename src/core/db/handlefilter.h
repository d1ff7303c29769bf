#pragma once

#include <QtGlobal>

#include <cstdint>
#include <vector>

// A Bloom-style bit set over record handles: a walk over a long list asks it first and goes to the exact
// container only for the few rows whose bits are set. It answers from a few kilobytes that stay in the cache,
// where a hash lookup per row would cost a miss. False positives are possible, false negatives are not.
class HandleFilter
{
public:
    // Sized for `expected` handles: about 16 bits per handle, between 4 Kbit and 1 Mbit. Each handle sets three
    // bits of one 64-bit word: one load per question, and a few rows in a thousand sent to the exact container
    // for nothing where a single bit per handle sent a few in a hundred.
    explicit HandleFilter(int expected)
    {
        int shift = 12;
        while (shift < 20 && (std::size_t(1) << shift) < std::size_t(expected) * 16)
            ++shift;
        m_shift = 64 - (shift - 6);
        m_words.assign(std::size_t(1) << (shift - 6), 0);
    }

    void add(const void* handle)
    {
        const quint64 hash = mix(handle);
        m_words[std::size_t(hash >> m_shift)] |= mask(hash);
    }

    bool mayContain(const void* handle) const
    {
        const quint64 hash = mix(handle);
        const quint64 bits = mask(hash);
        return (m_words[std::size_t(hash >> m_shift)] & bits) == bits;
    }

private:
    // Fibonacci hashing of the address: heap blocks differ mostly in their middle bits, and the product's high
    // bits mix all of them. The word comes from the highest bits, the three bit numbers from the next 18.
    static quint64 mix(const void* handle)
    {
        return quint64(reinterpret_cast<std::uintptr_t>(handle)) * 0x9E3779B97F4A7C15ull;
    }
    quint64 mask(quint64 hash) const
    {
        const quint64 below = hash << (64 - m_shift);
        return (quint64(1) << (below >> 58)) | (quint64(1) << ((below >> 52) & 63))
            | (quint64(1) << ((below >> 46) & 63));
    }

    std::vector<quint64> m_words;
    int m_shift = 58;
};
