#pragma once

#include "basic_views_export.h"

#include <QList>

class Filter;
class QObject;
class Table;

// The filters the terminal offers in the window of each of its tables: orders (account, board, instrument,
// side, status, session, date, quantity, order type), deals (the same without status, plus deal types),
// positions (account, board, instrument), instruments (board, type, state, group) and money limits (account).
// Other tables get none.
namespace StandardFilters {
BASIC_VIEWS_EXPORT QList<Filter*> create(Table& table, QObject* parent);
}
