// Column delegates of the catalogue over a million generated orders, one thread: display-role calls per second
// of the price, instrument name, board and status columns, with the heap allocations each call makes (the
// price's decimal is too large to live inside its QVariant: that one is the returned value's own); the shown
// text of every standard order column (the model's value through the views' item delegate, as find and the
// text filter read it), in ns and allocations a cell; and a sort of the whole table by board name.
//
// --texts-only [COLUMN] runs the shown texts alone, of one column when named (for profiling).
//
// --screenshot PREFIX saves PREFIX-orders.png, PREFIX-deals.png and PREFIX-instruments.png: sample tables shown
// through the catalogue.

#include "benchutil.h"

#include "columns/catalogue/enumcolumndelegates.h"
#include "columns/catalogue/marketcolumndelegates.h"
#include "columns/catalogue/securitycolumndelegates.h"
#include "columns/catalogue/standardcolumndelegates.h"
#include "columns/catalogue/valuecolumndelegates.h"
#include "columns/itemroles.h"
#include "core/db/masterindex.h"
#include "core/db/table.h"
#include "delegates/itemdelegate.h"
#include "marketfixture.h"
#include "models/tableindexmodel.h"
#include "views/qtablefastview.h"

#include <QApplication>
#include <QHeaderView>

#include <atomic>
#include <cstdlib>
#include <ctime>

#if !defined(__SANITIZE_ADDRESS__) && !defined(__SANITIZE_THREAD__)
// Every heap allocation of the process passes here (QString and QVariant data included).
static std::atomic<qint64> allocations { 0 };
extern "C" void* __libc_malloc(size_t size);
extern "C" void* malloc(size_t size)
{
    allocations.fetch_add(1, std::memory_order_relaxed);
    return __libc_malloc(size);
}
#define BV_COUNTS_ALLOCATIONS 1
#endif

