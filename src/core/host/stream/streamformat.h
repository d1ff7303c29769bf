#pragma once

#include "core/db/columndef.h"
#include "core/host/bv_host_export.h"

#include <QByteArray>
#include <QList>
#include <QStringList>

#include <cstring>

class RowLayout;
class Table;

// The recorded stream's file: a header naming the format version and the tables' schemas, then frames, each a
// run of table transactions with its length and checksums, so that a damaged frame is found and a truncated file
// ends on the last whole frame. A recording stopped cleanly ends with a frame holding only an End; a file
// without it was cut (a crash, a kill) even when it ends on a frame's end. Numbers are little-endian; field
// values are the rows' raw bytes (RowLayout), which hold no pointers.
//
//   header   magic "BVSTREAM", u32 version, u32 length, u64 checksum, then: i64 start (ms since the epoch),
//            u16 tables, each: name, u16 key columns, u16 columns, each: u8 type, u16 length, name
//   frame    u32 length, u32 transactions, u64 checksum of the transactions, u64 checksum of the 16 bytes before
//            it, then the transactions: a damaged length is told from a file cut short
//   change   u8 kind, i64 nanoseconds since the start, u16 table, then for Batch: u32 removed, u32 updated,
//            u32 added, i16 first and i16 last changed column (-1: all); each removed record's key; each updated
//            record's key before the change, the bytes of the changed columns and the has-value bits; each added
//            record's whole row. A key is the key columns' bytes, then a byte per key column: whether it has a value.
//            Rekeyed has the head of a Batch of one update, then u8 (1: a record before, 2: a record after), the
//            keys of the records before and after it in key order before the change (zeros where none), the
//            changed columns' bytes and the has-value bits.
//            End has table 0 (stopped) or 1 (stopped by itself: the disk fell behind) and nothing after its head.
namespace StreamFormat {

constexpr char Magic[8] = { 'B', 'V', 'S', 'T', 'R', 'E', 'A', 'M' };
constexpr quint32 Version = 4;
// Files of version 3, written before and after Rekeyed came, read as they are: version 4 only adds it.
constexpr quint32 OldestReadVersion = 3;
constexpr int HeaderFixedBytes = 8 + 4 + 4 + 8;
constexpr int FrameHeaderBytes = 4 + 4 + 8 + 8;
constexpr int FrameHeadSummed = 4 + 4 + 8;

enum Kind : quint8 {
    Batch = 'B', // removals, updates and inserts applied at once
    Snapshot = 'S', // the table's rows when the recording started, as a batch of inserts
    Clear = 'C', // every row taken out
    End = 'E', // the recording was stopped here
    // A single update that changed the record's key: it arrives with the old key gone, so the record is named by
    // its neighbours in key order as they were.
    Rekeyed = 'K',
};

enum EndReason : quint16 {
    Stopped = 0,
    StoppedItself = 1,
};
constexpr quint32 EndBytes = 1 + 8 + 2;

BV_HOST_EXPORT quint64 checksum(const uchar* data, qsizetype size);

// One table as the header describes it.
struct BV_HOST_EXPORT TableShape
{
    QString name;
    QStringList keys;
    QList<ColumnDef> columns; // type, length and name only

    static TableShape of(const Table* table);
    // Empty when the table matches; else what differs, for a message.
    QString differenceFrom(const Table* table) const;
};

class BV_HOST_EXPORT ByteWriter
{
public:
    explicit ByteWriter(QByteArray& out)
        : m_out(out)
    { }
    template<typename T>
    void put(T value)
    {
        const int at = m_out.size();
        m_out.resize(at + int(sizeof(T)));
        std::memcpy(m_out.data() + at, &value, sizeof(T)); // the machines we run on are little-endian
    }
    void bytes(const uchar* data, int size) { m_out.append(reinterpret_cast<const char*>(data), size); }
    void text(const QString& value);

private:
    QByteArray& m_out;
};

// Reads what a ByteWriter wrote; past the end every read gives zero and ok() turns false.
class BV_HOST_EXPORT ByteReader
{
public:
    ByteReader(const uchar* data, qsizetype size)
        : m_at(data)
        , m_end(data + size)
    { }
    template<typename T>
    T get()
    {
        T value {};
        if (take(sizeof(T)))
            std::memcpy(&value, m_at - sizeof(T), sizeof(T));
        return value;
    }
    // The next `size` bytes, or null when fewer are left.
    const uchar* bytes(qsizetype size) { return take(size) ? m_at - size : nullptr; }
    QString text();
    bool ok() const { return m_ok; }
    bool atEnd() const { return m_at == m_end; }
    const uchar* position() const { return m_at; }

private:
    bool take(qsizetype size)
    {
        if (!m_ok || size < 0 || m_end - m_at < size) {
            m_ok = false;
            return false;
        }
        m_at += size;
        return true;
    }
    const uchar* m_at;
    const uchar* m_end;
    bool m_ok = true;
};

BV_HOST_EXPORT QByteArray header(const QList<TableShape>& tables, qint64 startMsecs);
// The key columns a record is found by: the table's key, or every column of a table without one.
BV_HOST_EXPORT QList<int> keyColumns(const Table* table);
BV_HOST_EXPORT int keyBytes(const Table* table, const QList<int>& keyColumns);
// Writes a row's key (as the file holds it) and puts it back into a row.
BV_HOST_EXPORT void writeKey(ByteWriter& out, const Table* table, const QList<int>& keyColumns, const uchar* raw);
// The reverse of writeKey: the key's fields and has-value bits put into `row`, and whether `raw` holds that key.
BV_HOST_EXPORT void readKey(const RowLayout& layout, const QList<int>& keyColumns, const uchar* key, uchar* row);
BV_HOST_EXPORT bool holdsKey(const RowLayout& layout, const QList<int>& keyColumns, const uchar* raw, const uchar* key);

} // namespace StreamFormat
