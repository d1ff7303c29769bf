#pragma once

#include "core/host/widgets/combobox.h"

// The market of a form, from the stock directory; a filter may restrict it to some markets.
class BV_HOST_EXPORT StockSelectorBox : public ComboBox
{
    Q_OBJECT
public:
    explicit StockSelectorBox(QWidget* parent = nullptr);

    // False when the market is not listed.
    bool setStockId(int stock);
    // 0 when none is chosen.
    int getStockId() const;
    // Lists only these markets; empty lists all.
    void setStockIdFilter(const QList<int>& stocks);

Q_SIGNALS:
    void stockChanged(int stock);

private:
    void reload();

    QList<int> m_filter;
};
