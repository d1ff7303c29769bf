// The demo terminal: the sample market in the embedded host, moved by the live feed, with the exchange behind
// the transaction sender, and the library's windows over it.
//
//   --orders N        orders in the market (default 100000)
//   --rate R          changes per second of the feed (default 2000)
//   --seed S          seed of the market and the feed
//   --screenshot FILE --after MS   grab the main window after MS ms, save it and quit
//   --soak SECONDS    run with every window open (offscreen when there is no display) and print figures
//   --config DIR      keep the settings (open windows, colours, export choices) in DIR instead of the user's
//                     configuration folder; an empty DIR starts clean
//   --export WINDOW FILE   write a window (instruments, orders, deals, positions, money_limits) to FILE, format
//                     by suffix, through the terminal's exporter without dialogs; prints where it wrote or why not
//   --import TABLE FILE [--map COLUMN=FIELD ...]   read FILE (with a header line) into TABLE (money_limits)
//                     without dialogs; prints the summary and every message; exits 0 when every row went in
//                     whole, 1 otherwise, 2 for a usage error. A following --export runs after it.
//   --record FILE     write every transaction the tables receive to FILE, from their rows at the start on
//   --replay FILE     run on the stream recorded in FILE instead of the market simulation
//   --speed X|max     play the recording X times its pace, or as fast as the terminal takes it (default 1)

#include "core/db/appsettings.h"
#include "core/db/table.h"
#include "core/host/embedded/embeddedcore.h"
#include "core/host/schema/hostschema.h"
#include "core/host/stream/streamrecorder.h"
#include "core/host/stream/streamreplayer.h"
#include "core/host/tableregistry.h"
#include "export/fileexporter.h"
#include "hostwindow.h"
#include "importrun.h"
#include "limitsimportconvertor.h"
#include "moneylimits.h"
#include "sim/embeddedexchange.h"
#include "sim/marketfeed.h"
#include "sim/samplemarket.h"
#include "soakrun.h"
#include "tablewindow.h"
#include "terminalapplication.h"
#include "terminallanguage.h"
#include "terminalrecording.h"
#include "terminalwindow.h"
#include "views/headerproxystyle.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QLocale>
#include <QLoggingCategory>
#include <QMessageBox>
#include <QTextStream>
#include <QTimer>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <memory>

