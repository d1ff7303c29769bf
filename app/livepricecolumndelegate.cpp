#include "livepricecolumndelegate.h"

#include "columns/itemroles.h"
#include "core/db/datetime.h"
#include "core/host/schema/hostschema.h"

LivePriceColumnDelegate::LivePriceColumnDelegate(
    ItemModelWithDelegates* model, const char* timeField, const char* directionField)
    : PriceColumnDelegate(model)
    , m_timeColumn(fieldIndex(model, timeField))
    , m_directionColumn(fieldIndex(model, directionField))
{ }

bool LivePriceColumnDelegate::data(const Field& field, const Record& record, int role, QVariant& value) const
{
    if (role == ChangeTimeRole) {
        const Field time = record.data(m_timeColumn);
        if (time.isNull())
            return false;
        value = QVariant::fromValue(time.toDatetime());
        return true;
    }
    if (role == ChangeDirectionRole) {
        const int direction = record.data(m_directionColumn).toInteger();
        value = direction == HostSchema::PriceUp ? 1 : direction == HostSchema::PriceDown ? -1 : 0;
        return true;
    }
    return PriceColumnDelegate::data(field, record, role, value);
}
