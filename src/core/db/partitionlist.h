#pragma once

#include "core/db/rangeset.h"
#include "core/db/relocatingbuffer.h"

#include <QtGlobal>

#include <algorithm>
#include <iterator>
#include <type_traits>
#include <vector>

// The record list behind every index: a sequence split into partitions of at most 10000 contiguous elements, so
// that an insertion or a removal moves at most one partition, while reading by position stays O(log partitions).
//
//   slots:  [sentinel] [p1: 0..9998] [p2: 9999..] ... [pk] [sentinel]
//   starts:     0          0          9999             ...    count
//
// The two empty sentinel slots let iterators step off either end without special cases: end() is the
// (last slot, 0) pair. A partition that reaches 10000 entries is split in halves; a removal that empties a
// partition drops it, and a partition is merged with a neighbour whenever the two hold fewer than 5000 together.
// at() outside the list returns a reference to an empty element.
//
// A partition is a RelocatingBuffer: elements of a relocatable type (Record is one) shift inside it as bytes.
template<typename T>
class PartitionList
{
public:
    static constexpr int MaxPartitionSize = 10000;
    static constexpr int MergeThreshold = 5000;
    using Partition = RelocatingBuffer<T>;

    template<bool Const>
    class Iterator
    {
    public:
        using iterator_category = std::random_access_iterator_tag;
        using value_type = T;
        using difference_type = std::ptrdiff_t;
        using pointer = std::conditional_t<Const, const T*, T*>;
        using reference = std::conditional_t<Const, const T&, T&>;
        using List = std::conditional_t<Const, const PartitionList, PartitionList>;

        Iterator() = default;
        Iterator(List* list, int slot, int element)
            : m_list(list)
            , m_slot(slot)
            , m_element(element)
        { }
        operator Iterator<true>() const { return Iterator<true>(m_list, m_slot, m_element); }

        reference operator*() const { return m_list->m_parts[m_slot][m_element]; }
        pointer operator->() const { return &**this; }
        reference operator[](difference_type n) const { return *(*this + n); }

        Iterator& operator++()
        {
            if (++m_element == m_list->m_parts[m_slot].size()) {
                ++m_slot;
                m_element = 0;
            }
            return *this;
        }
        Iterator& operator--()
        {
            if (m_element == 0) {
                --m_slot;
                m_element = m_list->m_parts[m_slot].size() - 1;
            } else {
                --m_element;
            }
            return *this;
        }
        Iterator operator++(int)
        {
            Iterator old = *this;
            ++*this;
            return old;
        }
        Iterator operator--(int)
        {
            Iterator old = *this;
            --*this;
            return old;
        }
        Iterator& operator+=(difference_type n)
        {
            if (n == 1)
                return ++*this;
            // Stay inside the partition when possible; cross partitions through the start table otherwise.
            const difference_type e = m_element + n;
            if (e >= 0 && e < m_list->m_parts[m_slot].size()) {
                m_element = int(e);
                return *this;
            }
            return *this = m_list->template iteratorAt<Iterator>(position() + int(n));
        }
        Iterator& operator-=(difference_type n) { return *this += -n; }
        friend Iterator operator+(Iterator it, difference_type n) { return it += n; }
        friend Iterator operator+(difference_type n, Iterator it) { return it += n; }
        friend Iterator operator-(Iterator it, difference_type n) { return it -= n; }
        friend difference_type operator-(const Iterator& a, const Iterator& b) { return a.position() - b.position(); }

        friend bool operator==(const Iterator& a, const Iterator& b)
        {
            return a.m_slot == b.m_slot && a.m_element == b.m_element;
        }
        friend bool operator!=(const Iterator& a, const Iterator& b) { return !(a == b); }
        friend bool operator<(const Iterator& a, const Iterator& b)
        {
            return a.m_slot < b.m_slot || (a.m_slot == b.m_slot && a.m_element < b.m_element);
        }
        friend bool operator>(const Iterator& a, const Iterator& b) { return b < a; }
        friend bool operator<=(const Iterator& a, const Iterator& b) { return !(b < a); }
        friend bool operator>=(const Iterator& a, const Iterator& b) { return !(a < b); }

        // Position of the element in the whole list.
        int position() const { return m_list->m_starts[m_slot] + m_element; }
        int slot() const { return m_slot; }
        int element() const { return m_element; }

