#pragma once

#include "basic_views_export.h"

#include <QString>

class ItemModelWithDelegates;

// The catalogue's columns for the terminal's standard tables: a model over "orders", "deals", "positions" or
// "securities" gets, on the fields it has, the delegates a trader expects there (names for codes and ids,
// prices to the instrument's decimals, statuses, sides and signs). Delegates are children of the model.
class BASIC_VIEWS_EXPORT StandardColumnDelegates
{
public:
    static void install(ItemModelWithDelegates* model, const QString& tableName);
};
