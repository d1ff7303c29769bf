#include "core/db/mapsettings.h"
#include "livetable.h"
#include "models/tableindexmodel.h"
#include "views/readinghold/heldrowsmodel.h"
#include "views/readinghold/readinghold.h"
#include "windows/tablefastview.h"

#include <QAbstractItemModelTester>
#include <QRandomGenerator>
#include <QToolButton>
#include <QtTest>

namespace {

// Every cell of a model as text, row by row: two models that print the same are the same to a reader.
QStringList cells(const QAbstractItemModel& model)
{
    QStringList rows;
    for (int row = 0; row < model.rowCount(); ++row) {
        QStringList values;
        for (int column = 0; column < model.columnCount(); ++column)
            values << model.index(row, column).data().toString();
        rows << values.join(QLatin1Char('|'));
    }
    return rows;
}

// Random inserts, removals, price changes (the sort key) and quantity changes, delivered as one batch; each
// record of the table changes at most once in it.
void randomBatch(LiveTable& live, QRandomGenerator& rng, qint64& nextKey, QList<qint64>& keys)
{
    QList<qint64> untouched = keys;
    const int changes = 1 + rng.bounded(8);
    for (int i = 0; i < changes; ++i) {
        const int kind = untouched.size() < 5 ? 0 : rng.bounded(4);
        if (kind == 0) {
            live.stageInsert(nextKey, QString::number(50 + rng.bounded(100)));
            keys << nextKey++;
            continue;
        }
        const qint64 key = untouched.takeAt(rng.bounded(untouched.size()));
        if (kind == 1) {
            live.stageRemove(key);
            keys.removeOne(key);
        } else if (kind == 2) {
            live.stageTick(key, "price", QString::number(50 + rng.bounded(100)));
        } else {
            live.stageTick(key, "quantity", qint64(1 + rng.bounded(90)));
        }
    }
    live.commit();
}

} // namespace

class tst_ReadingHold : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void heldRowsKeepTheirPlacesAndCatchUpExactly_data()
    {
        QTest::addColumn<quint32>("seed");
        const quint32 fresh = qEnvironmentVariableIsSet("BV_SEED") ? qgetenv("BV_SEED").toUInt()
                                                                   : QRandomGenerator::global()->generate();
        for (quint32 seed : { 7u, 2026u, fresh })
            QTest::addRow("seed %u", seed) << seed;
    }
    // Holds and releases alternate under random batches. Held, the rows are the records shown when the hold
    // began, in that order, each with its live values; passing and after each release, the rows are the live
    // model's, cell for cell.
    void heldRowsKeepTheirPlacesAndCatchUpExactly()
    {
        QFETCH(quint32, seed);
        QRandomGenerator rng(seed);
        LiveTable live;
        qint64 nextKey = 1;
        QList<qint64> keys;
        for (; nextKey <= 40; ++nextKey) {
            live.insert(nextKey, QString::number(50 + rng.bounded(100)));
            keys << nextKey;
        }
        TableIndexModel model(live.table);
        model.setSort(live.column("price"), Qt::AscendingOrder);
        model.rebuild();
        HeldRowsModel held(&model);
        new QAbstractItemModelTester(&held, QAbstractItemModelTester::FailureReportingMode::Fatal, &held);
        const int quantity = live.column("quantity");

        for (int round = 0; round < 30; ++round) {
            const bool holding = round % 3 != 2;
            if (holding)
                held.hold();
            else
                held.release();
            QList<Record> shown;
            for (int row = 0; row < held.rowCount(); ++row)
                shown << held.recordAt(row);
            randomBatch(live, rng, nextKey, keys);
            if (!holding) {
                QVERIFY2(cells(held) == cells(model), qPrintable(QStringLiteral("seed %1").arg(seed)));
                continue;
            }
            QCOMPARE(held.rowCount(), shown.size());
            for (int row = 0; row < shown.size(); ++row) {
                QCOMPARE(held.recordAt(row), shown.at(row));
                QCOMPARE(held.index(row, quantity).data(Qt::EditRole).toLongLong(),
                    shown.at(row).data(quantity).toInteger64());
            }
        }
        held.release();
        QCOMPARE(held.pendingChanges(), 0);
        QVERIFY2(cells(held) == cells(model), qPrintable(QStringLiteral("seed %1").arg(seed)));
    }

    // Given a view with the option on, when the pointer is over its rows and orders arrive, then the rows stay,
    // the badge counts the arrivals, and a click on it catches up.
    void pointerOverTheRowsHoldsThemAndTheBadgeCatchesUp()
    {
        LiveTable live;
        for (qint64 key = 1; key <= 30; ++key)
            live.insert(key, QStringLiteral("100"));
        TableIndexModel model(live.table);
        model.setSort(live.column("order_num"), Qt::DescendingOrder);
        model.rebuild();
        TableFastView view;
        view.setModel(&model);
        view.resize(500, 300);
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        view.readingHold()->setEnabled(true);
        view.setCurrentIndex(view.QAbstractItemView::model()->index(4, 0));
        const Record reading = view.currentRecord();

        QEvent enter(QEvent::Enter);
        QApplication::sendEvent(view.viewport(), &enter);
        for (qint64 key = 31; key <= 33; ++key)
            live.insert(key, QStringLiteral("100"));
        live.remove(2);
        QCOMPARE(view.QAbstractItemView::model()->rowCount(), 30);
        QCOMPARE(view.currentRecord(), reading);
        QCOMPARE(view.rowOf(reading), 4);
        QToolButton* badge = view.readingHold()->badge();
        QVERIFY(badge->isVisible());
        QCOMPARE(badge->text(), QStringLiteral("4 изменений"));

        QTest::mouseClick(badge, Qt::LeftButton);
        QVERIFY(!badge->isVisible());
        QCOMPARE(cells(*view.QAbstractItemView::model()), cells(model));
        QCOMPARE(view.currentRecord(), reading);
        QCOMPARE(view.rowOf(reading), 7);

        // The choice is part of the window's state.
        MapSettings stored;
        view.store(stored);
        TableFastView restored;
        restored.setModel(&model);
        restored.restore(MapSettings(), stored);
        QVERIFY(restored.readingHold()->isEnabled());
    }
};

QTEST_MAIN(tst_ReadingHold)
#include "tst_readinghold.moc"
