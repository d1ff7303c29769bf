#pragma once

#include "core/db/fieldreaders.h"

class Table;
struct RecordData;

// One cell of a row: a reference into the row's storage, valid while a handle to the record lives.
// Assignment writes the value into the row (converted to the column's type); a value that does not fit throws a
// QString and leaves the cell unchanged. A field of an unknown column reads as empty and refuses writes.
// Writing does not notify the table: call Record::updated() afterwards, or write through a RecordsTrans.
class BV_DB_EXPORT Field : public FieldReaders<Field>
{
    Q_DECLARE_TR_FUNCTIONS(Field)
public:
    Field() = default;
    Field(RecordData* row, int column);
    Field(const Field& other) = default;

    bool isValid() const { return m_row && m_column >= 0; }
    int column() const { return m_column; }
    Table* table() const;
    QString name() const;

    Field& operator=(const Field& other) { return assign(FieldInput(other.fieldSlot())); }
    Field& operator=(const FieldInput& value) { return assign(value); }
    void clear();

    FieldSlot fieldSlot() const;

private:
    Field& assign(const FieldInput& value);

    RecordData* m_row = nullptr; // not owned
    int m_column = -1;
};
