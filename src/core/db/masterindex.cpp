#include "core/db/masterindex.h"

#include "core/db/handlefilter.h"
#include "core/db/rowlayout.h"
#include "core/db/table.h"

#include <QSet>

#include <algorithm>
#include <cstring>
#include <vector>

namespace {

template<typename T>
int orderAt(const uchar* a, const uchar* b)
{
    T x;
    T y;
    std::memcpy(&x, a, sizeof(T));
    std::memcpy(&y, b, sizeof(T));
    return x < y ? -1 : (y < x ? 1 : 0);
}

} // namespace

MasterIndex::MasterIndex(Table* table, const QList<int>& keyColumns)
    : IndexList(table, false)
    , m_keyColumns(keyColumns)
    , m_layout(&table->layout())
{
    for (int column : keyColumns) {
        const RowLayout::Slot& slot = table->layout().slot(column);
        m_keyParts.append(KeyPart { column, slot.type, slot.length, slot.offset });
    }
}

QStringList MasterIndex::columnNames() const
{
    QStringList names;
    for (int column : m_keyColumns)
        names << table()->columnName(column);
    return names;
}

bool MasterIndex::touchesKey(int firstColumn, int lastColumn) const
{
    return touches(m_keyColumns, firstColumn, lastColumn);
}

int MasterIndex::compareKeys(const Record& a, const Record& b) const
{
    const uchar* ra = a.rawData();
    const uchar* rb = b.rawData();
    if (!ra || !rb)
        return int(ra != nullptr) - int(rb != nullptr);
    for (const KeyPart& k : m_keyParts) {
        const bool ha = m_layout->hasValue(ra, k.column);
        const bool hb = m_layout->hasValue(rb, k.column);
        if (!ha || !hb) {
            if (ha != hb)
                return ha ? 1 : -1;
            continue;
        }
        int c;
        switch (k.type) {
        case FieldType::Int32:
            c = orderAt<qint32>(ra + k.offset, rb + k.offset);
            break;
        case FieldType::Int64:
        case FieldType::DateTime:
            c = orderAt<qint64>(ra + k.offset, rb + k.offset);
            break;
        default:
            c = FieldCodec::compare(FieldSlot { k.type, k.length, ra + k.offset, true },
                FieldSlot { k.type, k.length, rb + k.offset, true });
            break;
        }
        if (c != 0)
            return c;
    }
    return 0;
}

uint MasterIndex::keyHash(const Record& record, uint seed) const
{
    const uchar* r = record.rawData();
    if (!r)
        return seed;
    uint h = seed;
    for (const KeyPart& k : m_keyParts) {
        const FieldSlot slot { k.type, k.length, r + k.offset, m_layout->hasValue(r, k.column) };
        uint part = 0;
        if (slot.hasValue) {
            switch (k.type) {
            case FieldType::Int32:
                part = ::qHash(FieldCodec::toInteger(slot));
                break;
            case FieldType::Int64:
            case FieldType::DateTime:
                part = ::qHash(FieldCodec::rawInt64(slot));
                break;
            case FieldType::String:
            case FieldType::Char:
                part = ::qHash(FieldCodec::toStringView(slot));
                break;
            default:
                // Numbers of several scales compare by value: the decimal hash normalises the scale.
                part = ::qHash(FieldCodec::toDecimal(slot));
                break;
            }
        }
        h = h * 31 + part + uint(slot.hasValue);
    }
    return h;
}

int MasterIndex::lowerBound(const Record& keySource) const
{
    if (!hasKey())
        return m_list.count();
    return m_list.partitionPoint([&](const Record& r) { return compareKeys(r, keySource) < 0; });
}

int MasterIndex::find(const Record& keySource) const
{
    if (!hasKey() || keySource.isNull() || keySource.table() != table())
        return -1;
    const int p = lowerBound(keySource);
    return (p < m_list.count() && compareKeys(m_list.at(p), keySource) == 0) ? p : -1;
}

Record MasterIndex::recordByKey(const Record& keySource) const
{
    const int p = find(keySource);
    return p < 0 ? Record() : m_list.at(p);
}

Record MasterIndex::keyRecord(const QString& keyText) const
{
    return keyRecord(keyText.split(QLatin1Char(',')));
}

Record MasterIndex::keyRecord(const QStringList& keyValues) const
{
    if (!hasKey() || keyValues.size() != m_keyColumns.size())
        return Record();
    Record probe(table());
    try {
        for (int i = 0; i < m_keyColumns.size(); ++i)
            probe.data(m_keyColumns.at(i)) = keyValues.at(i);
    } catch (const QString&) {
        return Record();
    }
    return probe;
}

