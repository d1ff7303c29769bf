#pragma once

#include "trees/groupmentcolumns.h"
#include "trees/private/groupment_p.h"

class GroupmentColumnPrivate : public GroupmentPrivate
{
public:
    int column = -1;
};

class GroupmentColumnsPrivate : public GroupmentPrivate
{
public:
    QList<int> columns;
};
