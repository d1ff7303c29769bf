#pragma once

#include <QVector>

#include <algorithm>

// Disjoint half-open ranges kept as one sorted flat list of boundaries: start0, end0, start1, end1, ...
// Inserting a range unites it with every range it overlaps or touches, so [0,2) + [2,5) is the one range [0,5).
template<typename T>
class RangeSet
{
public:
    struct Range
    {
        T start;
        T end;
        T size() const { return end - start; }
        bool operator==(const Range& other) const { return start == other.start && end == other.end; }
    };

    bool isEmpty() const { return m_bounds.isEmpty(); }
    int rangeCount() const { return m_bounds.size() / 2; }
    Range range(int i) const { return Range { m_bounds[2 * i], m_bounds[2 * i + 1] }; }
    const QVector<T>& boundaries() const { return m_bounds; }
    void clear() { m_bounds.clear(); }

    void insert(T value) { insert(value, value + 1); }

    void insert(T start, T end)
    {
        if (!(start < end))
            return;
        // Rows usually arrive in ascending order: extend or append at the back without a search.
        if (m_bounds.isEmpty() || m_bounds.last() < start) {
            m_bounds.append(start);
            m_bounds.append(end);
            return;
        }
        if (m_bounds.last() == start) {
            m_bounds.last() = end;
            return;
        }
        const int n = rangeCount();
        // First range whose end reaches start, last range whose start is not after end.
        int lo = 0;
        int hi = n;
        while (lo < hi) {
            const int mid = (lo + hi) / 2;
            if (m_bounds[2 * mid + 1] < start)
                lo = mid + 1;
            else
                hi = mid;
        }
        const int first = lo;
        hi = n;
        while (lo < hi) {
            const int mid = (lo + hi) / 2;
            if (!(end < m_bounds[2 * mid]))
                lo = mid + 1;
            else
                hi = mid;
        }
        const int last = lo - 1;
        if (last < first) {
            m_bounds.insert(2 * first, 2, start);
            m_bounds[2 * first + 1] = end;
            return;
        }
        const T newStart = std::min(start, m_bounds[2 * first]);
        const T newEnd = std::max(end, m_bounds[2 * last + 1]);
        m_bounds.remove(2 * first + 1, 2 * (last - first));
        m_bounds[2 * first] = newStart;
        m_bounds[2 * first + 1] = newEnd;
    }

    void insert(const RangeSet& other)
    {
        for (int i = 0; i < other.rangeCount(); ++i)
            insert(other.m_bounds[2 * i], other.m_bounds[2 * i + 1]);
    }

    bool contains(T value) const
    {
        // Odd number of boundaries at or before value: inside a range.
        const auto it = std::upper_bound(m_bounds.begin(), m_bounds.end(), value);
        return (it - m_bounds.begin()) % 2 == 1;
    }

    // Where the members stand once the members of `removed` (none of them a member here) are taken out: each
    // moves down by the number of removed members below it. One pass over both lists.
    RangeSet afterRemoving(const RangeSet& removed) const
    {
        RangeSet moved;
        moved.m_bounds.reserve(m_bounds.size());
        T below = 0;
        int r = 0;
        for (int i = 0; i < m_bounds.size(); i += 2) {
            for (; r < removed.m_bounds.size() && removed.m_bounds[r] < m_bounds[i]; r += 2)
                below += std::min(removed.m_bounds[r + 1], m_bounds[i]) - removed.m_bounds[r];
            moved.insert(m_bounds[i] - below, m_bounds[i + 1] - below);
        }
        return moved;
    }

    T totalSize() const
    {
        T total = 0;
        for (int i = 0; i < m_bounds.size(); i += 2)
            total += m_bounds[i + 1] - m_bounds[i];
        return total;
    }

    bool operator==(const RangeSet& other) const { return m_bounds == other.m_bounds; }

private:
    QVector<T> m_bounds;
};
