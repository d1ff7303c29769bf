#pragma once

#include "delegates/comboboxcontainer.h"

class ComboBoxContainerPrivate
{
public:
    QPointer<QComboBox> comboBox;
};

class ComboBoxContainerFactoryPrivate
{
public:
    QPointer<QAbstractItemModel> model; // not owned
};
