#include "sim/embeddedexchange.h"

#include "core/db/masterindex.h"
#include "core/db/table.h"
#include "core/db/xdecimal.h"
#include "core/host/directories/accountdirectory.h"
#include "core/host/directories/basecontractsparamsdirectory.h"
#include "core/host/directories/kvcodenamedirectory.h"
#include "core/host/directories/securitydirectory.h"
#include "core/host/embedded/embeddedtransactionsender.h"
#include "core/host/icore.h"
#include "core/host/schema/hostschema.h"
#include "core/host/tableregistry.h"
#include "sim/generatorutil.h"
#include "sim/marketfeed.h"
#include "sim/tradeledger.h"

#include <QEvent>

namespace {

const QStringList orderOptions { QStringLiteral("SecurityId"), QStringLiteral("isin_id"), QStringLiteral("Partner"),
    QStringLiteral("DateExp"), QStringLiteral("Type"), QStringLiteral("Comment"), QStringLiteral("match_ref"),
    QStringLiteral("dont_check_money"), QStringLiteral("check_limit"), QStringLiteral("qrb_request"),
    QStringLiteral("disclose_const_amount"), QStringLiteral("variance_amount"), QStringLiteral("iceberg_amount"),
    QStringLiteral("Login") };

constexpr qint64 IcebergSign = HostSchema::OrderSignIceberg;

// The first of the named values that is there.
QVariant valueOf(const Values& values, std::initializer_list<const char*> names)
{
    for (const char* name : names) {
        const QVariant v = values.value(QString::fromLatin1(name));
        if (v.isValid() && !v.toString().isEmpty())
            return v;
    }
    return QVariant();
}

decimal field(const Record& r, const char* name)
{
    return r.data(QString::fromLatin1(name)).toDecimal();
}

// The initial margin of one contract of an instrument: its underlying's.
xdecimal marginOf(const Record& instrument)
{
    const Record base = BaseContractsParamsDirectory::i()->recordByBaseContractCode(
        instrument.data(QStringLiteral("base_code")).toString());
    return base.isNull() ? xdecimal::zero() : xdecimal(field(base, "initial_margin"));
}

} // namespace

EmbeddedExchange::EmbeddedExchange(ICore* core, EmbeddedTransactionSender* sender, QObject* parent)
    : QObject(parent)
    , m_core(core)
    , m_sender(sender)
{
    registerDescriptions();
    sender->setExecutor([this](const RawTransaction& t) { execute(t); });
    // The order forms show the transactions' names: they are told again in the language chosen.
    if (QCoreApplication* application = QCoreApplication::instance())
        application->installEventFilter(this);
}

void EmbeddedExchange::registerDescriptions()
{
    if (!m_sender)
        return;
    for (const TransactionDescription& d : descriptions())
        m_sender->registerDescription(d);
}

// The application hears of a new language before its windows do, so they read the names in it.
bool EmbeddedExchange::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::LanguageChange && watched == QCoreApplication::instance())
        registerDescriptions();
    return QObject::eventFilter(watched, event);
}

void EmbeddedExchange::setFeed(MarketFeed* feed)
{
    m_feed = feed;
}

QList<TransactionDescription> EmbeddedExchange::descriptions()
{
    const QStringList order { QStringLiteral("StockId"), QStringLiteral("BoardId"), QStringLiteral("Security"),
        QStringLiteral("Account"), QStringLiteral("Price"), QStringLiteral("Quantity"), QStringLiteral("BuySell") };
    QStringList request = order;
    request.removeAll(QStringLiteral("Price"));
    const QStringList change { QStringLiteral("StockId"), QStringLiteral("BoardId"), QStringLiteral("Security"),
        QStringLiteral("Account"), QStringLiteral("OrderId"), QStringLiteral("price1"), QStringLiteral("amount1") };
    const QStringList changeOptions { QStringLiteral("Mode"), QStringLiteral("Price"), QStringLiteral("order_id1"),
        QStringLiteral("check_limit"), QStringLiteral("qrb_request") };
    return { { 1, NewOrder, tr("Новая заявка"), order, orderOptions },
        { 1, ClearingRequest, tr("Поручение в клиринговый центр"), request,
            orderOptions + QStringList { QStringLiteral("Price") } },
        { 1, NewIceberg, tr("Новая айсберг-заявка"), order, orderOptions },
        { 1, ChangeOrder, tr("Изменение заявки"), change, changeOptions },
        { 1, ChangeIceberg, tr("Изменение айсберг-заявки"), change, changeOptions },
        { 1, WithdrawAll, tr("Снятие заявок"), { QStringLiteral("Account") }, { QStringLiteral("BuySell") } } };
}

