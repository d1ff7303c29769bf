#include "columns/catalogue/standardcolumndelegates.h"

#include "columns/catalogue/enumcolumndelegates.h"
#include "columns/catalogue/marketcolumndelegates.h"
#include "columns/catalogue/private/codetextdelegates.h"
#include "columns/catalogue/private/datecolumndelegates.h"
#include "columns/catalogue/private/numbercolumndelegates.h"
#include "columns/catalogue/securitycolumndelegates.h"
#include "columns/catalogue/valuecolumndelegates.h"

#include <functional>

namespace {

// The money value is a computed column of its own ("value", "Объём, руб."), right of the field it follows. Its
// title is a source text, translated as shown, as the tables' titles are.
void addValueColumn(ItemModelWithDelegates* model, const char* after, const std::function<ColumnModelDelegate*()>& make)
{
    const int field = model->columnIndex(QString::fromLatin1(after));
    if (field < 0 || model->columnIndex(QStringLiteral("value")) >= 0)
        return;
    model->insertColumnDelegate(field + 1, make(), -1, 0, QStringLiteral("value"),
        QString::fromUtf8(QT_TRANSLATE_NOOP("HostSchema", "Объём, руб.")), QString());
}

} // namespace

void StandardColumnDelegates::install(ItemModelWithDelegates* model, const QString& tableName)
{
    // Only fields the model has get a delegate.
    auto put = [model](const char* field, const std::function<ColumnModelDelegate*()>& make,
                   const QString& title = QString()) {
        const int column = model->columnIndex(QString::fromLatin1(field));
        if (column >= 0)
            model->setColumnDelegate(column, make(), title);
    };
    const bool instruments = tableName == QLatin1String("securities");
    put("stock_id", [model] { return new StockColumnDelegate(model); });
    put("board_id", [model] { return new BoardColumnDelegate(model); });
    if (instruments) {
        put("sectype", [model] { return new SecTypeColumnDelegate(model); });
        put("state", [model] { return new SecStateColumnDelegate(model); });
        put("main_board_id", [model] { return new BaseBoardColumnDelegate(model); });
        put("main_sec_id", [model] { return new MainSecurityColumnDelegate(model); });
        put("opt_type", [model] { return new OptionTypeColumnDelegate(model); });
        put("option_calc", [model] { return new OptionCalcColumnDelegate(model); });
        put("price_dir", [model] { return new PriceDirectionColumnDelegate(model); });
        put("expdate", [model] { return new DateColumnDelegate(model); });
        for (const char* price :
            { "strike", "price_step", "min_price", "max_price", "settle_price", "bid", "offer", "last" })
            put(price, [model] { return new PriceColumnDelegate(model); });
    } else {
        put("sec_id", [model] { return new SecurityColumnDelegate(model); });
        put("price", [model] { return new PriceColumnDelegate(model); });
        put("avg_price", [model] { return new PriceColumnDelegate(model); });
    }
    put("sess_id", [model] { return new SessionColumnDelegate(model); });
    put("buysell", [model] { return new BuySellColumnDelegate(model); });
    if (tableName == QLatin1String("orders")) {
        put("order_num", [model] { return new OrderColumnDelegate(model); });
        put("status", [model] { return new StatusColumnDelegate(model); });
        put("signs", [model] { return new SignsOrderDelegate(model); });
        addValueColumn(model, "quantity", [model] { return new ValueColumnDelegate(model); });
    } else if (tableName == QLatin1String("deals")) {
        put("deal_num", [model] { return new DealColumnDelegate(model); });
        put("order_num", [model] { return new OrderColumnDelegate(model); });
        put("signs", [model] { return new DealSignDelegate(model); });
        addValueColumn(model, "lotsize", [model] { return new All_DealsValueColumnDelegate(model); });
    }
}
