#include "core/db/record.h"

#include "core/db/private/recorddata_p.h"
#include "core/db/table.h"

const Record Record::null;

Record::Record(Table* table)
    : d(table ? RecordData::create(table, table->layout().rowBytes()) : nullptr)
{ }

Record::Record(Table* table, const QString& keyText)
{
    if (table)
        *this = table->findByKeyText(keyText);
}

Record::Record(const Record& other) noexcept
    : d(other.d)
{
    if (d)
        d->ref.ref();
}

Record& Record::operator=(const Record& other) noexcept
{
    if (other.d)
        other.d->ref.ref();
    RecordData::release(d);
    d = other.d;
    return *this;
}

Record::~Record()
{
    RecordData::release(d);
}

Table* Record::table() const
{
    return d ? d->table : nullptr;
}

Field Record::data(int column) const
{
    if (!table() || column < 0 || column >= d->table->columnCount())
        return Field();
    return Field(d, column);
}

Field Record::data(const QString& columnName) const
{
    return table() ? data(d->table->columnIndex(columnName)) : Field();
}

Record Record::clone() const
{
    Record copy;
    if (table()) {
        copy.d = d->clone(d->table->layout().rowBytes());
        copy.d->flags = 0;
    }
    return copy;
}

void Record::copy(const Record& other)
{
    if (!table() || !other.table() || d == other.d)
        return;
    if (other.d->table == d->table) {
        std::memcpy(d->raw(), other.d->raw(), std::size_t(d->table->layout().rowBytes()));
        return;
    }
    // A record of another table gives the values of the columns both tables name alike.
    for (int c = 0; c < d->table->columnCount(); ++c) {
        const Field source = other.data(d->table->columnName(c));
        if (source.isValid())
            data(c) = source;
    }
}

void Record::updated(int column) const
{
    if (table() && column >= 0 && column < d->table->columnCount())
        d->table->updated(*this, column, column);
}

void Record::updated() const
{
    if (table())
        d->table->updated(*this, -1, -1);
}

void Record::append()
{
    if (table())
        d->table->append(*this);
}

void Record::remove()
{
    if (table())
        d->table->remove(*this, -1);
}

bool Record::inTable() const
{
    return d && (d->flags & RecordData::InTable);
}

QString Record::toString() const
{
    return table() ? d->table->keyText(*this) : QString();
}

int Record::rawSize() const
{
    return table() ? d->table->layout().rowBytes() : 0;
}
