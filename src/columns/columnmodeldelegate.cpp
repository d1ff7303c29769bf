#include "columns/columnmodeldelegate.h"

#include "core/db/table.h"

ColumnModelDelegate::ColumnModelDelegate(QObject* parent)
    : QObject(parent)
{ }

bool ColumnModelDelegate::headerData(int, QVariant&) const
{
    return false;
}

bool ColumnModelDelegate::compare(
    const Field& f1, const Record& r1, const Field& f2, const Record& r2, int& result, int) const
{
    return compare(f1, r1, f2, r2, result);
}

bool ColumnModelDelegate::compare(const Field&, const Record&, const Field&, const Record&, int&) const
{
    return false;
}

bool ColumnModelDelegate::sortsEmptyLast() const
{
    return false;
}

bool ColumnModelDelegate::comparesRawFields() const
{
    return false;
}

Field ColumnModelDelegate::emptyField(FieldType::Type type)
{
    // One empty row with a column of each type, made once and only read afterwards.
    static const struct Empty
    {
        Empty()
        {
            QList<ColumnDef> columns;
            for (int t = FieldType::Int32; t <= FieldType::Char; ++t)
                columns << ColumnDef(FieldType::Type(t), 1, QStringLiteral("empty%1").arg(t));
            table = new Table(QStringLiteral("empty"), columns, {});
            row = Record(table);
        }
        Table* table; // lives as long as the process
        Record row;
    } empty;
    return FieldType::isValid(type) ? empty.row.data(int(type) - 1) : Field();
}
