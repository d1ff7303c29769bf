#pragma once

#include "core/host/securitykey.h"

#include <QSortFilterProxyModel>

// The boards of a BoardSelectorModel a selector offers: of one market (0 for all), of a given list, only those
// positions are held on (trading boards), and with or without given board flags. Sorted by name.
class BV_HOST_EXPORT BoardSelectorFilteredModel : public QSortFilterProxyModel
{
    Q_OBJECT
public:
    explicit BoardSelectorFilteredModel(QObject* parent = nullptr);

    void setStockId(int stock);
    int stockId() const { return m_stock; }
    // Empty offers every board.
    void setFilterBoards(const boardlist& boards);
    void setForPositions(bool forPositions);
    // Boards must have every flag of `on` and none of `off`.
    void setBoardFlagsOnFilter(int mask);
    void setBoardFlagsOffFilter(int mask);
    // -1 for a board not offered; a market of 0 matches any.
    int rowOf(const boardid& board) const;

protected:
    bool filterAcceptsRow(int sourceRow, const QModelIndex& sourceParent) const override;

private:
    int m_stock = 0;
    boardlist m_boards;
    bool m_forPositions = false;
    int m_on = 0;
    int m_off = 0;
};
