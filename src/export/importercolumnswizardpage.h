#pragma once

#include "basic_views_export.h"
#include "export/importertargets.h"

#include <QList>
#include <QMap>
#include <QScopedPointer>
#include <QWizardPage>

class QComboBox;
class QLabel;
class QTableWidget;
class QVBoxLayout;

class ImporterColumnsWizardPagePrivate;

// Maps file columns to table columns: a preview of the file's first records, filled by the format's panel, with
// one combo box of target columns over each preview column. The combos follow the columns as they are resized,
// moved or scrolled. Complete when no target is chosen twice and every required one is chosen.
class BASIC_VIEWS_EXPORT ImporterColumnsWizardPage : public QWizardPage
{
    Q_OBJECT
    Q_DECLARE_PRIVATE_D(m_d, ImporterColumnsWizardPage)
public:
    explicit ImporterColumnsWizardPage(QWidget* parent = nullptr);
    ~ImporterColumnsWizardPage() override;

    void setTargets(const ImporterTargets& targets);
    const ImporterTargets& targets() const;
    // The format's option panel, shown above the preview; the page takes it as a child.
    void setPanel(QWidget* panel);
    QTableWidget* previewTable() const;
    // Null past the preview's columns.
    QComboBox* mappingCombo(int fileColumn) const;
    // Chooses a target column (by name; empty for none) for a file column.
    void selectTarget(int fileColumn, const QString& column);
    // The target column that a header text names, by name or alias; empty when none.
    QString targetByText(const QString& text) const;
    // Table column name -> file column, for the chosen targets.
    QMap<QString, int> mapping() const;
    // Why the page is not complete; empty when it is.
    QString message() const;
    bool isComplete() const override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void rebuildCombos();
    void placeCombos();
    void onTargetChosen();
    QScopedPointer<ImporterColumnsWizardPagePrivate> m_d;
};
