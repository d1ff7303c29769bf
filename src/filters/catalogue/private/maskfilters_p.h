#pragma once

#include "filters/catalogue/maskfilters.h"

class BalanceFilterPrivate
{
public:
    int quantity;
};

class DealsTypeFilterPrivate
{
public:
    int board;
};

class SessionFilterPrivate
{
public:
    int stock;
};
