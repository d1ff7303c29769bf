#include "core/host/signalhub.h"

bool SignalHub::isBoardChosen(const boardid& board) const
{
    return (m_stocks.isEmpty() || m_stocks.contains(board.stock)) && !m_offBoards.contains(board);
}

void SignalHub::setStockIds(const Stocks& stocks)
{
    if (stocks == m_stocks)
        return;
    m_stocks = stocks;
    Q_EMIT stockIdsChanged(stocks);
}

void SignalHub::setBoardsEnabled(bool enabled, const Boards& boards)
{
    Boards changed;
    for (const boardid& board : boards) {
        if (m_offBoards.contains(board) == enabled && !changed.contains(board))
            changed << board;
    }
    if (changed.isEmpty())
        return;
    for (const boardid& board : qAsConst(changed)) {
        if (enabled)
            m_offBoards.removeAll(board);
        else
            m_offBoards << board;
    }
    Q_EMIT boardsChanged(enabled, changed);
}
