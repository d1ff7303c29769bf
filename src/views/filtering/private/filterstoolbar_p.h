#pragma once

#include "views/filtering/filterstoolbar.h"

class QHBoxLayout;
class QScrollArea;

class FiltersToolBarPrivate
{
public:
    QScrollArea* scroll = nullptr; // child
    QWidget* content = nullptr; // the editors, inside the scroll area
    QHBoxLayout* layout = nullptr; // the content's
    ItemFiltersToolBar* items = nullptr; // child
};