namespace {

qint64 allocationCount()
{
#ifdef BV_COUNTS_ALLOCATIONS
    return allocations.load(std::memory_order_relaxed);
#else
    return -1;
#endif
}

// Display-role calls per second over every order, and the allocations per call.
void displayRate(const QString& name, const Table* orders, const ColumnModelDelegate& delegate, int field)
{
    qint64 answered = 0;
    qint64 allocated = 0;
    const double ms = Bench::medianMs(
        3, [&] { answered = 0; },
        [&] {
            const qint64 before = allocationCount();
            QVariant value;
            for (const Record& r : *orders->masterIndex())
                answered += delegate.data(r.data(field), r, Qt::DisplayRole, value);
            allocated = allocationCount() - before;
        });
    if (answered != orders->count())
        qFatal("%s answered %lld of %d records", qPrintable(name), answered, orders->count());
    Bench::result(QStringLiteral("display_%1").arg(name), orders->count() / ms / 1000.0, QStringLiteral("Mcalls/s"));
    if (allocationCount() >= 0)
        Bench::result(QStringLiteral("display_%1_allocations").arg(name), double(allocated) / orders->count(),
            QStringLiteral("per call"));
}

// CPU time of this thread in ms: the machine is shared, and a single-thread figure should not count the time
// other processes hold the core.
double threadCpuMs()
{
    timespec now {};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return now.tv_sec * 1e3 + now.tv_nsec / 1e6;
}

// Median CPU ms of three passes of `work`, and the allocations of the last one.
template<typename Work>
double cpuMs(Work work, qint64& allocated)
{
    std::vector<double> passes;
    for (int pass = 0; pass < 3; ++pass) {
        const qint64 before = allocationCount();
        const double start = threadCpuMs();
        work();
        passes.push_back(threadCpuMs() - start);
        allocated = allocationCount() - before;
    }
    return Bench::median(passes);
}

// The shown text of every cell: CPU ns and allocations a cell, per column (one column after the other) and over
// all columns of each row in turn, the order in which find, the text filter and export read them.
void shownTexts(const Table* orders, const QLocale& locale, const QString& only)
{
    TableIndexModel model(const_cast<Table*>(orders));
    StandardColumnDelegates::install(&model, QStringLiteral("orders"));
    const ItemDelegate painter;
    const int columns = model.columnCount();
    const double cells = orders->count();
    qint64 characters = 0;
    qint64 allocated = 0;
    for (int column = 0; column < columns; ++column) {
        const QString name = model.headerData(column, Qt::Horizontal, ColumnNameRole).toString();
        if (!only.isEmpty() && name != only)
            continue;
        const double ms = cpuMs(
            [&] {
                for (const Record& r : *orders->masterIndex())
                    characters += painter.displayText(model.dataByRecord(r, column, Qt::DisplayRole), locale).size();
            },
            allocated);
        Bench::result(QStringLiteral("shown_text_%1").arg(name), ms * 1e6 / cells, QStringLiteral("ns/cell"));
        if (allocationCount() >= 0)
            Bench::result(
                QStringLiteral("shown_text_%1_allocations").arg(name), allocated / cells, QStringLiteral("per cell"));
    }
    if (only.isEmpty()) {
        const double ms = cpuMs(
            [&] {
                for (const Record& r : *orders->masterIndex()) {
                    for (int column = 0; column < columns; ++column)
                        characters
                            += painter.displayText(model.dataByRecord(r, column, Qt::DisplayRole), locale).size();
                }
            },
            allocated);
        const QString name = QStringLiteral("shown_text_%1_columns_by_row").arg(columns);
        Bench::result(name, ms * 1e6 / (cells * columns), QStringLiteral("ns/cell"));
        if (allocationCount() >= 0)
            Bench::result(
                name + QStringLiteral("_allocations"), allocated / (cells * columns), QStringLiteral("per cell"));
    }
    if (characters == 0)
        qFatal("no text shown");
}

void screenshot(const QString& prefix)
{
    const MarketFixture market(SampleMarketOptions::sized(400, 3000));
    for (const QString& name : { QStringLiteral("orders"), QStringLiteral("deals"), QStringLiteral("securities") }) {
        TableIndexModel model(market.table(name));
        StandardColumnDelegates::install(&model, name);
        model.rebuild();
        QTableFastView view;
        view.setModel(&model);
        view.resize(1600, 560);
        for (int column = 0; column < model.columnCount(); ++column)
            view.resizeColumnToContents(column);
        view.show();
        QCoreApplication::processEvents();
        const QString file
            = QStringLiteral("%1-%2.png")
                  .arg(prefix, name == QLatin1String("securities") ? QStringLiteral("instruments") : name);
        view.grab().save(file);
        Bench::header(QStringLiteral("saved %1").arg(file));
    }
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    const int shotAt = args.indexOf(QStringLiteral("--screenshot"));
    if (shotAt >= 0 && shotAt + 1 < args.size()) {
        screenshot(args.at(shotAt + 1));
        return 0;
    }

    Bench::header(QStringLiteral("bench_delegates: 1000000 orders, display role, single thread"));
    const MarketFixture market(SampleMarketOptions::sized(5000, 1000000));
    Table* orders = market.table(QStringLiteral("orders"));
    // The terminal's users read Russian texts and numbers.
    const QLocale russian(QLocale::Russian, QLocale::Russia);
    Bench::header(
        QStringLiteral("shown texts: item delegate, locale %1, thread CPU time, medians of 3").arg(russian.name()));
    const int textsOnly = args.indexOf(QStringLiteral("--texts-only"));
    shownTexts(orders, russian, textsOnly >= 0 ? args.value(textsOnly + 1) : QString());
    if (textsOnly >= 0)
        return 0;
    TableIndexModel model(orders);
    const int boardField = orders->columnIndex(QStringLiteral("board_id"));

    const PriceColumnDelegate price(&model);
    const SecurityColumnDelegate security(&model);
    const BoardColumnDelegate board(&model);
    const StatusColumnDelegate status(&model);
    displayRate(QStringLiteral("price"), orders, price, orders->columnIndex(QStringLiteral("price")));
    displayRate(QStringLiteral("security_name"), orders, security, orders->columnIndex(QStringLiteral("sec_id")));
    displayRate(QStringLiteral("board"), orders, board, boardField);
    displayRate(QStringLiteral("status"), orders, status, orders->columnIndex(QStringLiteral("status")));

    // The whole table sorted by board name (the model's concurrent sort), against the same sort by the raw ids.
    model.setColumnDelegate(boardField, new BoardColumnDelegate(&model));
    model.setSort(boardField, Qt::AscendingOrder);
    const double byName = Bench::medianMs(3, {}, [&] { model.rebuild(); });
    Bench::result(QStringLiteral("sort_1000000_by_board_name"), byName, QStringLiteral("ms"));
    model.setColumnDelegate(boardField, nullptr);
    const double byId = Bench::medianMs(3, {}, [&] { model.rebuild(); });
    Bench::result(QStringLiteral("sort_1000000_by_board_id"), byId, QStringLiteral("ms"));
    return 0;
}
