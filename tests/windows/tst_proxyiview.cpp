#include "core/db/appsettings.h"
#include "core/db/defaultsettings.h"
#include "core/db/mapsettings.h"
#include "stateview.h"
#include "windows/proxyiview.h"

#include <QAction>
#include <QTemporaryDir>
#include <QToolBar>
#include <QtTest>

namespace {

StateView* current(const ProxyIView& proxy)
{
    return dynamic_cast<StateView*>(proxy.currentView());
}

void switchTo(ProxyIView& proxy, const QString& title)
{
    for (QAction* action : proxy.switcher()->actions()) {
        if (action->text() == title)
            action->trigger();
    }
}

} // namespace

class tst_ProxyIView : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_settings;
    QTemporaryDir m_defaults;
    StateViewFactory m_table { "table" };
    StateViewFactory m_tree { "tree" };

    void addBoth(ProxyIView& proxy)
    {
        proxy.addFactory(&m_table, QStringLiteral("Таблица"));
        proxy.addFactory(&m_tree, QStringLiteral("Дерево"));
    }

private Q_SLOTS:
    void initTestCase()
    {
        AppSettings::setLocation(m_settings.path());
        DefaultSettings::setDirectory(m_defaults.path());
    }

    void withoutViewAnswersEmpty()
    {
        ProxyIView proxy(QStringLiteral("orders"));
        MapSettings state;
        proxy.store(state);
        QVERIFY(state.values().isEmpty());
        // A core handed over with no kinds makes nothing.
        proxy.initCore(nullptr);
        QVERIFY(!proxy.currentView());
    }

    void firstKindComesWithTheWindowKindsDefaults()
    {
        QSettings defaults(QDir(m_defaults.path()).filePath(QStringLiteral("positions.ini")), QSettings::IniFormat);
        defaults.setValue(QStringLiteral("proxyIView_table/value"), 42);
        defaults.sync();
        ProxyIView proxy(QStringLiteral("positions"));
        addBoth(proxy);
        proxy.initCore(nullptr);
        QCOMPARE(proxy.currentFactory(), &m_table);
        QCOMPARE(current(proxy)->restoredDefault, 1);
        QCOMPARE(current(proxy)->value, 42);
        QCOMPARE(proxy.defaultSize(), QSize(320, 200));
        QVERIFY(proxy.switcher()->actions().at(0)->isChecked());
    }

    void switchingBackRestoresEachViewAsItWasLeft()
    {
        ProxyIView proxy(QStringLiteral("orders"));
        addBoth(proxy);
        proxy.setWindowTitle(QStringLiteral("Заявки"));
        proxy.initCore(nullptr);
        current(proxy)->value = 7;

        switchTo(proxy, QStringLiteral("Дерево"));
        QCOMPARE(proxy.currentFactory(), &m_tree);
        QCOMPARE(current(proxy)->value, 0);
        QCOMPARE(current(proxy)->windowTitle(), QStringLiteral("Заявки"));
        current(proxy)->value = 3;

        switchTo(proxy, QStringLiteral("Таблица"));
        QCOMPARE(current(proxy)->value, 7);
        QCOMPARE(current(proxy)->restoredDefault, 0);
        switchTo(proxy, QStringLiteral("Дерево"));
        QCOMPARE(current(proxy)->value, 3);

        // Re-choosing the current kind keeps its view.
        StateView* before = current(proxy);
        switchTo(proxy, QStringLiteral("Дерево"));
        QCOMPARE(current(proxy), before);
    }

    void storeAndRestoreRoundTripThroughAnIniFile()
    {
        {
            ProxyIView proxy(QStringLiteral("orders"));
            addBoth(proxy);
            proxy.setExtraKey(QStringLiteral("SBER"));
            proxy.initCore(nullptr);
            current(proxy)->value = 7;
            switchTo(proxy, QStringLiteral("Дерево"));
            current(proxy)->value = 3;
            AppSettings settings(QStringLiteral("windows"));
            settings.beginGroup(QStringLiteral("window1"));
            proxy.store(settings);
        }
        AppSettings settings(QStringLiteral("windows"));
        QCOMPARE(settings.value(QStringLiteral("window1/proxyIView_factoryKey")).toString(), QStringLiteral("tree"));
        settings.beginGroup(QStringLiteral("window1"));
        ProxyIView restored(QStringLiteral("orders"));
        addBoth(restored);
        restored.restore(MapSettings(), settings);
        QCOMPARE(restored.currentFactory(), &m_tree);
        QCOMPARE(current(restored)->value, 3);
        QCOMPARE(current(restored)->extraKey, QStringLiteral("SBER"));
        // The host hands the core afterwards: the restored view stays.
        StateView* made = current(restored);
        restored.initCore(nullptr);
        QCOMPARE(current(restored), made);
        switchTo(restored, QStringLiteral("Таблица"));
        QCOMPARE(current(restored)->value, 7);
    }

    void restoringReplacesTheCurrentViewsState()
    {
        ProxyIView proxy(QStringLiteral("orders"));
        addBoth(proxy);
        proxy.initCore(nullptr);
        current(proxy)->value = 5;
        MapSettings saved;
        proxy.store(saved);
        current(proxy)->value = 9;
        proxy.restore(MapSettings(), saved);
        QCOMPARE(current(proxy)->value, 5);
        // A state naming a kind this window lacks keeps the current kind.
        MapSettings foreign;
        foreign.setValue(QStringLiteral("proxyIView_factoryKey"), QStringLiteral("chart"));
        proxy.restore(MapSettings(), foreign);
        QCOMPARE(proxy.currentFactory(), &m_table);
    }
};

QTEST_MAIN(tst_ProxyIView)
#include "tst_proxyiview.moc"
