#pragma once

#include <QtGlobal>

#include <algorithm>
#include <cstddef>
#include <cstdlib>
#include <cstring>
#include <iterator>
#include <memory>
#include <new>
#include <type_traits>
#include <utility>

// The storage of one PartitionList partition: a growable array that opens and closes gaps in place. Elements of a
// relocatable type (QTypeInfo: Record is one) move as bytes, as Qt's own containers move them, so an insertion
// into a full partition costs one memmove instead of thousands of element moves; other types move one by one.
// The block is the buffer's own (std::vector's contract forbids moving its elements behind its back).
//
// Every operation keeps the elements [0, size()) alive and nothing else: a gap is opened as raw memory and
// filled before the call returns.
template<typename T>
class RelocatingBuffer
{
    static_assert(alignof(T) <= alignof(std::max_align_t), "the block comes from malloc");

public:
    static constexpr bool Relocatable = QTypeInfo<T>::isRelocatable;

    RelocatingBuffer() noexcept = default;
    RelocatingBuffer(const RelocatingBuffer& other)
    {
        reserve(other.m_size);
        std::uninitialized_copy(other.begin(), other.end(), m_data);
        m_size = other.m_size;
    }
    RelocatingBuffer(RelocatingBuffer&& other) noexcept
        : m_data(std::exchange(other.m_data, nullptr))
        , m_size(std::exchange(other.m_size, 0))
        , m_capacity(std::exchange(other.m_capacity, 0))
    { }
    RelocatingBuffer& operator=(RelocatingBuffer other) noexcept
    {
        swap(other);
        return *this;
    }
    ~RelocatingBuffer()
    {
        std::destroy(begin(), end());
        std::free(m_data);
    }
    void swap(RelocatingBuffer& other) noexcept
    {
        std::swap(m_data, other.m_data);
        std::swap(m_size, other.m_size);
        std::swap(m_capacity, other.m_capacity);
    }

    int size() const { return m_size; }
    bool empty() const { return m_size == 0; }
    int capacity() const { return m_capacity; }
    T* data() { return m_data; }
    const T* data() const { return m_data; }
    T* begin() { return m_data; }
    T* end() { return m_data + m_size; }
    const T* begin() const { return m_data; }
    const T* end() const { return m_data + m_size; }
    T& operator[](int i) { return m_data[i]; }
    const T& operator[](int i) const { return m_data[i]; }
    T& back() { return m_data[m_size - 1]; }
    const T& back() const { return m_data[m_size - 1]; }

    void reserve(int capacity)
    {
        if (capacity <= m_capacity)
            return;
        const std::size_t bytes = std::size_t(capacity) * sizeof(T);
        if constexpr (Relocatable) {
            void* block = std::realloc(static_cast<void*>(m_data), bytes);
            if (!block)
                throw std::bad_alloc();
            m_data = static_cast<T*>(block);
        } else {
            T* block = static_cast<T*>(std::malloc(bytes));
            if (!block)
                throw std::bad_alloc();
            std::uninitialized_move(begin(), end(), block);
            std::destroy(begin(), end());
            std::free(m_data);
            m_data = block;
        }
        m_capacity = capacity;
    }

    void append(T value)
    {
        reserve(m_size + 1);
        new (m_data + m_size) T(std::move(value));
        ++m_size;
    }

    // Puts n elements read from `first` before position `at`.
    template<typename It>
    void insert(int at, It first, int n)
    {
        Q_ASSERT(at >= 0 && at <= m_size && n >= 0);
        reserve(m_size + n);
        openGap(at, m_size, n);
        std::uninitialized_copy_n(first, n, m_data + at);
        m_size += n;
    }

    // Removes [from, to).
    void erase(int from, int to)
    {
        Q_ASSERT(from >= 0 && from <= to && to <= m_size);
        std::destroy(m_data + from, m_data + to);
        closeGap(from, to, m_size);
        m_size -= to - from;
    }

    // Removes the runs [runs[i].first, runs[i].second), ascending and disjoint, moving each survivor once.
    void eraseRuns(const std::pair<int, int>* runs, int count)
    {
        int write = 0;
        int read = 0;
        for (int i = 0; i < count; ++i) {
            Q_ASSERT(runs[i].first >= read && runs[i].first <= runs[i].second && runs[i].second <= m_size);
            write = moveDown(write, read, runs[i].first);
            std::destroy(m_data + runs[i].first, m_data + runs[i].second);
            read = runs[i].second;
        }
        m_size = moveDown(write, read, m_size);
    }

    // Puts values[i] before the element at positions[i] (positions ascending; values with the same position keep
    // their order), moving each old element once: from the back, each run of old elements moves up by the number
    // of new values before it. The values are moved from.
    void insertSorted(const int* positions, T* values, int n)
    {
        reserve(m_size + n);
        int tail = m_size; // old elements from here on are in place
        for (int i = n; i-- > 0;) {
            const int at = positions[i];
            Q_ASSERT(at >= 0 && at <= tail);
            openGap(at, tail, i + 1);
            new (m_data + at + i) T(std::move(values[i]));
            tail = at;
        }
        m_size += n;
    }

    // Moves the elements from `from` on to the end of `into`.
    void moveTailTo(int from, RelocatingBuffer& into)
    {
        Q_ASSERT(from >= 0 && from <= m_size);
        const int n = m_size - from;
        into.reserve(into.m_size + n);
        relocate(m_data + from, n, into.m_data + into.m_size);
        into.m_size += n;
        m_size = from;
    }

    void clear()
    {
        std::destroy(begin(), end());
        m_size = 0;
    }

private:
    // Moves the live elements [at, end) up by `by` places into raw memory (capacity is there), leaving [at, at + by)
    // raw. The elements between end and end + by must be raw: either past the size or already moved away.
    void openGap(int at, int end, int by)
    {
        if (by == 0 || at == end)
            return;
        if constexpr (Relocatable) {
            std::memmove(static_cast<void*>(m_data + at + by), static_cast<const void*>(m_data + at),
                std::size_t(end - at) * sizeof(T));
        } else {
            for (int i = end; i-- > at;) {
                new (m_data + i + by) T(std::move(m_data[i]));
                m_data[i].~T();
            }
        }
    }
    // Moves the live elements [to, end) down to the raw places from `from` on.
    void closeGap(int from, int to, int end) { moveDown(from, to, end); }
    // Moves the live elements [from, to) down to the raw places from `write` on; returns the new write position.
    int moveDown(int write, int from, int to)
    {
        if (write != from && to > from) {
            if constexpr (Relocatable) {
                std::memmove(static_cast<void*>(m_data + write), static_cast<const void*>(m_data + from),
                    std::size_t(to - from) * sizeof(T));
            } else {
                for (int i = 0; i < to - from; ++i) {
                    new (m_data + write + i) T(std::move(m_data[from + i]));
                    m_data[from + i].~T();
                }
            }
        }
        return write + (to - from);
    }
    // Moves n live elements to raw memory elsewhere.
    static void relocate(T* from, int n, T* to)
    {
        if constexpr (Relocatable) {
            std::memcpy(static_cast<void*>(to), static_cast<const void*>(from), std::size_t(n) * sizeof(T));
        } else {
            std::uninitialized_move(from, from + n, to);
            std::destroy(from, from + n);
        }
    }

    T* m_data = nullptr; // owned: a malloc'd block of m_capacity places
    int m_size = 0;
    int m_capacity = 0;
};
