#include "core/host/selectors/boardselectormodel.h"

#include "core/host/directories/boarddirectory.h"
#include "core/host/directories/stockdirectory.h"

BoardSelectorModel::BoardSelectorModel(QObject* parent)
    : QAbstractListModel(parent)
{
    connect(BoardDirectory::i(), &TableDirectory::dataChanged, this, &BoardSelectorModel::reload);
    connect(StockDirectory::i(), &TableDirectory::dataChanged, this, &BoardSelectorModel::reload);
    reload();
}

void BoardSelectorModel::setCheckable(bool checkable)
{
    if (checkable == m_checkable)
        return;
    beginResetModel();
    m_checkable = checkable;
    endResetModel();
}

boardlist BoardSelectorModel::checkedBoards() const
{
    boardlist boards;
    for (const boardid& b : m_boards) {
        if (m_checked.contains(b))
            boards << b;
    }
    return boards;
}

void BoardSelectorModel::setCheckedBoards(const boardlist& boards)
{
    m_checked = QSet<boardid>(boards.begin(), boards.end());
    if (!m_boards.isEmpty())
        Q_EMIT dataChanged(index(0), index(m_boards.size() - 1), { Qt::CheckStateRole });
}

int BoardSelectorModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_boards.size();
}

QVariant BoardSelectorModel::data(const QModelIndex& index, int role) const
{
    // Combo boxes ask for the data of "no item"; answer nothing without a warning.
    if (!index.isValid() || index.row() >= m_boards.size())
        return QVariant();
    const boardid b = m_boards.at(index.row());
    switch (role) {
    case Qt::DisplayRole:
        return BoardDirectory::i()->nameById(b.stock, b.board);
    case Qt::ToolTipRole:
        return BoardDirectory::i()->codeById(b.stock, b.board);
    case Qt::CheckStateRole:
        return m_checkable ? QVariant(m_checked.contains(b) ? Qt::Checked : Qt::Unchecked) : QVariant();
    case StockIdRole:
        return b.stock;
    case BoardIdRole:
        return b.board;
    case FlagsRole:
        return BoardDirectory::i()->flagsById(b.stock, b.board);
    default:
        return QVariant();
    }
}

bool BoardSelectorModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (!m_checkable || role != Qt::CheckStateRole || !index.isValid() || index.row() >= m_boards.size())
        return false;
    const boardid b = m_boards.at(index.row());
    if (value.toInt() == Qt::Checked)
        m_checked.insert(b);
    else
        m_checked.remove(b);
    Q_EMIT dataChanged(index, index, { Qt::CheckStateRole });
    return true;
}

Qt::ItemFlags BoardSelectorModel::flags(const QModelIndex& index) const
{
    Qt::ItemFlags f = QAbstractListModel::flags(index);
    if (m_checkable && index.isValid())
        f |= Qt::ItemIsUserCheckable;
    return f;
}

void BoardSelectorModel::reload()
{
    beginResetModel();
    m_boards.clear();
    for (int stock : StockDirectory::i()->ids())
        m_boards << BoardDirectory::i()->all(stock);
    std::sort(m_boards.begin(), m_boards.end());
    endResetModel();
}
