#pragma once

#include "delegates/comboboxdelegate.h"
#include "delegates/private/itemdelegate_p.h"

class ComboBoxDelegatePrivate : public ItemDelegatePrivate
{
public:
    bool closeEditorOnActivate = false;
    ComboBoxContainerFactory* factory = nullptr; // not owned unless it is the default child
};
