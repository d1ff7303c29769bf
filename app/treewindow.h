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
class TreeIndexModel;
template<class Base>
class SessionFilterModel;

// One table's records as a live tree: the instruments by board and underlying, the positions by account. Group
// rows show the group's name; the tree keeps each expanded group open while the feed moves records
// between groups. The header's menu and the columns page choose the columns; the tree's own column stays in
// front. Its state (columns, sort, expanded groups) is stored and restored by the host.
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

    std::vector<std::unique_ptr<Groupment>> m_groupments;
    SessionFilterModel<TreeIndexModel>* m_instruments = nullptr; // the model, for the instruments
    TreeIndexModel* m_model;
    QAction* m_currentSession = nullptr;
    QTreeFastView* m_view;
    QList<QAction*> m_actions;
    SecurityActions* m_securityActions;
};
