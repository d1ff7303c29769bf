#include "trees/view/treegroupsview.h"

#include "columns/itemmodelwithdelegates.h"
#include "columns/itemroles.h"
#include "core/db/settings.h"
#include "filters/rowfiltersmodel.h"
#include "trees/treegroupsmodel.h"
#include "trees/view/treegroupsheaderview.h"
#include "trees/view/treegroupsviewgroupitemdelegate.h"
#include "trees/view/treegroupsviewheadersettingspage.h"
#include "trees/view/viewwrappertreegroups.h"
#include "views/filtering/filterssettingspage.h"
#include "views/find/itemviewfindtoolbar.h"
#include "views/fitwidthaction.h"
#include "views/scrollposition.h"

#include <QAction>
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
    , m_findBar(new ItemViewFindToolBar)
    , m_findAction(new QAction(this))
    , m_fitAll(new QAction(this))
{
    retranslate();
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

    m_findBar->setView(this);
    m_findBar->setHeader(m_header);
    m_findBar->hide();
    m_findAction->setObjectName(QStringLiteral("Find"));
    m_findAction->setShortcut(QKeySequence::Find);
    m_findAction->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    connect(m_findAction, &QAction::triggered, m_findBar, &AbstractFindToolBar::openFind);
    addAction(m_findAction);
    connect(m_fitAll, &QAction::triggered, this, &TreeGroupsView::resizeColumnsToContents);

    m_wrapper = new ViewWrapperTreeGroups(this);
    m_wrapper->restartDynamicExport(false, 0);
    initCore(nullptr);
}

TreeGroupsView::~TreeGroupsView()
{
    delete m_findBar;
    releaseModel();
}

