#include "columns/catalogue/standardcolumndelegates.h"
#include "columns/itemroles.h"
#include "core/db/appsettings.h"
#include "core/db/decimal.h"
#include "export/dbfhandler.h"
#include "export/exporterproxymodel.h"
#include "export/fileexporter.h"
#include "marketfixture.h"
#include "models/tableindexmodel.h"

#include <QBuffer>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QSignalSpy>
#include <QStandardItemModel>
#include <QTemporaryDir>
#include <QTextCodec>
#include <QtEndian>
#include <QtTest>

namespace {

struct Column
{
    QString name;
    int type;
    int length;
};

// A model whose header describes its columns as the library's models do.
QStandardItemModel* modelOf(const QList<Column>& columns, const QList<QVariantList>& rows)
{
    auto* model = new QStandardItemModel(rows.size(), columns.size());
    for (int c = 0; c < columns.size(); ++c) {
        model->setHeaderData(c, Qt::Horizontal, columns.at(c).name, ColumnNameRole);
        model->setHeaderData(c, Qt::Horizontal, columns.at(c).type, ColumnVariantTypeRole);
        model->setHeaderData(c, Qt::Horizontal, columns.at(c).length, ColumnLengthRole);
    }
    for (int r = 0; r < rows.size(); ++r) {
        for (int c = 0; c < columns.size(); ++c)
            model->setData(model->index(r, c), rows.at(r).at(c), Qt::DisplayRole);
    }
    return model;
}

// The file a handler writes, or the handler's refusal.
QByteArray written(DBFHandler::DBF_Version version, QAbstractItemModel* model, QString* error = nullptr)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    DBFHandler dbf(version);
    bool ok = dbf.begin(&buffer, model) && dbf.writeHeader();
    for (int row = 0; ok && row < model->rowCount(); ++row)
        ok = dbf.writeRow(row);
    ok = ok && dbf.writeFooter();
    if (error)
        *error = ok ? QString() : dbf.lastError();
    dbf.end();
    return ok ? buffer.data() : buffer.data().isEmpty() ? QByteArray("refused") : QByteArray("refused late");
}

quint16 u16(const QByteArray& b, int at)
{
    return qFromLittleEndian<quint16>(b.constData() + at);
}

// One field as a reader following the layout sees it: name, type letter, width, decimals.
struct Descriptor
{
    QByteArray name;
    char letter;
    int width;
    int decimals;
};

QList<Descriptor> descriptors(const QByteArray& file)
{
    const bool four = file.at(0) == 0x03;
    const int size = four ? 32 : 48, first = four ? 32 : 68;
    QList<Descriptor> list;
    for (int at = first; file.at(at) != 0x0D; at += size) {
        const QByteArray d = file.mid(at, size);
        const int nameSize = four ? 11 : 32;
        list.append({ d.left(nameSize).left(d.left(nameSize).indexOf('\0')), d.at(four ? 11 : 32),
            quint8(d.at(four ? 16 : 33)), quint8(d.at(four ? 17 : 34)) });
    }
    return list;
}

QString names(const QByteArray& file)
{
    QStringList list;
    for (const Descriptor& d : descriptors(file))
        list << QString::fromLatin1(d.name) + QLatin1Char(':') + QLatin1Char(d.letter) + QString::number(d.width)
                + QLatin1Char('.') + QString::number(d.decimals);
    return list.join(QLatin1Char(' '));
}

const int Decimal = qMetaTypeId<decimal>();

// What a reader should find in the field of a window's cell, as text: numbers as plain numbers, date-times in
// the file's form, texts cut to the field and without trailing spaces. Decimals are compared as numbers.
QString expectedText(const QAbstractItemModel& model, int row, int column)
{
    const QModelIndex index = model.index(row, column);
    QVariant value = index.data(Qt::UserRole);
    if (value.isNull())
        value = index.data(Qt::DisplayRole);
    const int type = model.headerData(column, Qt::Horizontal, ColumnVariantTypeRole).toInt();
    if (type == Decimal)
        return QString::number(decimal::fromVariant(value).toDouble(), 'g', 15);
    if (type == QMetaType::QDateTime)
        return value.toDateTime().toString(QStringLiteral("dd.MM.yyyy hh:mm:ss:zzz"));
    if (type == QMetaType::Int || type == QMetaType::LongLong)
        return QString::number(value.toLongLong());
    const int length = model.headerData(column, Qt::Horizontal, ColumnLengthRole).toInt();
    QString text = value.toString().left(qMax(32, qMin(254, length)));
    while (text.endsWith(QLatin1Char(' ')))
        text.chop(1);
    return text;
}

