#include "trees/view/treegroupsview.h"

#include "filters/rowfiltersmodel.h"
#include "trees/treegroupsmodel.h"
#include "trees/view/private/treegroupsexpansion.h"
#include "trees/view/private/treegroupsheaderview.h"
#include "trees/view/private/treegroupsview_p.h"
#include "trees/view/private/treegroupsviewgroupitemdelegate.h"
#include "trees/view/private/treegroupsviewheadersettingspage.h"
#include "trees/view/private/treegroupsviewmenu.h"
#include "trees/view/private/treegroupsviewsettings.h"
#include "trees/view/private/viewwrappertreegroups.h"
#include "views/filtering/filterssettingspage.h"
#include "views/find/itemviewfindtoolbar.h"
#include "views/fitwidthaction.h"

#include <QContextMenuEvent>
#include <QEvent>
#include <QGuiApplication>
#include <QMenu>
#include <QPainter>
#include <QScreen>
#include <QScrollBar>

TreeGroupsView::TreeGroupsView(QWidget* parent)
    : TreeIndexView(*new TreeGroupsViewPrivate, parent)
{
    Q_D(TreeGroupsView);
    d->header = new TreeGroupsHeaderView(this);
    d->elementDelegate = new TreeGroupsViewItemDelegateOptimized(this);
    d->groupDelegate = new TreeGroupsViewGroupItemDelegate(this);
    setHeader(d->header);
    d->header->setSectionsClickable(true);
    d->header->setSectionsMovable(true);
    setItemDelegate(d->elementDelegate);
    setSelectionBehavior(SelectRows);
    setSelectionMode(ExtendedSelection);
    setAlternatingRowColors(true);
    setAllColumnsShowFocus(true);
    setDragEnabled(true);
    setDragDropMode(DragOnly);

    d->menu = new TreeGroupsViewMenu(this);
    d->expansion = new TreeGroupsExpansion(this);
    d->wrapper = new ViewWrapperTreeGroups(this);
    d->wrapper->restartDynamicExport(false, 0);
    initCore(nullptr);
}

TreeGroupsView::~TreeGroupsView()
{
    Q_D(TreeGroupsView);
    // The find bar, wherever the host placed it, goes while the view it searches is whole.
    delete d->menu;
    d->menu = nullptr;
    releaseModel();
}

// The model reads the view's groupments: it is emptied and given none before they go.
void TreeGroupsView::releaseModel()
{
    Q_D(TreeGroupsView);
    if (!d->model)
        return;
    disconnect(d->model, nullptr, this, nullptr);
    d->expansion->followModel(nullptr);
    QTreeView::setModel(nullptr);
    d->model->clear();
    d->model->setGroupmentList({});
    d->groupments.clear();
    d->model = nullptr;
}

// A model that goes first (a sibling made before this view) has stopped reading the groupments: they go too, and
// nothing of the model is touched again.
void TreeGroupsView::onModelDestroyed()
{
    Q_D(TreeGroupsView);
    d->model = nullptr;
    d->groupments.clear();
    d->groupColumns.reset(nullptr);
}

void TreeGroupsView::initCore(ICore*)
{
    Q_D(TreeGroupsView);
    connect(d->header, &QHeaderView::sectionClicked, this, &TreeGroupsView::onSectionClicked, Qt::UniqueConnection);
}

void TreeGroupsView::setModel(TreeGroupsModel* model)
{
    Q_D(TreeGroupsView);
    releaseModel();
    if (!model) {
        d->groupColumns.reset(nullptr);
        return;
    }
    QTreeView::setModel(model);
    d->model = model;
    d->groupments = model->createGroupments();
    QList<Groupment*> levels;
    for (const auto& level : d->groupments)
        levels << level.get();
    model->setGroupmentList(levels);
    d->groupColumns.reset(model);
    d->header->setFilters(model->filtersModel());
    d->header->setSectionResizeMode(0, QHeaderView::Fixed);
    d->header->resizeSection(0, indentation() * (model->groupCount() + 1));
    connect(model, &QObject::destroyed, this, &TreeGroupsView::onModelDestroyed);
    connect(model, &QAbstractItemModel::modelAboutToBeReset, this, &TreeGroupsView::onModelAboutToBeReset);
    connect(model, &QAbstractItemModel::modelReset, this, &TreeGroupsView::onModelReset);
    d->expansion->followModel(model);
    model->rebuild();
}

TreeGroupsModel* TreeGroupsView::groupsModel() const
{
    return d_func()->model;
}

TreeGroupsHeaderView* TreeGroupsView::groupsHeader() const
{
    return d_func()->header;
}

TreeGroupsViewGroupColSet& TreeGroupsView::groupColumns()
{
    return d_func()->groupColumns;
}

const TreeGroupsViewGroupColSet& TreeGroupsView::groupColumns() const
{
    return d_func()->groupColumns;
}

TreeGroupsViewItemDelegateOptimized* TreeGroupsView::delegateElement() const
{
    return d_func()->elementDelegate;
}

TreeGroupsViewGroupItemDelegate* TreeGroupsView::delegateGroup() const
{
    return d_func()->groupDelegate;
}

