#include "columns/catalogue/private/accountcolumndelegates.h"

#include "core/db/variantutils.h"
#include "core/host/directories/kvcodenamedirectory.h"
#include "core/host/directories/kvfutmargintypedirectory.h"
#include "core/host/directories/kvuserdirectory.h"

namespace {

const ColumnHeaderInfo accountHeader { QT_TRANSLATE_NOOP("ColumnDelegates", "Имя"), "name", "VarChar",
    QT_TRANSLATE_NOOP("ColumnDelegates", "Название счёта"), QT_TRANSLATE_NOOP("ColumnDelegates", "Торговый счёт") };
const ColumnHeaderInfo asprefHeader { QT_TRANSLATE_NOOP("ColumnDelegates", "Мастер логин"), nullptr, "VarChar" };
const ColumnHeaderInfo marginTypeHeader { QT_TRANSLATE_NOOP("ColumnDelegates", "Тип маржирования"), "margin_type",
    "VarChar", nullptr, QT_TRANSLATE_NOOP("ColumnDelegates", "Полунеттинг БФ") };
const ColumnHeaderInfo saTypeHeader { QT_TRANSLATE_NOOP("ColumnDelegates", "Тип расчетного кода"),
    "settlement_account_type", "VarChar", nullptr, QT_TRANSLATE_NOOP("ColumnDelegates", "Собственный") };
const ColumnHeaderInfo ucpTypeHeader { QT_TRANSLATE_NOOP("ColumnDelegates", "Признак единого пула"), "UCP_type",
    "VarChar", QT_TRANSLATE_NOOP("ColumnDelegates", "Расчетный код поддерживает единый пул обеспечения"),
    QT_TRANSLATE_NOOP("ColumnDelegates", "Единый пул") };
const ColumnHeaderInfo nameHeader {};
const ColumnHeaderInfo statusHeader { nullptr, nullptr, nullptr,
    QT_TRANSLATE_NOOP("ColumnDelegates", "Режим блокировки ТС по РК") };

// A settlement account's code starts with the code of its firm.
constexpr int firmCodeLength = 4;

} // namespace

AccountColumnDelegate::AccountColumnDelegate(ItemModelWithDelegates* model)
    : TextColumnDelegate(accountHeader, TextOrder, model)
    , m_directory(KvInvestorDirectory::i())
{
    follow(m_directory);
}

bool AccountColumnDelegate::text(const Field& field, const Record&, QString& text) const
{
    text = m_directory->nameByCode(field.toString());
    return true;
}

AsprefColumnDelegate::AsprefColumnDelegate(ItemModelWithDelegates* model)
    : TextColumnDelegate(asprefHeader, FieldOrder, model)
    , m_directory(KvUserDirectory::i())
{
    follow(m_directory);
}

bool AsprefColumnDelegate::text(const Field& field, const Record&, QString& text) const
{
    text = m_directory->loginByAspref(field.toInteger());
    return true;
}

MarginSettingDelegate::MarginSettingDelegate(const ColumnHeaderInfo& header, Lookup lookup, int column, QObject* parent)
    : TextColumnDelegate(header, TextOrderCaseSensitive, parent)
    , m_directory(KvFutMarginTypeDirectory::i())
    , m_lookup(lookup)
    , m_column(column)
{
    follow(m_directory);
}

bool MarginSettingDelegate::text(const Field& field, const Record& record, QString& text) const
{
    const QString code = m_column >= 0 ? record.data(m_column).toString() : field.toString();
    text = (m_directory->*m_lookup)(code);
    return true;
}

FutMarginTypeDelegate::FutMarginTypeDelegate(int column, ItemModelWithDelegates* model)
    : MarginSettingDelegate(marginTypeHeader, &KvFutMarginTypeDirectory::marginTypeByCode, column, model)
{ }

SATypeDelegate::SATypeDelegate(int column, ItemModelWithDelegates* model)
    : MarginSettingDelegate(saTypeHeader, &KvFutMarginTypeDirectory::SATypeByCode, column, model)
{ }

UCPTypeDelegate::UCPTypeDelegate(int column, ItemModelWithDelegates* model)
    : MarginSettingDelegate(ucpTypeHeader, &KvFutMarginTypeDirectory::UCPTypeByCode, column, model)
{ }

AccountRowDelegate::AccountRowDelegate(
    const ColumnHeaderInfo& header, const AccountRowColumns& columns, QObject* parent)
    : TextColumnDelegate(header, FieldOrder, parent)
    , m_columns(columns)
{ }

bool AccountRowDelegate::isClientRow(const Record& record) const
{
    return !record.data(m_columns.client).toStringView().trimmed().isEmpty();
}

bool AccountRowDelegate::compare(
    const Field& f1, const Record& r1, const Field& f2, const Record& r2, int& result) const
{
    QString t1, t2;
    text(f1, r1, t1);
    text(f2, r2, t2);
    result = variant_compare(t1, t2, Qt::CaseSensitive);
    return true;
}

NameDelegate::NameDelegate(
    int dealerColumn, int clientColumn, int settlementAccountColumn, ItemModelWithDelegates* model)
    : AccountRowDelegate(nameHeader, { dealerColumn, clientColumn, settlementAccountColumn }, model)
    , m_dealers(KvDealerDirectory::i())
    , m_investors(KvInvestorDirectory::i())
{
    follow(m_dealers);
    follow(m_investors);
}

bool NameDelegate::text(const Field&, const Record& record, QString& text) const
{
    text = isClientRow(record) ? m_investors->nameByCode(record.data(m_columns.client).toString())
                               : m_dealers->nameByCode(record.data(m_columns.dealer).toString());
    return true;
}

StatusDelegate::StatusDelegate(
    int dealerColumn, int clientColumn, int settlementAccountColumn, ItemModelWithDelegates* model)
    : AccountRowDelegate(statusHeader, { dealerColumn, clientColumn, settlementAccountColumn }, model)
    , m_dealers(KvDealerDirectory::i())
    , m_accounts(KvRFDirectory::i())
    , m_margins(KvFutMarginTypeDirectory::i())
{
    follow(m_dealers);
    follow(m_accounts);
    follow(m_margins);
}

QString StatusDelegate::statusText(int status)
{
    switch (status) {
    case 0:
        return translated(QT_TRANSLATE_NOOP("ColumnDelegates", "Торги разрешены"));
    case 1:
        return translated(QT_TRANSLATE_NOOP("ColumnDelegates", "Торги запрещены"));
    case 2:
        return translated(QT_TRANSLATE_NOOP("ColumnDelegates", "Только закрытие позиций"));
    default:
        return QString();
    }
}

bool StatusDelegate::text(const Field&, const Record& record, QString& text) const
{
    if (!isClientRow(record)) {
        text = statusText(m_dealers->statusByCode(record.data(m_columns.dealer).toString()));
        return true;
    }
    const QString account = record.data(m_columns.settlementAccount).toString();
    int status = m_accounts->statusByCode(account);
    if (status < 0)
        status = m_accounts->statusByCode(account.left(firmCodeLength)); // listed under its firm
    QStringList parts { statusText(status), m_margins->marginTypeByCode(account), m_margins->SATypeByCode(account),
        m_margins->UCPTypeByCode(account) };
    parts.removeAll(QString());
    text = parts.join(QStringLiteral(", "));
    return true;
}
