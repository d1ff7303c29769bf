#pragma once

#include "export/fileimporter.h"
#include "export/private/handlerregistry.h"

class FileImporterPrivate
{
public:
    HandlerRegistry<IFileImporterHandler> handlers;
};
