#include "columns/catalogue/marketcolumndelegates.h"

#include "columns/catalogue/private/marketcolumndelegates_p.h"

#include "core/host/directories/boarddirectory.h"
#include "core/host/directories/sessiondirectory.h"
#include "core/host/directories/stockdirectory.h"

namespace {

const ColumnHeaderInfo stockHeader { QT_TRANSLATE_NOOP("ColumnDelegates", "Площадка"), "stock_name", "VarChar",
    QT_TRANSLATE_NOOP("ColumnDelegates", "Краткое название площадки"), "TARVEN" };
const ColumnHeaderInfo boardHeader { QT_TRANSLATE_NOOP("ColumnDelegates", "Режим"), "board_name", "VarChar",
    QT_TRANSLATE_NOOP("ColumnDelegates", "Режим торгов инструмента"),
    QT_TRANSLATE_NOOP("ColumnDelegates", "Фьючерсы") };
const ColumnHeaderInfo optBoardHeader { QT_TRANSLATE_NOOP("ColumnDelegates", "Режим"), "opt_board_name", "VarChar",
    QT_TRANSLATE_NOOP("ColumnDelegates", "Режим торгов опциона"), QT_TRANSLATE_NOOP("ColumnDelegates", "Опционы") };
const ColumnHeaderInfo baseBoardHeader { QT_TRANSLATE_NOOP("ColumnDelegates", "Режим баз. контр."), "base_board_name",
    "VarChar", QT_TRANSLATE_NOOP("ColumnDelegates", "Режим базового контракта"),
    QT_TRANSLATE_NOOP("ColumnDelegates", "Фьючерсы") };
const ColumnHeaderInfo sessionHeader { QT_TRANSLATE_NOOP("ColumnDelegates", "Сессия"), "sess_name", "VarChar",
    QT_TRANSLATE_NOOP("ColumnDelegates", "Название сессии") };

} // namespace

StockColumnDelegate::StockColumnDelegate(QObject* parent)
    : TextColumnDelegate(*new StockColumnDelegatePrivate(stockHeader, FieldType::String, -1), FieldOrder, parent)
{
    d_func()->directory = StockDirectory::i();
    follow(d_func()->directory);
}

bool StockColumnDelegate::text(const Field& field, const Record&, QString& text) const
{
    text = d_func()->directory->nameById(field.toInteger());
    return true;
}

bool StockColumnDelegate::data(const Field& field, const Record& record, int role, QVariant& value) const
{
    if (role != Qt::UserRole)
        return TextColumnDelegate::data(field, record, role, value);
    value = d_func()->directory->codeById(field.toInteger());
    return true;
}

bool StockColumnDelegate::compare(const Field& f1, const Record&, const Field& f2, const Record&, int& result) const
{
    result = d_func()
                 ->directory->nameByIdAs(f1.toInteger())
                 .compare(d_func()->directory->nameByIdAs(f2.toInteger()), Qt::CaseInsensitive);
    return true;
}

BoardLookupDelegate::BoardLookupDelegate(const ColumnHeaderInfo& header, Order order, int stockColumn, QObject* parent)
    : TextColumnDelegate(*new BoardLookupDelegatePrivate(header, FieldType::String, -1), order, parent)
{
    Q_D(BoardLookupDelegate);
    d->directory = BoardDirectory::i();
    d->stockColumn = stockColumn;
    follow(d->directory);
}

bool BoardLookupDelegate::text(const Field& field, const Record& record, QString& text) const
{
    text = d_func()->directory->nameById(record.data(d_func()->stockColumn).toInteger(), field.toInteger());
    return true;
}

bool BoardLookupDelegate::data(const Field& field, const Record& record, int role, QVariant& value) const
{
    if (role != Qt::UserRole)
        return TextColumnDelegate::data(field, record, role, value);
    value = d_func()->directory->codeById(record.data(d_func()->stockColumn).toInteger(), field.toInteger());
    return true;
}

int BoardLookupDelegate::compareTexts(
    const Field& f1, const Record& r1, const Field& f2, const Record& r2, Qt::CaseSensitivity) const
{
    const int stock1 = r1.data(d_func()->stockColumn).toInteger();
    const int stock2 = r2.data(d_func()->stockColumn).toInteger();
    const int board1 = f1.toInteger();
    const int board2 = f2.toInteger();
    if (stock1 == stock2 && board1 == board2)
        return 0;
    const int rank1 = d_func()->directory->nameRankById(stock1, board1);
    const int rank2 = d_func()->directory->nameRankById(stock2, board2);
    return rank1 < rank2 ? -1 : (rank1 > rank2 ? 1 : 0);
}

BoardColumnDelegate::BoardColumnDelegate(ItemModelWithDelegates* model)
    : BoardColumnDelegate(fieldIndex(model, "stock_id"), model)
{ }

BoardColumnDelegate::BoardColumnDelegate(int stockColumn, ItemModelWithDelegates* model)
    : BoardLookupDelegate(boardHeader, TextOrder, stockColumn, model)
{ }

OptBoardColumnDelegate::OptBoardColumnDelegate(ItemModelWithDelegates* model)
    : OptBoardColumnDelegate(fieldIndex(model, "stock_id"), model)
{ }

OptBoardColumnDelegate::OptBoardColumnDelegate(int stockColumn, ItemModelWithDelegates* model)
    : BoardLookupDelegate(optBoardHeader, TextOrderNullsLast, stockColumn, model)
{ }

BaseBoardColumnDelegate::BaseBoardColumnDelegate(ItemModelWithDelegates* model)
    : BaseBoardColumnDelegate(fieldIndex(model, "stock_id"), model)
{ }

BaseBoardColumnDelegate::BaseBoardColumnDelegate(int stockColumn, ItemModelWithDelegates* model)
    : BoardLookupDelegate(baseBoardHeader, TextOrderNullsLast, stockColumn, model)
{ }

SessionColumnDelegate::SessionColumnDelegate(ItemModelWithDelegates* model)
    : TextColumnDelegate(*new SessionColumnDelegatePrivate(sessionHeader, FieldType::String, -1), TextOrder, model)
{
    Q_D(SessionColumnDelegate);
    d->directory = SessionDirectory::i();
    d->stockColumn = fieldIndex(model, "stock_id");
    follow(d->directory);
}

bool SessionColumnDelegate::text(const Field& field, const Record& record, QString& text) const
{
    if (field.isNull())
        text.clear();
    else
        text = d_func()->directory->nameById(record.data(d_func()->stockColumn).toInteger(), field.toInteger());
    return true;
}
