#include "core/db/masterindex.h"
#include "core/host/filters/keyfilterfunc.h"
#include "core/host/filters/keyfilterfunc_fast.h"
#include "core/host/filters/lambdafilterfunc.h"
#include "core/host/filters/valuefilter.h"
#include "marketfixture.h"
#include "models/parallelmap.h"

#include <QRandomGenerator>
#include <QSignalSpy>
#include <QtTest>

#include <memory>
#include <numeric>

namespace {

// The simplest named value filter.
class InstrumentFilter : public ValueFilter
{
public:
    InstrumentFilter(Table& table, const QList<int>& keyColumns)
        : ValueFilter(table, keyColumns.first(), keyColumns, -1, nullptr)
    { }
    QString name() const override { return QStringLiteral("Инструмент"); }
};

} // namespace

class tst_Filters : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<MarketFixture> m_market;
    Table* orders() const { return m_market->table(QStringLiteral("orders")); }
    int col(const char* name) const { return orders()->columnIndex(QString::fromLatin1(name)); }
    QList<int> instrumentColumns() const { return { col("stock_id"), col("board_id"), col("sec_id") }; }

private Q_SLOTS:
    void init()
    {
        SampleMarketOptions o = SampleMarketOptions::tiny(3);
        o.orders = 3000;
        m_market = std::make_unique<MarketFixture>(o);
    }
    void cleanup() { m_market.reset(); }

    void fastAndGeneralKeyPredicatesAgreeOnEveryRecord_data()
    {
        QTest::addColumn<QStringList>("columns");
        QTest::addColumn<int>("keyCount");
        QTest::newRow("instrument, a few") << QStringList { "stock_id", "board_id", "sec_id" } << 5;
        QTest::newRow("instrument, none") << QStringList { "stock_id", "board_id", "sec_id" } << 0;
        QTest::newRow("status") << QStringList { "status" } << 2;
        QTest::newRow("side") << QStringList { "buysell" } << 1;
        QTest::newRow("account text") << QStringList { "account" } << 7;
        QTest::newRow("order number") << QStringList { "order_num" } << 30;
    }
    void fastAndGeneralKeyPredicatesAgreeOnEveryRecord()
    {
        QFETCH(QStringList, columns);
        QFETCH(int, keyCount);
        QList<int> cols;
        for (const QString& c : columns)
            cols << orders()->columnIndex(c);
        // Keys taken from random orders, plus one that matches nothing.
        QRandomGenerator rng(5);
        QList<KeyValue> keys;
        for (int i = 0; i < keyCount; ++i)
            keys << KeyValue::fromRecord(orders()->masterIndex()->at(int(rng.bounded(orders()->count()))), cols);
        if (keyCount > 0) {
            KeyValue none = keys.first();
            none[0] = FieldValue(none[0].type(), none[0].length(),
                columns.first() == QLatin1String("buysell") ? QVariant(QChar('X')) : QVariant(QStringLiteral("77")));
            keys << none;
        }
        const KeyFilterFunc general(orders(), keys, cols);
        const KeyFilterFunc_Fast fast(orders(), keys, cols);
        int passed = 0;
        for (const Record& r : *orders()->masterIndex()) {
            QCOMPARE(fast.filter(r), general.filter(r));
            passed += general.filter(r);
        }
        QCOMPARE(passed > 0, keyCount > 0);
    }

    void fastPredicateRefusesKeysThatAreNotOneByteRange()
    {
        const QList<int> apart { col("stock_id"), col("sec_id") }; // board_id lies between them
        QString reason;
        try {
            KeyFilterFunc_Fast fast(orders(), {}, apart);
        } catch (const QString& message) {
            reason = message;
        }
        QVERIFY2(reason.contains(QStringLiteral("stock_id")) && reason.contains(QStringLiteral("sec_id")),
            qPrintable(reason));
        QVERIFY_EXCEPTION_THROWN(KeyFilterFunc_Fast(orders(), {}, { col("sec_id"), col("stock_id") }), QString);
        QVERIFY_EXCEPTION_THROWN(KeyFilterFunc_Fast(orders(), {}, {}), QString);
        QVERIFY_EXCEPTION_THROWN(KeyFilterFunc_Fast(orders(), {}, { 99 }), QString);
        QVERIFY_EXCEPTION_THROWN(KeyFilterFunc_Fast(orders(), {}, { col("price") }), QString); // 1.5 == 1.50
        KeyFilterFunc_Fast ok(orders(), {}, instrumentColumns());
        QCOMPARE(ok.byteLength(), 16);
    }

    void fastPredicateNeedsValuesInTheKeyColumns()
    {
        Record detached(orders()); // every field empty: the raw bytes look like zeros
        KeyValue zeros { FieldValue(FieldType::Int32, 0, 0) };
        const KeyFilterFunc general(orders(), { zeros }, { col("status") });
        const KeyFilterFunc_Fast fast(orders(), { zeros }, { col("status") });
        QVERIFY(!general.filter(detached));
        QVERIFY(!fast.filter(detached));
        detached.data(QStringLiteral("status")) = 0;
        QVERIFY(general.filter(detached));
        QVERIFY(fast.filter(detached));
    }

    void predicatesAreSafeFromManyThreads()
    {
        const QList<KeyValue> keys { KeyValue::fromRecord(orders()->masterIndex()->at(0), instrumentColumns()) };
        const KeyFilterFunc_Fast fast(orders(), keys, instrumentColumns());
        const KeyFilterFunc general(orders(), keys, instrumentColumns());
        QVector<int> rows(orders()->count());
        std::iota(rows.begin(), rows.end(), 0);
        std::atomic<int> disagreements { 0 };
        ParallelMap::blockingMap(rows, [&](int row) {
            const Record& r = orders()->masterIndex()->at(row);
            if (fast.filter(r) != general.filter(r))
                ++disagreements;
        });
        QCOMPARE(disagreements.load(), 0);
    }

    void valueFilterPersistsItsKeys()
    {
        InstrumentFilter filter(*orders(), instrumentColumns());
        const SampleInstrument& a = m_market->market.instruments().at(0);
        const SampleInstrument& b = m_market->market.instruments().at(2);
        const QString value
            = QStringLiteral("1,%1,%2|1,%3,%4").arg(a.key.board).arg(a.key.sec).arg(b.key.board).arg(b.key.sec);
        filter.setValue(value);
        QCOMPARE(filter.keys().size(), 2);
        QVERIFY(filter.hasValue());
        QCOMPARE(filter.value(), value);
        filter.addKey(filter.keys().first());
        QCOMPARE(filter.keys().size(), 2); // no duplicates
        QScopedPointer<FilterFunc> predicate(filter.createFilterFunc(nullptr));
        QVERIFY(predicate->toString().startsWith(QStringLiteral("KeyFilterFunc_Fast")));
        for (const Record& r : *orders()->masterIndex()) {
            const qint64 sec = r.data(QStringLiteral("sec_id")).toInteger64();
            QCOMPARE(predicate->filter(r), sec == a.key.sec || sec == b.key.sec);
        }
        filter.removeKey(filter.keys().first());
        QCOMPARE(filter.keys().size(), 1);
        filter.clear();
        QVERIFY(!filter.hasValue());
    }

    void garbledValuesLoseOnlyTheirKeys()
    {
        InstrumentFilter filter(*orders(), instrumentColumns());
        filter.setValue(QStringLiteral("1,14,400000|мусор|1,14|1,x,5||1,14,400001"));
        QCOMPARE(filter.value(), QStringLiteral("1,14,400000|1,14,400001"));
    }

    void valueFilterOnAnAccountTextFallsBackToTheGeneralPredicate()
    {
        // "sec_id" and "account" are not next to each other in a row: the field comparison serves.
        InstrumentFilter filter(*orders(), { col("sec_id"), col("account") });
        filter.setValue(QStringLiteral("400000,F001001"));
        QScopedPointer<FilterFunc> predicate(filter.createFilterFunc(nullptr));
        QVERIFY(predicate->toString().startsWith(QStringLiteral("KeyFilterFunc[")));
    }

    void lambdaAndBaseFilters()
    {
        LambdaFilterFunc even([](const Record& r) { return r.data(0).toInteger64() % 2 == 0; });
        QVERIFY(even.filter(orders()->masterIndex()->at(0)));
        QVERIFY(!even.filter(orders()->masterIndex()->at(1)));
        InstrumentFilter filter(*orders(), instrumentColumns());
        QSignalSpy enabled(&filter, &Filter::enabledChanged);
        filter.setEnabled(true);
        filter.setEnabled(true);
        QCOMPARE(enabled.count(), 1);
        QCOMPARE(filter.column(), col("stock_id"));
        QCOMPARE(filter.modelColumn(), -1);
        QVERIFY(filter.createFilterWidget(nullptr) == nullptr);
    }
};

QTEST_MAIN(tst_Filters)
#include "tst_filters.moc"
