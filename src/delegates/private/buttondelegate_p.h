#pragma once

#include "delegates/buttondelegate.h"

class ButtonDelegatePrivate
{
public:
    QAction* action = nullptr; // not owned
    bool sunken = false;
};
