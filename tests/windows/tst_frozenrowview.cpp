#include "core/db/masterindex.h"
#include "filters/rowfiltersmodel.h"
#include "livetable.h"
#include "models/columntotalsmodel.h"
#include "models/tableindexmodel.h"
#include "sidefilter.h"
#include "views/readinghold/readinghold.h"
#include "windows/frozenrowview.h"

#include <QAbstractItemModelTester>
#include <QHeaderView>
#include <QScrollBar>
#include <QtTest>

// A totals row under a live orders view.
class tst_FrozenRowView : public QObject
{
    Q_OBJECT

private:
    LiveTable* m_live = nullptr;
    TableIndexModel* m_model = nullptr;
    TableFastView* m_view = nullptr;
    ColumnTotalsModel* m_totals = nullptr;
    FrozenRowView* m_frozen = nullptr;

    // The quantities of the table's orders but those on `hiddenSide`, summed afresh.
    qint64 quantityInTable(const QString& hiddenSide = QString()) const
    {
        qint64 sum = 0;
        for (const Record& r : *m_live->table->masterIndex()) {
            if (hiddenSide.isEmpty() || r.data(QStringLiteral("buysell")).toString() != hiddenSide)
                sum += r.data(QStringLiteral("quantity")).toInteger64();
        }
        return sum;
    }

private Q_SLOTS:
    void init()
    {
        m_live = new LiveTable;
        for (qint64 key = 1; key <= 50; ++key)
            m_live->insert(key, QStringLiteral("100"));
        m_model = new TableIndexModel(m_live->table);
        m_model->rebuild();
        m_view = new TableFastView;
        m_view->setModel(m_model);
        m_view->resize(300, 300);
        m_totals = new ColumnTotalsModel(m_model, m_view);
        new QAbstractItemModelTester(m_totals, QAbstractItemModelTester::FailureReportingMode::Fatal, m_totals);
        m_totals->setInterval(10);
        m_totals->setSummedColumns({ QStringLiteral("quantity"), QStringLiteral("no such column") });
        m_frozen = new FrozenRowView(m_view);
        m_frozen->setModel(m_totals);
        m_view->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_view));
        QCoreApplication::processEvents(); // the queued first layout
    }
    void cleanup()
    {
        delete m_view;
        delete m_model;
        delete m_live;
    }

    void totalsFollowTheTableLive()
    {
        const int quantity = m_live->column("quantity");
        QCOMPARE(m_totals->summedColumns(), QList<int> { m_model->columnIndex(QStringLiteral("quantity")) });
        QCOMPARE(m_totals->index(0, quantity).data().toLongLong(), quantityInTable());
        m_live->tick(7, "quantity", qint64(1000));
        m_live->insert(51, QStringLiteral("90"));
        m_live->remove(3);
        QTRY_COMPARE(m_totals->index(0, quantity).data().toLongLong(), quantityInTable());
        QCOMPARE(m_totals->index(0, 0).data().toString(), QStringLiteral("Итого"));
    }

    // Shown: every order but the buy ones. Random batches move records into and out of the filter, in the same update
    // as a change of the summed field or not, change a record more than once, change summed and other fields, insert
    // and remove; after every batch the totals equal a fresh sum of the table's other orders.
    void totalsFollowBatchesThroughTheModelsFilter()
    {
        SideFilter side(*m_live->table);
        m_model->filtersModel()->addFilter(&side);
        m_model->filtersModel()->setFilterValueAndEnabled(0, QStringLiteral("B"), true);
        const int quantity = m_live->column("quantity");
        QTRY_COMPARE(m_totals->index(0, quantity).data().toLongLong(), quantityInTable(QStringLiteral("B")));
        QRandomGenerator rng(5);
        qint64 next = 100;
        for (int batch = 0; batch < 40; ++batch) {
            QSet<qint64> gone;
            for (int change = 0; change < 8; ++change) {
                const int row = int(rng.bounded(m_live->table->count()));
                const qint64 key = m_live->table->masterIndex()->at(row).data(0).toInteger64();
                if (gone.contains(key))
                    continue;
                const QString newSide = rng.bounded(2) ? QStringLiteral("B") : QStringLiteral("S");
                switch (rng.bounded(6)) {
                case 0:
                    m_live->stageTick(key, "buysell", newSide);
                    break;
                case 1:
                    m_live->stageTick(key, "quantity", qint64(rng.bounded(1000)));
                    break;
                case 2: // across the filter with a new quantity
                    m_live->stageTick(key, "buysell", newSide);
                    m_live->stageTick(key, "quantity", qint64(rng.bounded(1000)));
                    break;
                case 3:
                    m_live->stageTick(key, "price", QStringLiteral("%1").arg(90 + rng.bounded(20)));
                    break;
                case 4:
                    m_live->stageRemove(key);
                    gone.insert(key);
                    break;
                default:
                    m_live->stageInsert(next++, QStringLiteral("95"), QStringLiteral("A"), newSide);
                }
            }
            m_live->commit();
            m_totals->recompute();
            QCOMPARE(m_totals->index(0, quantity).data().toLongLong(), quantityInTable(QStringLiteral("B")));
        }
        QVERIFY(m_model->rowCount() > 0 && m_model->rowCount() < m_live->table->count());
        m_model->filtersModel()->removeFilter(&side);
    }

    void rowsSitUnderTheMainRowsAndGiveTheMarginBack()
    {
        const QRect rows = m_view->viewport()->geometry();
        QCOMPARE(m_frozen->QWidget::geometry().top(), rows.bottom() + 1);
        QCOMPARE(m_frozen->QWidget::geometry().width(), rows.width());
        QCOMPARE(m_frozen->height(), m_frozen->rowHeight() + m_frozen->delimeterWidth());
        QCOMPARE(m_view->viewportMargins().bottom(), m_frozen->height() - 1);
        m_frozen->setRowCount(2);
        QCOMPARE(m_frozen->height(), 2 * m_frozen->rowHeight() + m_frozen->delimeterWidth());
        delete m_frozen;
        QCOMPARE(m_view->viewportMargins().bottom(), 0);
    }

    void columnsAndHorizontalScrollFollowTheMainView()
    {
        QHeaderView* main = m_view->header();
        QHeaderView* own = m_frozen->header();
        main->resizeSection(2, 170);
        main->moveSection(3, 0);
        main->hideSection(4);
        QCOMPARE(own->sectionSize(2), 170);
        QCOMPARE(own->logicalIndex(0), main->logicalIndex(0));
        QVERIFY(own->isSectionHidden(4));
        QVERIFY(m_view->horizontalScrollBar()->maximum() > 0);
        m_view->horizontalScrollBar()->setValue(m_view->horizontalScrollBar()->maximum() / 2);
        QCOMPARE(m_frozen->horizontalScrollBar()->value(), m_view->horizontalScrollBar()->value());
        // The main view showing its rows through the reading hold keeps the columns in step.
        m_view->readingHold()->setEnabled(true);
        QCOMPARE(own->saveState(), main->saveState());

        // The wheel over the frozen rows scrolls the rows above.
        const int before = m_view->verticalScrollBar()->value();
        const QPoint at = m_frozen->viewport()->rect().center();
        QWheelEvent wheel(at, m_frozen->viewport()->mapToGlobal(at), QPoint(), QPoint(0, -120), Qt::NoButton,
            Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(m_frozen->viewport(), &wheel);
        QVERIFY(m_view->verticalScrollBar()->value() > before);
    }
};

QTEST_MAIN(tst_FrozenRowView)
#include "tst_frozenrowview.moc"
