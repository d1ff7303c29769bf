#pragma once

#include "delegates/textdelegate.h"

class TextDelegatePrivate
{
public:
    QAction* action = nullptr; // not owned
};
