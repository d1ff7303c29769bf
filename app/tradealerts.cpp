#include "tradealerts.h"

#include "core/db/masterindex.h"
#include "core/db/table.h"
#include "core/host/directories/enumdirectories.h"
#include "core/host/directories/securitydirectory.h"
#include "core/host/icore.h"
#include "core/host/itransactionsender.h"
#include "core/host/schema/hostschema.h"
#include "core/host/tableregistry.h"
#include "events/tableeventalerts.h"

#include <QSet>

#include <memory>

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

// The own orders known closed. An order closes once, and a single change of it comes without its old status: a
// change closes an order when the order was not known closed before it.
class ClosedOwnOrders
{
public:
    ClosedOwnOrders(const Table* orders, int status)
        : m_status(status)
    {
        const MasterIndex* all = orders->masterIndex();
        for (int i = 0; i < all->count(); ++i)
            closes(all->at(i));
    }

    // Whether `order` is an own order, closed and not known closed until now.
    bool closes(const Record& order)
    {
        if (!closed(order.data(m_status).toInteger()) || !ownOrder(order))
            return false;
        const QString number = order.data(QStringLiteral("order_num")).toString();
        if (m_known.contains(number))
            return false;
        m_known.insert(number);
        return true;
    }

private:
    int m_status;
    QSet<QString> m_known;
};

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
    auto known = std::make_shared<ClosedOwnOrders>(table, status);
    // An order that comes closed is no change to tell, but it is known closed from then on.
    alerts->watchAdded([known](const Record& added) {
        known->closes(added);
        return false;
    });
    alerts->watchChanges({ status }, [known](const Record&, const Record& after) { return known->closes(after); });
    return alerts;
}

QString TradeAlerts::caption(const Table* table)
{
    return isDeals(table) ? tr("Оповещать визуально о своих новых сделках")
                          : tr("Оповещать визуально об исполнении и снятии своих заявок");
}