namespace {

// A --filter preset, WINDOW:NAME=VALUE; an empty window when the text has no such shape.
struct FilterPreset
{
    QString window;
    QString name;
    QString value;
    QString text;
};

QVector<FilterPreset> filterPresets(const QStringList& texts)
{
    QVector<FilterPreset> presets;
    for (const QString& text : texts) {
        const int colon = text.indexOf(QLatin1Char(':'));
        const int equals = text.indexOf(QLatin1Char('='), colon + 1);
        presets.append(colon > 0 && equals > colon
                ? FilterPreset { text.left(colon), text.mid(colon + 1, equals - colon - 1), text.mid(equals + 1), text }
                : FilterPreset { QString(), QString(), QString(), text });
    }
    return presets;
}

// Sets the presets meant for `kind` on its window; false, having said which, when one names no filter or value.
bool applyPresets(TableWindow* window, const QString& kind, const QVector<FilterPreset>& presets)
{
    for (const FilterPreset& preset : presets) {
        if (preset.window != kind)
            continue;
        if (!window || !window->presetFilter(preset.name, preset.value)) {
            std::fprintf(stderr, "no such filter or value: %s\n", qPrintable(preset.text));
            return false;
        }
    }
    return true;
}

// Writes one window of the market, filtered by the presets meant for it, through the exporter, as a scheduler's
// script would; the exit code says how it went.
int exportWindow(EmbeddedCore& core, QString kind, const QString& path, const QVector<FilterPreset>& presets)
{
    const QString windowKind = kind;
    if (kind == QLatin1String("instruments"))
        kind = QStringLiteral("securities");
    Table* table = core.tables()->table(kind);
    if (!table || path.isEmpty()) {
        std::fprintf(stderr, "usage: --export instruments|orders|deals|positions|money_limits FILE\n");
        return 2;
    }
    TableWindow shown(table);
    shown.setWindowTitle(kind);
    if (!applyPresets(&shown, windowKind, presets))
        return 2;
    FileExporter* exporter = FileExporter::instance();
    int result = 1;
    const int token = exporter->exportModel({ shown.exportModel(), kind, QFileInfo(path), false });
    QObject::connect(exporter, &FileExporter::finished, &shown,
        [&result, token, path](int finished, int status, const QString& error) {
            if (finished != token)
                return;
            if (status == FileExporter::Written)
                std::printf("wrote %s\n", qPrintable(QFileInfo(path).absoluteFilePath()));
            else
                std::fprintf(stderr, "not written: %s\n", qPrintable(error));
            result = status == FileExporter::Written ? 0 : 1;
            QCoreApplication::quit();
        });
    QApplication::exec();
    return result;
}

// A table import and export in one command, as in --import money_limits in.csv --export money_limits out.csv:
// the pairs are taken out of the arguments in their order, the rest goes to the parser.
struct FileStep
{
    bool import = false;
    QString table;
    QString path;
};

bool takeFileSteps(QStringList& arguments, QList<FileStep>& steps, QStringList& maps)
{
    QStringList rest;
    for (int i = 0; i < arguments.size(); ++i) {
        const QString& a = arguments.at(i);
        if (a == QLatin1String("--import") || a == QLatin1String("--export")) {
            if (i + 2 >= arguments.size())
                return false;
            steps << FileStep { a == QLatin1String("--import"), arguments.at(i + 1), arguments.at(i + 2) };
            i += 2;
        } else if (a == QLatin1String("--map")) {
            if (i + 1 >= arguments.size())
                return false;
            maps << arguments.at(++i);
        } else {
            rest << a;
        }
    }
    arguments = rest;
    return true;
}

int importTable(EmbeddedCore& core, const FileStep& step, const QStringList& maps)
{
    Table* table = core.tables()->table(step.table);
    if (!table || step.table != QLatin1String("money_limits")) {
        std::fprintf(stderr, "usage: --import money_limits FILE [--map COLUMN=FIELD ...]\n");
        return ImportRun::Usage;
    }
    // As the terminal keeps them: the limits file is read first and written with what the import gave.
    MoneyLimits limits(table, &core);
    limits.load();
    LimitsImportConvertor convertor(table);
    QTextStream out(stdout);
    QTextStream err(stderr);
    const int code = ImportRun(table, &convertor).run(step.path, maps, out, err);
    if (code != ImportRun::Usage)
        limits.save();
    return code;
}

// A refusal of the command line, where the user sees it: the console, and a message box for a terminal started
// from a desktop.
int refuse(const QString& message, int code)
{
    std::fprintf(stderr, "%s\n", qPrintable(message));
    if (QGuiApplication::platformName() != QLatin1String("offscreen")
        && QGuiApplication::platformName() != QLatin1String("minimal"))
        QMessageBox::critical(nullptr, QCoreApplication::translate("Terminal", "Демонстрационный терминал"), message);
    return code;
}

} // namespace

