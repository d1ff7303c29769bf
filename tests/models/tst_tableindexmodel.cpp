#include "filters/rowfiltersmodel.h"
#include "livetable.h"
#include "models/private/tableindexmodel_p.h"
#include "models/tableindexmodel.h"
#include "statusfilter.h"

#include <QAbstractItemModelTester>
#include <QRandomGenerator>
#include <QScopeGuard>
#include <QSignalSpy>
#include <QtTest>

#include <memory>

namespace {

// Every signal of a model, one word each, in order: "reset layout insert(3,5) remove(0,0) data(2,2,5,7) move".
class SignalLog : public QObject
{
public:
    explicit SignalLog(QAbstractItemModel* model)
    {
        connect(model, &QAbstractItemModel::modelReset, this, [this] { log << QStringLiteral("reset"); });
        connect(model, &QAbstractItemModel::layoutChanged, this, [this] { log << QStringLiteral("layout"); });
        connect(model, &QAbstractItemModel::rowsInserted, this,
            [this](const QModelIndex&, int f, int l) { log << QStringLiteral("insert(%1,%2)").arg(f).arg(l); });
        connect(model, &QAbstractItemModel::rowsRemoved, this,
            [this](const QModelIndex&, int f, int l) { log << QStringLiteral("remove(%1,%2)").arg(f).arg(l); });
        connect(model, &QAbstractItemModel::rowsMoved, this,
            [this](const QModelIndex&, int f, int l, const QModelIndex&, int d) {
                log << QStringLiteral("move(%1,%2>%3)").arg(f).arg(l).arg(d);
            });
        connect(model, &QAbstractItemModel::dataChanged, this, [this](const QModelIndex& a, const QModelIndex& b) {
            log << QStringLiteral("data(%1,%2,%3,%4)").arg(a.row()).arg(b.row()).arg(a.column()).arg(b.column());
        });
    }
    QString text() const { return log.join(QLatin1Char(' ')); }
    QStringList log;
};

} // namespace

class tst_TableIndexModel : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<LiveTable> m_live;
    std::unique_ptr<TableIndexModel> m_model;
    std::unique_ptr<SignalLog> m_signals;

    QString keys() const { return LiveTable::column(*m_model, 0); }
    QString prices() const { return LiveTable::column(*m_model, m_live->column("price")); }
    void makeModel()
    {
        m_model = std::make_unique<TableIndexModel>(m_live->table);
        new QAbstractItemModelTester(
            m_model.get(), QAbstractItemModelTester::FailureReportingMode::Fatal, m_model.get());
        m_model->setSort(m_live->column("price"), Qt::AscendingOrder);
        QCoreApplication::processEvents(); // the table builds it
        m_signals = std::make_unique<SignalLog>(m_model.get());
    }

