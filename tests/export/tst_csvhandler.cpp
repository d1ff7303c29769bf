#include "columns/catalogue/standardcolumndelegates.h"
#include "columns/itemroles.h"
#include "core/db/decimal.h"
#include "core/db/table.h"
#include "export/csvhandler.h"
#include "export/csvhandlerimporter.h"
#include "export/exporterproxymodel.h"
#include "export/fileexporter.h"
#include "export/fileimporterconvertor.h"
#include "export/importercolumnswizardpage.h"
#include "export/private/exporttext.h"
#include "marketfixture.h"
#include "models/tableindexmodel.h"

#include <QAbstractItemModelTester>
#include <QBuffer>
#include <QCheckBox>
#include <QDateTime>
#include <QJsonArray>
#include <QJsonDocument>
#include <QProcess>
#include <QSignalSpy>
#include <QStandardItemModel>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QtTest>

namespace {

struct AliasConvertor : FileImporterConvertor
{
    QStringList colsOptional() override { return { QStringLiteral("price") }; }
    QStringList getColAliases(const QString& column) override
    {
        return column == QLatin1String("price") ? QStringList { QStringLiteral("Цена") } : QStringList();
    }
};

// One row of values under column identifiers, as a window's model answers them.
QStandardItemModel* modelOf(const QStringList& names, const QList<QVariantList>& rows)
{
    auto* model = new QStandardItemModel(rows.size(), names.size());
    for (int c = 0; c < names.size(); ++c)
        model->setHeaderData(c, Qt::Horizontal, names.at(c), ColumnNameRole);
    for (int r = 0; r < rows.size(); ++r) {
        for (int c = 0; c < names.size(); ++c)
            model->setData(model->index(r, c), rows.at(r).at(c), Qt::DisplayRole);
    }
    return model;
}

QByteArray written(QAbstractItemModel* model)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    CSVHandler csv;
    bool ok = csv.begin(&buffer, model) && csv.writeHeader();
    for (int row = 0; ok && row < model->rowCount(); ++row)
        ok = csv.writeRow(row);
    ok = ok && csv.writeFooter();
    csv.end();
    return ok ? buffer.data() : QByteArray("failed");
}

QList<QStringList> readBack(const QByteArray& bytes, bool header = false)
{
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    CSVHandlerImporter reader;
    QList<QStringList> records;
    if (!reader.begin(&buffer, { { QStringLiteral("FirstLineIsHeader"), header } }))
        return { { QStringLiteral("begin failed") } };
    QList<QVariant> values;
    while (reader.readNext(values)) {
        QStringList record;
        for (const QVariant& v : values)
            record << v.toString();
        records << record;
    }
    return records;
}

} // namespace

