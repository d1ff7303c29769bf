#pragma once

#include "export/importertargets.h"

class ImporterTargetsPrivate
{
public:
    QList<ImporterTargets::Entry> entries;
};
