// A table of orders in a live model sorted by price, shown by the fast view; one order's price changes and the
// view shows it in its new place. Exits non-zero with a message when anything is off.

#include <core/db/record.h>
#include <core/db/table.h>
#include <models/tableindexmodel.h>
#include <views/qtablefastview.h>

#include <QApplication>
#include <cstdio>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    Table orders(QStringLiteral("orders"),
        { ColumnDef(FieldType::Int64, 0, QStringLiteral("order_num"), QStringLiteral("Номер")),
            ColumnDef(FieldType::Decimal, 2, QStringLiteral("price"), QStringLiteral("Цена")) },
        { QStringLiteral("order_num") });
    for (int n = 1; n <= 100; ++n) {
        Record order(&orders);
        order.data(QStringLiteral("order_num")) = qint64(n);
        order.data(QStringLiteral("price")) = QString::number(1000 - n);
        order.append();
    }
    TableIndexModel model(&orders);
    model.setSort(orders.columnIndex(QStringLiteral("price")), Qt::AscendingOrder);
    model.rebuild();
    QTableFastView view;
    view.setModel(&model);
    view.resize(400, 300);
    view.show();
    QApplication::processEvents();

    auto numberAt = [&](int row) { return model.index(row, 0).data().toLongLong(); };
    if (model.rowCount() != 100 || numberAt(0) != 100) {
        std::fprintf(stderr, "consumer: the model shows %d rows, %lld first\n", model.rowCount(), numberAt(0));
        return 1;
    }
    Record cheapest(&orders, QStringLiteral("1"));
    cheapest.data(QStringLiteral("price")) = QStringLiteral("1");
    cheapest.updated(orders.columnIndex(QStringLiteral("price")));
    QApplication::processEvents();
    const QModelIndex top = view.indexAt(QPoint(2, 2));
    if (numberAt(0) != 1 || !top.isValid() || top.data().toLongLong() != 1) {
        std::fprintf(stderr, "consumer: after the change the first row is %lld\n", numberAt(0));
        return 1;
    }
    std::printf("consumer: %d orders, the changed one shown first\n", model.rowCount());
    return 0;
}
