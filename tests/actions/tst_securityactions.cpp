#include "actions/securityactions.h"
#include "columns/catalogue/standardcolumndelegates.h"
#include "core/db/recordstrans.h"
#include "core/db/recordupdater.h"
#include "core/host/actions/actionmanager.h"
#include "core/host/directories/boarddirectory.h"
#include "core/host/directories/securitydirectory.h"
#include "marketfixture.h"
#include "models/tableindexmodel.h"
#include "recordingwindowmanager.h"

#include <QAbstractItemModelTester>
#include <QAction>
#include <QTableView>
#include <QtTest>

#include <memory>

namespace {

const SecurityKey Future { 1, SampleMarket::FuturesBoard, 400000 };
const SecurityKey OtherFuture { 1, SampleMarket::FuturesBoard, 400001 };
const SecurityKey Mirror { 1, SampleMarket::MirrorBoard, 900000 };
const SecurityKey Option { 1, SampleMarket::OptionsBoard, 1000000 };

QString names(const QList<QAction*>& actions)
{
    QStringList list;
    for (const QAction* a : actions)
        list << QStringLiteral("%1%2").arg(a->property("ActionType").toInt()).arg(a->isEnabled() ? "" : "-");
    return list.join(QLatin1Char(' '));
}

} // namespace

class tst_SecurityActions : public QObject
{
    Q_OBJECT

    std::unique_ptr<MarketFixture> m_market;
    TableIndexModel* m_securities = nullptr;
    TableIndexModel* m_orders = nullptr;
    SecurityKey m_twice;
    SecurityKey m_once;

    // A model of a table as the terminal's windows have it: the catalogue's columns, built.
    TableIndexModel* model(const char* table)
    {
        auto* m = new TableIndexModel(m_market->table(QString::fromLatin1(table)), this);
        StandardColumnDelegates::install(m, m->table()->name());
        m->rebuild();
        new QAbstractItemModelTester(m, QAbstractItemModelTester::FailureReportingMode::Fatal, m);
        return m;
    }
    QModelIndex row(const SecurityKey& key) const
    {
        return m_securities->indexByRecord(SecurityDirectory::i()->recordById(key.stock, key.board, key.sec));
    }
    // The first two orders in an instrument.
    QModelIndexList ordersIn(const SecurityKey& key) const
    {
        QModelIndexList rows;
        for (int r = 0; r < m_orders->rowCount() && rows.size() < 2; ++r) {
            const Record o = m_orders->at(r);
            if (o.data(QStringLiteral("sec_id")).toInteger64() == key.sec
                && o.data(QStringLiteral("board_id")).toInteger() == key.board)
                rows << m_orders->index(r, 3);
        }
        return rows;
    }
    void setBoardFlags(int board, int flags)
    {
        Table* boards = m_market->table(QStringLiteral("boards"));
        RecordsTrans trans(boards);
        RecordUpdater(Record(boards, QStringLiteral("1,%1").arg(board)), trans).data(QStringLiteral("flags")) = flags;
    }

private Q_SLOTS:
    void initTestCase()
    {
        m_market = std::make_unique<MarketFixture>();
        // Without the host's commands only the order entry exists.
        QCOMPARE(names(SecurityActions().actions()), QStringLiteral("10-"));
        for (const char* id : { "CurrentTable.ShowDeals", "CurrentTable.ShowDOM", "CurrentTable.ShowTA",
                 "CurrentTable.ShowVP", "View.Information" })
            ActionManager::instance()->registerCommand(QString::fromLatin1(id), QString::fromLatin1(id));
        m_securities = model("securities");
        m_orders = model("orders");
        // An instrument of two orders or more, and another of one or more, on boards of quotes and charts.
        QMap<SecurityKey, int> orders;
        for (int r = 0; r < m_orders->rowCount(); ++r) {
            const Record o = m_orders->at(r);
            const SecurityKey key { o.data(QStringLiteral("stock_id")).toInteger(),
                o.data(QStringLiteral("board_id")).toInteger(), o.data(QStringLiteral("sec_id")).toInteger64() };
            if (key.board == SampleMarket::FuturesBoard || key.board == SampleMarket::OptionsBoard)
                ++orders[key];
        }
        for (auto it = orders.cbegin(); it != orders.cend(); ++it) {
            if (it.value() >= 2 && !m_twice.isValid())
                m_twice = it.key();
            else if (!m_once.isValid())
                m_once = it.key();
        }
        QVERIFY(m_twice.isValid() && m_once.isValid());
    }

    void enabledByBoardAndType_data()
    {
        QTest::addColumn<SecurityKey>("key");
        QTest::addColumn<int>("boardFlags"); // -1: as the sample market has them
        QTest::addColumn<QString>("enabled");
        QTest::newRow("future with options on a traded board with quotes and charts")
            << Future << -1 << "10 20 30 40 50 60";
        QTest::newRow("option") << Option << -1 << "10 20 30 40 50 60";
        QTest::newRow("off-book future without options") << Mirror << -1 << "10 20 60";
        QTest::newRow("index board with charts") << Future << 0x02 + 0x08 << "40 50 60";
        QTest::newRow("traded index board") << Future << 0x01 + 0x02 + 0x04 + 0x08 << "30 40 50 60";
        QTest::newRow("clearing-house requests") << Future << 0x01 + 0x20 << "10 11 20 50 60";
        QTest::newRow("board allowing nothing") << Future << 0 << "50 60";
    }
    void enabledByBoardAndType()
    {
        QFETCH(SecurityKey, key);
        QFETCH(int, boardFlags);
        QFETCH(QString, enabled);
        const int sampleFlags = BoardDirectory::i()->flagsById(key.stock, key.board);
        if (boardFlags >= 0)
            setBoardFlags(key.board, boardFlags);
        SecurityActions actions;
        actions.setModel(m_securities);
        QStringList types;
        for (int type : { 10, 11, 20, 30, 40, 50, 60 }) {
            QAction probe;
            probe.setProperty("ActionType", type);
            if (actions.isActionEnabled(row(key), &probe))
                types << QString::number(type);
        }
        setBoardFlags(key.board, sampleFlags);
        QCOMPARE(types.join(QLatin1Char(' ')), enabled);
    }

