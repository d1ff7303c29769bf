#include "models/private/storedsortkeys.h"

#include "core/db/table.h"
#include "models/private/concurrentsort.h"

#include <cstring>

namespace {

qint64 load64(const uchar* p)
{
    qint64 v;
    std::memcpy(&v, p, sizeof v);
    return v;
}

qint32 load32(const uchar* p)
{
    qint32 v;
    std::memcpy(&v, p, sizeof v);
    return v;
}

bool scaleUp(qint64 mantissa, int by, qint64& scaled)
{
    for (int k = 0; k < by; ++k) {
        if (__builtin_mul_overflow(mantissa, qint64(10), &mantissa))
            return false;
    }
    scaled = mantissa;
    return true;
}

struct Ascending
{
    bool operator()(const StoredSortKeys::Key& a, const StoredSortKeys::Key& b) const
    {
        if (a.hasValue != b.hasValue)
            return !a.hasValue;
        if (a.value != b.value)
            return a.value < b.value;
        return a.position < b.position;
    }
};

struct Descending
{
    bool operator()(const StoredSortKeys::Key& a, const StoredSortKeys::Key& b) const
    {
        if (a.hasValue != b.hasValue)
            return a.hasValue;
        if (a.value != b.value)
            return a.value > b.value;
        return a.position < b.position;
    }
};

} // namespace

bool StoredSortKeys::supports(FieldType::Type type)
{
    return type == FieldType::Int32 || type == FieldType::Int64 || type == FieldType::DateTime
        || type == FieldType::Char || type == FieldType::Decimal;
}

bool StoredSortKeys::start(const Table& table, int column, int count)
{
    m_keys.clear();
    if (column < 0 || column >= table.columnCount())
        return false;
    m_layout = &table.layout();
    const RowLayout::Slot& slot = m_layout->slot(column);
    if (!supports(slot.type))
        return false;
    m_column = column;
    m_offset = slot.offset;
    m_type = slot.type;
    m_keys.resize(size_t(count));
    for (int i = 0; i < count; ++i)
        m_keys[size_t(i)].position = quint32(i);
    return true;
}

void StoredSortKeys::read(const uchar* raw, Key& key) const
{
    key.hasValue = m_layout->hasValue(raw, m_column);
    key.value = 0;
    key.scale = 0;
    if (!key.hasValue)
        return;
    const uchar* p = raw + m_offset;
    switch (m_type) {
    case FieldType::Int32:
        key.value = load32(p);
        break;
    case FieldType::Char: {
        quint16 unit;
        std::memcpy(&unit, p, sizeof unit);
        key.value = unit;
        break;
    }
    case FieldType::Decimal:
        key.value = load64(p);
        key.scale = p[8];
        break;
    default:
        key.value = load64(p);
        break;
    }
}

bool StoredSortKeys::finish()
{
    if (m_type != FieldType::Decimal)
        return true;
    // Fixed-point values are brought to the largest scale among them.
    int scale = 0;
    for (const Key& key : m_keys)
        scale = qMax(scale, int(key.scale));
    for (Key& key : m_keys) {
        if (key.hasValue && key.scale != scale && !scaleUp(key.value, scale - key.scale, key.value)) {
            m_keys.clear();
            return false;
        }
    }
    return true;
}

void StoredSortKeys::sort(Qt::SortOrder order, ProgressPhase* phase)
{
    // Positions break ties, so the order is total and any sort is the stable one.
    if (order == Qt::DescendingOrder)
        ConcurrentSort::sort(m_keys.begin(), m_keys.end(), Descending(), phase);
    else
        ConcurrentSort::sort(m_keys.begin(), m_keys.end(), Ascending(), phase);
}

void StoredSortKeys::counted(ProgressPhase* phase, qint64 units)
{
    if (phase)
        phase->add(units);
}
