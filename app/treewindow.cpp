#include "treewindow.h"

#include "treecolumns.h"

#include "actions/securityactions.h"
#include "columns/catalogue/securitycolumndelegates.h"
#include "columns/catalogue/standardcolumndelegates.h"
#include "columns/itemroles.h"
#include "core/db/settings.h"
#include "core/db/table.h"
#include "delegates/itemdelegate.h"
#include "models/sessionfiltermodel.h"
#include "trees/groupmentcolumns.h"
#include "trees/groupmentrecord.h"
#include "trees/groupmentsecurities.h"
#include "trees/groupmenttreeitem.h"
#include "trees/treeindexmodel.h"
#include "viewmenu.h"
#include "views/headersettings/tableheadermodel.h"
#include "views/headersettings/tableheadersettingspage.h"
#include "views/qtreefastview.h"
#include "views/treeheaderview.h"

#include <QAction>
#include <QEvent>
#include <QHeaderView>
#include <QJsonArray>
#include <QJsonDocument>
#include <QMenu>
#include <QVBoxLayout>

namespace {

// The keys of an index's groups from the top, stored as a JSON array: a key may hold any character.
QString pathOf(const QModelIndex& index)
{
    QStringList keys;
    for (QModelIndex i = index; i.isValid(); i = i.parent())
        keys.prepend(i.data(GroupKeyRole).toString());
    return QString::fromUtf8(QJsonDocument(QJsonArray::fromStringList(keys)).toJson(QJsonDocument::Compact));
}

// The keys of a stored path; the "/"-joined form of older settings is read too.
QStringList keysOf(const QString& path)
{
    const QJsonDocument document = QJsonDocument::fromJson(path.toUtf8());
    if (!document.isArray())
        return path.split(QLatin1Char('/'));
    QStringList keys;
    for (const QJsonValue& key : document.array())
        keys << key.toString();
    return keys;
}

TreeIndexModel* makeModel(
    Table* table, TreeWindow::Grouping grouping, QObject* parent, SessionFilterModel<TreeIndexModel>*& instruments)
{
    if (grouping != TreeWindow::Grouping::InstrumentsByBoard)
        return new TreeIndexModel(table, parent);
    instruments = new SessionFilterModel<TreeIndexModel>(table, parent);
    return instruments;
}

// The tree's own column: a record's instrument, but a column of its own name and title, stored apart from the
// instruments' name column.
class TreeColumnDelegate : public SecurityColumnDelegate
{
public:
    using SecurityColumnDelegate::SecurityColumnDelegate;
    bool headerData(int role, QVariant& value) const override
    {
        if (role == ColumnNameRole)
            value = QStringLiteral("tree");
        else if (role == Qt::DisplayRole)
            value = TreeWindow::tr("Группа / инструмент");
        else
            return SecurityColumnDelegate::headerData(role, value);
        return true;
    }
};

} // namespace

