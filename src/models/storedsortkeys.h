#pragma once

#include "basic_views_export.h"
#include "core/db/fieldtype.h"
#include "core/db/record.h"

#include <QtGlobal>

#include <vector>

class Table;

// Exact 64-bit images of one stored column's values that order as the values compare (integers, date-times,
// characters, and fixed-point numbers brought to one scale). Sorting the images, ties by position, gives the
// stable sort by that column without a comparison of two records per probe: one read of each row instead of a
// few dozen scattered ones.
class BASIC_VIEWS_EXPORT StoredSortKeys
{
public:
    struct Key
    {
        qint64 value;
        quint32 position;
        bool hasValue;
    };

    // Whether values of the type have an exact integer image at all.
    static bool supports(FieldType::Type type);

    // Keys of the column for records[0 .. count); false (and nothing to sort by) when the column's type has no
    // exact integer image or a value does not fit one: strings, floating point, 128-bit decimals, a fixed-point
    // value too large to scale.
    bool make(const Table& table, int column, const Record* records, int count);

    // Sorts the keys as the column sorts in `order` (a value without a value first when ascending, last when
    // descending), equal values by position, on the worker pool.
    void sort(Qt::SortOrder order);

    const std::vector<Key>& keys() const { return m_keys; }

private:
    std::vector<Key> m_keys;
};
