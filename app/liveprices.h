#pragma once

class ItemModelWithDelegates;
class QTableFastView;

// The instruments' live prices: the bid, the offer and the last price read as prices and flash, each by its own
// change; the view runs the clock they fade by.
class LivePrices
{
public:
    // The prices' column delegates on the model (children of it) and their painter on the view.
    static void install(ItemModelWithDelegates* model, QTableFastView* view);
};
