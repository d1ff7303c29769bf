#pragma once

#include "filters/catalogue/directoryfilters.h"

class DirectoryEnumFilterPrivate
{
public:
    const EnumDirectory* directory; // a process-wide instance
};
