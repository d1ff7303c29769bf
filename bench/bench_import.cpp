// Import of 1,000,000 CSV rows of 8 columns (an Int64 key, two decimals, a date-time, three texts, a char) into
// an empty table through the file importer with a known mapping: the time, how late a 10 ms timer ran meanwhile
// (the largest lateness: the progress window's liveness), how long the window stays frozen at the end (the commit
// after the last pause, which no timer sees), and how soon a cancel at half way returns. Three runs each, medians
// printed.

#include "benchutil.h"

#include "core/db/table.h"
#include "core/host/progress/progressdialog.h"
#include "export/fileimporter.h"
#include "export/fileimporterconvertor.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QThread>
#include <QTimer>

#include <algorithm>
#include <memory>

namespace {

constexpr int Rows = 1000000;

const QStringList Names { QStringLiteral("n"), QStringLiteral("price"), QStringLiteral("amount"),
    QStringLiteral("moment"), QStringLiteral("account"), QStringLiteral("code"), QStringLiteral("comment"),
    QStringLiteral("side") };

Table* makeTable()
{
    return new Table(QStringLiteral("bench"),
        { ColumnDef(FieldType::Int64, 0, Names.at(0)), ColumnDef(FieldType::Decimal, 2, Names.at(1)),
            ColumnDef(FieldType::Decimal, 4, Names.at(2)), ColumnDef(FieldType::DateTime, 0, Names.at(3)),
            ColumnDef(FieldType::String, 12, Names.at(4)), ColumnDef(FieldType::String, 12, Names.at(5)),
            ColumnDef(FieldType::String, 40, Names.at(6)), ColumnDef(FieldType::Char, 1, Names.at(7)) },
        { Names.at(0) });
}

struct EveryColumn : FileImporterConvertor
{
    QStringList colsOptional() override { return Names.mid(1); }
};

// The rows in the form the terminal's CSV writer gives them.
void writeFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        qFatal("cannot write %s", qPrintable(path));
    QByteArray text("\xEF\xBB\xBF");
    text += Names.join(QLatin1Char(';')).toUtf8() + '\n';
    for (int i = 0; i < Rows; ++i) {
        text += QByteArray::number(i) + ';' + QByteArray::number(100 + i % 9000) + '.' + QByteArray::number(10 + i % 90)
            + ";-" + QByteArray::number(i % 7) + ".0500;05.03.2024 " + QByteArray::number(i % 24) + ':'
            + QByteArray::number(i % 60) + ":3:045;L0" + QByteArray::number(i % 1000) + ";SiH"
            + QByteArray::number(i % 10) + ";Заявка клиента №" + QByteArray::number(i) + ';' + (i % 2 ? 'B' : 'S')
            + '\n';
        if (text.size() > (1 << 20)) {
            file.write(text);
            text.clear();
        }
    }
    file.write(text);
}

struct Run
{
    double seconds = 0;
    double maxGapMs = 0;
    double tailMs = 0; // from the last timer tick to the return
    int rows = 0;
};

Run importOnce(const QString& path, bool cancelHalfWay)
{
    std::unique_ptr<Table> table(makeTable());
    EveryColumn convertor;
    QMap<QString, int> mapping;
    for (int i = 0; i < Names.size(); ++i)
        mapping.insert(Names.at(i), i);
    Run run;
    QElapsedTimer clock;
    qint64 last = 0;
    QTimer tick;
    tick.setInterval(10);
    tick.setTimerType(Qt::PreciseTimer);
    QElapsedTimer cancelClock;
    QObject::connect(&tick, &QTimer::timeout, [&] {
        const qint64 now = clock.nsecsElapsed();
        if (last > 0)
            run.maxGapMs = std::max(run.maxGapMs, (now - last) / 1e6 - 10.0);
        last = now;
        if (!cancelHalfWay || cancelClock.isValid())
            return;
        for (QWidget* w : QApplication::topLevelWidgets()) {
            auto* dialog = qobject_cast<ProgressDialog*>(w);
            if (dialog && dialog->progress() >= 50) {
                cancelClock.start();
                dialog->cancel();
            }
        }
    });
    FileImporter::Result result;
    clock.start();
    tick.start();
    FileImporter::instance()->importData(
        result, QFileInfo(path), table.get(), &convertor, mapping, { { QStringLiteral("FirstLineIsHeader"), true } });
    run.tailMs = (clock.nsecsElapsed() - last) / 1e6;
    tick.stop();
    run.seconds = (cancelHalfWay ? cancelClock.nsecsElapsed() : clock.nsecsElapsed()) / 1e9;
    run.rows = table->count();
    if (!cancelHalfWay && (run.rows != Rows || !result.complete))
        qFatal("import failed: %d rows, %s", run.rows, qPrintable(result.messages.join(QLatin1Char('\n'))));
    if (cancelHalfWay && (run.rows != 0 || !result.cancelled))
        qFatal("cancel failed");
    return run;
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    Bench::header(QStringLiteral("bench_import: %1 CSV rows of 8 columns into an empty table, 3 runs, medians; "
                                 "%2 cores")
                      .arg(Rows)
                      .arg(QThread::idealThreadCount()));
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("rows.csv"));
    writeFile(path);
    std::vector<double> seconds, gaps, tails, cancels;
    for (int i = 0; i < 3; ++i) {
        const Run run = importOnce(path, false);
        seconds.push_back(run.seconds);
        gaps.push_back(run.maxGapMs);
        tails.push_back(run.tailMs);
    }
    for (int i = 0; i < 3; ++i)
        cancels.push_back(importOnce(path, true).seconds * 1000);
    Bench::result(QStringLiteral("import_1m_rows_8_cols_ms"), Bench::median(seconds) * 1000, QStringLiteral("ms"));
    Bench::result(QStringLiteral("import_loop_max_gap_ms"), Bench::median(gaps), QStringLiteral("ms"));
    Bench::result(QStringLiteral("import_tail_ms"), Bench::median(tails), QStringLiteral("ms"));
    Bench::result(QStringLiteral("import_cancel_latency_ms"), Bench::median(cancels), QStringLiteral("ms"));
    return 0;
}
