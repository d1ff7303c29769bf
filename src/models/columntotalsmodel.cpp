#include "models/columntotalsmodel.h"

#include "columns/itemmodelwithdelegates.h"
#include "core/db/indexiterative.h"
#include "core/db/record.h"

#include <QElapsedTimer>
#include <QFont>

namespace {

// A recompute waits at least this many times its own cost after the previous one.
constexpr int CostShare = 20;

} // namespace

ColumnTotalsModel::ColumnTotalsModel(ItemModelWithDelegates* source, QObject* parent)
    : QAbstractTableModel(parent)
    , m_source(source)
    , m_totals(source->columnCount())
{
    m_timer.setSingleShot(true);
    connect(&m_timer, &QTimer::timeout, this, &ColumnTotalsModel::recompute);
    for (auto signal : { &QAbstractItemModel::rowsInserted, &QAbstractItemModel::rowsRemoved })
        connect(source, signal, this, &ColumnTotalsModel::schedule);
    connect(source, &QAbstractItemModel::dataChanged, this, &ColumnTotalsModel::schedule);
    connect(source, &QAbstractItemModel::modelReset, this, &ColumnTotalsModel::schedule);
}

void ColumnTotalsModel::setSummedColumns(const QStringList& names)
{
    m_summed.clear();
    for (const QString& name : names) {
        const int column = m_source ? m_source->columnIndex(name) : -1;
        if (column >= 0 && m_source->tableColumn(column) >= 0)
            m_summed << column;
    }
    recompute();
}

decimal ColumnTotalsModel::total(int column) const
{
    return m_totals.value(column);
}

void ColumnTotalsModel::schedule()
{
    // A steady feed would keep restarting a timer that is reset on each change: it runs out on its own instead.
    if (!m_timer.isActive())
        m_timer.start(int(qMax<qint64>(m_interval, CostShare * m_costMs)));
}

void ColumnTotalsModel::recompute()
{
    m_timer.stop();
    QElapsedTimer clock;
    clock.start();
    QVector<decimal> totals(m_totals.size());
    if (m_source && !m_summed.isEmpty()) {
        QVector<int> fields;
        for (int column : qAsConst(m_summed))
            fields << m_source->tableColumn(column);
        QVector<decimal> sums(fields.size());
        auto add = [&](const Record& record) {
            for (int i = 0; i < fields.size(); ++i) {
                const Field value = record.data(fields.at(i));
                // An empty field adds nothing (its decimal form is the minimum, a marker, not a number).
                if (value.hasValue())
                    sums[i] += value.toDecimal();
            }
        };
        // One pass over the rows for every column; a model that can be walked is, without an index per row.
        if (const auto* walk = dynamic_cast<const IndexIterative*>(m_source.data())) {
            for (const Record& record : *walk)
                add(record);
        } else {
            const int rows = m_source->rowCount();
            for (int row = 0; row < rows; ++row)
                add(m_source->recordByIndex(m_source->index(row, 0)));
        }
        for (int i = 0; i < m_summed.size(); ++i)
            totals[m_summed.at(i)] = sums.at(i);
    }
    m_costMs = clock.elapsed();
    if (totals == m_totals)
        return;
    m_totals = totals;
    if (!m_totals.isEmpty())
        Q_EMIT dataChanged(index(0, 0), index(0, m_totals.size() - 1), { Qt::DisplayRole });
}

int ColumnTotalsModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : 1;
}

int ColumnTotalsModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_totals.size();
}

QVariant ColumnTotalsModel::data(const QModelIndex& index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return QVariant();
    const int column = index.column();
    switch (role) {
    case Qt::DisplayRole:
        if (m_summed.contains(column))
            return m_totals.at(column).toString();
        return column == 0 ? tr("Итого") : QVariant();
    case Qt::TextAlignmentRole:
        return m_summed.contains(column) ? QVariant(Qt::AlignRight | Qt::AlignVCenter) : QVariant();
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
    return m_source && orientation == Qt::Horizontal ? m_source->headerData(section, orientation, role) : QVariant();
}

Qt::ItemFlags ColumnTotalsModel::flags(const QModelIndex& index) const
{
    return index.isValid() ? Qt::ItemIsEnabled : Qt::NoItemFlags;
}
