#include "views/headerproxystyle.h"
#include "views/headerview.h"
#include "views/treeheaderview.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QPainter>
#include <QStandardItemModel>
#include <QStyleOptionHeader>
#include <QtTest>

class tst_ViewHeaders : public QObject
{
    Q_OBJECT

private:
    QStandardItemModel m_model { 2, 4 };

    void click(QHeaderView& header, int section)
    {
        const QPoint at(header.sectionViewportPosition(section) + 5, header.height() / 2);
        QTest::mouseClick(header.viewport(), Qt::LeftButton, Qt::NoModifier, at);
    }

private Q_SLOTS:
    // The click that brings a window to the front does not sort; the next one does.
    void activatingClickDoesNotSort()
    {
        HeaderView header(Qt::Horizontal);
        header.setModel(&m_model);
        header.setSectionsClickable(true);
        header.setSortIndicatorShown(true);
        header.setSortIndicator(0, Qt::AscendingOrder);
        header.resize(400, 30);
        header.show();
        QVERIFY(QTest::qWaitForWindowExposed(&header));
        QEvent activate(QEvent::WindowActivate);
        QApplication::sendEvent(&header, &activate);
        click(header, 2);
        QCOMPARE(header.sortIndicatorSection(), 0);
        QCoreApplication::processEvents();
        click(header, 2);
        QCOMPARE(header.sortIndicatorSection(), 2);
    }

    void columnsMenuShowsAndHidesColumnsButKeepsTheLastOne()
    {
        HeaderView header(Qt::Horizontal);
        header.setModel(&m_model);
        m_model.setHorizontalHeaderLabels(
            { QStringLiteral("Цена"), QStringLiteral("Бумага"), QStringLiteral("Код"), QStringLiteral("Объём") });
        QSignalSpy triggered(&header, &HeaderView::columnActionTriggered);
        QScopedPointer<QMenu> menu(header.createColumnsMenu());
        QStringList titles;
        for (QAction* action : menu->actions())
            titles << action->text();
        QCOMPARE(titles.join(QLatin1Char(' ')), QStringLiteral("Бумага Код Объём Цена"));
        menu->actions().at(3)->trigger(); // "Цена" off
        QVERIFY(header.isSectionHidden(0));
        QCOMPARE(triggered.takeFirst(), (QList<QVariant> { 0, false }));
        for (int section : { 1, 2 })
            header.hideSection(section);
        menu.reset(header.createColumnsMenu());
        QVERIFY(!menu->actions().at(2)->isEnabled()); // "Объём", the last one shown
        QCOMPARE(HeaderView::getVisibleColumns(&header), QList<int> { 3 });
    }

    void treeHeaderKeepsItsFirstColumnInFront()
    {
        TreeHeaderView header;
        header.setModel(&m_model);
        header.moveSection(2, 0);
        QCOMPARE(header.logicalIndex(0), 0);
        header.moveSection(0, 3);
        QCOMPARE(header.logicalIndex(0), 0);
        header.setFirstColumnLocked(false);
        header.moveSection(header.visualIndex(2), 0);
        QCOMPARE(header.logicalIndex(0), 2);
    }

    // A title wider than its section is cut with an ellipsis and drawn from the left, even when right-aligned:
    // the style's drawing equals a plain left-aligned drawing of the elided text.
    void longTitleIsElidedFromTheLeft()
    {
        HeaderProxyStyle style;
        QCOMPARE(HeaderProxyStyle::instance(), &style);
        const QString title = QStringLiteral("Вариационная маржа по позиции");
        const QRect cell(0, 0, 60, 20);
        QImage drawn(cell.size(), QImage::Format_ARGB32);
        QImage expected(cell.size(), QImage::Format_ARGB32);
        for (QImage* image : { &drawn, &expected })
            image->fill(Qt::white);
        {
            QPainter painter(&drawn);
            style.drawItemText(&painter, cell, Qt::AlignRight | Qt::AlignVCenter, QApplication::palette(), true, title);
        }
        {
            QPainter painter(&expected);
            const QString elided = painter.fontMetrics().elidedText(title, Qt::ElideRight, cell.width());
            QVERIFY(elided != title);
            painter.setPen(QApplication::palette().color(QPalette::WindowText));
            painter.drawText(cell, Qt::AlignLeft | Qt::AlignVCenter, elided);
        }
        QCOMPARE(drawn, expected);
    }
};

QTEST_MAIN(tst_ViewHeaders)
#include "tst_viewheaders.moc"
