#include "columns/catalogue/private/numbercolumndelegates.h"
#include "core/db/masterindex.h"
#include "filters/catalogue/directoryfilters.h"
#include "filters/rowfiltersmodel.h"
#include "livetable.h"
#include "models/private/indexdepend.h"
#include "models/private/tableindexmodel_p.h"
#include "models/tableindexmodel.h"
#include "recordfields.h"
#include "sidefilter.h"

#include <QAbstractItemModelTester>
#include <QRandomGenerator>
#include <QScopeGuard>
#include <QSignalSpy>
#include <QtTest>

#include <algorithm>
#include <memory>
#include <numeric>
#include <random>

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

// The rows as a model's signals describe them: inserted, removed and moved rows applied one signal at a time, a
// layout change followed through persistent indexes kept on every row. If the signals tell the change right,
// the mirror equals the model afterwards.
class SignalMirror : public QObject
{
public:
    explicit SignalMirror(TableIndexModel* model)
        : m_model(model)
    {
        rows = allRows();
        connect(model, &QAbstractItemModel::rowsInserted, this, [this](const QModelIndex&, int first, int last) {
            structural = true;
            for (int row = first; row <= last; ++row)
                rows.insert(row, m_model->at(row));
        });
        connect(model, &QAbstractItemModel::rowsRemoved, this, [this](const QModelIndex&, int first, int last) {
            structural = true;
            rows.remove(first, last - first + 1);
        });
        connect(model, &QAbstractItemModel::rowsMoved, this,
            [this](const QModelIndex&, int first, int last, const QModelIndex&, int to) {
                structural = true;
                const QVector<Record> moving = rows.mid(first, last - first + 1);
                rows.remove(first, moving.size());
                const int at = to > last ? to - moving.size() : to;
                for (int i = 0; i < moving.size(); ++i)
                    rows.insert(at + i, moving[i]);
            });
        connect(model, &QAbstractItemModel::layoutAboutToBeChanged, this, [this] {
            structural = true;
            m_kept.clear();
            for (int row = 0; row < rows.size(); ++row)
                m_kept << QPersistentModelIndex(m_model->index(row, 0));
        });
        connect(model, &QAbstractItemModel::layoutChanged, this, [this] {
            QVector<Record> moved(m_model->rowCount());
            for (int i = 0; i < m_kept.size(); ++i) {
                if (m_kept[i].row() >= 0 && m_kept[i].row() < moved.size())
                    moved[m_kept[i].row()] = rows[i];
            }
            rows = moved;
            m_kept.clear();
        });
        connect(model, &QAbstractItemModel::modelReset, this, [this] {
            reset = true;
            rows = allRows();
        });
        connect(model, &QAbstractItemModel::dataChanged, this, [this](const QModelIndex& from, const QModelIndex& to) {
            for (int row = from.row(); row <= to.row(); ++row)
                changedRows.insert(row);
        });
    }
    void clear()
    {
        changedRows.clear();
        structural = false;
        reset = false;
    }
    QVector<Record> allRows() const
    {
        QVector<Record> all;
        for (int row = 0; row < m_model->rowCount(); ++row)
            all << m_model->at(row);
        return all;
    }

    QVector<Record> rows;
    QSet<int> changedRows; // rows named by dataChanged, numbered as before the change
    bool structural = false; // rows arrived, left or moved
    bool reset = false;

private:
    TableIndexModel* m_model;
    QList<QPersistentModelIndex> m_kept;
};

