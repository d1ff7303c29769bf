#include "core/host/stream/streamformat.h"

#include "core/db/masterindex.h"
#include "core/db/table.h"

#include <QCoreApplication>
#include <QLocale>

namespace StreamFormat {

quint64 checksum(const uchar* data, qsizetype size)
{
    // FNV-1a over 8-byte words: a flipped or lost byte changes it, and it keeps up with the disk.
    constexpr quint64 Prime = 0x100000001b3ull;
    quint64 h = 0xcbf29ce484222325ull ^ quint64(size);
    qsizetype i = 0;
    for (; i + 8 <= size; i += 8) {
        quint64 word;
        std::memcpy(&word, data + i, 8);
        h = (h ^ word) * Prime;
        h ^= h >> 29;
    }
    for (; i < size; ++i)
        h = (h ^ data[i]) * Prime;
    return h;
}

void ByteWriter::text(const QString& value)
{
    const QByteArray utf8 = value.toUtf8();
    put<quint16>(quint16(utf8.size()));
    m_out.append(utf8);
}

QString ByteReader::text()
{
    const int size = get<quint16>();
    const uchar* data = bytes(size);
    return data ? QString::fromUtf8(reinterpret_cast<const char*>(data), size) : QString();
}

TableShape TableShape::of(const Table* table)
{
    TableShape shape;
    shape.name = table->name();
    for (int column : table->masterIndex()->keyColumns())
        shape.keys << table->columnName(column);
    for (const ColumnDef& c : table->columns())
        shape.columns << ColumnDef(c.type, c.length, c.name);
    return shape;
}

QString TableShape::differenceFrom(const Table* table) const
{
    const TableShape own = of(table);
    if (own.keys != keys)
        return QCoreApplication::translate("StreamFormat", "ключ в записи (%1), в терминале (%2)")
            .arg(keys.join(QLatin1Char(',')), own.keys.join(QLatin1Char(',')));
    if (own.columns.size() != columns.size())
        return QCoreApplication::translate("StreamFormat", "столбцов в записи %1, в терминале %2")
            .arg(QLocale().toString(columns.size()), QLocale().toString(own.columns.size()));
    for (int i = 0; i < columns.size(); ++i) {
        const ColumnDef& a = columns.at(i);
        const ColumnDef& b = own.columns.at(i);
        if (a.name != b.name || a.type != b.type || a.length != b.length)
            return QCoreApplication::translate("StreamFormat", "столбец %1: в записи %2 %3, в терминале %4 %5")
                .arg(i + 1)
                .arg(a.name, FieldType::typeNameWithLength(a.type, a.length), b.name,
                    FieldType::typeNameWithLength(b.type, b.length));
    }
    return QString();
}

QByteArray header(const QList<TableShape>& tables, qint64 startMsecs)
{
    QByteArray payload;
    ByteWriter out(payload);
    out.put<qint64>(startMsecs);
    out.put<quint16>(quint16(tables.size()));
    for (const TableShape& t : tables) {
        out.text(t.name);
        out.put<quint16>(quint16(t.keys.size()));
        for (const QString& key : t.keys)
            out.text(key);
        out.put<quint16>(quint16(t.columns.size()));
        for (const ColumnDef& c : t.columns) {
            out.put<quint8>(quint8(c.type));
            out.put<quint16>(quint16(c.length));
            out.text(c.name);
        }
    }
    QByteArray file(Magic, sizeof(Magic));
    ByteWriter head(file);
    head.put<quint32>(Version);
    head.put<quint32>(quint32(payload.size()));
    head.put<quint64>(checksum(reinterpret_cast<const uchar*>(payload.constData()), payload.size()));
    file.append(payload);
    return file;
}

QList<int> keyColumns(const Table* table)
{
    if (table->masterIndex()->hasKey())
        return table->masterIndex()->keyColumns();
    QList<int> all;
    for (int c = 0; c < table->columnCount(); ++c)
        all << c;
    return all;
}

int keyBytes(const Table* table, const QList<int>& keyColumns)
{
    int bytes = 0;
    for (int column : keyColumns)
        bytes += table->layout().size(column) + 1;
    return bytes;
}

void writeKey(ByteWriter& out, const Table* table, const QList<int>& keyColumns, const uchar* raw)
{
    const RowLayout& layout = table->layout();
    for (int column : keyColumns)
        out.bytes(raw + layout.offset(column), layout.size(column));
    for (int column : keyColumns)
        out.put<quint8>(layout.hasValue(raw, column) ? 1 : 0);
}

void readKey(const RowLayout& layout, const QList<int>& keyColumns, const uchar* key, uchar* row)
{
    for (int column : keyColumns) {
        std::memcpy(row + layout.offset(column), key, std::size_t(layout.size(column)));
        key += layout.size(column);
    }
    for (int column : keyColumns)
        layout.setHasValue(row, column, *key++ != 0);
}

bool holdsKey(const RowLayout& layout, const QList<int>& keyColumns, const uchar* raw, const uchar* key)
{
    for (int column : keyColumns) {
        if (std::memcmp(raw + layout.offset(column), key, std::size_t(layout.size(column))) != 0)
            return false;
        key += layout.size(column);
    }
    for (int column : keyColumns) {
        if (layout.hasValue(raw, column) != (*key++ != 0))
            return false;
    }
    return true;
}

} // namespace StreamFormat
