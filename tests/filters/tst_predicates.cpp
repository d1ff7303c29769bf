#include "core/db/masterindex.h"
#include "core/host/filters/lambdafilterfunc.h"
#include "filters/balancefilterfunc.h"
#include "filters/listfilterfunc.h"
#include "filters/nofilterfunc.h"
#include "filters/private/basecodebysecfilterfunc.h"
#include "filters/private/datefilterfunc.h"
#include "filters/private/sessionfilterfunc.h"
#include "filters/private/techdealsfilterfunc.h"
#include "marketfixture.h"
#include "models/parallelmap.h"
#include "recordlistmodel.h"

#include <QtTest>

#include <memory>

class tst_Predicates : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<MarketFixture> m_market;
    Table* orders() const { return m_market->table(QStringLiteral("orders")); }
    Table* deals() const { return m_market->table(QStringLiteral("deals")); }
    int col(Table* t, const char* name) const { return t->columnIndex(QString::fromLatin1(name)); }

private Q_SLOTS:
    void init() { m_market = std::make_unique<MarketFixture>(); }
    void cleanup() { m_market.reset(); }
    void balanceWithoutQuantityPassesTheEmptySet()
    {
        const std::unique_ptr<FilterFunc> f(
            BalanceFilterFunc::create(0, col(orders(), "balance"), col(orders(), "quantity"), nullptr));
        Record r(orders());
        QVERIFY(f->filter(r));
    }

    void technicalDeals_data()
    {
        QTest::addColumn<qint64>("signs");
        QTest::addColumn<int>("board");
        QTest::addColumn<bool>("technical");
        QTest::newRow("execution") << qint64(1) << 14 << false;
        QTest::newRow("bit 5") << qint64(0x20) << 14 << true;
        QTest::newRow("bit 27 on board 10") << (qint64(1) << 27) << 10 << false;
        QTest::newRow("bit 27 on board 11") << (qint64(1) << 27) << 11 << false;
        QTest::newRow("bit 27 on board 12") << (qint64(1) << 27) << 12 << true;
        QTest::newRow("bit 27 and bit 5 on board 10") << ((qint64(1) << 27) | 0x20) << 10 << true;
    }
    void technicalDeals()
    {
        QFETCH(qint64, signs);
        QFETCH(int, board);
        QFETCH(bool, technical);
        Record deal(deals());
        deal.data(QStringLiteral("signs")) = signs;
        deal.data(QStringLiteral("stock_id")) = 1;
        deal.data(QStringLiteral("board_id")) = board;
        const int s = col(deals(), "signs");
        const int st = col(deals(), "stock_id");
        const int b = col(deals(), "board_id");
        QCOMPARE(TechDealsFilterFunc(s, st, b, TechDealsFilterFunc::TechnicalOnly).filter(deal), technical);
        QCOMPARE(TechDealsFilterFunc(s, st, b, TechDealsFilterFunc::NonTechnicalOnly).filter(deal), !technical);
        QVERIFY(TechDealsFilterFunc(s, st, b, TechDealsFilterFunc::All).filter(deal));
        QVERIFY(TechDealsFilterFunc(s, st, b, 7).filter(deal));
    }

    void datesQuantitiesAndUnderlyings()
    {
        const int moment = col(orders(), "moment");
        const datetime from = datetime::fromQDateTime(QDateTime(QDate(2026, 12, 7), QTime(12, 0)));
        const DateFilterFunc afternoon(moment, from, from.addMSecs(3600 * 1000));
        Record r(orders());
        r.data(moment) = from;
        QVERIFY(afternoon.filter(r)); // from is in
        r.data(moment) = from.addMSecs(3600 * 1000);
        QVERIFY(!afternoon.filter(r)); // to is out
        r.data(moment) = from.addMSecs(-1);
        QVERIFY(!afternoon.filter(r));

        const BaseCodeBySecFilterFunc rts(
            col(orders(), "stock_id"), col(orders(), "board_id"), col(orders(), "sec_id"), { QStringLiteral("RTS") });
        const SampleInstrument& f = m_market->market.instruments().first();
        r.data(QStringLiteral("stock_id")) = f.key.stock;
        r.data(QStringLiteral("board_id")) = f.key.board;
        r.data(QStringLiteral("sec_id")) = f.key.sec;
        QVERIFY(rts.filter(r));
        const BaseCodeBySecFilterFunc lower(
            col(orders(), "stock_id"), col(orders(), "board_id"), col(orders(), "sec_id"), { QStringLiteral("rts") });
        QVERIFY(!lower.filter(r)); // case-sensitive
    }

    // Batches are analysed on the pool: predicates that look things up answer there as on the GUI thread.
    void directoryPredicatesAnswerAlikeOnThePool()
    {
        const QList<Record> all(orders()->masterIndex()->begin(), orders()->masterIndex()->end());
        const SessionFilterFunc sessions(
            col(orders(), "stock_id"), col(orders(), "sess_id"), SessionFilterFunc::Active);
        const QString base = m_market->market.underlyings().first().code;
        const BaseCodeBySecFilterFunc bases(
            col(orders(), "stock_id"), col(orders(), "board_id"), col(orders(), "sec_id"), { base });
        for (const FilterFunc* predicate :
            { static_cast<const FilterFunc*>(&sessions), static_cast<const FilterFunc*>(&bases) }) {
            struct Answer
            {
                Record record;
                bool passes;
            };
            QVector<Answer> here;
            for (const Record& r : all)
                here << Answer { r, predicate->filter(r) };
            QVector<Answer> pooled = here;
            ParallelMap::blockingMap(pooled, [predicate](Answer& a) { a.passes = predicate->filter(a.record); });
            int passing = 0;
            for (int i = 0; i < here.size(); ++i) {
                QCOMPARE(pooled[i].passes, here[i].passes);
                passing += here[i].passes ? 1 : 0;
            }
            QVERIFY(passing > 0 && passing < here.size()); // both answers occur
        }
    }

    void listStopsAtTheFirstFailingChild()
    {
        ListFilterFunc empty;
        QVERIFY(empty.filter(Record()));
        auto* list = new ListFilterFunc;
        int secondCalls = 0;
        list->append(new LambdaFilterFunc([](const Record& r) { return r.data(0).toInteger64() % 2 == 0; }, list));
        list->append(new LambdaFilterFunc([&](const Record&) { return ++secondCalls > 0; }, list));
        Record odd(orders());
        odd.data(0) = 3;
        Record even(orders());
        even.data(0) = 4;
        QVERIFY(!list->filter(odd));
        QCOMPARE(secondCalls, 0);
        QVERIFY(list->filter(even));
        QCOMPARE(secondCalls, 1);
        QCOMPARE(list->toString(), QStringLiteral("[LambdaFilterFunc, LambdaFilterFunc]"));
        delete list;
        QVERIFY(NoFilterFunc().filter(Record()));
    }
};

QTEST_MAIN(tst_Predicates)
#include "tst_predicates.moc"
