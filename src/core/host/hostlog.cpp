#include "core/host/hostlog.h"

Q_LOGGING_CATEGORY(QGuiLog, "QGuiLog")
