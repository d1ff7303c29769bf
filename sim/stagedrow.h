#pragma once

#include "core/db/recordupdater.h"

// A new row of a table staged in a transaction, written by column name.
class StagedRow
{
public:
    StagedRow(Table* table, RecordsTrans& trans)
        : m_updater(Record(table), trans)
    { }
    StagedRow& set(const char* column, const FieldInput& value)
    {
        m_updater.data(QString::fromLatin1(column)) = value;
        return *this;
    }

private:
    RecordUpdater m_updater;
};
