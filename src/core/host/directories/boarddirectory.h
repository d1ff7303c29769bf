#pragma once

#include "securitykey.h"
#include "tabledirectory.h"

#include <QHash>

// Boards of the "boards" table: names, codes and what each board allows.
class BV_HOST_EXPORT BoardDirectory : public TableDirectory, public DirectoryInstance<BoardDirectory>
{
    Q_OBJECT
public:
    BoardDirectory();

    QString nameById(int stock, int board) const;
    QString codeById(int stock, int board) const;
    // The market's boards in board order.
    boardlist all(int stock) const;
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
    };
    bool hasFlag(int stock, int board, int flag) const;

    QHash<boardid, Info> m_boards;
};
