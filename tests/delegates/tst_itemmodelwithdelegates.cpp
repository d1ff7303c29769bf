#include "columns/columnmodeldelegate.h"
#include "ordertable.h"
#include "recordlistmodel.h"

#include <QAbstractItemModelTester>
#include <QSignalSpy>
#include <QtTest>

namespace {

// A computed column: the price in kopecks as text; header answers for its own name and sample.
class KopecksDelegate : public ColumnModelDelegate
{
public:
    using ColumnModelDelegate::ColumnModelDelegate;
    int priceColumn = 5;
    bool headerData(int role, QVariant& value) const override
    {
        if (role == ColumnNameRole) {
            value = QStringLiteral("kopecks");
            return true;
        }
        if (role == ColumnSampleTextRole) {
            value = QStringLiteral("10050");
            return true;
        }
        if (role == ColumnDescriptionRole) {
            value = QStringLiteral("Цена в копейках");
            return true;
        }
        return false;
    }
    FieldType::Type getType() const override { return FieldType::Int64; }
    int type() const override { return QVariant::LongLong; }
    bool data(const Field& field, const Record& record, int role, QVariant& value) const override
    {
        lastField = field.column();
        if (role != Qt::DisplayRole)
            return false;
        value = kopecks(record);
        return true;
    }
    bool compare(const Field&, const Record& r1, const Field&, const Record& r2, int& result) const override
    {
        const qint64 a = kopecks(r1);
        const qint64 b = kopecks(r2);
        result = a < b ? -1 : (a > b ? 1 : 0);
        return true;
    }
    qint64 kopecks(const Record& r) const { return r.data(priceColumn).toDecimal().withScale(2).mantissa(); }
    mutable int lastField = -2;
};

QString keys(const RecordListModel& model)
{
    QStringList k;
    for (const Record& r : model.records())
        k << r.toString();
    return k.join(QLatin1Char(' '));
}

} // namespace

class tst_ItemModelWithDelegates : public QObject
{
    Q_OBJECT

private:
    Table* m_table = nullptr;
    RecordListModel* m_model = nullptr;

    Record order(qint64 key, const char* price, const char* account = "A")
    {
        Record r = makeOrder(m_table, key, QString::fromLatin1(price));
        r.data(QStringLiteral("account")) = QString::fromLatin1(account);
        return r;
    }

private Q_SLOTS:
    void init()
    {
        m_table = makeOrderTable(this);
        m_model = new RecordListModel(m_table, this);
        new QAbstractItemModelTester(m_model, QAbstractItemModelTester::FailureReportingMode::Fatal, m_model);
        m_model->setRecords({ order(1, "10.50", "B"), order(2, "9.00", "A"), order(3, "10.50", "C") });
    }
    void cleanup()
    {
        delete m_model;
        delete m_table;
    }

    void delegateAnswersWinButTheToolTipIsTheDescription()
    {
        KopecksDelegate delegate;
        const int column = m_model->addColumnDelegate(
            &delegate, -1, 10, QStringLiteral("kop"), QStringLiteral("Копейки"), QStringLiteral("описание столбца"));
        QCOMPARE(m_model->headerData(column, Qt::Horizontal, ColumnNameRole).toString(), QStringLiteral("kopecks"));
        QCOMPARE(m_model->headerData(column, Qt::Horizontal, ColumnSampleTextRole).toString(), QStringLiteral("10050"));
        QCOMPARE(m_model->headerData(column, Qt::Horizontal, Qt::DisplayRole).toString(), QStringLiteral("Копейки"));
        // The tool tip is the delegate's description when it has one.
        QCOMPARE(
            m_model->headerData(column, Qt::Horizontal, Qt::ToolTipRole).toString(), QStringLiteral("Цена в копейках"));
        QCOMPARE(m_model->headerData(column, Qt::Horizontal, ColumnVariantTypeRole).toInt(), int(QVariant::LongLong));
        // Found by the name its delegate reports and by its own name.
        QCOMPARE(m_model->columnIndex(QStringLiteral("kopecks")), column);
        QCOMPARE(m_model->columnIndex(QStringLiteral("kop")), column);
        QCOMPARE(m_model->fieldIndex(QStringLiteral("account")), 7);
        QCOMPARE(m_model->columnIndex(QStringLiteral("nothing")), -1);
    }

    void computedColumnsReadFieldZeroAndSortByTheDelegate()
    {
        KopecksDelegate delegate;
        const int column = m_model->addColumnDelegate(&delegate, -1, 10, QStringLiteral("kop"), QString(), QString());
        QCOMPARE(m_model->data(m_model->index(0, column)).toLongLong(), 1050LL);
        QCOMPARE(delegate.lastField, 0);
        m_model->sort(column, Qt::AscendingOrder);
        QCOMPARE(keys(*m_model), QStringLiteral("2 1 3"));
    }

