#include "core/db/masterindex.h"
#include "dialoganswers.h"
#include "export/fileimporter.h"
#include "export/fileimporterconvertor.h"
#include "export/importercolumnswizardpage.h"
#include "export/private/importercolumnswizard.h"
#include "ordertable.h"
#include "recordingindex.h"

#include <QAbstractItemModelTester>
#include <QComboBox>
#include <QHeaderView>
#include <QJsonArray>
#include <QJsonDocument>
#include <QLabel>
#include <QProcess>
#include <QScrollBar>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QtTest>

namespace {

using Mapping = QMap<QString, int>;

// The orders table as a file of accounts brings it: the key, a required account, and optional values.
struct OrdersConvertor : FileImporterConvertor
{
    QStringList mandatory { QStringLiteral("account") };
    QStringList optional { QStringLiteral("price"), QStringLiteral("moment"), QStringLiteral("quantity") };
    QStringList colsMandatory() override { return mandatory; }
    QStringList colsOptional() override { return optional; }
    QStringList getColAliases(const QString& column) override
    {
        return column == QLatin1String("price") ? QStringList { QStringLiteral("Цена") } : QStringList();
    }
};

// "key:account:price:moment:quantity" for every record in key order.
QString rows(const Table* table)
{
    QStringList out;
    for (const Record& r : *table->masterIndex()) {
        QStringList fields;
        for (const char* name : { "order_num", "account", "price", "moment", "quantity" })
            fields << r.data(QLatin1String(name)).toString();
        out << fields.join(QLatin1Char(':'));
    }
    return out.join(QLatin1Char(' '));
}

} // namespace

class tst_FileImporter : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    Table* m_table = nullptr;
    OrdersConvertor m_convertor;

    QFileInfo file(const QByteArray& text)
    {
        const QString path = m_dir.filePath(QStringLiteral("orders.csv"));
        QFile f(path);
        if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(text) != text.size())
            qFatal("cannot write %s", qPrintable(path));
        return QFileInfo(path);
    }

    FileImporter::Result import(const QByteArray& text, const Mapping& mapping)
    {
        FileImporter::Result result;
        FileImporter::instance()->importData(
            result, file(text), m_table, &m_convertor, mapping, { { QStringLiteral("FirstLineIsHeader"), true } });
        return result;
    }

    static Mapping fullMapping()
    {
        return { { QStringLiteral("order_num"), 0 }, { QStringLiteral("account"), 1 }, { QStringLiteral("price"), 2 },
            { QStringLiteral("moment"), 3 }, { QStringLiteral("quantity"), 4 } };
    }

