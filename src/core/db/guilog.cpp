#include "core/db/guilog.h"

Q_LOGGING_CATEGORY(QGuiLog, "QGuiLog")