    void selectionCountsInstrumentsNotRows()
    {
        SecurityActions actions;
        actions.setModel(m_orders);
        const QString name = SecurityDirectory::i()->nameByKey(m_twice);
        QAction* quotes = actions.action(SecurityActions::Quotes);

        // Given two orders in one instrument: it is named, and the single-instrument actions stay usable.
        actions.onSelectionChanged(ordersIn(m_twice));
        QCOMPARE(ordersIn(m_twice).size(), 2);
        QCOMPARE(quotes->text(), QStringLiteral("Открыть котировки %1").arg(name));
        QCOMPARE(actions.action(SecurityActions::AddOrder)->text(), QStringLiteral("Поставить заявку на %1").arg(name));
        QCOMPARE(names(actions.actions()), QStringLiteral("10 20 30 40 50 60"));
        QCOMPARE(quotes->property("ActionInstrument").toString(), m_twice.textId());

        // When an order in another instrument joins them, only the actions for several instruments stay.
        actions.onSelectionChanged(ordersIn(m_twice) + ordersIn(m_once));
        QCOMPARE(quotes->text(), QStringLiteral("Открыть котировки"));
        QCOMPARE(names(actions.actions()), QStringLiteral("10- 20 30- 40 50- 60"));
        QCOMPARE(actions.action(SecurityActions::Chart)->property("ActionInstrument").toString(),
            m_twice.textId() + '|' + m_once.textId());
        QVERIFY(quotes->property("ActionInstrument").toString().isEmpty());

        actions.onSelectionChanged({});
        QCOMPARE(names(actions.actions()), QStringLiteral("10- 20- 30- 40- 50- 60-"));
    }

    // Following a view, the actions read its selection as it changes, without a menu opened; an index of a model
    // the actions do not serve names no instrument.
    void aViewsSelectionIsFollowed()
    {
        QTableView view;
        view.setModel(m_orders);
        SecurityActions actions(&view);
        QAction* quotes = actions.action(SecurityActions::Quotes);
        for (const QModelIndex& index : ordersIn(m_twice))
            view.selectionModel()->select(index, QItemSelectionModel::Select | QItemSelectionModel::Rows);
        QTRY_COMPARE(
            quotes->text(), QStringLiteral("Открыть котировки %1").arg(SecurityDirectory::i()->nameByKey(m_twice)));
        QVERIFY(quotes->isEnabled());
        view.selectionModel()->clearSelection();
        view.selectionModel()->clearCurrentIndex();
        QTRY_VERIFY(!quotes->isEnabled());

        QVERIFY(!actions.securityProperties(m_securities->index(0, 0)).isValid);
    }

    void triggersAskTheWindowManager()
    {
        RecordingWindowManager windows;
        SecurityActions actions;
        actions.setModel(m_securities);
        const QString both = Future.textId() + '|' + Option.textId();
        actions.onSelectionChanged({ row(Future), row(Option) });
        for (int type : { SecurityActions::Chart, SecurityActions::AllDeals, SecurityActions::Information,
                 SecurityActions::Quotes })
            actions.action(type)->trigger();
        QCOMPARE(windows.opened,
            (QStringList { "TAMainWindow " + Future.textId(), "TAMainWindow " + Option.textId(), "All_deals " + both,
                "SecurityInfo " + both }));

        // A double click triggers the default action, shown in bold.
        windows.opened.clear();
        actions.setDefaultAction(SecurityActions::Quotes);
        QVERIFY(actions.defaultAction()->font().bold());
        QVERIFY(!actions.action(SecurityActions::AddOrder)->font().bold());
        actions.onSelectionChanged({ row(Option) });
        actions.onActivate(row(Option));
        actions.action(SecurityActions::VolatilityCurve)->trigger();
        actions.setAvailableTypes({ SecurityActions::AddOrder });
        actions.onActivate(row(Option));
        QCOMPARE(windows.opened, (QStringList { "Dom " + Option.textId(), "VolatilityPlot " + Option.textId() }));
        QCOMPARE(names(actions.actions()), QStringLiteral("10"));
    }

    void newSessionDropsTheKeptLookup()
    {
        SecurityActions actions;
        actions.setModel(m_orders);
        const QModelIndex order = ordersIn(m_once).first();
        const QString name = actions.securityProperties(order).name;
        Table* securities = m_market->table(QStringLiteral("securities"));
        m_market->market.reload(securities, 1); // every name gets " #1"
        QCOMPARE(actions.securityProperties(order).name, name);
        m_market->core.decoder()->announceNewSessions();
        QCOMPARE(actions.securityProperties(order).name, name + " #1");
        m_market->market.reload(securities, 0);
    }
};

QTEST_MAIN(tst_SecurityActions)
#include "tst_securityactions.moc"
