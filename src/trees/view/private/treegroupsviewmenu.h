#pragma once

#include "basic_views_export.h"

#include <QList>
#include <QObject>
#include <QPointer>

class ItemViewFindToolBar;
class QAction;
class QMenu;
class QModelIndex;
class QPoint;
class TreeGroupsView;

// The commands of a grouped view: find (Ctrl+F opens the find bar, which the host places), fitting one column's
// width or all columns', and the export wrapper's copy and export; and the context menu they make at a point of
// the view.
class BASIC_VIEWS_EXPORT TreeGroupsViewMenu : public QObject
{
    Q_OBJECT
public:
    // A child of the view, which it gives the find shortcut.
    explicit TreeGroupsViewMenu(TreeGroupsView* view);
    // Takes the find bar along, wherever the host placed it.
    ~TreeGroupsViewMenu() override;

    ItemViewFindToolBar* findBar() const;
    // The export wrapper's, then find.
    QList<QAction*> actions() const;

    // Find; over the header the column's entries and the columns menu, over a row its column's; then the export
    // wrapper's. `at` is in the view's coordinates.
    void populateAt(const QPoint& at, QMenu* menu) const;
    // Fitting the column's width (none for the tree's column), then all columns'.
    void populateForColumn(int column, QMenu* menu) const;
    // A group row's entries are the tree column's.
    void populateForIndex(const QModelIndex& index, QMenu* menu) const;

    void retranslate();

private:
    TreeGroupsView* m_view; // the parent
    QPointer<ItemViewFindToolBar> m_findBar; // owned, placed by the host
    QAction* m_findAction; // child
    QAction* m_fitAll; // child
};
