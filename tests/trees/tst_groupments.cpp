// The grouping levels over the sample market's instruments: keys and names from the directories, strikes and
// expiries in their own order, the named groupings, and the reverse order.

#include "marketfixture.h"

#include "columns/itemroles.h"
#include "core/db/masterindex.h"
#include "core/host/directories/boarddirectory.h"
#include "trees/groupmenttreeitem.h"
#include "trees/securitiesgroupments.h"
#include "trees/treeindexmodel.h"

#include <QAbstractItemModelTester>
#include <QtTest>

namespace {

// The children of an index as their display texts.
QStringList childTexts(const QAbstractItemModel& model, const QModelIndex& parent)
{
    QStringList texts;
    for (int row = 0; row < model.rowCount(parent); ++row)
        texts << model.index(row, 0, parent).data().toString();
    return texts;
}

} // namespace

class TestGroupments : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void boardAndStrikeKeys();
    void optionsSortByExpiryDateAndStrikeValue();
    void everyNamedGroupingHoldsEachInstrumentOnce();
    void descendingReversesGroupsAndRecords();

private:
    std::unique_ptr<MarketFixture> m_market;
    Table* m_securities = nullptr;
};

void TestGroupments::initTestCase()
{
    m_market = std::make_unique<MarketFixture>(SampleMarketOptions::sized(400, 0));
    m_securities = m_market->table(QStringLiteral("securities"));
    QVERIFY(m_securities && m_securities->count() > 100);
}

void TestGroupments::boardAndStrikeKeys()
{
    Record r(m_securities);
    r.data(QStringLiteral("stock_id")) = 1;
    r.data(QStringLiteral("board_id")) = 12;
    r.data(QStringLiteral("strike")) = QStringLiteral("10.5");
    r.data(QStringLiteral("decimals")) = 2;
    GroupmentBoard board(m_securities);
    QCOMPARE(board.groupKey(r), QStringLiteral("1,12"));
    const QString boardName = BoardDirectory::i()->nameById(1, 12);
    QCOMPARE(board.groupName(r), boardName.isEmpty() ? QStringLiteral("1,12") : boardName);

    GroupmentStrike strike(m_securities);
    QCOMPARE(strike.groupKey(r), QStringLiteral("10.50"));
    QCOMPARE(strike.groupName(r), QStringLiteral("10.50"));
    QCOMPARE(strike.groupKey(Record()), QString());
}

void TestGroupments::optionsSortByExpiryDateAndStrikeValue()
{
    // Given the instruments grouped by underlying, expiry and strike,
    GroupmentColumn base(QStringLiteral("base_code"), m_securities);
    GroupmentExpDate expiry(m_securities);
    GroupmentStrike strike(m_securities);
    GroupmentSecurity security;
    TreeIndexModel model(m_securities);
    model.setGroupmentList({ &base, &expiry, &strike, &security });
    new QAbstractItemModelTester(&model, QAbstractItemModelTester::FailureReportingMode::Fatal, &model);
    model.rebuild();
    QCOMPARE(model.recordsCount(), m_securities->count());
    const int expdate = m_securities->columnIndex(QStringLiteral("expdate"));
    const int strikeColumn = m_securities->columnIndex(QStringLiteral("strike"));
    // then under each underlying the expiries run by date, and under each expiry the strikes by value (not by
    // text: 950 before 1000), each group showing its date or strike;
    const auto checkOrder = [&] {
        int strikeGroups = 0;
        for (int u = 0; u < model.rowCount(); ++u) {
            const QModelIndex underlying = model.index(u, 0);
            for (int e = 1; e < model.rowCount(underlying); ++e) {
                const Record a = model.recordByIndex(model.index(e - 1, 0, underlying));
                const Record b = model.recordByIndex(model.index(e, 0, underlying));
                QVERIFY2(
                    a.data(expdate).toQDate() < b.data(expdate).toQDate(), qPrintable(underlying.data().toString()));
            }
            for (int e = 0; e < model.rowCount(underlying); ++e) {
                const QModelIndex expiryIndex = model.index(e, 0, underlying);
                QCOMPARE(expiryIndex.data().toString(),
                    QLocale::system().toString(
                        model.recordByIndex(expiryIndex).data(expdate).toQDate(), QLocale::ShortFormat));
                for (int s = 0; s < model.rowCount(expiryIndex); ++s) {
                    const QModelIndex strikeIndex = model.index(s, 0, expiryIndex);
                    const decimal value = model.recordByIndex(strikeIndex).data(strikeColumn).toDecimal();
                    QCOMPARE(strikeIndex.data(Qt::UserRole).value<decimal>().toDouble(), value.toDouble());
                    if (s > 0) {
                        const QModelIndex before = model.index(s - 1, 0, expiryIndex);
                        QVERIFY(model.recordByIndex(before).data(strikeColumn).toDecimal() < value);
                    }
                    ++strikeGroups;
                }
            }
        }
        QVERIFY(strikeGroups > 20);
    };
    checkOrder();

    // when an option moves to an expiry no instrument has yet, one whose name reads before the latest
    // expiry's although it comes after it, and another to a strike below all of its expiry's, whose text reads
    // after theirs, the new groups take their places by date and by value at once.
    QModelIndex options;
    for (int u = 0; u < model.rowCount() && !options.isValid(); ++u) {
        if (model.rowCount(model.index(u, 0)) > 1)
            options = model.index(u, 0);
    }
    QVERIFY(options.isValid());
    const QModelIndex latest = model.index(model.rowCount(options) - 1, 0, options);
    const QDate last = model.recordByIndex(latest).data(expdate).toQDate();
    const QDate later(last.year() + 1, 1, 1);
    QVERIFY(
        QLocale::system().toString(later, QLocale::ShortFormat).compare(latest.data().toString(), Qt::CaseInsensitive)
        < 0);
    Record moved = model.recordByIndex(model.index(0, 0, model.index(0, 0, options)));
    moved.data(expdate) = later;
    moved.updated(expdate);
    checkOrder();
    // An expiry with its futures (strike 0, first) and options: the futures move to a strike below the options'.
    QModelIndex series;
    decimal lowest;
    for (int u = 0; u < model.rowCount() && !series.isValid(); ++u) {
        for (int e = 0; e < model.rowCount(model.index(u, 0)) && !series.isValid(); ++e) {
            const QModelIndex expiryIndex = model.index(e, 0, model.index(u, 0));
            const int strikes = model.rowCount(expiryIndex);
            for (int k = 1; k < strikes && !(lowest > decimal::zero()); ++k)
                lowest = model.recordByIndex(model.index(k, 0, expiryIndex)).data(strikeColumn).toDecimal();
            if (lowest > decimal::zero())
                series = expiryIndex;
        }
    }
    QVERIFY(series.isValid());
    const decimal below = decimal::fromString(QString(QString::number(qint64(lowest.toDouble())).size() - 1, '9'));
    QVERIFY2(below < lowest && below.toString() > lowest.toString(), qPrintable(lowest.toString()));
    Record struck = model.recordByIndex(model.index(0, 0, model.index(0, 0, series)));
    struck.data(strikeColumn) = below;
    struck.updated(strikeColumn);
    checkOrder();
}