QStringList MasterIndex::keyValues(const Record& record) const
{
    QStringList values;
    for (int column : m_keyColumns)
        values << record.data(column).toString();
    return values;
}

void MasterIndex::sortByKey(QList<Record>& records) const
{
    if (sortByIntegerKey(records, nullptr, false))
        return;
    std::stable_sort(
        records.begin(), records.end(), [this](const Record& a, const Record& b) { return compareKeys(a, b) < 0; });
}

void MasterIndex::sortUniqueByKey(QList<Record>& records, QList<Record>* dropped) const
{
    if (!hasKey() || sortByIntegerKey(records, dropped, true))
        return;
    sortByKey(records);
    QList<Record> unique;
    unique.reserve(records.size());
    for (int i = 0; i < records.size(); ++i) {
        if (i + 1 < records.size() && compareKeys(records.at(i), records.at(i + 1)) == 0) {
            if (dropped)
                dropped->append(records.at(i));
        } else {
            unique.append(records.at(i));
        }
    }
    records.swap(unique);
}

bool MasterIndex::sortByIntegerKey(QList<Record>& records, QList<Record>* dropped, bool unique) const
{
    if (m_keyParts.size() != 1)
        return false;
    const KeyPart& k = m_keyParts.first();
    if (k.type != FieldType::Int32 && k.type != FieldType::Int64 && k.type != FieldType::DateTime)
        return false;
    // Sorting (has value, key, position) keeps equal keys in their given order, and random row reads stay
    // out of the O(n log n) part: rows are read once, in the order they were made.
    struct Entry
    {
        qint64 key;
        int position;
        int hasValue;
        bool operator<(const Entry& o) const
        {
            return hasValue != o.hasValue ? o.hasValue : (key != o.key ? key < o.key : position < o.position);
        }
    };
    static_assert(sizeof(Entry) == 16, "a million keys sort in 16 MB");
    std::vector<Entry> entries(std::size_t(records.size()));
    for (int i = 0; i < records.size(); ++i) {
        const uchar* raw = records.at(i).rawData();
        Entry& e = entries[std::size_t(i)];
        e.hasValue = m_layout->hasValue(raw, k.column);
        if (k.type == FieldType::Int32) {
            qint32 v;
            std::memcpy(&v, raw + k.offset, sizeof v);
            e.key = v;
        } else {
            std::memcpy(&e.key, raw + k.offset, sizeof e.key);
        }
        e.position = i;
    }
    std::sort(entries.begin(), entries.end());
    QList<Record> sorted;
    sorted.reserve(records.size());
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const Entry& e = entries[i];
        const bool duplicate
            = unique && i + 1 < entries.size() && entries[i + 1].hasValue == e.hasValue && entries[i + 1].key == e.key;
        if (!duplicate)
            sorted.append(records.at(e.position));
        else if (dropped)
            dropped->append(records.at(e.position));
    }
    records.swap(sorted);
    return true;
}

void MasterIndex::build()
{
    // The master index is the table's storage: there is nothing to build it from.
}

void MasterIndex::add(const Record& record)
{
    const int p = lowerBound(record);
    if (hasKey() && p < m_list.count() && compareKeys(m_list.at(p), record) == 0)
        throw tr("Запись с ключом '%1' уже есть в таблице '%2'").arg(record.toString(), table()->name());
    m_list.insert(p, record);
}

void MasterIndex::remove(const Record& record, int row)
{
    const int p = (row >= 0 && m_list.at(row) == record) ? row : indexOf(record);
    if (p >= 0)
        m_list.removeAt(p);
}

bool MasterIndex::contains(const Record& record) const
{
    return !record.isNull() && record.table() == table() && record.inTable();
}

int MasterIndex::indexOf(const Record& record) const
{
    const int p = find(record);
    if (p >= 0 && m_list.at(p) == record)
        return p;
    // The record's key changed since it was placed: only a walk finds it.
    return IndexList::indexOf(record);
}

void MasterIndex::update(const Record& record, int firstColumn, int lastColumn, int row)
{
    if (!touchesKey(firstColumn, lastColumn))
        return;
    const int p = (row >= 0 && m_list.at(row) == record) ? row : IndexList::indexOf(record);
    m_rekeyedFound = p >= 0;
    m_rekeyedPrevious = p > 0 ? m_list.at(p - 1) : Record();
    m_rekeyedNext = p >= 0 && p + 1 < m_list.count() ? m_list.at(p + 1) : Record();
    if (p < 0)
        return;
    const bool afterPrevious = p == 0 || compareKeys(m_list.at(p - 1), record) < 0;
    const bool beforeNext = p == m_list.count() - 1 || compareKeys(record, m_list.at(p + 1)) < 0;
    if (afterPrevious && beforeNext)
        return;
    const Record keep = record;
    m_list.removeAt(p);
    m_list.insert(lowerBound(keep), keep);
}

