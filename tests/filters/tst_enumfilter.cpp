#include "core/db/masterindex.h"
#include "core/host/widgets/selectorwidget.h"
#include "filters/catalogue/directoryfilters.h"
#include "filters/enumfilterfunc.h"
#include "marketfixture.h"

#include <QStandardItemModel>
#include <QtTest>

#include <memory>

namespace {

// An enumeration over a decimal column: its raw bytes cannot serve, the general predicate must.
class PriceFilter : public EnumFilter
{
public:
    PriceFilter(Table& table)
        : EnumFilter(table, table.columnIndex(QStringLiteral("price")))
    { }
    QString name() const override { return QStringLiteral("Цена"); }
    QList<KeyValue> keys() const override { return {}; }
};

} // namespace

class tst_EnumFilter : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<MarketFixture> m_market;
    Table* orders() const { return m_market->table(QStringLiteral("orders")); }

private Q_SLOTS:
    void init()
    {
        SampleMarketOptions o = SampleMarketOptions::tiny(21);
        o.orders = 4000;
        m_market = std::make_unique<MarketFixture>(o);
    }
    void cleanup() { m_market.reset(); }

    void fastAndGeneralPredicatesAgreeOnEveryOrder_data()
    {
        QTest::addColumn<QString>("excluded");
        QTest::newRow("none") << "";
        QTest::newRow("filled and cancelled") << "2|3";
        QTest::newRow("all") << "1|2|3|4";
    }
    void fastAndGeneralPredicatesAgreeOnEveryOrder()
    {
        QFETCH(QString, excluded);
        StatusFilter filter(*orders());
        filter.setValue(excluded);
        const QList<int> columns { orders()->columnIndex(QStringLiteral("status")) };
        const EnumFilterFunc general(orders(), filter.excludedKeys(), columns);
        const EnumFilterFunc_Fast fast(orders(), filter.excludedKeys(), columns);
        QScopedPointer<FilterFunc> made(filter.createFilterFunc(nullptr));
        QVERIFY(made->toString().startsWith(QStringLiteral("EnumKeyFilterFunc_Fast")));
        const QStringList hidden = excluded.split(QLatin1Char('|'), Qt::SkipEmptyParts);
        for (const Record& r : *orders()->masterIndex()) {
            const bool shown = !hidden.contains(r.data(QStringLiteral("status")).toString());
            QCOMPARE(general.filter(r), shown);
            QCOMPARE(fast.filter(r), shown);
            QCOMPARE(made->filter(r), shown);
        }
    }

    void stateOfTheChoice()
    {
        StatusFilter filter(*orders());
        QVERIFY(!filter.isFiltering());
        filter.setValue(QStringLiteral("1|2|3"));
        QVERIFY(filter.isFiltering());
        QVERIFY(filter.isSingle());
        QVERIFY(!filter.isFull());
        filter.setValue(QStringLiteral("1|2|3|4"));
        QVERIFY(filter.isFull());
        filter.setInvertValue(QStringLiteral("2|4"));
        QCOMPARE(filter.value(), QStringLiteral("1|3"));
        filter.setInvertValue(QString());
        QVERIFY(filter.isFull()); // an empty choice shows nothing
        filter.setValue(QStringLiteral("1|77|x|2"));
        QCOMPARE(filter.value(), QStringLiteral("1|77|2")); // "x" is no key of an integer column
        filter.removeInvalidKeys();
        QCOMPARE(filter.value(), QStringLiteral("1|2"));
    }

    void fallsBackToTheGeneralPredicateWithAWarning()
    {
        PriceFilter filter(*orders());
        filter.setValue(QStringLiteral("100"));
        QTest::ignoreMessage(QtWarningMsg,
            QRegularExpression(QStringLiteral("^Can't use optimized EnumFilterFunc for 'orders' .*price")));
        QScopedPointer<FilterFunc> made(filter.createFilterFunc(nullptr));
        QVERIFY(made->toString().startsWith(QStringLiteral("EnumKeyFilterFunc[")));
    }
};

QTEST_MAIN(tst_EnumFilter)
#include "tst_enumfilter.moc"