void TestGroupments::everyNamedGroupingHoldsEachInstrumentOnce()
{
    SecuritiesGroupments groupings(m_securities);
    const QList<GroupmentsList> lists = groupings.groupmentList();
    QCOMPARE(lists.size(), 9);
    QCOMPARE(lists.last().groupments.size(), 1);
    for (const GroupmentsList& list : lists) {
        TreeIndexModel model(m_securities);
        model.setGroupmentList(list.groupments);
        model.rebuild();
        QCOMPARE(model.recordsCount(), m_securities->count());
        // Every instrument is a leaf at the grouping's depth, under the groups its own keys name.
        for (const Record& r : *m_securities->masterIndex()) {
            const QModelIndex leaf = model.indexByRecord(r);
            QVERIFY2(leaf.isValid(), qPrintable(list.name));
            QCOMPARE(leaf.data(ItemLevelRole).toInt(), list.groupments.size() - 1);
            QModelIndex group = leaf.parent();
            for (int level = list.groupments.size() - 2; level >= 0; --level, group = group.parent())
                QCOMPARE(group.data(GroupKeyRole).toString(), list.groupments.at(level)->groupKey(r));
        }
    }
}

void TestGroupments::descendingReversesGroupsAndRecords()
{
    SecuritiesGroupments groupings(m_securities);
    TreeIndexModel model(m_securities);
    model.setGroupmentList(groupings.groupmentList().at(3).groupments); // by type
    new QAbstractItemModelTester(&model, QAbstractItemModelTester::FailureReportingMode::Fatal, &model);
    model.rebuild();
    QStringList ascending = childTexts(model, QModelIndex());
    const QStringList firstGroup = childTexts(model, model.index(0, 0));
    const QPersistentModelIndex kept = model.index(0, 0, model.index(0, 0));
    const Record keptRecord = model.recordByIndex(kept);

    model.sort(0, Qt::DescendingOrder);
    QCOMPARE(model.groupSortOrder(), Qt::DescendingOrder);
    std::reverse(ascending.begin(), ascending.end());
    QCOMPARE(childTexts(model, QModelIndex()), ascending);
    QStringList reversed = childTexts(model, model.index(model.rowCount() - 1, 0));
    std::reverse(reversed.begin(), reversed.end());
    QCOMPARE(reversed, firstGroup);
    QCOMPARE(model.recordByIndex(kept), keptRecord);
}

QTEST_MAIN(TestGroupments)
#include "tst_groupments.moc"
