#include "core/db/appsettings.h"
#include "core/db/mapsettings.h"
#include "core/host/embedded/embeddedcore.h"
#include "delegates/viewscolormanager.h"
#include "delegates/viewscolorpage.h"
#include "delegates/viewscolorwidget.h"

#include <QListWidget>
#include <QSettings>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include "core/host/widgets/colorbutton.h"

using M = ViewsColorManager;

class tst_ViewsColorManager : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;

private Q_SLOTS:
    void initTestCase()
    {
        AppSettings::setLocation(m_dir.path());
        QCoreApplication::setApplicationName(QStringLiteral("colors-test"));
    }

    void defaultsByViewRoleAndMeaning_data()
    {
        QTest::addColumn<int>("view");
        QTest::addColumn<int>("role");
        QTest::addColumn<int>("color");
        QTest::addColumn<QColor>("expected");
        QTest::newRow("orders buy") << int(M::Orders) << int(M::BackgroundRole) << int(M::BuyColor)
                                    << QColor(230, 255, 210);
        QTest::newRow("orders sell selection")
            << int(M::Orders) << int(M::SelectionRole) << int(M::SellColor) << QColor(180, 0, 0);
        QTest::newRow("orders unknown selection")
            << int(M::Orders) << int(M::SelectionRole) << int(M::UnknownOperationColor) << QColor(Qt::blue);
        QTest::newRow("dom best buy") << int(M::Dom) << int(M::BackgroundRole) << int(M::BestBuyPriceColor)
                                      << QColor(90, 200, 50);
        QTest::newRow("deals unknown") << int(M::Deals) << int(M::BackgroundRole) << int(M::UnknownOperationColor)
                                       << QColor(255, 255, 190);
        QTest::newRow("my deals unknown selection")
            << int(M::MyDeals) << int(M::SelectionRole) << int(M::UnknownOperationColor) << QColor(220, 220, 0);
        QTest::newRow("securities up price")
            << int(M::Securities) << int(M::BackgroundRole) << int(M::UpPriceColor) << QColor(90, 200, 50);
        QTest::newRow("securities change price")
            << int(M::Securities) << int(M::BackgroundRole) << int(M::ChangePriceColor) << QColor(Qt::gray);
        QTest::newRow("securities up price selection")
            << int(M::Securities) << int(M::SelectionRole) << int(M::UpPriceColor) << QColor();
        QTest::newRow("securities down selection")
            << int(M::Securities) << int(M::SelectionRole) << int(M::DownColor) << QColor(174, 0, 1);
        QTest::newRow("securities buy: none")
            << int(M::Securities) << int(M::BackgroundRole) << int(M::BuyColor) << QColor();
        QTest::newRow("mm violation") << int(M::MmResponsibilities) << int(M::BackgroundRole)
                                      << int(M::MMAmountViolation) << QColor(255, 230, 210);
        QTest::newRow("mm fulfil selection")
            << int(M::MmResponsibilities) << int(M::SelectionRole) << int(M::MMSpreadFulfil) << QColor(0, 150, 0);
        QTest::newRow("opt calc") << int(M::OptCalc) << int(M::SelectionRole) << int(M::OptCalcMivMpBase)
                                  << QColor(65, 110, 105);
        QTest::newRow("text role never") << int(M::Orders) << int(M::TextRole) << int(M::BuyColor) << QColor();
    }
    void defaultsByViewRoleAndMeaning()
    {
        QFETCH(int, view);
        QFETCH(int, role);
        QFETCH(int, color);
        QFETCH(QColor, expected);
        QCOMPARE(M::defaultColor(M::View(view), M::Role(role), M::Color(color)), expected);
        M manager;
        QCOMPARE(manager.color(M::View(view), M::Role(role), M::Color(color)), expected);
    }

    void namesAndListedColors()
    {
        QCOMPARE(M::viewName(M::Dom), QStringLiteral("Котировки"));
        QCOMPARE(M::colorName(M::Deals, M::UnknownOperationColor),
            QStringLiteral("Фон строки, если направление сделки не определено"));
        QCOMPARE(M::colorName(M::OptCalc, M::BuyColor), QStringLiteral("Фон строки"));
        QCOMPARE(M::viewColors(M::Securities).size(), 6);
        QCOMPARE(M::viewColors(M::MmResponsibilities).first(), M::MMGroupOptionFulfil);
        QCOMPARE(M::viewColors(M::MmResponsibilities).size(), 8);
    }

    void storeWritesEveryValidColourUnderItsKeys()
    {
        M manager;
        MapSettings settings;
        manager.store(settings);
        QCOMPARE(settings.value(QStringLiteral("ViewsColors/Securities/BackgroundRole/UpPriceColor")).value<QColor>(),
            QColor(90, 200, 50));
        QVERIFY(!settings.contains(QStringLiteral("ViewsColors/Securities/SelectionRole/UpPriceColor")));
        QVERIFY(!settings.contains(QStringLiteral("ViewsColors/Orders/TextRole/BuyColor")));
        int valid = 0;
        for (int v = 0; v < M::ViewCount; ++v)
            for (int r = 0; r < M::RoleCount; ++r)
                for (int c = 0; c < M::ColorCount; ++c)
                    valid += M::defaultColor(M::View(v), M::Role(r), M::Color(c)).isValid();
        QCOMPARE(settings.allKeys().size(), valid);
    }

    void restoreReplacesKeepsOrInvalidates()
    {
        M manager;
        MapSettings settings;
        settings.setValue(QStringLiteral("ViewsColors/Orders/BackgroundRole/BuyColor"), QColor(1, 2, 3));
        settings.setValue(QStringLiteral("ViewsColors/Orders/BackgroundRole/SellColor"), QStringLiteral("#102030"));
        settings.setValue(QStringLiteral("ViewsColors/Orders/SelectionRole/BuyColor"), 12345);
        settings.setValue(QStringLiteral("ViewsColors/Orders/TextRole/BuyColor"), QColor(9, 9, 9)); // not a valid entry
        manager.restore(settings);
        QCOMPARE(manager.color(M::Orders, M::BackgroundRole, M::BuyColor), QColor(1, 2, 3));
        QCOMPARE(manager.color(M::Orders, M::BackgroundRole, M::SellColor), QColor(0x10, 0x20, 0x30));
        QVERIFY(!manager.color(M::Orders, M::SelectionRole, M::BuyColor).isValid()); // not a colour
        QCOMPARE(manager.color(M::Orders, M::SelectionRole, M::SellColor), QColor(180, 0, 0)); // never stored
        QVERIFY(!manager.color(M::Orders, M::TextRole, M::BuyColor).isValid());
    }

    void pagesAreRegisteredWithTheHost()
    {
        EmbeddedCore core;
        M manager;
        QCOMPARE(manager.pages().size(), int(M::ViewCount));
        QCOMPARE(core.optionsPages().size(), int(M::ViewCount));
        QCOMPARE(core.colorManagers(), QList<QObject*> { &manager });
        IOptionsPage* page = core.optionsPages().at(M::Securities);
        QCOMPARE(page->id(), QStringLiteral("ViewsColorPage 4"));
        QCOMPARE(page->displayName(), QStringLiteral("Инструменты"));
        QCOMPARE(page->category(), QStringLiteral("Colors"));
        QCOMPARE(page->displayCategory(), QStringLiteral("Цвета"));
        QVERIFY(!page->categoryIcon().isNull());
    }

    void widgetEditsAndResets()
    {
        M* manager = M::instance();
        ViewsColorPage* page = manager->pages().at(M::Securities);
        QWidget parent;
        auto* widget = qobject_cast<ViewsColorWidget*>(page->createPage(&parent));
        QVERIFY(widget);
        QCOMPARE(widget->colors(), M::viewColors(M::Securities));
        auto* list = widget->findChild<QListWidget*>(QStringLiteral("listWidget"));
        auto* background = widget->findChild<ColorButton*>(QStringLiteral("backgroundColor"));
        QVERIFY(list && background && widget->findChild<QWidget*>(QStringLiteral("resetButton")));
        list->setCurrentRow(3); // UpPriceColor
        QCOMPARE(background->color(), QColor(90, 200, 50));
        background->setColor(QColor(0, 0, 255));
        QCOMPARE(widget->color(M::BackgroundRole, M::UpPriceColor), QColor(0, 0, 255));
        QCOMPARE(manager->color(M::Securities, M::BackgroundRole, M::UpPriceColor), QColor(90, 200, 50)); // not yet
        widget->reset();
        QCOMPARE(widget->color(M::BackgroundRole, M::UpPriceColor), QColor(90, 200, 50));
        QCOMPARE(widget->color(M::BackgroundRole, M::DownPriceColor), QColor(240, 50, 50));
        QCOMPARE(background->color(), QColor(90, 200, 50));
        QVERIFY(!widget->color(M::BackgroundRole, M::BuyColor).isValid()); // not listed
    }

    void applyStoresTheTableAndTellsTheWindows()
    {
        M* manager = M::instance();
        ViewsColorPage* page = manager->pages().at(M::Orders);
        QWidget parent;
        auto* widget = qobject_cast<ViewsColorWidget*>(page->createPage(&parent));
        auto* list = widget->findChild<QListWidget*>(QStringLiteral("listWidget"));
        list->setCurrentRow(1); // SellColor
        widget->findChild<ColorButton*>(QStringLiteral("selectionColor"))->setColor(QColor(10, 20, 30));
        QSignalSpy changed(manager, &M::changed);
        page->apply();
        QCOMPARE(changed.count(), 1);
        QCOMPARE(manager->color(M::Orders, M::SelectionRole, M::SellColor), QColor(10, 20, 30));
        QSettings file(m_dir.filePath(QStringLiteral("colors-test.ini")), QSettings::IniFormat);
        QCOMPARE(file.value(QStringLiteral("ViewsColors/Orders/SelectionRole/SellColor")).value<QColor>(),
            QColor(10, 20, 30));
        QCOMPARE(file.value(QStringLiteral("ViewsColors/Dom/BackgroundRole/BestSellPriceColor")).value<QColor>(),
            QColor(240, 50, 50));
        page->finish();
        QVERIFY(page->widget() == nullptr);
    }
};

QTEST_MAIN(tst_ViewsColorManager)
#include "tst_viewscolormanager.moc"
