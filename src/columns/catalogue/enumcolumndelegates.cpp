#include "columns/catalogue/enumcolumndelegates.h"

#include "columns/catalogue/private/enumcolumndelegates_p.h"

#include "core/host/directories/enumdirectories.h"
#include "core/host/directories/sessiondirectory.h"

#include <QColor>

namespace {

const ColumnHeaderInfo noHeader { nullptr, nullptr, nullptr, nullptr, nullptr, false };
const ColumnHeaderInfo textTypeHeader { nullptr, nullptr, "VarChar" };
const ColumnHeaderInfo visibleHeader {};

} // namespace

EnumColumnDelegate::EnumColumnDelegate(
    const ColumnHeaderInfo& header, const EnumDirectory* directory, Order order, bool describe, QObject* parent)
    : EnumColumnDelegate(
        *new EnumColumnDelegatePrivate(header, FieldType::String, -1), directory, order, describe, parent)
{ }

EnumColumnDelegate::EnumColumnDelegate(
    EnumColumnDelegatePrivate& dd, const EnumDirectory* directory, Order order, bool describe, QObject* parent)
    : TextColumnDelegate(dd, order, parent)
{
    dd.directory = directory;
    dd.describe = describe;
    follow(directory);
}

const EnumDirectory* EnumColumnDelegate::directory() const
{
    return d_func()->directory;
}

bool EnumColumnDelegate::text(const Field& field, const Record&, QString& text) const
{
    text = d_func()->directory->nameByKey(field);
    return true;
}

bool EnumColumnDelegate::data(const Field& field, const Record& record, int role, QVariant& value) const
{
    Q_D(const EnumColumnDelegate);
    if (role != Qt::ToolTipRole || !d->describe)
        return TextColumnDelegate::data(field, record, role, value);
    value = d->directory->descrByKey(field);
    return true;
}

SecTypeColumnDelegate::SecTypeColumnDelegate(QObject* parent)
    : EnumColumnDelegate(noHeader, SecTypeDirectory::i(), FieldOrder, true, parent)
{ }

SecStateColumnDelegate::SecStateColumnDelegate(QObject* parent)
    : EnumColumnDelegate(noHeader, SecStateDirectory::i(), FieldOrder, true, parent)
{ }

SessStateColumnDelegate::SessStateColumnDelegate(QObject* parent)
    : EnumColumnDelegate(noHeader, SessStateDirectory::i(), FieldOrder, true, parent)
{ }

PriceDirectionColumnDelegate::PriceDirectionColumnDelegate(QObject* parent)
    : EnumColumnDelegate(textTypeHeader, PriceDirectionDirectory::i(), TextOrder, false, parent)
{ }

OptionTypeColumnDelegate::OptionTypeColumnDelegate(QObject* parent)
    : EnumColumnDelegate(textTypeHeader, OptioTypeDirectory::i(), TextOrder, false, parent)
{ }

OptionCalcColumnDelegate::OptionCalcColumnDelegate(QObject* parent)
    : EnumColumnDelegate(textTypeHeader, OptioCalcDirectory::i(), TextOrder, false, parent)
{ }

BuySellColumnDelegate::BuySellColumnDelegate(QObject* parent)
    : EnumColumnDelegate(visibleHeader, BuySellDirectory::i(), FieldOrder, false, parent)
{ }

bool BuySellColumnDelegate::text(const Field& field, const Record&, QString& text) const
{
    const QStringView side = field.toStringView();
    if (side.isEmpty())
        return false;
    text = directory()->nameByKey(side.front().unicode());
    return true;
}

StatusColumnDelegate::StatusColumnDelegate(ItemModelWithDelegates* model)
    : EnumColumnDelegate(*new StatusColumnDelegatePrivate(noHeader, FieldType::String, -1), StatusDirectory::i(),
        FieldOrder, false, model)
{
    Q_D(StatusColumnDelegate);
    d->sessions = SessionDirectory::i();
    d->stockColumn = fieldIndex(model, "stock_id");
    d->sessColumn = fieldIndex(model, "sess_id");
    follow(d->sessions);
}

bool StatusColumnDelegate::data(const Field& field, const Record& record, int role, QVariant& value) const
{
    if (role != Qt::ForegroundRole && role != Qt::ToolTipRole)
        return EnumColumnDelegate::data(field, record, role, value);
    Q_D(const StatusColumnDelegate);
    const int stock = record.data(d->stockColumn).toInteger();
    const int sess = record.data(d->sessColumn).toInteger();
    const bool earlier = sess != d->sessions->getMaxSessId(stock);
    if (role == Qt::ForegroundRole) {
        if (!earlier)
            return false;
        value = QColor(Qt::gray);
        return true;
    }
    const QString description = directory()->descrByKey(field);
    value = earlier ? translated(QT_TRANSLATE_NOOP("ColumnDelegates", "%1 (сессия %2)"))
                          .arg(description, d->sessions->nameById(stock, sess))
                    : description;
    return true;
}
