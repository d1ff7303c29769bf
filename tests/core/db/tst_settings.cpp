#include "core/db/appsettings.h"
#include "core/db/defaultsettings.h"
#include "core/db/mapsettings.h"

#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

class tst_Settings : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        AppSettings::setLocation(m_dir.path());
    }

    void valuesGroupsAndArraysRoundTripThroughAnIniFile()
    {
        {
            AppSettings settings(QStringLiteral("exporter"));
            settings.setValue(QStringLiteral("lastDir"), QStringLiteral("/tmp/выгрузка"));
            settings.beginGroup(QStringLiteral("OrdersView"));
            settings.setValue(QStringLiteral("sortColumn"), QStringLiteral("price"));
            settings.beginWriteArray(QStringLiteral("columns"));
            const QStringList names { QStringLiteral("order_num"), QStringLiteral("price"), QStringLiteral("account") };
            for (int i = 0; i < names.size(); ++i) {
                settings.setArrayIndex(i);
                settings.setValue(QStringLiteral("name"), names[i]);
                settings.setValue(QStringLiteral("width"), 60 + i);
            }
            settings.endArray();
            QCOMPARE(settings.group(), QStringLiteral("OrdersView"));
            settings.endGroup();
            settings.sync();
            QVERIFY(QFile::exists(m_dir.filePath(QStringLiteral("exporter.ini"))));
        }
        // Another reader of the same file: QSettings itself sees the same layout.
        QSettings plain(m_dir.filePath(QStringLiteral("exporter.ini")), QSettings::IniFormat);
        QCOMPARE(plain.value(QStringLiteral("OrdersView/sortColumn")).toString(), QStringLiteral("price"));
        plain.beginGroup(QStringLiteral("OrdersView"));
        QCOMPARE(plain.beginReadArray(QStringLiteral("columns")), 3);
        plain.setArrayIndex(1);
        QCOMPARE(plain.value(QStringLiteral("name")).toString(), QStringLiteral("price"));
        plain.endArray();
        plain.endGroup();

        AppSettings settings(QStringLiteral("exporter"));
        QCOMPARE(settings.value(QStringLiteral("lastDir")).toString(), QStringLiteral("/tmp/выгрузка"));
        QCOMPARE(settings.childGroups(), QStringList { QStringLiteral("OrdersView") });
        settings.beginGroup(QStringLiteral("OrdersView"));
        QCOMPARE(settings.childKeys(), QStringList { QStringLiteral("sortColumn") });
        QCOMPARE(settings.beginReadArray(QStringLiteral("columns")), 3);
        settings.setArrayIndex(2);
        QCOMPARE(settings.value(QStringLiteral("name")).toString(), QStringLiteral("account"));
        QCOMPARE(settings.value(QStringLiteral("width")).toInt(), 62);
        settings.endArray();
        QCOMPARE(settings.value(QStringLiteral("missing"), 5).toInt(), 5);
        QVERIFY(!settings.contains(QStringLiteral("missing")));
        settings.remove(QStringLiteral("columns"));
        QCOMPARE(settings.beginReadArray(QStringLiteral("columns")), 0);
        settings.endArray();
    }

    void mapSettingsStoreAndRestoreUnderAPrefix()
    {
        MapSettings window;
        window.setValue(QStringLiteral("filters/status.value"), QStringLiteral("1|2"));
        window.setValue(QStringLiteral("filters/status.enabled"), true);
        window.setValue(QStringLiteral("header"), QStringLiteral("price,order_num"));
        {
            AppSettings app(QStringLiteral("windows"));
            app.beginGroup(QStringLiteral("main"));
            window.store(app, QStringLiteral("orders1"));
            app.endGroup();
        }
        AppSettings app(QStringLiteral("windows"));
        app.beginGroup(QStringLiteral("main"));
        MapSettings back;
        back.restore(app, QStringLiteral("orders1"));
        QCOMPARE(back.values().size(), 3);
        QCOMPARE(back.value(QStringLiteral("filters/status.value")).toString(), QStringLiteral("1|2"));
        QCOMPARE(back.value(QStringLiteral("filters/status.enabled")).toBool(), true);
        back.beginGroup(QStringLiteral("filters"));
        QCOMPARE(back.childKeys().size(), 2);
        back.remove(QString());
        back.endGroup();
        QCOMPARE(back.allKeys(), QStringList { QStringLiteral("header") });
    }

    void defaultsAreReadOnly()
    {
        QTemporaryDir defaults;
        {
            QSettings file(defaults.filePath(QStringLiteral("OrdersView.ini")), QSettings::IniFormat);
            file.setValue(QStringLiteral("view/rowHeight"), 18);
        }
        DefaultSettings::setDirectory(defaults.path());
        const std::unique_ptr<Settings> settings = DefaultSettings::createReadOnly(QStringLiteral("OrdersView"));
        QCOMPARE(settings->value(QStringLiteral("view/rowHeight")).toInt(), 18);
        QVERIFY(!settings->isWritable());
        QVERIFY_EXCEPTION_THROWN(settings->setValue(QStringLiteral("x"), 1), QString);
        const std::unique_ptr<Settings> none = DefaultSettings::createReadOnly(QStringLiteral("Nothing"));
        QVERIFY(none->allKeys().isEmpty());
    }
};

QTEST_GUILESS_MAIN(tst_Settings)
#include "tst_settings.moc"