bool EmbeddedExchange::execute(const RawTransaction& transaction)
{
    const Values& values = transaction.values();
    const MarketFeed::Hold held(m_feed);
    try {
        switch (transaction.description().kind) {
        case NewOrder:
            placeOrder(values, false, false);
            break;
        case NewIceberg:
            placeOrder(values, true, false);
            break;
        case ClearingRequest:
            placeOrder(values, false, true);
            break;
        case ChangeOrder:
        case ChangeIceberg:
            changeOrder(values);
            break;
        case WithdrawAll:
            withdrawAll(values);
            break;
        default:
            throw tr("Биржа не исполняет транзакции вида %1").arg(transaction.description().kind);
        }
    } catch (const QString& reason) {
        m_core->notify(refusal(transaction.description().kind).arg(reason));
        Q_EMIT rejected(transaction.id(), reason);
        return false;
    }
    Q_EMIT executed(transaction.id());
    return true;
}

QString EmbeddedExchange::refusal(int kind)
{
    switch (kind) {
    case NewOrder:
    case NewIceberg:
        return tr("Заявка отклонена биржей: %1");
    case ClearingRequest:
        return tr("Поручение отклонено биржей: %1");
    case ChangeOrder:
    case ChangeIceberg:
        return tr("Изменение заявки отклонено биржей: %1");
    case WithdrawAll:
        return tr("Снятие заявок отклонено биржей: %1");
    default:
        return tr("Транзакция отклонена биржей: %1");
    }
}

Record EmbeddedExchange::instrument(const Values& values) const
{
    const int stock = values.value(QStringLiteral("StockId")).toInt();
    const int board = values.value(QStringLiteral("BoardId")).toInt();
    const QString code = values.value(QStringLiteral("Security")).toString();
    const QVariant id = values.value(QStringLiteral("SecurityId"));
    const Record r = id.isValid() ? SecurityDirectory::i()->recordById(stock, board, id.toLongLong())
                                  : SecurityDirectory::i()->recordBySecCode(code, stock, board);
    if (r.isNull())
        throw tr("инструмент %1 не найден в режиме %2").arg(id.isValid() ? id.toString() : code).arg(board);
    return r;
}

void EmbeddedExchange::checkAccount(const QString& account) const
{
    if (KvInvestorDirectory::i()->nameByCode(account).isEmpty())
        throw tr("счёт %1 не найден").arg(account);
}

void EmbeddedExchange::checkPrice(const Record& instrument, const Values& values, const QString& text) const
{
    bool ok = false;
    const decimal price = decimal::fromString(text.trimmed(), &ok);
    if (!ok)
        throw tr("неверная цена \"%1\"").arg(text);
    // Option prices are held to their limits only when the order asks for it, as the order form offers.
    const int board = instrument.data(QStringLiteral("board_id")).toInteger();
    if ((board == OptionsBoard || board == NegotiatedBoard) && !values.value(QStringLiteral("check_limit")).toBool())
        return;
    const decimal low = field(instrument, "min_price");
    const decimal high = field(instrument, "max_price");
    if (price < low || price > high)
        throw tr("цена %1 вне лимитов от %2 до %3")
            .arg(price.toSystemString(), low.toSystemString(), high.toSystemString());
}

void EmbeddedExchange::checkMoney(
    const Values& values, const Record& instrument, const QString& account, qint64 quantity) const
{
    const QVariant unchecked = values.value(QStringLiteral("dont_check_money"));
    Table* limits = m_core->tables()->table(QStringLiteral("money_limits"));
    const Record limit
        = limits && unchecked.isValid() && !unchecked.toBool() ? limits->findByKeyText(account) : Record();
    if (limit.isNull())
        return;
    const xdecimal needed = marginOf(instrument) * xdecimal(decimal(quantity, 0));
    const xdecimal free = xdecimal(field(limit, "limit")) - xdecimal(field(limit, "used"));
    if (needed > free)
        throw tr("денежного лимита счёта %1 не хватает: заявке нужно %2, свободно %3")
            .arg(account, needed.toSystemString(), free.toSystemString());
}

