#include "core/host/schema/hostschema.h"

#include "core/host/icore.h"

namespace HostSchema {

namespace {

ColumnDef col(
    FieldType::Type type, int length, const char* name, const QString& title, const QString& description = QString())
{
    return ColumnDef(type, length, QString::fromLatin1(name), title, true, description);
}

// The tables keep the Russian source texts: the models translate them when shown, so that a change of language
// reaches the headers of the tables already made.
QString source(const char* text)
{
    return QString::fromUtf8(text);
}

QList<ColumnDef> securityKeyColumns()
{
    return { col(FieldType::Int32, 0, "stock_id", source(QT_TRANSLATE_NOOP("HostSchema", "Рынок"))),
        col(FieldType::Int32, 0, "board_id", source(QT_TRANSLATE_NOOP("HostSchema", "Режим"))),
        col(FieldType::Int64, 0, "sec_id", source(QT_TRANSLATE_NOOP("HostSchema", "Инструмент"))) };
}

} // namespace

QString text(const QString& source)
{
    return source.isEmpty() ? source : hostTranslate("HostSchema", source.toUtf8().constData());
}

TableSchema stocks()
{
    return { QStringLiteral("stocks"),
        { col(FieldType::Int32, 0, "stock_id", source(QT_TRANSLATE_NOOP("HostSchema", "Рынок"))),
            col(FieldType::String, 10, "stock_code", source(QT_TRANSLATE_NOOP("HostSchema", "Код"))),
            col(FieldType::String, 40, "stock_name", source(QT_TRANSLATE_NOOP("HostSchema", "Площадка"))),
            col(FieldType::Int64, 0, "time_offset_ms", source(QT_TRANSLATE_NOOP("HostSchema", "Сдвиг времени, мс"))) },
        { QStringLiteral("stock_id") } };
}

TableSchema boards()
{
    return { QStringLiteral("boards"),
        { col(FieldType::Int32, 0, "stock_id", source(QT_TRANSLATE_NOOP("HostSchema", "Рынок"))),
            col(FieldType::Int32, 0, "board_id", source(QT_TRANSLATE_NOOP("HostSchema", "Режим"))),
            col(FieldType::String, 12, "board_code", source(QT_TRANSLATE_NOOP("HostSchema", "Код режима"))),
            col(FieldType::String, 40, "board_name", source(QT_TRANSLATE_NOOP("HostSchema", "Название режима"))),
            col(FieldType::Int32, 0, "flags", source(QT_TRANSLATE_NOOP("HostSchema", "Признаки"))) },
        { QStringLiteral("stock_id"), QStringLiteral("board_id") } };
}

TableSchema securities()
{
    QList<ColumnDef> c = securityKeyColumns();
    c << col(FieldType::String, 25, "sec_code", source(QT_TRANSLATE_NOOP("HostSchema", "Код")))
      << col(FieldType::String, 25, "sec_name", source(QT_TRANSLATE_NOOP("HostSchema", "Инструмент")))
      << col(FieldType::String, 80, "sec_longname", source(QT_TRANSLATE_NOOP("HostSchema", "Полное название")))
      << col(FieldType::String, 10, "base_code", source(QT_TRANSLATE_NOOP("HostSchema", "Баз. актив")))
      << col(FieldType::Int32, 0, "isin_id", source(QT_TRANSLATE_NOOP("HostSchema", "ISIN")))
      << col(FieldType::Int32, 0, "option_series_id", source(QT_TRANSLATE_NOOP("HostSchema", "Серия")))
      << col(FieldType::Char, 1, "sectype", source(QT_TRANSLATE_NOOP("HostSchema", "Тип")))
      << col(FieldType::Int32, 0, "main_board_id", source(QT_TRANSLATE_NOOP("HostSchema", "Режим баз. контр.")))
      << col(FieldType::Int64, 0, "main_sec_id", source(QT_TRANSLATE_NOOP("HostSchema", "Базовый контракт")))
      << col(FieldType::Int32, 0, "fut_isin_id", source(QT_TRANSLATE_NOOP("HostSchema", "ISIN баз. контр.")))
      << col(FieldType::DateTime, 0, "expdate", source(QT_TRANSLATE_NOOP("HostSchema", "Исполнение")))
      << col(FieldType::Decimal, 2, "strike", source(QT_TRANSLATE_NOOP("HostSchema", "Страйк")))
      << col(FieldType::Char, 1, "opt_type", source(QT_TRANSLATE_NOOP("HostSchema", "Тип опциона")))
      << col(FieldType::Int32, 0, "option_calc", source(QT_TRANSLATE_NOOP("HostSchema", "Расчёт опциона")))
      << col(FieldType::Int32, 0, "decimals", source(QT_TRANSLATE_NOOP("HostSchema", "Знаков")))
      << col(FieldType::Decimal, 4, "price_step", source(QT_TRANSLATE_NOOP("HostSchema", "Шаг цены")))
      << col(FieldType::Decimal, 4, "min_price", source(QT_TRANSLATE_NOOP("HostSchema", "Мин. цена")))
      << col(FieldType::Decimal, 4, "max_price", source(QT_TRANSLATE_NOOP("HostSchema", "Макс. цена")))
      << col(FieldType::Int32, 0, "lotsize", source(QT_TRANSLATE_NOOP("HostSchema", "Лот")))
      << col(FieldType::Int32, 0, "state", source(QT_TRANSLATE_NOOP("HostSchema", "Состояние")))
      << col(FieldType::Int64, 0, "signs", source(QT_TRANSLATE_NOOP("HostSchema", "Признаки")))
      << col(FieldType::Decimal, 4, "settle_price", source(QT_TRANSLATE_NOOP("HostSchema", "Расчётная цена")))
      << col(FieldType::Int32, 0, "sess_id", source(QT_TRANSLATE_NOOP("HostSchema", "Сессия")))
      // live columns
      << col(FieldType::Decimal, 4, "bid", source(QT_TRANSLATE_NOOP("HostSchema", "Покупка")))
      << col(FieldType::Decimal, 4, "offer", source(QT_TRANSLATE_NOOP("HostSchema", "Продажа")))
      << col(FieldType::Decimal, 4, "last", source(QT_TRANSLATE_NOOP("HostSchema", "Последняя")))
      << col(FieldType::Int32, 0, "price_dir", source(QT_TRANSLATE_NOOP("HostSchema", "Изменение")))
      << col(FieldType::DateTime, 0, "change_time", source(QT_TRANSLATE_NOOP("HostSchema", "Время изменения")))
      << col(FieldType::Int64, 0, "volume", source(QT_TRANSLATE_NOOP("HostSchema", "Объём")))
      // Each quote moves on its own: its own direction and time, for the price cells' flash.
      << col(FieldType::Int32, 0, "bid_dir", source(QT_TRANSLATE_NOOP("HostSchema", "Изменение покупки")))
      << col(FieldType::DateTime, 0, "bid_time", source(QT_TRANSLATE_NOOP("HostSchema", "Время покупки")))
      << col(FieldType::Int32, 0, "offer_dir", source(QT_TRANSLATE_NOOP("HostSchema", "Изменение продажи")))
      << col(FieldType::DateTime, 0, "offer_time", source(QT_TRANSLATE_NOOP("HostSchema", "Время продажи")));
    return { QStringLiteral("securities"), c,
        { QStringLiteral("stock_id"), QStringLiteral("board_id"), QStringLiteral("sec_id") } };
}

TableSchema sessions()
{
    return { QStringLiteral("sessions"),
        { col(FieldType::Int32, 0, "stock_id", source(QT_TRANSLATE_NOOP("HostSchema", "Рынок"))),
            col(FieldType::Int32, 0, "sess_id", source(QT_TRANSLATE_NOOP("HostSchema", "Сессия"))),
            col(FieldType::String, 40, "sess_name", source(QT_TRANSLATE_NOOP("HostSchema", "Название"))),
            col(FieldType::DateTime, 0, "begin", source(QT_TRANSLATE_NOOP("HostSchema", "Начало"))),
            col(FieldType::DateTime, 0, "end", source(QT_TRANSLATE_NOOP("HostSchema", "Окончание"))),
            col(FieldType::Int32, 0, "state", source(QT_TRANSLATE_NOOP("HostSchema", "Состояние"))) },
        { QStringLiteral("stock_id"), QStringLiteral("sess_id") } };
}

TableSchema enumeration(const QString& name, FieldType::Type keyType)
{
    return { name,
        { col(keyType, keyType == FieldType::Char ? 1 : 0, "code", source(QT_TRANSLATE_NOOP("HostSchema", "Код"))),
            col(FieldType::String, 40, "name", source(QT_TRANSLATE_NOOP("HostSchema", "Название"))),
            col(FieldType::String, 120, "descr", source(QT_TRANSLATE_NOOP("HostSchema", "Описание"))) },
        { QStringLiteral("code") } };
}

QList<TableSchema> enumerations()
{
    return { enumeration(QStringLiteral("status"), FieldType::Int32),
        enumeration(QStringLiteral("sec_state"), FieldType::Int32),
        enumeration(QStringLiteral("sec_type"), FieldType::Char),
        enumeration(QStringLiteral("sess_state"), FieldType::Int32),
        enumeration(QStringLiteral("buysell"), FieldType::Char),
        enumeration(QStringLiteral("price_dir"), FieldType::Int32),
        enumeration(QStringLiteral("opt_type"), FieldType::Char),
        enumeration(QStringLiteral("opt_calc"), FieldType::Int32) };
}

static TableSchema codeNameStatus(const char* name, int codeLength)
{
    return { QString::fromLatin1(name),
        { col(FieldType::String, codeLength, "code", source(QT_TRANSLATE_NOOP("HostSchema", "Код"))),
            col(FieldType::String, 60, "name", source(QT_TRANSLATE_NOOP("HostSchema", "Название"))),
            col(FieldType::Int32, 0, "status", source(QT_TRANSLATE_NOOP("HostSchema", "Статус"))) },
        { QStringLiteral("code") } };
}

TableSchema investors()
{
    TableSchema s = codeNameStatus("kv.investor", 7);
    s.columns.insert(1, col(FieldType::String, 4, "firm", source(QT_TRANSLATE_NOOP("HostSchema", "Фирма"))));
    return s;
}

TableSchema dealers()
{
    return codeNameStatus("kv.dealer", 7);
}

TableSchema firms()
{
    return codeNameStatus("kv.rf", 4);
}

TableSchema users()
{
    return { QStringLiteral("kv.user"),
        { col(FieldType::String, 20, "login", source(QT_TRANSLATE_NOOP("HostSchema", "Логин"))),
            col(FieldType::Int32, 0, "aspref", source(QT_TRANSLATE_NOOP("HostSchema", "Номер"))),
            col(FieldType::String, 60, "name", source(QT_TRANSLATE_NOOP("HostSchema", "Имя"))),
            col(FieldType::Int64, 0, "rights", source(QT_TRANSLATE_NOOP("HostSchema", "Разрешения"))) },
        { QStringLiteral("login") } };
}

TableSchema futSettlements()
{
    return { QStringLiteral("kv.fut_settlement"),
        { col(FieldType::String, 7, "code", source(QT_TRANSLATE_NOOP("HostSchema", "Код клиента"))),
            col(FieldType::Int32, 0, "type", source(QT_TRANSLATE_NOOP("HostSchema", "Тип"))),
            col(FieldType::String, 7, "settlement_account", source(QT_TRANSLATE_NOOP("HostSchema", "Расчётный код"))),
            col(FieldType::Int32, 0, "acceptable", source(QT_TRANSLATE_NOOP("HostSchema", "Допустим"))) },
        { QStringLiteral("code"), QStringLiteral("type") } };
}

TableSchema futMarginTypes()
{
    return { QStringLiteral("kv.fut_margin_type"),
        { col(FieldType::String, 7, "code", source(QT_TRANSLATE_NOOP("HostSchema", "Расчётный код"))),
            col(FieldType::Int32, 0, "margin_type", source(QT_TRANSLATE_NOOP("HostSchema", "Тип маржирования"))),
            col(FieldType::Int32, 0, "sa_type", source(QT_TRANSLATE_NOOP("HostSchema", "Тип расчетного кода"))),
            col(FieldType::Int32, 0, "ucp_type", source(QT_TRANSLATE_NOOP("HostSchema", "Признак единого пула"))),
            col(FieldType::Int32, 0, "operator_input", source(QT_TRANSLATE_NOOP("HostSchema", "Ввод оператором"))) },
        { QStringLiteral("code") } };
}

TableSchema brokerFeeParams()
{
    return { QStringLiteral("kv.broker_fee_param"),
        { col(FieldType::String, 7, "account", source(QT_TRANSLATE_NOOP("HostSchema", "Счёт"))),
            col(FieldType::Int32, 0, "seq", source(QT_TRANSLATE_NOOP("HostSchema", "Порядок"))),
            col(FieldType::DateTime, 0, "date_from", source(QT_TRANSLATE_NOOP("HostSchema", "Действует с"))),
            col(FieldType::Decimal, 4, "rate", source(QT_TRANSLATE_NOOP("HostSchema", "Ставка"))),
            col(FieldType::Decimal, 2, "min_fee", source(QT_TRANSLATE_NOOP("HostSchema", "Мин. сбор"))) },
        { QStringLiteral("account"), QStringLiteral("seq") } };
}

TableSchema fees(const QString& name)
{
    return { name,
        { col(FieldType::Int64, 0, "deal_num", source(QT_TRANSLATE_NOOP("HostSchema", "Номер сделки"))),
            col(FieldType::Decimal, 2, "fee_buy", source(QT_TRANSLATE_NOOP("HostSchema", "Сбор покупателя"))),
            col(FieldType::Decimal, 2, "fee_sell", source(QT_TRANSLATE_NOOP("HostSchema", "Сбор продавца"))) },
        { QStringLiteral("deal_num") } };
}

TableSchema variationMargins(const QString& name)
{
    return { name,
        { col(FieldType::String, 7, "settlement_account", source(QT_TRANSLATE_NOOP("HostSchema", "Расчётный код"))),
            col(FieldType::XDecimal, 2, "vm", source(QT_TRANSLATE_NOOP("HostSchema", "Вар. маржа"))) },
        { QStringLiteral("settlement_account") } };
}

TableSchema volatilities()
{
    QList<ColumnDef> c = securityKeyColumns();
    c << col(FieldType::Decimal, 4, "volat", source(QT_TRANSLATE_NOOP("HostSchema", "Волатильность")));
    return { QStringLiteral("volat"), c,
        { QStringLiteral("stock_id"), QStringLiteral("board_id"), QStringLiteral("sec_id") } };
}

TableSchema optionSeries()
{
    return { QStringLiteral("option_series"),
        { col(FieldType::Int32, 0, "option_series_id", source(QT_TRANSLATE_NOOP("HostSchema", "Серия"))),
            col(FieldType::String, 10, "base_code", source(QT_TRANSLATE_NOOP("HostSchema", "Баз. актив"))),
            col(FieldType::DateTime, 0, "expdate", source(QT_TRANSLATE_NOOP("HostSchema", "Исполнение"))),
            col(FieldType::Int32, 0, "option_calc", source(QT_TRANSLATE_NOOP("HostSchema", "Расчёт опциона"))),
            col(FieldType::Int32, 0, "main_board_id", source(QT_TRANSLATE_NOOP("HostSchema", "Режим баз. контр."))),
            col(FieldType::Int64, 0, "main_sec_id", source(QT_TRANSLATE_NOOP("HostSchema", "Базовый контракт"))),
            col(FieldType::String, 40, "name", source(QT_TRANSLATE_NOOP("HostSchema", "Название"))) },
        { QStringLiteral("option_series_id") } };
}

TableSchema baseContracts()
{
    return { QStringLiteral("base_contracts"),
        { col(FieldType::String, 10, "base_code", source(QT_TRANSLATE_NOOP("HostSchema", "Баз. актив"))),
            col(FieldType::String, 60, "name", source(QT_TRANSLATE_NOOP("HostSchema", "Название")),
                source(QT_TRANSLATE_NOOP("HostSchema", "Название базового актива"))),
            col(FieldType::Decimal, 2, "initial_margin", source(QT_TRANSLATE_NOOP("HostSchema", "ГО")),
                source(QT_TRANSLATE_NOOP("HostSchema", "Гарантийное обеспечение на контракт"))),
            col(FieldType::Decimal, 2, "limit_pct", source(QT_TRANSLATE_NOOP("HostSchema", "Лимит, %")),
                source(QT_TRANSLATE_NOOP("HostSchema", "Ширина лимита колебания цены"))),
            col(FieldType::String, 3, "currency", source(QT_TRANSLATE_NOOP("HostSchema", "Валюта"))) },
        { QStringLiteral("base_code") } };
}

TableSchema orders()
{
    QList<ColumnDef> c { col(FieldType::Int64, 0, "order_num", source(QT_TRANSLATE_NOOP("HostSchema", "Номер"))) };
    c << securityKeyColumns() << col(FieldType::Int32, 0, "sess_id", source(QT_TRANSLATE_NOOP("HostSchema", "Сессия")))
      << col(FieldType::Char, 1, "buysell", source(QT_TRANSLATE_NOOP("HostSchema", "Направление")))
      << col(FieldType::Decimal, 4, "price", source(QT_TRANSLATE_NOOP("HostSchema", "Цена")))
      << col(FieldType::Int64, 0, "quantity", source(QT_TRANSLATE_NOOP("HostSchema", "Количество")))
      << col(FieldType::Int64, 0, "balance", source(QT_TRANSLATE_NOOP("HostSchema", "Остаток")))
      << col(FieldType::Int32, 0, "status", source(QT_TRANSLATE_NOOP("HostSchema", "Статус")))
      << col(FieldType::String, 7, "account", source(QT_TRANSLATE_NOOP("HostSchema", "Счёт")))
      << col(FieldType::DateTime, 0, "moment", source(QT_TRANSLATE_NOOP("HostSchema", "Время")))
      << col(FieldType::Int64, 0, "signs", source(QT_TRANSLATE_NOOP("HostSchema", "Признаки")))
      << col(FieldType::String, 20, "login", source(QT_TRANSLATE_NOOP("HostSchema", "Логин")))
      << col(FieldType::String, 20, "comment", source(QT_TRANSLATE_NOOP("HostSchema", "Комментарий")));
    return { QStringLiteral("orders"), c, { QStringLiteral("order_num") } };
}

TableSchema deals()
{
    QList<ColumnDef> c { col(FieldType::Int64, 0, "deal_num", source(QT_TRANSLATE_NOOP("HostSchema", "Номер сделки"))),
        col(FieldType::Int64, 0, "order_num", source(QT_TRANSLATE_NOOP("HostSchema", "Номер заявки"))) };
    c << securityKeyColumns() << col(FieldType::Int32, 0, "sess_id", source(QT_TRANSLATE_NOOP("HostSchema", "Сессия")))
      << col(FieldType::Char, 1, "buysell", source(QT_TRANSLATE_NOOP("HostSchema", "Направление")))
      << col(FieldType::Decimal, 4, "price", source(QT_TRANSLATE_NOOP("HostSchema", "Цена")))
      << col(FieldType::Int64, 0, "quantity", source(QT_TRANSLATE_NOOP("HostSchema", "Количество")))
      << col(FieldType::String, 7, "account", source(QT_TRANSLATE_NOOP("HostSchema", "Счёт")))
      << col(FieldType::DateTime, 0, "moment", source(QT_TRANSLATE_NOOP("HostSchema", "Время")))
      << col(FieldType::Int64, 0, "signs", source(QT_TRANSLATE_NOOP("HostSchema", "Признаки")))
      << col(FieldType::Int32, 0, "fee_flag", source(QT_TRANSLATE_NOOP("HostSchema", "Сбор")))
      << col(FieldType::Int32, 0, "lotsize", source(QT_TRANSLATE_NOOP("HostSchema", "Лот")));
    return { QStringLiteral("deals"), c, { QStringLiteral("deal_num") } };
}

TableSchema positions()
{
    QList<ColumnDef> c { col(FieldType::String, 7, "account", source(QT_TRANSLATE_NOOP("HostSchema", "Счёт"))) };
    c << securityKeyColumns()
      << col(FieldType::Int64, 0, "open_pos", source(QT_TRANSLATE_NOOP("HostSchema", "Начальная позиция")))
      << col(FieldType::Int64, 0, "buy_qty", source(QT_TRANSLATE_NOOP("HostSchema", "Куплено")))
      << col(FieldType::Int64, 0, "sell_qty", source(QT_TRANSLATE_NOOP("HostSchema", "Продано")))
      << col(FieldType::Int64, 0, "pos", source(QT_TRANSLATE_NOOP("HostSchema", "Позиция")))
      << col(FieldType::Decimal, 4, "avg_price", source(QT_TRANSLATE_NOOP("HostSchema", "Средняя цена")))
      << col(FieldType::XDecimal, 2, "vm", source(QT_TRANSLATE_NOOP("HostSchema", "Вар. маржа")));
    return { QStringLiteral("positions"), c,
        { QStringLiteral("account"), QStringLiteral("stock_id"), QStringLiteral("board_id"),
            QStringLiteral("sec_id") } };
}

TableSchema moneyLimits()
{
    return { QStringLiteral("money_limits"),
        { col(FieldType::String, 7, "account", source(QT_TRANSLATE_NOOP("HostSchema", "Счёт"))),
            col(FieldType::Decimal, 2, "limit", source(QT_TRANSLATE_NOOP("HostSchema", "Лимит")),
                source(QT_TRANSLATE_NOOP("HostSchema", "Денежный лимит клиента"))),
            col(FieldType::Decimal, 2, "used", source(QT_TRANSLATE_NOOP("HostSchema", "Использовано")),
                source(QT_TRANSLATE_NOOP("HostSchema", "Часть лимита, уже занятая"))),
            col(FieldType::String, 60, "comment", source(QT_TRANSLATE_NOOP("HostSchema", "Комментарий"))) },
        { QStringLiteral("account") } };
}

QList<TableSchema> all()
{
    QList<TableSchema> list { stocks(), boards(), securities(), sessions() };
    list << enumerations();
    list << investors() << dealers() << firms() << users() << futSettlements() << futMarginTypes() << brokerFeeParams()
         << fees(QStringLiteral("fee")) << fees(QStringLiteral("broker_fee"))
         << variationMargins(QStringLiteral("fut_vm_sa")) << variationMargins(QStringLiteral("opt_vm_sa"))
         << volatilities() << optionSeries() << baseContracts() << orders() << deals() << positions() << moneyLimits();
    return list;
}

} // namespace HostSchema
