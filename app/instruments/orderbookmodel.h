#pragma once

#include "core/db/decimal.h"
#include "core/host/securitykey.h"

#include <QAbstractTableModel>
#include <QTimer>
#include <QVector>

class Table;
class TableIndexModel;

// The order book of one instrument as its quotes window shows it: the price levels of the exchange's resting
// orders (active, with lots left), highest price first, each with the lots bid and offered there and the lots of
// the trader's own orders (those entered under the trader's login) among them.
//
// It follows the orders table through a live model of the instrument's orders and settles the levels a
// moment after they change, at most every SettleMs: a busy book costs its window a few updates a second, whatever
// the feed's rate. Settling compares the new levels with the shown ones and signals only the difference (rows
// inserted, removed or changed in place).
class OrderBookModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    enum Column { OwnBuy, Buy, Price, Sell, OwnSell, ColumnCount };
    struct Level
    {
        decimal price;
        qint64 buy = 0;
        qint64 sell = 0;
        qint64 ownBuy = 0;
        qint64 ownSell = 0;
        bool operator==(const Level& o) const
        {
            return price == o.price && buy == o.buy && sell == o.sell && ownBuy == o.ownBuy && ownSell == o.ownSell;
        }
        bool operator!=(const Level& o) const { return !(*this == o); }
    };
    static constexpr int SettleMs = 100;

    OrderBookModel(Table* orders, const SecurityKey& key, const QString& ownLogin, QObject* parent = nullptr);

    SecurityKey key() const { return m_key; }
    const QVector<Level>& levels() const { return m_levels; }
    // The row of the highest bid; -1 when nobody bids.
    int bestBidRow() const;
    // Takes the resting orders as they are now, without waiting.
    void settle();

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    QVector<Level> collect() const;
    void onOrdersChanged();

    SecurityKey m_key;
    QString m_ownLogin;
    TableIndexModel* m_orders; // child: the instrument's orders
    int m_priceField;
    int m_sideField;
    int m_balanceField;
    int m_loginField;
    int m_statusField;
    int m_decimals;
    QVector<Level> m_levels;
    QTimer m_settle;
};
