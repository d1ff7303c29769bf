#pragma once

#include "views/iview.h"

#include <QWidget>

class SecurityActions;
class Table;
class TerminalGroupsModel;
class TreeGroupsView;

// A grouped window of the terminal: the positions by account and underlying, or the options by underlying and
// expiry with each series' options by strike, then type. The grouped view does the work; the window gives it
// its model and columns, and a place for its find bar under the rows.
class TreeGroupsWindow : public QWidget, public IView
{
    Q_OBJECT
    Q_INTERFACES(IView)
public:
    enum class Grouping { PositionsByAccountAndUnderlying, OptionsBySeries };

    TreeGroupsWindow(Table* table, Grouping grouping, QWidget* parent = nullptr);
    ~TreeGroupsWindow() override;

    TerminalGroupsModel* model() const { return m_model; }
    TreeGroupsView* view() const { return m_view; }
    // The commands on the instruments of the selected elements, in the rows' menu and on a double click.
    SecurityActions* securityActions() const { return m_securityActions; }

    void initCore(ICore* core) override;
    QList<IViewSettingsPage*> getSettingsPages(QObject* parent) override;
    QList<QAction*> getActions() override;
    // Over the rows, the instrument commands first; then the view's menu.
    void populateActionsAt(const QPoint& at, QMenu* menu) override;
    void store(Settings& settings) const override;
    void restore(const Settings& defaults, const Settings& values) override;
    QSize defaultSize() const override;

protected:
    // The view carries the window's title: its copies and exports are named after it. A language change names
    // the groups again.
    void changeEvent(QEvent* event) override;

private:
    // Two levels of groups, by the model's columns 1 and 2 (column 0 becomes the tree's), elements sorted by the
    // named columns, and the named columns shown.
    void groupByTheFirstTwoColumns(const QVector<QPair<QString, Qt::SortOrder>>& sortColumns, const QStringList& shown);
    void nameGroups();
    void arrangePositions();
    void arrangeOptions();

    TerminalGroupsModel* m_model;
    TreeGroupsView* m_view;
    SecurityActions* m_securityActions;
    Grouping m_grouping;
};
