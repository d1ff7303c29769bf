#pragma once

#include "basic_views_export.h"

// The transaction kinds of new orders, apart from the form selector that answers with them, so the order forms
// it makes can build their transactions without knowing it.
namespace NewOrderTransactions {

// The new-order transaction of a market, board and order kind; 0 when there is none.
BASIC_VIEWS_EXPORT int transactionId(int stock, int board, bool iceberg);

} // namespace NewOrderTransactions
