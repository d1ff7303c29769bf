#pragma once

#include <QCoreApplication>

class QObject;
class Table;
class TableEventAlerts;

// The terminal's alerts on the trader's own business: a new deal of one's own in the deals window, an order of
// one's own filled or withdrawn in the orders window. One's own is what carries the login the host's transaction
// sender signs the terminal's orders with (the feed trades under other logins).
class TradeAlerts
{
    Q_DECLARE_TR_FUNCTIONS(TradeAlerts)
public:
    // The alerts of a deals or orders table; null for another table.
    static TableEventAlerts* create(Table* table, QObject* parent);
    // The caption of the visual page for the table's alerts.
    static QString caption(const Table* table);
};
