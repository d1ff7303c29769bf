#pragma once

#include "trees/groupmentrecord.h"
#include "trees/private/groupment_p.h"

class GroupmentRecordColumnsPrivate : public GroupmentPrivate
{
public:
    QList<int> columns;
};
