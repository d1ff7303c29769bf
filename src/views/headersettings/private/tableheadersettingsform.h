#pragma once

#include "basic_views_export.h"

#include <QWidget>

class QCheckBox;
class QItemSelection;
class QToolButton;
class QTreeView;
class TableHeaderModel;

// The columns page's widget: the column list with check boxes (title, identifier, description), a tri-state
// "select all" box and buttons moving the selected rows up and down. Rows also move by dragging; the buttons
// go through the same drop as a drag, so both behave alike.
class BASIC_VIEWS_EXPORT TableHeaderSettingsForm : public QWidget
{
    Q_OBJECT
public:
    explicit TableHeaderSettingsForm(QWidget* parent = nullptr);

    virtual void setModel(TableHeaderModel* model);
    TableHeaderModel* model() const { return m_model; }
    QTreeView* treeView() const { return m_tree; }

public Q_SLOTS:
    void moveUp();
    void moveDown();
    // Checks (non-zero) or unchecks every row.
    void selectAll(int state);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    using Ranges = QList<QPair<int, int>>; // first and last row of consecutive selected rows
    Ranges selectedRanges() const;
    void moveRanges(bool up);
    void updateButtons();
    void updateSelectAll();
    void fitColumns();
    void moveCurrentColumn(int step);

    QCheckBox* m_selectAll;
    QTreeView* m_tree;
    QToolButton* m_up;
    QToolButton* m_down;
    TableHeaderModel* m_model = nullptr; // not owned
    bool m_updating = false;
};