ViewWrapper* TreeGroupsView::wrapper() const
{
    return d_func()->wrapper;
}

TreeGroupsExpansion* TreeGroupsView::expansion() const
{
    return d_func()->expansion;
}

QAbstractItemDelegate* TreeGroupsView::delegateForIndex(const QModelIndex& index) const
{
    Q_D(const TreeGroupsView);
    if (isGroupRow(index))
        return d->groupDelegate;
    return d->elementDelegate;
}

bool TreeGroupsView::isGroupRow(const QModelIndex& index) const
{
    Q_D(const TreeGroupsView);
    return d->model && index.isValid() && !d->model->isElementLevel(index);
}

ItemViewFindToolBar* TreeGroupsView::findBar() const
{
    Q_D(const TreeGroupsView);
    return d->menu->findBar();
}

int TreeGroupsView::expandState() const
{
    Q_D(const TreeGroupsView);
    return d->expansion->state();
}

void TreeGroupsView::onSectionClicked(int section)
{
    Q_D(TreeGroupsView);
    if (!d->model)
        return;
    if (section == 0) {
        d->expansion->toggleAll();
        return;
    }
    if (d->model->isSortColumn(section)) {
        const Qt::SortOrder order
            = d->model->sortColumnOrder(section) == Qt::AscendingOrder ? Qt::DescendingOrder : Qt::AscendingOrder;
        d->model->sort(section, order);
        d->header->viewport()->update();
    }
}

// Model signals ---------------------------------------------------------------------------------------------------

void TreeGroupsView::onModelAboutToBeReset()
{
    Q_D(TreeGroupsView);
    d->resetCurrent = currentText();
}

void TreeGroupsView::onModelReset()
{
    Q_D(TreeGroupsView);
    updateItemHeights();
    d->expansion->openToDepth();
    if (!d->resetCurrent.isEmpty())
        setCurrentText(d->resetCurrent);
    d->resetCurrent.clear();
}

// Current row -----------------------------------------------------------------------------------------------------

QString TreeGroupsView::currentText() const
{
    Q_D(const TreeGroupsView);
    if (!d->model || !selectionModel())
        return QString();
    const QModelIndexList rows = selectionModel()->selectedRows();
    QModelIndex first = rows.isEmpty() ? currentIndex() : rows.first();
    for (const QModelIndex& row : rows) {
        if (visualRect(row).top() < visualRect(first).top())
            first = row;
    }
    return d->model->storedPath(first);
}

bool TreeGroupsView::setCurrentText(const QString& text)
{
    Q_D(TreeGroupsView);
    if (!d->model)
        return false;
    const QModelIndex index = d->model->storedIndex(text);
    if (!index.isValid()) {
        clearSelection();
        return false;
    }
    const int horizontal = horizontalScrollBar()->value();
    for (QModelIndex up = index.parent(); up.isValid(); up = up.parent())
        expand(up);
    const QModelIndex cell = d->model->isElementLevel(index) ? index.siblingAtColumn(1) : index;
    selectionModel()->setCurrentIndex(cell, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    scrollTo(cell);
    horizontalScrollBar()->setValue(horizontal);
    return true;
}

// Geometry and painting -------------------------------------------------------------------------------------------

void TreeGroupsView::updateItemHeights()
{
    Q_D(TreeGroupsView);
    d->elementDelegate->setRowHeight(0);
    d->groupDelegate->setRowHeight(0);
    TreeIndexView::updateItemHeights();
    const QFontMetrics group(TreeGroupsModel::groupFont(QModelIndex(), font()));
    const int height = qMax(itemHeight(), group.height() + 2);
    d->elementDelegate->setRowHeight(height);
    d->groupDelegate->setRowHeight(height);
    TreeIndexView::updateItemHeights();
}

QRect TreeGroupsView::groupContentRect(const QModelIndex& index) const
{
    Q_D(const TreeGroupsView);
    const QRect row = visualRect(index.siblingAtColumn(0));
    const int start = d->header->sectionViewportPosition(0) + indentationForIndex(index);
    // To the visible end of the row: a level with one column shows it whole whatever the columns' widths.
    return QRect(start, row.top(), qMax(0, viewport()->width() - start), row.height());
}

void TreeGroupsView::drawRow(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    Q_D(const TreeGroupsView);
    if (!isGroupRow(index)) {
        TreeIndexView::drawRow(painter, option, index);
        return;
    }
    // A group row is one band: the tree's branch, then the level's segments across the rest of the row.
    QStyleOptionViewItem opt = option;
    const bool selected = selectionModel() && selectionModel()->isSelected(index);
    if (selected)
        opt.state |= QStyle::State_Selected | QStyle::State_Active;
    opt.features |= QStyleOptionViewItem::Alternate;
    if (!(index.row() & 1) || !alternatingRowColors())
        opt.features &= ~QStyleOptionViewItem::Alternate;
    style()->drawPrimitive(QStyle::PE_PanelItemViewRow, &opt, painter, this);
    const QRect content = groupContentRect(index);
    const QRect branches(d->header->sectionViewportPosition(0), option.rect.top(),
        content.left() - d->header->sectionViewportPosition(0), option.rect.height());
    drawBranches(painter, branches, index);
    opt.rect = content;
    opt.showDecorationSelected = true;
    if (selected)
        painter->fillRect(content, opt.palette.brush(QPalette::Highlight));
    d->groupDelegate->paint(painter, opt, index);
}

bool TreeGroupsView::groupMouseEvent(QMouseEvent* event)
{
    Q_D(TreeGroupsView);
    const QModelIndex index = indexAt(event->pos());
    if (!isGroupRow(index))
        return false;
    const QRect content = groupContentRect(index);
    if (!content.contains(event->pos()))
        return false;
    QStyleOptionViewItem option = viewOptions();
    option.rect = content;
    return d->groupDelegate->editorEvent(event, d->model, option, index.siblingAtColumn(0));
}

void TreeGroupsView::mousePressEvent(QMouseEvent* event)
{
    if (!groupMouseEvent(event))
        TreeIndexView::mousePressEvent(event);
}

void TreeGroupsView::mouseReleaseEvent(QMouseEvent* event)
{
    if (!groupMouseEvent(event))
        TreeIndexView::mouseReleaseEvent(event);
}

void TreeGroupsView::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (!groupMouseEvent(event))
        TreeIndexView::mouseDoubleClickEvent(event);
}

