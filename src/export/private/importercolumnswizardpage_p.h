#pragma once

#include "export/importercolumnswizardpage.h"

class ImporterColumnsWizardPagePrivate
{
public:
    ImporterTargets targets;
    QVBoxLayout* layout;
    QWidget* strip; // holds the combos, placed by hand over the preview's columns
    QTableWidget* preview;
    QLabel* message;
    QList<QComboBox*> combos;
};
