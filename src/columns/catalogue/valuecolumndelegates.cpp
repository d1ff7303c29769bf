#include "columns/catalogue/valuecolumndelegates.h"

#include "columns/catalogue/private/valuecolumndelegates_p.h"

#include "core/db/variantutils.h"
#include "core/host/directories/securitydirectory.h"
#include "core/host/directories/volatdirectory.h"

#include <QTimer>

#include <cmath>

namespace {

const ColumnHeaderInfo noHeader { nullptr, nullptr, nullptr, nullptr, nullptr, false };
const ColumnHeaderInfo visibleHeader {};
const ColumnHeaderInfo profitRateHeader { QT_TRANSLATE_NOOP("ColumnDelegates", "Доходность"), "profit_rate", nullptr,
    QT_TRANSLATE_NOOP("ColumnDelegates", "Доходность по фьючерсам на процентные ставки"), "9,75" };

bool isShown(int role)
{
    return role == Qt::DisplayRole || role == Qt::EditRole;
}

} // namespace

InstrumentValueDelegate::InstrumentValueDelegate(
    const ColumnHeaderInfo& header, const InstrumentColumns& instrument, QObject* parent)
    : InstrumentValueDelegate(*new InstrumentValueDelegatePrivate(header, FieldType::Decimal, -1), instrument, parent)
{ }

InstrumentValueDelegate::InstrumentValueDelegate(
    InstrumentValueDelegatePrivate& dd, const InstrumentColumns& instrument, QObject* parent)
    : CatalogueDelegate(dd, parent)
{
    dd.directory = SecurityDirectory::i();
    dd.instrument = instrument;
    follow(dd.directory);
}

const SecurityDirectory* InstrumentValueDelegate::directory() const
{
    return d_func()->directory;
}

const InstrumentColumns& InstrumentValueDelegate::instrument() const
{
    return d_func()->instrument;
}

PriceColumnDelegate::PriceColumnDelegate(ItemModelWithDelegates* model)
    : InstrumentValueDelegate(noHeader, InstrumentColumns::of(model), model)
{ }

PriceColumnDelegate::PriceColumnDelegate(int stockColumn, int boardColumn, int secColumn, ItemModelWithDelegates* model)
    : InstrumentValueDelegate(noHeader, { stockColumn, boardColumn, secColumn }, model)
{ }

decimal PriceColumnDelegate::price(const Field& field, const Record& record) const
{
    if (field.isNull())
        return decimal::minimum();
    const decimal stored = field.toDecimal();
    const int decimals = directory()->decimalsById(
        instrument().stockOf(record), instrument().boardOf(record), instrument().secOf(record));
    if (decimals < 0)
        return stored;
    try {
        return stored.withScale(decimals);
    } catch (const QString&) {
        return stored; // a price too large for the instrument's decimals keeps its own
    }
}

bool PriceColumnDelegate::data(const Field& field, const Record& record, int role, QVariant& value) const
{
    if (!isShown(role))
        return false;
    value = QVariant::fromValue(price(field, record));
    return true;
}

MMSpreadColumnDelegate::MMSpreadColumnDelegate(ItemModelWithDelegates* model)
    : PriceColumnDelegate(model)
{ }

bool MMSpreadColumnDelegate::data(const Field& field, const Record& record, int role, QVariant& value) const
{
    if (!isShown(role))
        return false;
    if (field.toDouble() > 0)
        value = QVariant::fromValue(price(field, record));
    else
        value = QString();
    return true;
}

DealValueDelegate::DealValueDelegate(int priceColumn, int quantityColumn, QObject* parent)
    : DealValueDelegate(
        *new DealValueDelegatePrivate(visibleHeader, FieldType::Decimal, -1), priceColumn, quantityColumn, parent)
{ }

DealValueDelegate::DealValueDelegate(DealValueDelegatePrivate& dd, int priceColumn, int quantityColumn, QObject* parent)
    : CatalogueDelegate(dd, parent)
{
    dd.priceColumn = priceColumn;
    dd.quantityColumn = quantityColumn;
}

bool DealValueDelegate::data(const Field&, const Record& record, int role, QVariant& value) const
{
    if (!isShown(role))
        return false;
    qint64 kopecks = 0;
    value = QVariant::fromValue(kopecksOf(record, kopecks) ? decimal(kopecks, 2) : decimal::minimum());
    return true;
}

bool DealValueDelegate::compare(const Field&, const Record& r1, const Field&, const Record& r2, int& result) const
{
    // A value that cannot be told sorts below every value, as an empty decimal does.
    qint64 a = 0;
    qint64 b = 0;
    const bool hasA = kopecksOf(r1, a);
    const bool hasB = kopecksOf(r2, b);
    result = hasA != hasB ? (hasA ? 1 : -1) : (a < b ? -1 : (a > b ? 1 : 0));
    return true;
}

bool DealValueDelegate::kopecksOf(const Record& record, qint64& kopecks) const
{
    Q_D(const DealValueDelegate);
    const Field price = record.data(d->priceColumn);
    const Field quantity = record.data(d->quantityColumn);
    qint64 lots = 0;
    return !price.isNull() && !quantity.isNull() && lotSize(record, lots)
        && valueInKopecks(quantity.toDecimal(), price.toDecimal(), lots, kopecks);
}

