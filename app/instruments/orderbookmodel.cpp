#include "orderbookmodel.h"

#include "instrumentrows.h"

#include "core/db/table.h"
#include "core/host/directories/securitydirectory.h"
#include "core/host/schema/hostschema.h"
#include "models/tableindexmodel.h"

#include <QBrush>
#include <QFont>
#include <functional>
#include <map>

OrderBookModel::OrderBookModel(Table* orders, const SecurityKey& key, const QString& ownLogin, QObject* parent)
    : QAbstractTableModel(parent)
    , m_key(key)
    , m_ownLogin(ownLogin)
    , m_orders(instrumentRows(orders, { key }, QStringLiteral("order_num"), this))
    , m_priceField(orders->columnIndex(QStringLiteral("price")))
    , m_sideField(orders->columnIndex(QStringLiteral("buysell")))
    , m_balanceField(orders->columnIndex(QStringLiteral("balance")))
    , m_loginField(orders->columnIndex(QStringLiteral("login")))
    , m_statusField(orders->columnIndex(QStringLiteral("status")))
    , m_decimals(qMax(0, SecurityDirectory::i()->decimalsById(key.stock, key.board, key.sec)))
{
    m_levels = collect();

    m_settle.setSingleShot(true);
    m_settle.setInterval(SettleMs);
    connect(&m_settle, &QTimer::timeout, this, &OrderBookModel::settle);
    for (const auto signal : { &QAbstractItemModel::rowsInserted, &QAbstractItemModel::rowsRemoved })
        connect(m_orders, signal, this, &OrderBookModel::onOrdersChanged);
    connect(m_orders, &QAbstractItemModel::dataChanged, this, &OrderBookModel::onOrdersChanged);
    connect(m_orders, &QAbstractItemModel::modelReset, this, &OrderBookModel::onOrdersChanged);
}

void OrderBookModel::onOrdersChanged()
{
    if (!m_settle.isActive())
        m_settle.start();
}

QVector<OrderBookModel::Level> OrderBookModel::collect() const
{
    std::map<decimal, Level, std::greater<decimal>> byPrice;
    for (int row = 0; row < m_orders->rowCount(); ++row) {
        const Record& order = m_orders->at(row);
        const qint64 lots = order.data(m_balanceField).toInteger64();
        if (lots <= 0 || order.data(m_statusField).toInteger() != HostSchema::StatusActive)
            continue;
        const decimal price = order.data(m_priceField).toDecimal().withScale(m_decimals);
        Level& level = byPrice[price];
        level.price = price;
        const bool buy = order.data(m_sideField).toChar() == QLatin1Char('B');
        (buy ? level.buy : level.sell) += lots;
        if (!m_ownLogin.isEmpty() && order.data(m_loginField).toString() == m_ownLogin)
            (buy ? level.ownBuy : level.ownSell) += lots;
    }
    QVector<Level> levels;
    levels.reserve(int(byPrice.size()));
    for (const auto& level : byPrice)
        levels << level.second;
    return levels;
}

void OrderBookModel::settle()
{
    m_settle.stop();
    const QVector<Level> fresh = collect();
    // Both lists run from the highest price down: walk them side by side, the shown one changing as it goes.
    int row = 0;
    for (const Level& level : fresh) {
        while (row < m_levels.size() && m_levels.at(row).price > level.price) {
            beginRemoveRows(QModelIndex(), row, row);
            m_levels.remove(row);
            endRemoveRows();
        }
        if (row < m_levels.size() && m_levels.at(row).price == level.price) {
            if (m_levels.at(row) != level) {
                m_levels[row] = level;
                Q_EMIT dataChanged(index(row, 0), index(row, ColumnCount - 1));
            }
        } else {
            beginInsertRows(QModelIndex(), row, row);
            m_levels.insert(row, level);
            endInsertRows();
        }
        ++row;
    }
    if (row < m_levels.size()) {
        beginRemoveRows(QModelIndex(), row, m_levels.size() - 1);
        m_levels.resize(row);
        endRemoveRows();
    }
}

int OrderBookModel::bestBidRow() const
{
    for (int row = 0; row < m_levels.size(); ++row) {
        if (m_levels.at(row).buy > 0)
            return row;
    }
    return -1;
}

int OrderBookModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_levels.size();
}

int OrderBookModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant OrderBookModel::data(const QModelIndex& index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid))
        return QVariant();
    const Level& level = m_levels.at(index.row());
    const qint64 lots[] = { level.ownBuy, level.buy, 0, level.sell, level.ownSell };
    switch (role) {
    case Qt::DisplayRole:
        if (index.column() == Price)
            return level.price.toString();
        return lots[index.column()] ? QString::number(lots[index.column()]) : QString();
    case Qt::TextAlignmentRole:
        return int((index.column() == Price ? Qt::AlignHCenter : Qt::AlignRight) | Qt::AlignVCenter);
    case Qt::BackgroundRole:
        // Offers above, bids below, as a trader reads a book; the own orders' lots stand out.
        if ((index.column() == OwnBuy || index.column() == OwnSell) && lots[index.column()])
            return QBrush(QColor(255, 236, 160));
        if (index.column() == Buy && level.buy)
            return QBrush(QColor(214, 232, 255));
        if (index.column() == Sell && level.sell)
            return QBrush(QColor(255, 220, 220));
        return QVariant();
    case Qt::FontRole:
        if (level.ownBuy || level.ownSell) {
            QFont bold;
            bold.setBold(true);
            return bold;
        }
        return QVariant();
    default:
        return QVariant();
    }
}

QVariant OrderBookModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 || section >= ColumnCount)
        return QAbstractTableModel::headerData(section, orientation, role);
    switch (section) {
    case OwnBuy:
    case OwnSell:
        return tr("Мои");
    case Buy:
        return tr("Покупка");
    case Price:
        return tr("Цена");
    default:
        return tr("Продажа");
    }
}
