#include "core/db/appsettings.h"
#include "core/db/mapsettings.h"
#include "delegates/private/viewscolorwidget.h"
#include "delegates/viewscolormanager.h"
#include "delegates/viewscolorpage.h"

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
