#include "trees/groupmentcolumns.h"

#include "core/db/table.h"

GroupmentColumn::GroupmentColumn(int column)
    : Groupment(QStringLiteral("GroupmentColumn"))
    , m_column(column)
{ }

GroupmentColumn::GroupmentColumn(const QString& column, Table* table)
    : GroupmentColumn(table ? table->columnIndex(column) : -1)
{ }

QString GroupmentColumn::groupKey(const Record& record) const
{
    return m_column < 0 || record.isNull() ? QString() : record.data(m_column).toString();
}

GroupmentColumns::GroupmentColumns(const QList<int>& columns)
    : Groupment(QStringLiteral("GroupmentColumns"))
    , m_columns(columns)
{ }

GroupmentColumns::GroupmentColumns(const QStringList& columns, Table* table)
    : Groupment(QStringLiteral("GroupmentColumns"))
{
    for (const QString& name : columns)
        m_columns << (table ? table->columnIndex(name) : -1);
}

QString GroupmentColumns::groupKey(const Record& record) const
{
    return joinedFields(record, m_columns);
}

QString GroupmentColumns::joinedFields(const Record& record, const QList<int>& columns)
{
    QString key;
    for (int i = 0; i < columns.size(); ++i) {
        if (i > 0)
            key += QLatin1Char(',');
        if (columns.at(i) >= 0 && !record.isNull())
            key += record.data(columns.at(i)).toString();
    }
    return key;
}
