#include "models/checkableindexmodel.h"

CheckableIndexModel::CheckableIndexModel(Table* table, int column, Qt::CheckState initial, QObject* parent)
    : TableIndexModel(table, parent)
    , m_initial(initial)
    , m_column(column)
{
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

Qt::ItemFlags CheckableIndexModel::flags(const QModelIndex& index) const
{
    return index.isValid() ? Qt::ItemIsSelectable | Qt::ItemIsUserCheckable | Qt::ItemIsEnabled : Qt::NoItemFlags;
}

QVariant CheckableIndexModel::data(const QModelIndex& index, int role) const
{
    if (role != Qt::DisplayRole && role != Qt::TextAlignmentRole && role != Qt::CheckStateRole)
        return TableIndexModel::data(index, role);
    if (!index.isValid() || index.row() >= m_states.size() || index.row() >= rowCount())
        return QVariant();
    if (role == Qt::DisplayRole)
        return at(index.row()).data(m_column).toSystemString();
    if (role == Qt::TextAlignmentRole)
        return int(Qt::AlignLeft);
    return m_states.at(index.row());
}

bool CheckableIndexModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (role != Qt::CheckStateRole)
        return false;
    if (!index.isValid()) {
        beginResetModel();
        m_states.fill(value.toInt() != 0 ? Qt::Checked : Qt::Unchecked);
        endResetModel();
        return true;
    }
    if (index.row() >= m_states.size())
        return false;
    const Qt::CheckState state = value.toInt() == Qt::Checked ? Qt::Checked : Qt::Unchecked;
    if (m_states.at(index.row()) == state)
        return false;
    m_states[index.row()] = state;
    Q_EMIT dataChanged(index, index, { Qt::CheckStateRole });
    return true;
}

QStringList CheckableIndexModel::checkedValues() const
{
    QStringList values;
    for (int row = 0; row < m_states.size(); ++row) {
        if (m_states.at(row) == Qt::Checked)
            values << at(row).data(m_column).toSystemString();
    }
    return values;
}

bool CheckableIndexModel::allIn(Qt::CheckState state) const
{
    return std::all_of(m_states.begin(), m_states.end(), [state](Qt::CheckState s) { return s == state; });
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
    m_states.fill(state);
    if (!m_states.isEmpty())
        Q_EMIT dataChanged(index(0, 0), index(m_states.size() - 1, 0), { Qt::CheckStateRole });
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
    if (m_states.size() == rows)
        return; // a rebuild with as many rows keeps the marks
    m_states.fill(m_initial, rows);
}

void CheckableIndexModel::s_rowsInserted(const QModelIndex&, int first, int last)
{
    m_states.insert(first, last - first + 1, m_initial);
}

void CheckableIndexModel::s_rowsRemoved(const QModelIndex&, int first, int last)
{
    for (int row = qMin(last, m_states.size() - 1); row >= first; --row)
        m_states.remove(row);
}

void CheckableIndexModel::s_rowsMoved(const QModelIndex&, int start, int end, const QModelIndex&, int row)
{
    if (row >= start && row <= end + 1)
        return;
    const QVector<Qt::CheckState> moving = m_states.mid(start, end - start + 1);
    m_states.remove(start, moving.size());
    // Moving down, the rows stand before the one that was at `row`, which has shifted up by their number.
    const int at = row > end ? row - moving.size() : row;
    for (int k = 0; k < moving.size(); ++k)
        m_states.insert(at + k, moving.at(k));
}

void CheckableIndexModel::onLayoutAboutToBeChanged()
{
    m_statesDuringLayout.clear();
    m_statesDuringLayout.reserve(m_states.size());
    for (int row = 0; row < m_states.size(); ++row)
        m_statesDuringLayout.insert(at(row), m_states.at(row));
}

void CheckableIndexModel::onLayoutChanged()
{
    const int rows = rowCount();
    m_states.resize(rows);
    for (int row = 0; row < rows; ++row)
        m_states[row] = m_statesDuringLayout.value(at(row), m_initial);
    m_statesDuringLayout.clear();
}
