#include "models/columntotalsmodel.h"

#include "columns/itemmodelwithdelegates.h"
#include "core/db/index.h"
#include "core/db/indexiterative.h"
#include "core/db/record.h"
#include "core/db/table.h"
#include "models/itemindexmodel.h"
#include "models/private/columntotalsmodel_p.h"

#include <QElapsedTimer>
#include <QFont>

namespace {

// A recompute waits at least this many times its own cost after the previous one.
constexpr int CostShare = 20;

// Adds (sign > 0) or takes away a record's values of the fields to or from their sums.
void addValues(QVector<decimal>& sums, const QList<int>& fields, const Record& record, int sign)
{
    for (int i = 0; i < fields.size(); ++i) {
        const Field value = record.data(fields.at(i));
        // An empty field adds nothing (its decimal form is the minimum, a marker, not a number).
        if (value.hasValue())
            sums[i] += sign > 0 ? value.toDecimal() : -value.toDecimal();
    }
}

} // namespace

// An index of the source model's table that hears its batches while the changed records still hold their old
// values, and moves the running sums by the records the source shows (its filter) before and after.
class ColumnTotalsModel::Follower : public Index
{
public:
    Follower(ColumnTotalsModel* totals, const ItemIndexModel* source, Table* table)
        : m_totals(totals)
        , m_source(source)
        , m_table(table)
    {
        m_table->addIndex(this);
    }
    ~Follower() override
    {
        if (m_table)
            m_table->removeIndex(this);
    }

    void clear() override { m_totals->m_d->exact = false; }
    void build() override { m_totals->m_d->exact = false; }
    void add(const Record& record) override { take(record, 1); }
    void remove(const Record& record, int) override { take(record, -1); }
    // The old values are gone: the next recompute sums afresh.
    void update(const Record&, int, int, int) override { m_totals->m_d->exact = false; }
    void preprocess(const QList<Record>& removed, const QList<Record>& updated, int firstColumn, int lastColumn,
        const QList<Record>& added, const QList<Record>& updatedNew) override
    {
        restartTimer();
        for (const Record& r : removed)
            take(r, -1);
        // A change of fields no total reads leaves the sums as they are, unless the record enters or leaves.
        const bool summed = touches(m_totals->m_d->fields, firstColumn, lastColumn);
        for (int i = 0; i < updated.size(); ++i) {
            const bool was = m_source->filter(updated.at(i));
            const bool is = m_source->filter(updatedNew.at(i));
            if (was && is) {
                if (summed)
                    m_totals->addChange(updated.at(i), updatedNew.at(i));
                continue;
            }
            if (was)
                m_totals->addRecord(updated.at(i), -1);
            if (is)
                m_totals->addRecord(updatedNew.at(i), 1);
        }
        for (const Record& r : added)
            take(r, 1);
        accumulateElapsed();
    }
    void process(const QList<Record>&, const QList<Record>&, int, int, const QList<Record>&) override { }
    bool filter(const Record& record) const override { return m_source->filter(record); }
    bool contains(const Record&) const override { return false; }
    void sourceDestroyed() override
    {
        m_table = nullptr;
        m_totals->m_d->exact = false;
    }
    QString getClassName() const override { return QStringLiteral("ColumnTotalsModel::Follower"); }

private:
    void take(const Record& record, int sign)
    {
        if (m_source->filter(record))
            m_totals->addRecord(record, sign);
    }

    ColumnTotalsModel* m_totals;
    const ItemIndexModel* m_source;
    Table* m_table; // not owned; null once destroyed
};

ColumnTotalsModel::ColumnTotalsModel(ItemModelWithDelegates* source, QObject* parent)
    : QAbstractTableModel(parent)
    , m_d(new ColumnTotalsModelPrivate)
{
    m_d->source = source;
    m_d->totals.resize(source->columnCount());
    m_d->timer.setSingleShot(true);
    connect(&m_d->timer, &QTimer::timeout, this, &ColumnTotalsModel::recompute);
    for (auto signal : { &QAbstractItemModel::rowsInserted, &QAbstractItemModel::rowsRemoved })
        connect(source, signal, this, &ColumnTotalsModel::schedule);
    // A layout change may bring rows in or take them out too (a tree's batch, a proxy's new filter).
    connect(source, &QAbstractItemModel::layoutChanged, this, &ColumnTotalsModel::schedule);
    connect(source, &QAbstractItemModel::dataChanged, this, &ColumnTotalsModel::schedule);
    // A rebuilt model may show other records (its filters changed): summed afresh.
    connect(source, &QAbstractItemModel::modelReset, this, [this] {
        m_d->exact = false;
        schedule();
    });
    // Only a model of the table's own records, not one over another model, shows exactly what its filter passes.
    const auto* indexModel = dynamic_cast<const ItemIndexModel*>(source);
    if (indexModel && !indexModel->dependencyOwner() && indexModel->table()) {
        m_d->follower = std::make_unique<Follower>(this, indexModel, indexModel->table());
        // The follower asks the model's filter: it goes with the model.
        connect(source, &QObject::destroyed, this, [this] {
            m_d->follower.reset();
            m_d->exact = false;
        });
    }
}

