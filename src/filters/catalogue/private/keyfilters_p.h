#pragma once

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
