#pragma once

#include "views/iview.h"

#include <QWidget>

#include <memory>
#include <vector>

class Groupment;
class QAction;
class QTreeFastView;
class SecurityActions;
class Table;
class TreeHeaderView;
class TreeIndexModel;
template<class Base>
class SessionFilterModel;

// One table's records as a live tree: the instruments by board and underlying, the positions by account. Group
// rows show the group's name; the tree keeps each expanded group open while the feed moves records
// between groups. Cells are painted and their values written as in the terminal's other views. A click on the
// tree's own section opens or closes every group (its mark tells which), one on another section sorts by it.
// The header's menu and the columns page choose the columns; the tree's own column stays in front. Its state
// (columns, sort, expanded groups) is stored and restored by the host.
class TreeWindow : public QWidget, public IView
{
    Q_OBJECT
    Q_INTERFACES(IView)
public:
    enum class Grouping { InstrumentsByBoard, PositionsByAccount };

    TreeWindow(Table* table, Grouping grouping, QWidget* parent = nullptr);
    ~TreeWindow() override;

    TreeIndexModel* model() const { return m_model; }
    QTreeFastView* view() const { return m_view; }
    // The commands on the instruments of the selected records, in the rows' menu and on a double click.
    SecurityActions* securityActions() const { return m_securityActions; }
    // "Только текущая сессия" of the instruments tree (checkable, in the menu); null for the positions.
    QAction* currentSessionAction() const { return m_currentSession; }
    // The expanded groups, each as its keys from the top joined with "/".
    QStringList expandedGroups() const;
    void expandGroups(const QStringList& paths);
    // Every group open, or every group closed; what a click on the tree's section does.
    void expandAll();
    void collapseAll();

    void initCore(ICore* core) override;
    // The columns page: which columns show and in what order, the tree's own column locked in front.
    QList<IViewSettingsPage*> getSettingsPages(QObject* parent) override;
    QList<QAction*> getActions() override;
    // The instrument commands of the selected records, then expanding and collapsing.
    void populateActionsAt(const QPoint& at, QMenu* menu) override;
    void store(Settings& settings) const override;
    void restore(const Settings& defaults, const Settings& values) override;
    QSize defaultSize() const override;

protected:
    // A new language goes to the window's actions (the models' titles follow by themselves).
    void changeEvent(QEvent* event) override;

private:
    void retranslate();
    // The group's name, or the instrument of a record.
    static constexpr int TreeColumn = 0;
    void keepTreeColumn();
    void onSectionClicked(int section);
    void onSortIndicatorChanged(int section, Qt::SortOrder order);
    void onGroupCollapsed();
    // The header's mark follows the groups: closed when none is open.
    void updateExpandMark();
    bool anyGroupExpanded() const;

    std::vector<std::unique_ptr<Groupment>> m_groupments;
    SessionFilterModel<TreeIndexModel>* m_instruments = nullptr; // the model, for the instruments
    TreeIndexModel* m_model;
    QAction* m_currentSession = nullptr;
    QTreeFastView* m_view;
    TreeHeaderView* m_header; // child of the view
    // The sort the header shows; -1: the tree's own order, by the groups' and records' names.
    int m_sortSection = -1;
    Qt::SortOrder m_sortOrder = Qt::AscendingOrder;
    QList<QAction*> m_actions;
    SecurityActions* m_securityActions;
};
