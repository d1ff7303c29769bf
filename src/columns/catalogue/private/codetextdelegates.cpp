#include "columns/catalogue/private/codetextdelegates.h"

#include <algorithm>

namespace {

const ColumnHeaderInfo rightsHeader { QT_TRANSLATE_NOOP("ColumnDelegates", "Разрешения"), nullptr, nullptr,
    QT_TRANSLATE_NOOP("ColumnDelegates", "Разрешения на выполнение операций") };
const ColumnHeaderInfo smaFlagsHeader { QT_TRANSLATE_NOOP("ColumnDelegates", "Признаки"), nullptr, nullptr,
    QT_TRANSLATE_NOOP("ColumnDelegates",
        "Признаки 'Cancel on Disconnect'/'Cancel on DropCopy Disconnect'/'Sponsored Member Access'") };
const ColumnHeaderInfo statusHeader { QT_TRANSLATE_NOOP("ColumnDelegates", "Статус") };
const ColumnHeaderInfo plainHeader {};
const ColumnHeaderInfo dealStateHeader { QT_TRANSLATE_NOOP("ColumnDelegates", "Статус"), nullptr, "VarChar" };
const ColumnHeaderInfo dealErrorHeader { QT_TRANSLATE_NOOP("ColumnDelegates", "Ошибка OTC"), nullptr, "VarChar" };
const ColumnHeaderInfo dealSignHeader { QT_TRANSLATE_NOOP("ColumnDelegates", "Тип сделки"), "deal_type", "VarChar",
    QT_TRANSLATE_NOOP("ColumnDelegates",
        "Типы сделок, формируемые при исполнении и истечении фьючерсов и опционов, а так же технические сделки"),
    "" };
const ColumnHeaderInfo orderSignHeader { QT_TRANSLATE_NOOP("ColumnDelegates", "Тип заявки"), "order_sign", "VarChar",
    QT_TRANSLATE_NOOP("ColumnDelegates", "Типы заявок, формируемые OTC подсистемой TARVEN и другие особые типы заявок"),
    "" };

bool hasBit(qint64 value, int bit)
{
    return (quint64(value) >> bit) & 1u;
}

} // namespace

CodeTextDelegate::CodeTextDelegate(const ColumnHeaderInfo& header, Mode mode, std::initializer_list<Entry> entries,
    QObject* parent, const char* fallback, qint64 mask, int column, FieldType::Type type)
    : TextColumnDelegate(header, FieldOrder, parent, type)
    , m_mode(mode)
    , m_fallback(fallback ? translated(fallback) : QString())
    , m_mask(mask)
    , m_column(column)
{
    for (const Entry& e : entries)
        m_texts.emplace_back(e.code, translated(e.text));
}

bool CodeTextDelegate::text(const Field& field, const Record& record, QString& text) const
{
    const Field value = m_column >= 0 ? record.data(m_column) : field;
    text.clear();
    if (value.isNull())
        return true;
    const qint64 code = value.toInteger64();
    if (m_mode == Bits) {
        for (const auto& entry : m_texts) {
            if (hasBit(code, int(entry.first)))
                text += (text.isEmpty() ? QString() : QStringLiteral(", ")) + entry.second;
        }
        return true;
    }
    const auto found = std::find_if(
        m_texts.begin(), m_texts.end(), [masked = code & m_mask](const auto& entry) { return entry.first == masked; });
    text = found != m_texts.end() ? found->second : m_fallback;
    return true;
}

LoginRightsDelegate::LoginRightsDelegate(ItemModelWithDelegates* model)
    : CodeTextDelegate(rightsHeader, Bits,
        { { 3, QT_TRANSLATE_NOOP("ColumnDelegates", "Лимитирование БФ") },
            { 4, QT_TRANSLATE_NOOP("ColumnDelegates", "Вывод денег") },
            { 5, QT_TRANSLATE_NOOP("ColumnDelegates", "Лимитирование клиентов") },
            { 7, QT_TRANSLATE_NOOP("ColumnDelegates", "Установка ограничений") },
            { 10, QT_TRANSLATE_NOOP("ColumnDelegates", "Установка SMA ограничений") } },
        model)
{ }

SmaFlagsDelegate::SmaFlagsDelegate(ItemModelWithDelegates* model)
    : CodeTextDelegate(smaFlagsHeader, Bits, { { 0, "CoD" }, { 1, "CoDCD" }, { 2, "SMA" } }, model)
{ }

SmaStatusDelegate::SmaStatusDelegate(ItemModelWithDelegates* model)
    : CodeTextDelegate(statusHeader, Values,
        { { 0, QT_TRANSLATE_NOOP("ColumnDelegates", "Активен") },
            { 1, QT_TRANSLATE_NOOP("ColumnDelegates", "Деактивирован") },
            { 2, QT_TRANSLATE_NOOP("ColumnDelegates", "Деактивирован со снятием заявок") },
            { 3, QT_TRANSLATE_NOOP("ColumnDelegates", "Неизвестный") } },
        model, nullptr, 3)
{ }

LangDelegate::LangDelegate(ItemModelWithDelegates* model)
    : CodeTextDelegate(plainHeader, Values,
        { { 0, QT_TRANSLATE_NOOP("ColumnDelegates", "Русский") },
            { 1, QT_TRANSLATE_NOOP("ColumnDelegates", "Английский") },
            { 2, QT_TRANSLATE_NOOP("ColumnDelegates", "Украинский") } },
        model, QT_TRANSLATE_NOOP("ColumnDelegates", "Неизвестный"))
{ }

