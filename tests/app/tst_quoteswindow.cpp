#include "instruments/orderbookmodel.h"
#include "instruments/quoteswindow.h"
#include "marketfixture.h"

#include "core/db/masterindex.h"
#include "core/host/directories/securitydirectory.h"
#include "core/host/schema/hostschema.h"
#include "sim/embeddedexchange.h"
#include "sim/marketfeed.h"

#include <QAbstractItemModelTester>
#include <QRandomGenerator>
#include <QtTest>

#include <map>

namespace {

const SecurityKey Future { 1, SampleMarket::FuturesBoard, 400000 };
const QString Own = QStringLiteral("trader01");

struct Lots
{
    qint64 buy = 0;
    qint64 sell = 0;
    qint64 ownBuy = 0;
    qint64 ownSell = 0;
};

QString lots(qint64 n)
{
    return n ? QString::number(n) : QStringLiteral("-");
}

// The book from the exchange's resting orders, highest price first: "price buy sell own-buy own-sell" lines.
QString oracle(Table* orders, int decimals)
{
    std::map<double, Lots> book;
    for (const Record& o : *orders->masterIndex()) {
        const qint64 balance = o.data(QStringLiteral("balance")).toInteger64();
        if (o.data(QStringLiteral("sec_id")).toInteger64() != Future.sec
            || o.data(QStringLiteral("board_id")).toInteger() != Future.board
            || o.data(QStringLiteral("status")).toInteger() != HostSchema::StatusActive || balance <= 0)
            continue;
        Lots& level = book[o.data(QStringLiteral("price")).toDouble()];
        const bool buy = o.data(QStringLiteral("buysell")).toString() == QLatin1String("B");
        const bool own = o.data(QStringLiteral("login")).toString() == Own;
        (buy ? level.buy : level.sell) += balance;
        if (own)
            (buy ? level.ownBuy : level.ownSell) += balance;
    }
    QStringList lines;
    for (auto it = book.crbegin(); it != book.crend(); ++it)
        lines << QStringLiteral("%1 %2 %3 %4 %5")
                     .arg(it->first, 0, 'f', decimals)
                     .arg(lots(it->second.buy), lots(it->second.sell), lots(it->second.ownBuy),
                         lots(it->second.ownSell));
    return lines.join(QLatin1Char('\n'));
}

// The book as the window shows it, in the oracle's form.
QString shown(const QAbstractItemModel* book)
{
    QStringList lines;
    for (int row = 0; row < book->rowCount(); ++row) {
        auto cell = [&](int column) {
            const QString text = book->index(row, column).data().toString();
            return text.isEmpty() ? QStringLiteral("-") : text;
        };
        lines << QStringList { cell(OrderBookModel::Price), cell(OrderBookModel::Buy), cell(OrderBookModel::Sell),
            cell(OrderBookModel::OwnBuy), cell(OrderBookModel::OwnSell) }
                     .join(QLatin1Char(' '));
    }
    return lines.join(QLatin1Char('\n'));
}

} // namespace

class tst_QuotesWindow : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    // Given orders entered, changed, traded and withdrawn at random through the exchange while the feed moves the
    // market, the quotes window shows the instrument's resting orders by price, the trader's own apart.
    void showsTheRestingOrdersAfterRandomStreams()
    {
        MarketFixture market;
        EmbeddedExchange exchange(&market.core, market.core.sender());
        market.core.sender()->setLogin(Own);
        const quint32 seed = QRandomGenerator::global()->generate();
        QRandomGenerator rng(seed);
        MarketFeed feed(market.market, &market.core, seed);
        Table* orders = market.table(QStringLiteral("orders"));
        QuotesWindow window(orders, Future, Own);
        QAbstractItemModelTester tester(window.model(), QAbstractItemModelTester::FailureReportingMode::Fatal);
        const Record future = SecurityDirectory::i()->recordById(Future.stock, Future.board, Future.sec);
        const int decimals = future.data(QStringLiteral("decimals")).toInteger();
        const decimal settle = future.data(QStringLiteral("settle_price")).toDecimal();
        const decimal step = future.data(QStringLiteral("price_step")).toDecimal();
        const QStringList accounts = market.market.clientCodes();
        ITransactionSender* sender = market.core.transactions();
        auto send = [&](int kind, const Values& values) {
            exchange.execute(*sender->build(sender->description(1, kind), values));
        };
        auto price = [&] { return (settle + step * decimal(int(rng.bounded(11)) - 5, 0)).toString(); };
        QCOMPARE(shown(window.model()), oracle(orders, decimals));
        int deepest = 0;
        bool ownShown = false;

        for (int round = 0; round < 12; ++round) {
            for (int n = 0; n < 25; ++n) {
                const QString account = accounts.at(int(rng.bounded(accounts.size())));
                const int what = int(rng.bounded(10));
                Values order { { QStringLiteral("StockId"), 1 }, { QStringLiteral("BoardId"), Future.board },
                    { QStringLiteral("Security"), future.data(QStringLiteral("sec_code")).toString() },
                    { QStringLiteral("Account"), account } };
                if (what < 7) {
                    order.insert(QStringLiteral("Price"), price());
                    order.insert(QStringLiteral("Quantity"), 1 + rng.bounded(20));
                    order.insert(QStringLiteral("BuySell"), rng.bounded(2) ? "B" : "S");
                    if (rng.bounded(3) == 0)
                        order.insert(QStringLiteral("Login"), QStringLiteral("trader02"));
                    send(EmbeddedExchange::NewOrder, order);
                } else if (what < 9) {
                    for (const Record& o : *orders->masterIndex()) {
                        if (o.data(QStringLiteral("sec_id")).toInteger64() == Future.sec
                            && o.data(QStringLiteral("status")).toInteger() == HostSchema::StatusActive
                            && rng.bounded(4) == 0) {
                            order.insert(QStringLiteral("Account"), o.data(QStringLiteral("account")).toString());
                            order.insert(QStringLiteral("OrderId"), o.data(QStringLiteral("order_num")).toString());
                            order.insert(QStringLiteral("price1"), price());
                            order.insert(QStringLiteral("amount1"), 1 + rng.bounded(30));
                            send(EmbeddedExchange::ChangeOrder, order);
                            break;
                        }
                    }
                } else {
                    send(EmbeddedExchange::WithdrawAll,
                        { { QStringLiteral("Account"), account },
                            { QStringLiteral("BuySell"), rng.bounded(2) ? "B" : "" } });
                }
            }
            feed.step(300);
            QTRY_VERIFY2_WITH_TIMEOUT(shown(window.model()) == oracle(orders, decimals),
                qPrintable(QStringLiteral("seed %1, round %2:\n%3\nexpected:\n%4")
                               .arg(seed)
                               .arg(round)
                               .arg(shown(window.model()), oracle(orders, decimals))),
                2000);
            deepest = qMax(deepest, window.model()->rowCount());
            for (const OrderBookModel::Level& level : window.model()->levels())
                ownShown = ownShown || level.ownBuy || level.ownSell;
        }
        // The streams made a book worth comparing, with the trader's own lots in it.
        QVERIFY2(deepest >= 5 && ownShown, qPrintable(QStringLiteral("seed %1").arg(seed)));
    }
};

QTEST_MAIN(tst_QuotesWindow)
#include "tst_quoteswindow.moc"
