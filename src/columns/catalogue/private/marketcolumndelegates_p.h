#pragma once

#include "columns/catalogue/marketcolumndelegates.h"
#include "columns/catalogue/private/cataloguedelegate_p.h"

class StockColumnDelegatePrivate : public TextColumnDelegatePrivate
{
public:
    using TextColumnDelegatePrivate::TextColumnDelegatePrivate;

    const StockDirectory* directory = nullptr; // not owned
};

class BoardLookupDelegatePrivate : public TextColumnDelegatePrivate
{
public:
    using TextColumnDelegatePrivate::TextColumnDelegatePrivate;

    const BoardDirectory* directory = nullptr; // not owned
    int stockColumn = -1;
};

class SessionColumnDelegatePrivate : public TextColumnDelegatePrivate
{
public:
    using TextColumnDelegatePrivate::TextColumnDelegatePrivate;

    const SessionDirectory* directory = nullptr; // not owned
    int stockColumn = -1;
};