QVector<Record> rows(const TableIndexModel& model)
{
    QVector<Record> all;
    for (int row = 0; row < model.rowCount(); ++row)
        all << model.at(row);
    return all;
}

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

    void rowsReadWhileTheViewsPrepareForAMoveAreNotRememberedWrong()
    {
        // A view reads the rows about to move (to save its selection, say); afterwards every row reads as its record.
        connect(m_model.get(), &QAbstractItemModel::rowsAboutToBeMoved, this,
            [this](const QModelIndex&, int first) { m_model->index(first, 0).data(); });
        m_live->tick(1, "price", "45"); // row 0 moves down: 20 30 40 45 50
        QCOMPARE(keys(), QStringLiteral("3 2 4 1 5"));
        disconnect(m_model.get(), &QAbstractItemModel::rowsAboutToBeMoved, this, nullptr);
    }

    // A full sort by any column, ascending or descending, equals a plain stable sort of the table by that
    // column's values (records without a value first when ascending), whichever way the model sorts it.
    void fullSortsEqualAStableSortOfTheColumn()
    {
        LiveTable live;
        std::mt19937 rng(99);
        const char* prices[] = { "12.5", "12.50", "7", "-3.25", "1000000", "0.01" };
        for (int key = 1; key <= 3000; ++key) {
            Record r = makeOrder(live.table, key, QString::fromLatin1(prices[rng() % 6]));
            if (rng() % 9 == 0)
                r.data(QStringLiteral("price")).clear();
            if (rng() % 7)
                r.data(QStringLiteral("quantity")) = qint64(rng() % 40) - 20;
            if (rng() % 5)
                r.data(QStringLiteral("buysell")) = rng() % 2 ? QStringLiteral("B") : QStringLiteral("S");
            r.data(QStringLiteral("stock_id")) = int(rng() % 4) - 1;
            if (rng() % 6)
                r.data(QStringLiteral("moment")) = datetime(qint64(rng() % 50) * 1000);
            r.data(QStringLiteral("account")) = QStringLiteral("A%1").arg(rng() % 30);
            r.append();
        }
        TableIndexModel model(live.table);
        // A delegate that shows numbers and leaves their order to the stored values sorts as a plain column.
        model.setColumnDelegate(QStringLiteral("quantity"), new OrderColumnDelegate(&model), QString());
        QList<Record> table;
        for (const Record& r : *live.table->masterIndex())
            table << r;
        for (const char* name : { "order_num", "stock_id", "buysell", "price", "quantity", "moment", "account" }) {
            const int column = live.column(name);
            for (Qt::SortOrder order : { Qt::AscendingOrder, Qt::DescendingOrder }) {
                model.setSort(column, order);
                model.rebuild();
                QList<Record> expected = table;
                std::stable_sort(expected.begin(), expected.end(), [column, order](const Record& a, const Record& b) {
                    const int c = a.data(column).compare(b.data(column));
                    return order == Qt::AscendingOrder ? c < 0 : c > 0;
                });
                QCOMPARE(model.rowCount(), expected.size());
                for (int row = 0; row < expected.size(); ++row) {
                    if (model.at(row).handle() != expected.at(row).handle())
                        QFAIL(qPrintable(
                            QStringLiteral("%1 %2: row %3 differs").arg(QLatin1String(name)).arg(order).arg(row)));
                }
            }
        }
    }

    // A host's model that orders its rows its own way (newest order first, whatever column it is told to sort by)
    // is sorted, filled and searched by that one order: by a full build, by a batch of new and moving rows, and
    // by the searches that find a row again.
    void aSubclassComparisonDecidesEverySortAndSearch()
    {
        struct NewestFirst : TableIndexModel
        {
            using TableIndexModel::TableIndexModel;
            int compare(const Record& a, const Record& b) const override { return b.data(0).compare(a.data(0)); }
        };
        LiveTable live;
        std::mt19937 rng(7);
        for (int key = 1; key <= 700; ++key)
            live.stageInsert(key, QString::number(rng() % 90));
        live.commit();
        NewestFirst model(live.table);
        new QAbstractItemModelTester(&model, QAbstractItemModelTester::FailureReportingMode::Fatal, &model);
        model.setSort(live.column("price"), Qt::AscendingOrder);
        auto newestFirst = [&] {
            QVector<Record> expected;
            for (const Record& r : *live.table->masterIndex())
                expected << r;
            std::stable_sort(expected.begin(), expected.end(),
                [&](const Record& a, const Record& b) { return model.compare(a, b) < 0; });
            if (rows(model) != expected)
                return false;
            for (int row = 0; row < model.rowCount(); ++row) {
                if (model.indexOf(model.at(row)) != row)
                    return false;
            }
            return true;
        };
        model.rebuild();
        QVERIFY(newestFirst());
        for (int key = 701; key <= 1300; ++key)
            live.stageInsert(key, QString::number(rng() % 90));
        for (int key = 1; key <= 700; key += 3)
            live.stageTick(key, "price", QString::number(rng() % 90));
        live.commit();
        QVERIFY(newestFirst());
    }

    // A host's comparison also places the rows a batch moves: the dearest first (the newest where prices tie),
    // whatever the column's own order, through batches that move a few rows (each searched for) and many (walked).
    void aSubclassComparisonPlacesTheRowsABatchMoves()
    {
        struct DearestFirst : TableIndexModel
        {
            using TableIndexModel::TableIndexModel;
            int compare(const Record& a, const Record& b) const override
            {
                const int price = b.data(QStringLiteral("price")).compare(a.data(QStringLiteral("price")));
                return price != 0 ? price : b.data(0).compare(a.data(0));
            }
        };
        LiveTable live;
        std::mt19937 rng(11);
        for (int key = 1; key <= 900; ++key)
            live.stageInsert(key, QString::number(rng() % 90));
        live.commit();
        DearestFirst model(live.table);
        new QAbstractItemModelTester(&model, QAbstractItemModelTester::FailureReportingMode::Fatal, &model);
        model.setSort(live.column("price"), Qt::AscendingOrder);
        model.rebuild();
        std::vector<int> keys(900);
        std::iota(keys.begin(), keys.end(), 1);
        for (int moved : { 0, 2, 40, 500 }) {
            std::shuffle(keys.begin(), keys.end(), rng);
            for (int i = 0; i < moved; ++i)
                live.stageTick(keys[i], "price", QString::number(rng() % 90));
            if (moved > 0)
                live.commit();
            QVector<Record> expected;
            for (const Record& r : *live.table->masterIndex())
                expected << r;
            std::stable_sort(expected.begin(), expected.end(),
                [&](const Record& a, const Record& b) { return model.compare(a, b) < 0; });
            QVERIFY2(rows(model) == expected, qPrintable(QStringLiteral("after %1 rows moved").arg(moved)));
        }
    }

    // A batch repaints exactly the rows of its records whose keys stay, range by range, over the columns of the
    // changed fields (quantity..account are columns 6..7), whether their rows are searched for (a batch small
    // against the list) or found by one walk over it.
    void batchUpdateInPlaceRepaintsOnlyItsRows_data()
    {
        QTest::addColumn<int>("rowsPerSearch");
        QTest::newRow("searched") << 1;
        QTest::newRow("walked") << TableIndexModelPrivate::rowsPerSearch;
    }
    void batchUpdateInPlaceRepaintsOnlyItsRows()
    {
        QFETCH(int, rowsPerSearch);
        const int defaultRowsPerSearch = TableIndexModelPrivate::rowsPerSearch;
        auto restore = qScopeGuard([&] { TableIndexModelPrivate::rowsPerSearch = defaultRowsPerSearch; });
        TableIndexModelPrivate::rowsPerSearch = rowsPerSearch;
        m_live->stageTick(2, "quantity", 5);
        m_live->stageTick(4, "quantity", 5);
        m_live->stageTick(4, "account", QStringLiteral("B"));
        m_live->stageTick(5, "quantity", 5);
        m_live->commit();
        QCOMPARE(m_signals->text(), QStringLiteral("data(2,4,6,7)"));
        m_signals->log.clear();
        m_live->stageTick(1, "quantity", 6);
        m_live->stageTick(4, "account", QStringLiteral("C"));
        m_live->commit();
        QCOMPARE(m_signals->text(), QStringLiteral("data(0,0,6,7) data(3,3,6,7)"));
    }

    // A large batch that changes only a filtered field (the sort's left alone) hides and shows rows, whether the
    // model's predicate is that filter alone or a list of filters: each says which fields it reads.
    void aBatchOfAFilteredFieldHidesAndShowsRows_data()
    {
        QTest::addColumn<bool>("list");
        QTest::newRow("one filter") << false;
        QTest::newRow("a list of filters") << true;
    }
    void aBatchOfAFilteredFieldHidesAndShowsRows()
    {
        QFETCH(bool, list);
        const int defaultRowsPerSearch = TableIndexModelPrivate::rowsPerSearch;
        auto restore = qScopeGuard([&] { TableIndexModelPrivate::rowsPerSearch = defaultRowsPerSearch; });
        TableIndexModelPrivate::rowsPerSearch = 1 << 30; // found by the walk
        for (int key = 1; key <= 5; ++key)
            m_live->stageTick(key, "status", 1);
        m_live->commit();
        StatusFilter status(*m_live->table);
        SideFilter sides(*m_live->table);
        TableIndexModel model(m_live->table);
        new QAbstractItemModelTester(&model, QAbstractItemModelTester::FailureReportingMode::Fatal, &model);
        model.setSort(m_live->column("price"), Qt::AscendingOrder);
        model.filtersModel()->addFilter(&status);
        model.filtersModel()->setFilterValueAndEnabled(0, QStringLiteral("2"), true);
        if (list) {
            model.filtersModel()->addFilter(&sides);
            model.filtersModel()->setFilterValueAndEnabled(1, QStringLiteral("S"), true); // no order sells
        }
        QCoreApplication::processEvents();
        m_live->stageTick(2, "status", 2);
        m_live->stageTick(4, "status", 2);
        m_live->commit();
        QCOMPARE(LiveTable::column(model, 0), QStringLiteral("1 3 5"));
        m_live->stageTick(2, "status", 1);
        m_live->commit();
        QCOMPARE(LiveTable::column(model, 0), QStringLiteral("1 3 2 5"));
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
        QCOMPARE(m_model->at(2).toString(), QStringLiteral("100"));
        QCOMPARE(m_model->at(1001).toString(), QStringLiteral("1099"));
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
        QVERIFY_EXCEPTION_THROWN(m_model->setColumnDelegate(QStringLiteral("nope"), nullptr), QString);
    }

    // Random batches and single changes against independent oracles, with the model tester on throughout: the
    // model, and two models over it (one in its order, one sorted its own way), equal what a fresh build shows,
    // equal records keep their arrival order, and the signals describe every change exactly. Fixed seeds that
    // reach the hard cases (large batches on the thread pool, ties, key changes of neighbours) run every time;
    // one more seed is new each run (BV_SEED replays it).
    void randomBatchesMatchIndependentOracles_data()
    {
        QTest::addColumn<int>("rowsPerSearch");
        QTest::addColumn<qint64>("directFilterBits");
        QTest::addColumn<quint32>("seed");
        QTest::addColumn<bool>("fixed");
        const quint32 fresh = qEnvironmentVariableIsSet("BV_SEED") ? qgetenv("BV_SEED").toUInt()
                                                                   : QRandomGenerator::global()->generate();
        const qint64 direct = qint64(HandleFilter::DirectBits);
        for (quint32 seed : { 17u, 4242u, fresh }) {
            const bool fixed = seed != fresh;
            QTest::addRow("searched near their place, seed %u", seed) << 0 << direct << seed << fixed;
            // The walk's filter of handles spread too wide for a direct bit map is hashed: one seed walks with it.
            const bool hashed = seed == 17u;
            QTest::addRow("found by one walk%s, seed %u", hashed ? " with hashed handles" : "", seed)
                << (1 << 30) << (hashed ? 0 : direct) << seed << fixed;
        }
    }
    void randomBatchesMatchIndependentOracles()
    {
        QFETCH(int, rowsPerSearch);
        QFETCH(qint64, directFilterBits);
        QFETCH(quint32, seed);
        QFETCH(bool, fixed);
        const int defaultRowsPerSearch = TableIndexModelPrivate::rowsPerSearch;
        const qint64 defaultDirectFilterBits = TableIndexModelPrivate::directFilterBits;
        TableIndexModelPrivate::rowsPerSearch = rowsPerSearch;
        TableIndexModelPrivate::directFilterBits = directFilterBits;
        auto restore = qScopeGuard([&] {
            TableIndexModelPrivate::rowsPerSearch = defaultRowsPerSearch;
            TableIndexModelPrivate::directFilterBits = defaultDirectFilterBits;
        });
        QRandomGenerator rng(seed);
        QString problem; // the first thing found wrong
        auto fail = [&](const QString& what) {
            if (problem.isEmpty())
                problem = what;
        };

        LiveTable live;
        const int price = live.column("price");
        // The columns the test reads; fewer columns, fewer cells for the tester to walk on every signal.
        const QStringList unread = { QStringLiteral("stock_id"), QStringLiteral("board_id"), QStringLiteral("sec_id"),
            QStringLiteral("account"), QStringLiteral("moment"), QStringLiteral("volat") };
        StatusFilter status(*live.table);
        IndexDepend<TableIndexModel> model(live.table);
        model.removeUnusedColumns(unread);
        new QAbstractItemModelTester(&model, QAbstractItemModelTester::FailureReportingMode::Fatal, &model);
        model.filtersModel()->addFilter(&status);
        const bool descending = rng.bounded(2);
        model.setSort(
            model.columnIndex(QStringLiteral("price")), descending ? Qt::DescendingOrder : Qt::AscendingOrder);
        // Over the model: one in its order, one by quantity, both without sells.
        std::unique_ptr<SideFilter> sides[2];
        std::unique_ptr<TableIndexModel> dependents[2];
        for (int i = 0; i < 2; ++i) {
            sides[i] = std::make_unique<SideFilter>(*live.table);
            dependents[i] = std::make_unique<TableIndexModel>(model.dependBase());
            dependents[i]->removeUnusedColumns(unread);
            new QAbstractItemModelTester(
                dependents[i].get(), QAbstractItemModelTester::FailureReportingMode::Fatal, dependents[i].get());
            dependents[i]->filtersModel()->addFilter(sides[i].get());
            dependents[i]->filtersModel()->setFilterValueAndEnabled(0, QStringLiteral("S"), true);
        }
        dependents[1]->setSort(dependents[1]->columnIndex(QStringLiteral("quantity")), Qt::DescendingOrder);
        QCoreApplication::processEvents();
        SignalMirror mirror(&model);

        // The oracles' own predicates, over raw field values.
        QSet<qint64> hiddenStatuses;
        auto shown = [&](const Record& r) { return !hiddenStatuses.contains(number(r, "status")); };
        auto keyOf = [&](const Record& r) { return r.data(price).toDecimal(); };
        auto inKeyOrder
            = [&](const Record& a, const Record& b) { return descending ? keyOf(b) < keyOf(a) : keyOf(a) < keyOf(b); };
        qint64 nextKey = 1;
        QList<QPersistentModelIndex> watched;
        QList<Record> watchedRecords;
        int largeBatches = 0;
        int neighbourKeyChanges = 0;

        for (int round = 0; round < 150; ++round) {
            const QVector<Record> before = rows(model);
            QHash<const void*, int> placeBefore;
            for (int i = 0; i < before.size(); ++i)
                placeBefore.insert(before[i].handle(), i);
            QSet<const void*> touched; // records a change of this round reached
            QList<const void*> added; // new records of the batch, in the order they came
            mirror.clear();
            const int kind = round == 0 ? 3 : int(rng.bounded(12));
            bool rebuilt = false;
            if (kind == 0) {
                // The filter flips: a rebuild, after which equal records stand in the table's key order.
                hiddenStatuses.clear();
                const bool on = rng.bounded(2);
                const qint64 hidden = 1 + rng.bounded(3);
                if (on)
                    hiddenStatuses.insert(hidden);
                model.filtersModel()->setFilterValueAndEnabled(0, QString::number(hidden), on);
                rebuilt = true;
            } else if (kind == 1 && live.table->count() > 0) {
                const Record r = live.table->masterIndex()->at(int(rng.bounded(live.table->count())));
                touched.insert(r.handle());
                live.tick(r.data(0).toInteger64(), "price", QString::number(rng.bounded(50)));
            } else {
                // A batch. Now and then only fields the model neither sorts nor filters on; now and then a large one
                // whose updates the pool analyses (512 or more of them), or one of new rows only.
                const bool nonKey = kind == 2;
                const int existing = live.table->count();
                // The table stays between about 700 and 1,000 rows: small enough for the model tester, which walks
                // the whole model on every signal, large enough for the pool. A batch of new rows only comes at
                // that size or below, and a table far above it gets a large batch next, which sheds the excess.
                const int excess = existing - 1000;
                // Every signal costs the tester a walk over the model: a few large batches a run.
                const bool large
                    = (round >= 10 && rng.bounded(25) == 0 && existing >= 700) || round == 0 || excess > 300;
                const bool onlyInserts = large && !nonKey && excess <= 0 && (round == 0 || rng.bounded(4) == 0);
                const int size = round == 0 ? 900
                    : onlyInserts           ? 600 + int(rng.bounded(100))
                    : large                 ? 660 + int(rng.bounded(qMax(1, existing - 660)))
                                            : 1 + int(rng.bounded(40));
                largeBatches += large && !onlyInserts ? 1 : 0;
                // Records picked at random; a large batch picks each at most once.
                std::vector<int> picks(static_cast<std::size_t>(existing));
                std::iota(picks.begin(), picks.end(), 0);
                if (large)
                    std::shuffle(picks.begin(), picks.end(), rng);
                QSet<qint64> keys;
                QList<qint64> insertedKeys;
                QList<const void*> reallyChanged;
                QSet<int> priceChangedRows;
                for (int i = 0; i < size; ++i) {
                    const int what = nonKey ? 8
                        : excess > 0        ? (large && int(rng.bounded(size)) < excess ? 1 : 1 + int(rng.bounded(9)))
                        : existing < 700    ? int(rng.bounded(2))
                                            : int(rng.bounded(10));
                    if (onlyInserts || what == 0 || existing == 0) {
                        const qint64 key = nextKey++;
                        live.stageInsert(key, QString::number(rng.bounded(50)), QStringLiteral("A"),
                            QString::fromLatin1(rng.bounded(2) ? "B" : "S"));
                        keys.insert(key);
                        insertedKeys << key;
                        continue;
                    }
                    const int pick = large && i < existing ? picks[std::size_t(i)] : int(rng.bounded(existing));
                    const Record r = live.table->masterIndex()->at(pick);
                    const qint64 key = r.data(0).toInteger64();
                    if (keys.contains(key))
                        continue;
                    keys.insert(key);
                    touched.insert(r.handle());
                    if (what == 1) {
                        live.stageRemove(key);
                    } else if (what <= 5) {
                        live.stageTick(key, "price", QString::number(rng.bounded(50)));
                        priceChangedRows.insert(placeBefore.value(r.handle(), -2));
                    } else if (what <= 7) {
                        // The filtered field: the record may leave, arrive, or stay shown with a new value.
                        const int value = int(1 + rng.bounded(3));
                        if (number(r, "status") != value)
                            reallyChanged << r.handle();
                        live.stageTick(key, "status", value);
                    } else if (what == 8) {
                        const int value = int(rng.bounded(5));
                        if (r.data("quantity").isNull() || number(r, "quantity") != value)
                            reallyChanged << r.handle(); // setting a field to its value changes nothing
                        live.stageTick(key, "quantity", value);
                    } else {
                        const QString value = QString::fromLatin1(rng.bounded(2) ? "B" : "S");
                        if (text(r, "buysell") != value)
                            reallyChanged << r.handle();
                        live.stageTick(key, "buysell", value);
                    }
                }
                for (int row : qAsConst(priceChangedRows))
                    neighbourKeyChanges += row >= 0 && priceChangedRows.contains(row + 1) ? 1 : 0;
                live.commit();
                for (qint64 key : qAsConst(insertedKeys))
                    added << live.row(key).handle();
                if (nonKey && mirror.structural)
                    fail(QStringLiteral("a batch of non-key fields changed the rows' order"));
                // Rows named by dataChanged (numbered as before the batch): every row whose record changed a value
                // other than the sort key and stays shown (those records keep their rows), and no row whose record
                // the batch left alone or hid. A record that a status change hides or shows is a removal or an
                // insertion, not a repaint; a price change may repaint a row it leaves in place.
                QSet<const void*> shownAfter;
                for (const Record& r : rows(model))
                    shownAfter.insert(r.handle());
                for (const void* handle : qAsConst(reallyChanged)) {
                    const int row = placeBefore.value(handle, -1);
                    if (row >= 0 && shownAfter.contains(handle) && !mirror.changedRows.contains(row))
                        fail(QStringLiteral("row %1 changed without dataChanged").arg(row));
                }
                for (int row : qAsConst(mirror.changedRows)) {
                    const void* handle = before.value(row).handle();
                    if (!touched.contains(handle))
                        fail(QStringLiteral("row %1 repainted without a change").arg(row));
                    else if (!shownAfter.contains(handle))
                        fail(QStringLiteral("row %1 repainted as its record left").arg(row));
                }
            }

            // The model: the table's shown records in key order...
            const QVector<Record> now = rows(model);
            QVector<Record> expected;
            for (const Record& r : *live.table->masterIndex()) {
                if (shown(r))
                    expected << r;
            }
            std::stable_sort(expected.begin(), expected.end(), inKeyOrder);
            auto byHandle = [](QVector<Record> all) {
                std::sort(all.begin(), all.end(), std::less<Record>());
                return all;
            };
            rebuilt = mirror.reset; // a flip that changed nothing rebuilds nothing
            if (rebuilt ? now != expected
                        : byHandle(now) != byHandle(expected) || !std::is_sorted(now.begin(), now.end(), inKeyOrder))
                fail(QStringLiteral("the rows differ from the shown records of the table"));
            // ... with equal records in their arrival order: the untouched ones as before, the new ones after
            // them, new records of one batch in the order they came.
            for (int row = 1; row < now.size(); ++row) {
                const Record& a = now[row - 1];
                const Record& b = now[row];
                if (keyOf(a) != keyOf(b) || rebuilt)
                    continue;
                const bool aOld = placeBefore.contains(a.handle()) && !touched.contains(a.handle());
                const bool bOld = placeBefore.contains(b.handle()) && !touched.contains(b.handle());
                const bool bNew = added.contains(b.handle());
                if ((aOld && bOld && placeBefore[a.handle()] > placeBefore[b.handle()])
                    || (bOld && added.contains(a.handle()))
                    || (bNew && added.contains(a.handle()) && added.indexOf(a.handle()) > added.indexOf(b.handle())))
                    fail(QStringLiteral("equal records out of their arrival order at row %1").arg(row));
            }
            // The signals told the whole story.
            if (!mirror.reset && mirror.rows != now)
                fail(QStringLiteral("the signals do not add up to the rows"));
            // The models over it: the model's rows they accept, in its order, sorted their own way.
            for (int i = 0; i < 2; ++i) {
                QVector<Record> fresh;
                for (const Record& r : now) {
                    if (text(r, "buysell") != QLatin1String("S"))
                        fresh << r;
                }
                if (i == 1) {
                    // Descending by quantity; an empty quantity sorts below every number.
                    auto quantityOf = [](const Record& r) {
                        return r.data("quantity").isNull() ? std::numeric_limits<qint64>::min() : number(r, "quantity");
                    };
                    std::stable_sort(fresh.begin(), fresh.end(),
                        [&](const Record& a, const Record& b) { return quantityOf(a) > quantityOf(b); });
                }
                if (rows(*dependents[i]) != fresh) {
                    auto show = [&](const QVector<Record>& v) {
                        QStringList s;
                        for (const Record& r : v)
                            s << QStringLiteral("%1:q%2p%3").arg(r.toString(), text(r, "quantity"), text(r, "price"));
                        return s.join(' ');
                    };
                    qDebug() << "DEP" << show(rows(*dependents[i]));
                    qDebug() << "EXP" << show(fresh);
                    fail(QStringLiteral("the model over it (%1) differs from a fresh build").arg(i));
                }
            }
            // Persistent indexes stay on their records, or become invalid when the record left.
            for (int i = 0; i < watched.size(); ++i) {
                if (watched[i].isValid() && model.record(watched[i]) != watchedRecords[i])
                    fail(QStringLiteral("a persistent index lost its record"));
            }
            if (model.rowCount() > 0 && watched.size() < 20) {
                const int row = int(rng.bounded(model.rowCount()));
                watched << QPersistentModelIndex(model.index(row, 0));
                watchedRecords << model.at(row);
            }
            if (!problem.isEmpty())
                QFAIL(qPrintable(QStringLiteral("%1 in round %2, seed %3").arg(problem).arg(round).arg(seed)));
        }
        // The fixed seeds are chosen to reach the hard cases; a new seed need not.
        qInfo("seed %u: %d large batches of changes, %d key changes of neighbours", seed, largeBatches,
            neighbourKeyChanges);
        if (fixed) {
            QVERIFY(largeBatches > 0);
            QVERIFY(neighbourKeyChanges > 0);
        }
    }
};

QTEST_MAIN(tst_TableIndexModel)
#include "tst_tableindexmodel.moc"
