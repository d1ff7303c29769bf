#include "export/private/importercolumnswizard.h"

#include "export/importercolumnswizardpage.h"

ImporterColumnsWizard::ImporterColumnsWizard(QWidget* parent)
    : QWizard(parent)
    , m_page(new ImporterColumnsWizardPage(this))
{
    setWizardStyle(QWizard::ClassicStyle);
    setOption(QWizard::IndependentPages);
    setWindowTitle(tr("Мастер импорта данных"));
    addPage(m_page);
    // Room for several columns of the preview with their combos.
    resize(800, 480);
}
