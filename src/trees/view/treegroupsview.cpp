#include "trees/view/treegroupsview.h"

#include "filters/rowfiltersmodel.h"
#include "trees/treegroupsmodel.h"
#include "trees/view/treegroupsexpansion.h"
#include "trees/view/treegroupsheaderview.h"
#include "trees/view/treegroupsviewgroupitemdelegate.h"
#include "trees/view/treegroupsviewheadersettingspage.h"
#include "trees/view/treegroupsviewmenu.h"
#include "trees/view/treegroupsviewsettings.h"
#include "trees/view/viewwrappertreegroups.h"
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
    : TreeIndexView(parent)
    , m_header(new TreeGroupsHeaderView(this))
    , m_elementDelegate(new TreeGroupsViewItemDelegateOptimized(this))
    , m_groupDelegate(new TreeGroupsViewGroupItemDelegate(this))
{
    setHeader(m_header);
    m_header->setSectionsClickable(true);
    m_header->setSectionsMovable(true);
    setItemDelegate(m_elementDelegate);
    setSelectionBehavior(SelectRows);
    setSelectionMode(ExtendedSelection);
    setAlternatingRowColors(true);
    setAllColumnsShowFocus(true);
    setDragEnabled(true);
    setDragDropMode(DragOnly);

    m_menu = new TreeGroupsViewMenu(this);
    m_expansion = new TreeGroupsExpansion(this);
    m_wrapper = new ViewWrapperTreeGroups(this);
    m_wrapper->restartDynamicExport(false, 0);
    initCore(nullptr);
}

TreeGroupsView::~TreeGroupsView()
{
    // The find bar, wherever the host placed it, goes while the view it searches is whole.
    delete m_menu;
    m_menu = nullptr;
    releaseModel();
}

// The model reads the view's groupments: it is emptied and given none before they go.
void TreeGroupsView::releaseModel()
{
    if (!m_model)
        return;
    disconnect(m_model, nullptr, this, nullptr);
    m_expansion->followModel(nullptr);
    QTreeView::setModel(nullptr);
    m_model->clear();
    m_model->setGroupmentList({});
    m_groupments.clear();
    m_model = nullptr;
}

// A model that goes first (a sibling made before this view) has stopped reading the groupments: they go too, and
// nothing of the model is touched again.
void TreeGroupsView::onModelDestroyed()
{
    m_model = nullptr;
    m_groupments.clear();
    m_groupColumns.reset(nullptr);
}

void TreeGroupsView::initCore(ICore*)
{
    connect(m_header, &QHeaderView::sectionClicked, this, &TreeGroupsView::onSectionClicked, Qt::UniqueConnection);
}

void TreeGroupsView::setModel(TreeGroupsModel* model)
{
    releaseModel();
    if (!model) {
        m_groupColumns.reset(nullptr);
        return;
    }
    QTreeView::setModel(model);
    m_model = model;
    m_groupments = model->createGroupments();
    QList<Groupment*> levels;
    for (const auto& level : m_groupments)
        levels << level.get();
    model->setGroupmentList(levels);
    m_groupColumns.reset(model);
    m_header->setFilters(model->filtersModel());
    m_header->setSectionResizeMode(0, QHeaderView::Fixed);
    m_header->resizeSection(0, indentation() * (model->groupCount() + 1));
    connect(model, &QObject::destroyed, this, &TreeGroupsView::onModelDestroyed);
    connect(model, &QAbstractItemModel::modelAboutToBeReset, this, &TreeGroupsView::onModelAboutToBeReset);
    connect(model, &QAbstractItemModel::modelReset, this, &TreeGroupsView::onModelReset);
    m_expansion->followModel(model);
    model->rebuild();
}

QAbstractItemDelegate* TreeGroupsView::delegateForIndex(const QModelIndex& index) const
{
    if (isGroupRow(index))
        return m_groupDelegate;
    return m_elementDelegate;
}

bool TreeGroupsView::isGroupRow(const QModelIndex& index) const
{
    return m_model && index.isValid() && !m_model->isElementLevel(index);
}

ItemViewFindToolBar* TreeGroupsView::findBar() const
{
    return m_menu->findBar();
}

int TreeGroupsView::expandState() const
{
    return m_expansion->state();
}

void TreeGroupsView::onSectionClicked(int section)
{
    if (!m_model)
        return;
    if (section == 0) {
        m_expansion->toggleAll();
        return;
    }
    if (m_model->isSortColumn(section)) {
        const Qt::SortOrder order
            = m_model->sortColumnOrder(section) == Qt::AscendingOrder ? Qt::DescendingOrder : Qt::AscendingOrder;
        m_model->sort(section, order);
        m_header->viewport()->update();
    }
}

