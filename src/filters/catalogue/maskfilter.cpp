#include "filters/catalogue/maskfilter.h"

#include "core/db/table.h"
#include "filters/nofilterfunc.h"

RawIntegerField::RawIntegerField(const Table& table, int column)
{
    if (column < 0 || column >= table.columnCount())
        return;
    m_offset = table.columnOffset(column);
    m_size = table.columnSize(column);
    if (m_size != 1 && m_size != 2 && m_size != 4 && m_size != 8)
        m_size = 0; // strings and decimals have no integer image
}

MaskFilter::MaskFilter(Table& table, int column, qint64 fullMask, QObject* parent)
    : EnumFilter(table, column, parent)
    , m_fullMask(fullMask)
{ }

QList<KeyValue> MaskFilter::keys() const
{
    QList<KeyValue> all;
    for (int b = 0; b < 64; ++b) {
        const qint64 bit = qint64(quint64(1) << b);
        if (m_fullMask & bit)
            all << keyOfBit(bit);
    }
    return all;
}

qint64 MaskFilter::shownMask() const
{
    qint64 shown = m_fullMask;
    for (const KeyValue& key : excludedKeys())
        shown &= ~bitOf(key);
    return shown;
}

FilterFunc* MaskFilter::createFilterFunc(QObject* parent) const
{
    const qint64 shown = shownMask();
    if (shown == m_fullMask)
        return new NoFilterFunc(parent);
    return createMaskFunc(shown, parent);
}

QString MaskFilter::keyToText(const KeyValue& key) const
{
    return bitText(bitOf(key));
}

KeyValue MaskFilter::keyFromRecord(const Record& record) const
{
    return keyOfBit(bitOfRecord(record));
}

qint64 MaskFilter::bitOf(const KeyValue& key) const
{
    return key.isEmpty() ? 0 : keyToValue(key).toLongLong() & m_fullMask;
}

KeyValue MaskFilter::keyOfBit(qint64 bit) const
{
    return valueToKey(QString::number(bit));
}
