#include "liveprices.h"

#include "columns/itemmodelwithdelegates.h"
#include "delegates/itemdelegateupdown.h"
#include "livepricecolumndelegate.h"
#include "views/qtablefastview.h"

void LivePrices::install(ItemModelWithDelegates* model, QTableFastView* view)
{
    auto* flash = new ItemDelegateUpDown(ViewsColorManager::Securities, view);
    flash->setBacklight(true);
    struct Live
    {
        const char* price;
        const char* time;
        const char* direction;
    };
    for (const Live& live : { Live { "bid", "bid_time", "bid_dir" }, Live { "offer", "offer_time", "offer_dir" },
             Live { "last", "change_time", "price_dir" } }) {
        const int column = model->columnIndex(QString::fromLatin1(live.price));
        model->setColumnDelegate(column, new LivePriceColumnDelegate(model, live.time, live.direction));
        view->setItemDelegateForColumn(column, flash);
    }
}
