#pragma once

#include "trees/groupment.h"

// The name of a grouping level. The base of the private classes of the groupments, which only read them while a
// model works (also on worker threads).
class GroupmentPrivate
{
public:
    virtual ~GroupmentPrivate() = default;

    QString name;
};