QString asRead(const QAbstractItemModel& model, int column, const QString& cell)
{
    if (model.headerData(column, Qt::Horizontal, ColumnVariantTypeRole).toInt() == Decimal)
        return QString::number(cell.trimmed().toDouble(), 'g', 15);
    return cell;
}

// The orders window of a small market, exported through the file exporter to `path`.
bool exportWindow(const TableIndexModel& orders, const QString& path)
{
    QSignalSpy finished(FileExporter::instance(), &FileExporter::finished);
    FileExporter::instance()->exportModel(
        { ExporterProxyModel::create(&orders), QStringLiteral("Заявки"), QFileInfo(path) });
    return finished.wait(30000) && finished.first().at(1).toInt() == FileExporter::Written;
}

} // namespace

class tst_DBFHandler : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_settings;
    void setCodePage(const char* name)
    {
        AppSettings(QStringLiteral("exporter")).setValue(QStringLiteral("codepage"), name);
    }

private Q_SLOTS:
    void initTestCase()
    {
        AppSettings::setLocation(m_settings.path());
        qRegisterMetaType<decimal>();
    }
    void init() { setCodePage("cp866"); }

    void headerLayoutOfBothVariants_data()
    {
        QTest::addColumn<int>("version");
        QTest::addColumn<int>("first"); // the first byte
        QTest::addColumn<int>("headerLength");
        QTest::newRow("dBASE IV") << 4 << 0x03 << 129;
        QTest::newRow("dBASE Level 7") << 7 << 0x04 << 213;
    }
    void headerLayoutOfBothVariants()
    {
        QFETCH(int, version);
        QFETCH(int, first);
        QFETCH(int, headerLength);
        QScopedPointer<QStandardItemModel> model(
            modelOf({ { "code", QMetaType::QString, 10 }, { "qty", QMetaType::LongLong, 0 }, { "price", Decimal, 2 } },
                { { "RIH7", 5, QVariant::fromValue(decimal::fromString(QStringLiteral("112450.5"))) },
                    { "SiH7", -3, QVariant::fromValue(decimal::fromString(QStringLiteral("91114"))) } }));
        const QByteArray file = written(DBFHandler::DBF_Version(version), model.data());
        const QDate today = QDate::currentDate();
        QCOMPARE(int(quint8(file.at(0))), first);
        QCOMPARE(int(file.at(1)), today.year() % 100);
        QCOMPARE(int(file.at(2)), today.month());
        QCOMPARE(int(file.at(3)), today.day());
        QCOMPARE(qFromLittleEndian<quint32>(file.constData() + 4), 2u);
        QCOMPARE(int(u16(file, 8)), headerLength);
        QCOMPARE(int(u16(file, 10)), 1 + 32 + 20 + 20);
        QCOMPARE(int(quint8(file.at(29))), 0x65);
        QCOMPARE(file.at(headerLength - 1), '\x0D');
        QCOMPARE(names(file), QStringLiteral("code:C32.0 qty:N20.0 price:N20.2"));
        // Records follow the header, each one deletion flag and the fields; one end byte closes the file.
        QCOMPARE(file.size(), headerLength + 2 * 73 + 1);
        QCOMPARE(file.mid(headerLength, 73),
            QByteArray(" RIH7") + QByteArray(28, ' ') + QByteArray(19, ' ') + "5" + QByteArray(12, ' ') + "112450.5");
        QCOMPARE(file.mid(headerLength + 73 + 33, 20), QByteArray(18, ' ') + "-3");
        QCOMPARE(file.right(1), QByteArray("\x1A"));
    }

    void widthsAndDecimalsFollowTheColumnType_data()
    {
        QTest::addColumn<int>("version");
        QTest::addColumn<QString>("fields");
        QTest::newRow("dBASE IV") << 4
                                  << "s10:C32.0 s400:C254.0 s100:C100.0 d25:N20.18 day:D8.0 at:C23.0 x:F20.18 i:N20.0";
        QTest::newRow("dBASE Level 7")
            << 7 << "s10:C32.0 s400:C254.0 s100:C100.0 d25:N20.18 day:D8.0 at:C23.0 x:O8.0 i:N20.0";
    }
    void widthsAndDecimalsFollowTheColumnType()
    {
        QFETCH(int, version);
        QFETCH(QString, fields);
        QScopedPointer<QStandardItemModel> model(
            modelOf({ { "s10", QMetaType::QString, 10 }, { "s400", QMetaType::QString, 400 },
                        { "s100", QMetaType::QString, 100 }, { "d25", Decimal, 25 }, { "day", QMetaType::QDate, 0 },
                        { "at", QMetaType::QDateTime, 0 }, { "x", QMetaType::Double, 0 }, { "i", QMetaType::Int, 0 } },
                {}));
        QCOMPARE(names(written(DBFHandler::DBF_Version(version), model.data())), fields);
    }

    void fieldNamesAreMadeUnique_data()
    {
        QTest::addColumn<int>("version");
        QTest::addColumn<QStringList>("columns");
        QTest::addColumn<QString>("names"); // empty: refused
        QTest::newRow("same short name") << 4 << QStringList { "PRICE", "PRICE" } << "PRICE PRICE_1";
        QTest::newRow("over-long name, dBASE IV")
            << 4 << QStringList { "SETTLEMENTPRICE", "SETTLEMENTPRICE", "SETTLEMENTS" }
            << "SETTLEMENT SETTLEME_1 SETTLEME_2";
        QTest::newRow("over-long name, Level 7")
            << 7 << QStringList { "SETTLEMENTPRICE", "SETTLEMENTPRICE" } << "SETTLEMENTPRICE SETTLEMENTPRICE_1";
        QStringList eleven;
        for (int i = 0; i < 11; ++i)
            eleven << QStringLiteral("A");
        QTest::newRow("no free form left") << 4 << eleven << "";
    }
    void fieldNamesAreMadeUnique()
    {
        QFETCH(int, version);
        QFETCH(QStringList, columns);
        QFETCH(QString, names);
        QList<Column> list;
        for (const QString& c : columns)
            list.append({ c, QMetaType::Int, 0 });
        QScopedPointer<QStandardItemModel> model(modelOf(list, {}));
        QString error;
        const QByteArray file = written(DBFHandler::DBF_Version(version), model.data(), &error);
        if (names.isEmpty()) {
            QCOMPARE(file, QByteArray("refused"));
            QCOMPARE(error, QStringLiteral("Невозможно составить уникальное имя поля dBASE для столбца 'A'"));
            return;
        }
        QStringList got;
        for (const Descriptor& d : descriptors(file))
            got << QString::fromLatin1(d.name);
        QCOMPARE(got.join(QLatin1Char(' ')), names);
    }

    void whatTheFormatCannotHoldIsRefusedBeforeWriting()
    {
        QList<Column> wide;
        for (int i = 0; i < 259; ++i)
            wide.append({ QStringLiteral("C%1").arg(i), QMetaType::QString, 254 });
        QScopedPointer<QStandardItemModel> tooWide(modelOf(wide, {}));
        QString error;
        QCOMPARE(written(DBFHandler::DBase4, tooWide.data(), &error), QByteArray("refused"));
        QCOMPARE(error,
            QStringLiteral("Слишком длинная запись для формата dBASE: 65533 байт (не более 65534)")
                .replace(QStringLiteral("65533"), QString::number(259 * 254 + 1)));
        QList<Column> many;
        for (int i = 0; i < 2047; ++i)
            many.append({ QStringLiteral("N%1").arg(i), QMetaType::Int, 0 });
        QScopedPointer<QStandardItemModel> tooMany(modelOf(many, {}));
        QCOMPARE(written(DBFHandler::DBase4, tooMany.data(), &error), QByteArray("refused"));
        QCOMPARE(error, QStringLiteral("Слишком много столбцов для формата dBASE: 2047 (не более 2046)"));
        many.removeLast();
        QScopedPointer<QStandardItemModel> fits(modelOf(many, {}));
        QVERIFY(written(DBFHandler::DBase4, fits.data()) != QByteArray("refused"));
    }

    void fieldBytesByColumnType()
    {
        QScopedPointer<QStandardItemModel> model(
            modelOf({ { "day", QMetaType::QDate, 0 }, { "at", QMetaType::QDateTime, 0 }, { "x", QMetaType::Double, 0 },
                        { "d", Decimal, 25 }, { "n", QMetaType::Int, 0 } },
                { { QDate(2024, 3, 5), QDateTime(QDate(2024, 3, 5), QTime(9, 7, 3, 45)), 0.5,
                      QVariant::fromValue(decimal::fromString(QStringLiteral("1.1234567890123456789012"))),
                      QStringLiteral("seven") },
                    { QDate(), QDateTime(), QVariant(), QVariant(), QVariant() } }));
        const QByteArray four = written(DBFHandler::DBase4, model.data());
        const int h4 = u16(four, 8);
        QCOMPARE(four.mid(h4 + 1, 8), QByteArray("20240305"));
        QCOMPARE(four.mid(h4 + 9, 23), QByteArray("05.03.2024 09:07:03:045"));
        QCOMPARE(four.mid(h4 + 32, 20), QByteArray("0.500000000000000000"));
        // More than 18 decimals are rounded to 18.
        QCOMPARE(four.mid(h4 + 52, 20), QByteArray("1.123456789012345679"));
        QCOMPARE(four.mid(h4 + 72, 20), QByteArray(19, ' ') + "0");
        const int second = h4 + u16(four, 10);
        QCOMPARE(four.mid(second + 1, 8), QByteArray("00000000"));
        QCOMPARE(four.mid(second + 9, 23), QByteArray(23, ' '));
        QCOMPARE(four.mid(second + 52, 20), QByteArray(19, ' ') + "0");

        const QByteArray seven = written(DBFHandler::DBase7, model.data());
        const int h7 = u16(seven, 8);
        QCOMPARE(qFromLittleEndian<double>(seven.constData() + h7 + 32), 0.5);
    }

    // Texts go in the chosen code page; what it cannot hold becomes "?", byte for character, so the next field
    // stays where it is.
    void textsInTheChosenCodePage_data()
    {
        QTest::addColumn<QByteArray>("codePage");
        QTest::addColumn<int>("driver");
        QTest::newRow("DOS") << QByteArray("cp866") << 0x65;
        QTest::newRow("Windows") << QByteArray("cp1251") << 0xC9;
        QTest::newRow("unknown falls back to DOS") << QByteArray("koi8-r") << 0x65;
    }
    void textsInTheChosenCodePage()
    {
        QFETCH(QByteArray, codePage);
        QFETCH(int, driver);
        setCodePage(codePage.constData());
        const QString text = QStringLiteral("Фьючерс € 日本");
        QScopedPointer<QStandardItemModel> model(
            modelOf({ { "name", QMetaType::QString, 10 }, { "n", QMetaType::Int, 0 } }, { { text, 42 } }));
        const QByteArray file = written(DBFHandler::DBase4, model.data());
        QCOMPARE(int(quint8(file.at(29))), driver);
        QTextCodec* codec = QTextCodec::codecForName(driver == 0xC9 ? "cp1251" : "cp866");
        QByteArray expected = codec->fromUnicode(QStringLiteral("Фьючерс ")) + (driver == 0xC9 ? "\x88" : "?") + " ??";
        expected += QByteArray(32 - expected.size(), ' ');
        const int h = u16(file, 8);
        QCOMPARE(file.mid(h + 1, 32), expected);
        QCOMPARE(file.mid(h + 33, 20), QByteArray(18, ' ') + "42");
    }

    // Debian's python3-dbfread and shapelib's dbfdump, not our code, read an exported orders window; every field
    // must hold the window's value.
    void independentReadersReadAnExportedWindow_data()
    {
        QTest::addColumn<QByteArray>("codePage");
        QTest::newRow("cp866") << QByteArray("cp866");
        QTest::newRow("cp1251") << QByteArray("cp1251");
    }
    void independentReadersReadAnExportedWindow()
    {
        QFETCH(QByteArray, codePage);
        if (!QFile::exists(QStringLiteral("/usr/bin/python3")))
            QSKIP("no /usr/bin/python3");
        setCodePage(codePage.constData());
        MarketFixture market(SampleMarketOptions::sized(100, 300));
        TableIndexModel orders(market.table(QStringLiteral("orders")));
        StandardColumnDelegates::install(&orders, QStringLiteral("orders"));
        orders.build();
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("orders.dbf"));
        QVERIFY(exportWindow(orders, path));
        const int columns = orders.columnCount();

        QProcess python;
        python.start(QStringLiteral("/usr/bin/python3"),
            { QStringLiteral("-c"),
                QStringLiteral("import dbfread, json, sys\n"
                               "t = dbfread.DBF(sys.argv[1], encoding=sys.argv[2], char_decode_errors='strict')\n"
                               "print(json.dumps({'fields': [f.name for f in t.fields],\n"
                               "  'rows': [[str(v) if v is not None else None for v in r.values()] for r in t]}))\n"),
                path, QString::fromLatin1(codePage) });
        QVERIFY(python.waitForFinished(30000));
        QVERIFY2(python.exitCode() == 0, python.readAllStandardError().constData());
        const QJsonObject read = QJsonDocument::fromJson(python.readAllStandardOutput()).object();
        const QJsonArray rows = read.value(QStringLiteral("rows")).toArray();
        QCOMPARE(rows.size(), orders.rowCount());
        QCOMPARE(read.value(QStringLiteral("fields")).toArray().size(), columns);
        for (int r = 0; r < orders.rowCount(); ++r) {
            const QJsonArray row = rows.at(r).toArray();
            for (int c = 0; c < columns; ++c) {
                const QString cell = asRead(orders, c, row.at(c).toString());
                QVERIFY2(cell == expectedText(orders, r, c),
                    qPrintable(QStringLiteral("row %1 column %2: '%3' vs '%4'")
                                   .arg(r)
                                   .arg(c)
                                   .arg(cell, expectedText(orders, r, c))));
            }
        }

        // shapelib's reader agrees on the fields and the records.
        if (!QFile::exists(QStringLiteral("/usr/bin/dbfdump")))
            QSKIP("no dbfdump");
        QProcess dump;
        dump.start(QStringLiteral("/usr/bin/dbfdump"), { QStringLiteral("-m"), path });
        QVERIFY(dump.waitForFinished(30000));
        QCOMPARE(dump.exitCode(), 0);
        const QString out = QTextCodec::codecForName(codePage)->toUnicode(dump.readAllStandardOutput());
        for (const QJsonValue& name : read.value(QStringLiteral("fields")).toArray())
            QVERIFY2(out.contains(name.toString()), qPrintable(name.toString()));
        QCOMPARE(out.count(QStringLiteral("Record: ")), orders.rowCount());
        QVERIFY(out.contains(rows.at(0).toArray().at(columns - 1).toString().left(10)));
    }

    // No Debian reader knows Level 7: a reader here follows the layout (header length and record length from the
    // header, 48-byte descriptors, records after the header) and must find every cell of the window.
    void level7ReadsBackByItsLayout()
    {
        setCodePage("cp1251");
        MarketFixture market(SampleMarketOptions::sized(100, 300));
        TableIndexModel orders(market.table(QStringLiteral("orders")));
        StandardColumnDelegates::install(&orders, QStringLiteral("orders"));
        orders.build();
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("orders.dbf7"));
        QVERIFY(exportWindow(orders, path));
        QFile f(path);
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QByteArray file = f.readAll();
        const QList<Descriptor> fields = descriptors(file);
        QCOMPARE(fields.size(), orders.columnCount());
        const int headerLength = u16(file, 8), recordLength = u16(file, 10);
        QCOMPARE(headerLength, 48 * fields.size() + 69);
        const int records = int(qFromLittleEndian<quint32>(file.constData() + 4));
        QCOMPARE(records, orders.rowCount());
        QCOMPARE(file.size(), headerLength + records * recordLength + 1);
        QTextCodec* codec = QTextCodec::codecForName("cp1251");
        for (int r = 0; r < records; ++r) {
            const QByteArray record = file.mid(headerLength + r * recordLength, recordLength);
            QCOMPARE(record.at(0), ' ');
            int at = 1;
            for (int c = 0; c < fields.size(); ++c) {
                QString cell = codec->toUnicode(record.mid(at, fields.at(c).width));
                at += fields.at(c).width;
                if (fields.at(c).letter == 'N')
                    cell = cell.trimmed();
                while (cell.endsWith(QLatin1Char(' ')))
                    cell.chop(1);
                QCOMPARE(asRead(orders, c, cell), expectedText(orders, r, c));
            }
        }
    }
};

QTEST_MAIN(tst_DBFHandler)
#include "tst_dbfhandler.moc"
