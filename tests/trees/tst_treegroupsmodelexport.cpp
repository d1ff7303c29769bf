// A grouped window written to CSV and dBASE, read back by Python's csv module and Debian's dbfread: one row per
// element in the order of the tree, group columns read from the group row; and a live export that holds one
// consistent set of rows while the table changes under it.

#include "livetable.h"
#include "ordergroupsmodel.h"

#include "core/db/appsettings.h"
#include "core/db/decimal.h"
#include "export/fileexporter.h"
#include "trees/private/treegroupsmodelexport.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

namespace {

// Orders grouped by account and side; "status" belongs to the group rows (it shows the group's first order),
// the order's own columns follow.
struct GroupedOrders
{
    GroupedOrders()
        : model(live.table, 4)
    {
        for (qint64 key = 1; key <= 12; ++key) {
            live.insert(
                key, QStringLiteral("%1.50").arg(100 + key % 4), key % 3 ? QStringLiteral("A") : QStringLiteral("b"));
            live.tick(key, "buysell", FieldInput(key % 2 ? QStringLiteral("B") : QStringLiteral("S")));
            live.tick(key, "status", FieldInput(qint64(key)));
            live.tick(key, "quantity", FieldInput(qint64(key * 10)));
        }
        model.moveColumn(model.columnIndex(QStringLiteral("account")), 1);
        model.moveColumn(model.columnIndex(QStringLiteral("buysell")), 2);
        model.moveColumn(model.columnIndex(QStringLiteral("status")), 3);
        model.arrange({ { QStringLiteral("account") }, { QStringLiteral("buysell") } },
            { { QStringLiteral("price"), Qt::DescendingOrder } });
        for (const char* name : { "account", "buysell", "status", "order_num", "price", "quantity" })
            columns << model.columnIndex(QString::fromLatin1(name));
    }

    // The rows a trader sees, top to bottom, as the export must write them: per element its account, side,
    // the status of its group's first order, then its number, price and quantity.
    QList<QStringList> expectedRows() const
    {
        QList<QStringList> rows;
        for (QModelIndex index = model.treeWalk(QModelIndex()); index.isValid(); index = model.treeWalk(index)) {
            if (!model.isElementLevel(index))
                continue;
            const Record r = model.recordByIndex(index);
            const Record first = model.recordByIndex(model.index(0, 0, index.parent()));
            rows << QStringList { r.data(QStringLiteral("account")).toString(),
                r.data(QStringLiteral("buysell")).toString(), first.data(QStringLiteral("status")).toString(),
                r.data(QStringLiteral("order_num")).toString(), r.data(QStringLiteral("price")).toString(),
                r.data(QStringLiteral("quantity")).toString() };
        }
        return rows;
    }

    LiveTable live;
    OrderGroupsModel model;
    QList<int> columns;
};

// Rows read by an independent Python reader, as texts.
QList<QStringList> readByPython(const QString& script, const QString& path)
{
    QProcess python;
    python.start(QStringLiteral("/usr/bin/python3"), { QStringLiteral("-c"), script, path });
    if (!python.waitForFinished(30000) || python.exitCode() != 0) {
        qWarning() << python.readAllStandardError();
        return {};
    }
    QList<QStringList> rows;
    for (const QJsonValue& row : QJsonDocument::fromJson(python.readAllStandardOutput()).array()) {
        QStringList cells;
        for (const QJsonValue& cell : row.toArray())
            cells << cell.toString().trimmed();
        rows << cells;
    }
    return rows;
}

// Decimals as dBASE readers give them back: "101.5" for 101.50.
QString numberText(const QString& text)
{
    bool ok = false;
    const double value = text.toDouble(&ok);
    return ok ? QString::number(value) : text;
}

} // namespace

class TestTreeGroupsModelExport : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_settings;

private Q_SLOTS:
    void initTestCase()
    {
        AppSettings::setLocation(m_settings.path());
        AppSettings(QStringLiteral("exporter")).setValue(QStringLiteral("codepage"), "cp1251");
        qRegisterMetaType<decimal>();
    }

    void independentReadersSeeTheTreeRowByRow_data()
    {
        QTest::addColumn<QString>("suffix");
        QTest::newRow("CSV") << QStringLiteral("csv");
        QTest::newRow("dBASE") << QStringLiteral("dbf");
    }
    void independentReadersSeeTheTreeRowByRow()
    {
        if (!QFile::exists(QStringLiteral("/usr/bin/python3")))
            QSKIP("no /usr/bin/python3");
        QFETCH(QString, suffix);
        // Given a grouped window,
        GroupedOrders orders;
        QSharedPointer<ExporterProxyModel> proxy(new TreeGroupsModelExport(&orders.model, orders.columns));
        QAbstractItemModelTester tester(proxy.data(), QAbstractItemModelTester::FailureReportingMode::Fatal);

        // when it is written to a file,
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("positions.") + suffix);
        QSignalSpy finished(FileExporter::instance(), &FileExporter::finished);
        FileExporter::instance()->exportModel({ proxy, QStringLiteral("Позиции"), QFileInfo(path) });
        QVERIFY(finished.wait(30000));
        QCOMPARE(finished.first().at(1).toInt(), int(FileExporter::Written));

        // then a reader of the format finds every element, in the tree's order, with its group's columns.
        const bool csv = suffix == QLatin1String("csv");
        QList<QStringList> read
            = readByPython(csv ? QStringLiteral("import csv, json, sys\n"
                                                "with open(sys.argv[1], newline='', encoding='utf-8-sig') as f:\n"
                                                "    print(json.dumps(list(csv.reader(f, delimiter=';'))[1:]))\n")
                               : QStringLiteral("import dbfread, json, sys\n"
                                                "t = dbfread.DBF(sys.argv[1], encoding='cp1251')\n"
                                                "print(json.dumps([[str(v) for v in r.values()] for r in t]))\n"),
                path);
        QList<QStringList> expected = orders.expectedRows();
        QCOMPARE(read.size(), 12);
        for (QList<QStringList>* rows : { &read, &expected }) {
            for (QStringList& row : *rows) {
                for (QString& cell : row)
                    cell = numberText(cell);
            }
        }
        QCOMPARE(read, expected);
    }

    void aLiveExportHoldsTheRowsItBeganWith()
    {
        // Given an export that has begun,
        GroupedOrders orders;
        TreeGroupsModelExport proxy(&orders.model, orders.columns);
        proxy.enterExport();
        const QList<QStringList> before = orders.expectedRows();

        // when orders come, go and move between groups while it writes,
        orders.live.remove(3);
        orders.live.insert(99, QStringLiteral("500.00"));
        orders.live.tick(5, "account", FieldInput(QStringLiteral("Z")));
        orders.live.tick(6, "quantity", FieldInput(qint64(7)));

        // then it writes the rows it began with, in their order, each with its values as they are now.
        QCOMPARE(proxy.rowCount(), before.size());
        const int number = orders.columns.indexOf(orders.model.columnIndex(QStringLiteral("order_num")));
        const int quantity = orders.columns.indexOf(orders.model.columnIndex(QStringLiteral("quantity")));
        for (int row = 0; row < before.size(); ++row) {
            QCOMPARE(proxy.index(row, number).data().toString(), before.at(row).at(3));
            if (before.at(row).at(3) == QLatin1String("6"))
                QCOMPARE(proxy.index(row, quantity).data().toString(), QStringLiteral("7"));
        }
        proxy.leaveExport();
        QCOMPARE(proxy.rowCount(), orders.model.rowCount());
    }
};

QTEST_MAIN(TestTreeGroupsModelExport)
#include "tst_treegroupsmodelexport.moc"
