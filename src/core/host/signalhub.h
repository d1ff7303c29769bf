#pragma once

#include "core/host/bv_host_export.h"
#include "core/host/securitykey.h"

#include <QObject>

using Stocks = QList<int>;
using Boards = boardlist;

// Host-wide events the library follows, and the host's choice of the markets and boards the trader works with,
// as last announced (the board selectors follow it).
class BV_HOST_EXPORT SignalHub : public QObject
{
    Q_OBJECT
public:
    using QObject::QObject;

    // No market chosen means every market.
    const Stocks& stockIds() const { return m_stocks; }
    const Boards& switchedOffBoards() const { return m_offBoards; }
    // Whether the host's choice keeps a board.
    bool isBoardChosen(const boardid& board) const;

    // The host announces its choice: each emits its signal when the choice changes.
    void setStockIds(const Stocks& stocks);
    void setBoardsEnabled(bool enabled, const Boards& boards);

Q_SIGNALS:
    void aNewDay();
    void selectedStockChanged();
    void stockIdsChanged(const Stocks& stocks);
    // The boards were switched on (enabled) or off in the host's choice.
    void boardsChanged(bool enabled, const Boards& boards);

private:
    Stocks m_stocks;
    Boards m_offBoards;
};
