#include "tablewindow.h"

#include "core/db/datetime.h"
#include "core/db/settings.h"
#include "core/db/table.h"
#include "core/host/directories/securitydirectory.h"
#include "core/host/schema/hostschema.h"
#include "delegates/catalogue/standardcolumndelegates.h"
#include "delegates/itemdelegate.h"
#include "delegates/itemdelegateupdown.h"
#include "export/exporterproxymodel.h"
#include "filters/catalogue/standardfilters.h"
#include "filters/enumfilter.h"
#include "filters/rowfiltersmodel.h"
#include "livepricecolumndelegate.h"
#include "models/tableindexmodel.h"
#include "orders/moveorderdialog.h"
#include "views/headersettings/tableheadermodel.h"
#include "views/headersettings/tableheadersettingspage.h"
#include "views/qtablefastview.h"
#include "views/viewwrappertable.h"

#include <QHeaderView>
#include <QMenu>
#include <QTimer>
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
    : QWidget(parent)
    , m_model(new TableIndexModel(table, this))
    , m_view(new QTableFastView(this))
    , m_wrapper(new ViewWrapperTable(this, m_view))
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_view);
    // Every cell through the library's painter: the database's value texts, one decimal point, the pixmap cache.
    m_view->setItemDelegate(new ItemDelegate(m_view));
    offerColumnMenu();

    StandardColumnDelegates::install(m_model, table->name());
    for (Filter* filter : StandardFilters::create(*table, m_model))
        m_model->filtersModel()->addFilter(filter);
    m_view->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(m_view, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
        QMenu menu(this);
        populateActionsAt(at, &menu);
        menu.exec(m_view->viewport()->mapToGlobal(at));
    });
    const bool quotes = table->name() == QLatin1String("securities") && arrangement == Arrangement::Trading;
    if (quotes)
        showLivePrices();
    int sortColumn = 0;
    Qt::SortOrder sortOrder = Qt::AscendingOrder;
    for (const Opening& o : openings) {
        if (table->name() == QLatin1String(o.table)) {
            sortColumn = table->columnIndex(QString::fromLatin1(o.column));
            sortOrder = o.order;
        }
    }
    m_model->setSort(sortColumn, sortOrder);
    m_model->rebuild();
    m_view->setModel(m_model);
    m_view->setPaintBufferEnabled(true);
    m_view->header()->setSortIndicator(sortColumn, sortOrder);
    m_view->setSortingEnabled(true);
    for (int column = 0; column < m_model->columnCount(); ++column)
        m_view->resizeColumnToContents(column);
    if (quotes)
        arrangeInstruments();
}

void TableWindow::offerColumnMenu()
{
    // The header's menu shows and hides columns; the last shown one stays.
    QHeaderView* header = m_view->header();
    header->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(header, &QWidget::customContextMenuRequested, this, [this, header](const QPoint& at) {
        QMenu menu(this);
        const int shown = header->count() - header->hiddenSectionCount();
        for (int visual = 0; visual < header->count(); ++visual) {
            const int column = header->logicalIndex(visual);
            QAction* action = menu.addAction(m_model->headerData(column, Qt::Horizontal).toString());
            action->setCheckable(true);
            action->setChecked(!header->isSectionHidden(column));
            action->setEnabled(header->isSectionHidden(column) || shown > 1);
            connect(action, &QAction::toggled, header, [header, column](bool on) {
                header->setSectionHidden(column, !on);
                if (on && header->sectionSize(column) < header->minimumSectionSize() * 2)
                    header->resizeSection(column, header->defaultSectionSize());
            });
        }
        menu.exec(header->mapToGlobal(at));
    });
}

void TableWindow::populateFilterMenu(QMenu* menu)
{
    // Enumerations are check lists of their keys (a checked key is shown); other filters are shown with their
    // value and can be turned off.
    RowFiltersModel* filters = m_model->filtersModel();
    QMenu* filterMenu = menu->addMenu(tr("Фильтр"));
    for (int row = 0; row < filters->rowCount(); ++row) {
        Filter* filter = filters->at(row);
        if (auto* enumeration = qobject_cast<EnumFilter*>(filter)) {
            QMenu* keys = filterMenu->addMenu(filter->name());
            for (const KeyValue& key : enumeration->keys()) {
                QAction* action = keys->addAction(enumeration->keyToText(key));
                action->setCheckable(true);
                action->setChecked(!enumeration->isEnabled() || !enumeration->hasKey(key));
                connect(action, &QAction::toggled, this, [filters, enumeration, key, row](bool shown) {
                    if (!enumeration->isEnabled())
                        enumeration->clear();
                    if (shown)
                        enumeration->removeKey(key);
                    else
                        enumeration->addKey(key);
                    filters->setFilterValueAndEnabled(row, enumeration->value(), enumeration->hasValue());
                });
            }
        } else if (filter->isEnabled()) {
            QAction* off = filterMenu->addAction(tr("Снять: %1 — %2").arg(filter->name(), filter->text()));
            connect(off, &QAction::triggered, this, [filters, row] { filters->setFilterEnabled(row, false); });
        }
    }
    filterMenu->addSeparator();
    QAction* clearAll = filterMenu->addAction(tr("Снять все фильтры"));
    connect(clearAll, &QAction::triggered, this, [filters] {
        for (int row = 0; row < filters->rowCount(); ++row)
            filters->setFilterEnabled(row, false);
    });
}

