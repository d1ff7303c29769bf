#include "core/db/masterindex.h"
#include "events/tableeventalerts.h"
#include "manualclock.h"
#include "marketfixture.h"
#include "sim/generatorutil.h"
#include "sim/tradeledger.h"
#include "tradealerts.h"

#include <QtTest>

class tst_TradeAlerts : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void anOwnOrderClosesOnce()
    {
        MarketFixture market;
        ManualClock clock;
        market.core.sender()->setLogin(QStringLiteral("demo"));
        Table* orders = market.table(QStringLiteral("orders"));
        TradeLedger ledger(market.core.tables());
        const Record instrument = market.table(QStringLiteral("securities"))->masterIndex()->at(0);
        TradeLedger::Order order;
        order.key = GeneratorUtil::securityKeyOf(instrument);
        order.side = QLatin1Char('B');
        order.price = instrument.data(QStringLiteral("settle_price")).toDecimal();
        order.quantity = 1;
        order.account = orders->masterIndex()->at(0).data(QStringLiteral("account")).toString();
        order.login = QStringLiteral("demo");
        auto cancelled = [&] {
            const qint64 number = ledger.addOrder(order);
            ledger.commit();
            const Record placed = orders->findByKeyText(QString::number(number));
            ledger.cancel(placed);
            ledger.commit();
            return placed;
        };
        // Given an own order withdrawn before the window opened, and one withdrawn while it is open.
        const Record earlier = cancelled();
        QObject window;
        TableEventAlerts* alerts = TradeAlerts::create(orders, &window);
        alerts->visual().setEventType(VisualEvent::NotificationWindow);
        const int before = market.core.recentNotifications().size();
        const Record later = cancelled();
        QCoreApplication::processEvents();
        QCOMPARE(market.core.recentNotifications().size(), before + 1);
        QVERIFY(market.core.recentNotifications().last().endsWith(QStringLiteral("снята")));

        // When each is changed again on its own, without its old values (an edit in place, an undo): nothing.
        for (const Record& closed : { earlier, later }) {
            clock.advance(1);
            closed.updated();
            QCoreApplication::processEvents();
        }
        QCOMPARE(market.core.recentNotifications().size(), before + 1);
    }
};

QTEST_MAIN(tst_TradeAlerts)
#include "tst_tradealerts.moc"
