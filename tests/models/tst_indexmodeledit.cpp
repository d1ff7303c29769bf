#include "core/db/table.h"
#include "models/indexmodeledit.h"

#include <QAbstractItemModelTester>
#include <QSignalSpy>
#include <QtTest>

class tst_IndexModelEdit : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // A table keyed by its second column, so that column 0 and the key are told apart.
    void editsFieldsBesideColumnZeroAndTheKeyAndRefusesValuesTheyCannotHold()
    {
        Table table(QStringLiteral("limits"),
            { ColumnDef(FieldType::String, 10, QStringLiteral("note")),
                ColumnDef(FieldType::String, 7, QStringLiteral("code")),
                ColumnDef(FieldType::Decimal, 2, QStringLiteral("amount")) },
            { QStringLiteral("code") });
        // Notes that sort the other way round from the codes.
        for (const char* code : { "C", "A", "B" }) {
            Record r(&table);
            r.data(0) = QString(QChar('a' + 'C' - code[0]));
            r.data(1) = QString::fromLatin1(code);
            r.append();
        }
        IndexModelEdit model(&table);
        QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::Fatal);
        model.rebuild();
        model.sort(0, Qt::AscendingOrder);
        auto column = [&](int c) {
            QStringList texts;
            for (int row = 0; row < model.rowCount(); ++row)
                texts << model.index(row, c).data(Qt::EditRole).toString();
            return texts.join(QLatin1Char(' '));
        };
        QCOMPARE(column(1), QStringLiteral("A B C"));
        // A view opens an editor only where a value is taken.
        QString editable;
        for (int c = 0; c < model.columnCount(); ++c)
            editable += model.flags(model.index(0, c)) & Qt::ItemIsEditable ? QLatin1Char('e') : QLatin1Char('-');
        QCOMPARE(editable, QStringLiteral("--e"));
        QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);

        QVERIFY(!model.setData(model.index(0, 0), QStringLiteral("x")));
        QVERIFY(!model.setData(model.index(0, 1), QStringLiteral("Z")));
        QVERIFY(!model.setData(model.index(0, 2), QStringLiteral("7"), Qt::DisplayRole));
        QString reason;
        try {
            model.setData(model.index(0, 2), QStringLiteral("12 руб."));
        } catch (const QString& message) {
            reason = message;
        }
        QVERIFY2(reason.contains(QStringLiteral("12 руб.")), qPrintable(reason));
        QCOMPARE(
            column(0) + QLatin1Char('|') + column(1) + QLatin1Char('|') + column(2), QStringLiteral("c b a|A B C|  "));
        QCOMPARE(changed.count(), 0);

        QVERIFY(model.setData(model.index(1, 2), QStringLiteral("12.5")));
        QCOMPARE(column(2), QStringLiteral(" 12.5 "));
        QCOMPARE(changed.count(), 1);
        QCOMPARE(changed.at(0).at(0).toModelIndex(), model.index(1, 2));
    }
};

QTEST_GUILESS_MAIN(tst_IndexModelEdit)
#include "tst_indexmodeledit.moc"
