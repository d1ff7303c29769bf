#pragma once

#include "core/db/index.h"
#include "core/db/keyvalue.h"
#include "core/host/filters/filterfunc.h"

class Table;

// Passes records whose values in `columns` equal one of the keys.
class BV_HOST_EXPORT KeyFilterFunc : public FilterFunc
{
    Q_OBJECT
public:
    KeyFilterFunc(Table* table, const QList<KeyValue>& keys, const QList<int>& columns, QObject* parent = nullptr);
    bool filter(const Record& record) const override;
    QString toString() const override;
    bool readsFields(int first, int last) const override { return Index::touches(m_columns, first, last); }

    const QList<KeyValue>& keys() const { return m_keys; }
    const QList<int>& columns() const { return m_columns; }

private:
    QList<KeyValue> m_keys; // sorted, for a binary search
    QList<int> m_columns;
};
