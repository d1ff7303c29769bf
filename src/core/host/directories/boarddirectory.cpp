#include "boarddirectory.h"

#include "hostschema.h"
#include "masterindex.h"

BoardDirectory::BoardDirectory()
    : TableDirectory(QStringLiteral("boards"))
{
}

void BoardDirectory::reload(const Table* table)
{
    m_boards.clear();
    if (!table)
        return;
    const int stockC = table->columnIndex(QStringLiteral("stock_id"));
    const int boardC = table->columnIndex(QStringLiteral("board_id"));
    const int nameC = table->columnIndex(QStringLiteral("board_name"));
    const int codeC = table->columnIndex(QStringLiteral("board_code"));
    const int flagsC = table->columnIndex(QStringLiteral("flags"));
    for (const Record& r : *table->masterIndex()) {
        m_boards.insert(boardid {r.data(stockC).toInteger(), r.data(boardC).toInteger()},
                        Info {r.data(nameC).toString(), r.data(codeC).toString(), r.data(flagsC).toInteger()});
    }
}

QString BoardDirectory::nameById(int stock, int board) const
{
    return m_boards.value(boardid {stock, board}).name;
}

QString BoardDirectory::codeById(int stock, int board) const
{
    return m_boards.value(boardid {stock, board}).code;
}

boardlist BoardDirectory::all(int stock) const
{
    boardlist boards;
    for (auto it = m_boards.constBegin(); it != m_boards.constEnd(); ++it) {
        if (it.key().stock == stock)
            boards << it.key();
    }
    std::sort(boards.begin(), boards.end());
    return boards;
}

bool BoardDirectory::hasFlag(int stock, int board, int flag) const
{
    return m_boards.value(boardid {stock, board}).flags & flag;
}

bool BoardDirectory::isFavoriteById(int stock, int board) const
{
    return hasFlag(stock, board, HostSchema::BoardFavorite);
}

bool BoardDirectory::isIndexById(int stock, int board) const
{
    return hasFlag(stock, board, HostSchema::BoardIndex);
}

bool BoardDirectory::isDomById(int stock, int board) const
{
    return hasFlag(stock, board, HostSchema::BoardDom);
}

bool BoardDirectory::isChartById(int stock, int board) const
{
    return hasFlag(stock, board, HostSchema::BoardChart);
}

bool BoardDirectory::isAddressById(int stock, int board) const
{
    return hasFlag(stock, board, HostSchema::BoardAddress);
}

bool BoardDirectory::isTradeById(int stock, int board) const
{
    return hasFlag(stock, board, HostSchema::BoardTrade);
}

bool BoardDirectory::isQRBRequestById(int stock, int board) const
{
    return hasFlag(stock, board, HostSchema::BoardQRBRequest);
}
