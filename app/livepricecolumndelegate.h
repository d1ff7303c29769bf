#pragma once

#include "delegates/catalogue/valuecolumndelegates.h"

// A live price of an instrument, shown as PriceColumnDelegate shows it, that also tells the price cells'
// painter when and which way the instrument's price last moved ("change_time", "price_dir"), so it flashes.
class LivePriceColumnDelegate : public PriceColumnDelegate
{
public:
    explicit LivePriceColumnDelegate(ItemModelWithDelegates* model);
    bool data(const Field& field, const Record& record, int role, QVariant& value) const override;

private:
    int m_timeColumn;
    int m_directionColumn;
};
