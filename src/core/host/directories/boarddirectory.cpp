#include "core/host/directories/boarddirectory.h"

#include <algorithm>

#include "core/db/masterindex.h"
#include "core/host/schema/hostschema.h"

BoardDirectory::BoardDirectory()
    : TableDirectory(QStringLiteral("boards"))
{ }

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
        m_boards.insert(boardid { r.data(stockC).toInteger(), r.data(boardC).toInteger() },
            Info { r.data(nameC).toString(), r.data(codeC).toString(), r.data(flagsC).toInteger() });
    }
    QList<Info*> byName;
    for (Info& info : m_boards)
        byName << &info;
    std::sort(byName.begin(), byName.end(),
        [](const Info* a, const Info* b) { return a->name.compare(b->name, Qt::CaseInsensitive) < 0; });
    for (int i = 0; i < byName.size(); ++i) {
        const bool sameAsPrevious
            = i > 0 && byName.at(i)->name.compare(byName.at(i - 1)->name, Qt::CaseInsensitive) == 0;
        byName[i]->nameRank = sameAsPrevious ? byName.at(i - 1)->nameRank : i;
    }
}

QString BoardDirectory::nameById(int stock, int board) const
{
    // Only the name is copied, not the whole entry: cells ask for it a million times.
    const auto it = m_boards.constFind(boardid { stock, board });
    return it == m_boards.constEnd() ? QString() : it->name;
}

int BoardDirectory::nameRankById(int stock, int board) const
{
    const auto it = m_boards.constFind(boardid { stock, board });
    return it == m_boards.constEnd() ? -1 : it->nameRank;
}

QString BoardDirectory::codeById(int stock, int board) const
{
    return m_boards.value(boardid { stock, board }).code;
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

int BoardDirectory::flagsById(int stock, int board) const
{
    return m_boards.value(boardid { stock, board }).flags;
}

bool BoardDirectory::hasFlag(int stock, int board, int flag) const
{
    return flagsById(stock, board) & flag;
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