void TableWindow::populateActionsAt(const QPoint& at, QMenu* menu)
{
    offerOrderChange(m_model->recordByIndex(m_view->indexAt(at)), menu);
    populateFilterMenu(menu);
    menu->addSeparator();
    menu->addActions(getActions());
}

void TableWindow::offerOrderChange(const Record& order, QMenu* menu)
{
    if (order.isNull() || m_model->table()->name() != QLatin1String("orders")
        || order.data(QStringLiteral("status")).toInteger() != HostSchema::StatusActive)
        return;
    const int stock = order.data(QStringLiteral("stock_id")).toInteger();
    const int board = order.data(QStringLiteral("board_id")).toInteger();
    const Values values { { QStringLiteral("StockId"), stock }, { QStringLiteral("BoardId"), board },
        { QStringLiteral("Security"),
            SecurityDirectory::i()->codeById(stock, board, order.data(QStringLiteral("sec_id")).toInteger()) },
        { QStringLiteral("Account"), order.data(QStringLiteral("account")).toString() },
        { QStringLiteral("Price"), order.data(QStringLiteral("price")).toString() },
        { QStringLiteral("Quantity"), order.data(QStringLiteral("quantity")).toString() },
        { QStringLiteral("BuySell"), order.data(QStringLiteral("buysell")).toString() },
        { QStringLiteral("is_iceberg"),
            (order.data(QStringLiteral("signs")).toInteger64() & HostSchema::OrderSignIceberg) != 0 },
        { QStringLiteral("OrderId"), order.data(QStringLiteral("order_num")).toString() } };
    menu->addAction(tr("Изменить заявку %1...").arg(order.data(QStringLiteral("order_num")).toString()), this,
        [values] { MoveOrderDialog::showDialog(values); });
    menu->addSeparator();
}

QSharedPointer<ExporterProxyModel> TableWindow::exportModel() const
{
    return m_wrapper->createProxyModel(m_model, m_wrapper->columnsExport());
}

void TableWindow::initCore(ICore*) { }

QList<IViewSettingsPage*> TableWindow::getSettingsPages(QObject* parent)
{
    auto* columns = new TableHeaderModel(m_model, parent);
    return { new TableHeaderSettingsPage(columns, parent) };
}

QList<QAction*> TableWindow::getActions()
{
    return m_wrapper->actions();
}

void TableWindow::store(Settings& settings) const
{
    ItemModelWithDelegates::storeHeader(m_view->header(), m_model, settings);
    m_model->write(settings);
    m_wrapper->store(settings);
}

void TableWindow::restore(const Settings& defaults, const Settings& values)
{
    const Settings& layout = values.contains(QStringLiteral("all_columns")) ? values : defaults;
    if (layout.contains(QStringLiteral("all_columns")))
        ItemModelWithDelegates::restoreHeader(m_view->header(), m_model, layout);
    // The filters are read quietly: one rebuild takes them all.
    if (values.childGroups().contains(QStringLiteral("filters"))) {
        m_model->read(values);
        m_model->rebuild();
    }
    m_wrapper->restore(values);
}

void TableWindow::restoreDefault(const Settings& defaults, const Settings& values)
{
    if (!defaults.allKeys().isEmpty())
        restore(defaults, values);
}

QSize TableWindow::defaultSize() const
{
    return QSize(960, 420);
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

void TableWindow::showLivePrices()
{
    m_flash = new ItemDelegateUpDown(ViewsColorManager::Securities, m_view);
    m_flash->setBacklight(true);
    // Each price flashes by its own change.
    struct Live
    {
        const char* price;
        const char* time;
        const char* direction;
    };
    for (const Live& live : { Live { "bid", "bid_time", "bid_dir" }, Live { "offer", "offer_time", "offer_dir" },
             Live { "last", "change_time", "price_dir" } }) {
        const int column = m_model->columnIndex(QString::fromLatin1(live.price));
        m_model->setColumnDelegate(column, new LivePriceColumnDelegate(m_model, live.time, live.direction));
        m_view->setItemDelegateForColumn(column, m_flash);
    }
    // Flashes fade against the clock.
    auto* clock = new QTimer(this);
    connect(clock, &QTimer::timeout, this, [this] { m_flash->updateDateTime(datetime::currentDateTime()); });
    clock->start(50);
    m_flash->updateDateTime(datetime::currentDateTime());
}
