#include "columns/itemroles.h"
#include "core/db/appsettings.h"
#include "core/db/mapsettings.h"
#include "dialoganswers.h"
#include "export/dynamic/dynamicexporter.h"
#include "export/dynamic/private/dynamicexportersetupdialog.h"
#include "export/exporterproxymodel.h"
#include "stateview.h"
#include "views/qtablefastview.h"
#include "windows/private/viewwrappertable.h"

#include <QAction>
#include <QHeaderView>
#include <QStandardItemModel>
#include <QTemporaryDir>
#include <QtTest>

// A window: a view with a fast table over four columns (the last one the model's own) and its wrapper.
struct Window
{
    explicit Window(QAbstractItemModel* model)
    {
        view.setWindowTitle(QStringLiteral("Заявки"));
        table->setModel(model);
    }
    StateView view;
    QTableFastView* table = new QTableFastView(&view);
    ViewWrapperTable* wrapper = new ViewWrapperTable(&view, table);
};

class tst_ViewWrapper : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_settings;
    QTemporaryDir m_files;
    QStandardItemModel m_model { 3, 4 };

    void setExportAll(bool all)
    {
        AppSettings(QStringLiteral("exporter")).setValue(QStringLiteral("exportAllColumns"), all);
    }

private Q_SLOTS:
    void initTestCase()
    {
        AppSettings::setLocation(m_settings.path());
        const QStringList names { QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c"), QStringLiteral("id") };
        for (int column = 0; column < names.size(); ++column)
            m_model.setHeaderData(column, Qt::Horizontal, names.at(column), ColumnNameRole);
        m_model.setHeaderData(3, Qt::Horizontal, true, ColumnHiddenRole);
        for (int row = 0; row < 3; ++row)
            m_model.setItem(row, 0, new QStandardItem(QStringLiteral("R%1").arg(row)));
    }
    void cleanup() { AppSettings(QStringLiteral("exporter")).remove(QStringLiteral("exportAllColumns")); }

    void exportedColumns_data()
    {
        QTest::addColumn<bool>("all");
        QTest::addColumn<QList<int>>("hidden");
        QTest::addColumn<QList<int>>("expected");
        // The header shows c, a, b (c moved to the front); the model's own column "id" is exported with all columns.
        QTest::newRow("all columns by default") << true << QList<int> { 1 } << QList<int> { 0, 1, 2, 3 };
        QTest::newRow("visible in the header's order") << false << QList<int> { 1 } << QList<int> { 2, 0 };
        QTest::newRow("none visible: all") << false << QList<int> { 0, 1, 2, 3 } << QList<int> { 0, 1, 2, 3 };
    }
    void exportedColumns()
    {
        QFETCH(bool, all);
        QFETCH(QList<int>, hidden);
        QFETCH(QList<int>, expected);
        if (!all)
            setExportAll(false);
        Window window(&m_model);
        QHeaderView* header = window.table->header();
        header->moveSection(header->visualIndex(2), 0);
        for (int column : hidden)
            header->hideSection(column);
        QCOMPARE(window.wrapper->columnsExport(), expected);
    }

    void refusedSetupUnchecksTheAction()
    {
        Window window(&m_model);
        QCOMPARE(window.table->actions(), window.wrapper->actions());
        answerDialog<DynamicExporterSetupDialog>([](DynamicExporterSetupDialog* dialog) { dialog->reject(); });
        window.wrapper->exportDynamicAction()->trigger();
        QVERIFY(!window.wrapper->exportDynamicAction()->isChecked());
        QVERIFY(!window.wrapper->dynamicExporter()->isActive());
    }

    void actionFollowsTheExportAndTheExportFollowsTheAction()
    {
        Window window(&m_model);
        const QString path = m_files.filePath(QStringLiteral("orders.csv"));
        answerDialog<DynamicExporterSetupDialog>([path](DynamicExporterSetupDialog* dialog) {
            dialog->setFileName(path);
            dialog->accept();
        });
        window.wrapper->exportDynamicAction()->trigger();
        DynamicExporter* exporter = window.wrapper->dynamicExporter();
        QVERIFY(exporter->isActive());
        QVERIFY(window.wrapper->exportDynamicAction()->isChecked());
        QTRY_VERIFY(QFile::exists(path));
        // Stopped elsewhere (the manager), the action unchecks; unchecking the action stops the export.
        exporter->stop();
        QVERIFY(!window.wrapper->exportDynamicAction()->isChecked());
        exporter->start(60000);
        QVERIFY(window.wrapper->exportDynamicAction()->isChecked());
        window.wrapper->exportDynamicAction()->trigger();
        QVERIFY(!exporter->isActive());
    }

    void restoredRunningExportStartsAgainAfterTwoSeconds()
    {
        const QString path = m_files.filePath(QStringLiteral("restored.csv"));
        MapSettings state;
        {
            Window window(&m_model);
            window.wrapper->dynamicExporter()->setup(ExporterProxyModel::create(&m_model), path, 60);
            window.wrapper->dynamicExporter()->start(60000);
            window.wrapper->store(state);
        }
        Window window(&m_model);
        window.wrapper->restore(state);
        QVERIFY(window.wrapper->dynamicExporter()->isActive());
        QVERIFY(window.wrapper->exportDynamicAction()->isChecked());
        QTest::qWait(1000);
        QVERIFY(!QFile::exists(path));
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(path), 3000);
        QCOMPARE(window.wrapper->dynamicExporter()->interval(), 60);
        // A new header restarts a running export over the same file.
        window.table->setHeader(new QHeaderView(Qt::Horizontal));
        QCOMPARE(window.wrapper->header(), window.table->header());
        QVERIFY(window.wrapper->dynamicExporter()->isActive());
        QCOMPARE(window.wrapper->dynamicExporter()->fileName(), path);
    }
};

QTEST_MAIN(tst_ViewWrapper)
#include "tst_viewwrapper.moc"
