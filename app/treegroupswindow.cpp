#include "treegroupswindow.h"

#include "actions/securityactions.h"
#include "columns/catalogue/securitycolumndelegates.h"
#include "columns/catalogue/standardcolumndelegates.h"
#include "core/db/settings.h"
#include "core/db/table.h"
#include "terminalgroupsmodel.h"
#include "treecolumns.h"
#include "trees/view/treegroupsview.h"
#include "viewmenu.h"
#include "views/find/itemviewfindtoolbar.h"

#include <QEvent>
#include <QMenu>
#include <QVBoxLayout>

TreeGroupsWindow::TreeGroupsWindow(Table* table, Grouping grouping, QWidget* parent)
    : QWidget(parent)
    , m_model(new TerminalGroupsModel(table, this))
    , m_view(new TreeGroupsView(this))
    , m_grouping(grouping)
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_view);
    for (QToolBar* bar : m_view->toolBars())
        layout->addWidget(bar);

    StandardColumnDelegates::install(m_model, table->name());
    if (grouping == Grouping::PositionsByAccountAndUnderlying)
        arrangePositions();
    else
        arrangeOptions();
    m_securityActions = new SecurityActions(m_view, this);
    if (grouping == Grouping::OptionsBySeries)
        m_securityActions->setDefaultAction(SecurityActions::Quotes);
    // The window makes the menu, so that it holds the instrument commands too.
    m_view->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(m_view, &QWidget::customContextMenuRequested, this,
        [this](const QPoint& at) { popUpViewMenu(this, this, m_view->viewport(), at); });
}

TreeGroupsWindow::~TreeGroupsWindow()
{
    // The view reads the model until it goes.
    delete m_view;
}

void TreeGroupsWindow::groupByTheFirstTwoColumns(
    const QVector<QPair<QString, Qt::SortOrder>>& sortColumns, const QStringList& shown)
{
    m_model->insertTreeColumn();
    m_model->setElementColumnsFrom(3);
    nameGroups();
    for (const auto& sort : sortColumns)
        m_model->addSortColumn({ m_model->columnIndex(sort.first), sort.second });
    m_view->setModel(m_model);
    showTreeColumns(m_view, m_model, shown, 100);
}

void TreeGroupsWindow::nameGroups()
{
    const bool positions = m_grouping == Grouping::PositionsByAccountAndUnderlying;
    // The same columns under a new name: the groups stay as they are.
    m_model->setGroup(0, { 1 }, positions ? tr("Счёт") : tr("Базовый актив"));
    m_model->setGroup(1, { 2 }, positions ? tr("Базовый актив") : tr("Экспирация"));
}

void TreeGroupsWindow::arrangePositions()
{
    Table* table = m_model->table();
    // The underlying is no field of a position: its instrument's, looked up.
    m_model->insertColumnDelegate(1,
        new BaseCodeColumnDelegate(
            table->columnIndex(QStringLiteral("stock_id")), table->columnIndex(QStringLiteral("board_id")), m_model),
        table->columnIndex(QStringLiteral("sec_id")), 10, QStringLiteral("base_code"),
        // A source text: the header translates the title as it shows it.
        QString::fromUtf8(QT_TRANSLATE_NOOP("HostSchema", "Баз. актив")), QString());
    groupByTheFirstTwoColumns(
        { { QStringLiteral("sec_id"), Qt::AscendingOrder }, { QStringLiteral("pos"), Qt::DescendingOrder } },
        { QStringLiteral("tree"), QStringLiteral("sec_id"), QStringLiteral("open_pos"), QStringLiteral("buy_qty"),
            QStringLiteral("sell_qty"), QStringLiteral("pos"), QStringLiteral("avg_price"), QStringLiteral("vm") });
}

void TreeGroupsWindow::arrangeOptions()
{
    const int sectype = m_model->table()->columnIndex(QStringLiteral("sectype"));
    m_model->setAccept(
        [sectype](const Record& record) { return record.data(sectype).toString() == QLatin1String("O"); });
    m_model->placeColumn(QStringLiteral("base_code"), 0);
    m_model->placeColumn(QStringLiteral("expdate"), 1);
    groupByTheFirstTwoColumns(
        { { QStringLiteral("strike"), Qt::AscendingOrder }, { QStringLiteral("opt_type"), Qt::AscendingOrder } },
        { QStringLiteral("tree"), QStringLiteral("strike"), QStringLiteral("opt_type"), QStringLiteral("sec_code"),
            QStringLiteral("bid"), QStringLiteral("offer"), QStringLiteral("last"), QStringLiteral("settle_price"),
            QStringLiteral("volume") });
}

void TreeGroupsWindow::initCore(ICore* core)
{
    m_view->initCore(core);
}

QList<IViewSettingsPage*> TreeGroupsWindow::getSettingsPages(QObject* parent)
{
    return m_view->getSettingsPages(parent);
}

QList<QAction*> TreeGroupsWindow::getActions()
{
    return m_view->getActions();
}

void TreeGroupsWindow::populateActionsAt(const QPoint& at, QMenu* menu)
{
    if (m_view->viewport()->rect().contains(m_view->viewport()->mapFrom(this, at)))
        m_securityActions->addToMenu(menu);
    m_view->populateActionsAt(m_view->mapFrom(this, at), menu);
}

void TreeGroupsWindow::store(Settings& settings) const
{
    m_view->store(settings);
}

void TreeGroupsWindow::restore(const Settings& defaults, const Settings& values)
{
    if (values.allKeys().isEmpty())
        return; // a new window keeps the layout it opens with
    m_view->restore(defaults, values);
}

QSize TreeGroupsWindow::defaultSize() const
{
    return m_view->defaultSize();
}

void TreeGroupsWindow::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::WindowTitleChange)
        m_view->setWindowTitle(windowTitle());
    else if (event->type() == QEvent::LanguageChange)
        nameGroups();
}