private Q_SLOTS:
    void init()
    {
        m_live = std::make_unique<LiveTable>();
        for (auto [key, price] :
            { std::pair<int, const char*> { 1, "10" }, { 2, "30" }, { 3, "20" }, { 4, "40" }, { 5, "50" } })
            m_live->insert(key, QString::fromLatin1(price));
        makeModel();
    }
    void cleanup()
    {
        m_signals.reset();
        m_model.reset();
        m_live.reset();
    }

    void buildsSortedWithOneReset()
    {
        QCOMPARE(keys(), QStringLiteral("1 3 2 4 5"));
        QSignalSpy reset(m_model.get(), &QAbstractItemModel::modelReset);
        QTest::ignoreMessage(QtDebugMsg,
            QRegularExpression(
                QStringLiteral("Табличная модель orders готова к отображению. Построение №2: 5 строк \\d+ мсек")));
        m_model->rebuild();
        QCOMPARE(reset.count(), 1);
        QCOMPARE(m_model->buildNumber(), 2);
    }

    void buildOfAnEmptyTable()
    {
        LiveTable empty;
        TableIndexModel model(empty.table);
        QSignalSpy reset(&model, &QAbstractItemModel::modelReset);
        QTest::ignoreMessage(QtDebugMsg, QRegularExpression(QStringLiteral("Построение №1: 0 строк")));
        QCoreApplication::processEvents();
        QCOMPARE(reset.count(), 1);
        QCOMPARE(model.rowCount(), 0);
    }

    void singleChangesMoveOnlyWhatTheyMust()
    {
        m_live->tick(3, "quantity", 7); // not a sort key: stays, repaints its fields
        QCOMPARE(m_signals->text(), QStringLiteral("data(1,1,6,6)"));
        m_signals->log.clear();
        m_live->tick(3, "price", "45"); // 10 [20] 30 40 50 -> 10 30 40 45 50
        QCOMPARE(m_signals->text(), QStringLiteral("move(1,1>4)"));
        QCOMPARE(keys(), QStringLiteral("1 2 4 3 5"));
        m_signals->log.clear();
        m_live->insert(6, QStringLiteral("35"));
        m_live->remove(1);
        QCOMPARE(m_signals->text(), QStringLiteral("insert(2,2) remove(0,0)"));
        QCOMPARE(keys(), QStringLiteral("2 6 4 3 5"));
    }

    void equalRecordsKeepArrivalOrder()
    {
        m_live->insert(10, QStringLiteral("30"));
        m_live->insert(9, QStringLiteral("30"));
        QCOMPARE(keys(), QStringLiteral("1 3 2 10 9 4 5"));
        m_live->stageInsert(8, QStringLiteral("30"));
        m_live->stageInsert(7, QStringLiteral("30"));
        m_live->commit();
        // A batch arrives in key order: 7 then 8, both after the earlier ones.
        QCOMPARE(keys(), QStringLiteral("1 3 2 10 9 7 8 4 5"));
    }

    void batchUpdateInPlaceRepaintsOnlyItsFields()
    {
        m_live->stageTick(2, "quantity", 5);
        m_live->stageTick(4, "quantity", 5);
        m_live->stageTick(4, "account", QStringLiteral("B"));
        m_live->commit();
        // Rows 2 and 3 are one range; fields quantity..account are columns 6..7.
        QCOMPARE(m_signals->text(), QStringLiteral("data(2,3,6,7)"));
    }

    void batchOfSortKeyChangesIsOneLayoutChangeAndSelectionsFollow()
    {
        const QPersistentModelIndex selected = m_model->index(0, 5); // key 1, price 10
        const QPersistentModelIndex other = m_model->index(4, 2); // key 5
        m_live->stageTick(1, "price", "60");
        m_live->stageTick(5, "price", "5");
        m_live->commit();
        QCOMPARE(m_signals->text(), QStringLiteral("layout"));
        QCOMPARE(keys(), QStringLiteral("5 3 2 4 1"));
        QCOMPARE(m_model->record(selected).toString(), QStringLiteral("1"));
        QCOMPARE(selected.column(), 5);
        QCOMPARE(selected.row(), 4);
        QCOMPARE(m_model->record(other).toString(), QStringLiteral("5"));
    }

    void neighboursChangingTogetherStaySorted()
    {
        // Prices 10 20 30 40 50: 30 becomes 35 and 40 becomes 32; each alone would stay in place.
        m_live->stageTick(2, "price", "35");
        m_live->stageTick(4, "price", "32");
        m_live->commit();
        QCOMPARE(prices(), QStringLiteral("10 20 32 35 50"));
    }

    void batchOfAThousandBetweenTheSameNeighboursIsOneInsert()
    {
        for (int k = 100; k < 1100; ++k)
            m_live->stageInsert(k, QStringLiteral("25"));
        m_live->commit();
        QCOMPARE(m_signals->text(), QStringLiteral("insert(2,1001)"));
        QCOMPARE(m_model->rowCount(), 1005);
        QCOMPARE(m_model->at(2).toString(), QStringLiteral("100"));
        QCOMPARE(m_model->at(1001).toString(), QStringLiteral("1099"));
    }

    void batchRemovalsComeLastToFirst()
    {
        m_live->stageRemove(1);
        m_live->stageRemove(2);
        m_live->stageRemove(3);
        m_live->stageRemove(5);
        m_live->commit();
        QCOMPARE(m_signals->text(), QStringLiteral("remove(4,4) remove(0,2)"));
        QCOMPARE(keys(), QStringLiteral("4"));
    }

    void filtersDecideWhoEntersAndLeaves()
    {
        StatusFilter status(*m_live->table);
        status.setValue(QStringLiteral("2")); // filled orders hidden
        m_model->filtersModel()->addFilter(&status);
        m_model->filtersModel()->setFilterEnabled(0, true);
        QCOMPARE(m_model->rowCount(), 5); // no status yet: all shown
        m_signals->log.clear();
        m_live->stageTick(3, "status", 2); // leaves
        m_live->stageTick(4, "status", 1); // stays
        m_live->commit();
        QCOMPARE(keys(), QStringLiteral("1 2 4 5"));
        m_live->stageTick(3, "status", 1); // enters again, with a new price
        m_live->stageTick(3, "price", "45");
        m_live->stageRemove(1);
        m_live->commit();
        QCOMPARE(keys(), QStringLiteral("2 4 3 5"));
        // A removed record that was never shown is ignored.
        m_live->stageTick(2, "status", 2);
        m_live->commit();
        m_signals->log.clear();
        m_live->stageRemove(2);
        m_live->commit();
        QCOMPARE(m_signals->text(), QString());
        m_model->filtersModel()->removeFilter(&status);
    }

    void sortWithTheCurrentSettingsSendsNothing()
    {
        m_model->sort(m_live->column("price"), Qt::AscendingOrder);
        QCOMPARE(m_signals->text(), QString());
        m_model->sort(m_live->column("price"), Qt::DescendingOrder);
        QCOMPARE(m_signals->text(), QStringLiteral("layout"));
        QCOMPARE(keys(), QStringLiteral("5 4 2 3 1"));
    }

    void moveRowsWithoutResort()
    {
        LiveTable six;
        for (int k = 1; k <= 6; ++k)
            six.insert(k, QStringLiteral("1"), QString(QChar('A' + k - 1)));
        TableIndexModel model(six.table);
        QCoreApplication::processEvents();
        QCOMPARE(LiveTable::column(model, six.column("account")), QStringLiteral("A B C D E F"));
        QVERIFY(model.moveRows(QModelIndex(), 0, 2, QModelIndex(), 4));
        QCOMPARE(LiveTable::column(model, six.column("account")), QStringLiteral("C D A B E F"));
        QVERIFY(model.moveRows(QModelIndex(), 3, 1, QModelIndex(), 3)); // onto itself
        QVERIFY(!model.moveRows(QModelIndex(), 0, 2, QModelIndex(), 9));
    }

    void outOfRangeAndUnknown()
    {
        QVERIFY(m_model->at(-1).isNull());
        QVERIFY(m_model->at(99).isNull());
        QVERIFY(!m_model->data(m_model->index(99, 0)).isValid());
        QVERIFY(!m_model->indexByRecord(Record()).isValid());
        QVERIFY(!m_model->indexByRecord(makeOrder(m_live->table, 77)).isValid());
        QCOMPARE(m_model->indexOf(makeOrder(m_live->table, 77)), -1);
        m_model->remove(makeOrder(m_live->table, 77), -1); // nothing happens
        QCOMPARE(m_model->rowCount(), 5);
        QCOMPARE(m_model->flags(m_model->index(0, 0)), Qt::ItemIsSelectable | Qt::ItemIsEnabled);
        QString message;
        try {
            m_model->setColumnDelegate(QStringLiteral("nope"), nullptr);
        } catch (const QString& m) {
            message = m;
        }
        QCOMPARE(message, QStringLiteral("Колонка 'nope' не найдена в модели 'FilterIndexModel'"));
        QCOMPARE(m_model->count(), 5);
        QCOMPARE(m_model->table(), m_live->table);
    }

    void randomBatchesMatchTheFilteredSortedTable_data()
    {
        QTest::addColumn<int>("rowsPerSearch");
        QTest::newRow("records searched near their place") << 0;
        QTest::newRow("records found by one walk") << (1 << 30);
    }

    void randomBatchesMatchTheFilteredSortedTable()
    {
        QFETCH(int, rowsPerSearch);
        const int defaultRowsPerSearch = TableIndexModelPrivate::rowsPerSearch;
        TableIndexModelPrivate::rowsPerSearch = rowsPerSearch;
        auto restore = qScopeGuard([&] { TableIndexModelPrivate::rowsPerSearch = defaultRowsPerSearch; });
        // BV_SEED replays a failed run.
        const quint32 seed = qEnvironmentVariableIsSet("BV_SEED") ? qgetenv("BV_SEED").toUInt()
                                                                  : QRandomGenerator::global()->generate();
        QRandomGenerator rng(seed);
        LiveTable live;
        StatusFilter status(*live.table);
        TableIndexModel model(live.table);
        // The tester walks the whole model on every signal: it watches the first rounds, while the table is
        // small; the oracle checks every round.
        auto* tester
            = new QAbstractItemModelTester(&model, QAbstractItemModelTester::FailureReportingMode::Fatal, &model);
        model.filtersModel()->addFilter(&status);
        const int price = live.column("price");
        const int descending = rng.bounded(2);
        model.setSort(price, descending ? Qt::DescendingOrder : Qt::AscendingOrder);
        QCoreApplication::processEvents();
        qint64 nextKey = 1;
        QList<QPersistentModelIndex> watched;
        QList<Record> watchedRecords;

        for (int round = 0; round < 300; ++round) {
            if (round == 40)
                delete tester;
            const int kind = int(rng.bounded(10));
            const int existing = live.table->count();
            if (kind == 0) {
                // Flip the filter: hide or show a random status.
                const bool on = rng.bounded(2);
                model.filtersModel()->setFilterValueAndEnabled(0, QString::number(1 + rng.bounded(3)), on);
            } else if (kind == 1 && existing > 0) {
                // A single change.
                const Record r = live.table->masterIndex()->at(int(rng.bounded(existing)));
                live.tick(r.data(0).toInteger64(), "price", QString::number(rng.bounded(50)));
            } else {
                // A batch of inserts, removals, key and non-key updates; large ones go through the workers.
                const int size
                    = round >= 40 && rng.bounded(5) == 0 ? 600 + int(rng.bounded(1500)) : 1 + int(rng.bounded(40));
                // Now and then a large batch of new rows only, spread over the whole list.
                const bool onlyInserts = size >= 600 && rng.bounded(3) == 0;
                QSet<qint64> touched;
                for (int i = 0; i < size; ++i) {
                    // The table stays around two thousand rows: large enough for the parallel analysis, small
                    // enough for the model tester's full walks.
                    const int what = live.table->count() > 2000 ? 1 + int(rng.bounded(3)) : int(rng.bounded(4));
                    if (onlyInserts || what == 0 || live.table->count() == 0) {
                        live.stageInsert(nextKey++, QString::number(rng.bounded(50)));
                        continue;
                    }
                    const Record r = live.table->masterIndex()->at(int(rng.bounded(live.table->count())));
                    const qint64 key = r.data(0).toInteger64();
                    if (touched.contains(key))
                        continue;
                    touched.insert(key);
                    if (what == 1)
                        live.stageRemove(key);
                    else if (what == 2)
                        live.stageTick(key, "price", QString::number(rng.bounded(50)));
                    else
                        live.stageTick(key, "status", int(1 + rng.bounded(3)));
                }
                live.commit();
            }

            // The oracle: the table's records that pass the filter, in sort order.
            QSet<const void*> expected;
            for (const Record& r : *live.table->masterIndex()) {
                if (model.filter(r))
                    expected.insert(r.handle());
            }
            QSet<const void*> shown;
            for (int row = 0; row < model.rowCount(); ++row) {
                shown.insert(model.at(row).handle());
                if (row > 0 && model.compare(model.at(row - 1), model.at(row)) > 0)
                    QFAIL(qPrintable(
                        QStringLiteral("out of order at row %1, round %2, seed %3").arg(row).arg(round).arg(seed)));
            }
            if (shown != expected || model.rowCount() != expected.size())
                QFAIL(
                    qPrintable(QStringLiteral("rows differ from the table in round %1, seed %2").arg(round).arg(seed)));
            // Persistent indexes stay on their records, or become invalid when the record left.
            for (int i = 0; i < watched.size(); ++i) {
                if (watched[i].isValid() && model.record(watched[i]) != watchedRecords[i])
                    QFAIL(qPrintable(QStringLiteral("a persistent index lost its record in round %1, seed %2")
                                         .arg(round)
                                         .arg(seed)));
            }
            if (model.rowCount() > 0 && watched.size() < 20) {
                const int row = int(rng.bounded(model.rowCount()));
                watched << QPersistentModelIndex(model.index(row, 0));
                watchedRecords << model.at(row);
            }
        }
        model.filtersModel()->removeFilter(&status);
    }
};

QTEST_MAIN(tst_TableIndexModel)
#include "tst_tableindexmodel.moc"
