#include "trees/view/private/treegroupsexpansion.h"

#include "columns/itemroles.h"
#include "core/db/settings.h"
#include "trees/treegroupsmodel.h"
#include "trees/view/private/treegroupsheaderview.h"
#include "trees/view/treegroupsview.h"

#include <QPair>
#include <QVector>

namespace {

const QString StateKey = QStringLiteral("expandState");
const QString ExpandedKey = QStringLiteral("expanded");

} // namespace

TreeGroupsExpansion::TreeGroupsExpansion(TreeGroupsView* view)
    : QObject(view)
    , m_view(view)
{
    connect(view, &QTreeView::expanded, this, &TreeGroupsExpansion::onGroupExpanded);
    connect(view, &QTreeView::collapsed, this, &TreeGroupsExpansion::onGroupCollapsed);
}

void TreeGroupsExpansion::followModel(TreeGroupsModel* model)
{
    if (m_followed)
        disconnect(m_followed, nullptr, this, nullptr);
    m_followed = model;
    if (!model)
        return;
    connect(model, &QAbstractItemModel::rowsInserted, this, &TreeGroupsExpansion::onRowsInserted);
    connect(model, &QAbstractItemModel::rowsMoved, this,
        [this](const QModelIndex&, int, int, const QModelIndex& to, int row) { onRowsInserted(to, row, row); });
    connect(model, &TreeIndexModel::itemsArrived, this, [this](const QModelIndexList& indexes) {
        for (const QModelIndex& index : indexes)
            onRowsInserted(index.parent(), index.row(), index.row());
    });
}

bool TreeGroupsExpansion::forEachGroup(const std::function<bool(const QModelIndex&)>& visit) const
{
    const TreeGroupsModel* model = m_view->groupsModel();
    if (!model)
        return true;
    const int groupLevels = model->groupCount();
    // Groups only: elements are never walked, however many there are.
    QVector<QPair<QModelIndex, int>> pending { { QModelIndex(), 0 } };
    while (!pending.isEmpty()) {
        const auto [parent, level] = pending.takeLast();
        if (level >= groupLevels)
            continue;
        for (int row = model->rowCount(parent) - 1; row >= 0; --row) {
            const QModelIndex group = model->index(row, 0, parent);
            if (!visit(group))
                return false;
            pending.append({ group, level + 1 });
        }
    }
    return true;
}

int TreeGroupsExpansion::state() const
{
    int expanded = 0;
    int collapsed = 0;
    // Stops as soon as the answer is "some": a tree of many groups is not walked for it.
    forEachGroup([&](const QModelIndex& group) {
        (m_view->isExpanded(group) ? expanded : collapsed)++;
        return expanded == 0 || collapsed == 0;
    });
    if (expanded == 0)
        return 0;
    return collapsed == 0 ? 2 : 1;
}

QStringList TreeGroupsExpansion::expandedGroups() const
{
    QStringList paths;
    forEachGroup([&](const QModelIndex& group) {
        if (m_view->isExpanded(group))
            paths << m_view->groupsModel()->storedPath(group);
        return true;
    });
    return paths;
}

void TreeGroupsExpansion::expandGroups(const QStringList& paths)
{
    m_view->collapseAll();
    const TreeGroupsModel* model = m_view->groupsModel();
    for (const QString& path : paths) {
        const QModelIndex group = model ? model->storedIndex(path) : QModelIndex();
        if (group.isValid())
            m_view->expand(group);
    }
}

int TreeGroupsExpansion::depth() const
{
    const TreeGroupsModel* model = m_view->groupsModel();
    return m_maxDepth >= 0 || !model ? m_maxDepth : model->groupCount() - 1;
}

void TreeGroupsExpansion::updateMark()
{
    m_view->groupsHeader()->setCollapsed(state() == 0);
}

void TreeGroupsExpansion::openToDepth()
{
    m_view->expandToDepth(depth());
    updateMark();
}

void TreeGroupsExpansion::toggleAll()
{
    if (state() == 0) {
        m_view->expandAll();
        m_view->groupsHeader()->setCollapsed(false);
    } else {
        m_view->collapseAll();
        m_view->groupsHeader()->setCollapsed(true);
    }
}

// A group opening (live groups open as they appear, thousands a second) leaves the tree open whatever the others
// are: no walk over the groups for it.
void TreeGroupsExpansion::onGroupExpanded()
{
    m_view->groupsHeader()->setCollapsed(false);
}

// Qt's collapseAll() tells of every group that was open, one by one, after closing them all. Once the tree is known
// to be closed a group closing changes nothing; a walk over every group for each of them froze a window of many
// groups for minutes.
void TreeGroupsExpansion::onGroupCollapsed()
{
    if (!m_view->groupsHeader()->isCollapsed())
        updateMark();
}

// A group that appears while the tree stands open opens too, so the trader sees its elements.
void TreeGroupsExpansion::onRowsInserted(const QModelIndex& parent, int first, int last)
{
    const TreeGroupsModel* model = m_view->groupsModel();
    if (!model || m_view->groupsHeader()->isCollapsed())
        return;
    const int depth = this->depth();
    for (int row = first; row <= last; ++row) {
        const QModelIndex index = model->index(row, 0, parent);
        if (m_view->isGroupRow(index) && index.data(ItemLevelRole).toInt() <= depth && !m_view->isExpanded(index)) {
            m_view->expand(index);
            for (int child = 0; child < model->rowCount(index); ++child)
                onRowsInserted(index, child, child);
        }
    }
}

void TreeGroupsExpansion::store(Settings& settings) const
{
    // Open or closed as a whole is one number; only a mixed tree lists its open groups.
    const int state = this->state();
    settings.setValue(StateKey, state);
    settings.setValue(ExpandedKey, state == 1 ? expandedGroups() : QStringList());
}

void TreeGroupsExpansion::restore(const Settings& values)
{
    switch (values.value(StateKey, -1).toInt()) {
    case 0:
        m_view->collapseAll();
        break;
    case 1:
        expandGroups(values.value(ExpandedKey).toStringList());
        break;
    case 2:
        m_view->expandAll();
        break;
    default:
        return; // the state of a new window: open to the expand depth
    }
    updateMark();
}
