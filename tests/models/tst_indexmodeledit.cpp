#include "core/db/table.h"
#include "models/indexmodeledit.h"

#include <QAbstractItemModelTester>
#include <QSignalSpy>
#include <QtTest>

#include <memory>

// A table whose key is its second column, so that column 0 and the key columns are told apart.
class tst_IndexModelEdit : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<Table> m_table;
    std::unique_ptr<IndexModelEdit> m_model;
    std::unique_ptr<QAbstractItemModelTester> m_tester;

    void append(const QString& code, const QString& amount)
    {
        Record r(m_table.get());
        r.data(QStringLiteral("note")) = QStringLiteral("n") + code;
        r.data(QStringLiteral("code")) = code;
        r.data(QStringLiteral("amount")) = amount;
        r.append();
    }
    QString column(int c) const
    {
        QStringList texts;
        for (int row = 0; row < m_model->rowCount(); ++row)
            texts << m_model->index(row, c).data(Qt::EditRole).toString();
        return texts.join(QLatin1Char(' '));
    }

private Q_SLOTS:
    void init()
    {
        m_table = std::make_unique<Table>(QStringLiteral("limits"),
            QList<ColumnDef> { ColumnDef(FieldType::String, 10, QStringLiteral("note")),
                ColumnDef(FieldType::String, 7, QStringLiteral("code")),
                ColumnDef(FieldType::Decimal, 2, QStringLiteral("amount")),
                ColumnDef(FieldType::String, 5, QStringLiteral("comment")) },
            QStringList { QStringLiteral("code") });
        for (const char* code : { "C", "A", "B" })
            append(QString::fromLatin1(code), QStringLiteral("1.00"));
        m_model = std::make_unique<IndexModelEdit>(m_table.get());
        m_tester = std::make_unique<QAbstractItemModelTester>(
            m_model.get(), QAbstractItemModelTester::FailureReportingMode::Fatal);
        m_model->rebuild();
    }
    void cleanup()
    {
        m_tester.reset();
        m_model.reset();
        m_table.reset();
    }

    void editsOnlyFieldsBesideColumnZeroAndTheKey()
    {
        QVERIFY(!(m_model->flags(m_model->index(0, 1)) & Qt::ItemIsEditable));
        QVERIFY(m_model->flags(m_model->index(0, 2)) & Qt::ItemIsEditable);
        QSignalSpy changed(m_model.get(), &QAbstractItemModel::dataChanged);

        QVERIFY(!m_model->setData(m_model->index(0, 0), QStringLiteral("x")));
        QVERIFY(!m_model->setData(m_model->index(0, 1), QStringLiteral("Z")));
        QVERIFY(!m_model->setData(m_model->index(0, 2), QStringLiteral("7"), Qt::DisplayRole));
        QCOMPARE(changed.count(), 0);
        QCOMPARE(column(0) + QLatin1Char('|') + column(1), QStringLiteral("nA nB nC|A B C"));

        QVERIFY(m_model->setData(m_model->index(1, 2), QStringLiteral("12.5")));
        QCOMPARE(Record(m_table.get(), QStringLiteral("B")).data(QStringLiteral("amount")).toString(),
            QStringLiteral("12.5"));
        QCOMPARE(changed.count(), 1);
        QCOMPARE(changed.at(0).at(0).toModelIndex(), m_model->index(1, 2));
    }

    void aValueTheFieldCannotHoldIsRefusedWithItsReasonAndChangesNothing_data()
    {
        QTest::addColumn<int>("column");
        QTest::addColumn<QString>("value");
        QTest::newRow("not a number") << 2 << QStringLiteral("12 руб.");
        QTest::newRow("too long a text") << 3 << QStringLiteral("слишком длинный");
    }
    void aValueTheFieldCannotHoldIsRefusedWithItsReasonAndChangesNothing()
    {
        QFETCH(int, column);
        QFETCH(QString, value);
        QSignalSpy changed(m_model.get(), &QAbstractItemModel::dataChanged);
        QString reason;
        try {
            m_model->setData(m_model->index(0, column), value);
        } catch (const QString& message) {
            reason = message;
        }
        QVERIFY2(reason.contains(value), qPrintable(reason));
        QCOMPARE(this->column(2) + QLatin1Char('|') + this->column(3), QStringLiteral("1.00 1.00 1.00|  "));
        QCOMPARE(changed.count(), 0);
    }

    void rowsStayInKeyOrderWhateverTheSort()
    {
        m_model->sort(0, Qt::DescendingOrder);
        append(QStringLiteral("AB"), QStringLiteral("3.00"));
        QCOMPARE(column(1), QStringLiteral("A AB B C"));
    }
};

QTEST_GUILESS_MAIN(tst_IndexModelEdit)
#include "tst_indexmodeledit.moc"
