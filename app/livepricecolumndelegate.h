#pragma once

#include "columns/catalogue/valuecolumndelegates.h"

// A live price of an instrument, shown as PriceColumnDelegate shows it, that also tells the price cells'
// painter when and which way this price last moved (the last price by "change_time" and "price_dir", a quote by
// its own time and direction fields), so that each price flashes by its own change.
class LivePriceColumnDelegate : public PriceColumnDelegate
{
public:
    LivePriceColumnDelegate(ItemModelWithDelegates* model, const char* timeField, const char* directionField);
    bool data(const Field& field, const Record& record, int role, QVariant& value) const override;

private:
    int m_timeColumn;
    int m_directionColumn;
};
