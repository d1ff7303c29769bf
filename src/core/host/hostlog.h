#pragma once

#include "core/host/bv_host_export.h"

#include <QLoggingCategory>

// Diagnostics of the library and its host go to this category.
BV_HOST_EXPORT Q_DECLARE_LOGGING_CATEGORY(QGuiLog)
