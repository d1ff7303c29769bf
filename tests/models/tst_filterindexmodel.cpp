#include "core/db/mapsettings.h"
#include "core/db/masterindex.h"
#include "core/host/directories/securitydirectory.h"
#include "core/host/embedded/embeddedcore.h"
#include "filters/catalogue/directoryfilters.h"
#include "filters/rowfiltersmodel.h"
#include "livetable.h"
#include "marketfixture.h"
#include "models/private/indexdepend.h"
#include "models/private/progresshelper.h"
#include "models/tableindexmodel.h"
#include "predicatefilter.h"
#include "recordfields.h"
#include "recordingindex.h"
#include "recordingprogress.h"

#include <QAbstractItemModelTester>
#include <QSignalSpy>
#include <QtTest>

#include <algorithm>
#include <chrono>
#include <memory>
#include <thread>

namespace {

// A table model over another model's rows, that notes each change it hears.
class ListeningModel : public TableIndexModel
{
public:
    ListeningModel(IndexDependBase* depend, QStringList* log)
        : TableIndexModel(depend)
        , m_log(log)
    { }
    void add(const Record& r) override
    {
        *m_log << QStringLiteral("dependent add %1").arg(r.toString());
        TableIndexModel::add(r);
    }
    void process(const QList<Record>& removed, const QList<Record>& updated, int first, int last,
        const QList<Record>& added) override
    {
        *m_log << QStringLiteral("dependent process");
        TableIndexModel::process(removed, updated, first, last, added);
    }

private:
    QStringList* m_log;
};

} // namespace

class tst_FilterIndexModel : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<LiveTable> m_live;

