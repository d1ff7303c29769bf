#pragma once

#include "trees/recordchecklist.h"

#include <QSet>

class RecordCheckListPrivate
{
public:
    QSet<Record> checked;
};
