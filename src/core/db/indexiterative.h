#pragma once

#include "core/db/partitionlist.h"
#include "core/db/record.h"

// An index whose records can be walked in its order; models build from such a source.
class BV_DB_EXPORT IndexIterative
{
public:
    using const_iterator = PartitionList<Record>::const_iterator;

    virtual ~IndexIterative();
    virtual const_iterator begin() const = 0;
    virtual const_iterator end() const = 0;
    virtual int count() const = 0;
    virtual Table* table() const = 0;
};
