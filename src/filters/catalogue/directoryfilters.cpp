#include "filters/catalogue/directoryfilters.h"

#include "filters/catalogue/private/directoryfilters_p.h"

#include "core/db/appsettings.h"
#include "core/db/table.h"
#include "core/host/directories/enumdirectories.h"
#include "core/host/directories/stockdirectory.h"
#include "core/host/filters/lambdafilterfunc.h"
#include "core/host/icore.h"
#include "core/host/signalhub.h"
#include "filters/catalogue/maskfilter.h"
#include "filters/widgets/checklistfilterwidget.h"

#include <algorithm>
#include <vector>

// ---- DirectoryEnumFilter

DirectoryEnumFilter::DirectoryEnumFilter(Table& table, int column, const EnumDirectory* directory, QObject* parent)
    : EnumFilter(table, column, parent)
    , m_d(new DirectoryEnumFilterPrivate)
{
    m_d->directory = directory;
}

DirectoryEnumFilter::~DirectoryEnumFilter() = default;

QList<KeyValue> DirectoryEnumFilter::keys() const
{
    QList<KeyValue> all;
    for (const FieldValue& code : m_d->directory->keys()) {
        const KeyValue key = valueToKey(code.toString());
        if (!key.isEmpty())
            all << key;
    }
    return all;
}

QString DirectoryEnumFilter::keyToText(const KeyValue& key) const
{
    return key.isEmpty() ? QString() : m_d->directory->nameByKey(EnumDirectory::codeOf(key.first()));
}

BuySellFilter::BuySellFilter(Table& table, QObject* parent)
    : DirectoryEnumFilter(table, table.columnIndex(QStringLiteral("buysell")), BuySellDirectory::i(), parent)
{ }

QString BuySellFilter::name() const
{
    return tr("Тип операции");
}

StatusFilter::StatusFilter(Table& table, QObject* parent)
    : DirectoryEnumFilter(table, table.columnIndex(QStringLiteral("status")), StatusDirectory::i(), parent)
{ }

QString StatusFilter::name() const
{
    return tr("Состояние");
}

SecStateFilter::SecStateFilter(Table& table, QObject* parent)
    : DirectoryEnumFilter(table, table.columnIndex(QStringLiteral("state")), SecStateDirectory::i(), parent)
{ }

QString SecStateFilter::name() const
{
    return tr("Состояние");
}

SecTypeFilter::SecTypeFilter(Table& table, QObject* parent)
    : DirectoryEnumFilter(table, table.columnIndex(QStringLiteral("sectype")), SecTypeDirectory::i(), parent)
{ }

QString SecTypeFilter::name() const
{
    return tr("Тип");
}

// ---- InitiatorFilter

InitiatorFilter::InitiatorFilter(Table& table, int column, QObject* parent)
    : EnumFilter(table, column, parent)
{ }

QString InitiatorFilter::name() const
{
    return tr("Инициатор");
}

QList<KeyValue> InitiatorFilter::keys() const
{
    QList<KeyValue> all;
    for (int code = 0; code < 4; ++code)
        all << valueToKey(QString::number(code));
    return all;
}

QString InitiatorFilter::keyToText(const KeyValue& key) const
{
    if (key.isEmpty())
        return QString();
    switch (key.first().toInteger64()) {
    case 0:
        return tr("БФ");
    case 1:
        return tr("главный трейдер РФ");
    case 2:
        return tr("администратор КЦ");
    case 3:
        return tr("администратор ТС");
    default:
        return QString();
    }
}

// ---- StockFilter

StockFilter::StockFilter(Table& table, QObject* parent)
    : EnumFilter(table, table.columnIndex(QStringLiteral("stock_id")), parent)
{
    if (ICore::instance())
        connect(ICore::instance()->signalHub(), &SignalHub::selectedStockChanged, this, &Filter::asincChanged);
}

QString StockFilter::name() const
{
    return tr("Площадка");
}

bool StockFilter::firstMarketAllowed()
{
    return AppSettings(QStringLiteral("Kestrel2")).value(QStringLiteral("TARVEN"), false).toBool();
}

QList<KeyValue> StockFilter::keys() const
{
    return { valueToKey(QStringLiteral("1")) };
}

QString StockFilter::keyToText(const KeyValue& key) const
{
    return key.isEmpty() ? QString() : StockDirectory::i()->nameById(int(key.first().toInteger64()));
}

QString StockFilter::value() const
{
    QStringList shown;
    for (const KeyValue& key : keys()) {
        if (!hasKey(key))
            shown << keyToValue(key);
    }
    return shown.join(QLatin1Char('|'));
}

void StockFilter::setEnabled(bool enabled)
{
    if (!enabled && !firstMarketAllowed()) {
        clear(); // market 1 stays hidden by the predicate
        EnumFilter::setEnabled(true);
        return;
    }
    EnumFilter::setEnabled(enabled);
}

QWidget* StockFilter::createFilterWidget(QWidget* parent)
{
    return new StockFilterWidget(parent);
}

void StockFilter::init(QWidget* widget)
{
    if (!isEnabled())
        clear();
    EnumFilter::init(widget);
}

FilterFunc* StockFilter::createFilterFunc(QObject* parent) const
{
    std::vector<qint64> hidden;
    for (const KeyValue& key : excludedKeys())
        hidden.push_back(key.first().toInteger64());
    if (!firstMarketAllowed())
        hidden.push_back(1);
    std::sort(hidden.begin(), hidden.end());
    hidden.erase(std::unique(hidden.begin(), hidden.end()), hidden.end());
    const RawIntegerField stock(table(), column());
    return new LambdaFilterFunc(
        [stock, hidden](const Record& record) {
            return !std::binary_search(hidden.begin(), hidden.end(), qint64(qint32(stock.read(record))));
        },
        parent);
}