int main(int argc, char** argv)
{
    // Without TZ, glibc checks the zone file with a stat() at every local-time conversion; naming that file once
    // spares them. The program decides this for its process, before any thread starts.
    if (!qEnvironmentVariableIsSet("TZ"))
        qputenv("TZ", ":/etc/localtime");
    tzset();

    // A soak run, an export or an import needs no screen.
    bool exporting = false;
    bool soaking = false;
    for (int i = 1; i < argc; ++i) {
        exporting = exporting || std::strcmp(argv[i], "--export") == 0 || std::strcmp(argv[i], "--import") == 0;
        soaking = soaking || std::strcmp(argv[i], "--soak") == 0;
    }
    if ((exporting || soaking) && qEnvironmentVariableIsEmpty("DISPLAY")
        && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // A command-line export or import prints its result and nothing else: no word from the platform plugin or the log.
    if (exporting)
        QLoggingCategory::setFilterRules(QStringLiteral("*.debug=false\n*.info=false\n*.warning=false"));

    TerminalApplication app(argc, argv);
    // Headers elide their labels; made before any window.
    HeaderProxyStyle headerStyle;
    QApplication::setApplicationName(QStringLiteral("basic-views-demo"));
    QStringList arguments = QCoreApplication::arguments();
    QList<FileStep> steps;
    QStringList maps;
    if (!takeFileSteps(arguments, steps, maps)) {
        std::fprintf(stderr, "usage: --import TABLE FILE [--map COLUMN=FIELD ...] | --export WINDOW FILE\n");
        return 2;
    }
    // The settings first: the help and the refusals below speak the language the trader chose.
    QCommandLineOption configOption(QStringLiteral("config"), QString(), QStringLiteral("DIR"));
    {
        QCommandLineParser settings;
        settings.addOption(configOption);
        settings.parse(arguments); // the other options are judged below
        if (settings.isSet(configOption))
            AppSettings::setLocation(QFileInfo(settings.value(configOption)).absoluteFilePath());
    }
    TerminalLanguage::applyStored();
    QCommandLineParser parser;
    parser.addHelpOption();
    const QCommandLineOption ordersOption(QStringLiteral("orders"),
        QCoreApplication::translate("Terminal", "Заявок на рынке."), QStringLiteral("N"), QStringLiteral("100000"));
    const QCommandLineOption rateOption(QStringLiteral("rate"),
        QCoreApplication::translate("Terminal", "Изменений в секунду."), QStringLiteral("R"), QStringLiteral("2000"));
    const QCommandLineOption seedOption(QStringLiteral("seed"),
        QCoreApplication::translate("Terminal", "Начальное число рынка и потока."), QStringLiteral("S"),
        QStringLiteral("1"));
    const QCommandLineOption shotOption(QStringLiteral("screenshot"),
        QCoreApplication::translate("Terminal", "Сохранить окно в FILE."), QStringLiteral("FILE"));
    const QCommandLineOption afterOption(QStringLiteral("after"),
        QCoreApplication::translate("Terminal", "Миллисекунд до снимка окна."), QStringLiteral("MS"),
        QStringLiteral("3000"));
    const QCommandLineOption soakOption(QStringLiteral("soak"),
        QCoreApplication::translate("Terminal", "Проработать SECONDS секунд и напечатать замеры."),
        QStringLiteral("SECONDS"));
    const QCommandLineOption filterOption(QStringLiteral("filter"),
        QCoreApplication::translate("Terminal",
            "Задать фильтр окна: WINDOW:NAME=VALUE (instruments, orders, deals или positions; имя фильтра, как его "
            "показывает меню; значение в сохраняемом виде). Можно повторять."),
        QStringLiteral("PRESET"));
    configOption.setDescription(
        QCoreApplication::translate("Terminal", "Хранить настройки в DIR, а не в папке настроек пользователя."));
    const QCommandLineOption recordOption(QStringLiteral("record"),
        QCoreApplication::translate("Terminal", "Записывать в FILE каждую транзакцию, которую получают таблицы."),
        QStringLiteral("FILE"));
    const QCommandLineOption replayOption(QStringLiteral("replay"),
        QCoreApplication::translate("Terminal", "Работать на потоке, записанном в FILE, вместо имитации рынка."),
        QStringLiteral("FILE"));
    const QCommandLineOption speedOption(QStringLiteral("speed"),
        QCoreApplication::translate("Terminal",
            "Воспроизводить запись в X раз быстрее записанного темпа или так быстро, как успевает терминал (max)."),
        QStringLiteral("X|max"), QStringLiteral("1"));
    parser.addOptions({ ordersOption, rateOption, seedOption, shotOption, afterOption, soakOption, filterOption,
        configOption, recordOption, replayOption, speedOption });
    parser.setApplicationDescription(QCoreApplication::translate("Terminal",
        "--export WINDOW FILE: записать окно WINDOW (instruments, orders, deals, positions, money_limits) в FILE и "
        "выйти.\n--import TABLE FILE [--map COLUMN=FIELD ...]: прочитать FILE в таблицу TABLE (money_limits) и "
        "выйти."));
    parser.process(arguments);

    EmbeddedCore core;
    const quint32 seed = parser.value(seedOption).toUInt();
    const bool replaying = parser.isSet(replayOption);
    std::unique_ptr<SampleMarket> market;
    StreamReplayer replayer;
    QElapsedTimer clock;
    clock.start();
    if (parser.isSet(speedOption) && !replaying)
        return refuse(
            QCoreApplication::translate("Terminal", "--speed задаёт скорость воспроизведения: только с --replay"), 2);
    // Recording over the file being played would cut it under the replayer's feet.
    const QFileInfo replayFile(parser.value(replayOption));
    if (replaying && parser.isSet(recordOption) && replayFile.exists()
        && QFileInfo(parser.value(recordOption)).canonicalFilePath() == replayFile.canonicalFilePath())
        return refuse(QCoreApplication::translate("Terminal", "Запись потока не может идти в воспроизводимый файл '%1'")
                          .arg(replayFile.filePath()),
            2);
    // The limits of a replay are the recording's: an import would mix the trader's file into them and write the mix
    // back to it.
    if (replaying && std::any_of(steps.cbegin(), steps.cend(), [](const FileStep& s) { return s.import; }))
        return refuse(QCoreApplication::translate(
                          "Terminal", "--import не работает с --replay: денежные лимиты воспроизводятся из записи"),
            2);
    if (replaying) {
        // "nan" and "inf" read as numbers: neither is a pace.
        bool speedOk = false;
        const QString speed = parser.value(speedOption);
        const double times = speed == QLatin1String("max") ? 0.0 : speed.toDouble(&speedOk);
        if (speed != QLatin1String("max") && (!speedOk || !std::isfinite(times) || times <= 0))
            return refuse(
                QCoreApplication::translate("Terminal", "--speed: положительное число или max, а не '%1'").arg(speed),
                2);
        replayer.setSpeed(times);
        for (const TableSchema& schema : HostSchema::all())
            core.tables()->registerTable(schema.create());
        try {
            replayer.open(parser.value(replayOption));
            replayer.bind(core.tables());
        } catch (const QString& message) {
            return refuse(message, 1);
        }
        replayer.loadSnapshot();
    } else {
        market = std::make_unique<SampleMarket>(
            SampleMarketOptions::sized(5000, parser.value(ordersOption).toInt(), seed));
        market->populate(core.tables());
    }
    const QVector<FilterPreset> presets = filterPresets(parser.values(filterOption));
    if (!steps.isEmpty()) {
        // Every preset filters a window this run writes.
        for (const FilterPreset& preset : presets) {
            if (std::none_of(steps.cbegin(), steps.cend(),
                    [&preset](const FileStep& s) { return !s.import && s.table == preset.window; })) {
                std::fprintf(stderr, "no such filter or value: %s\n", qPrintable(preset.text));
                return 2;
            }
        }
    }
    int code = 0;
    for (const FileStep& step : qAsConst(steps)) {
        const int stepCode
            = step.import ? importTable(core, step, maps) : exportWindow(core, step.table, step.path, presets);
        if (stepCode == 2)
            return stepCode;
        code = qMax(code, stepCode);
    }
    if (!steps.isEmpty())
        return code;
    std::printf("# market of %d orders %s in %lld ms\n", core.tables()->table(QStringLiteral("orders"))->count(),
        replaying ? "loaded from the recording" : "built", clock.elapsed());
    // Recorded from the tables as they are now: the simulated market or the recording's start.
    std::unique_ptr<StreamRecorder> recorder;
    if (parser.isSet(recordOption)) {
        try {
            recorder = TerminalRecording::start(&core, parser.value(recordOption));
        } catch (const QString& message) {
            return refuse(message, 1);
        }
    }
    // A recording is played without the exchange: the terminal sends nothing into the recorded tables.
    std::unique_ptr<EmbeddedExchange> exchange;
    if (!replaying)
        exchange = std::make_unique<EmbeddedExchange>(&core, core.sender());
    // The login the terminal trades under: its orders and their deals are the trader's own, which the alerts watch;
    // the feed trades under other logins.
    core.sender()->setLogin(QStringLiteral("demo"));
    std::unique_ptr<MarketFeed> feed;
    if (market) {
        feed = std::make_unique<MarketFeed>(*market, &core, seed);
        feed->setRate(parser.value(rateOption).toInt());
        exchange->setFeed(feed.get());
    }

    std::unique_ptr<TerminalWindow> made = replaying ? std::make_unique<TerminalWindow>(&core, &replayer)
                                                     : std::make_unique<TerminalWindow>(&core, feed.get());
    TerminalWindow& window = *made;
    core.notify(QCoreApplication::translate("Terminal", "Рынок открыт: %1 инструментов, %2 заявок")
                    .arg(QLocale().toString(core.tables()->table(QStringLiteral("securities"))->count()),
                        QLocale().toString(core.tables()->table(QStringLiteral("orders"))->count())));
    clock.restart();
    // A soak run measures every kind of window in every view, whatever the user left open, and leaves the user's
    // windows as they were.
    window.setSessionKept(!parser.isSet(soakOption));
    if (parser.isSet(soakOption))
        window.openEveryView();
    else if (!window.restoreSession())
        window.openAll();
    std::printf("# %d windows opened in %lld ms\n", window.windows().size(), clock.elapsed());
    for (const FilterPreset& preset : presets) {
        if (!applyPresets(TerminalWindow::tableView(window.windowOf(preset.window)), preset.window, { preset }))
            return 2;
    }
    window.show();

    if (parser.isSet(soakOption)) {
        auto rows = [&core] {
            qint64 n = 0;
            for (const char* table : { "orders", "deals", "positions" })
                n += core.tables()->table(QString::fromLatin1(table))->count();
            return n;
        };
        SoakSource source;
        if (feed) {
            MarketFeed* f = feed.get();
            // The feed makes its batches on its own thread: the GUI thread's share of making them is nothing.
            source = { [f] { f->start(); }, [f] { f->stop(); }, [] { return 0.0; },
                QStringLiteral("the feed at %1 changes/s").arg(f->rate()), [f] { return f->queued(); },
                [f] { return f->workerCpuNsecs(); } };
        } else {
            source = { [&replayer] { replayer.start(); }, [&replayer] { replayer.stop(); },
                [&replayer] { return replayer.generationMs(); },
                QStringLiteral("a recorded stream at %1").arg(parser.value(speedOption)), {}, {} };
        }
        auto* run = new SoakRun(source, parser.value(soakOption).toInt(), rows, &app);
        if (feed)
            QObject::connect(feed.get(), &MarketFeed::batchApplied, run, &SoakRun::onBatch);
        QObject::connect(&replayer, &StreamReplayer::batchApplied, run, &SoakRun::onBatch);
        QObject::connect(&replayer, &StreamReplayer::finished, run, &SoakRun::finish);
        run->setPaintClock([&app] { return app.paintNsecs(); });
        for (const auto& [name, model] : window.measuredModels())
            run->addModel(name, model);
        run->start();
        return app.exec();
    }
    if (feed)
        feed->start();
    else
        replayer.start();
    if (parser.isSet(shotOption)) {
        const QString file = parser.value(shotOption);
        QTimer::singleShot(parser.value(afterOption).toInt(), &window, [&window, file] {
            window.grab().save(file);
            std::printf("# saved %s\n", qPrintable(file));
            QCoreApplication::quit();
        });
    }
    return app.exec();
}