YesNoDelegate::YesNoDelegate(ItemModelWithDelegates* model)
    : YesNoDelegate(-1, model)
{ }

YesNoDelegate::YesNoDelegate(int column, ItemModelWithDelegates* model)
    : CodeTextDelegate(plainHeader, Values, { { 0, QT_TRANSLATE_NOOP("ColumnDelegates", "Нет") } }, model,
        QT_TRANSLATE_NOOP("ColumnDelegates", "Да"), -1, column)
{ }

DealStateDelegate::DealStateDelegate(ItemModelWithDelegates* model)
    : CodeTextDelegate(dealStateHeader, Values, {}, model, nullptr, -1, -1, FieldType::Int32)
{ }

DealReasonDelegete::DealReasonDelegete(ItemModelWithDelegates* model)
    : CodeTextDelegate(dealStateHeader, Values, {}, model, nullptr, -1, -1, FieldType::Int32)
{ }

DealErrorCodeDelegate::DealErrorCodeDelegate(ItemModelWithDelegates* model)
    : CodeTextDelegate(dealErrorHeader, Values, {}, model, nullptr, -1, -1, FieldType::Int32)
{ }

SignTextDelegate::SignTextDelegate(const ColumnHeaderInfo& header, std::initializer_list<Rule> rules, int stockColumn,
    int boardColumn, QObject* parent)
    : TextColumnDelegate(header, TextOrder, parent)
    , m_stockColumn(stockColumn)
    , m_boardColumn(boardColumn)
{
    for (const Rule& rule : rules)
        m_rules.push_back({ rule, translated(rule.text), translated(rule.toolTip) });
}

const SignTextDelegate::Translated* SignTextDelegate::match(const Field& field, const Record& record) const
{
    const qint64 signs = field.rawInt64();
    for (const Translated& t : m_rules) {
        const Rule& r = t.rule;
        if (!hasBit(signs, r.bit))
            continue;
        if (r.alsoBit >= 0 && hasBit(signs, r.alsoBit) == r.alsoClear)
            continue;
        if (r.boards != AnyBoard) {
            const int board = record.data(m_boardColumn).toInteger();
            const bool combined = record.data(m_stockColumn).toInteger() == 1 && (board == 10 || board == 11);
            if (combined != (r.boards == CombinedBoard))
                continue;
        }
        return &t;
    }
    return nullptr;
}

bool SignTextDelegate::text(const Field& field, const Record& record, QString& text) const
{
    // Rows without a listed sign show an empty cell rather than the raw bit set.
    const Translated* t = match(field, record);
    text = t ? t->text : QString();
    return true;
}

bool SignTextDelegate::data(const Field& field, const Record& record, int role, QVariant& value) const
{
    if (role != Qt::ToolTipRole)
        return TextColumnDelegate::data(field, record, role, value);
    const Translated* t = match(field, record);
    if (!t)
        return false;
    value = t->toolTip;
    return true;
}

DealSignDelegate::DealSignDelegate(ItemModelWithDelegates* model)
    : SignTextDelegate(dealSignHeader,
        { { 5, QT_TRANSLATE_NOOP("ColumnDelegates", "Исполнение"),
              QT_TRANSLATE_NOOP("ColumnDelegates", "Сделка является сделкой исполнения") },
            { 7, QT_TRANSLATE_NOOP("ColumnDelegates", "Истечение"),
                QT_TRANSLATE_NOOP("ColumnDelegates", "Признак истечения времени действия инструмента") },
            { 16, QT_TRANSLATE_NOOP("ColumnDelegates", "Перенос позиции"),
                QT_TRANSLATE_NOOP("ColumnDelegates", "Сделка по переносу позиции") },
            { 26, QT_TRANSLATE_NOOP("ColumnDelegates", "Адресная"),
                QT_TRANSLATE_NOOP("ColumnDelegates", "Адресная сделка") },
            { 27, QT_TRANSLATE_NOOP("ColumnDelegates", "Связка"),
                QT_TRANSLATE_NOOP("ColumnDelegates", "Cделка по связке"), CombinedBoard },
            { 27, QT_TRANSLATE_NOOP("ColumnDelegates", "Тех. сделка 2"),
                QT_TRANSLATE_NOOP("ColumnDelegates", "Техническая сделка по связке вторая часть"), OtherBoard, 14 },
            { 27, QT_TRANSLATE_NOOP("ColumnDelegates", "Тех. сделка 1"),
                QT_TRANSLATE_NOOP("ColumnDelegates", "Техническая сделка по связке первая часть"), OtherBoard, 14,
                true } },
        fieldIndex(model, "stock_id"), fieldIndex(model, "board_id"), model)
{
    requireColumns({ fieldIndex(model, "stock_id"), fieldIndex(model, "board_id") }, __LINE__);
}

SignsOrderDelegate::SignsOrderDelegate(ItemModelWithDelegates* model)
    : SignTextDelegate(orderSignHeader,
        { { 47, QT_TRANSLATE_NOOP("ColumnDelegates", "Айсберг заявка"),
            QT_TRANSLATE_NOOP("ColumnDelegates", "Айсберг заявка") } },
        fieldIndex(model, "stock_id"), -1, model)
{ }
