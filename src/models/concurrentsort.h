#pragma once

#include "models/parallelmap.h"

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
namespace ConcurrentSort {

constexpr int ParallelThreshold = 512;
constexpr int Parts = 8;

// A range and its comparison; running it sorts the range stably.
template<typename Iterator, typename Less>
struct BeginEnd
{
    Iterator begin;
    Iterator end;
    Less less;
    void operator()() const { std::stable_sort(begin, end, less); }
};

// Two adjacent sorted ranges; running it merges them in place, left before equal right.
template<typename Iterator, typename Less>
struct BeginMiddleEnd
{
    Iterator begin;
    Iterator middle;
    Iterator end;
    Less less;
    void operator()() const { std::inplace_merge(begin, middle, end, less); }
};

template<typename Iterator, typename Less>
void sort(Iterator begin, Iterator end, Less less)
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
        parts.append({ cut[k], cut[k + 1], less });
    ParallelMap::blockingMap(parts, run);

    QVector<BeginMiddleEnd<Iterator, Less>> pairs;
    for (int k = 0; k < Parts; k += 2)
        pairs.append({ cut[k], cut[k + 1], cut[k + 2], less });
    ParallelMap::blockingMap(pairs, run);

    QVector<BeginMiddleEnd<Iterator, Less>> quads { { cut[0], cut[2], cut[4], less },
        { cut[4], cut[6], cut[8], less } };
    ParallelMap::blockingMap(quads, run);

    std::inplace_merge(cut[0], cut[4], cut[8], less);
}

} // namespace ConcurrentSort
