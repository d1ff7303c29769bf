#pragma once

#include "core/db/keyvalue.h"
#include "core/host/filters/filter.h"

class Table;

// A filter passing records whose key (the values of its key columns) is one of the chosen keys. Its value is
// the keys in their keyToValue() form joined with "|".
class BV_HOST_EXPORT ValueFilter : public Filter
{
    Q_OBJECT
public:
    // Key columns: the column itself.
    ValueFilter(Table& table, int column, QObject* parent = nullptr);
    ValueFilter(Table& table, int column, const QList<int>& keyColumns, int modelColumn, QObject* parent = nullptr);

    Table& table() const { return m_table; }
    const QList<int>& keyColumns() const { return m_keyColumns; }
    const QList<KeyValue>& keys() const { return m_keys; }
    // Adding a key already there changes nothing.
    void addKey(const KeyValue& key);
    void removeKey(const KeyValue& key);
    bool hasKey(const KeyValue& key) const;
    bool isEmpty() const { return m_keys.isEmpty(); }

    // The fast raw-byte predicate where the key columns allow it, the field comparison otherwise.
    FilterFunc* createFilterFunc(QObject* parent) const override;
    QString text() const override;
    bool hasValue() const override { return !m_keys.isEmpty(); }
    QString value() const override;
    // Keys that do not parse are left out.
    void setValue(const QString& value) override;
    void clear() override { m_keys.clear(); }

    virtual KeyValue keyFromRecord(const Record& record) const;
    // "v1,v2": the key's fields as text.
    virtual QString keyToValue(const KeyValue& key) const;
    // An empty key when the text is not a key of the key columns.
    virtual KeyValue valueToKey(const QString& value) const;
    virtual QString keyToText(const KeyValue& key) const;
    virtual int compare(const KeyValue& a, const KeyValue& b) const;

private:
    Table& m_table;
    QList<int> m_keyColumns;
    QList<KeyValue> m_keys;
};
