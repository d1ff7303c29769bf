#pragma once

#include "columns/catalogue/enumcolumndelegates.h"
#include "columns/catalogue/private/cataloguedelegate_p.h"

class EnumColumnDelegatePrivate : public TextColumnDelegatePrivate
{
public:
    using TextColumnDelegatePrivate::TextColumnDelegatePrivate;

    const EnumDirectory* directory = nullptr; // not owned
    bool describe = false;
};

class StatusColumnDelegatePrivate : public EnumColumnDelegatePrivate
{
public:
    using EnumColumnDelegatePrivate::EnumColumnDelegatePrivate;

    const SessionDirectory* sessions = nullptr; // not owned
    int stockColumn = -1;
    int sessColumn = -1;
};