void EmbeddedExchange::placeOrder(const Values& values, bool iceberg, bool clearing)
{
    const Record in = instrument(values);
    const QString account = values.value(QStringLiteral("Account")).toString();
    checkAccount(account);
    bool ok = false;
    const qint64 quantity = values.value(QStringLiteral("Quantity")).toString().toLongLong(&ok);
    if (!ok || quantity <= 0)
        throw tr("неверное количество \"%1\"").arg(values.value(QStringLiteral("Quantity")).toString());
    checkMoney(values, in, account, quantity);
    TradeLedger::Order order;
    order.key = GeneratorUtil::securityKeyOf(in);
    order.side = values.value(QStringLiteral("BuySell")).toString().startsWith(QLatin1Char('B')) ? QLatin1Char('B')
                                                                                                 : QLatin1Char('S');
    if (clearing) {
        order.price = field(in, "settle_price");
    } else {
        checkPrice(in, values, values.value(QStringLiteral("Price")).toString());
        order.price = decimal::fromString(values.value(QStringLiteral("Price")).toString().trimmed());
    }
    order.quantity = quantity;
    order.account = account;
    order.login = values.value(QStringLiteral("Login")).toString();
    order.comment = values.value(QStringLiteral("Comment")).toString();
    order.signs = iceberg ? IcebergSign : 0;
    order.session = in.data(QStringLiteral("sess_id")).toInteger();

    TradeLedger ledger(m_core->tables());
    const QList<TradeLedger::Fill> fills
        = clearing ? QList<TradeLedger::Fill>() : ledger.match(order.key, order.side, order.price, quantity);
    ledger.addOrder(order, fills);
    ledger.commit();
}

Record EmbeddedExchange::restingOrder(const Values& values) const
{
    const QVariant id = valueOf(values, { "OrderId", "order_id1" });
    const Record order(m_core->tables()->table(QStringLiteral("orders")), id.toString());
    if (order.isNull() || order.data(QStringLiteral("status")).toInteger() != HostSchema::StatusActive)
        throw tr("заявка %1 не найдена среди активных").arg(id.toString());
    return order;
}

void EmbeddedExchange::changeOrder(const Values& values)
{
    const Record order = restingOrder(values);
    const QString account = values.value(QStringLiteral("Account")).toString();
    if (order.data(QStringLiteral("account")).toString() != account)
        throw tr("заявка %1 выставлена не со счёта %2")
            .arg(order.data(QStringLiteral("order_num")).toString(), account);
    const Record in = instrument(values);
    const QString priceText = valueOf(values, { "price1", "Price" }).toString();
    checkPrice(in, values, priceText);
    bool ok = false;
    const qint64 quantity = valueOf(values, { "amount1", "Quantity" }).toString().toLongLong(&ok);
    if (!ok || quantity <= 0)
        throw tr("неверное количество \"%1\"").arg(valueOf(values, { "amount1", "Quantity" }).toString());
    // At a crossing price it trades first, as a new order would, and rests with what is left.
    TradeLedger ledger(m_core->tables());
    const decimal price = decimal::fromString(priceText.trimmed());
    const qint64 left = quantity - order.data(QStringLiteral("quantity")).toInteger64()
        + order.data(QStringLiteral("balance")).toInteger64();
    const QList<TradeLedger::Fill> fills = left > 0
        ? ledger.match(GeneratorUtil::securityKeyOf(order), order.data(QStringLiteral("buysell")).toChar(), price, left)
        : QList<TradeLedger::Fill>();
    ledger.change(order, price, quantity, fills);
    ledger.commit();
}

void EmbeddedExchange::withdrawAll(const Values& values)
{
    const QString account = values.value(QStringLiteral("Account")).toString();
    if (account.size() != 4 && account.size() != 7)
        throw tr("Код брокера (и клиента) должен быть длиной или %1, или %2 символов!").arg(4).arg(7);
    const bool firm = account.size() == 4;
    if (firm ? !AccountDirectory::i()->isKnown(account) : KvInvestorDirectory::i()->nameByCode(account).isEmpty())
        throw firm ? tr("фирма %1 не найдена").arg(account) : tr("счёт %1 не найден").arg(account);
    const QString side = values.value(QStringLiteral("BuySell")).toString();
    TradeLedger ledger(m_core->tables());
    int withdrawn = 0;
    for (const Record& r : *ledger.orders()->masterIndex()) {
        if (r.data(QStringLiteral("status")).toInteger() != HostSchema::StatusActive
            || !r.data(QStringLiteral("account")).toString().startsWith(account))
            continue;
        const QChar orderSide = r.data(QStringLiteral("buysell")).toChar();
        if ((side == QLatin1String("B") || side == QLatin1String("S")) && orderSide != side.at(0))
            continue;
        if (side == QLatin1String("L")) {
            const Record in = SecurityDirectory::i()->recordById(r.data(QStringLiteral("stock_id")).toInteger(),
                r.data(QStringLiteral("board_id")).toInteger(), r.data(QStringLiteral("sec_id")).toInteger64());
            const decimal price = field(r, "price");
            if (!in.isNull() && price >= field(in, "min_price") && price <= field(in, "max_price"))
                continue;
        }
        ledger.cancel(r);
        ++withdrawn;
    }
    ledger.commit();
    m_core->notify(firm ? tr("Снято заявок брокерской фирмы %1: %2").arg(account).arg(withdrawn)
                        : tr("Снято заявок по счёту %1: %2").arg(account).arg(withdrawn));
}
