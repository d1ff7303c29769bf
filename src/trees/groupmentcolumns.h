#pragma once

#include "trees/groupment.h"

#include <QStringList>

class GroupmentColumnPrivate;
class GroupmentColumnsPrivate;
class Table;

// A level of plain groups named by the value of one column of the grouped table.
class BASIC_VIEWS_EXPORT GroupmentColumn : public Groupment
{
    Q_DECLARE_PRIVATE(GroupmentColumn)
public:
    explicit GroupmentColumn(int column);
    // A column the table does not have gives every record the empty key.
    GroupmentColumn(const QString& column, Table* table);

    // The field as text.
    QString groupKey(const Record& record) const override;
    int column() const;
};

// A level of plain groups named by the values of several columns.
class BASIC_VIEWS_EXPORT GroupmentColumns : public Groupment
{
    Q_DECLARE_PRIVATE(GroupmentColumns)
public:
    explicit GroupmentColumns(const QList<int>& columns);
    GroupmentColumns(const QStringList& columns, Table* table);

    // The fields' texts joined with ",".
    QString groupKey(const Record& record) const override;
    int keyParts() const override;
    // The texts of fields `columns` joined with ","; a column of -1 counts as an empty text.
    static QString joinedFields(const Record& record, const QList<int>& columns);
};
