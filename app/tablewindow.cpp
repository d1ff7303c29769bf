#include "tablewindow.h"

#include "core/db/datetime.h"
#include "core/db/table.h"
#include "delegates/catalogue/standardcolumndelegates.h"
#include "delegates/itemdelegateupdown.h"
#include "livepricecolumndelegate.h"
#include "models/tableindexmodel.h"
#include "views/qtablefastview.h"

#include <QHeaderView>
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

TableWindow::TableWindow(Table* table, QWidget* parent)
    : QWidget(parent)
    , m_model(new TableIndexModel(table, this))
    , m_view(new QTableFastView(this))
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_view);

    StandardColumnDelegates::install(m_model, table->name());
    if (table->name() == QLatin1String("securities"))
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
    if (table->name() == QLatin1String("securities"))
        arrangeInstruments();
}

void TableWindow::arrangeInstruments()
{
    // What a trader watches first: the instrument and its live prices; reference columns follow, the
    // descriptive ones are hidden (the header's menu shows them again).
    QHeaderView* header = m_view->header();
    int place = 0;
    for (const char* name : { "board_id", "sec_code", "sec_name", "last", "bid", "offer", "price_dir", "change_time",
             "volume", "settle_price", "min_price", "max_price", "price_step", "expdate" }) {
        const int column = m_model->columnIndex(QString::fromLatin1(name));
        header->moveSection(header->visualIndex(column), place++);
    }
    for (const char* name : { "stock_id", "sec_longname", "isin_id", "option_series_id", "decimals", "sess_id" })
        header->hideSection(m_model->columnIndex(QString::fromLatin1(name)));
}

void TableWindow::showLivePrices()
{
    m_flash = new ItemDelegateUpDown(ViewsColorManager::Securities, m_view);
    m_flash->setBacklight(true);
    for (const char* price : { "bid", "offer", "last" }) {
        const int column = m_model->columnIndex(QString::fromLatin1(price));
        m_model->setColumnDelegate(column, new LivePriceColumnDelegate(m_model));
        m_view->setItemDelegateForColumn(column, m_flash);
    }
    // Flashes fade against the clock.
    auto* clock = new QTimer(this);
    connect(clock, &QTimer::timeout, this, [this] { m_flash->updateDateTime(datetime::currentDateTime()); });
    clock->start(50);
    m_flash->updateDateTime(datetime::currentDateTime());
}
