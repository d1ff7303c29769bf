#pragma once

class ItemModelWithDelegates;
class QTableFastView;

// The instruments' live prices: the bid, the offer and the last price read as prices and flash, each by its own
// change, against a clock that runs while the view lives.
class LivePrices
{
public:
    // The prices' column delegates on the model (children of it) and their painter on the view.
    static void install(ItemModelWithDelegates* model, QTableFastView* view);
};