private Q_SLOTS:
    void init()
    {
        m_live = std::make_unique<LiveTable>();
        for (int k = 1; k <= 4; ++k)
            m_live->insert(k, QString::number(k * 10));
        m_live->tick(2, "status", 2);
    }
    void cleanup() { m_live.reset(); }

    void everyFilterChangeRebuildsWithOneReset()
    {
        TableIndexModel model(m_live->table);
        new QAbstractItemModelTester(&model, QAbstractItemModelTester::FailureReportingMode::Fatal, &model);
        QCoreApplication::processEvents();
        StatusFilter status(*m_live->table);
        RowFiltersModel* filters = model.filtersModel();
        filters->addFilter(&status);
        QSignalSpy reset(&model, &QAbstractItemModel::modelReset);

        filters->setFilterValueAndEnabled(0, QStringLiteral("2"), true); // enabled
        QCOMPARE(reset.count(), 1);
        QCOMPARE(model.rowCount(), 3);
        filters->setFilterValue(0, QStringLiteral("1|2")); // value only
        QCOMPARE(reset.count(), 2);
        Q_EMIT status.asincChanged(); // by itself
        QCOMPARE(reset.count(), 3);
        filters->apply({}); // a reset of the set
        QCOMPARE(reset.count(), 4);
        // Two filters changed together (one cleared, one set): one rebuild with both as they are now.
        StatusFilter other(*m_live->table);
        filters->addFilter(&other);
        status.setEnabled(false);
        status.clear();
        other.setValue(QStringLiteral("2"));
        other.setEnabled(true);
        QSignalSpy cells(filters, &QAbstractItemModel::dataChanged);
        filters->notifyFiltersChanged({ 0, 1 });
        QCOMPARE(reset.count(), 5);
        QCOMPARE(model.rowCount(), 3);
        QCOMPARE(cells.count(), 2);
        QCOMPARE(model.buildNumber(), 6);
        filters->removeFilter(&other);
        filters->removeFilter(&status);
    }

    void readCompilesThePredicateWithoutRebuilding()
    {
        TableIndexModel model(m_live->table);
        QCoreApplication::processEvents();
        StatusFilter status(*m_live->table);
        model.filtersModel()->addFilter(&status);
        MapSettings settings;
        settings.setValue(QStringLiteral("filters/status.value"), QStringLiteral("2"));
        settings.setValue(QStringLiteral("filters/status.enabled"), true);
        QSignalSpy reset(&model, &QAbstractItemModel::modelReset);
        model.read(settings);
        QCOMPARE(reset.count(), 0);
        QCOMPARE(model.rowCount(), 4); // not rebuilt yet
        QVERIFY(!model.filter(m_live->row(2)));
        model.rebuild();
        QCOMPARE(model.rowCount(), 3);
        MapSettings written;
        model.write(written);
        QCOMPARE(written.value(QStringLiteral("filters/status.value")).toString(), QStringLiteral("2"));
        model.filtersModel()->removeFilter(&status);
    }

    void destroyingAModelUnregistersItFirst()
    {
        auto* model = new TableIndexModel(m_live->table);
        QCoreApplication::processEvents();
        QCOMPARE(m_live->table->indexes().size(), 1);
        delete model;
        QVERIFY(m_live->table->indexes().isEmpty());
        m_live->insert(9, QStringLiteral("1")); // nobody is told of it any more
    }

    void dependentModelsFollowTheirOwnerOnce()
    {
        QStringList log;
        IndexDepend<TableIndexModel> owner(m_live->table);
        owner.setSort(m_live->column("price"), Qt::DescendingOrder);
        ListeningModel dependent(owner.dependBase(), &log);
        QCOMPARE(dependent.table(), m_live->table);
        QCoreApplication::processEvents();
        // Built from the owner's rows, in the owner's order.
        QCOMPARE(LiveTable::column(dependent, 0), QStringLiteral("4 3 2 1"));
        QCOMPARE(owner.getClassName(), QStringLiteral("IndexDepend::FilterIndexModel"));
        log.clear();
        m_live->insert(5, QStringLiteral("25"));
        QCOMPARE(log, QStringList { QStringLiteral("dependent add 5") }); // once, after the owner
        QCOMPARE(LiveTable::column(owner, 0), QStringLiteral("4 3 5 2 1"));
        log.clear();
        m_live->stageInsert(6, QStringLiteral("1"));
        m_live->commit();
        QCOMPARE(log, QStringList { QStringLiteral("dependent process") });
        QCOMPARE(dependent.rowCount(), 6);
    }

    void oneBuildWhenAWindowOpensAndOneResetPerRebuild()
    {
        // Given a model that a window builds at once, before the event loop runs the table's queued first build,
        // and a model over it.
        IndexDepend<TableIndexModel> owner(m_live->table);
        TableIndexModel dependent(owner.dependBase());
        QSignalSpy ownerResets(&owner, &QAbstractItemModel::modelReset);
        QSignalSpy dependentResets(&dependent, &QAbstractItemModel::modelReset);
        owner.rebuild();
        QCoreApplication::processEvents();
        // Then each was built once, with one reset.
        QCOMPARE(owner.buildNumber(), 1);
        QCOMPARE(dependent.buildNumber(), 1);
        QCOMPARE(ownerResets.count(), 1);
        QCOMPARE(dependentResets.count(), 1);
        // And a rebuild of the owner (a filter changed) rebuilds the model over it once too.
        owner.rebuild();
        QCOMPARE(dependent.buildNumber(), 2);
        QCOMPARE(ownerResets.count(), 2);
        QCOMPARE(dependentResets.count(), 2);
        QCOMPARE(dependent.rowCount(), 4);
    }

    void whatAModelIndexesMayGoFirst()
    {
        // An owner destroyed before the model over it: that model empties itself, once, and stays usable.
        auto* owner = new IndexDepend<TableIndexModel>(m_live->table);
        TableIndexModel dependent(owner->dependBase());
        new QAbstractItemModelTester(&dependent, QAbstractItemModelTester::FailureReportingMode::Fatal, &dependent);
        QCoreApplication::processEvents();
        QCOMPARE(dependent.rowCount(), 4);
        QSignalSpy reset(&dependent, &QAbstractItemModel::modelReset);
        delete owner;
        QCOMPARE(reset.count(), 1);
        QCOMPARE(dependent.rowCount(), 0);
        QVERIFY(!dependent.table());
        m_live->insert(9, QStringLiteral("1"));
        dependent.rebuild();
        QCOMPARE(dependent.rowCount(), 0);

        // A table destroyed before its models and the directories over it: they empty themselves.
        MarketFixture market;
        Table* securities = market.table(QStringLiteral("securities"));
        TableIndexModel instruments(securities);
        QCoreApplication::processEvents();
        const Record any = *securities->masterIndex()->begin();
        const SecurityKey key { int(number(any, "stock_id")), int(number(any, "board_id")), number(any, "sec_id") };
        QVERIFY(!SecurityDirectory::i()->nameById(key.stock, key.board, key.sec).isEmpty());
        QSignalSpy directoryChanged(SecurityDirectory::i(), &TableDirectory::dataChanged);
        delete securities;
        QCOMPARE(instruments.rowCount(), 0);
        QVERIFY(SecurityDirectory::i()->nameById(key.stock, key.board, key.sec).isEmpty());
        QCOMPARE(directoryChanged.count(), 1);
        QVERIFY(!any.table()); // a handle kept elsewhere reads as empty
        QVERIFY(!any.data(0).isValid());
    }

    // A large build filters and sorts on the worker threads, and still tells the host how far it got as it goes:
    // on the thread that asked for the build, in counts that only rise, through the filtering and the sorting
    // (first and second half of the records), up to the records.
    void buildsReportProgressToTheHost_data()
    {
        QTest::addColumn<int>("records");
        QTest::addColumn<QString>("sortColumn");
        QTest::addColumn<bool>("slowFilter");
        QTest::addColumn<bool>("overAnotherModel");
        QTest::addRow("filtered slowly") << 20000 << QString() << true << false;
        QTest::addRow("sorted by comparing texts") << 200000 << QStringLiteral("account") << false << false;
        QTest::addRow("sorted by stored prices") << 1000000 << QStringLiteral("price") << false << false;
        // Ties keep the owner's order: the rows are taken in it first (the first fifth of the sort's half).
        QTest::addRow("over another model") << 1000000 << QStringLiteral("price") << false << true;
    }
    void buildsReportProgressToTheHost()
    {
        QFETCH(int, records);
        QFETCH(QString, sortColumn);
        QFETCH(bool, slowFilter);
        QFETCH(bool, overAnotherModel);
        EmbeddedCore core;
        RecordingProgress display;
        core.progressService().setDisplay(&display);
        LiveTable big;
        for (int k = 0; k < records; ++k)
            big.stageInsert(k, QString::number(k % 1000), QStringLiteral("A%1").arg(qint64(k) * 7919 % records));
        big.commit();
        std::unique_ptr<IndexDepend<TableIndexModel>> owner;
        std::unique_ptr<TableIndexModel> made;
        if (overAnotherModel) {
            owner = std::make_unique<IndexDepend<TableIndexModel>>(big.table);
            owner->rebuild();
            made = std::make_unique<TableIndexModel>(owner->dependBase());
        } else {
            made = std::make_unique<TableIndexModel>(big.table);
        }
        TableIndexModel& model = *made;
        // A filter that takes its time now and then, as one reading every cell of a row does.
        PredicateFilter slow([](const Record& r) {
            if (r.data(0).toInteger64() % 100 == 0)
                std::this_thread::sleep_for(std::chrono::milliseconds(1));
            return true;
        });
        if (slowFilter)
            model.filtersModel()->addFilter(&slow);
        if (!sortColumn.isEmpty())
            model.setSort(big.column(sortColumn.toLatin1().constData()), Qt::DescendingOrder);
        display.clear();
        model.rebuild();
        const QString message
            = QStringLiteral("Построение №%1 индекса табличной модели по таблице orders ").arg(model.buildNumber());
        QString fault;
        const QVector<qint64> counts = display.counts(message, records, QThread::currentThread(), &fault);
        QVERIFY2(fault.isEmpty(), qPrintable(fault));
        // Reported while the phase that takes the time ran, not only at its end.
        const auto within = [&](qint64 from, qint64 to) {
            return std::any_of(counts.begin(), counts.end(), [&](qint64 c) { return c > from && c < to; });
        };
        if (slowFilter)
            QVERIFY2(within(0, records / 2), qPrintable(display.lines.join(QLatin1Char('\n'))));
        else if (overAnotherModel)
            QVERIFY2(
                within(records / 2, records / 2 + records / 10), qPrintable(display.lines.join(QLatin1Char('\n'))));
        else
            QVERIFY2(within(records / 2, records), qPrintable(display.lines.join(QLatin1Char('\n'))));
        model.filtersModel()->removeFilter(&slow);
    }

    void progressStepFollowsTheClock()
    {
        EmbeddedCore core;
        RecordingProgress display;
        core.progressService().setDisplay(&display);
        {
            // A build handling ten records a millisecond for 150 ms, on a clock driven step by step.
            ProgressHelper progress(QStringLiteral("работа"), 1000000);
            for (qint64 n = 1; n <= 1500; ++n)
                progress.progressAt(n, n / 10);
            // The step became the records of one 40 ms interval: the clock is read once per step.
            QCOMPARE(progress.step(), 410);
        }
        // One report at the first count past 40 ms, then one per step while more than 40 ms passed.
        QCOMPARE(display.lines,
            (QStringList { "start работа 1000000", "progress работа 410", "progress работа 820", "progress работа 1230",
                "end работа" }));
    }
};

QTEST_MAIN(tst_FilterIndexModel)
#include "tst_filterindexmodel.moc"
