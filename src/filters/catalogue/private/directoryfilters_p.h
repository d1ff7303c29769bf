#pragma once

#include "filters/catalogue/directoryfilters.h"
#include "filters/enumfilter.h"

class DirectoryEnumFilterPrivate
{
public:
    const EnumDirectory* directory; // a process-wide instance
};
