#include "core/host/schema/hostschema.h"

#include <QCoreApplication>

namespace HostSchema {

namespace {

ColumnDef col(
    FieldType::Type type, int length, const char* name, const QString& title, const QString& description = QString())
{
    return ColumnDef(type, length, QString::fromLatin1(name), title, true, description);
}

QString tr(const char* text)
{
    return QCoreApplication::translate("HostSchema", text);
}

QList<ColumnDef> securityKeyColumns()
{
    return { col(FieldType::Int32, 0, "stock_id", tr("Рынок")), col(FieldType::Int32, 0, "board_id", tr("Режим")),
        col(FieldType::Int64, 0, "sec_id", tr("Инструмент")) };
}

} // namespace

TableSchema stocks()
{
    return { QStringLiteral("stocks"),
        { col(FieldType::Int32, 0, "stock_id", tr("Рынок")), col(FieldType::String, 10, "stock_code", tr("Код")),
            col(FieldType::String, 40, "stock_name", tr("Площадка")),
            col(FieldType::Int64, 0, "time_offset_ms", tr("Сдвиг времени, мс")) },
        { QStringLiteral("stock_id") } };
}

TableSchema boards()
{
    return { QStringLiteral("boards"),
        { col(FieldType::Int32, 0, "stock_id", tr("Рынок")), col(FieldType::Int32, 0, "board_id", tr("Режим")),
            col(FieldType::String, 12, "board_code", tr("Код режима")),
            col(FieldType::String, 40, "board_name", tr("Название режима")),
            col(FieldType::Int32, 0, "flags", tr("Признаки")) },
        { QStringLiteral("stock_id"), QStringLiteral("board_id") } };
}

TableSchema securities()
{
    QList<ColumnDef> c = securityKeyColumns();
    c << col(FieldType::String, 25, "sec_code", tr("Код")) << col(FieldType::String, 25, "sec_name", tr("Инструмент"))
      << col(FieldType::String, 80, "sec_longname", tr("Полное название"))
      << col(FieldType::String, 10, "base_code", tr("Баз. актив")) << col(FieldType::Int32, 0, "isin_id", tr("ISIN"))
      << col(FieldType::Int32, 0, "option_series_id", tr("Серия")) << col(FieldType::Char, 1, "sectype", tr("Тип"))
      << col(FieldType::Int32, 0, "main_board_id", tr("Режим баз. контр."))
      << col(FieldType::Int64, 0, "main_sec_id", tr("Базовый контракт"))
      << col(FieldType::Int32, 0, "fut_isin_id", tr("ISIN баз. контр."))
      << col(FieldType::DateTime, 0, "expdate", tr("Исполнение")) << col(FieldType::Decimal, 2, "strike", tr("Страйк"))
      << col(FieldType::Char, 1, "opt_type", tr("Тип опциона"))
      << col(FieldType::Int32, 0, "option_calc", tr("Расчёт опциона"))
      << col(FieldType::Int32, 0, "decimals", tr("Знаков")) << col(FieldType::Decimal, 4, "price_step", tr("Шаг цены"))
      << col(FieldType::Decimal, 4, "min_price", tr("Мин. цена"))
      << col(FieldType::Decimal, 4, "max_price", tr("Макс. цена")) << col(FieldType::Int32, 0, "lotsize", tr("Лот"))
      << col(FieldType::Int32, 0, "state", tr("Состояние")) << col(FieldType::Int64, 0, "signs", tr("Признаки"))
      << col(FieldType::Decimal, 4, "settle_price", tr("Расчётная цена"))
      << col(FieldType::Int32, 0, "sess_id", tr("Сессия"))
      // live columns
      << col(FieldType::Decimal, 4, "bid", tr("Покупка")) << col(FieldType::Decimal, 4, "offer", tr("Продажа"))
      << col(FieldType::Decimal, 4, "last", tr("Последняя")) << col(FieldType::Int32, 0, "price_dir", tr("Изменение"))
      << col(FieldType::DateTime, 0, "change_time", tr("Время изменения"))
      << col(FieldType::Int64, 0, "volume", tr("Объём"))
      // Each quote moves on its own: its own direction and time, for the price cells' flash.
      << col(FieldType::Int32, 0, "bid_dir", tr("Изменение покупки"))
      << col(FieldType::DateTime, 0, "bid_time", tr("Время покупки"))
      << col(FieldType::Int32, 0, "offer_dir", tr("Изменение продажи"))
      << col(FieldType::DateTime, 0, "offer_time", tr("Время продажи"));
    return { QStringLiteral("securities"), c,
        { QStringLiteral("stock_id"), QStringLiteral("board_id"), QStringLiteral("sec_id") } };
}

TableSchema sessions()
{
    return { QStringLiteral("sessions"),
        { col(FieldType::Int32, 0, "stock_id", tr("Рынок")), col(FieldType::Int32, 0, "sess_id", tr("Сессия")),
            col(FieldType::String, 40, "sess_name", tr("Название")), col(FieldType::DateTime, 0, "begin", tr("Начало")),
            col(FieldType::DateTime, 0, "end", tr("Окончание")), col(FieldType::Int32, 0, "state", tr("Состояние")) },
        { QStringLiteral("stock_id"), QStringLiteral("sess_id") } };
}

TableSchema enumeration(const QString& name, FieldType::Type keyType)
{
    return { name,
        { col(keyType, keyType == FieldType::Char ? 1 : 0, "code", tr("Код")),
            col(FieldType::String, 40, "name", tr("Название")), col(FieldType::String, 120, "descr", tr("Описание")) },
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
        { col(FieldType::String, codeLength, "code", tr("Код")), col(FieldType::String, 60, "name", tr("Название")),
            col(FieldType::Int32, 0, "status", tr("Статус")) },
        { QStringLiteral("code") } };
}

TableSchema investors()
{
    TableSchema s = codeNameStatus("kv.investor", 7);
    s.columns.insert(1, col(FieldType::String, 4, "firm", tr("Фирма")));
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
        { col(FieldType::String, 20, "login", tr("Логин")), col(FieldType::Int32, 0, "aspref", tr("Номер")),
            col(FieldType::String, 60, "name", tr("Имя")), col(FieldType::Int64, 0, "rights", tr("Разрешения")) },
        { QStringLiteral("login") } };
}

