#include "hostlog.h"

Q_LOGGING_CATEGORY(QGuiLog, "QGuiLog")
