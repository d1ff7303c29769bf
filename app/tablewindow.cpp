#include "tablewindow.h"

#include "actions/onlinedialog.h"
#include "actions/securityactions.h"
#include "baseassetsfilter.h"
#include "columns/catalogue/standardcolumndelegates.h"
#include "core/db/mapsettings.h"
#include "core/db/settings.h"
#include "core/db/table.h"
#include "core/host/directories/securitydirectory.h"
#include "core/host/schema/hostschema.h"
#include "delegates/itemdelegatebuysell.h"
#include "events/tableeventalerts.h"
#include "export/exporterproxymodel.h"
#include "filters/catalogue/keyfilters.h"
#include "filters/catalogue/plainfilters.h"
#include "filters/catalogue/standardfilters.h"
#include "filters/enumfilter.h"
#include "filters/rowfiltersmodel.h"
#include "liveprices.h"
#include "models/columntotalsmodel.h"
#include "models/indexmodelfilterrecord.h"
#include "models/sessionfiltermodel.h"
#include "models/tableindexmodel.h"
#include "orders/moveorderdialog.h"
#include "pickslink.h"
#include "snapshotwindow.h"
#include "tradealerts.h"
#include "viewmenu.h"
#include "views/filtering/filterssettingspage.h"
#include "views/filtering/filterstoolbar.h"
#include "views/find/itemviewfindtoolbar.h"
#include "windows/frozenrowview.h"
#include "windows/tablefastviewwithfilter.h"
#include "windows/viewwrapper.h"

#include <QEvent>
#include <QHeaderView>
#include <QMenu>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

// The order a trader opens each window in: newest orders and deals first, accounts and instruments by key.
struct Opening
{
    const char* table;
    const char* column;
    Qt::SortOrder order;
};
const Opening openings[]
    = { { "orders", "order_num", Qt::DescendingOrder }, { "deals", "deal_num", Qt::DescendingOrder },
          { "positions", "account", Qt::AscendingOrder }, { "securities", "sec_id", Qt::AscendingOrder } };

} // namespace

TableWindow::TableWindow(Table* table, Arrangement arrangement, QWidget* parent)
    // Instruments can be shown as the trader's pick, in its order, and restricted to the current session.
    : TableWindow(table->name() == QLatin1String("securities") ? new SessionFilterModel<IndexModelFilterRecord>(table)
                                                               : new TableIndexModel(table),
        arrangement, parent)
{ }

TableWindow::TableWindow(TableIndexModel* model, Arrangement arrangement, QWidget* parent)
    : QWidget(parent)
    , m_instruments(dynamic_cast<SessionFilterModel<IndexModelFilterRecord>*>(model))
    , m_model(model)
    , m_view(new TableFastViewWithFilter(this))
    , m_snapshot(new QAction(this))
{
    m_model->setParent(this);
    Table* table = m_model->table();
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_view);

    StandardColumnDelegates::install(m_model, table->name());
    for (Filter* filter : StandardFilters::create(*table, m_model))
        m_model->filtersModel()->addFilter(filter);
    if (table->name() == QLatin1String("securities"))
        m_model->filtersModel()->addFilter(new BaseAssetsFilter(*table, m_model));
    connect(m_snapshot, &QAction::triggered, this, [this] { SnapshotWindow::open(this); });
    m_view->setContextMenuPolicy(Qt::CustomContextMenu);
    // A scroll area tells the point of its menu in its viewport's coordinates.
    connect(m_view, &QWidget::customContextMenuRequested, this,
        [this](const QPoint& at) { popUpViewMenu(this, this, m_view->viewport(), at); });
    // The header's own menu: the same, for the column under the pointer; a header is a scroll area too.
    m_view->header()->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(m_view->header(), &QWidget::customContextMenuRequested, this,
        [this](const QPoint& at) { popUpViewMenu(this, this, m_view->header()->viewport(), at); });
    const bool quotes = table->name() == QLatin1String("securities") && arrangement == Arrangement::Trading;
    if (quotes) {
        LivePrices::install(m_model, m_view);
        m_livePrices = true;
    }
    int sortColumn = 0;
    Qt::SortOrder sortOrder = Qt::AscendingOrder;
    for (const Opening& o : openings) {
        if (table->name() == QLatin1String(o.table)) {
            sortColumn = table->columnIndex(QString::fromLatin1(o.column));
            sortOrder = o.order;
        }
    }
    m_model->setSort(sortColumn, sortOrder);
    // The rows are read when the window is first wanted (ensureBuilt()): a window the host restores reads them
    // once, with its stored filters and sort, instead of once more for the state it is born with.
    m_view->setModel(m_model);
    m_view->setPaintBufferEnabled(true);
    m_securityActions = new SecurityActions(m_view, this);
    m_securityActions->setModel(m_model);
    // The view may show the model's rows held still in a model of its own: rows map by record.
    m_securityActions->setIndexMapper([this](const QModelIndex& index) {
        return m_model->indexByRecord(m_view->recordAt(index), qMax(0, index.column()));
    });
    // An instrument's row opens its quotes; a row of an order, a deal or a position a new order in it.
    if (table->name() == QLatin1String("securities"))
        m_securityActions->setDefaultAction(SecurityActions::Quotes);
    m_view->header()->setSortIndicator(sortColumn, sortOrder);
    m_view->setSortingEnabled(true);
    if (quotes)
        arrangeInstruments();
    if (table->name() == QLatin1String("orders") || table->name() == QLatin1String("deals")
        || table->name() == QLatin1String("securities"))
        addFiltersToolBar();
    if (m_instruments)
        addCurrentSessionSwitch();
    if (table->name() == QLatin1String("positions"))
        addTotalsRow();
    if (table->name() == QLatin1String("orders") || table->name() == QLatin1String("deals"))
        colourBySide(table->name() == QLatin1String("orders") ? ViewsColorManager::Orders : ViewsColorManager::Deals);
    addFindBar();
    m_alerts = TradeAlerts::create(table, this);
    if (m_alerts)
        m_alerts->visual().setWidget(this);
    retranslate();
}

