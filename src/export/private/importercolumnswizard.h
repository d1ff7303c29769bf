#pragma once

#include "basic_views_export.h"

#include <QWizard>

class ImporterColumnsWizardPage;

// The importer's one-page mapping dialog.
class BASIC_VIEWS_EXPORT ImporterColumnsWizard : public QWizard
{
    Q_OBJECT
public:
    explicit ImporterColumnsWizard(QWidget* parent = nullptr);

    ImporterColumnsWizardPage* page() const { return m_page; }

private:
    ImporterColumnsWizardPage* m_page;
};