TreeWindow::TreeWindow(Table* table, Grouping grouping, QWidget* parent)
    : QWidget(parent)
    , m_model(makeModel(table, grouping, this, m_instruments))
    , m_view(new QTreeFastView(this))
    , m_header(new TreeHeaderView(m_view))
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_view);

    StandardColumnDelegates::install(m_model, table->name());
    // The tree's own first column: the group's name, or the instrument of a record.
    m_model->insertColumnDelegate(TreeColumn, new TreeColumnDelegate(m_model),
        table->columnIndex(QStringLiteral("sec_id")), 20, QStringLiteral("tree"), tr("Группа / инструмент"), QString());
    if (grouping == Grouping::InstrumentsByBoard) {
        m_groupments.emplace_back(new GroupmentBoard(table));
        m_groupments.emplace_back(new GroupmentUnderlying(table));
        m_groupments.emplace_back(new GroupmentSecurity);
    } else {
        m_groupments.emplace_back(new GroupmentColumn(QStringLiteral("account"), table));
        m_groupments.emplace_back(new GroupmentRecord);
    }
    QList<Groupment*> levels;
    for (const auto& groupment : m_groupments)
        levels << groupment.get();
    m_model->setGroupmentList(levels);
    m_model->setSort(0, Qt::AscendingOrder);
    m_model->rebuild();

    // The tree's column stays in front; the others are chosen from the header's menu or the columns page.
    m_view->setHeader(m_header);
    m_header->setSectionsClickable(true);
    m_header->setSortIndicatorShown(true);
    m_header->setExpandMarkShown(true);
    m_header->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(m_header, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
        QMenu* columns = m_header->createColumnsMenu();
        if (!columns)
            return;
        // Like the rows' menu: no nested event loop, gone once closed.
        columns->setAttribute(Qt::WA_DeleteOnClose);
        for (QAction* action : columns->actions())
            action->setEnabled(action->data().toInt() != TreeColumn);
        columns->popup(m_header->viewport()->mapToGlobal(at));
    });
    m_view->setModel(m_model);
    // The library's painter writes the catalogue's values as every other view does (decimals with the
    // terminal's decimal point).
    m_view->setItemDelegate(new ItemDelegate(m_view));
    m_view->setUniformRowHeights(true);
    m_view->setAlternatingRowColors(true);
    m_view->setSelectionBehavior(QAbstractItemView::SelectRows);
    // Sorted by the header's signal rather than by the view: a click on the tree's section must not sort.
    m_header->setSortIndicator(m_sortSection, m_sortOrder);
    connect(m_header, &QHeaderView::sortIndicatorChanged, this, &TreeWindow::onSortIndicatorChanged);
    connect(m_header, &QHeaderView::sectionClicked, this, &TreeWindow::onSectionClicked);
    connect(m_view, &QTreeView::expanded, m_header, [this] { m_header->setCollapsed(false); });
    connect(m_view, &QTreeView::collapsed, this, &TreeWindow::onGroupCollapsed);
    // Through the header: the model outlives the view when the window goes.
    connect(m_model, &QAbstractItemModel::modelReset, m_header, [this] { updateExpandMark(); });
    if (grouping == Grouping::InstrumentsByBoard)
        showTreeColumns(m_view, m_model,
            { QStringLiteral("tree"), QStringLiteral("sec_code"), QStringLiteral("sectype"), QStringLiteral("expdate"),
                QStringLiteral("strike"), QStringLiteral("bid"), QStringLiteral("offer"), QStringLiteral("last"),
                QStringLiteral("volume") },
            110);
    else
        showTreeColumns(m_view, m_model,
            { QStringLiteral("tree"), QStringLiteral("open_pos"), QStringLiteral("buy_qty"), QStringLiteral("sell_qty"),
                QStringLiteral("pos"), QStringLiteral("avg_price"), QStringLiteral("vm") },
            110);
    m_view->expandToDepth(0);
    updateExpandMark();
    m_view->setColumnWidth(0, 260);

    auto* expandAll = new QAction(this);
    connect(expandAll, &QAction::triggered, this, &TreeWindow::expandAll);
    auto* collapseAll = new QAction(this);
    connect(collapseAll, &QAction::triggered, this, &TreeWindow::collapseAll);
    m_actions << expandAll << collapseAll;
    if (m_instruments) {
        m_currentSession = new QAction(this);
        m_currentSession->setCheckable(true);
        m_currentSession->setEnabled(m_instruments->sessionFilter()->isAvailable());
        connect(m_currentSession, &QAction::toggled, this, [this](bool on) {
            m_instruments->setSessionFilterEnabled(on);
            m_view->expandToDepth(0);
            updateExpandMark();
        });
        m_actions << m_currentSession;
    }
    m_view->addActions(m_actions);
    m_securityActions = new SecurityActions(m_view, this);
    if (grouping == Grouping::InstrumentsByBoard)
        m_securityActions->setDefaultAction(SecurityActions::Quotes);
    m_view->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(m_view, &QWidget::customContextMenuRequested, this,
        [this](const QPoint& at) { popUpViewMenu(this, this, m_view->viewport(), at); });
    retranslate();
}

void TreeWindow::retranslate()
{
    m_actions.at(0)->setText(tr("Развернуть все"));
    m_actions.at(1)->setText(tr("Свернуть все"));
    if (m_currentSession)
        m_currentSession->setText(tr("Только текущая сессия"));
}

void TreeWindow::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::LanguageChange)
        retranslate();
}

TreeWindow::~TreeWindow()
{
    // The model reads the groupments until it goes.
    delete m_view;
    delete m_model;
}

QStringList TreeWindow::expandedGroups() const
{
    QStringList paths;
    QModelIndex index = m_model->treeWalk(QModelIndex());
    while (index.isValid()) {
        if (m_view->isExpanded(index))
            paths << pathOf(index);
        index = m_model->treeWalk(index);
    }
    return paths;
}

void TreeWindow::expandAll()
{
    // The groups only: Qt's expandAll() would count every record as open too, and store them all.
    m_view->expandToDepth(m_model->groupmentList().size() - 2);
    m_header->setCollapsed(false);
}