void TableWindow::retranslate()
{
    m_snapshot->setText(tr("Снимок"));
    m_findAction->setText(tr("Найти..."));
    if (m_toolBar)
        m_toolBar->setWindowTitle(tr("Фильтры"));
    if (m_currentSession) {
        m_currentSession->setText(tr("Только текущая сессия"));
        m_currentSession->setToolTip(tr("Показывать только инструменты текущей торговой сессии"));
    }
}

void TableWindow::colourBySide(ViewsColorManager::View kind)
{
    m_view->setItemDelegate(new ItemDelegateBuySell(kind, m_model->columnIndex(QStringLiteral("buysell")), m_view));
}

void TableWindow::addFindBar()
{
    m_findBar = new ItemViewFindToolBar(this);
    m_findBar->setView(m_view);
    m_findBar->setHeader(m_view->header());
    m_findBar->hide();
    layout()->addWidget(m_findBar);
    m_findAction = new QAction(this);
    m_findAction->setShortcut(QKeySequence::Find);
    m_findAction->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    connect(m_findAction, &QAction::triggered, m_findBar, &AbstractFindToolBar::openFind);
    addAction(m_findAction);
}

void TableWindow::addFiltersToolBar()
{
    // The filters a trader changes all day: the instrument and the least quantity of orders and deals; the base
    // contract and its expiry of the instruments.
    m_toolBar = new FiltersToolBar(this);
    m_toolBar->setView(m_view);
    m_toolBar->setHeader(m_view->header());
    for (Filter* filter : m_model->filtersModel()->filters()) {
        if (qobject_cast<SecurityFilter*>(filter) || qobject_cast<QuantityFilter*>(filter)
            || qobject_cast<SecNameFilter*>(filter) || qobject_cast<ExpDateFilter*>(filter))
            m_toolBar->addFilter(filter);
    }
    static_cast<QVBoxLayout*>(layout())->insertWidget(0, m_toolBar);
    m_view->addToolBar(m_toolBar);
}

void TableWindow::addCurrentSessionSwitch()
{
    m_currentSession = new QAction(this);
    m_currentSession->setCheckable(true);
    m_currentSession->setEnabled(m_instruments->sessionFilter()->isAvailable());
    connect(m_currentSession, &QAction::toggled, this, [this](bool on) { m_instruments->setSessionFilterEnabled(on); });
    if (m_toolBar) {
        auto* button = new QToolButton(m_toolBar);
        button->setDefaultAction(m_currentSession);
        button->setToolButtonStyle(Qt::ToolButtonTextOnly);
        m_toolBar->addCustomWidget(button);
    }
}

void TableWindow::addTotalsRow()
{
    m_totalsModel = new ColumnTotalsModel(m_model, this);
    m_totalsModel->setSummedColumns({ QStringLiteral("open_pos"), QStringLiteral("buy_qty"), QStringLiteral("sell_qty"),
        QStringLiteral("pos"), QStringLiteral("vm"), QStringLiteral("fee"), QStringLiteral("broker_fee") });
    m_totals = new FrozenRowView(m_view);
    m_totals->setModel(m_totalsModel);
    m_totals->show();
}

void TableWindow::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::WindowTitleChange)
        m_view->setWindowTitle(windowTitle());
    if (event->type() == QEvent::LanguageChange)
        retranslate();
}

