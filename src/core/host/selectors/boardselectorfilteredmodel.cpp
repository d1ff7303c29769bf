#include "core/host/selectors/boardselectorfilteredmodel.h"

#include "core/host/schema/hostschema.h"
#include "core/host/selectors/boardselectormodel.h"

BoardSelectorFilteredModel::BoardSelectorFilteredModel(QObject* parent)
    : QSortFilterProxyModel(parent)
{
    setSortCaseSensitivity(Qt::CaseInsensitive);
    setDynamicSortFilter(true);
    sort(0);
}

void BoardSelectorFilteredModel::setStockId(int stock)
{
    m_stock = stock;
    invalidateFilter();
}

void BoardSelectorFilteredModel::setFilterBoards(const boardlist& boards)
{
    m_boards = boards;
    invalidateFilter();
}

void BoardSelectorFilteredModel::setForPositions(bool forPositions)
{
    m_forPositions = forPositions;
    invalidateFilter();
}

void BoardSelectorFilteredModel::setBoardFlagsOnFilter(int mask)
{
    m_on = mask;
    invalidateFilter();
}

void BoardSelectorFilteredModel::setBoardFlagsOffFilter(int mask)
{
    m_off = mask;
    invalidateFilter();
}

int BoardSelectorFilteredModel::rowOf(const boardid& board) const
{
    for (int row = 0; row < rowCount(); ++row) {
        const QModelIndex i = index(row, 0);
        if ((board.stock <= 0 || i.data(BoardSelectorModel::StockIdRole).toInt() == board.stock)
            && i.data(BoardSelectorModel::BoardIdRole).toInt() == board.board)
            return row;
    }
    return -1;
}

bool BoardSelectorFilteredModel::filterAcceptsRow(int sourceRow, const QModelIndex& sourceParent) const
{
    const QModelIndex i = sourceModel()->index(sourceRow, 0, sourceParent);
    const boardid b { i.data(BoardSelectorModel::StockIdRole).toInt(),
        i.data(BoardSelectorModel::BoardIdRole).toInt() };
    const int flags = i.data(BoardSelectorModel::FlagsRole).toInt();
    if (m_stock > 0 && b.stock != m_stock)
        return false;
    if (!m_boards.isEmpty() && !m_boards.contains(b))
        return false;
    // Positions come only from deals, so only trading boards hold them.
    if (m_forPositions && !(flags & HostSchema::BoardTrade))
        return false;
    return (flags & m_on) == m_on && !(flags & m_off);
}
