#pragma once

#include "export/fileimporter.h"

class FileImporterPrivate
{
public:
    HandlerRegistry<IFileImporterHandler> handlers;
};