ViewWrapper* TableWindow::wrapper() const
{
    return m_view->wrapper();
}

void TableWindow::populateActionsAt(const QPoint& at, QMenu* menu)
{
    const QPoint inView = m_view->mapFrom(this, at);
    if (m_view->viewport()->geometry().contains(inView)) {
        const Record row = m_view->recordAt(m_view->indexAt(m_view->viewport()->mapFrom(m_view, inView)));
        m_securityActions->addToMenu(menu);
        offerOrderChange(row, menu);
        if (m_picksLink) {
            // In the window's order, however the rows were selected.
            QModelIndexList rows = m_view->selectionModel()->selectedRows();
            std::sort(rows.begin(), rows.end());
            QList<Record> selected;
            for (const QModelIndex& index : qAsConst(rows))
                selected << m_view->recordAt(index);
            m_picksLink->populateMenu(selected, menu);
        }
    }
    menu->addAction(m_findAction);
    menu->addAction(m_snapshot);
    if (m_currentSession)
        menu->addAction(m_currentSession);
    menu->addSeparator();
    m_view->populateActionsAt(inView, menu);
}

namespace {

QString instrumentTextId(const Record& row)
{
    if (row.isNull())
        return QString();
    return SecurityDirectory::i()->textIdById(row.data(QStringLiteral("stock_id")).toInteger(),
        row.data(QStringLiteral("board_id")).toInteger(), row.data(QStringLiteral("sec_id")).toInteger64());
}

} // namespace

QString TableWindow::instrumentOf(const TableWindow* window)
{
    return window ? instrumentTextId(window->view()->currentRecord()) : QString();
}

void TableWindow::offerOrderChange(const Record& order, QMenu* menu)
{
    if (order.isNull() || m_model->table()->name() != QLatin1String("orders")
        || order.data(QStringLiteral("status")).toInteger() != HostSchema::StatusActive)
        return;
    const int stock = order.data(QStringLiteral("stock_id")).toInteger();
    const int board = order.data(QStringLiteral("board_id")).toInteger();
    const qint64 sec = order.data(QStringLiteral("sec_id")).toInteger64();
    // The price as the orders window shows it, in the instrument's decimals ("78.50", not "78.5").
    decimal price = order.data(QStringLiteral("price")).toDecimal();
    const int decimals = SecurityDirectory::i()->decimalsById(stock, board, sec);
    if (decimals >= 0 && decimals >= price.scale())
        price = price.withScale(decimals);
    const Values values { { QStringLiteral("StockId"), stock }, { QStringLiteral("BoardId"), board },
        { QStringLiteral("Security"), SecurityDirectory::i()->codeById(stock, board, sec) },
        { QStringLiteral("Account"), order.data(QStringLiteral("account")).toString() },
        { QStringLiteral("Price"), price.toString() },
        { QStringLiteral("Quantity"), order.data(QStringLiteral("quantity")).toString() },
        { QStringLiteral("BuySell"), order.data(QStringLiteral("buysell")).toString() },
        { QStringLiteral("is_iceberg"),
            (order.data(QStringLiteral("signs")).toInteger64() & HostSchema::OrderSignIceberg) != 0 },
        { QStringLiteral("OrderId"), order.data(QStringLiteral("order_num")).toString() } };
    menu->addAction(
        tr("Изменить заявку %1...").arg(order.data(QStringLiteral("order_num")).toString()), this, [values] {
            if (OnlineDialog::showDialog())
                MoveOrderDialog::showDialog(values);
        });
    menu->addSeparator();
}

QSharedPointer<ExporterProxyModel> TableWindow::exportModel() const
{
    return wrapper()->createProxyModel(m_model, wrapper()->columnsExport());
}

void TableWindow::initCore(ICore*) { }

QList<IViewSettingsPage*> TableWindow::getSettingsPages(QObject* parent)
{
    QList<IViewSettingsPage*> pages = m_view->getSettingsPages(parent);
    pages << new FiltersSettingsPage(m_model->filtersModel(), parent);
    if (m_alerts)
        pages << m_alerts->settingsPages(TradeAlerts::caption(m_model->table()), parent);
    return pages;
}

QList<QAction*> TableWindow::getActions()
{
    return wrapper()->actions() << m_findAction;
}

void TableWindow::setPicks(InstrumentPicks* picks)
{
    if (auto* model = qobject_cast<IndexModelFilterRecord*>(m_model); model && !m_picksLink)
        m_picksLink = new PicksLink(model, m_view, picks);
}

void TableWindow::store(Settings& settings) const
{
    m_view->store(settings);
    if (m_alerts)
        m_alerts->store(settings);
    if (m_picksLink)
        m_picksLink->store(settings);
    if (m_instruments)
        m_instruments->writeSessionFilter(settings);
}

