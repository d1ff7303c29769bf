#include "columns/catalogue/private/paramcolumndelegates.h"

#include "columns/itemmodelwithdelegates.h"
#include "columns/itemroles.h"
#include "core/host/directories/basecontractsparamsdirectory.h"
#include "core/host/directories/kvbrokerfeeparamdirectory.h"

namespace {

const ColumnHeaderInfo visibleHeader {};

} // namespace

BaseContractsParamsDelegate::BaseContractsParamsDelegate(ItemModelWithDelegates* model, int paramsColumn)
    : CatalogueDelegate(visibleHeader, FieldType::String, model)
    , m_directory(BaseContractsParamsDirectory::i())
    , m_paramsColumn(paramsColumn)
{
    follow(m_directory);
}

bool BaseContractsParamsDelegate::headerData(int role, QVariant& value) const
{
    const Table* table = m_directory->table();
    if (!table || m_paramsColumn < 0 || m_paramsColumn >= table->columns().size())
        return CatalogueDelegate::headerData(role, value);
    const ColumnDef& def = table->columns().at(m_paramsColumn);
    switch (role) {
    case Qt::DisplayRole:
        value = def.title.isEmpty() ? def.name : def.title;
        return true;
    case ColumnDescriptionRole:
        value = def.description;
        return true;
    case ColumnTypeNameRole:
        value = FieldType::typeNameWithLength(def.type, def.length);
        return true;
    default:
        return CatalogueDelegate::headerData(role, value);
    }
}

FieldType::Type BaseContractsParamsDelegate::getType() const
{
    const Table* table = m_directory->table();
    return table && m_paramsColumn >= 0 && m_paramsColumn < table->columns().size()
        ? table->columns().at(m_paramsColumn).type
        : FieldType::String;
}

int BaseContractsParamsDelegate::type() const
{
    return ItemModelWithDelegates::fieldTypeToVariantType(getType());
}

Record BaseContractsParamsDelegate::params(const Field& code) const
{
    return m_directory->recordByBaseContractCode(code.toString());
}

bool BaseContractsParamsDelegate::data(const Field& field, const Record&, int role, QVariant& value) const
{
    if (role != Qt::DisplayRole)
        return false;
    const Record p = params(field);
    value = p.isNull() ? QVariant() : p.data(m_paramsColumn).toVariant();
    return true;
}

bool BaseContractsParamsDelegate::compare(
    const Field& f1, const Record&, const Field& f2, const Record&, int& result) const
{
    const Record p1 = params(f1);
    const Record p2 = params(f2);
    if (p1.isNull() || p2.isNull())
        result = int(p1.isNull()) - int(p2.isNull());
    else
        result = p1.data(m_paramsColumn).compare(p2.data(m_paramsColumn));
    return true;
}

BrokerFeeParamsFieldDelegate::BrokerFeeParamsFieldDelegate(
    const QString& fieldName, bool showNext, QObject* parent, const Format& format)
    : CatalogueDelegate(visibleHeader, FieldType::String, parent)
    , m_directory(KvBrokerFeeParamDirectory::i())
    , m_fieldName(fieldName)
    , m_showNext(showNext)
    , m_format(format)
{
    follow(m_directory);
}

QString BrokerFeeParamsFieldDelegate::text(const Record& params) const
{
    const Field field = params.data(m_fieldName);
    return m_format ? m_format(field) : field.toSystemString();
}

bool BrokerFeeParamsFieldDelegate::data(const Field& field, const Record&, int role, QVariant& value) const
{
    if (role != Qt::DisplayRole)
        return false;
    const BrokerFeeParams params = m_directory->getFeeParamsByAccount(field.toString());
    if (params.current.isNull()) {
        value = QString();
        return true;
    }
    value = m_showNext && params.hasNext ? QStringLiteral("%1 -> %2").arg(text(params.current), text(params.next))
                                         : text(params.current);
    return true;
}