// Column widths ---------------------------------------------------------------------------------------------------

// Over the rows on screen only: a tree of many elements is never measured whole.
int TreeGroupsView::sizeHintForColumn(int column) const
{
    Q_D(const TreeGroupsView);
    if (!d->model)
        return -1;
    QStyleOptionViewItem option = viewOptions();
    int width = d->header->sectionSizeHint(column);
    QModelIndex index = indexAt(QPoint(0, 0));
    const int bottom = viewport()->height();
    for (; index.isValid() && visualRect(index).top() < bottom; index = indexBelow(index)) {
        if (isGroupRow(index))
            continue;
        const QModelIndex cell = index.siblingAtColumn(column);
        QAbstractItemDelegate* delegate = itemDelegate(cell);
        width = qMax(width, delegate->sizeHint(option, cell).width());
    }
    return width;
}

void TreeGroupsView::resizeColumnsToContents()
{
    Q_D(TreeGroupsView);
    for (int column = 1; d->model && column < d->model->columnCount(); ++column) {
        if (!d->header->isSectionHidden(column))
            resizeColumnToContents(column);
    }
}

void TreeGroupsView::resizeAColumnToContents()
{
    const int column = FitWidthAction::column(sender());
    if (column >= 0)
        resizeColumnToContents(column);
}

// Menus and IView ---------------------------------------------------------------------------------------------------

void TreeGroupsView::populateActionsForColumn(int column, QMenu* menu)
{
    Q_D(TreeGroupsView);
    d->menu->populateForColumn(column, menu);
}

void TreeGroupsView::populateActionsForIndex(const QModelIndex& index, QMenu* menu)
{
    Q_D(TreeGroupsView);
    d->menu->populateForIndex(index, menu);
}

void TreeGroupsView::populateActionsAt(const QPoint& at, QMenu* menu)
{
    Q_D(TreeGroupsView);
    d->menu->populateAt(at, menu);
}

void TreeGroupsView::contextMenuEvent(QContextMenuEvent* event)
{
    // The event comes from the viewport or, passed up, from the header, each in its own coordinates: the global
    // point is the same for both.
    QMenu menu(this);
    populateActionsAt(mapFromGlobal(event->globalPos()), &menu);
    menu.exec(event->globalPos());
}

QList<IViewSettingsPage*> TreeGroupsView::getSettingsPages(QObject* parent)
{
    Q_D(TreeGroupsView);
    QList<IViewSettingsPage*> pages { new TreeGroupsViewHeaderSettingsPage(this, parent) };
    if (d->model && d->model->filtersModel() && d->model->filtersModel()->rowCount() > 0)
        pages << new FiltersSettingsPage(d->model->filtersModel(), parent);
    return pages;
}

QList<QAction*> TreeGroupsView::getActions()
{
    Q_D(TreeGroupsView);
    return d->menu->actions();
}

QList<QToolBar*> TreeGroupsView::toolBars()
{
    Q_D(TreeGroupsView);
    return { d->menu->findBar() };
}

void TreeGroupsView::store(Settings& settings) const
{
    TreeGroupsViewSettings::store(*this, settings);
}

void TreeGroupsView::restore(const Settings&, const Settings& values)
{
    TreeGroupsViewSettings::restore(*this, values);
}

QSize TreeGroupsView::defaultSize() const
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    const QSize available = screen ? screen->availableSize() : QSize(1280, 800);
    return QSize(qMin(980, available.width() * 3 / 4), qMin(560, available.height() * 2 / 3));
}

void TreeGroupsView::changeEvent(QEvent* event)
{
    Q_D(TreeGroupsView);
    TreeIndexView::changeEvent(event);
    if (event->type() == QEvent::LanguageChange)
        d->menu->retranslate();
}
