#pragma once

#include "trees/groupment.h"

#include <QStringList>

class Table;

// A level of plain groups named by the value of one column of the grouped table.
class BASIC_VIEWS_EXPORT GroupmentColumn : public Groupment
{
public:
    explicit GroupmentColumn(int column);
    // A column the table does not have gives every record the empty key.
    GroupmentColumn(const QString& column, Table* table);

    // The field as text.
    QString groupKey(const Record& record) const override;
    int column() const { return m_column; }

private:
    int m_column;
};

// A level of plain groups named by the values of several columns.
class BASIC_VIEWS_EXPORT GroupmentColumns : public Groupment
{
public:
    explicit GroupmentColumns(const QList<int>& columns);
    GroupmentColumns(const QStringList& columns, Table* table);

    // The fields' texts joined with ",".
    QString groupKey(const Record& record) const override;
    int keyParts() const override { return m_columns.size(); }
    // The texts of fields `columns` joined with ","; a column of -1 counts as an empty text.
    static QString joinedFields(const Record& record, const QList<int>& columns);

private:
    QList<int> m_columns;
};
