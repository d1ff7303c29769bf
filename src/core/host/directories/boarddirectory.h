#pragma once

#include "core/host/directories/tabledirectory.h"
#include "core/host/securitykey.h"

#include <QHash>

// Boards of the "boards" table: names, codes and what each board allows.
class BV_HOST_EXPORT BoardDirectory : public TableDirectory, public DirectoryInstance<BoardDirectory>
{
    Q_OBJECT
public:
    BoardDirectory();

    QString nameById(int stock, int board) const;
    QString codeById(int stock, int board) const;
    // The place of the board's name among all boards' names without regard to case (equal names, equal places);
    // -1 for an unknown board, whose empty name comes first. Sorting by name compares these.
    int nameRankById(int stock, int board) const;
    // The market's boards in board order.
    boardlist all(int stock) const;
    // The board's HostSchema::Board* flags; 0 for an unknown board.
    int flagsById(int stock, int board) const;
    bool isFavoriteById(int stock, int board) const;
    bool isIndexById(int stock, int board) const;
    bool isDomById(int stock, int board) const;
    bool isChartById(int stock, int board) const;
    bool isAddressById(int stock, int board) const;
    bool isTradeById(int stock, int board) const;
    bool isQRBRequestById(int stock, int board) const;

protected:
    void reload(const Table* table) override;

private:
    struct Info
    {
        QString name;
        QString code;
        int flags = 0;
        int nameRank = -1;
    };
    bool hasFlag(int stock, int board, int flag) const;

    QHash<boardid, Info> m_boards;
};
