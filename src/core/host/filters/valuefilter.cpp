#include "core/host/filters/valuefilter.h"

#include "core/db/guilog.h"
#include "core/db/table.h"
#include "core/host/filters/keyfilterfunc.h"
#include "core/host/filters/keyfilterfunc_fast.h"

ValueFilter::ValueFilter(Table& table, int column, QObject* parent)
    : ValueFilter(table, column, { column }, -1, parent)
{ }

ValueFilter::ValueFilter(Table& table, int column, const QList<int>& keyColumns, int modelColumn, QObject* parent)
    : Filter(column, modelColumn, parent)
    , m_table(table)
    , m_keyColumns(keyColumns)
{ }

void ValueFilter::addKey(const KeyValue& key)
{
    if (!key.isEmpty() && !hasKey(key))
        m_keys << key;
}

void ValueFilter::removeKey(const KeyValue& key)
{
    for (int i = m_keys.size() - 1; i >= 0; --i) {
        if (compare(m_keys.at(i), key) == 0)
            m_keys.removeAt(i);
    }
}

bool ValueFilter::hasKey(const KeyValue& key) const
{
    for (const KeyValue& k : m_keys) {
        if (compare(k, key) == 0)
            return true;
    }
    return false;
}

FilterFunc* ValueFilter::createFilterFunc(QObject* parent) const
{
    try {
        return new KeyFilterFunc_Fast(&m_table, m_keys, m_keyColumns, parent);
    } catch (const QString& reason) {
        qCDebug(QGuiLog).noquote() << name() << reason;
        return new KeyFilterFunc(&m_table, m_keys, m_keyColumns, parent);
    }
}

QString ValueFilter::text() const
{
    QStringList texts;
    for (const KeyValue& k : m_keys)
        texts << keyToText(k);
    return texts.join(QStringLiteral(", "));
}

QString ValueFilter::value() const
{
    QStringList values;
    for (const KeyValue& k : m_keys)
        values << keyToValue(k);
    return values.join(QLatin1Char('|'));
}

void ValueFilter::setValue(const QString& value)
{
    m_keys.clear();
    for (const QString& part : value.split(QLatin1Char('|'), Qt::SkipEmptyParts))
        addKey(valueToKey(part));
}

KeyValue ValueFilter::keyFromRecord(const Record& record) const
{
    return KeyValue::fromRecord(record, m_keyColumns);
}

QString ValueFilter::keyToValue(const KeyValue& key) const
{
    return key.toString();
}

KeyValue ValueFilter::valueToKey(const QString& value) const
{
    const QStringList parts = value.split(QLatin1Char(','));
    if (parts.size() != m_keyColumns.size())
        return KeyValue();
    KeyValue key;
    try {
        for (int i = 0; i < parts.size(); ++i) {
            const ColumnDef def = m_table.columnDef(m_keyColumns.at(i));
            FieldValue v(def.type, def.length);
            v = parts.at(i);
            if (v.isNull())
                return KeyValue();
            key << v;
        }
    } catch (const QString&) {
        return KeyValue(); // a garbled value names no key
    }
    return key;
}

QString ValueFilter::keyToText(const KeyValue& key) const
{
    return key.toString();
}

int ValueFilter::compare(const KeyValue& a, const KeyValue& b) const
{
    return a.compare(b);
}
