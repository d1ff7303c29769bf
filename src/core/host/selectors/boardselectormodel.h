#pragma once

#include "core/host/securitykey.h"

#include <QAbstractListModel>
#include <QSet>

// The boards of every market from the board directory, as a check list: each row shows the board's name, with
// its code as tool tip, and carries its market, board and flags in the roles below. Follows the directory,
// keeping the checks of boards that remain.
class BV_HOST_EXPORT BoardSelectorModel : public QAbstractListModel
{
    Q_OBJECT
public:
    enum Roles { StockIdRole = Qt::UserRole, BoardIdRole, FlagsRole };

    explicit BoardSelectorModel(QObject* parent = nullptr);

    boardid board(int row) const { return m_boards.at(row); }
    // -1 for a board not listed.
    int rowOf(const boardid& board) const { return m_boards.indexOf(board); }
    void setCheckable(bool checkable);
    boardlist checkedBoards() const;
    void setCheckedBoards(const boardlist& boards);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

private:
    void reload();

    boardlist m_boards;
    QSet<boardid> m_checked;
    bool m_checkable = false;
};
