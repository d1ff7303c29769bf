#include "tradealerts.h"

#include "core/db/table.h"
#include "core/host/directories/enumdirectories.h"
#include "core/host/directories/securitydirectory.h"
#include "core/host/icore.h"
#include "core/host/itransactionsender.h"
#include "core/host/schema/hostschema.h"
#include "core/host/tableregistry.h"
#include "events/tableeventalerts.h"

namespace {

bool isDeals(const Table* table)
{
    return table->name() == QLatin1String("deals");
}

QString login()
{
    const ICore* core = ICore::instance();
    return core && core->transactions() ? core->transactions()->login() : QString();
}

bool ownOrder(const Record& order)
{
    const QString own = login();
    return !order.isNull() && !own.isEmpty() && order.data(QStringLiteral("login")).toString() == own;
}

bool ownDeal(const Record& deal)
{
    const ICore* core = ICore::instance();
    Table* orders = core ? core->tables()->table(QStringLiteral("orders")) : nullptr;
    return orders && ownOrder(orders->findByKeyText(deal.data(QStringLiteral("order_num")).toString()));
}

QString securityCode(const Record& r)
{
    return SecurityDirectory::i()->codeById(r.data(QStringLiteral("stock_id")).toInteger(),
        r.data(QStringLiteral("board_id")).toInteger(), r.data(QStringLiteral("sec_id")).toInteger64());
}

bool closed(int status)
{
    return status == HostSchema::StatusFilled || status == HostSchema::StatusCancelled;
}

} // namespace

TableEventAlerts* TradeAlerts::create(Table* table, QObject* parent)
{
    if (isDeals(table)) {
        auto* alerts = new TableEventAlerts(
            table,
            [](const Record& deal) {
                return tr("Сделка %1: %2 %3, %4 по %5")
                    .arg(deal.data(QStringLiteral("deal_num")).toString(),
                        BuySellDirectory::i()->nameById(deal.data(QStringLiteral("buysell")).toChar()),
                        securityCode(deal), deal.data(QStringLiteral("quantity")).toString(),
                        deal.data(QStringLiteral("price")).toString());
            },
            parent);
        alerts->watchAdded(ownDeal);
        return alerts;
    }
    if (table->name() != QLatin1String("orders"))
        return nullptr;
    const int status = table->columnIndex(QStringLiteral("status"));
    auto* alerts = new TableEventAlerts(
        table,
        [status](const Record& order) {
            const QString number = order.data(QStringLiteral("order_num")).toString();
            return order.data(status).toInteger() == HostSchema::StatusFilled
                ? tr("Заявка %1 (%2) исполнена").arg(number, securityCode(order))
                : tr("Заявка %1 (%2) снята").arg(number, securityCode(order));
        },
        parent);
    // A single change comes without the old values: a closed order whose status was written counts.
    alerts->watchChanges({ status }, [status](const Record& before, const Record& after) {
        const int now = after.data(status).toInteger();
        return closed(now) && (before.isNull() || before.data(status).toInteger() != now) && ownOrder(after);
    });
    return alerts;
}

QString TradeAlerts::caption(const Table* table)
{
    return isDeals(table) ? tr("Оповещать визуально о своих новых сделках")
                          : tr("Оповещать визуально об исполнении и снятии своих заявок");
}
