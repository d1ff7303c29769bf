#pragma once

#include "models/sessionfiltermodel.h"

namespace SessionFilterModelNamespace {

class SessionFilterModelHelperPrivate
{
public:
    bool enabled = false;
    SecuritiesSessionFilter* sessions = nullptr; // child; null without the columns
    FilterFunc* predicate = nullptr; // child of this
};

} // namespace SessionFilterModelNamespace
