#pragma once

#include "core/db/index.h"
#include "core/db/keyvalue.h"
#include "core/host/filters/filterfunc.h"

#include <QByteArray>
#include <vector>

class Table;

// The same predicate as KeyFilterFunc, decided with one memcmp per key: the key columns must lie next to each
// other in a row's raw storage, and each key is prepared as the raw image of those bytes. The record must also
// have a value in every key column. Fixed-point and floating columns are refused (1.5 and 1.50 are equal but
// stored apart). The constructor throws a QString with the reason when the columns cannot be compared this way.
class BV_HOST_EXPORT KeyFilterFunc_Fast : public FilterFunc
{
    Q_OBJECT
public:
    KeyFilterFunc_Fast(Table* table, const QList<KeyValue>& keys, const QList<int>& columns, QObject* parent = nullptr);
    bool filter(const Record& record) const override;
    QString toString() const override;
    bool readsFields(int first, int last) const override { return Index::touches(m_columns, first, last); }

    int byteOffset() const { return m_offset; }
    int byteLength() const { return m_length; }
    int keyCount() const { return m_imageCount; }

private:
    QList<int> m_columns;
    int m_offset = 0;
    int m_length = 0;
    std::vector<uchar> m_images; // keys' raw images, sorted, m_length bytes each
    std::vector<quint64> m_words; // the same images as numbers, sorted, when a key fits in 8 bytes
    int m_imageCount = 0;
    std::vector<std::pair<int, uchar>> m_valueBits; // byte and mask of each key column's has-value bit
};
