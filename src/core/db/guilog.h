#pragma once

#include "core/db/bv_db_export.h"

#include <QLoggingCategory>

// Diagnostics of the library and its host, the database component's included, go to this category.
BV_DB_EXPORT Q_DECLARE_LOGGING_CATEGORY(QGuiLog)