ColumnTotalsModel::~ColumnTotalsModel() = default;

QList<int> ColumnTotalsModel::summedColumns() const
{
    return m_d->summed;
}

void ColumnTotalsModel::setInterval(int ms)
{
    m_d->interval = ms;
}

void ColumnTotalsModel::setSummedColumns(const QStringList& names)
{
    m_d->summed.clear();
    m_d->fields.clear();
    for (const QString& name : names) {
        const int column = m_d->source ? m_d->source->columnIndex(name) : -1;
        if (column >= 0 && m_d->source->tableColumn(column) >= 0) {
            m_d->summed << column;
            m_d->fields << m_d->source->tableColumn(column);
        }
    }
    m_d->exact = false;
    recompute();
}

void ColumnTotalsModel::addRecord(const Record& record, int sign)
{
    if (!m_d->exact)
        return; // summed afresh anyway
    addValues(m_d->running, m_d->fields, record, sign);
    schedule();
}

void ColumnTotalsModel::addChange(const Record& before, const Record& after)
{
    if (!m_d->exact)
        return;
    for (int i = 0; i < m_d->fields.size(); ++i) {
        const Field was = before.data(m_d->fields.at(i));
        const Field is = after.data(m_d->fields.at(i));
        if (was == is)
            continue; // most changes of a record leave most of its summed fields alone
        if (was.hasValue())
            m_d->running[i] -= was.toDecimal();
        if (is.hasValue())
            m_d->running[i] += is.toDecimal();
    }
    schedule();
}

decimal ColumnTotalsModel::total(int column) const
{
    return m_d->totals.value(column);
}

void ColumnTotalsModel::schedule()
{
    // A steady feed would keep restarting a timer that is reset on each change: it runs out on its own instead.
    if (!m_d->timer.isActive())
        m_d->timer.start(int(qMax<qint64>(m_d->interval, CostShare * m_d->costMs)));
}

QVector<decimal> ColumnTotalsModel::sumRows() const
{
    QVector<decimal> sums(m_d->fields.size());
    if (!m_d->source || m_d->fields.isEmpty())
        return sums;
    // One pass over the rows for every column; a model that can be walked is, without an index per row.
    if (const auto* walk = dynamic_cast<const IndexIterative*>(m_d->source.data())) {
        for (const Record& record : *walk)
            addValues(sums, m_d->fields, record, 1);
    } else {
        const int rows = m_d->source->rowCount();
        for (int row = 0; row < rows; ++row)
            addValues(sums, m_d->fields, m_d->source->recordByIndex(m_d->source->index(row, 0)), 1);
    }
    return sums;
}

void ColumnTotalsModel::recompute()
{
    m_d->timer.stop();
    if (!m_d->exact) {
        QElapsedTimer clock;
        clock.start();
        m_d->running = sumRows();
        m_d->costMs = clock.elapsed();
        m_d->exact = m_d->follower != nullptr && m_d->source;
    }
    QVector<decimal> totals(m_d->totals.size());
    for (int i = 0; i < m_d->summed.size() && i < m_d->running.size(); ++i)
        totals[m_d->summed.at(i)] = m_d->running.at(i);
    if (totals == m_d->totals)
        return;
    m_d->totals = totals;
    if (!m_d->totals.isEmpty())
        Q_EMIT dataChanged(index(0, 0), index(0, m_d->totals.size() - 1), { Qt::DisplayRole });
}

int ColumnTotalsModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : 1;
}

int ColumnTotalsModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_d->totals.size();
}

QVariant ColumnTotalsModel::data(const QModelIndex& index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return QVariant();
    const int column = index.column();
    switch (role) {
    case Qt::DisplayRole:
        if (m_d->summed.contains(column))
            return m_d->totals.at(column).toString();
        return column == 0 ? tr("Итого") : QVariant();
    case Qt::TextAlignmentRole:
        return m_d->summed.contains(column) ? QVariant(Qt::AlignRight | Qt::AlignVCenter) : QVariant();
    case Qt::FontRole: {
        QFont bold;
        bold.setBold(true);
        return bold;
    }
    default:
        return QVariant();
    }
}

QVariant ColumnTotalsModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    return m_d->source && orientation == Qt::Horizontal ? m_d->source->headerData(section, orientation, role)
                                                        : QVariant();
}

Qt::ItemFlags ColumnTotalsModel::flags(const QModelIndex& index) const
{
    return index.isValid() ? Qt::ItemIsEnabled : Qt::NoItemFlags;
}