    void descendingTiesKeepTheSecondaryOrder()
    {
        m_model->sort(5, Qt::DescendingOrder);
        QCOMPARE(keys(*m_model), QStringLiteral("1 3 2")); // 1 and 3 tie: key order, as ascending
        m_model->sort(5, Qt::AscendingOrder);
        QCOMPARE(keys(*m_model), QStringLiteral("2 1 3"));
    }

    void sortWithTheCurrentSettingsDoesNothing()
    {
        m_model->sort(5, Qt::AscendingOrder);
        QSignalSpy reset(m_model, &QAbstractItemModel::modelReset);
        m_model->sort(5, Qt::AscendingOrder);
        QCOMPARE(reset.count(), 0);
        m_model->sort(7, Qt::AscendingOrder);
        QCOMPARE(reset.count(), 1);
        QCOMPARE(keys(*m_model), QStringLiteral("2 1 3"));
    }

    void setColumnsResetsTheSort()
    {
        m_model->sort(5, Qt::DescendingOrder);
        m_model->setSortRole(3);
        m_model->setColumns({});
        QCOMPARE(m_model->columnCount(), 0);
        QCOMPARE(m_model->sortColumn(), -1);
        QCOMPARE(m_model->sortOrder(), Qt::AscendingOrder);
        QCOMPARE(m_model->sortRole(), 0);
    }

    void mapColumnFromTableCountsComputedColumns()
    {
        KopecksDelegate a;
        KopecksDelegate b;
        m_model->insertColumnDelegate(2, &a, -1, 1, QStringLiteral("a"), QString(), QString());
        m_model->addColumnDelegate(&b, -1, 1, QStringLiteral("b"), QString(), QString());
        // Columns: 0 1 [a] 2..9 [b]: fields 5..7 sit at columns 6..8; the computed ones widen the range.
        int first = -5;
        int last = -5;
        m_model->mapColumnFromTable(5, 7, first, last);
        QCOMPARE(first, 2);
        QCOMPARE(last, m_model->columnCount() - 1);
        m_model->mapColumnFromTable(-1, 3, first, last);
        QCOMPARE(first, 0);
        QCOMPARE(last, m_model->columnCount() - 1);
        m_model->removeUnusedColumns({ QStringLiteral("a"), QStringLiteral("b") });
        m_model->mapColumnFromTable(5, 7, first, last);
        QCOMPARE(first, 5);
        QCOMPARE(last, 7);
        m_model->mapColumnFromTable(50, 60, first, last);
        QVERIFY(last < first);
    }

    void dataChangedRowCoversTheMappedColumns()
    {
        QSignalSpy changed(m_model, &QAbstractItemModel::dataChanged);
        m_model->dataChangedRow(1, 5, 7);
        QCOMPARE(changed.count(), 1);
        QCOMPARE(changed.at(0).at(0).toModelIndex(), m_model->index(1, 5));
        QCOMPARE(changed.at(0).at(1).toModelIndex(), m_model->index(1, 7));
        m_model->dataChangedRow(1, -1, 3);
        QCOMPARE(changed.at(1).at(1).toModelIndex(), m_model->index(1, m_model->columnCount() - 1));
        m_model->dataChangedRow(1, 50, 60);
        QCOMPARE(changed.count(), 2);
    }

    void delegateByNameAndItsRepaint()
    {
        KopecksDelegate delegate;
        m_model->setColumnDelegate(QStringLiteral("price"), &delegate, QStringLiteral("Цена, коп."));
        QCOMPARE(m_model->headerData(5, Qt::Horizontal).toString(), QStringLiteral("Цена, коп."));
        QCOMPARE(m_model->columns().at(5).def.type, FieldType::Int64);
        QCOMPARE(m_model->columnAlignment(5), Qt::AlignRight | Qt::AlignVCenter);
        QCOMPARE(m_model->data(m_model->index(1, 5)).toLongLong(), 900LL);
        QSignalSpy changed(m_model, &QAbstractItemModel::dataChanged);
        Q_EMIT delegate.dataChanged();
        QCOMPARE(changed.count(), 1);
        QCOMPARE(changed.at(0).at(0).toModelIndex(), m_model->index(0, 5));
        QCOMPARE(changed.at(0).at(1).toModelIndex(), m_model->index(2, 5));
        QVERIFY_EXCEPTION_THROWN(m_model->setColumnDelegate(QStringLiteral("nope"), &delegate), QString);
    }
};

QTEST_MAIN(tst_ItemModelWithDelegates)
#include "tst_itemmodelwithdelegates.moc"