    private:
        List* m_list = nullptr;
        int m_slot = 0;
        int m_element = 0;
    };
    using iterator = Iterator<false>;
    using const_iterator = Iterator<true>;

    PartitionList()
        : m_parts(2)
        , m_starts(2, 0)
    { }

    int count() const { return m_count; }
    int size() const { return m_count; }
    bool isEmpty() const { return m_count == 0; }
    int partitionCount() const { return int(m_parts.size()) - 2; }
    int partitionSize(int partition) const { return m_parts[partition + 1].size(); }

    const T& at(int i) const
    {
        if (i < 0 || i >= m_count)
            return empty();
        const int s = slotOf(i);
        return m_parts[s][i - m_starts[s]];
    }
    const T& operator[](int i) const { return at(i); }
    T& ref(int i)
    {
        Q_ASSERT(i >= 0 && i < m_count);
        const int s = slotOf(i);
        return m_parts[s][i - m_starts[s]];
    }
    const T& first() const { return at(0); }
    const T& last() const { return at(m_count - 1); }

    iterator begin() { return iterator(this, m_count ? 1 : endSlot(), 0); }
    iterator end() { return iterator(this, endSlot(), 0); }
    const_iterator begin() const { return const_iterator(this, m_count ? 1 : endSlot(), 0); }
    const_iterator end() const { return const_iterator(this, endSlot(), 0); }
    const_iterator cbegin() const { return begin(); }
    const_iterator cend() const { return end(); }
    iterator iteratorAt(int i) { return iteratorAt<iterator>(i); }
    const_iterator iteratorAt(int i) const { return iteratorAt<const_iterator>(i); }

    // Appending fills the last partition up to 9999 entries, then starts a new one.
    void append(T value)
    {
        if (m_count == 0 || m_parts[endSlot() - 1].size() >= MaxPartitionSize - 1)
            insertPartition(endSlot());
        Partition& p = m_parts[endSlot() - 1];
        grow(p, 1);
        p.append(std::move(value));
        ++m_count;
        m_starts[endSlot()] = m_count;
    }

    void insert(int pos, T value)
    {
        const int s = slotForInsert(pos);
        Partition& p = m_parts[s];
        grow(p, 1);
        p.insert(pos - m_starts[s], std::make_move_iterator(&value), 1);
        afterInsert(s, 1);
    }

    // Inserts [first, last) as one block before `pos`; the receiving partition is split as often as needed.
    template<typename It>
    void insert(int pos, It first, It last)
    {
        const int n = int(std::distance(first, last));
        if (n <= 0)
            return;
        const int s = slotForInsert(pos);
        Partition& p = m_parts[s];
        grow(p, n);
        p.insert(pos - m_starts[s], first, n);
        afterInsert(s, n);
    }

    // Inserts values[i] before the element at positions[i] of the list as it was before the call, all in one pass
    // per receiving partition; positions ascend, and values with the same position keep their order. For changes
    // that no observer sees step by step (a re-sort under one layout change).
    void insertMany(const std::vector<int>& positions, std::vector<T>& values)
    {
        Q_ASSERT(positions.size() == values.size());
        const std::size_t n = positions.size();
        if (n == 0)
            return;
        if (m_count == 0)
            insertPartition(1);
        std::size_t k = 0;
        std::vector<int> local;
        for (int s = 1; s < endSlot() && k < n; ++s) {
            const int start = m_starts[s];
            const int end = start + m_parts[s].size();
            // A position at the start of a partition went to the end of the one before (as in insert()).
            std::size_t j = k;
            while (j < n && positions[j] <= end)
                ++j;
            if (j == k)
                continue;
            local.clear();
            for (std::size_t i = k; i < j; ++i)
                local.push_back(positions[i] - start);
            grow(m_parts[s], int(j - k));
            m_parts[s].insertSorted(local.data(), values.data() + k, int(j - k));
            k = j;
        }
        Q_ASSERT(k == n);
        m_count += int(n);
        recomputeStarts(0);
        for (int s = endSlot() - 1; s >= 1; --s)
            split(s);
    }