class tst_CSVHandler : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void writesTheTerminalsFormAndReadsItBack_data()
    {
        QTest::addColumn<QVariant>("value");
        QTest::addColumn<QByteArray>("field");
        QTest::addColumn<QString>("readBack");
        QTest::newRow("plain") << QVariant(QStringLiteral("RIH7")) << QByteArray("RIH7") << "RIH7";
        QTest::newRow("semicolon") << QVariant(QStringLiteral("a;b")) << QByteArray("\"a;b\"") << "a;b";
        QTest::newRow("quotes") << QVariant(QStringLiteral("say \"hi\"")) << QByteArray("\"say \"\"hi\"\"\"")
                                << "say \"hi\"";
        QTest::newRow("a lone quote") << QVariant(QStringLiteral("\"")) << QByteArray("\"\"\"\"") << "\"";
        QTest::newRow("empty") << QVariant(QString()) << QByteArray("") << "";
        QTest::newRow("carriage return is not quoted")
            << QVariant(QStringLiteral("a\rb")) << QByteArray("a\rb") << "a\rb";
        QTest::newRow("date-time") << QVariant(QDateTime(QDate(2024, 3, 5), QTime(9, 7, 3, 45)))
                                   << QByteArray("05.03.2024 9:7:3:045") << "05.03.2024 9:7:3:045";
        QTest::newRow("date") << QVariant(QDate(2024, 3, 5)) << QByteArray("05.03.2024") << "05.03.2024";
        QTest::newRow("no date-time") << QVariant(QDateTime()) << QByteArray("") << "";
        QTest::newRow("decimal") << QVariant::fromValue(decimal::fromString(QStringLiteral("-0.0500")))
                                 << QByteArray("-0.0500") << "-0.0500";
        QTest::newRow("cyrillic") << QVariant(QStringLiteral("Фьючерсы")) << QByteArray("Фьючерсы") << "Фьючерсы";
    }
    void writesTheTerminalsFormAndReadsItBack()
    {
        QFETCH(QVariant, value);
        QFETCH(QByteArray, field);
        QFETCH(QString, readBack);
        QScopedPointer<QStandardItemModel> model(
            modelOf({ QStringLiteral("code"), QStringLiteral("value"), QStringLiteral("x;y") },
                { { QStringLiteral("first"), value, 1 } }));
        const QByteArray bytes = written(model.data());
        QCOMPARE(bytes, QByteArray("\xEF\xBB\xBF") + "code;value;\"x;y\"\nfirst;" + field + ";1\n");
        const QList<QStringList> records = ::readBack(bytes, true);
        QCOMPARE(records.size(), 1);
        QCOMPARE(records.first(), (QStringList { QStringLiteral("first"), readBack, QStringLiteral("1") }));
        // A moment or a date comes back as the moment written.
        if (value.type() == QVariant::DateTime || value.type() == QVariant::Date) {
            const QDateTime moment
                = value.type() == QVariant::Date ? QDateTime(value.toDate(), QTime(0, 0)) : value.toDateTime();
            const QDateTime read = ExportText::readDateTime(readBack);
            QCOMPARE(read.isValid(), moment.isValid());
            QCOMPARE(QDateTime(read.date(), read.time()), moment);
        }
    }

    // A device that takes a few bytes and then fails, as a full disk does: the handler reports the device's
    // reason, also when the failure comes only with the last buffered bytes.
    void failingDeviceFailsTheWriteWithItsReason_data()
    {
        QTest::addColumn<int>("capacity");
        QTest::newRow("fails among the rows") << 100;
        QTest::newRow("fails with the last bytes") << -5; // five bytes short of the whole file
    }
    void failingDeviceFailsTheWriteWithItsReason()
    {
        QFETCH(int, capacity);
        QList<QVariantList> rows;
        for (int i = 0; i < 2000; ++i)
            rows << QVariantList { QStringLiteral("RIH7"), i };
        QScopedPointer<QStandardItemModel> model(modelOf({ QStringLiteral("code"), QStringLiteral("n") }, rows));
        if (capacity < 0)
            capacity += written(model.data()).size();
        class FullDisk : public QIODevice
        {
        public:
            explicit FullDisk(qint64 capacity)
                : m_left(capacity)
            {
                open(QIODevice::WriteOnly);
            }
            qint64 readData(char*, qint64) override { return -1; }
            qint64 writeData(const char*, qint64 size) override
            {
                if (size > m_left) {
                    setErrorString(QStringLiteral("Нет места на устройстве"));
                    return -1;
                }
                m_left -= size;
                return size;
            }

        private:
            qint64 m_left;
        } device(capacity);
        CSVHandler csv;
        bool ok = csv.begin(&device, model.data()) && csv.writeHeader();
        for (int row = 0; ok && row < model->rowCount(); ++row)
            ok = csv.writeRow(row);
        ok = ok && csv.writeFooter();
        QVERIFY(!ok);
        QCOMPARE(csv.lastError(), QStringLiteral("Нет места на устройстве"));
    }

    // Quote states the writer never produces, worked out by hand from the reading rules.
    void readerJoinsPiecesByTheQuoteRules_data()
    {
        QTest::addColumn<QByteArray>("line");
        QTest::addColumn<QStringList>("fields");
        QTest::newRow("only quotes") << QByteArray("\"\";x") << QStringList { "", "x" };
        QTest::newRow("even opening") << QByteArray("\"\"x;y") << QStringList { "\"x", "y" };
        QTest::newRow("pair inside") << QByteArray("ab\"\"c") << QStringList { "ab\"c" };
        QTest::newRow("even closing inside") << QByteArray("\"a;b\"\";c\";d") << QStringList { "a;b\";c", "d" };
        QTest::newRow("odd opening") << QByteArray("\"\"\"a\";z") << QStringList { "\"a", "z" };
        QTest::newRow("never closed") << QByteArray("\"open;rest") << QStringList { "open;rest" };
        QTest::newRow("empty last") << QByteArray("a;") << QStringList { "a", "" };
    }
    void readerJoinsPiecesByTheQuoteRules()
    {
        QFETCH(QByteArray, line);
        QFETCH(QStringList, fields);
        // Twice, so that the second record is read into the strings the first one left.
        QCOMPARE(readBack(line + "\n" + line), (QList<QStringList> { fields, fields }));
    }

    void readerSkipsBlankLinesAndKnowsWhereItIs()
    {
        QCOMPARE(readBack("\n\na;b\n\n\nc;d\n"), (QList<QStringList> { { "a", "b" }, { "c", "d" } }));
        QCOMPARE(readBack("\n\n\n").size(), 0);
        QCOMPARE(readBack("name;value\n", true).size(), 0);
        // A line feed inside a quoted field ends the record: the reader reads by lines.
        QCOMPARE(readBack("\"a\nb\";c\n").size(), 2);

        QBuffer empty;
        empty.open(QIODevice::ReadOnly);
        CSVHandlerImporter reader;
        QVERIFY(reader.begin(&empty, {}));
        QCOMPARE(reader.percentage(), 100);
        // A header line was promised and there is none.
        QVERIFY(!reader.begin(&empty, { { QStringLiteral("FirstLineIsHeader"), true } }));
        QCOMPARE(reader.lastError(), QStringLiteral("В файле нет строки заголовка"));

        QBuffer file;
        file.setData("a;b;c\nd;e\n");
        file.open(QIODevice::ReadOnly);
        QVERIFY(reader.begin(&file, {}));
        QCOMPARE(reader.percentage(), 0);
        reader.setImportColumns({ 2, 0 });
        QList<QVariant> values;
        QVERIFY(reader.readNext(values));
        QCOMPARE(values, (QList<QVariant> { QStringLiteral("c"), QStringLiteral("a") }));
        QCOMPARE(reader.percentage(), 60);
        QVERIFY(!reader.readNext(values));
        QCOMPARE(reader.lastError(),
            QStringLiteral("Структура импортируемого файла не соответствует заданному сопоставлению столбцов"));
        reader.end();
        QVERIFY(reader.lastError().isEmpty());

        // Progress counts the file's bytes: two-, three- and four-byte UTF-8 characters, measured on the bytes.
        const QByteArray multibyte = QStringLiteral("ж€\U0001F600\nab\n").toUtf8();
        file.close();
        file.setData(multibyte);
        file.open(QIODevice::ReadOnly);
        QVERIFY(reader.begin(&file, {}));
        QVERIFY(reader.readNext(values));
        QCOMPARE(reader.percentage(), qRound(100.0 * (multibyte.indexOf('\n') + 1) / multibyte.size()));
    }

    // The panel fills the mapping page's preview and chooses the target of each header name it knows, by name
    // or by alias; without the header line the first line is a record and nothing is chosen.
    void optionPanelFillsThePreviewAndChoosesTheHeaderLine()
    {
        QBuffer file;
        file.setData("sec_code;Цена;note\nRIH7;1.5;x\nSiH7;2\n");
        file.open(QIODevice::ReadOnly);
        Table table(QStringLiteral("t"),
            { ColumnDef(FieldType::String, 12, QStringLiteral("sec_code")),
                ColumnDef(FieldType::Decimal, 2, QStringLiteral("price"), QStringLiteral("Цена")) },
            { QStringLiteral("sec_code") });
        AliasConvertor convertor;
        ImporterColumnsWizardPage page;
        page.setTargets(ImporterTargets::from(&table, &convertor));
        QAbstractItemModelTester tester(
            page.previewTable()->model(), QAbstractItemModelTester::FailureReportingMode::Fatal);
        CSVHandlerImporter reader;
        QWidget* panel = reader.createImporterUi(&file, &page);
        QCOMPARE(reader.paramsFromUi(panel).value(QStringLiteral("FirstLineIsHeader")), QVariant(true));
        QCOMPARE(page.previewTable()->rowCount(), 2);
        QCOMPARE(page.previewTable()->columnCount(), 3);
        QCOMPARE(page.previewTable()->item(1, 1)->text(), QStringLiteral("2"));
        QCOMPARE(
            page.mapping(), (QMap<QString, int> { { QStringLiteral("sec_code"), 0 }, { QStringLiteral("price"), 1 } }));

        panel->findChild<QCheckBox*>()->setChecked(false);
        QCOMPARE(reader.paramsFromUi(panel).value(QStringLiteral("FirstLineIsHeader")), QVariant(false));
        QCOMPARE(page.previewTable()->rowCount(), 3);
        QCOMPARE(page.previewTable()->item(0, 0)->text(), QStringLiteral("sec_code"));
        QVERIFY(page.mapping().isEmpty());
    }

    // Python's csv module, not our reader, reads an exported orders window; every cell must be the text the
    // window's model gives for it.
    void pythonReadsAnExportedWindowCellForCell()
    {
        if (!QFile::exists(QStringLiteral("/usr/bin/python3")))
            QSKIP("no /usr/bin/python3");
        MarketFixture market(SampleMarketOptions::sized(100, 400));
        TableIndexModel orders(market.table(QStringLiteral("orders")));
        StandardColumnDelegates::install(&orders, QStringLiteral("orders"));
        orders.build();
        const auto proxy = ExporterProxyModel::create(&orders);
        const int columns = orders.columnCount();
        QAbstractItemModelTester tester(proxy.data(), QAbstractItemModelTester::FailureReportingMode::Fatal);

        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("orders.csv"));
        QSignalSpy finished(FileExporter::instance(), &FileExporter::finished);
        const int token = FileExporter::instance()->exportModel({ proxy, QStringLiteral("Заявки"), QFileInfo(path) });
        QTRY_COMPARE(finished.count(), 1);
        QCOMPARE(finished.first(), (QList<QVariant> { token, int(FileExporter::Written), QString() }));

        QProcess python;
        python.start(QStringLiteral("/usr/bin/python3"),
            { QStringLiteral("-c"),
                QStringLiteral("import csv, json, sys\n"
                               "with open(sys.argv[1], newline='', encoding='utf-8-sig') as f:\n"
                               "    print(json.dumps(list(csv.reader(f, delimiter=';'))))\n"),
                path });
        QVERIFY(python.waitForFinished(30000));
        QCOMPARE(python.exitCode(), 0);
        const QJsonArray rows = QJsonDocument::fromJson(python.readAllStandardOutput()).array();
        QCOMPARE(rows.size(), orders.rowCount() + 1);
        for (int c = 0; c < columns; ++c)
            QCOMPARE(
                rows.at(0).toArray().at(c).toString(), orders.headerData(c, Qt::Horizontal, ColumnNameRole).toString());
        for (int r = 0; r < orders.rowCount(); ++r) {
            const QJsonArray row = rows.at(r + 1).toArray();
            QCOMPARE(row.size(), columns);
            for (int c = 0; c < columns; ++c) {
                const QModelIndex index = orders.index(r, c);
                QVariant value = index.data(Qt::UserRole);
                if (value.isNull())
                    value = index.data(Qt::DisplayRole);
                QString expected = value.toString();
                if (value.userType() == QMetaType::QDateTime) {
                    const QDateTime t = value.toDateTime();
                    expected = t.toString(QStringLiteral("dd.MM.yyyy ")) + QString::number(t.time().hour()) + ':'
                        + QString::number(t.time().minute()) + ':' + QString::number(t.time().second()) + ':'
                        + t.toString(QStringLiteral("zzz"));
                } else if (value.userType() == qMetaTypeId<decimal>()) {
                    expected = value.value<decimal>().toString();
                }
                QVERIFY2(row.at(c).toString() == expected,
                    qPrintable(QStringLiteral("row %1 column %2: %3 vs %4")
                                   .arg(r)
                                   .arg(c)
                                   .arg(row.at(c).toString(), expected)));
            }
        }
    }
};

QTEST_MAIN(tst_CSVHandler)
#include "tst_csvhandler.moc"
