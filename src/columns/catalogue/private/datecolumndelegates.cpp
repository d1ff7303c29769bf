#include "columns/catalogue/private/datecolumndelegates.h"

#include <QDateTime>

namespace {

const ColumnHeaderInfo visibleHeader {};

template<typename T>
int compareValues(const T& a, const T& b)
{
    return a < b ? -1 : (b < a ? 1 : 0);
}

} // namespace

DateColumnDelegate::DateColumnDelegate(ItemModelWithDelegates* model)
    : CatalogueDelegate(visibleHeader, FieldType::DateTime, model, QVariant::Date)
{ }

bool DateColumnDelegate::data(const Field& field, const Record&, int role, QVariant& value) const
{
    if (role != Qt::DisplayRole || field.isNull())
        return false;
    value = field.toQDate();
    return true;
}

bool DateColumnDelegate::compare(const Field& f1, const Record&, const Field& f2, const Record&, int& result) const
{
    result = compareValues(f1.toQDate(), f2.toQDate());
    return true;
}

TimeColumnDelegate::TimeColumnDelegate(ItemModelWithDelegates* model)
    : CatalogueDelegate(visibleHeader, FieldType::DateTime, model, QVariant::Time)
{ }

bool TimeColumnDelegate::data(const Field& field, const Record&, int role, QVariant& value) const
{
    if (role != Qt::DisplayRole)
        return false;
    value = field.toQTime();
    return true;
}

bool TimeColumnDelegate::compare(const Field& f1, const Record&, const Field& f2, const Record&, int& result) const
{
    result = compareValues(f1.toQTime(), f2.toQTime());
    return true;
}

SessionTimeDelegate::SessionTimeDelegate(ItemModelWithDelegates* model, qint64 mask)
    : CatalogueDelegate(visibleHeader, FieldType::DateTime, model, QVariant::DateTime)
    , m_mask(mask)
    , m_signsColumn(fieldIndex(model, "signs"))
{ }

bool SessionTimeDelegate::data(const Field& field, const Record& record, int role, QVariant& value) const
{
    if (role != Qt::DisplayRole)
        return false;
    if (!field.isNull() && (record.data(m_signsColumn).rawInt64() & m_mask) != 0)
        value = field.toQDateTime();
    else
        value.clear();
    return true;
}
