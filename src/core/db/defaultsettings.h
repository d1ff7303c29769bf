#pragma once

#include "core/db/settings.h"

#include <memory>

// The read-only defaults of a window kind or application group: "<directory>/<name>.ini" when there is one,
// else the resource ":/defaults/<name>.ini", else nothing. The directory defaults to "defaults" beside the
// executable.
class BV_DB_EXPORT DefaultSettings
{
public:
    static std::unique_ptr<Settings> createReadOnly(const QString& name);
    static void setDirectory(const QString& directory);
    static QString directory();
};
