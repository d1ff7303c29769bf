#include "core/host/filters/keyfilterfunc.h"

#include "core/db/table.h"

KeyFilterFunc::KeyFilterFunc(Table* table, const QList<KeyValue>& keys, const QList<int>& columns, QObject* parent)
    : FilterFunc(parent)
    , m_keys(keys)
    , m_columns(columns)
{
    Q_UNUSED(table)
    std::sort(m_keys.begin(), m_keys.end());
}

bool KeyFilterFunc::filter(const Record& record) const
{
    if (record.isNull() || m_keys.isEmpty())
        return false;
    // Binary search over the sorted keys, comparing the record's fields in place.
    auto compareTo = [&](const KeyValue& key) {
        for (int i = 0; i < m_columns.size() && i < key.size(); ++i) {
            const int c = record.data(m_columns.at(i)).compare(key.at(i));
            if (c != 0)
                return c;
        }
        return 0;
    };
    int lo = 0;
    int hi = m_keys.size();
    while (lo < hi) {
        const int mid = (lo + hi) / 2;
        const int c = compareTo(m_keys.at(mid));
        if (c == 0)
            return true;
        if (c > 0)
            lo = mid + 1;
        else
            hi = mid;
    }
    return false;
}

QString KeyFilterFunc::toString() const
{
    QStringList keys;
    for (const KeyValue& k : m_keys)
        keys << k.toString();
    return QStringLiteral("KeyFilterFunc[%1]").arg(keys.join(QLatin1Char('|')));
}