void TableWindow::restore(const Settings& defaults, const Settings& values)
{
    // The switch is read first so that the view's rebuild, when it makes one, is the only one.
    const int builds = m_model->buildNumber();
    const bool switched = m_instruments && m_instruments->sessionFilter()->read(values);
    // The alerts' keys are the window's own: a new sound is no reason for the view to read its rows again.
    const auto withoutAlerts = [](const Settings& settings) {
        MapSettings kept;
        for (const QString& key : settings.allKeys()) {
            if (!TableEventAlerts::ownsKey(key))
                kept.setValue(key, settings.value(key));
        }
        return kept;
    };
    const MapSettings viewDefaults = withoutAlerts(defaults);
    const MapSettings viewValues = withoutAlerts(values);
    // Defaults and values of the alerts alone leave the view nothing to restore (and empty defaults would have it
    // read its rows again).
    if (!viewDefaults.allKeys().isEmpty() || !viewValues.allKeys().isEmpty())
        m_view->restore(viewDefaults, viewValues);
    if (m_alerts)
        m_alerts->restore(defaults, values);
    if (m_picksLink)
        m_picksLink->restore(values);
    if (switched && builds > 0 && m_model->buildNumber() == builds)
        m_model->rebuild();
    m_layoutRestored = m_layoutRestored || viewValues.contains(QStringLiteral("Columns/all_columns"));
    // Before the first build the rows wait for ensureBuilt(), and the current record and scroll place with them.
    if (m_model->buildNumber() == 0)
        m_pendingPlace.reset(new MapSettings(viewValues.values()));
    else if (builds == 0)
        fitColumns();
    if (m_currentSession) {
        const QSignalBlocker quiet(m_currentSession);
        m_currentSession->setChecked(m_instruments->isSessionFilterEnabled());
    }
}

void TableWindow::ensureBuilt()
{
    if (m_model->buildNumber() > 0)
        return;
    m_model->rebuild();
    if (m_pendingPlace)
        m_view->restorePost(*m_pendingPlace);
    m_pendingPlace.reset();
    fitColumns();
}

void TableWindow::fitColumns()
{
    // A window without a stored layout fits its columns to the rows it first shows.
    if (m_layoutRestored)
        return;
    for (int column = 0; column < m_model->columnCount(); ++column)
        m_view->resizeColumnToContents(column);
}

void TableWindow::showEvent(QShowEvent* event)
{
    ensureBuilt();
    QWidget::showEvent(event);
}

void TableWindow::restoreDefault(const Settings& defaults, const Settings& values)
{
    if (!defaults.allKeys().isEmpty())
        restore(defaults, values);
    else if (m_alerts)
        // A new window's alerts start from their stored defaults (a delay of 10 s), not from construction's.
        m_alerts->restore(defaults, values);
}

QSize TableWindow::defaultSize() const
{
    return QSize(960, 420);
}

bool TableWindow::filterToInstruments(const QString& textIds)
{
    RowFiltersModel* filters = m_model->filtersModel();
    for (int row = 0; row < filters->rowCount(); ++row) {
        if (auto* instruments = qobject_cast<SecurityFilter*>(filters->at(row)))
            return presetFilter(instruments->name(), textIds);
    }
    return false;
}

bool TableWindow::presetFilter(const QString& name, const QString& value)
{
    RowFiltersModel* filters = m_model->filtersModel();
    for (int row = 0; row < filters->rowCount(); ++row) {
        Filter* filter = filters->at(row);
        if (filter->name() != name)
            continue;
        filter->setValue(value);
        if (!filter->hasValue())
            return false;
        filters->setFilterValueAndEnabled(row, filter->value(), true);
        return true;
    }
    return false;
}

void TableWindow::arrangeInstruments()
{
    // What a trader watches first: the instrument and its live prices; reference columns follow, the
    // descriptive ones and the quotes' own change fields are hidden (the header's menu shows them again).
    QHeaderView* header = m_view->header();
    int place = 0;
    for (const char* name : { "board_id", "sec_code", "sec_name", "last", "bid", "offer", "price_dir", "change_time",
             "volume", "settle_price", "min_price", "max_price", "price_step", "expdate" }) {
        const int column = m_model->columnIndex(QString::fromLatin1(name));
        header->moveSection(header->visualIndex(column), place++);
    }
    for (const char* name : { "stock_id", "sec_id", "sec_longname", "isin_id", "option_series_id", "decimals",
             "sess_id", "bid_dir", "bid_time", "offer_dir", "offer_time" })
        header->hideSection(m_model->columnIndex(QString::fromLatin1(name)));
}