TableSchema futSettlements()
{
    return { QStringLiteral("kv.fut_settlement"),
        { col(FieldType::String, 7, "code", tr("Код клиента")), col(FieldType::Int32, 0, "type", tr("Тип")),
            col(FieldType::String, 7, "settlement_account", tr("Расчётный код")),
            col(FieldType::Int32, 0, "acceptable", tr("Допустим")) },
        { QStringLiteral("code"), QStringLiteral("type") } };
}

TableSchema futMarginTypes()
{
    return { QStringLiteral("kv.fut_margin_type"),
        { col(FieldType::String, 7, "code", tr("Расчётный код")),
            col(FieldType::Int32, 0, "margin_type", tr("Тип маржирования")),
            col(FieldType::Int32, 0, "sa_type", tr("Тип расчетного кода")),
            col(FieldType::Int32, 0, "ucp_type", tr("Признак единого пула")),
            col(FieldType::Int32, 0, "operator_input", tr("Ввод оператором")) },
        { QStringLiteral("code") } };
}

TableSchema brokerFeeParams()
{
    return { QStringLiteral("kv.broker_fee_param"),
        { col(FieldType::String, 7, "account", tr("Счёт")), col(FieldType::Int32, 0, "seq", tr("Порядок")),
            col(FieldType::DateTime, 0, "date_from", tr("Действует с")),
            col(FieldType::Decimal, 4, "rate", tr("Ставка")), col(FieldType::Decimal, 2, "min_fee", tr("Мин. сбор")) },
        { QStringLiteral("account"), QStringLiteral("seq") } };
}

TableSchema fees(const QString& name)
{
    return { name,
        { col(FieldType::Int64, 0, "deal_num", tr("Номер сделки")),
            col(FieldType::Decimal, 2, "fee_buy", tr("Сбор покупателя")),
            col(FieldType::Decimal, 2, "fee_sell", tr("Сбор продавца")) },
        { QStringLiteral("deal_num") } };
}

TableSchema variationMargins(const QString& name)
{
    return { name,
        { col(FieldType::String, 7, "settlement_account", tr("Расчётный код")),
            col(FieldType::XDecimal, 2, "vm", tr("Вар. маржа")) },
        { QStringLiteral("settlement_account") } };
}

TableSchema volatilities()
{
    QList<ColumnDef> c = securityKeyColumns();
    c << col(FieldType::Decimal, 4, "volat", tr("Волатильность"));
    return { QStringLiteral("volat"), c,
        { QStringLiteral("stock_id"), QStringLiteral("board_id"), QStringLiteral("sec_id") } };
}

