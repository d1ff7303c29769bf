#pragma once

#include "basic_views_export.h"
#include "export/importertargets.h"

#include <QList>
#include <QMap>
#include <QWizardPage>

class QComboBox;
class QLabel;
class QTableWidget;
class QVBoxLayout;

// Maps file columns to table columns: a preview of the file's first records, filled by the format's panel, with
// one combo box of target columns over each preview column. The combos follow the columns as they are resized,
// moved or scrolled. Complete when no target is chosen twice and every required one is chosen.
class BASIC_VIEWS_EXPORT ImporterColumnsWizardPage : public QWizardPage
{
    Q_OBJECT
public:
    explicit ImporterColumnsWizardPage(QWidget* parent = nullptr);
    ~ImporterColumnsWizardPage() override;

    void setTargets(const ImporterTargets& targets);
    const ImporterTargets& targets() const { return m_targets; }
    // The format's option panel, shown above the preview; the page takes it as a child.
    void setPanel(QWidget* panel);
    QTableWidget* previewTable() const { return m_preview; }
    // Null past the preview's columns.
    QComboBox* mappingCombo(int fileColumn) const { return m_combos.value(fileColumn); }
    // Chooses a target column (by name; empty for none) for a file column.
    void selectTarget(int fileColumn, const QString& column);
    // The target column that a header text names, by name or alias; empty when none.
    QString targetByText(const QString& text) const { return m_targets.find(text); }
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

    ImporterTargets m_targets;
    QVBoxLayout* m_layout;
    QWidget* m_strip; // holds the combos, placed by hand over the preview's columns
    QTableWidget* m_preview;
    QLabel* m_message;
    QList<QComboBox*> m_combos;
};
