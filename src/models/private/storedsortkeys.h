#pragma once

#include "basic_views_export.h"
#include "core/db/fieldtype.h"
#include "core/db/record.h"

#include <QtGlobal>

#include <utility>
#include <vector>

class ProgressPhase;

class RowLayout;
class Table;

// Exact 64-bit images of one stored column's values that order as the values compare (integers, date-times,
// characters, and fixed-point numbers brought to one scale). Sorting the images, ties by position, gives the
// stable sort by that column without a comparison of two records per probe: one read of each row instead of a
// few dozen scattered ones. The records themselves are then put in that order where they stand: a key is 16
// bytes, and no flat copy of a model's list is made.
class BASIC_VIEWS_EXPORT StoredSortKeys
{
public:
    struct Key
    {
        qint64 value;
        quint32 position;
        bool hasValue;
        quint8 scale; // of a fixed-point value, until the values are brought to one scale
    };

    // Whether values of the type have an exact integer image at all.
    static bool supports(FieldType::Type type);

    // Keys of the column for the records of [first, last); false (and nothing to sort by) when the column's type
    // has no exact integer image or a value does not fit one: strings, floating point, 128-bit decimals, a
    // fixed-point value too large to scale. A phase given is told of each record read.
    template<typename Iterator>
    bool make(const Table& table, int column, Iterator first, Iterator last, ProgressPhase* phase = nullptr)
    {
        if (!start(table, column, int(last - first)))
            return false;
        std::size_t i = 0;
        for (Key& key : m_keys) {
            read(first->rawData(), key);
            ++first;
            if (++i % Chunk == 0)
                counted(phase, Chunk);
        }
        return finish();
    }

    // Sorts the keys as the column sorts in `order` (a value without a value first when ascending, last when
    // descending), equal values by position, on the worker pool. A phase given counts the comparisons.
    void sort(Qt::SortOrder order, ProgressPhase* phase = nullptr);

    // Puts the records the keys were made of, [first, first + count), in the keys' order, in place: each cycle of
    // the permutation is followed once, so every record moves once and only one is held aside at a time. A phase
    // given is told of each record moved (one cycle may hold most of them).
    template<typename Iterator>
    void permute(Iterator first, ProgressPhase* phase = nullptr) const
    {
        std::vector<bool> placed(m_keys.size());
        std::size_t moved = 0;
        for (std::size_t start = 0; start < m_keys.size(); ++start) {
            if (placed[start] || m_keys[start].position == start)
                continue;
            Record held = std::move(*(first + std::ptrdiff_t(start)));
            std::size_t to = start;
            for (;;) {
                placed[to] = true;
                if (++moved % Chunk == 0)
                    counted(phase, Chunk);
                const std::size_t from = m_keys[to].position;
                if (from == start) {
                    *(first + std::ptrdiff_t(to)) = std::move(held);
                    break;
                }
                *(first + std::ptrdiff_t(to)) = std::move(*(first + std::ptrdiff_t(from)));
                to = from;
            }
        }
    }

    const std::vector<Key>& keys() const { return m_keys; }

private:
    static constexpr std::size_t Chunk = 4096;
    static void counted(ProgressPhase* phase, qint64 units);
    bool start(const Table& table, int column, int count);
    void read(const uchar* raw, Key& key) const;
    bool finish();

    std::vector<Key> m_keys;
    const RowLayout* m_layout = nullptr;
    int m_column = -1;
    int m_offset = 0;
    FieldType::Type m_type = FieldType::Unknown;
};
