#pragma once

#include "core/db/field.h"

#include <QMetaType>

#include <functional>

struct RecordData;
class Table;

// A handle to one row: a single reference-counted pointer. Copies share the row, never copy it; a handle keeps
// its row alive after the row left its table. Two handles are the same record exactly when their pointers are
// equal; that identity (not the values) is what indexes store, search and remove, and handles order by it.
class BV_DB_EXPORT Record
{
public:
    static const Record null;

    Record() noexcept = default;
    // A detached record of the table with every field empty.
    explicit Record(Table* table);
    // The table's record whose key text (key fields joined with ",") is keyText, or the empty handle.
    Record(Table* table, const QString& keyText);
    Record(const Record& other) noexcept;
    Record(Record&& other) noexcept
        : d(other.d)
    {
        other.d = nullptr;
    }
    Record& operator=(const Record& other) noexcept;
    Record& operator=(Record&& other) noexcept
    {
        std::swap(d, other.d);
        return *this;
    }
    ~Record();

    bool isNull() const { return d == nullptr; }
    // Null for the empty handle, and for a row whose table was destroyed (it then reads as empty).
    Table* table() const;
    RecordData* handle() const { return d; }

    Field data(int column) const;
    Field data(const QString& columnName) const;

    // A detached copy with the same values.
    Record clone() const;
    // Takes over all values of `other` (a record of a table with the same columns). Does not notify.
    void copy(const Record& other);

    // Tell the table that a field, or the whole row, of this in-table record changed.
    void updated(int column) const;
    void updated() const;
    // Puts a detached record into its table, or takes an in-table record out of it; the indexes are told.
    // append() throws a QString when the table already holds a record with the same key.
    void append();
    void remove();
    bool inTable() const;

    // Key fields joined with ",".
    QString toString() const;
    // The row's raw storage (layout in RowLayout) and its size.
    const uchar* rawData() const { return d ? reinterpret_cast<const uchar*>(d) + HeaderBytes : nullptr; }
    int rawSize() const;

    // Bytes of the handle's block before the row's raw storage.
    static constexpr int HeaderBytes = 16;

    bool operator==(const Record& other) const { return d == other.d; }
    bool operator!=(const Record& other) const { return d != other.d; }

private:
    RecordData* d = nullptr; // shared
};

namespace std {
template<>
struct less<Record>
{
    bool operator()(const Record& a, const Record& b) const { return std::less<RecordData*>()(a.handle(), b.handle()); }
};
} // namespace std

inline uint qHash(const Record& record, uint seed = 0)
{
    return ::qHash(quintptr(record.handle()), seed);
}

Q_DECLARE_TYPEINFO(Record, Q_MOVABLE_TYPE);
Q_DECLARE_METATYPE(Record)
