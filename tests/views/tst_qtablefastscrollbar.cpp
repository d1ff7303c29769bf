#include "views/qtablefastscrollbar.h"

#include <QtTest>

namespace {

class PaintCounter : public QObject
{
public:
    int paints = 0;
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            ++paints;
        return false;
    }
};

} // namespace

class tst_QTableFastScrollBar : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // The view moves the bar with its signals blocked while rows stream in; the thumb must follow anyway.
    void repaintsOnChangesMadeWithSignalsBlocked()
    {
        QTableFastScrollBar bar(Qt::Vertical);
        bar.resize(16, 300);
        bar.setRange(0, 100);
        bar.show();
        QVERIFY(QTest::qWaitForWindowExposed(&bar));
        PaintCounter counter;
        bar.installEventFilter(&counter);
        const QImage before = bar.grab().toImage();

        const bool blocked = bar.blockSignals(true);
        bar.setRange(0, 100000);
        bar.setValue(100000);
        bar.blockSignals(blocked);
        QTRY_VERIFY(counter.paints > 0);
        QVERIFY(bar.grab().toImage() != before);
    }
};

QTEST_MAIN(tst_QTableFastScrollBar)
#include "tst_qtablefastscrollbar.moc"
