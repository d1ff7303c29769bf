#pragma once

#include <QtGlobal>

#include <cstdint>
#include <vector>

// A Bloom-style bit set over record handles: a walk over a long list asks it first and goes to the exact
// container only for the few rows whose bit is set. It answers from a few kilobytes that stay in the cache,
// where a hash lookup per row would cost a miss. False positives are possible, false negatives are not.
class HandleFilter
{
public:
    // Sized for `expected` handles: about 16 bits per handle, between 4 Kbit and 1 Mbit.
    explicit HandleFilter(int expected)
    {
        int shift = 12;
        while (shift < 20 && (std::size_t(1) << shift) < std::size_t(expected) * 16)
            ++shift;
        m_shift = 64 - shift;
        m_bits.assign((std::size_t(1) << shift) / 64, 0);
    }

    void add(const void* handle)
    {
        const std::size_t bit = bucket(handle);
        m_bits[bit / 64] |= quint64(1) << (bit % 64);
    }

    bool mayContain(const void* handle) const
    {
        const std::size_t bit = bucket(handle);
        return m_bits[bit / 64] & (quint64(1) << (bit % 64));
    }

private:
    std::size_t bucket(const void* handle) const
    {
        // Fibonacci hashing of the address: heap blocks differ mostly in their middle bits.
        return std::size_t((quint64(reinterpret_cast<std::uintptr_t>(handle)) * 0x9E3779B97F4A7C15ull) >> m_shift);
    }

    std::vector<quint64> m_bits;
    int m_shift = 52;
};
