#pragma once

#include "basic_views_export.h"

#include <QObject>
#include <QPointer>
#include <QStringList>

#include <functional>

class QModelIndex;
class Settings;
class TreeGroupsModel;
class TreeGroupsView;

// Which groups of a grouped view are open, and the header's mark saying whether any is. A reset opens the tree to
// the expand depth; groups that arrive while the tree stands open open too, down to that depth, so the trader sees
// their elements; the header's first section opens every group or closes them all. Stored as "expandState" (0: no
// group open, 1: some, 2: all) with "expanded", the stored paths (TreeGroupsModel::storedPath()) of the open groups
// of a mixed tree.
class BASIC_VIEWS_EXPORT TreeGroupsExpansion : public QObject
{
    Q_OBJECT
public:
    // A child of the view; follows its expanded and collapsed signals.
    explicit TreeGroupsExpansion(TreeGroupsView* view);

    // Opens the groups the model brings (new rows, moved rows, rows that arrived in a layout change); none after
    // null, or after the model goes.
    void followModel(TreeGroupsModel* model);

    // 0: no group is open, 1: some are, 2: all are.
    int state() const;
    // The stored paths of the open groups; expandGroups() opens exactly those it finds, older text paths included.
    QStringList expandedGroups() const;
    void expandGroups(const QStringList& paths);
    // How deep a reset opens the tree: every group level by default (-1).
    int maxDepth() const { return m_maxDepth; }
    void setMaxDepth(int depth) { m_maxDepth = depth; }

    // What a reset shows: the tree open to the expand depth.
    void openToDepth();
    // Opens every group when none is open, else closes them all.
    void toggleAll();

    void store(Settings& settings) const;
    // A window stored without a state keeps what it shows.
    void restore(const Settings& values);

private Q_SLOTS:
    void onRowsInserted(const QModelIndex& parent, int first, int last);
    void onGroupExpanded();
    void onGroupCollapsed();

private:
    // Every group row, parents before children, while `visit` returns true; false when it stopped the walk.
    bool forEachGroup(const std::function<bool(const QModelIndex&)>& visit) const;
    int depth() const;
    void updateMark();

    TreeGroupsView* m_view; // the parent
    QPointer<TreeGroupsModel> m_followed;
    int m_maxDepth = -1;
};
