#pragma once

#include "models/parallelmap.h"
#include "models/private/progresshelper.h"

#include <QVector>

#include <algorithm>
#include <iterator>

// A stable sort of a range that splits large ranges into eight parts sorted on the worker pool (ParallelMap), then
// merges them pairwise (two parallel passes) and finally on the calling thread:
//
//   s0 s1 s2 s3 s4 s5 s6 s7      eight parts, sorted in parallel
//   s01   s23   s45   s67        first merge pass, in parallel
//   s0123       s4567            second merge pass, in parallel
//   s01234567                    last merge, on the calling thread
//
// Every step is stable, so records that compare equal keep their order. Below 512 elements no thread is used.
// Works on any random-access iterator (PartitionList iterators cross partitions, so nothing is copied into a
// flat array). The comparison runs on several threads at once and must only read.
//
// A sort given a progress phase counts its comparisons into it, about n·log2(n) of them (comparisons()): with a
// comparison of texts, a part or the last merge of a million rows takes most of a second, so the count moves
// within each step.
namespace ConcurrentSort {

constexpr int ParallelThreshold = 512;
constexpr int Parts = 8;
constexpr int CountedChunk = 4096;

// About how many comparisons a sort of n elements makes: each element takes part in log2(n / 8) comparisons in
// its part's sort and one in each of the three merges.
inline qint64 comparisons(qint64 n)
{
    qint64 depth = 0;
    while ((qint64(1) << depth) < n)
        ++depth;
    return n * qMax<qint64>(depth, 1);
}

// A comparison that counts itself into a progress phase, a chunk at a time; the count lives with the step that
// runs it, as the standard algorithms copy their comparison.
template<typename Less>
struct Counted
{
    Less less;
    ProgressPhase* phase;
    qint64* pending;
    template<typename T>
    bool operator()(const T& a, const T& b) const
    {
        if (++*pending == CountedChunk) {
            phase->add(CountedChunk);
            *pending = 0;
        }
        return less(a, b);
    }
};

// Runs step(comparison) with the plain comparison, or with a counted one when there is a phase to count into.
template<typename Less, typename Step>
void withComparison(const Less& less, ProgressPhase* phase, Step step)
{
    if (!phase || !phase->counts()) {
        step(less);
        return;
    }
    qint64 pending = 0;
    step(Counted<Less> { less, phase, &pending });
    phase->add(pending);
}

// A range and its comparison; running it sorts the range stably.
template<typename Iterator, typename Less>
struct BeginEnd
{
    Iterator begin;
    Iterator end;
    Less less;
    ProgressPhase* phase = nullptr;
    void operator()() const
    {
        withComparison(less, phase, [this](const auto& cmp) { std::stable_sort(begin, end, cmp); });
    }
};

// Two adjacent sorted ranges; running it merges them in place, left before equal right.
template<typename Iterator, typename Less>
struct BeginMiddleEnd
{
    Iterator begin;
    Iterator middle;
    Iterator end;
    Less less;
    ProgressPhase* phase = nullptr;
    void operator()() const
    {
        withComparison(less, phase, [this](const auto& cmp) { std::inplace_merge(begin, middle, end, cmp); });
    }
};

template<typename Iterator, typename Less>
void sort(Iterator begin, Iterator end, Less less, ProgressPhase* phase = nullptr)
{
    const auto n = end - begin;
    if (n < ParallelThreshold) {
        std::stable_sort(begin, end, less);
        return;
    }
    Iterator cut[Parts + 1];
    for (int k = 0; k <= Parts; ++k)
        cut[k] = begin + (n * k / Parts);

    auto run = [](auto& item) { item(); };
    QVector<BeginEnd<Iterator, Less>> parts;
    for (int k = 0; k < Parts; ++k)
        parts.append({ cut[k], cut[k + 1], less, phase });
    ParallelMap::blockingMap(parts, run);

    QVector<BeginMiddleEnd<Iterator, Less>> pairs;
    for (int k = 0; k < Parts; k += 2)
        pairs.append({ cut[k], cut[k + 1], cut[k + 2], less, phase });
    ParallelMap::blockingMap(pairs, run);

    QVector<BeginMiddleEnd<Iterator, Less>> quads { { cut[0], cut[2], cut[4], less, phase },
        { cut[4], cut[6], cut[8], less, phase } };
    ParallelMap::blockingMap(quads, run);

    BeginMiddleEnd<Iterator, Less> { cut[0], cut[4], cut[8], less, phase }();
}

} // namespace ConcurrentSort