private Q_SLOTS:
    void init()
    {
        m_table = makeOrderTable(this);
        m_convertor = OrdersConvertor();
        Record r = makeOrder(m_table, 7, QStringLiteral("10.00"));
        r.data(QStringLiteral("account")) = QStringLiteral("L01");
        r.append();
    }
    void cleanup() { delete m_table; }

    void importsWhatPythonWrote_data()
    {
        QTest::addColumn<QString>("bom");
        QTest::addColumn<QString>("terminator");
        QTest::newRow("BOM, LF") << "bom"
                                 << "\\n";
        QTest::newRow("no BOM, LF") << "none"
                                    << "\\n";
        QTest::newRow("BOM, CRLF") << "bom"
                                   << "\\r\\n";
        QTest::newRow("no BOM, CRLF") << "none"
                                      << "\\r\\n";
    }
    // Python's csv module writes the file (quoted ";", doubled quotes, a field of quotes only, empty fields,
    // Cyrillic, the terminal's date and decimal forms) and says what each record must hold.
    void importsWhatPythonWrote()
    {
        QFETCH(QString, bom);
        QFETCH(QString, terminator);
        if (!QFile::exists(QStringLiteral("/usr/bin/python3")))
            QSKIP("no /usr/bin/python3");
        const QString path = m_dir.filePath(QStringLiteral("python.csv"));
        QProcess python;
        python.start(QStringLiteral("/usr/bin/python3"), { QStringLiteral(IMPORT_CASES), path, bom, terminator });
        QVERIFY(python.waitForFinished(30000));
        QCOMPARE(python.exitCode(), 0);
        const QJsonArray expected = QJsonDocument::fromJson(python.readAllStandardOutput()).array();
        QCOMPARE(expected.size(), 4);

        Table table(QStringLiteral("python"),
            { ColumnDef(FieldType::Int64, 0, QStringLiteral("n")),
                ColumnDef(FieldType::String, 40, QStringLiteral("code")),
                ColumnDef(FieldType::Decimal, 4, QStringLiteral("price")),
                ColumnDef(FieldType::DateTime, 0, QStringLiteral("moment")),
                ColumnDef(FieldType::Char, 1, QStringLiteral("side")),
                ColumnDef(FieldType::String, 60, QStringLiteral("comment")) },
            { QStringLiteral("n") });
        m_convertor.mandatory = QStringList();
        m_convertor.optional = QStringList { QStringLiteral("code"), QStringLiteral("price"), QStringLiteral("moment"),
            QStringLiteral("side"), QStringLiteral("comment") };
        Mapping mapping;
        for (int i = 0; i < 6; ++i)
            mapping.insert(table.columnName(i), i);
        FileImporter::Result result;
        FileImporter::instance()->importData(
            result, QFileInfo(path), &table, &m_convertor, mapping, { { QStringLiteral("FirstLineIsHeader"), true } });
        QCOMPARE(result.messages, QStringList());
        QCOMPARE(result.full, 4);
        int row = 0;
        for (const Record& r : *table.masterIndex()) {
            const QJsonArray want = expected.at(row++).toArray();
            for (int c = 0; c < 6; ++c) {
                const Field f = r.data(c);
                const QString got = c == 3 && !f.isNull()
                    ? f.toQDateTime().toString(QStringLiteral("dd.MM.yyyy HH:mm:ss.zzz"))
                    : f.toString();
                QVERIFY2(got == want.at(c).toString(),
                    qPrintable(
                        QStringLiteral("row %1 column %2: %3 vs %4").arg(row).arg(c).arg(got, want.at(c).toString())));
            }
        }
    }

    // A line feed inside a quoted field, as the writer can give it, splits the record in two: the second part
    // is too short for the mapping and ends reading.
    void quotedLineFeedReadsAsTwoRecords()
    {
        const FileImporter::Result result = import("h\n8;A;1;;2;\"x\ny\"\n9;C;2;;\n", fullMapping());
        QCOMPARE(result.messages,
            QStringList { QStringLiteral(
                "Строка 2: Структура импортируемого файла не соответствует заданному сопоставлению столбцов") });
        QCOMPARE(result.full, 1);
        QCOMPARE(rows(m_table), QStringLiteral("7:L01:10.00:: 8:A:1.00::2"));
    }

    void refusedMappingChangesNothing_data()
    {
        QTest::addColumn<Mapping>("mapping");
        QTest::addColumn<QStringList>("optional");
        QTest::addColumn<QString>("failure");
        Mapping twice = fullMapping();
        twice[QStringLiteral("price")] = 1;
        QTest::newRow("one file field for two columns")
            << twice << OrdersConvertor().optional << "Неоднозначное сопоставление для столбца 1: account, price";
        Mapping noAccount = fullMapping();
        noAccount.remove(QStringLiteral("account"));
        QTest::newRow("required column unmapped") << noAccount << OrdersConvertor().optional
                                                  << "Для импорта из файла не указан необходимый столбец: 'account'";
        Mapping unknown = fullMapping();
        unknown[QStringLiteral("nosuch")] = 5;
        QTest::newRow("no such table column")
            << unknown << QStringList { QStringLiteral("nosuch") } << "В таблице отсутствует столбец: 'nosuch'";
    }
    // Given a table with one record and an index on it, when the mapping is refused, then nothing is read and
    // the index hears nothing.
    void refusedMappingChangesNothing()
    {
        QFETCH(Mapping, mapping);
        QFETCH(QStringList, optional);
        QFETCH(QString, failure);
        m_convertor.optional = optional;
        RecordingIndex index(m_table);
        QTRY_VERIFY(index.calls.contains(QStringLiteral("build"))); // the table builds it from the event loop
        index.calls.clear();
        const QString before = rows(m_table);
        const FileImporter::Result result = import("h\n9;L09;1;01.01.2024;1;x\n", mapping);
        QCOMPARE(result.messages,
            (QStringList {
                failure, QStringLiteral("Указано некорректное сопоставление столбцов. Импорт невозможен.") }));
        QVERIFY(result.summary.isEmpty());
        QVERIFY(!result.complete);
        QCOMPARE(rows(m_table), before);
        QCOMPARE(index.calls, QStringList());
        m_table->removeIndex(&index);
    }

    void duplicateKeysReplaceWithOneMessageEach_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QList<int>>("replacing"); // rows that replace an earlier row of the file
        QTest::addColumn<QString>("fullPartial");
        QTest::addColumn<QString>("lastAccount"); // of the first row's key
        QByteArray many;
        for (int i = 0; i < 3000; ++i)
            many += QByteArray::number(1000 + i) + ";A;1;;\n";
        // The table's own key 7 is replaced without a message; only the file's repeat has one.
        QTest::newRow("key of the table twice") << QByteArray("7;L09;1;;\n7;L10;2;;\n") << QList<int> { 2 } << "1 0"
                                                << "L10";
        QTest::newRow("partial replaced by full") << QByteArray("8;A;x;;\n8;B;1;;\n") << QList<int> { 2 } << "1 0"
                                                  << "B";
        QTest::newRow("three times") << QByteArray("8;A;1;;\n8;B;2;;\n8;C;3;;\n") << QList<int> { 2, 3 } << "1 0"
                                     << "C";
        QTest::newRow("after the table of keys grew") << many + "1100;B;2;;\n"
                                                      << QList<int> { 3001 } << "3000 0"
                                                      << "A";
        // Both keys hash alike; they are still two keys.
        QTest::newRow("same hash, other key") << QByteArray("2;A;1;;\n4294967296;B;1;;\n") << QList<int>() << "2 0"
                                              << "A";
    }
    void duplicateKeysReplaceWithOneMessageEach()
    {
        QFETCH(QByteArray, text);
        QFETCH(QList<int>, replacing);
        QFETCH(QString, fullPartial);
        QFETCH(QString, lastAccount);
        const FileImporter::Result result = import("h\n" + text, fullMapping());
        QStringList expected;
        for (int n : replacing)
            expected << QStringLiteral("Импорт строки №%1 заменит импортированную ранее строку с тем же ключом").arg(n);
        QCOMPARE(result.messages.filter(QStringLiteral("заменит")), expected);
        QCOMPARE(QStringLiteral("%1 %2").arg(result.full).arg(result.partial), fullPartial);
        const MasterIndex* master = m_table->masterIndex();
        const Record first = master->recordByKey(master->keyRecord(QString::fromLatin1(text.left(text.indexOf(';')))));
        QCOMPARE(first.data(QStringLiteral("account")).toString(), lastAccount);
    }

    void badValues_data()
    {
        QTest::addColumn<QByteArray>("row");
        QTest::addColumn<QString>("counts");
        QTest::addColumn<QString>("messages");
        QTest::addColumn<QString>("added");
        QTest::newRow("optional number") << QByteArray("9;L09;abc;;1") << "0 1 0"
                                         << "Импорт строки №1 выполнен частично. Значение 'abc' нельзя записать в поле "
                                            "'price' типа Decimal(2)"
                                         << "9:L09:::1";
        QTest::newRow("optional date that does not exist") << QByteArray("9;L09;1;31.02.2024;1") << "0 1 0"
                                                           << "Импорт строки №1 выполнен частично. "
                                                           << "9:L09:1.00::1";
        QTest::newRow("optional hour 24") << QByteArray("9;L09;1;05.03.2024 24:0:0:000;1") << "0 1 0"
                                          << "Импорт строки №1 выполнен частично. "
                                          << "9:L09:1.00::1";
        QTest::newRow("key")
            << QByteArray("x;L09;1;;1") << "0 0 1"
            << "Импорт строки №1 невозможен. Значение 'x' нельзя записать в поле 'order_num' типа Int64"
            << "";
        QTest::newRow("mandatory text too long")
            << QByteArray("9;ABCDEFGHIJ;1;;1") << "0 0 1"
            << "Импорт строки №1 невозможен. Текст 'ABCDEFGHIJ' длиннее поля 'account': не более 7 символов"
            << "";
    }
    void badValues()
    {
        QFETCH(QByteArray, row);
        QFETCH(QString, counts);
        QFETCH(QString, messages);
        QFETCH(QString, added);
        const FileImporter::Result result = import("h\n" + row + "\n", fullMapping());
        QCOMPARE(QStringLiteral("%1 %2 %3").arg(result.full).arg(result.partial).arg(result.skipped), counts);
        QCOMPARE(result.messages.join(QLatin1Char('|')), messages);
        QCOMPARE(rows(m_table), QStringLiteral("7:L01:10.00::") + (added.isEmpty() ? QString() : ' ' + added));
    }

    // A record shorter than the mapping ends reading; the rows before it are imported.
    void shortRowEndsReading()
    {
        const FileImporter::Result result = import("h\n8;A;1;;\n9;B;2;;\n10;C\n11;D;4;;\n", fullMapping());
        QCOMPARE(result.messages,
            QStringList { QStringLiteral(
                "Строка 3: Структура импортируемого файла не соответствует заданному сопоставлению столбцов") });
        QCOMPARE(result.full, 2);
        QVERIFY(!result.complete);
        QCOMPARE(rows(m_table), QStringLiteral("7:L01:10.00:: 8:A:1.00:: 9:B:2.00::"));
    }

    void cancelLeavesTableUntouched()
    {
        QByteArray text("h\n");
        for (int i = 100; i < 300100; ++i)
            text += QByteArray::number(i) + ";A;1.5;01.02.2024 1:2:3:004;5\n";
        RecordingIndex index(m_table);
        QTRY_VERIFY(index.calls.contains(QStringLiteral("build"))); // the table builds it from the event loop
        index.calls.clear();
        cancelWhenShown();
        const FileImporter::Result result = import(text, fullMapping());
        QVERIFY(result.cancelled);
        QCOMPARE(result.messages, QStringList { QStringLiteral("Отменено пользователем") });
        QCOMPARE(result.full + result.partial + result.skipped, 0);
        QCOMPARE(index.calls.join(','), QString());
        QCOMPARE(m_table->count(), 1);
        m_table->removeIndex(&index);
    }

    // The table closed while the run pauses for events: the run stops with a message and touches nothing.
    void tableDeletedDuringImportStops()
    {
        QByteArray text("h\n");
        for (int i = 100; i < 300100; ++i)
            text += QByteArray::number(i) + ";A;1.5;;5\n";
        QTimer::singleShot(0, this, [this] { delete std::exchange(m_table, nullptr); });
        const FileImporter::Result result = import(text, fullMapping());
        QCOMPARE(result.messages, QStringList { QStringLiteral("Таблица 'orders' закрыта во время импорта") });
        QVERIFY(!result.complete);
        QVERIFY(result.summary.isEmpty());
    }

    // The mapping page over the file's preview: "<Не импортировать>" first and in italic, then the targets in
    // key, mandatory, optional order; header names pre-select by name or alias; a column chosen twice or a
    // required one missing keeps the page from completing, with the message saying which.
    void wizardMapsFileColumns()
    {
        const QFileInfo csv = file("Цена;order_num;x;account\n1;2;3;4\n");
        Mapping mapping;
        QMap<QString, QVariant> params;
        QString seen;
        answerDialog<ImporterColumnsWizard>([&](ImporterColumnsWizard* wizard) {
            ImporterColumnsWizardPage* page = wizard->page();
            QAbstractItemModelTester tester(
                page->previewTable()->model(), QAbstractItemModelTester::FailureReportingMode::Fatal);
            QComboBox* combo = page->mappingCombo(2);
            QStringList items;
            for (int i = 0; i < combo->count(); ++i)
                items << combo->itemText(i);
            seen = items.join(QLatin1Char('|'));
            QVERIFY(combo->itemData(0, Qt::FontRole).value<QFont>().italic());
            QVERIFY(page->isComplete());
            page->selectTarget(2, QStringLiteral("account"));
            QCOMPARE(page->message(), QStringLiteral("Выберите не более одного столбца 'Счёт'"));
            QVERIFY(!page->isComplete());
            page->selectTarget(3, QString());
            QCOMPARE(page->message(), QString());
            page->selectTarget(2, QString());
            QCOMPARE(page->message(), QStringLiteral("Выберите необходимый столбец 'Счёт'"));
            QVERIFY(page->findChild<QLabel*>()->isVisibleTo(page));
            page->selectTarget(3, QStringLiteral("account"));
            wizard->accept();
        });
        const QString answer = FileImporter::instance()->setupParamsUi(csv, m_table, &m_convertor, mapping, params);
        QCOMPARE(answer, QString());
        QCOMPARE(seen, QStringLiteral("<Не импортировать>|Номер|Счёт|Цена|Время|Количество"));
        QCOMPARE(mapping,
            (Mapping { { QStringLiteral("price"), 0 }, { QStringLiteral("order_num"), 1 },
                { QStringLiteral("account"), 3 } }));
        QCOMPARE(params.value(QStringLiteral("FirstLineIsHeader")), QVariant(true));

        answerDialog<ImporterColumnsWizard>([](ImporterColumnsWizard* wizard) { wizard->reject(); });
        QCOMPARE(FileImporter::instance()->setupParamsUi(csv, m_table, &m_convertor, mapping, params),
            QStringLiteral("Отменено пользователем"));
    }

    // Each combo stays over its column as the columns are resized and the preview scrolls.
    void wizardCombosFollowTheColumns()
    {
        const QFileInfo csv = file("a;b;c;d;e;f;g;h\n1;2;3;4;5;6;7;8\n");
        Mapping mapping;
        QMap<QString, QVariant> params;
        answerDialog<ImporterColumnsWizard>([&](ImporterColumnsWizard* wizard) {
            wizard->resize(500, 400);
            ImporterColumnsWizardPage* page = wizard->page();
            QTableWidget* preview = page->previewTable();
            QHeaderView* header = preview->horizontalHeader();
            auto leftOf = [&](int column) {
                return preview->viewport()->mapTo(page, QPoint(header->sectionViewportPosition(column), 0)).x();
            };
            auto comboLeft = [&](int column) {
                QComboBox* combo = page->mappingCombo(column);
                return combo->mapTo(page, QPoint(0, 0)).x();
            };
            // No combo cuts its text at first ("<Не импортировать>").
            QVERIFY(page->mappingCombo(1)->width() >= page->mappingCombo(1)->sizeHint().width());
            header->resizeSection(0, 180);
            QCOMPARE(page->mappingCombo(0)->width(), 180);
            QCOMPARE(comboLeft(1), leftOf(1));
            preview->horizontalScrollBar()->setValue(preview->horizontalScrollBar()->maximum());
            QCOMPARE(comboLeft(7), leftOf(7));
            QVERIFY(!page->mappingCombo(0)->isVisibleTo(page));
            wizard->reject();
        });
        FileImporter::instance()->setupParamsUi(csv, m_table, &m_convertor, mapping, params);
    }
};

QTEST_MAIN(tst_FileImporter)
#include "tst_fileimporter.moc"
