#include "export/ifileexporterhandler.h"
#include "export/ifileimporterhandler.h"

// The interfaces' destructors, defined once so their type information lives in the library.
IFileExporterHandler::~IFileExporterHandler() = default;
IFileImporterHandler::~IFileImporterHandler() = default;