    // Calls f(position, element) for the elements [first, last), one plain loop over each partition's storage: an
    // iterator's step reloads its partition's size, which a long walk pays for on every element.
    template<typename F>
    void forEachIn(int first, int last, F f) const
    {
        forEachSpan(first, last, [&f](int start, const T* from, const T* to) {
            for (const T* at = from; at != to; ++at)
                f(start + int(at - from), *at);
            return true;
        });
    }

    // The position of `value` among the `n` elements from `first` on, found by equality alone; -1 when not there.
    int indexIn(const T& value, int first, int n) const
    {
        // The window ends n after `first` as given: one that starts before the list loses its part before 0.
        const int last = int(std::min(qint64(m_count), qint64(first) + std::max(n, 0)));
        first = std::max(first, 0);
        int found = -1;
        forEachSpan(first, last, [&](int start, const T* from, const T* to) {
            const T* at = std::find(from, to, value);
            if (at != to)
                found = start + int(at - from);
            return found < 0;
        });
        return found;
    }

    void replace(int i, T value) { ref(i) = std::move(value); }

    void removeAt(int pos) { remove(pos, 1); }

    // Removes `n` elements from `pos` on, partition by partition from the back, merging small neighbours.
    void remove(int pos, int n)
    {
        Q_ASSERT(pos >= 0 && n >= 0 && pos + n <= m_count);
        int end = pos + n;
        while (end > pos) {
            const int s = slotOf(end - 1);
            const int from = std::max(pos, m_starts[s]);
            m_parts[s].erase(from - m_starts[s], end - m_starts[s]);
            m_count -= end - from;
            end = from;
            recomputeStarts(s);
            compact(s);
        }
    }

    // Moves elements [first, last] so that they stand before the element that was at `to` (Qt's move semantics).
    void move(int first, int last, int to)
    {
        Q_ASSERT(first >= 0 && last < m_count && first <= last && to >= 0 && to <= m_count);
        if (to >= first && to <= last + 1)
            return;
        std::vector<T> moved(iteratorAt(first), iteratorAt(last + 1));
        remove(first, last - first + 1);
        const int dest = to > last ? to - int(moved.size()) : to;
        insert(dest, std::make_move_iterator(moved.begin()), std::make_move_iterator(moved.end()));
    }

    // Removes every range of `rows` in one pass per partition, then merges small neighbours once. For changes
    // that no observer sees range by range.
    void removeRanges(const RangeSet<int>& rows)
    {
        int r = 0;
        std::vector<std::pair<int, int>> runs;
        for (int s = 1; s < endSlot() && r < rows.rangeCount(); ++s) {
            const int start = m_starts[s];
            const int end = start + m_parts[s].size();
            runs.clear();
            for (; r < rows.rangeCount() && rows.range(r).start < end; ++r) {
                runs.emplace_back(
                    std::max(rows.range(r).start, start) - start, std::min(rows.range(r).end, end) - start);
                if (rows.range(r).end > end)
                    break; // the range goes on in the next partition
            }
            m_parts[s].eraseRuns(runs.data(), int(runs.size()));
        }
        m_count = 0;
        for (int s = endSlot() - 1; s >= 1; --s) {
            if (m_parts[s].empty()) {
                m_parts.erase(m_parts.begin() + s);
                m_starts.erase(m_starts.begin() + s);
            }
        }
        for (int s = 1; s < endSlot(); ++s)
            m_count += m_parts[s].size();
        recomputeStarts(0);
        for (int s = endSlot() - 1; s >= 2; --s) {
            if (m_parts[s - 1].size() + m_parts[s].size() < MergeThreshold)
                mergeIntoPrevious(s);
        }
    }

    void clear()
    {
        m_parts.assign(2, Partition());
        m_starts.assign(2, 0);
        m_count = 0;
    }

    // The first position whose element does not satisfy `pred`, for a list partitioned by it (binary search
    // first over the partitions' last elements, then inside one partition).
    template<typename Pred>
    int partitionPoint(Pred pred) const
    {
        const int endS = endSlot();
        int lo = 1;
        int hi = endS;
        while (lo < hi) {
            const int mid = (lo + hi) / 2;
            if (pred(m_parts[mid].back()))
                lo = mid + 1;
            else
                hi = mid;
        }
        if (lo == endS)
            return m_count;
        const Partition& p = m_parts[lo];
        return m_starts[lo] + int(std::partition_point(p.begin(), p.end(), pred) - p.begin());
    }

private:
    template<bool>
    friend class Iterator;

