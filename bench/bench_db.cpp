// The database component on a million-row orders table: bulk load through one transaction, a batch of field
// updates, key lookups of detached records and the memory a row costs.

#include "benchutil.h"

#include "core/db/masterindex.h"
#include "core/db/recordstrans.h"
#include "core/db/recordupdater.h"
#include "core/db/table.h"

#include <QCoreApplication>
#include <QRandomGenerator>

#include <algorithm>
#include <memory>
#include <numeric>

namespace {

const int Rows = 1000000;

std::unique_ptr<Table> makeOrders()
{
    const QList<ColumnDef> columns = {
        ColumnDef(FieldType::Int64, 0, QStringLiteral("order_num")),
        ColumnDef(FieldType::Int32, 0, QStringLiteral("stock_id")),
        ColumnDef(FieldType::Int32, 0, QStringLiteral("board_id")),
        ColumnDef(FieldType::Int64, 0, QStringLiteral("sec_id")),
        ColumnDef(FieldType::Char, 1, QStringLiteral("buysell")),
        ColumnDef(FieldType::Decimal, 2, QStringLiteral("price")),
        ColumnDef(FieldType::Int64, 0, QStringLiteral("quantity")),
        ColumnDef(FieldType::Int64, 0, QStringLiteral("balance")),
        ColumnDef(FieldType::Int32, 0, QStringLiteral("status")),
        ColumnDef(FieldType::String, 7, QStringLiteral("account")),
        ColumnDef(FieldType::DateTime, 0, QStringLiteral("moment")),
        ColumnDef(FieldType::Int64, 0, QStringLiteral("signs")),
        ColumnDef(FieldType::Int32, 0, QStringLiteral("sess_id")),
    };
    return std::make_unique<Table>(QStringLiteral("orders"), columns, QStringList { QStringLiteral("order_num") });
}

std::vector<qint64> shuffledKeys(quint32 seed)
{
    std::vector<qint64> keys(Rows);
    std::iota(keys.begin(), keys.end(), qint64(1000000));
    QRandomGenerator rng(seed);
    for (std::size_t i = keys.size() - 1; i > 0; --i)
        std::swap(keys[i], keys[rng.bounded(quint32(i + 1))]);
    return keys;
}

void load(Table* table, const std::vector<qint64>& keys)
{
    static const QString accounts[]
        = { QStringLiteral("A100001"), QStringLiteral("A100002"), QStringLiteral("B200017") };
    const datetime start = datetime::fromQDateTime(QDateTime(QDate(2026, 12, 5), QTime(10, 0)));
    RecordsTrans trans(table);
    for (std::size_t i = 0; i < keys.size(); ++i) {
        const qint64 key = keys[i];
        RecordUpdater u(Record(table), trans);
        u.data(0) = key;
        u.data(1) = 1;
        u.data(2) = 14;
        u.data(3) = qint64(100 + key % 500);
        u.data(4) = key % 2 ? 'B' : 'S';
        u.data(5) = decimal(10000 + key % 7919, 2);
        u.data(6) = qint64(1 + key % 100);
        u.data(7) = qint64(key % 100);
        u.data(8) = int(key % 4);
        u.data(9) = accounts[key % 3];
        u.data(10) = start.addMSecs(qint64(i));
        u.data(11) = qint64(0x40);
        u.data(12) = 5000;
    }
    trans.commit();
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    Bench::header(QStringLiteral("bench_db: orders table, %1 rows, 13 columns").arg(Rows));
    const std::vector<qint64> keys = shuffledKeys(20261205);

    // Memory: the first load in a fresh process, peak resident growth per row.
    const qint64 rssBefore = Bench::peakRss();
    std::unique_ptr<Table> table = makeOrders();
    std::vector<double> loadTimes;
    loadTimes.push_back(Bench::timeMs([&] { load(table.get(), keys); }));
    const double bytesPerRow = double(Bench::peakRss() - rssBefore) / Rows;
    const int fieldBytes = table->layout().fieldBytes();
    Bench::result(QStringLiteral("db_row_field_bytes"), fieldBytes, QStringLiteral("bytes"));
    Bench::result(QStringLiteral("db_memory_per_row"), bytesPerRow, QStringLiteral("bytes"));
    Bench::result(QStringLiteral("db_memory_budget_per_row"), 1.5 * fieldBytes + 48, QStringLiteral("bytes"));
    if (table->count() != Rows)
        qFatal("load lost rows: %d", table->count());

    for (int run = 0; run < 2; ++run) {
        table.reset();
        table = makeOrders();
        loadTimes.push_back(Bench::timeMs([&] { load(table.get(), keys); }));
    }
    Bench::result(
        QStringLiteral("db_append_1m_random_keys_one_transaction"), Bench::median(loadTimes), QStringLiteral("ms"));

    // A batch of 10,000 field updates (price and balance of random orders), staged and applied.
    QRandomGenerator rng(7);
    const double updateMs = Bench::medianMs(7, nullptr, [&] {
        RecordsTrans trans(table.get());
        for (int i = 0; i < 10000; ++i) {
            const Record& r = table->masterIndex()->at(int(rng.bounded(Rows)));
            RecordUpdater u(r, trans);
            u.data(5) = decimal(9000 + int(rng.bounded(2000)), 2);
            u.data(7) = qint64(rng.bounded(100));
        }
        trans.commit();
    });
    Bench::result(QStringLiteral("db_update_batch_10k_fields"), updateMs, QStringLiteral("ms"));

    // Key lookups of detached records.
    std::vector<Record> probes;
    for (int i = 0; i < 1000; ++i) {
        Record probe(table.get());
        probe.data(0) = keys[rng.bounded(Rows)];
        probes.push_back(probe);
    }
    const int lookups = 1000000;
    int found = 0;
    const double lookupMs = Bench::medianMs(
        5, [&] { found = 0; },
        [&] {
            for (int i = 0; i < lookups; ++i)
                found += table->masterIndex()->find(probes[std::size_t(i) % probes.size()]) >= 0;
        });
    if (found != lookups)
        qFatal("lookups missed: %d", lookups - found);
    Bench::result(QStringLiteral("db_key_lookup_detached"), lookupMs * 1000.0 / lookups, QStringLiteral("us"));
    return 0;
}
