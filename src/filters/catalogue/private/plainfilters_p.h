#pragma once

#include "filters/catalogue/plainfilters.h"

#include <QDate>
#include <QStringList>

class DateFilterPrivate
{
public:
    DateFilter::Mode mode = DateFilter::AllDates;
    QDate from;
    QDate to;
};

class TechDealsFilterPrivate
{
public:
    int stock;
    int board;
    TechDealsFilter::Mode mode = TechDealsFilter::AllDeals;
};

class BaseCodeBySecIdFilterPrivate
{
public:
    int stock;
    int board;
    QStringList codes;
};
