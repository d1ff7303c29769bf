#pragma once

#include "core/host/filters/selectfilter.h"
#include "core/host/securitykey.h"
#include "filters/catalogue/keyfilters.h"

class BoardFilterPrivate
{
public:
    boardlist filterBoards;
    bool forPositions = false;
};

class ExpDateFilterPrivate
{
public:
    QString baseContract;
};
