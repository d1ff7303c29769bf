#include "core/host/selectors/stockselectorbox.h"

#include "core/host/directories/stockdirectory.h"

#include <QSignalBlocker>

StockSelectorBox::StockSelectorBox(QWidget* parent)
    : ComboBox(parent)
{
    setToolTip(tr("Рынок"));
    connect(StockDirectory::i(), &TableDirectory::dataChanged, this, &StockSelectorBox::reload);
    connect(
        this, QOverload<int>::of(&QComboBox::currentIndexChanged), this, [this] { Q_EMIT stockChanged(getStockId()); });
    reload();
}

bool StockSelectorBox::setStockId(int stock)
{
    return setCurrentData(stock);
}

int StockSelectorBox::getStockId() const
{
    return currentData().toInt();
}

void StockSelectorBox::setStockIdFilter(const QList<int>& stocks)
{
    m_filter = stocks;
    reload();
}

void StockSelectorBox::reload()
{
    const int keep = getStockId();
    const StockDirectory* directory = StockDirectory::i();
    QList<int> ids = directory->ids();
    std::sort(ids.begin(), ids.end(), [directory](int a, int b) {
        return directory->nameByIdAs(a).compare(directory->nameByIdAs(b), Qt::CaseInsensitive) < 0;
    });
    {
        const QSignalBlocker block(this);
        clear();
        for (int id : qAsConst(ids)) {
            if (m_filter.isEmpty() || m_filter.contains(id))
                addItem(directory->nameByIdAs(id), id);
        }
        if (!setStockId(keep) && count() > 0)
            setCurrentIndex(0);
    }
    if (getStockId() != keep)
        Q_EMIT stockChanged(getStockId());
}
