#pragma once

#include "core/db/table.h"

// A small orders table shaped like the terminal's: int64 key "order_num", a decimal price, texts and a date.
inline Table* makeOrderTable(QObject* parent = nullptr, const QString& name = QStringLiteral("orders"))
{
    const QList<ColumnDef> columns = {
        ColumnDef(FieldType::Int64, 0, QStringLiteral("order_num"), QStringLiteral("Номер")),
        ColumnDef(FieldType::Int32, 0, QStringLiteral("stock_id"), QStringLiteral("Рынок")),
        ColumnDef(FieldType::Int32, 0, QStringLiteral("board_id"), QStringLiteral("Режим")),
        ColumnDef(FieldType::Int64, 0, QStringLiteral("sec_id"), QStringLiteral("Инструмент")),
        ColumnDef(FieldType::Char, 1, QStringLiteral("buysell"), QStringLiteral("Направление")),
        ColumnDef(FieldType::Decimal, 2, QStringLiteral("price"), QStringLiteral("Цена")),
        ColumnDef(FieldType::Int64, 0, QStringLiteral("quantity"), QStringLiteral("Количество")),
        ColumnDef(FieldType::String, 7, QStringLiteral("account"), QStringLiteral("Счёт")),
        ColumnDef(FieldType::DateTime, 0, QStringLiteral("moment"), QStringLiteral("Время")),
        ColumnDef(FieldType::Double, 0, QStringLiteral("volat"), QStringLiteral("Волатильность")),
        ColumnDef(FieldType::Int32, 0, QStringLiteral("status"), QStringLiteral("Статус")),
    };
    return new Table(name, columns, { QStringLiteral("order_num") }, parent);
}

// A detached order with the given key and price, not yet in its table.
inline Record makeOrder(Table* table, qint64 orderNum, const QString& price = QStringLiteral("100.00"))
{
    Record r(table);
    r.data(QStringLiteral("order_num")) = orderNum;
    r.data(QStringLiteral("price")) = price;
    return r;
}
