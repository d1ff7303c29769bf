#pragma once

#include "columns/catalogue/private/cataloguedelegate_p.h"
#include "columns/catalogue/securitycolumndelegates.h"

class SecurityLookupDelegatePrivate : public TextColumnDelegatePrivate
{
public:
    using TextColumnDelegatePrivate::TextColumnDelegatePrivate;

    const SecurityDirectory* directory = nullptr; // not owned
    SecurityLookupDelegate::Lookup lookup = nullptr;
    int stockColumn = -1;
    int boardColumn = -1;
    bool zeroIsEmpty = false;
};
