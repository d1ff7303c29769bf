#include "columns/catalogue/securitycolumndelegates.h"

#include "columns/catalogue/private/securitycolumndelegates_p.h"

#include "columns/itemmodelwithdelegates.h"
#include "core/host/directories/securitydirectory.h"

namespace {

const ColumnHeaderInfo securityHeader { QT_TRANSLATE_NOOP("ColumnDelegates", "Инструмент"), "sec_name", "VarChar",
    QT_TRANSLATE_NOOP("ColumnDelegates", "Короткий код инструмента"), "LKM2" };
const ColumnHeaderInfo baseSecurityHeader { QT_TRANSLATE_NOOP("ColumnDelegates", "Баз. контракт"), "base_sec_name",
    "VarChar", QT_TRANSLATE_NOOP("ColumnDelegates", "Инструмент базового контракта"), "LKM2" };
const ColumnHeaderInfo mainSecurityHeader { QT_TRANSLATE_NOOP("ColumnDelegates", "Базовый контракт"), "main_sec_name",
    "VarChar", QT_TRANSLATE_NOOP("ColumnDelegates", "Код базового контракта опциона") };
const ColumnHeaderInfo secCodeHeader { QT_TRANSLATE_NOOP("ColumnDelegates", "Код"), "sec_code", "VarChar",
    QT_TRANSLATE_NOOP("ColumnDelegates", "Код инструмента"), "LKOH-6.12" };
const ColumnHeaderInfo baseCodeHeader { QT_TRANSLATE_NOOP("ColumnDelegates", "Баз. актив"), "base_code", "VarChar",
    QT_TRANSLATE_NOOP("ColumnDelegates", "Код базового актива"), "LKOH" };

} // namespace

SecurityLookupDelegate::SecurityLookupDelegate(
    const ColumnHeaderInfo& header, Lookup lookup, int stockColumn, int boardColumn, bool zeroIsEmpty, QObject* parent)
    : TextColumnDelegate(*new SecurityLookupDelegatePrivate(header, FieldType::String, -1), FieldOrder, parent)
{
    Q_D(SecurityLookupDelegate);
    d->directory = SecurityDirectory::i();
    d->lookup = lookup;
    d->stockColumn = stockColumn;
    d->boardColumn = boardColumn;
    d->zeroIsEmpty = zeroIsEmpty;
    follow(d->directory);
}

bool SecurityLookupDelegate::text(const Field& field, const Record& record, QString& text) const
{
    Q_D(const SecurityLookupDelegate);
    const qint64 id = field.toInteger64();
    if (d->zeroIsEmpty && id == 0) {
        text.clear();
        return true;
    }
    text = (d->directory->*d->lookup)(
        record.data(d->stockColumn).toInteger(), record.data(d->boardColumn).toInteger(), id);
    return true;
}

SecurityColumnDelegate::SecurityColumnDelegate(ItemModelWithDelegates* model)
    : SecurityColumnDelegate(fieldIndex(model, "stock_id"), fieldIndex(model, "board_id"), model)
{ }

SecurityColumnDelegate::SecurityColumnDelegate(int stockColumn, int boardColumn, ItemModelWithDelegates* model)
    : SecurityLookupDelegate(securityHeader, &SecurityDirectory::nameById, stockColumn, boardColumn, false, model)
{ }

BaseSecurityColumnDelegate::BaseSecurityColumnDelegate(ItemModelWithDelegates* model)
    : BaseSecurityColumnDelegate(fieldIndex(model, "stock_id"), fieldIndex(model, "board_id"), model)
{ }

BaseSecurityColumnDelegate::BaseSecurityColumnDelegate(int stockColumn, int boardColumn, ItemModelWithDelegates* model)
    : SecurityLookupDelegate(baseSecurityHeader, &SecurityDirectory::nameById, stockColumn, boardColumn, false, model)
{ }

MainSecurityColumnDelegate::MainSecurityColumnDelegate(ItemModelWithDelegates* model)
    : SecurityLookupDelegate(mainSecurityHeader, &SecurityDirectory::nameById, fieldIndex(model, "stock_id"),
        fieldIndex(model, "main_board_id"), false, model)
{ }

SecurityOrNullColumnDelegate::SecurityOrNullColumnDelegate(ItemModelWithDelegates* model)
    : SecurityLookupDelegate(securityHeader, &SecurityDirectory::nameById, fieldIndex(model, "stock_id"),
        fieldIndex(model, "board_id"), true, model)
{ }

SecCodeColumnDelegate::SecCodeColumnDelegate(ItemModelWithDelegates* model)
    : SecCodeColumnDelegate(fieldIndex(model, "stock_id"), fieldIndex(model, "board_id"), model)
{ }

SecCodeColumnDelegate::SecCodeColumnDelegate(int stockColumn, int boardColumn, ItemModelWithDelegates* model)
    : SecurityLookupDelegate(secCodeHeader, &SecurityDirectory::codeById, stockColumn, boardColumn, false, model)
{ }

SecCodeOrNullColumnDelegate::SecCodeOrNullColumnDelegate(ItemModelWithDelegates* model)
    : SecurityLookupDelegate(secCodeHeader, &SecurityDirectory::codeById, fieldIndex(model, "stock_id"),
        fieldIndex(model, "board_id"), true, model)
{ }

BaseCodeColumnDelegate::BaseCodeColumnDelegate(ItemModelWithDelegates* model)
    : BaseCodeColumnDelegate(fieldIndex(model, "stock_id"), fieldIndex(model, "board_id"), model)
{ }

BaseCodeColumnDelegate::BaseCodeColumnDelegate(int stockColumn, int boardColumn, ItemModelWithDelegates* model)
    : SecurityLookupDelegate(baseCodeHeader, &SecurityDirectory::baseById, stockColumn, boardColumn, false, model)
{ }
