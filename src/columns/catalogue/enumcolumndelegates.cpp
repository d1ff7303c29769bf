#include "columns/catalogue/enumcolumndelegates.h"

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
    : TextColumnDelegate(header, order, parent)
    , m_directory(directory)
    , m_describe(describe)
{
    follow(m_directory);
}

bool EnumColumnDelegate::text(const Field& field, const Record&, QString& text) const
{
    text = m_directory->nameByKey(field);
    return true;
}

bool EnumColumnDelegate::data(const Field& field, const Record& record, int role, QVariant& value) const
{
    if (role != Qt::ToolTipRole || !m_describe)
        return TextColumnDelegate::data(field, record, role, value);
    value = m_directory->descrByKey(field);
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
    : EnumColumnDelegate(noHeader, StatusDirectory::i(), FieldOrder, false, model)
    , m_sessions(SessionDirectory::i())
    , m_stockColumn(fieldIndex(model, "stock_id"))
    , m_sessColumn(fieldIndex(model, "sess_id"))
{
    follow(m_sessions);
}

bool StatusColumnDelegate::data(const Field& field, const Record& record, int role, QVariant& value) const
{
    if (role != Qt::ForegroundRole && role != Qt::ToolTipRole)
        return EnumColumnDelegate::data(field, record, role, value);
    const int stock = record.data(m_stockColumn).toInteger();
    const int sess = record.data(m_sessColumn).toInteger();
    const bool earlier = sess != m_sessions->getMaxSessId(stock);
    if (role == Qt::ForegroundRole) {
        if (!earlier)
            return false;
        value = QColor(Qt::gray);
        return true;
    }
    const QString description = directory()->descrByKey(field);
    value = earlier ? translated(QT_TRANSLATE_NOOP("ColumnDelegates", "%1 (сессия %2)"))
                          .arg(description, m_sessions->nameById(stock, sess))
                    : description;
    return true;
}
