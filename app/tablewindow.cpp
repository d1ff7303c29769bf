#include "tablewindow.h"

#include "datetime.h"
#include "itemdelegateupdown.h"
#include "livepricecolumndelegate.h"
#include "qtablefastview.h"
#include "standardcolumndelegates.h"
#include "table.h"
#include "tableindexmodel.h"

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
    for (const Opening& o : openings) {
        if (table->name() == QLatin1String(o.table))
            m_model->setSort(table->columnIndex(QString::fromLatin1(o.column)), o.order);
    }
    m_model->rebuild();
    m_view->setModel(m_model);
    m_view->setPaintBufferEnabled(true);
    m_view->setSortingEnabled(true);
    for (int column = 0; column < m_model->columnCount(); ++column)
        m_view->resizeColumnToContents(column);
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
