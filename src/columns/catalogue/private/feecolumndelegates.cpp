#include "columns/catalogue/private/feecolumndelegates.h"

#include "core/host/directories/dealfeedirectory.h"
#include "core/host/directories/vmsadirectory.h"

namespace {

const ColumnHeaderInfo vmHeader { QT_TRANSLATE_NOOP("ColumnDelegates", "Вар. маржа"), "vm", nullptr,
    QT_TRANSLATE_NOOP("ColumnDelegates",
        "Накопленная по сделкам вариационная маржа, рассчитанная по текущей котировке, ограниченной "
        "лимитами") };
const ColumnHeaderInfo visibleHeader {};

} // namespace

VMDelegate::VMDelegate(int accountColumn, ItemModelWithDelegates* model)
    : CatalogueDelegate(vmHeader, FieldType::XDecimal, model)
    , m_accountColumn(accountColumn)
{
    follow(FutVMSADirectory::i());
    follow(OptVMSADirectory::i());
}

xdecimal VMDelegate::margin(const Record& record) const
{
    const QString account = record.data(m_accountColumn).toString();
    return FutVMSADirectory::i()->getVMbySettlementAccount(account)
        + OptVMSADirectory::i()->getVMbySettlementAccount(account);
}

bool VMDelegate::data(const Field&, const Record& record, int role, QVariant& value) const
{
    if (role != Qt::DisplayRole && role != Qt::EditRole)
        return false;
    value = QVariant::fromValue(margin(record));
    return true;
}

bool VMDelegate::compare(const Field&, const Record& r1, const Field&, const Record& r2, int& result) const
{
    result = margin(r1).compare(margin(r2));
    return true;
}

DealFeeDelegate::DealFeeDelegate(
    const DealFeeDirectory* directory, int flagColumn, int sideColumn, int dealColumn, QObject* parent)
    : CatalogueDelegate(visibleHeader, FieldType::XDecimal, parent)
    , m_directory(directory)
    , m_flagColumn(flagColumn)
    , m_sideColumn(sideColumn)
    , m_dealColumn(dealColumn)
{
    follow(m_directory);
}

bool DealFeeDelegate::data(const Field&, const Record& record, int role, QVariant& value) const
{
    if (role != Qt::DisplayRole)
        return false;
    if (m_flagColumn >= 0 && record.data(m_flagColumn).toInteger() != 1)
        return false;
    value.clear();
    const Record fees = m_directory->recordByDealId(record.data(m_dealColumn).toInteger64());
    if (fees.isNull())
        return true;
    const bool buyer = record.data(m_sideColumn).toStringView() == QLatin1String("B");
    value = QVariant::fromValue(
        fees.data(buyer ? m_directory->buyFeeColumn() : m_directory->sellFeeColumn()).toXDecimal());
    return true;
}

FeeColumnDelegate::FeeColumnDelegate(int flagColumn, int sideColumn, int dealColumn, QObject* parent)
    : DealFeeDelegate(FeeDirectory::i(), flagColumn, sideColumn, dealColumn, parent)
{ }

BrokerFeeColumnDelegate::BrokerFeeColumnDelegate(int dealColumn, int sideColumn, QObject* parent)
    : DealFeeDelegate(BrokerFeeDirectory::i(), -1, sideColumn, dealColumn, parent)
{ }
