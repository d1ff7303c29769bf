#include "columns/catalogue/private/futnamecolumndelegate.h"

#include "columns/catalogue/datetexts.h"
#include "columns/itemmodelwithdelegates.h"
#include "core/db/guilog.h"
#include "core/db/table.h"
#include "core/host/directories/boarddirectory.h"
#include "core/host/directories/enumdirectories.h"
#include "core/host/directories/securitydirectory.h"

namespace {

enum FutNameField { Stock, MainBoard, MainSec, ExpDate, OptionCalc, SecType, Board, Sec };

const ColumnHeaderInfo futNameHeader { QT_TRANSLATE_NOOP("ColumnDelegates", "Наименование"), "group_name", "VarChar",
    QT_TRANSLATE_NOOP("ColumnDelegates", "Наименование группы опционов"),
    QT_TRANSLATE_NOOP("ColumnDelegates", "RIM4 - июн 13, 2014 (24-я неделя)(Американский: Маржируемый)") };

// The board whose name heads every group's text: the options board of the market.
constexpr int groupBoard = 14;

} // namespace

const char* const FutNameColumnDelegate::fieldNames[8]
    = { "stock_id", "main_board_id", "main_sec_id", "expdate", "option_calc", "sectype", "board_id", "sec_id" };

int FutName::compare(const FutName& other) const
{
    if (const int c = name.compare(other.name, Qt::CaseInsensitive))
        return c;
    if (expDate != other.expDate)
        return expDate < other.expDate ? -1 : 1;
    if (const int c = expWeek.compare(other.expWeek, Qt::CaseInsensitive))
        return c;
    return calcTypeName.compare(other.calcTypeName, Qt::CaseInsensitive);
}

FutNameColumnDelegate::FutNameColumnDelegate(ItemModelWithDelegates* model)
    : CatalogueDelegate(futNameHeader, FieldType::String, model)
{
    for (const char* name : fieldNames)
        m_columns << fieldIndex(model, name);
    requireColumns(m_columns, __LINE__);
    follow(SecurityDirectory::i());
    follow(BoardDirectory::i());
    follow(OptioCalcDirectory::i());
}

FutName FutNameColumnDelegate::futureName(const Record& record, const Table* table)
{
    QVector<int> columns;
    for (const char* name : fieldNames)
        columns << (table ? table->columnIndex(QString::fromLatin1(name)) : -1);
    return futureName(record, columns);
}

FutName FutNameColumnDelegate::futureName(const Record& record, const QVector<int>& columns)
{
    FutName result;
    const QStringView sectype = record.data(columns.value(SecType, -1)).toStringView();
    const bool option = sectype == QLatin1String("O");
    if (!option && sectype != QLatin1String("F")) {
        qCWarning(QGuiLog) << "FutNameColumnDelegate::futureName"
                           << (record.table() ? record.table()->name() : QString()) << record.toString();
        result.fullText = CatalogueDelegate::translated(QT_TRANSLATE_NOOP("ColumnDelegates", "Неизвестный инструмент"));
        return result;
    }
    const int stock = record.data(columns.value(Stock, -1)).toInteger();
    const int board = record.data(columns.value(option ? MainBoard : Board, -1)).toInteger();
    const qint64 sec = record.data(columns.value(option ? MainSec : Sec, -1)).toInteger64();
    result.name = SecurityDirectory::i()->nameById(stock, board, sec);
    result.expDate = record.data(columns.value(ExpDate, -1)).toQDate();
    result.expWeek = DateTexts::expWeekToString(result.expDate);
    result.fullText = QStringLiteral("%1 : %2 - %3 (%4)")
                          .arg(BoardDirectory::i()->nameById(stock, groupBoard), result.name,
                              QLocale().toString(result.expDate, QStringLiteral("MMM dd, yyyy")), result.expWeek);
    if (option) {
        result.calcTypeName = OptioCalcDirectory::i()->nameByKey(record.data(columns.value(OptionCalc, -1)));
        result.fullText += QStringLiteral(" (%1)").arg(result.calcTypeName);
    }
    return result;
}

bool FutNameColumnDelegate::data(const Field&, const Record& record, int role, QVariant& value) const
{
    if (role != Qt::DisplayRole)
        return false;
    value = futureName(record).fullText;
    return true;
}

bool FutNameColumnDelegate::compare(const Field&, const Record& r1, const Field&, const Record& r2, int& result) const
{
    result = futureName(r1).compare(futureName(r2));
    return true;
}
