#include "filters/catalogue/standardfilters.h"

#include "core/db/table.h"
#include "filters/catalogue/directoryfilters.h"
#include "filters/catalogue/keyfilters.h"
#include "filters/catalogue/maskfilters.h"
#include "filters/catalogue/plainfilters.h"

QList<Filter*> StandardFilters::create(Table& table, QObject* parent)
{
    const QString name = table.name();
    const bool orders = name == QLatin1String("orders");
    const bool deals = name == QLatin1String("deals");
    const bool positions = name == QLatin1String("positions");
    QList<Filter*> filters;
    if (orders || deals || positions) {
        filters << new AccountFilter(table, parent) << new BoardFilter(table, parent)
                << new SecurityFilter(table, "sec_id", -1, parent);
    }
    if (orders || deals) {
        filters << new BuySellFilter(table, parent);
        if (orders)
            filters << new StatusFilter(table, parent);
        filters << new SessionFilter(table, parent) << new DateFilter(table, parent)
                << new QuantityFilter(table, parent);
        if (orders)
            filters << new SignsOrderFilter(table, parent) << new LoginFilter(table, parent);
        else
            filters << new DealsTypeFilter(table, parent);
    }
    if (name == QLatin1String("money_limits"))
        filters << new AccountFilter(table, parent);
    if (name == QLatin1String("securities")) {
        filters << new BoardFilter(table, parent) << new SecTypeFilter(table, parent)
                << new SecStateFilter(table, parent) << new SecNameFilter(table, -1, parent)
                << new ExpDateFilter(table, -1, parent)
                << new GroupMaskFilter(table, table.columnIndex(QStringLiteral("signs")), parent);
    }
    return filters;
}