// Model signals ---------------------------------------------------------------------------------------------------

void TreeGroupsView::onModelAboutToBeReset()
{
    m_resetCurrent = currentText();
}

void TreeGroupsView::onModelReset()
{
    updateItemHeights();
    m_expansion->openToDepth();
    if (!m_resetCurrent.isEmpty())
        setCurrentText(m_resetCurrent);
    m_resetCurrent.clear();
}

// Current row -----------------------------------------------------------------------------------------------------

QString TreeGroupsView::currentText() const
{
    if (!m_model || !selectionModel())
        return QString();
    const QModelIndexList rows = selectionModel()->selectedRows();
    QModelIndex first = rows.isEmpty() ? currentIndex() : rows.first();
    for (const QModelIndex& row : rows) {
        if (visualRect(row).top() < visualRect(first).top())
            first = row;
    }
    return m_model->storedPath(first);
}

bool TreeGroupsView::setCurrentText(const QString& text)
{
    if (!m_model)
        return false;
    const QModelIndex index = m_model->storedIndex(text);
    if (!index.isValid()) {
        clearSelection();
        return false;
    }
    const int horizontal = horizontalScrollBar()->value();
    for (QModelIndex up = index.parent(); up.isValid(); up = up.parent())
        expand(up);
    const QModelIndex cell = m_model->isElementLevel(index) ? index.siblingAtColumn(1) : index;
    selectionModel()->setCurrentIndex(cell, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    scrollTo(cell);
    horizontalScrollBar()->setValue(horizontal);
    return true;
}

// Geometry and painting -------------------------------------------------------------------------------------------

void TreeGroupsView::updateItemHeights()
{
    m_elementDelegate->setRowHeight(0);
    m_groupDelegate->setRowHeight(0);
    TreeIndexView::updateItemHeights();
    const QFontMetrics group(TreeGroupsModel::groupFont(QModelIndex(), font()));
    const int height = qMax(itemHeight(), group.height() + 2);
    m_elementDelegate->setRowHeight(height);
    m_groupDelegate->setRowHeight(height);
    TreeIndexView::updateItemHeights();
}

QRect TreeGroupsView::groupContentRect(const QModelIndex& index) const
{
    const QRect row = visualRect(index.siblingAtColumn(0));
    const int start = m_header->sectionViewportPosition(0) + indentationForIndex(index);
    // To the visible end of the row: a level with one column shows it whole whatever the columns' widths.
    return QRect(start, row.top(), qMax(0, viewport()->width() - start), row.height());
}

void TreeGroupsView::drawRow(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const
{
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
    const QRect branches(m_header->sectionViewportPosition(0), option.rect.top(),
        content.left() - m_header->sectionViewportPosition(0), option.rect.height());
    drawBranches(painter, branches, index);
    opt.rect = content;
    opt.showDecorationSelected = true;
    if (selected)
        painter->fillRect(content, opt.palette.brush(QPalette::Highlight));
    m_groupDelegate->paint(painter, opt, index);
}

bool TreeGroupsView::groupMouseEvent(QMouseEvent* event)
{
    const QModelIndex index = indexAt(event->pos());
    if (!isGroupRow(index))
        return false;
    const QRect content = groupContentRect(index);
    if (!content.contains(event->pos()))
        return false;
    QStyleOptionViewItem option = viewOptions();
    option.rect = content;
    return m_groupDelegate->editorEvent(event, m_model, option, index.siblingAtColumn(0));
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
    if (!m_model)
        return -1;
    QStyleOptionViewItem option = viewOptions();
    int width = m_header->sectionSizeHint(column);
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
    for (int column = 1; m_model && column < m_model->columnCount(); ++column) {
        if (!m_header->isSectionHidden(column))
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
    m_menu->populateForColumn(column, menu);
}

void TreeGroupsView::populateActionsForIndex(const QModelIndex& index, QMenu* menu)
{
    m_menu->populateForIndex(index, menu);
}

void TreeGroupsView::populateActionsAt(const QPoint& at, QMenu* menu)
{
    m_menu->populateAt(at, menu);
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
    QList<IViewSettingsPage*> pages { new TreeGroupsViewHeaderSettingsPage(this, parent) };
    if (m_model && m_model->filtersModel() && m_model->filtersModel()->rowCount() > 0)
        pages << new FiltersSettingsPage(m_model->filtersModel(), parent);
    return pages;
}

QList<QAction*> TreeGroupsView::getActions()
{
    return m_menu->actions();
}

QList<QToolBar*> TreeGroupsView::toolBars()
{
    return { m_menu->findBar() };
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
    TreeIndexView::changeEvent(event);
    if (event->type() == QEvent::LanguageChange)
        m_menu->retranslate();
}
