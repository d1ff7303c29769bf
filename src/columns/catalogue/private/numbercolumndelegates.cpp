#include "columns/catalogue/private/numbercolumndelegates.h"

#include "core/db/variantutils.h"

#include <algorithm>

namespace {

const ColumnHeaderInfo dealHeader { QT_TRANSLATE_NOOP("ColumnDelegates", "Номер сделки"), "deal_num", nullptr,
    QT_TRANSLATE_NOOP("ColumnDelegates", "Порядковый номер сделки") };
const ColumnHeaderInfo orderHeader { QT_TRANSLATE_NOOP("ColumnDelegates", "Номер заявки"), "order_num", nullptr,
    QT_TRANSLATE_NOOP("ColumnDelegates", "Порядковый номер заявки") };
const ColumnHeaderInfo visibleHeader {};

} // namespace

NumberColumnDelegate::NumberColumnDelegate(const ColumnHeaderInfo& header, QObject* parent)
    : CatalogueDelegate(header, FieldType::Int64, parent)
{ }

bool NumberColumnDelegate::data(const Field&, const Record&, int, QVariant&) const
{
    return false;
}

DealColumnDelegate::DealColumnDelegate(QObject* parent)
    : NumberColumnDelegate(dealHeader, parent)
{ }

OrderColumnDelegate::OrderColumnDelegate(QObject* parent)
    : NumberColumnDelegate(orderHeader, parent)
{ }

ArithmeticDelegate::ArithmeticDelegate(const QVector<ColAndOp>& expression, QObject* parent)
    : CatalogueDelegate(visibleHeader, FieldType::XDecimal, parent)
    , m_expression(expression)
{ }

bool ArithmeticDelegate::hasNull(const Record& record) const
{
    return std::any_of(m_expression.begin(), m_expression.end(),
        [&record](const ColAndOp& c) { return record.data(c.column).isNull(); });
}

xdecimal ArithmeticDelegate::calcExpression(const Record& record) const
{
    xdecimal result = xdecimal::zero();
    if (hasNull(record))
        return result;
    for (const ColAndOp& c : m_expression) {
        if (c.op == 1)
            result += record.data(c.column).toXDecimal();
        else if (c.op == -1)
            result -= record.data(c.column).toXDecimal();
    }
    return result;
}

bool ArithmeticDelegate::data(const Field&, const Record& record, int role, QVariant& value) const
{
    if (role != Qt::DisplayRole && role != Qt::EditRole)
        return false;
    if (hasNull(record))
        value.clear();
    else
        value = QVariant::fromValue(calcExpression(record));
    return true;
}

bool ArithmeticDelegate::compare(const Field&, const Record& r1, const Field&, const Record& r2, int& result) const
{
    result = calcExpression(r1).compare(calcExpression(r2));
    return true;
}

bool ValueDecoderDelegate::VariantLess::operator()(const QVariant& a, const QVariant& b) const
{
    return variant_compare(a, b) < 0;
}

ValueDecoderDelegate::ValueDecoderDelegate(const Dictionary& dictionary, QObject* parent)
    : CatalogueDelegate(visibleHeader, FieldType::String, parent)
    , m_dictionary(dictionary)
{ }

void ValueDecoderDelegate::setDisplayValuesDictionary(const Dictionary& dictionary)
{
    m_dictionary = dictionary;
    Q_EMIT dataChanged();
}

bool ValueDecoderDelegate::data(const Field& field, const Record&, int role, QVariant& value) const
{
    if (role != Qt::DisplayRole || field.isNull())
        return false;
    const auto found = m_dictionary.find(field.toVariant());
    if (found == m_dictionary.end())
        return false;
    value = found->second;
    return true;
}