void MasterIndex::endUpdate()
{
    IndexList::endUpdate();
    m_rekeyedFound = false;
    m_rekeyedPrevious = Record();
    m_rekeyedNext = Record();
}

void MasterIndex::preprocess(const QList<Record>& removed, const QList<Record>& updated, int firstColumn,
    int lastColumn, const QList<Record>& added, const QList<Record>& updatedNew)
{
    Q_UNUSED(added)
    restartTimer();
    // The rows that leave their place: removed records, and records whose key changes.
    QVector<const Record*> leaving;
    leaving.reserve(removed.size());
    for (const Record& r : removed)
        leaving << &r;
    if (touchesKey(firstColumn, lastColumn)) {
        for (int i = 0; i < updated.size(); ++i) {
            if (compareKeys(updated.at(i), updatedNew.at(i)) != 0)
                leaving << &updated.at(i);
        }
    }
    // A search by key costs a thousand steps of a walk over the handles (cache misses on scattered records
    // against a scan of contiguous pointers): a batch with a record for every thousand rows is found by one walk.
    const bool reinserting = leaving.size() > removed.size();
    QSet<const void*> found; // only needed to know which key changes to put back
    if (qint64(leaving.size()) * 1024 >= m_list.count()) {
        std::vector<const void*> wanted;
        wanted.reserve(std::size_t(leaving.size()));
        for (const Record* r : qAsConst(leaving))
            wanted.push_back(r->handle());
        std::sort(wanted.begin(), wanted.end(), std::less<const void*>());
        const HandleFilter filter(wanted);
        int row = 0;
        for (auto it = m_list.cbegin(); it != m_list.cend(); ++it, ++row) {
            const void* handle = it->handle();
            if (filter.mayContain(handle)
                && std::binary_search(wanted.begin(), wanted.end(), handle, std::less<const void*>())) {
                m_pendingRemoval.insert(row);
                if (reinserting)
                    found.insert(handle);
            }
        }
    } else {
        for (const Record* r : qAsConst(leaving)) {
            const int p = indexOf(*r);
            if (p >= 0) {
                m_pendingRemoval.insert(p);
                if (reinserting)
                    found.insert(r->handle());
            }
        }
    }
    for (int i = removed.size(); i < leaving.size(); ++i) {
        if (found.contains(leaving.at(i)->handle()))
            m_pendingReinsert.append(*leaving.at(i));
    }
    accumulateElapsed();
}

void MasterIndex::process(const QList<Record>&, const QList<Record>&, int, int, const QList<Record>& added)
{
    restartTimer();
    removeRanges(m_pendingRemoval);
    m_pendingRemoval.clear();
    if (m_pendingReinsert.isEmpty()) {
        insertSorted(added);
    } else {
        QList<Record> all = added + m_pendingReinsert;
        sortByKey(all);
        insertSorted(all);
        m_pendingReinsert.clear();
    }
    accumulateElapsed();
}

void MasterIndex::insertSorted(const QList<Record>& sorted)
{
    const int n = sorted.size();
    if (n == 0)
        return;
    if (!hasKey()) {
        for (const Record& r : sorted)
            m_list.append(r);
        return;
    }
    if (m_list.count() / 8 < n) {
        // A large batch: one merge pass into a fresh list is cheaper than n binary searches and moves.
        PartitionList<Record> merged;
        auto it = m_list.begin();
        const auto end = m_list.end();
        int i = 0;
        while (it != end && i < n) {
            if (compareKeys(sorted.at(i), *it) < 0)
                merged.append(sorted.at(i++));
            else
                merged.append(std::move(*it++));
        }
        for (; it != end; ++it)
            merged.append(std::move(*it));
        for (; i < n; ++i)
            merged.append(sorted.at(i));
        m_list = std::move(merged);
        return;
    }
    // Records falling between the same two neighbours go in as one block.
    int i = 0;
    while (i < n) {
        const int p = lowerBound(sorted.at(i));
        int j = i + 1;
        while (j < n && (p == m_list.count() || compareKeys(sorted.at(j), m_list.at(p)) < 0))
            ++j;
        m_list.insert(p, sorted.begin() + i, sorted.begin() + j);
        i = j;
    }
}

QString MasterIndex::getClassName() const
{
    return QStringLiteral("MasterIndex");
}