bool DealValueDelegate::valueInKopecks(const decimal& quantity, const decimal& price, qint64 lots, qint64& kopecks)
{
    // Money is counted exactly: the mantissas multiplied in 128 bits, then cut (not rounded) to whole kopecks.
    using FixedPointDetail::Int128;
    if (quantity.isEmpty() || price.isEmpty())
        return false;
    Int128 product = 0;
    if (__builtin_mul_overflow(Int128(quantity.mantissa()), Int128(price.mantissa()), &product)
        || __builtin_mul_overflow(product, Int128(lots) * 100, &product))
        return false;
    product /= FixedPointDetail::pow10(quantity.scale() + price.scale());
    if (product < std::numeric_limits<qint64>::min() + 1 || product > std::numeric_limits<qint64>::max())
        return false;
    kopecks = qint64(product);
    return true;
}

ValueColumnDelegate::ValueColumnDelegate(ItemModelWithDelegates* model)
    : DealValueDelegate(*new ValueColumnDelegatePrivate(visibleHeader, FieldType::Decimal, -1),
        fieldIndex(model, "price"), fieldIndex(model, "quantity"), model)
{
    Q_D(ValueColumnDelegate);
    d->directory = SecurityDirectory::i();
    d->instrument = InstrumentColumns::of(model);
    follow(d->directory);
}

bool ValueColumnDelegate::lotSize(const Record& record, qint64& lots) const
{
    Q_D(const ValueColumnDelegate);
    return d->directory->lotSizeById(
        d->instrument.stockOf(record), d->instrument.boardOf(record), d->instrument.secOf(record), lots);
}

All_DealsValueColumnDelegate::All_DealsValueColumnDelegate(ItemModelWithDelegates* model)
    : DealValueDelegate(*new All_DealsValueColumnDelegatePrivate(visibleHeader, FieldType::Decimal, -1),
        fieldIndex(model, "price"), fieldIndex(model, "quantity"), model)
{
    d_func()->lotColumn = fieldIndex(model, "lotsize");
}

bool All_DealsValueColumnDelegate::lotSize(const Record& record, qint64& lots) const
{
    const Field lotsize = record.data(d_func()->lotColumn);
    if (lotsize.isNull())
        return false;
    lots = lotsize.toInteger64();
    return true;
}

ProfitRateDelegate::ProfitRateDelegate(ItemModelWithDelegates* model)
    : InstrumentValueDelegate(profitRateHeader, InstrumentColumns::of(model), model)
{ }

ProfitRateDelegate::ProfitRateDelegate(int stockColumn, int boardColumn, int secColumn, ItemModelWithDelegates* model)
    : InstrumentValueDelegate(profitRateHeader, { stockColumn, boardColumn, secColumn }, model)
{ }

bool ProfitRateDelegate::data(const Field& field, const Record& record, int role, QVariant& value) const
{
    if (!isShown(role) || field.isNull())
        return false;
    decimal rate;
    if (!directory()->profitRateById(field.toDouble(), instrument().stockOf(record), instrument().boardOf(record),
            instrument().secOf(record), rate))
        return false;
    value = QVariant::fromValue(rate);
    return true;
}

VolatBySecIdDelegate::VolatBySecIdDelegate(ItemModelWithDelegates* model)
    : InstrumentValueDelegate(
        *new VolatBySecIdDelegatePrivate(visibleHeader, FieldType::Decimal, -1), InstrumentColumns::of(model), model)
{
    requireColumns({ instrument().stock, instrument().board, instrument().sec }, __LINE__);
}

VolatBySecIdDelegate::VolatBySecIdDelegate(
    ItemModelWithDelegates* model, ByIdFunc func, const int& parameter, int multiplierColumn)
    : VolatBySecIdDelegate(model)
{
    Q_D(VolatBySecIdDelegate);
    d->byId = func;
    d->parameter = &parameter;
    d->multiplierColumn = multiplierColumn;
    connect(SecurityDirectory::i()->getCalcVolatTimer(), &QTimer::timeout, this, &ColumnModelDelegate::dataChanged);
}

VolatBySecIdDelegate::VolatBySecIdDelegate(ItemModelWithDelegates* model, ByKeyFunc func)
    : VolatBySecIdDelegate(model)
{
    d_func()->byKey = func;
    follow(VolatDirectory::i());
}

QVariant VolatBySecIdDelegate::volatility(const Record& record) const
{
    Q_D(const VolatBySecIdDelegate);
    if (instrument().stockOf(record) != 1)
        return QVariant();
    const int board = instrument().boardOf(record);
    const qint64 sec = instrument().secOf(record);
    decimal result;
    if (d->byKey) {
        result = (directory()->*d->byKey)(1, board, sec);
    } else {
        if (board != 14 && board != 15)
            return QVariant();
        result = (directory()->*d->byId)(sec, *d->parameter);
        if (d->multiplierColumn >= 0) {
            try {
                result *= decimal(record.data(d->multiplierColumn).toInteger64(), 0);
            } catch (const QString&) {
                return QVariant(); // no volatility is that large: a broken multiplier shows nothing
            }
        }
    }
    return result.isEmpty() ? QVariant() : QVariant::fromValue(result);
}

bool VolatBySecIdDelegate::data(const Field&, const Record& record, int role, QVariant& value) const
{
    if (role != Qt::DisplayRole)
        return false;
    value = volatility(record);
    return true;
}

bool VolatBySecIdDelegate::compare(const Field&, const Record& r1, const Field&, const Record& r2, int& result) const
{
    result = variant_compare(volatility(r1), volatility(r2), Qt::CaseSensitive);
    return true;
}
