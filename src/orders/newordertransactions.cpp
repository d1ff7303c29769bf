#include "orders/newordertransactions.h"

int NewOrderTransactions::transactionId(int stock, int board, bool iceberg)
{
    if (stock != 1)
        return 0;
    if (iceberg)
        return board == 1 || board == 10 || board == 14 ? 149 : 0;
    switch (board) {
    case 1:
    case 2:
    case 10:
    case 11:
    case 14:
    case 15:
        return 10;
    case 17:
        return 15;
    default:
        return 0;
    }
}
