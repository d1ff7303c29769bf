#include "models/checkableindexmodel.h"

#include "models/private/checkableindexmodel_p.h"

CheckableIndexModel::CheckableIndexModel(Table* table, int column, Qt::CheckState initial, QObject* parent)
    : TableIndexModel(table, *new CheckableIndexModelPrivate, parent)
{
    Q_D(CheckableIndexModel);
    d->initial = initial;
    d->column = column;
    sort(column, Qt::AscendingOrder);
    // Connected before anyone else can be: the states are in line when the views hear of a change.
    connect(this, &QAbstractItemModel::modelReset, this, &CheckableIndexModel::s_modelReset);
    connect(this, &QAbstractItemModel::rowsInserted, this, &CheckableIndexModel::s_rowsInserted);
    connect(this, &QAbstractItemModel::rowsRemoved, this, &CheckableIndexModel::s_rowsRemoved);
    connect(this, &QAbstractItemModel::rowsMoved, this, &CheckableIndexModel::s_rowsMoved);
    connect(this, &QAbstractItemModel::layoutAboutToBeChanged, this, &CheckableIndexModel::onLayoutAboutToBeChanged);
    connect(this, &QAbstractItemModel::layoutChanged, this, &CheckableIndexModel::onLayoutChanged);
}

CheckableIndexModel::~CheckableIndexModel() = default;

int CheckableIndexModel::shownColumn() const
{
    return d_func()->column;
}

Qt::CheckState CheckableIndexModel::initialState() const
{
    return d_func()->initial;
}

Qt::ItemFlags CheckableIndexModel::flags(const QModelIndex& index) const
{
    return index.isValid() ? Qt::ItemIsSelectable | Qt::ItemIsUserCheckable | Qt::ItemIsEnabled : Qt::NoItemFlags;
}

QVariant CheckableIndexModel::data(const QModelIndex& index, int role) const
{
    if (role != Qt::DisplayRole && role != Qt::TextAlignmentRole && role != Qt::CheckStateRole)
        return TableIndexModel::data(index, role);
    if (!index.isValid() || index.row() >= d_func()->states.size() || index.row() >= rowCount())
        return QVariant();
    if (role == Qt::DisplayRole)
        return at(index.row()).data(d_func()->column).toSystemString();
    if (role == Qt::TextAlignmentRole)
        return int(Qt::AlignLeft);
    return d_func()->states.at(index.row());
}

bool CheckableIndexModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (role != Qt::CheckStateRole)
        return false;
    if (!index.isValid()) {
        beginResetModel();
        d_func()->states.fill(value.toInt() != 0 ? Qt::Checked : Qt::Unchecked);
        endResetModel();
        return true;
    }
    if (index.row() >= d_func()->states.size())
        return false;
    const Qt::CheckState state = value.toInt() == Qt::Checked ? Qt::Checked : Qt::Unchecked;
    if (d_func()->states.at(index.row()) == state)
        return false;
    d_func()->states[index.row()] = state;
    Q_EMIT dataChanged(index, index, { Qt::CheckStateRole });
    return true;
}

QStringList CheckableIndexModel::checkedValues() const
{
    QStringList values;
    for (int row = 0; row < d_func()->states.size(); ++row) {
        if (d_func()->states.at(row) == Qt::Checked)
            values << at(row).data(d_func()->column).toSystemString();
    }
    return values;
}

bool CheckableIndexModel::allIn(Qt::CheckState state) const
{
    return std::all_of(
        d_func()->states.begin(), d_func()->states.end(), [state](Qt::CheckState s) { return s == state; });
}

bool CheckableIndexModel::allItemsChecked() const
{
    return allIn(Qt::Checked);
}

bool CheckableIndexModel::allItemsUnchecked() const
{
    return allIn(Qt::Unchecked);
}

void CheckableIndexModel::setAll(Qt::CheckState state)
{
    d_func()->states.fill(state);
    if (!d_func()->states.isEmpty())
        Q_EMIT dataChanged(index(0, 0), index(d_func()->states.size() - 1, 0), { Qt::CheckStateRole });
}

void CheckableIndexModel::checkAllItems()
{
    setAll(Qt::Checked);
}

void CheckableIndexModel::uncheckAllItems()
{
    setAll(Qt::Unchecked);
}

void CheckableIndexModel::s_modelReset()
{
    const int rows = rowCount();
    if (d_func()->states.size() == rows)
        return; // a rebuild with as many rows keeps the marks
    d_func()->states.fill(d_func()->initial, rows);
}

void CheckableIndexModel::s_rowsInserted(const QModelIndex&, int first, int last)
{
    d_func()->states.insert(first, last - first + 1, d_func()->initial);
}

void CheckableIndexModel::s_rowsRemoved(const QModelIndex&, int first, int last)
{
    for (int row = qMin(last, d_func()->states.size() - 1); row >= first; --row)
        d_func()->states.remove(row);
}

void CheckableIndexModel::s_rowsMoved(const QModelIndex&, int start, int end, const QModelIndex&, int row)
{
    if (row >= start && row <= end + 1)
        return;
    const QVector<Qt::CheckState> moving = d_func()->states.mid(start, end - start + 1);
    d_func()->states.remove(start, moving.size());
    // Moving down, the rows stand before the one that was at `row`, which has shifted up by their number.
    const int at = row > end ? row - moving.size() : row;
    for (int k = 0; k < moving.size(); ++k)
        d_func()->states.insert(at + k, moving.at(k));
}

void CheckableIndexModel::onLayoutAboutToBeChanged()
{
    d_func()->statesDuringLayout.clear();
    d_func()->statesDuringLayout.reserve(d_func()->states.size());
    for (int row = 0; row < d_func()->states.size(); ++row)
        d_func()->statesDuringLayout.insert(at(row), d_func()->states.at(row));
}

void CheckableIndexModel::onLayoutChanged()
{
    const int rows = rowCount();
    d_func()->states.resize(rows);
    for (int row = 0; row < rows; ++row)
        d_func()->states[row] = d_func()->statesDuringLayout.value(at(row), d_func()->initial);
    d_func()->statesDuringLayout.clear();
}
