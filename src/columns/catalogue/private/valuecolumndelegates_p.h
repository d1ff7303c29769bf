#pragma once

#include "columns/catalogue/private/cataloguedelegate_p.h"
#include "columns/catalogue/valuecolumndelegates.h"

class InstrumentValueDelegatePrivate : public CatalogueDelegatePrivate
{
public:
    using CatalogueDelegatePrivate::CatalogueDelegatePrivate;

    const SecurityDirectory* directory = nullptr; // not owned
    InstrumentColumns instrument;
};

class DealValueDelegatePrivate : public CatalogueDelegatePrivate
{
public:
    using CatalogueDelegatePrivate::CatalogueDelegatePrivate;

    int priceColumn = -1;
    int quantityColumn = -1;
};

class ValueColumnDelegatePrivate : public DealValueDelegatePrivate
{
public:
    using DealValueDelegatePrivate::DealValueDelegatePrivate;

    const SecurityDirectory* directory = nullptr; // not owned
    InstrumentColumns instrument;
};

class All_DealsValueColumnDelegatePrivate : public DealValueDelegatePrivate
{
public:
    using DealValueDelegatePrivate::DealValueDelegatePrivate;

    int lotColumn = -1;
};

class VolatBySecIdDelegatePrivate : public InstrumentValueDelegatePrivate
{
public:
    using InstrumentValueDelegatePrivate::InstrumentValueDelegatePrivate;

    VolatBySecIdDelegate::ByIdFunc byId = nullptr;
    VolatBySecIdDelegate::ByKeyFunc byKey = nullptr;
    const int* parameter = nullptr; // not owned: the host's setting
    int multiplierColumn = -1;
};