// The model reads the view's groupments: it is emptied and given none before they go.
void TreeGroupsView::releaseModel()
{
    if (!m_model)
        return;
    disconnect(m_model, nullptr, this, nullptr);
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
    const auto unique = Qt::UniqueConnection;
    connect(m_header, &QHeaderView::sectionClicked, this, &TreeGroupsView::onSectionClicked, unique);
    connect(this, &QTreeView::expanded, this, &TreeGroupsView::onGroupExpanded, unique);
    connect(this, &QTreeView::collapsed, this, &TreeGroupsView::onGroupCollapsed, unique);
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
    connect(model, &QAbstractItemModel::modelAboutToBeReset, this, &TreeGroupsView::o_modelAboutToBeReset);
    connect(model, &QAbstractItemModel::modelReset, this, &TreeGroupsView::o_modelReset);
    connect(model, &QAbstractItemModel::rowsInserted, this, &TreeGroupsView::o_rowsInserted);
    connect(model, &QAbstractItemModel::rowsMoved, this,
        [this](const QModelIndex&, int, int, const QModelIndex& to, int row) { o_rowsInserted(to, row, row); });
    connect(model, &TreeIndexModel::itemsArrived, this, [this](const QModelIndexList& indexes) {
        for (const QModelIndex& index : indexes)
            o_rowsInserted(index.parent(), index.row(), index.row());
    });
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

// Expansion -------------------------------------------------------------------------------------------------------

bool TreeGroupsView::forEachGroup(const std::function<bool(const QModelIndex&)>& visit) const
{
    if (!m_model)
        return true;
    const int groupLevels = m_model->groupCount();
    // Groups only: elements are never walked, however many there are.
    QVector<QPair<QModelIndex, int>> pending { { QModelIndex(), 0 } };
    while (!pending.isEmpty()) {
        const auto [parent, level] = pending.takeLast();
        if (level >= groupLevels)
            continue;
        for (int row = m_model->rowCount(parent) - 1; row >= 0; --row) {
            const QModelIndex group = m_model->index(row, 0, parent);
            if (!visit(group))
                return false;
            pending.append({ group, level + 1 });
        }
    }
    return true;
}

int TreeGroupsView::expandState() const
{
    int expanded = 0;
    int collapsed = 0;
    // Stops as soon as the answer is "some": a tree of many groups is not walked for it.
    forEachGroup([&](const QModelIndex& group) {
        (isExpanded(group) ? expanded : collapsed)++;
        return expanded == 0 || collapsed == 0;
    });
    if (expanded == 0)
        return 0;
    return collapsed == 0 ? 2 : 1;
}

QStringList TreeGroupsView::expandedGroups() const
{
    QStringList paths;
    forEachGroup([&](const QModelIndex& group) {
        if (isExpanded(group))
            paths << m_model->storedPath(group);
        return true;
    });
    return paths;
}

void TreeGroupsView::expandGroups(const QStringList& paths)
{
    collapseAll();
    for (const QString& path : paths) {
        const QModelIndex group = m_model ? m_model->storedIndex(path) : QModelIndex();
        if (group.isValid())
            expand(group);
    }
}

int TreeGroupsView::expandDepth() const
{
    return m_maxExpandDepth >= 0 || !m_model ? m_maxExpandDepth : m_model->groupCount() - 1;
}

void TreeGroupsView::onSectionClicked(int section)
{
    if (!m_model)
        return;
    if (section == 0) {
        if (expandState() == 0) {
            expandAll();
            m_header->setCollapsed(false);
        } else {
            collapseAll();
            m_header->setCollapsed(true);
        }
        return;
    }
    if (m_model->isSortColumn(section)) {
        const Qt::SortOrder order
            = m_model->sortColumnOrder(section) == Qt::AscendingOrder ? Qt::DescendingOrder : Qt::AscendingOrder;
        m_model->sort(section, order);
        m_header->viewport()->update();
    }
}

// A group opening (live groups open as they appear, thousands a second) leaves the tree open whatever the others
// are: no walk over the groups for it.
void TreeGroupsView::onGroupExpanded()
{
    m_header->setCollapsed(false);
}

// Qt's collapseAll() tells of every group that was open, one by one, after closing them all. Once the tree is known
// to be closed a group closing changes nothing; a walk over every group for each of them froze a window of many
// groups for minutes.
void TreeGroupsView::onGroupCollapsed()
{
    if (!m_header->isCollapsed())
        m_header->setCollapsed(expandState() == 0);
}

// Model signals ---------------------------------------------------------------------------------------------------

void TreeGroupsView::o_modelAboutToBeReset()
{
    m_resetCurrent = currentText();
}

void TreeGroupsView::o_modelReset()
{
    updateItemHeights();
    expandToDepth(expandDepth());
    m_header->setCollapsed(expandState() == 0);
    if (!m_resetCurrent.isEmpty())
        setCurrentText(m_resetCurrent);
    m_resetCurrent.clear();
}

// A group that appears while the tree stands open opens too, so the trader sees its elements.
void TreeGroupsView::o_rowsInserted(const QModelIndex& parent, int first, int last)
{
    if (!m_model || m_header->isCollapsed())
        return;
    const int depth = expandDepth();
    for (int row = first; row <= last; ++row) {
        const QModelIndex index = m_model->index(row, 0, parent);
        if (isGroupRow(index) && index.data(ItemLevelRole).toInt() <= depth && !isExpanded(index)) {
            expand(index);
            for (int child = 0; child < m_model->rowCount(index); ++child)
                o_rowsInserted(index, child, child);
        }
    }
}

void TreeGroupsView::restoreExpansion(const Settings& values)
{
    switch (values.value(QStringLiteral("expandState"), -1).toInt()) {
    case 0:
        collapseAll();
        break;
    case 1:
        expandGroups(values.value(QStringLiteral("expanded")).toStringList());
        break;
    case 2:
        expandAll();
        break;
    default:
        return; // the state of a new window: open to the expand depth
    }
    m_header->setCollapsed(expandState() == 0);
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
    if (column > 0 && m_model) {
        QAction* action = FitWidthAction::add(menu, m_model, column);
        connect(action, &QAction::triggered, this, &TreeGroupsView::resizeAColumnToContents);
    }
    menu->addAction(m_fitAll);
}

void TreeGroupsView::populateActionsForIndex(const QModelIndex& index, QMenu* menu)
{
    populateActionsForColumn(isGroupRow(index) ? 0 : index.column(), menu);
}

void TreeGroupsView::populateActionsAt(const QPoint& at, QMenu* menu)
{
    menu->addAction(m_findAction);
    menu->addSeparator();
    if (m_header->isVisible() && m_header->geometry().contains(at)) {
        const int section = m_header->logicalIndexAt(m_header->mapFrom(this, at));
        if (section >= 0)
            populateActionsForColumn(section, menu);
        if (QMenu* columns = m_header->createColumnsMenu()) {
            columns->setParent(menu, columns->windowFlags());
            menu->addMenu(columns);
        }
    } else if (viewport()->geometry().contains(at)) {
        const QModelIndex index = indexAt(viewport()->mapFrom(this, at));
        if (index.isValid())
            populateActionsForIndex(index, menu);
    }
    menu->addSeparator();
    menu->addActions(m_wrapper->actions());
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
    return m_wrapper->actions() << m_findAction;
}

QList<QToolBar*> TreeGroupsView::toolBars()
{
    return { m_findBar };
}

void TreeGroupsView::store(Settings& settings) const
{
    if (!m_model)
        return;
    m_model->store(settings);
    ItemModelWithDelegates::storeHeader(m_header, m_model, settings);
    m_groupColumns.write(settings);
    // Open or closed as a whole is one number; only a mixed tree lists its open groups.
    const int state = expandState();
    settings.setValue(QStringLiteral("expandState"), state);
    settings.setValue(QStringLiteral("expanded"), state == 1 ? expandedGroups() : QStringList());
    settings.setValue(QStringLiteral("current"), currentText());
    ScrollPosition::store(this, settings);
    m_wrapper->store(settings);
}

void TreeGroupsView::restore(const Settings&, const Settings& values)
{
    if (!m_model)
        return;
    {
        const QSignalBlocker quiet(m_model);
        ItemModelWithDelegates::restoreHeader(m_header, m_model, values);
    }
    m_header->setSectionHidden(0, false);
    m_header->moveSection(m_header->visualIndex(0), 0);
    m_groupColumns.reset(m_model);
    m_groupColumns.read(values);
    m_model->restore(values);
    restoreExpansion(values);
    const bool autoScroll = hasAutoScroll();
    setAutoScroll(false);
    setCurrentText(values.value(QStringLiteral("current")).toString());
    setAutoScroll(autoScroll);
    ScrollPosition::restore(this, values);
    m_wrapper->restore(values);
    viewport()->update();
}

QSize TreeGroupsView::defaultSize() const
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    const QSize available = screen ? screen->availableSize() : QSize(1280, 800);
    return QSize(qMin(980, available.width() * 3 / 4), qMin(560, available.height() * 2 / 3));
}

void TreeGroupsView::retranslate()
{
    m_findAction->setText(tr("Найти..."));
    m_fitAll->setText(tr("Подобрать ширину всех столбцов"));
}

void TreeGroupsView::changeEvent(QEvent* event)
{
    TreeIndexView::changeEvent(event);
    if (event->type() == QEvent::LanguageChange)
        retranslate();
}