    static const T& empty()
    {
        static const T value {};
        return value;
    }

    int endSlot() const { return int(m_parts.size()) - 1; }

    // Calls f(position of *from, from, to) for each partition's stretch [from, to) of the elements [first, last),
    // in order, until f returns false.
    template<typename F>
    void forEachSpan(int first, int last, F f) const
    {
        first = std::max(first, 0);
        last = std::min(last, m_count);
        for (int s = first < last ? slotOf(first) : endSlot(); s < endSlot() && m_starts[s] < last; ++s) {
            const int start = m_starts[s];
            const int from = std::max(first - start, 0);
            const T* data = m_parts[s].data();
            if (!f(start + from, data + from, data + std::min(last - start, m_parts[s].size())))
                return;
        }
    }

    int slotOf(int i) const
    {
        // The last real partition whose start is not after i.
        const auto it = std::upper_bound(m_starts.begin() + 1, m_starts.end() - 1, i);
        return int(it - m_starts.begin()) - 1;
    }

    template<typename It>
    It iteratorAt(int i) const
    {
        using List = typename It::List;
        List* self = const_cast<List*>(this);
        if (i >= m_count)
            return It(self, endSlot(), 0);
        if (i < 0)
            return It(self, 0, i);
        const int s = slotOf(i);
        return It(self, s, i - m_starts[s]);
    }

    // A position at the start of a partition goes to the end of the partition before it.
    int slotForInsert(int pos)
    {
        Q_ASSERT(pos >= 0 && pos <= m_count);
        if (m_count == 0) {
            insertPartition(1);
            return 1;
        }
        if (pos == m_count)
            return endSlot() - 1;
        const int s = slotOf(pos);
        return (pos == m_starts[s] && s > 1) ? s - 1 : s;
    }

    static void grow(Partition& p, int n)
    {
        const int needed = p.size() + n;
        if (needed <= p.capacity())
            return;
        p.reserve(std::max(needed, std::min(int(MaxPartitionSize), std::max(16, 2 * p.capacity()))));
    }

    void insertPartition(int slot)
    {
        m_parts.insert(m_parts.begin() + slot, Partition());
        m_starts.insert(m_starts.begin() + slot, m_starts[slot - 1] + m_parts[slot - 1].size());
    }

    void afterInsert(int s, int n)
    {
        m_count += n;
        for (int i = s + 1; i < int(m_starts.size()); ++i)
            m_starts[i] += n;
        split(s);
    }

    // Halves a full partition, and each half again while it is still full.
    void split(int s)
    {
        const int size = m_parts[s].size();
        if (size < MaxPartitionSize)
            return;
        const int half = size / 2;
        m_parts.insert(m_parts.begin() + s + 1, Partition());
        m_starts.insert(m_starts.begin() + s + 1, m_starts[s] + half);
        Partition& left = m_parts[s];
        Partition& right = m_parts[s + 1];
        right.reserve(size - half);
        left.moveTailTo(half, right);
        split(s + 1);
        split(s);
    }

    void compact(int s)
    {
        if (m_parts[s].empty()) {
            erasePartition(s);
            return;
        }
        if (s + 1 < endSlot() && m_parts[s].size() + m_parts[s + 1].size() < MergeThreshold)
            mergeIntoPrevious(s + 1);
        if (s - 1 > 0 && m_parts[s - 1].size() + m_parts[s].size() < MergeThreshold)
            mergeIntoPrevious(s);
    }

    void mergeIntoPrevious(int s)
    {
        Partition& prev = m_parts[s - 1];
        Partition& cur = m_parts[s];
        grow(prev, cur.size());
        cur.moveTailTo(0, prev);
        erasePartition(s);
    }

    void erasePartition(int s)
    {
        m_parts.erase(m_parts.begin() + s);
        m_starts.erase(m_starts.begin() + s);
        recomputeStarts(s - 1);
    }

    void recomputeStarts(int from)
    {
        for (int i = std::max(from, 0) + 1; i < int(m_starts.size()); ++i)
            m_starts[i] = m_starts[i - 1] + m_parts[i - 1].size();
    }

    std::vector<Partition> m_parts;
    std::vector<int> m_starts;
    int m_count = 0;
};
