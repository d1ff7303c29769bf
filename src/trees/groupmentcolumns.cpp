#include "trees/groupmentcolumns.h"

#include "core/db/table.h"
#include "trees/private/groupmentcolumns_p.h"

GroupmentColumn::GroupmentColumn(int column)
    : Groupment(*new GroupmentColumnPrivate, QStringLiteral("GroupmentColumn"))
{
    Q_D(GroupmentColumn);
    d->column = column;
}

int GroupmentColumn::column() const
{
    Q_D(const GroupmentColumn);
    return d->column;
}

GroupmentColumn::GroupmentColumn(const QString& column, Table* table)
    : GroupmentColumn(table ? table->columnIndex(column) : -1)
{ }

QString GroupmentColumn::groupKey(const Record& record) const
{
    Q_D(const GroupmentColumn);
    return d->column < 0 || record.isNull() ? QString() : record.data(d->column).toString();
}

GroupmentColumns::GroupmentColumns(const QList<int>& columns)
    : Groupment(*new GroupmentColumnsPrivate, QStringLiteral("GroupmentColumns"))
{
    Q_D(GroupmentColumns);
    d->columns = columns;
}

GroupmentColumns::GroupmentColumns(const QStringList& columns, Table* table)
    : Groupment(*new GroupmentColumnsPrivate, QStringLiteral("GroupmentColumns"))
{
    Q_D(GroupmentColumns);
    for (const QString& name : columns)
        d->columns << (table ? table->columnIndex(name) : -1);
}

QString GroupmentColumns::groupKey(const Record& record) const
{
    Q_D(const GroupmentColumns);
    return joinedFields(record, d->columns);
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

int GroupmentColumns::keyParts() const
{
    Q_D(const GroupmentColumns);
    return d->columns.size();
}