void TreeWindow::collapseAll()
{
    // First: each group Qt then tells of as closed finds the mark closed already, and no walk is made for it.
    m_header->setCollapsed(true);
    m_view->collapseAll();
}

void TreeWindow::onSectionClicked(int section)
{
    if (section != TreeColumn)
        return;
    if (anyGroupExpanded())
        collapseAll();
    else
        expandAll();
}

void TreeWindow::onSortIndicatorChanged(int section, Qt::SortOrder order)
{
    if (section == TreeColumn) {
        // The click that opens or closes the groups, or a stored layout naming the tree's column: the order stays.
        const QSignalBlocker quiet(m_header);
        m_header->setSortIndicator(m_sortSection, m_sortOrder);
        m_header->viewport()->update();
        return;
    }
    m_sortSection = section;
    m_sortOrder = order;
    m_model->sort(section < 0 ? TreeColumn : section, section < 0 ? Qt::AscendingOrder : order);
}

// Qt's collapseAll() tells of every group that was open, one by one: once the mark says closed no walk is needed.
void TreeWindow::onGroupCollapsed()
{
    if (!m_header->isCollapsed())
        updateExpandMark();
}

void TreeWindow::updateExpandMark()
{
    m_header->setCollapsed(!anyGroupExpanded());
}

bool TreeWindow::anyGroupExpanded() const
{
    // Groups only, down to the last level of groups: the records under them are never walked.
    const int groupLevels = m_model->groupmentList().size() - 1;
    QVector<QPair<QModelIndex, int>> pending { { QModelIndex(), 0 } };
    while (!pending.isEmpty()) {
        const auto [parent, level] = pending.takeLast();
        for (int row = 0; row < m_model->rowCount(parent); ++row) {
            const QModelIndex group = m_model->index(row, 0, parent);
            if (m_view->isExpanded(group))
                return true;
            if (level + 1 < groupLevels)
                pending.append({ group, level + 1 });
        }
    }
    return false;
}

void TreeWindow::expandGroups(const QStringList& paths)
{
    m_view->collapseAll();
    for (const QString& path : paths) {
        QModelIndex index;
        for (const QString& key : keysOf(path)) {
            const GroupmentTreeItem* item = m_model->itemByIndex(index)->childByKey(key);
            index = item ? m_model->indexByItem(item) : QModelIndex();
            if (!index.isValid())
                break;
        }
        if (index.isValid())
            m_view->expand(index);
    }
    updateExpandMark();
}

void TreeWindow::initCore(ICore*) { }

QList<IViewSettingsPage*> TreeWindow::getSettingsPages(QObject* parent)
{
    auto* columns = new TableHeaderModel(m_model, parent);
    columns->setFirstColumnIndex(TreeColumn);
    columns->setFirstColumnLocked(true);
    columns->setFirstColumnEnabled(false);
    return { new TableHeaderSettingsPage(columns, parent) };
}

void TreeWindow::keepTreeColumn()
{
    // Without it every row is blank: whatever a layout says, the tree's column is shown and first.
    QHeaderView* header = m_view->header();
    header->showSection(TreeColumn);
    header->moveSection(header->visualIndex(TreeColumn), 0);
}

QList<QAction*> TreeWindow::getActions()
{
    return m_actions;
}

void TreeWindow::populateActionsAt(const QPoint&, QMenu* menu)
{
    m_securityActions->addToMenu(menu);
    menu->addActions(m_actions);
}

void TreeWindow::store(Settings& settings) const
{
    ItemModelWithDelegates::storeHeader(m_view->header(), m_model, settings);
    settings.setValue(QStringLiteral("expanded"), expandedGroups());
    if (m_instruments)
        m_instruments->writeSessionFilter(settings);
}

void TreeWindow::restore(const Settings&, const Settings& values)
{
    if (values.value(QStringLiteral("expanded")).isNull())
        return;
    if (m_instruments) {
        m_instruments->readSessionFilter(values);
        const QSignalBlocker quiet(m_currentSession);
        m_currentSession->setChecked(m_instruments->isSessionFilterEnabled());
    }
    ItemModelWithDelegates::restoreHeader(m_view->header(), m_model, values);
    keepTreeColumn();
    expandGroups(values.value(QStringLiteral("expanded")).toStringList());
}

QSize TreeWindow::defaultSize() const
{
    return QSize(900, 520);
}
