#pragma once

#include "views/iview.h"
#include "views/treeindexview.h"

#include <QScopedPointer>

class ItemViewFindToolBar;
class TreeGroupsExpansion;
class TreeGroupsHeaderView;
class TreeGroupsModel;
class TreeGroupsViewGroupColSet;
class TreeGroupsViewGroupItemDelegate;
class TreeGroupsViewItemDelegateOptimized;
class TreeGroupsViewPrivate;
class ViewWrapper;

// A grouped tree window: the elements of a TreeGroupsModel with the model's columns, under group rows that show,
// per level, a chosen set of columns as segments of their own widths (TreeGroupsViewGroupItemDelegate). A click
// on header section 0 expands or collapses every group; a click on a sort column's section turns its order.
// It is a plug-in view: it stores and restores the model's sort orders and filters, its columns, group segments,
// current row and scroll positions and its dynamic export, offers copy and export of the flattened tree, and a
// settings page for the group columns of each level. Ctrl+F opens its find bar (toolBars()).
//
// The widget draws and sizes the rows; the rest is done by parts with one job each: TreeGroupsExpansion (which
// groups are open), TreeGroupsViewMenu (commands, find bar, context menu), TreeGroupsViewSettings (what is stored)
// and ViewWrapperTreeGroups (copy and export).
class BASIC_VIEWS_EXPORT TreeGroupsView : public TreeIndexView, public IView
{
    Q_OBJECT
    Q_INTERFACES(IView)
    Q_DECLARE_PRIVATE_D(m_d, TreeGroupsView)
public:
    explicit TreeGroupsView(QWidget* parent = nullptr);
    ~TreeGroupsView() override;

    // Makes the model's groupments (its groups, then the elements), sets up the group columns and builds the
    // tree. The model is not owned; the view empties it and takes its groupments back when it goes or takes
    // another model. A model deleted first leaves the view empty.
    void setModel(TreeGroupsModel* model);
    TreeGroupsModel* groupsModel() const;
    TreeGroupsHeaderView* groupsHeader() const;
    TreeGroupsViewGroupColSet& groupColumns();
    const TreeGroupsViewGroupColSet& groupColumns() const;
    TreeGroupsViewItemDelegateOptimized* delegateElement() const;
    TreeGroupsViewGroupItemDelegate* delegateGroup() const;
    QAbstractItemDelegate* delegateForIndex(const QModelIndex& index) const;
    bool isGroupRow(const QModelIndex& index) const;
    ViewWrapper* wrapper() const;
    TreeGroupsExpansion* expansion() const;
    ItemViewFindToolBar* findBar() const;

    // 0: no group is expanded, 1: some are, 2: all are.
    int expandState() const;
    // The stored path of the first selected row (TreeGroupsModel::storedPath()).
    QString currentText() const;
    // Selects and shows the row of a stored path or an older text path, keeping the horizontal scroll
    // position; false when none.
    bool setCurrentText(const QString& text);

    // The group row segments' area: where group rows start after their indentation.
    QRect groupContentRect(const QModelIndex& index) const;
    void updateItemHeights() override;

    // IView
    void initCore(ICore* core) override;
    QList<IViewSettingsPage*> getSettingsPages(QObject* parent) override;
    QList<QAction*> getActions() override;
    void populateActionsAt(const QPoint& at, QMenu* menu) override;
    void populateActionsForColumn(int column, QMenu* menu);
    void populateActionsForIndex(const QModelIndex& index, QMenu* menu);
    // What TreeGroupsViewSettings stores and reads back.
    void store(Settings& settings) const override;
    void restore(const Settings& defaults, const Settings& values) override;
    QSize defaultSize() const override;
    QList<QToolBar*> toolBars() override;

public Q_SLOTS:
    void resizeColumnsToContents();
    // The column is the sender's "column" property.
    void resizeAColumnToContents();

protected:
    void drawRow(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    int sizeHintForColumn(int column) const override;
    void changeEvent(QEvent* event) override;

private Q_SLOTS:
    void onModelAboutToBeReset();
    void onModelReset();
    void onSectionClicked(int section);
    void onModelDestroyed();

private:
    void releaseModel();
    // True when a group row took the mouse event.
    bool groupMouseEvent(QMouseEvent* event);
};
