#include "columns/catalogue/standardcolumndelegates.h"
#include "columns/itemroles.h"
#include "core/db/appsettings.h"
#include "dialoganswers.h"
#include "export/csvhandler.h"
#include "export/exporterproxymodel.h"
#include "export/fileexporter.h"
#include "filters/rowfiltersmodel.h"
#include "marketfixture.h"
#include "models/tableindexmodel.h"
#include "predicatefilter.h"
#include "scriptedhandler.h"
#include "sim/marketfeed.h"
#include "windows/viewwrapper.h"

#include <QAbstractItemModelTester>
#include <QClipboard>
#include <QFileDialog>
#include <QPushButton>
#include <QSignalSpy>
#include <QStandardItemModel>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>
#include <utility>

namespace {

QByteArray contents(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<none>");
}

void write(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

} // namespace

class tst_FileExporter : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_settings;
    std::unique_ptr<MarketFixture> m_market;
    ScriptedHandler* m_scripted = nullptr; // owned by the exporter
    QStandardItemModel m_small;

    int exportTo(const QString& path, const QAbstractItemModel* model, QString* error = nullptr)
    {
        QSignalSpy finished(FileExporter::instance(), &FileExporter::finished);
        const int token = FileExporter::instance()->exportModel(
            { ExporterProxyModel::create(model), QStringLiteral("Заявки"), QFileInfo(path) });
        if (!finished.wait(20000))
            return -1;
        if (finished.first().at(0).toInt() != token)
            return -2;
        if (error)
            *error = finished.first().at(2).toString();
        return finished.first().at(1).toInt();
    }

private Q_SLOTS:
    void initTestCase()
    {
        AppSettings::setLocation(m_settings.path());
        m_scripted = new ScriptedHandler;
        FileExporter::instance()->addHandler(m_scripted);
        m_small.setColumnCount(2);
        m_small.setHeaderData(0, Qt::Horizontal, QStringLiteral("code"), ColumnNameRole);
        m_small.setHeaderData(1, Qt::Horizontal, QStringLiteral("price"), ColumnNameRole);
        m_small.setHeaderData(0, Qt::Horizontal, QStringLiteral("Код"), Qt::DisplayRole);
        m_small.setHeaderData(1, Qt::Horizontal, QStringLiteral("Цена"), Qt::DisplayRole);
        for (int i = 0; i < 5; ++i)
            m_small.appendRow(
                { new QStandardItem(QStringLiteral("R%1").arg(i)), new QStandardItem(QString::number(100 + i)) });
    }
    void init()
    {
        m_market = std::make_unique<MarketFixture>();
        *m_scripted = ScriptedHandler();
    }
    void cleanup() { m_market.reset(); }

    void queuedExportsRunInRequestOrderWithTheirOwnTokens()
    {
        QTemporaryDir dir;
        const QString first = dir.filePath(QStringLiteral("a.csv"));
        const QString second = dir.filePath(QStringLiteral("b.tst"));
        QSignalSpy finished(FileExporter::instance(), &FileExporter::finished);
        const int a = FileExporter::instance()->exportModel(
            { ExporterProxyModel::create(&m_small), QStringLiteral("A"), QFileInfo(first) });
        const int b = FileExporter::instance()->exportModel(
            { ExporterProxyModel::create(&m_small), QStringLiteral("B"), QFileInfo(second) });
        QCOMPARE(b, a + 1);
        // Nothing is written before the event loop runs.
        QVERIFY(!QFile::exists(first));
        QTRY_COMPARE(finished.count(), 2);
        QCOMPARE(finished.at(0), (QList<QVariant> { a, int(FileExporter::Written), QString() }));
        QCOMPARE(finished.at(1), (QList<QVariant> { b, int(FileExporter::Written), QString() }));
        QCOMPARE(contents(first),
            QByteArray("\xEF\xBB\xBF"
                       "code;price\nR0;100\nR1;101\nR2;102\nR3;103\nR4;104\n"));
        QCOMPARE(contents(second), QByteArray("header\nR0\nR1\nR2\nR3\nR4\n"));
    }

    void emptyTableStillHasItsHeader()
    {
        QTemporaryDir dir;
        QStandardItemModel empty(0, 1);
        empty.setHeaderData(0, Qt::Horizontal, QStringLiteral("code"), ColumnNameRole);
        QCOMPARE(exportTo(dir.filePath(QStringLiteral("empty.csv")), &empty), int(FileExporter::Written));
        QCOMPARE(contents(dir.filePath(QStringLiteral("empty.csv"))),
            QByteArray("\xEF\xBB\xBF"
                       "code\n"));
    }