TableSchema optionSeries()
{
    return { QStringLiteral("option_series"),
        { col(FieldType::Int32, 0, "option_series_id", tr("Серия")),
            col(FieldType::String, 10, "base_code", tr("Баз. актив")),
            col(FieldType::DateTime, 0, "expdate", tr("Исполнение")),
            col(FieldType::Int32, 0, "option_calc", tr("Расчёт опциона")),
            col(FieldType::Int32, 0, "main_board_id", tr("Режим баз. контр.")),
            col(FieldType::Int64, 0, "main_sec_id", tr("Базовый контракт")),
            col(FieldType::String, 40, "name", tr("Название")) },
        { QStringLiteral("option_series_id") } };
}

TableSchema baseContracts()
{
    return { QStringLiteral("base_contracts"),
        { col(FieldType::String, 10, "base_code", tr("Баз. актив")),
            col(FieldType::String, 60, "name", tr("Название"), tr("Название базового актива")),
            col(FieldType::Decimal, 2, "initial_margin", tr("ГО"), tr("Гарантийное обеспечение на контракт")),
            col(FieldType::Decimal, 2, "limit_pct", tr("Лимит, %"), tr("Ширина лимита колебания цены")),
            col(FieldType::String, 3, "currency", tr("Валюта")) },
        { QStringLiteral("base_code") } };
}

TableSchema orders()
{
    QList<ColumnDef> c { col(FieldType::Int64, 0, "order_num", tr("Номер")) };
    c << securityKeyColumns() << col(FieldType::Int32, 0, "sess_id", tr("Сессия"))
      << col(FieldType::Char, 1, "buysell", tr("Направление")) << col(FieldType::Decimal, 4, "price", tr("Цена"))
      << col(FieldType::Int64, 0, "quantity", tr("Количество")) << col(FieldType::Int64, 0, "balance", tr("Остаток"))
      << col(FieldType::Int32, 0, "status", tr("Статус")) << col(FieldType::String, 7, "account", tr("Счёт"))
      << col(FieldType::DateTime, 0, "moment", tr("Время")) << col(FieldType::Int64, 0, "signs", tr("Признаки"))
      << col(FieldType::String, 20, "login", tr("Логин")) << col(FieldType::String, 20, "comment", tr("Комментарий"));
    return { QStringLiteral("orders"), c, { QStringLiteral("order_num") } };
}

TableSchema deals()
{
    QList<ColumnDef> c { col(FieldType::Int64, 0, "deal_num", tr("Номер сделки")),
        col(FieldType::Int64, 0, "order_num", tr("Номер заявки")) };
    c << securityKeyColumns() << col(FieldType::Int32, 0, "sess_id", tr("Сессия"))
      << col(FieldType::Char, 1, "buysell", tr("Направление")) << col(FieldType::Decimal, 4, "price", tr("Цена"))
      << col(FieldType::Int64, 0, "quantity", tr("Количество")) << col(FieldType::String, 7, "account", tr("Счёт"))
      << col(FieldType::DateTime, 0, "moment", tr("Время")) << col(FieldType::Int64, 0, "signs", tr("Признаки"))
      << col(FieldType::Int32, 0, "fee_flag", tr("Сбор")) << col(FieldType::Int32, 0, "lotsize", tr("Лот"));
    return { QStringLiteral("deals"), c, { QStringLiteral("deal_num") } };
}

TableSchema positions()
{
    QList<ColumnDef> c { col(FieldType::String, 7, "account", tr("Счёт")) };
    c << securityKeyColumns() << col(FieldType::Int64, 0, "open_pos", tr("Начальная позиция"))
      << col(FieldType::Int64, 0, "buy_qty", tr("Куплено")) << col(FieldType::Int64, 0, "sell_qty", tr("Продано"))
      << col(FieldType::Int64, 0, "pos", tr("Позиция")) << col(FieldType::Decimal, 4, "avg_price", tr("Средняя цена"))
      << col(FieldType::XDecimal, 2, "vm", tr("Вар. маржа"));
    return { QStringLiteral("positions"), c,
        { QStringLiteral("account"), QStringLiteral("stock_id"), QStringLiteral("board_id"),
            QStringLiteral("sec_id") } };
}

TableSchema moneyLimits()
{
    return { QStringLiteral("money_limits"),
        { col(FieldType::String, 7, "account", tr("Счёт")),
            col(FieldType::Decimal, 2, "limit", tr("Лимит"), tr("Денежный лимит клиента")),
            col(FieldType::Decimal, 2, "used", tr("Использовано"), tr("Часть лимита, уже занятая")),
            col(FieldType::String, 60, "comment", tr("Комментарий")) },
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
