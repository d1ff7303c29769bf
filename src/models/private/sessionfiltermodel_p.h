#pragma once

#include "core/db/record.h"
#include "models/sessionfiltermodel.h"
#include <QObject>

namespace SessionFilterModelNamespace {

class SessionFilterModelHelperPrivate
{
public:
    bool enabled = false;
    SecuritiesSessionFilter* sessions = nullptr; // child; null without the columns
    FilterFunc* predicate = nullptr; // child of this
};

} // namespace SessionFilterModelNamespace