    void suffixesPickTheirFormatWhateverTheirCase_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("start"); // the first bytes of the format
        QTest::newRow("CSV") << "ORDERS.CSV"
                             << QByteArray("\xEF\xBB\xBF"
                                           "code;price\n");
        QTest::newRow("Dbf") << "Orders.Dbf" << QByteArray("\x03");
        QTest::newRow("DBF7") << "orders.DBF7" << QByteArray("\x04");
    }
    void suffixesPickTheirFormatWhateverTheirCase()
    {
        QFETCH(QString, name);
        QFETCH(QByteArray, start);
        QTemporaryDir dir;
        QString error;
        QCOMPARE(exportTo(dir.filePath(name), &m_small, &error), int(FileExporter::Written));
        QVERIFY(contents(dir.filePath(name)).startsWith(start));
    }

    void badTargetsFailWithTheReasonAndKeepThePreviousFile_data()
    {
        QTest::addColumn<QString>("target"); // relative to a temporary directory, or absolute
        QTest::addColumn<bool>("previous"); // a previous version of the target exists
        QTest::addColumn<QString>("error"); // %1: the target's absolute path
        QTest::newRow("directory that does not exist")
            << "missing/orders.csv" << false << "Невозможно открыть файл на запись: %1";
        QTest::newRow("path is a directory") << "folder.csv" << false << "Невозможно открыть файл на запись: %1";
        QTest::newRow("read-only directory") << "/proc/orders.csv" << false << "Невозможно открыть файл на запись: %1";
        QTest::newRow("unknown suffix") << "orders.txt" << true << "Формат txt не поддерживается";
        QTest::newRow("handler fails mid-write") << "orders.tst" << true << "Нет места на диске";
    }
    void badTargetsFailWithTheReasonAndKeepThePreviousFile()
    {
        QFETCH(QString, target);
        QFETCH(bool, previous);
        QFETCH(QString, error);
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("folder.csv")));
        const QString path = QFileInfo(target).isAbsolute() ? target : dir.filePath(target);
        if (previous)
            write(path, "previous version\n");
        m_scripted->failAtRow = 3;
        QSignalSpy notified(&m_market->core, &EmbeddedCore::notified);
        QString reason;
        QCOMPARE(exportTo(path, &m_small, &reason), int(FileExporter::Failed));
        QCOMPARE(reason, error.contains(QLatin1String("%1")) ? error.arg(QFileInfo(path).absoluteFilePath()) : error);
        QCOMPARE(notified.count(), 1);
        QCOMPARE(notified.first().first().toString(),
            QStringLiteral("Невозможно экспортировать таблицу в файл %1: %2")
                .arg(QFileInfo(path).absoluteFilePath(), reason));
        if (previous)
            QCOMPARE(contents(path), QByteArray("previous version\n"));
        // No temporary file is left beside the target.
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files).size(), previous ? 1 : 0);
    }

    void vanishedSourceIsReported()
    {
        auto* source = new QStandardItemModel(3, 1);
        QSignalSpy finished(FileExporter::instance(), &FileExporter::finished);
        QTemporaryDir dir;
        FileExporter::instance()->exportModel({ ExporterProxyModel::create(source), QStringLiteral("Заявки"),
            QFileInfo(dir.filePath(QStringLiteral("x.csv"))) });
        delete source;
        QTRY_COMPARE(finished.count(), 1);
        QCOMPARE(finished.first().at(2).toString(), QStringLiteral("Объект экспорта недоступен"));
        QVERIFY(!QFile::exists(dir.filePath(QStringLiteral("x.csv"))));
    }

    // The orders window is closed while a background write of it runs the event loop: the export fails and the
    // previous file stays, whatever the format.
    void windowClosedWhileWrittenFailsAndKeepsThePreviousFile_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("csv") << "orders.csv";
        QTest::newRow("dBASE") << "orders.dbf";
    }
    void windowClosedWhileWrittenFailsAndKeepsThePreviousFile()
    {
        QFETCH(QString, name);
        MarketFixture market(SampleMarketOptions::sized(200, 20000));
        auto* orders = new TableIndexModel(market.table(QStringLiteral("orders")));
        StandardColumnDelegates::install(orders, QStringLiteral("orders"));
        orders->build();
        QTemporaryDir dir;
        const QString path = dir.filePath(name);
        write(path, "previous version\n");
        FileExporter::ExportParams params { ExporterProxyModel::create(orders), QStringLiteral("Заявки"),
            QFileInfo(path) };
        params.background = true;
        // The window goes once some of its rows are in the file.
        QTimer close;
        connect(&close, &QTimer::timeout, this, [&] {
            for (QWidget* w : QApplication::topLevelWidgets()) {
                if (auto* progress = qobject_cast<ProgressDialog*>(w); progress && progress->progress() > 0) {
                    delete std::exchange(orders, nullptr);
                    close.stop();
                }
            }
        });
        close.start(0);
        QSignalSpy finished(FileExporter::instance(), &FileExporter::finished);
        FileExporter::instance()->exportModel(params);
        QVERIFY(finished.wait(60000));
        QVERIFY2(!orders, "the write ended before the window could be closed: make the table longer");
        QCOMPARE(finished.first().at(1).toInt(), int(FileExporter::Failed));
        QCOMPARE(finished.first().at(2).toString(), QStringLiteral("Объект экспорта недоступен"));
        QCOMPARE(contents(path), QByteArray("previous version\n"));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files).size(), 1);
    }

    void cancelledExportLeavesThePreviousFile_data()
    {
        QTest::addColumn<bool>("existed");
        QTest::newRow("over a previous file") << true;
        QTest::newRow("no file before") << false;
    }
    void cancelledExportLeavesThePreviousFile()
    {
        QFETCH(bool, existed);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("orders.tst"));
        if (existed)
            write(path, "previous version\n");
        QStandardItemModel many(400, 1);
        m_scripted->microsecondsPerRow = 500;
        cancelWhenShown();
        QCOMPARE(exportTo(path, &many), int(FileExporter::Cancelled));
        QCOMPARE(contents(path), existed ? QByteArray("previous version\n") : QByteArray("<none>"));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files).size(), existed ? 1 : 0);
    }

    void fileDialogAppendsTheChosenFormatAndRemembersIt()
    {
        QTemporaryDir dir;
        answerFileDialog([&](QFileDialog* d) {
            d->selectNameFilter(CSVHandler::filterName() + QStringLiteral(" (*.csv)"));
            d->selectFile(dir.filePath(QStringLiteral("orders")));
            static_cast<QDialog*>(d)->accept();
        });
        const QFileInfo chosen = FileExporter::instance()->askExportFile(QStringLiteral("Заявки"), QString());
        QCOMPARE(chosen.absoluteFilePath(), dir.filePath(QStringLiteral("orders.csv")));
        AppSettings settings(QStringLiteral("exporter"));
        QCOMPARE(settings.value(QStringLiteral("filter")).toString(), QStringLiteral("csv"));
        QCOMPARE(settings.value(QStringLiteral("filePath")).toString(), QDir(dir.path()).absolutePath());

        // The next dialog starts where the last one ended, with the same format.
        QString startDirectory, startFilter;
        answerFileDialog([&](QFileDialog* d) {
            startDirectory = d->directory().absolutePath();
            startFilter = d->selectedNameFilter();
            d->selectFile(dir.filePath(QStringLiteral("orders.txt")));
            static_cast<QDialog*>(d)->accept();
        });
        QCOMPARE(
            FileExporter::instance()->askExportFile(QString(), QString()).fileName(), QStringLiteral("orders.txt"));
        QCOMPARE(startDirectory, QDir(dir.path()).absolutePath());
        QCOMPARE(startFilter, CSVHandler::filterName() + QStringLiteral(" (*.csv)"));
    }

    void closedFileDialogIsReportedAfterTheTokenIsReturned()
    {
        answerFileDialog([](QFileDialog* d) { d->reject(); });
        QSignalSpy finished(FileExporter::instance(), &FileExporter::finished);
        auto proxy = ExporterProxyModel::create(&m_small);
        const int token = FileExporter::instance()->exportModel(proxy, QStringLiteral("Заявки"), QString());
        QCOMPARE(finished.count(), 0);
        QTRY_COMPARE(finished.count(), 1);
        QCOMPARE(finished.first(), (QList<QVariant> { token, int(FileExporter::Cancelled), QString() }));
    }

    // The models speak English while the rows are written, and the window's own language again afterwards.
    void modelsSpeakEnglishWhileWriting()
    {
        TableIndexModel orders(m_market->table(QStringLiteral("orders")));
        StandardColumnDelegates::install(&orders, QStringLiteral("orders"));
        orders.build();
        const int security = orders.columnIndex(QStringLiteral("sec_name"));
        QVERIFY(security >= 0);
        QCOMPARE(orders.headerData(security, Qt::Horizontal).toString(), QStringLiteral("Инструмент"));
        QTemporaryDir dir;
        QCOMPARE(exportTo(dir.filePath(QStringLiteral("orders.tst")), &orders), int(FileExporter::Written));
        QCOMPARE(m_scripted->titlesSeen.value(security), QStringLiteral("Instrument"));
        QCOMPARE(orders.headerData(security, Qt::Horizontal).toString(), QStringLiteral("Инструмент"));
    }

    // Given a live orders window, filtered to unfilled orders and sorted by the balance, with the feed running at
    // full rate, when it is exported while rows come, go and move, then the file holds exactly the rows the
    // window showed when the export began, each once, in that order.
    void liveWindowExportsTheRowsItShowedWhenItBegan()
    {
        MarketFixture market(SampleMarketOptions::sized(200, 20000));
        Table* table = market.table(QStringLiteral("orders"));
        TableIndexModel orders(table);
        StandardColumnDelegates::install(&orders, QStringLiteral("orders"));
        const int balance = table->columnIndex(QStringLiteral("balance"));
        orders.filtersModel()->addFilter(
            new PredicateFilter([balance](const Record& r) { return r.data(balance).toInteger() > 0; }, &orders));
        orders.build();
        orders.sort(orders.columnIndex(QStringLiteral("balance")));
        const int number = orders.columnIndex(QStringLiteral("order_num"));
        QVERIFY(number >= 0);
        auto proxy = ExporterProxyModel::create(&orders, { number, orders.columnIndex(QStringLiteral("balance")) });
        QAbstractItemModelTester tester(proxy.data(), QAbstractItemModelTester::FailureReportingMode::Fatal);

        QStringList shown;
        MarketFeed feed(market.market, &market.core, 7);
        connect(proxy.data(), &QAbstractItemModel::modelReset, this, [&] {
            if (proxy->isExporting() && shown.isEmpty()) {
                for (int row = 0; row < orders.rowCount(); ++row)
                    shown << orders.index(row, number).data().toString();
                // The running feed's batches come from its thread, which a loaded machine may hold back for the
                // whole export: one more comes with the export's first turn of the event loop.
                QTimer::singleShot(0, &feed, [&feed] { feed.step(2000); });
            }
        });
        feed.setRate(100000);
        feed.setInterval(5);
        int batchesDuringExport = 0;
        connect(&feed, &MarketFeed::batchApplied, this, [&] { batchesDuringExport += proxy->isExporting(); });
        feed.start();

        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("orders.csv"));
        QSignalSpy finished(FileExporter::instance(), &FileExporter::finished);
        FileExporter::instance()->exportModel({ proxy, QStringLiteral("Заявки"), QFileInfo(path) });
        QVERIFY(finished.wait(60000));
        feed.stop();
        QCOMPARE(finished.first().at(1).toInt(), int(FileExporter::Written));
        QVERIFY2(batchesDuringExport > 0, "the feed changed nothing while the export ran");

        QStringList lines = QString::fromUtf8(contents(path)).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        lines.removeFirst();
        QStringList written;
        for (const QString& line : qAsConst(lines))
            written << line.section(QLatin1Char(';'), 0, 0);
        QCOMPARE(written.size(), shown.size());
        QCOMPARE(written, shown);
    }

    void clipboardGetsTheWindowAsTabbedText()
    {
        QApplication::clipboard()->setText(QStringLiteral("before"));
        QStandardItemModel model(2, 3);
        const QStringList titles { QStringLiteral("Код"), QStringLiteral("Цена"), QStringLiteral("Время") };
        model.setHorizontalHeaderLabels(titles);
        model.setData(model.index(0, 0), QStringLiteral("RIH7"));
        model.setData(model.index(0, 1), QVariant::fromValue(decimal::fromString(QStringLiteral("112450.50"))));
        model.setData(model.index(0, 2), QDateTime(QDate(2026, 12, 6), QTime(9, 7, 3, 45)));
        model.setData(model.index(1, 0), QStringLiteral("Si\tH7"));
        model.setData(model.index(1, 2), QDateTime()); // no time: an empty cell
        auto proxy = ExporterProxyModel::create(&model);
        QVERIFY(ViewWrapper::copyModelToClipboard(proxy.data()));
        const QString point = QLocale::system().decimalPoint();
        QCOMPARE(QApplication::clipboard()->text(),
            QStringLiteral("Код\tЦена\tВремя\nRIH7\t112450.50\t06.12.2026 09:07:03") + point
                + QStringLiteral("045\nSi\tH7\t\t\n"));

        // A cancelled copy leaves the clipboard as it was.
        QApplication::clipboard()->setText(QStringLiteral("before"));
        QStandardItemModel many(200000, 4);
        cancelWhenShown();
        QVERIFY(!ViewWrapper::copyModelToClipboard(ExporterProxyModel::create(&many).data()));
        QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("before"));
    }
};

QTEST_MAIN(tst_FileExporter)
#include "tst_fileexporter.moc"
