#include "actions/securityactions.h"
#include "core/db/index.h"
#include "core/db/masterindex.h"
#include "core/db/recordstrans.h"
#include "core/db/recordupdater.h"
#include "core/host/directories/securitydirectory.h"
#include "core/host/embedded/embeddedconnectionsmanager.h"
#include "core/host/schema/hostschema.h"
#include "core/host/stream/streamformat.h"
#include "core/host/stream/streamrecorder.h"
#include "core/host/stream/streamreplayer.h"
#include "hostwindow.h"
#include "instruments/chartwindow.h"
#include "instruments/orderbookmodel.h"
#include "instruments/quoteswindow.h"
#include "instruments/securityinfowindow.h"
#include "limitswindow.h"
#include "models/filterrecordsmodel.h"
#include "models/tableindexmodel.h"
#include "moneylimits.h"
#include "pickswindow.h"
#include "tablefile.h"
#include "terminalfixture.h"
#include "terminallanguage.h"
#include "terminalrecording.h"

#include <QAbstractItemModel>
#include <QDataStream>
#include <QDockWidget>
#include <QListWidget>
#include <QMdiArea>
#include <QProcess>
#include <QScatterSeries>
#include <QScopeGuard>
#include <QTableView>
#include <QtEndian>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <functional>
#include <thread>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// The batches a table delivers to its indexes, one "removed/updated/added" entry each, in order.
class BatchProbe : public Index
{
public:
    explicit BatchProbe(Table* table)
        : m_table(table)
    {
        table->addIndex(this);
    }
    ~BatchProbe() override
    {
        if (m_table)
            m_table->removeIndex(this);
    }
    QStringList batches;
    std::function<void()> onBatch; // runs as each batch arrives, as a window's slot would

    void clear() override { seen(QStringLiteral("clear")); }
    void build() override { }
    bool filter(const Record&) const override { return true; }
    bool contains(const Record&) const override { return false; }
    void add(const Record&) override { seen(QStringLiteral("0/0/1")); }
    void remove(const Record&, int) override { seen(QStringLiteral("1/0/0")); }
    void update(const Record&, int, int, int) override { seen(QStringLiteral("0/1/0")); }
    void preprocess(const QList<Record>& removed, const QList<Record>& updated, int, int, const QList<Record>& added,
        const QList<Record>&) override
    {
        seen(QStringLiteral("%1/%2/%3").arg(removed.size()).arg(updated.size()).arg(added.size()));
    }
    void process(const QList<Record>&, const QList<Record>&, int, int, const QList<Record>&) override { }
    void sourceDestroyed() override { m_table = nullptr; }

private:
    void seen(const QString& batch)
    {
        batches << batch;
        if (onBatch)
            onBatch();
    }
    QPointer<Table> m_table;
};

// The tables a recording's header names, read as the format describes it, apart from the terminal's reader.
QStringList recordedTables(const QByteArray& file)
{
    QDataStream in(file);
    in.setByteOrder(QDataStream::LittleEndian);
    in.skipRawData(8 + 4 + 4 + 8 + 8); // magic, version, length, checksum, start
    const auto text = [&in] {
        quint16 size = 0;
        in >> size;
        QByteArray utf8(size, '\0');
        in.readRawData(utf8.data(), size);
        return QString::fromUtf8(utf8);
    };
    quint16 tables = 0;
    in >> tables;
    QStringList names;
    for (int t = 0; t < tables && in.status() == QDataStream::Ok; ++t) {
        names << text();
        quint16 keys = 0;
        in >> keys;
        for (int k = 0; k < keys; ++k)
            text();
        quint16 columns = 0;
        in >> columns;
        for (int c = 0; c < columns; ++c) {
            in.skipRawData(1 + 2); // type, length
            text();
        }
    }
    return in.status() == QDataStream::Ok ? names : QStringList();
}

// Offsets of the frames after the header.
QList<int> frameOffsets(const QByteArray& file)
{
    QList<int> offsets;
    for (int at = StreamFormat::HeaderFixedBytes + int(qFromLittleEndian<quint32>(file.constData() + 12));
         at < file.size();
         at += StreamFormat::FrameHeaderBytes + int(qFromLittleEndian<quint32>(file.constData() + at)))
        offsets << at;
    return offsets;
}

} // namespace

// The terminal recording its stream and playing it back: the tables end as the recorded run left them, every
// window's model equals a fresh build, and files of another version, damaged or cut short are told apart.
class tst_StreamReplay : public QObject, TerminalFixture
{
    Q_OBJECT
private:
    using TableRows = QMap<QString, QList<QByteArray>>;
    QTemporaryDir m_dir;

    QList<Table*> tables() const
    {
        QList<Table*> all;
        for (const QString& name : m_market->core.tables()->names())
            all << m_market->table(name);
        return all;
    }
    // Every table's rows in key order, byte for byte.
    static TableRows rowsOf(TableRegistry* registry)
    {
        TableRows rows;
        for (const QString& name : registry->names()) {
            for (const Record& r : *registry->table(name)->masterIndex())
                rows[name] << QByteArray(reinterpret_cast<const char*>(r.rawData()), r.rawSize());
        }
        return rows;
    }
    // A recorded run of the sample market: the feed's batches, a reference table sent again, an order taken out
    // in a transaction, a position on its own, an account renamed and then changed by its new name, in
    // transactions and as single changes, these last in one frame. Leaves the fixture running; returns the
    // tables as it ended, and in `beforeLastFrame` as they were before its last frame.
    TableRows recordRun(const QString& path, int batches, TableRows* beforeLastFrame = nullptr)
    {
        startTerminalFixture();
        StreamRecorder recorder(tables(), path);
        for (int i = 0; i < batches; ++i) {
            m_feed->step(200);
            QCoreApplication::processEvents(); // the frame of this turn goes to the writer
        }
        if (beforeLastFrame)
            *beforeLastFrame = rowsOf(m_market->core.tables());
        m_market->market.reload(m_market->table(QStringLiteral("kv.fut_margin_type")), 1);
        Table* orders = m_market->table(QStringLiteral("orders"));
        {
            RecordsTrans trans(orders);
            RecordUpdater(orders->masterIndex()->at(0), trans).remove();
        }
        Record position = m_market->table(QStringLiteral("positions"))->masterIndex()->at(0);
        position.remove();
        // An account renamed, then its limit's comment changed under the new name
        Table* limits = m_market->table(QStringLiteral("money_limits"));
        {
            RecordsTrans trans(limits);
            RecordUpdater(limits->masterIndex()->at(0), trans).data(QStringLiteral("account"))
                = QStringLiteral("RENAMED");
        }
        {
            RecordsTrans trans(limits);
            RecordUpdater(limits->findByKeyText(QStringLiteral("RENAMED")), trans).data(QStringLiteral("comment"))
                = QStringLiteral("renamed");
        }
        // and the same as single changes: one moving to the end of the key order, one staying between its
        // neighbours
        const int account = limits->columnIndex(QStringLiteral("account"));
        const int comment = limits->columnIndex(QStringLiteral("comment"));
        const QList<QPair<Record, QString>> renames = { { limits->masterIndex()->at(0), QStringLiteral("~SINGLE") },
            { limits->findByKeyText(QStringLiteral("RENAMED")), QStringLiteral("RENAMES") } };
        for (const auto& rename : renames) {
            Record single = rename.first;
            single.data(account) = rename.second;
            single.updated(account);
            Record renamed = limits->findByKeyText(rename.second);
            renamed.data(comment) = rename.second;
            renamed.updated(comment);
        }
        m_feed->step(200);
        return rowsOf(m_market->core.tables());
    }
    static void replayInto(EmbeddedCore& core, StreamReplayer& replayer, const QString& path)
    {
        for (const TableSchema& schema : HostSchema::all())
            core.tables()->registerTable(schema.create());
        replayer.open(path);
        replayer.bind(core.tables());
        replayer.loadSnapshot();
    }
    // What a disk took (through a pipe) as the recording's file, replayed into a fresh core once the terminal is
    // gone.
    void replayWritten(const QString& path, const QByteArray& written, EmbeddedCore& core, StreamReplayer& replayer)
    {
        QFile::remove(path);
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(written) == written.size());
        file.close();
        stopTerminalFixture();
        replayInto(core, replayer, path);
        QVERIFY2(replayer.truncation().isEmpty(), qPrintable(replayer.truncation()));
    }
    // One window per kind and view the terminal offers.
    static void openEveryView(TerminalWindow& terminal, const QStringList& kinds)
    {
        for (const QString& kind : kinds) {
            for (int view = 0;; ++view) {
                HostWindow* window = terminal.openWindow(kind);
                const QList<QAction*> views = window->view()->switcher()->actions();
                if (view < views.size())
                    views.at(view)->trigger();
                if (view + 1 >= views.size())
                    break;
            }
        }
    }
    // An instrument's own windows, as the commands of its row in the instruments window open them.
    static bool openInstrumentWindows(TerminalWindow& terminal, const Record& instrument)
    {
        TableWindow* instruments = TerminalWindow::tableView(terminal.windowOf(QStringLiteral("instruments")));
        if (!instruments)
            return false;
        instruments->view()->setCurrentRecord(instrument, 0);
        SecurityActions* actions = instruments->securityActions();
        if (!QTest::qWaitFor([actions] { return actions->action(SecurityActions::Quotes)->isEnabled(); }))
            return false;
        for (int type : { SecurityActions::Quotes, SecurityActions::Chart, SecurityActions::Information,
                 SecurityActions::AllDeals })
            actions->action(type)->trigger();
        return true;
    }
    // What those windows show but for the deals, which are one of the terminal's windows: the quotes, the card and
    // the chart's trades, these last in one order, as trades of one moment may come in another.
    static QStringList instrumentWindowsText(TerminalWindow& terminal)
    {
        auto* quotes = terminal.findChild<QuotesWindow*>();
        auto* card = terminal.findChild<SecurityInfoWindow*>();
        auto* chart = terminal.findChild<ChartWindow*>();
        if (!quotes || !card || !chart)
            return {};
        quotes->model()->settle();
        chart->redraw();
        // The card answers for its cells only: read as a table.
        const auto table = [](const QAbstractItemModel* model) {
            QString text;
            for (int row = 0; row < model->rowCount(); ++row) {
                for (int column = 0; column < model->columnCount(); ++column)
                    text += model->index(row, column).data().toString() + QLatin1Char('|');
                text += QLatin1Char('\n');
            }
            return text;
        };
        QStringList trades;
        for (const QPointF& trade : chart->trades()->pointsVector())
            trades << QStringLiteral("%1 %2").arg(qint64(trade.x())).arg(trade.y(), 0, 'g', 12);
        trades.sort();
        return { table(quotes->model()), table(card->card()), trades.join(QLatin1Char('|')) };
    }
    static const QAbstractItemModel* modelIn(HostWindow* window)
    {
        if (const auto* model = dynamic_cast<const QAbstractItemModel*>(TerminalWindow::modelOf(window)))
            return model;
        const auto* picks = dynamic_cast<PicksWindow*>(window->view()->currentView());
        return picks ? picks->view()->model() : nullptr;
    }
    static QString textOf(const QAbstractItemModel* model, const QModelIndex& parent = QModelIndex())
    {
        QString text;
        for (int row = 0; row < model->rowCount(parent); ++row) {
            for (int column = 0; column < model->columnCount(parent); ++column)
                text += model->index(row, column, parent).data().toString() + QLatin1Char('|');
            text += QLatin1Char('\n') + textOf(model, model->index(row, 0, parent));
        }
        return text;
    }

private Q_SLOTS:
    // Numbers and counts in the terminal's own forms, as its application object starts it.
    void initTestCase() { TerminalLanguage::install(); }
    void cleanup()
    {
        m_window.reset();
        stopTerminalFixture();
    }

    void recordsTheTerminalsStreamUntilItQuits()
    {
        // Given the terminal recording its stream as its command line starts it, the market moving
        startTerminalFixture();
        const QString path = m_dir.filePath(QStringLiteral("terminal.bvs"));
        const std::unique_ptr<StreamRecorder> recorder = TerminalRecording::start(&m_market->core, path);
        m_window = terminal();
        m_window->setSessionKept(false);
        m_feed->setRate(2000);
        m_feed->start();
        // When the trader sends an order and then quits from the menu, the tables as the terminal closes kept
        TableRows atQuit;
        QTimer waitOut;
        waitOut.setSingleShot(true);
        connect(&waitOut, &QTimer::timeout, qApp, &QCoreApplication::quit);
        QObject running;
        connect(qApp, &QCoreApplication::aboutToQuit, &running, [&] {
            m_feed->stop();
            atQuit = rowsOf(m_market->core.tables());
        });
        const Record future = instrument(SampleMarket::FuturesBoard);
        QTimer::singleShot(300, &running, [&] {
            ITransactionSender* sender = m_market->core.transactions();
            RawTransactionPtr order = sender->build(sender->description(1, EmbeddedExchange::NewOrder),
                { { QStringLiteral("StockId"), 1 }, { QStringLiteral("BoardId"), SampleMarket::FuturesBoard },
                    { QStringLiteral("Security"), future.data(QStringLiteral("sec_code")).toString() },
                    { QStringLiteral("Account"), m_market->market.clientCodes().first() },
                    { QStringLiteral("Price"), future.data(QStringLiteral("settle_price")).toString() },
                    { QStringLiteral("Quantity"), 1 }, { QStringLiteral("BuySell"), QStringLiteral("B") },
                    { QStringLiteral("Comment"), QStringLiteral("recorded") } });
            order->restartTimer();
            sender->queue(order);
        });
        QTimer::singleShot(1000, &running, [&] { mainMenuAction(*m_window, QStringLiteral("Выход"))->trigger(); });
        waitOut.start(30000);
        QApplication::exec();
        QVERIFY(waitOut.isActive());
        waitOut.stop();

        // Then the messages told where the stream went
        const auto* told
            = qobject_cast<QListWidget*>(m_window->findChild<QDockWidget*>(QStringLiteral("notifications"))->widget());
        QVERIFY(told);
        QCOMPARE(told->findItems(QStringLiteral("Поток записывается в '%1'").arg(path), Qt::MatchContains).size(), 1);
        // and the file names every table of the terminal and ends with the mark of a recording stopped
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray whole = file.readAll();
        QCOMPARE(recordedTables(whole), m_market->core.tables()->names());
        QCOMPARE(whole.at(whole.size() - int(StreamFormat::EndBytes)), char(StreamFormat::End));
        // and played as fast as it goes, it leaves the tables as the terminal left them, the order among them
        EmbeddedCore core;
        StreamReplayer replayer;
        replayInto(core, replayer, path);
        QVERIFY(replayer.truncation().isEmpty() && replayer.earlyEnd().isEmpty());
        QSignalSpy finished(&replayer, &StreamReplayer::finished);
        replayer.setSpeed(0);
        replayer.start();
        QVERIFY(finished.wait(20000));
        QCOMPARE(replayer.skipped(), 0);
        QVERIFY(replayer.changes() > 0);
        QVERIFY(rowsOf(core.tables()) == atQuit);
        Table* orders = core.tables()->table(QStringLiteral("orders"));
        QVERIFY(std::any_of(orders->masterIndex()->begin(), orders->masterIndex()->end(),
            [](const Record& r) { return r.data(QStringLiteral("comment")).toString() == QLatin1String("recorded"); }));
    }

    void replaysToTheRecordedTablesAndFreshModels()
    {
        // Given a recorded run
        const QString path = m_dir.filePath(QStringLiteral("run.bvs"));
        const TableRows recorded = recordRun(path, 30);
        const QStringList kinds = [] {
            return QStringList { QStringLiteral("instruments"), QStringLiteral("orders"), QStringLiteral("deals"),
                QStringLiteral("positions"), QStringLiteral("limits"), QStringLiteral("picks") };
        }();
        // and the trader's money-limits file holding other limits than the recording
        Table* limits = m_market->table(QStringLiteral("money_limits"));
        Record limit = limits->masterIndex()->at(0);
        limit.remove();
        QString error;
        QVERIFY2(TableFile(limits, MoneyLimits::fileName()).write(&error), qPrintable(error));
        const auto limitsFile = [] {
            QFile file(MoneyLimits::fileName());
            return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
        };
        const QByteArray traderLimits = limitsFile();
        stopTerminalFixture();

        // When a terminal with every window open plays it as fast as it can
        EmbeddedCore core;
        StreamReplayer replayer;
        replayInto(core, replayer, path);
        QVERIFY(replayer.truncation().isEmpty() && replayer.earlyEnd().isEmpty());
        TerminalWindow terminal(&core, &replayer);
        terminal.setSessionKept(false);
        openEveryView(terminal, kinds);
        // the trader's own instruments in an order of the trader's, which the fresh windows are given too
        QStringList pickedKeys;
        Table* securities = core.tables()->table(QStringLiteral("securities"));
        for (int row = securities->count() - 1; row >= 0; row -= 3)
            pickedKeys << securities->keyText(securities->masterIndex()->at(row));
        const auto pick = [&pickedKeys](TerminalWindow& window) {
            auto* picks = dynamic_cast<PicksWindow*>(window.windowOf(QStringLiteral("picks"))->view()->currentView());
            auto* list = picks ? dynamic_cast<FilterRecordsModel*>(picks->view()->model()) : nullptr;
            if (list)
                list->fromTextList(pickedKeys);
            return list && list->rowCount() == pickedKeys.size();
        };
        QVERIFY(pickedKeys.size() > 2 && pick(terminal));
        // and the windows of the instrument traded last, as its row opens them
        Table* deals = core.tables()->table(QStringLiteral("deals"));
        const Record lastDeal = deals->masterIndex()->at(deals->count() - 1);
        const Record traded = SecurityDirectory::i()->recordById(lastDeal.data(QStringLiteral("stock_id")).toInteger(),
            lastDeal.data(QStringLiteral("board_id")).toInteger(),
            lastDeal.data(QStringLiteral("sec_id")).toInteger64());
        QVERIFY(!traded.isNull() && openInstrumentWindows(terminal, traded));
        terminal.show();
        QSignalSpy finished(&replayer, &StreamReplayer::finished);
        QVERIFY(finished.isValid());
        replayer.setSpeed(0);
        replayer.start();
        QVERIFY(finished.wait(20000));

        // Then the tables are the recorded run's, the messages say how many changes it played and nothing of a
        // cut file, and every window shows what a fresh one shows
        QCOMPARE(replayer.skipped(), 0);
        QVERIFY(replayer.changes() > 30 * 200);
        const QStringList told = core.recentNotifications().filter(QStringLiteral("запис"));
        QCOMPARE(told.size(), 2);
        QCOMPARE(told.first(), QStringLiteral("Воспроизводится запись '%1' как можно быстрее").arg(replayer.path()));
        QVERIFY2(told.last().startsWith(QStringLiteral("Воспроизведение записи окончено: %1 измен")
                                            .arg(QLocale().toString(replayer.changes()))),
            qPrintable(told.last()));
        const TableRows replayed = rowsOf(core.tables());
        QCOMPARE(replayed.keys(), recorded.keys());
        for (const QString& name : recorded.keys())
            QVERIFY2(replayed.value(name) == recorded.value(name), qPrintable(name));
        TerminalWindow fresh(&core, &replayer);
        fresh.setSessionKept(false);
        openEveryView(fresh, kinds);
        QVERIFY(pick(fresh));
        QVERIFY(openInstrumentWindows(fresh, traded));
        const QStringList instrumentShown = instrumentWindowsText(terminal);
        QCOMPARE(instrumentShown.size(), 3);
        QVERIFY(!instrumentShown.contains(QString()));
        QCOMPARE(instrumentShown, instrumentWindowsText(fresh));
        const QList<HostWindow*> played = terminal.windows();
        const QList<HostWindow*> built = fresh.windows();
        QCOMPARE(played.size(), built.size());
        QVERIFY(played.size() > kinds.size());
        for (int i = 0; i < played.size(); ++i) {
            const QAbstractItemModel* a = modelIn(played.at(i));
            const QAbstractItemModel* b = modelIn(built.at(i));
            QVERIFY(a && b);
            // In the model's own order, but records its sort ranks equal keep the order they arrived in, which a
            // fresh build need not share: the lines of each such run are put in one order.
            auto rows = [](const QAbstractItemModel* model) {
                const QStringList text = textOf(model).split(QLatin1Char('\n'));
                const auto* flat = dynamic_cast<const TableIndexModel*>(model);
                if (!flat)
                    return text;
                QStringList lines;
                QStringList tied;
                for (int row = 0; row < model->rowCount(); ++row) {
                    if (row > 0 && flat->compare(flat->at(row - 1), flat->at(row)) != 0) {
                        tied.sort();
                        lines << tied;
                        tied.clear();
                    }
                    tied << text.at(row);
                }
                tied.sort();
                return lines << tied;
            };
            QTRY_COMPARE(rows(a), rows(b));
            QVERIFY2(a->rowCount() > 0, qPrintable(played.at(i)->windowName()));
        }

        // and nothing of the terminal's own writes into the recorded tables: no exchange to send orders to; the
        // limits refuse every edit, and their commands, undo and redo and an import into them are off saying why
        QVERIFY(!core.connections()->isConnected());
        QVERIFY(!mainMenuAction(terminal, QStringLiteral("Новая заявка..."))->isEnabled());
        HostWindow* limitsHost = terminal.windowOf(QStringLiteral("limits"));
        terminal.findChild<QMdiArea*>()->setActiveSubWindow(limitsHost);
        auto* limitsWindow = dynamic_cast<LimitsWindow*>(TerminalWindow::tableView(limitsHost));
        QVERIFY(limitsWindow);
        Table* replayedLimits = core.tables()->table(QStringLiteral("money_limits"));
        QVERIFY(!limitsWindow->addAccount(QStringLiteral("REPLAY1")));
        limitsWindow->deleteRows({ replayedLimits->masterIndex()->at(0) });
        limitsWindow->clearAll();
        auto* cells = dynamic_cast<QAbstractItemModel*>(limitsWindow->model());
        const QModelIndex limitCell = cells->index(0, limitsWindow->model()->columnIndex(QStringLiteral("limit")));
        QVERIFY(!(cells->flags(limitCell) & Qt::ItemIsEditable));
        QVERIFY(!cells->setData(limitCell, QStringLiteral("1")));
        limitsWindow->view()->setCurrentIndex(limitCell);
        QString refused;
        QVERIFY(!limitsWindow->paste(QStringLiteral("1\t2\n"), &refused));
        const QString reason = QStringLiteral("воспроизводит запись");
        QVERIFY2(refused.contains(reason), qPrintable(refused));
        QStringList commands;
        for (QAction* action : terminal.findChildren<QAction*>()) {
            if (action->text().startsWith(QStringLiteral("Отменить"))
                || action->text().startsWith(QStringLiteral("Повторить"))
                || action->text() == QStringLiteral("Импорт...")
                || action->text() == QStringLiteral("Очистить таблицу"))
                commands << action->text() + (action->isEnabled() ? QStringLiteral(" on") : QString())
                        + (action->toolTip().contains(reason) ? QStringLiteral(" told") : QString());
        }
        commands.removeDuplicates();
        commands.sort();
        QCOMPARE(commands.join(QLatin1Char('|')),
            QStringLiteral("Импорт... told|Отменить told|Очистить таблицу told|Повторить told"));
        QVERIFY(rowsOf(core.tables()) == replayed);
        QCOMPARE(limitsFile(), traderLimits);
    }

    void tellsWhatTheTablesCouldNotTake()
    {
        // Given a recorded run, and a terminal that took the orders out of its table before playing it
        const QString path = m_dir.filePath(QStringLiteral("clash.bvs"));
        recordRun(path, 3);
        stopTerminalFixture();
        EmbeddedCore core;
        StreamReplayer replayer;
        replayInto(core, replayer, path);
        TerminalWindow terminal(&core, &replayer);
        terminal.setSessionKept(false);
        core.tables()->table(QStringLiteral("orders"))->clear();

        // When it plays, the changes of orders no longer there are skipped, and the messages say how many
        QSignalSpy finished(&replayer, &StreamReplayer::finished);
        replayer.setSpeed(0);
        replayer.start();
        QVERIFY(finished.wait(20000));
        QVERIFY(replayer.skipped() > 1);
        const QStringList told = core.recentNotifications();
        QVERIFY2(
            told.filter(QStringLiteral("таблицы не приняли")).size() == 2, qPrintable(told.join(QLatin1Char('\n'))));
        QVERIFY2(told.last().contains(QStringLiteral("не приняли ") + QLocale().toString(replayer.skipped())),
            qPrintable(told.last()));
    }

    void refusesOtherVersionsAndDamageAndPlaysWhatATruncatedFileHolds()
    {
        const QString path = m_dir.filePath(QStringLiteral("small.bvs"));
        TableRows beforeLastFrame;
        const TableRows recorded = recordRun(path, 5, &beforeLastFrame);
        stopTerminalFixture();
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray whole = file.readAll();
        auto refusal = [this](const QByteArray& contents) {
            const QString damaged = m_dir.filePath(QStringLiteral("damaged.bvs"));
            QFile out(damaged);
            if (!out.open(QIODevice::WriteOnly) || out.write(contents) != contents.size())
                return QStringLiteral("not written");
            out.close();
            try {
                StreamReplayer().open(damaged);
            } catch (const QString& message) {
                return message;
            }
            return QString();
        };
        // An older version is refused, and so is a newer one, whose changes this build may not know, with the
        // version named rather than taken for damage, and the versions read; the previous version's files read.
        for (const int version : { 2, int(StreamFormat::Version) + 1 }) {
            QByteArray otherVersion = whole;
            otherVersion[8] = char(version);
            const QString refused = refusal(otherVersion);
            QVERIFY2(refused.contains(QStringLiteral("версии %1,").arg(version))
                    && refused.endsWith(QStringLiteral("версии с 3 по %1").arg(StreamFormat::Version)),
                qPrintable(refused));
        }
        QByteArray previous = whole;
        previous[8] = char(StreamFormat::Version - 1);
        QCOMPARE(refusal(previous), QString());
        // A frame whose length is damaged is refused, not taken for the end of a file cut short; where it is
        // reads as the other offsets the terminal shows.
        const int firstFrame = StreamFormat::HeaderFixedBytes + qFromLittleEndian<quint32>(whole.constData() + 12);
        QByteArray length = whole;
        length[firstFrame + 3] = char(length.at(firstFrame + 3) ^ 0x40);
        QVERIFY2(refusal(length).contains(QStringLiteral("блока на байте %1 ").arg(QLocale().toString(firstFrame))),
            qPrintable(refusal(length)));
        QByteArray flipped = whole;
        flipped[whole.size() - 5] = char(flipped.at(whole.size() - 5) ^ 0x10);
        QVERIFY2(refusal(flipped).contains(QStringLiteral("повреждена")), qPrintable(refusal(flipped)));
        QByteArray header = whole;
        header[StreamFormat::HeaderFixedBytes + 12] = char(header.at(StreamFormat::HeaderFixedBytes + 12) ^ 1);
        QVERIFY(refusal(header).contains(QStringLiteral("повреждена")));
        QVERIFY(refusal("order_num,price\n1,100\n").contains(QStringLiteral("не запись потока")));
        // Nothing may follow the end of the recording.
        QVERIFY2(
            refusal(whole + whole.right(StreamFormat::FrameHeaderBytes + 11)).contains(QStringLiteral("повреждена")),
            qPrintable(refusal(whole + whole.right(StreamFormat::FrameHeaderBytes + 11))));

        // A file cut short in its last frame plays the frames before, to the tables as they were then, and says
        // that it ends where that frame starts; a file cut where a frame ends (the terminal killed between two
        // frames) plays them all and says that it ends there.
        const QList<int> frames = frameOffsets(whole);
        QVERIFY(frames.size() > 2);
        const int end = frames.last();
        const int lastFrame = frames.at(frames.size() - 2);
        struct Cut
        {
            int bytes;
            int endsAt;
            TableRows rows;
        };
        for (const Cut& c : { Cut { end - 7, lastFrame, beforeLastFrame }, Cut { end, end, recorded } }) {
            const QString cut = m_dir.filePath(QStringLiteral("cut%1.bvs").arg(c.bytes));
            QFile out(cut);
            QVERIFY(out.open(QIODevice::WriteOnly));
            out.write(whole.left(c.bytes));
            out.close();
            EmbeddedCore core;
            StreamReplayer replayer;
            replayInto(core, replayer, cut);
            TerminalWindow terminal(&core, &replayer);
            terminal.setSessionKept(false);
            replayer.setSpeed(0);
            replayer.start();
            QTRY_VERIFY(replayer.atEnd());
            QCOMPARE(replayer.skipped(), 0);
            QVERIFY(rowsOf(core.tables()) == c.rows);
            // the terminal's messages say so first, then which recording plays, then that the replay ended
            QTRY_COMPARE(core.recentNotifications().filter(QStringLiteral("запис")).size(), 3);
            const QStringList told = core.recentNotifications().filter(QStringLiteral("запис"));
            QVERIFY2(told.first().contains(QStringLiteral("обрывается на байте %1 ").arg(QLocale().toString(c.endsAt))),
                qPrintable(told.first()));
            QVERIFY2(
                told.last().startsWith(QStringLiteral("Воспроизведение записи окончено")), qPrintable(told.last()));
        }
    }

    void replaysEachRecordedTransactionAsItsOwnBatch()
    {
        // Given a run whose orders changed in the feed's batches, several of them in one turn of the event loop
        const QString path = m_dir.filePath(QStringLiteral("batches.bvs"));
        startTerminalFixture();
        QStringList recorded;
        {
            BatchProbe probe(m_market->table(QStringLiteral("orders")));
            StreamRecorder recorder(tables(), path);
            for (int i = 0; i < 12; ++i) {
                m_feed->step(100 + i);
                if (i % 4 == 3)
                    QCoreApplication::processEvents();
            }
            recorded = probe.batches;
        }
        stopTerminalFixture();
        QVERIFY(recorded.size() >= 12);

        // When it is played as fast as the terminal takes it
        EmbeddedCore core;
        StreamReplayer replayer;
        replayInto(core, replayer, path);
        BatchProbe played(core.tables()->table(QStringLiteral("orders")));
        replayer.setSpeed(0);
        replayer.start();
        QTRY_VERIFY(replayer.atEnd());

        // Then the orders' indexes get the recorded batches, in the recorded order
        QCOMPARE(played.batches, recorded);
    }

    void survivesBeingDeletedByATableItPlaysInto()
    {
        // Given a recording whose accounts were renamed in transactions and then by single changes, played into
        // tables whose watcher deletes the replayer as the first single rename arrives
        const QString path = m_dir.filePath(QStringLiteral("deleted.bvs"));
        recordRun(path, 0);
        stopTerminalFixture();
        EmbeddedCore core;
        auto* replayer = new StreamReplayer;
        const QPointer<StreamReplayer> alive(replayer);
        replayInto(core, *replayer, path);
        Table* limits = core.tables()->table(QStringLiteral("money_limits"));
        BatchProbe probe(limits);
        probe.onBatch = [&] {
            if (probe.batches.size() == 3)
                delete replayer;
        };

        // When it plays, it stops there, the rename in place and nothing after it played
        replayer->setSpeed(0);
        replayer->start();
        QTRY_VERIFY(!alive);
        QVERIFY(!limits->findByKeyText(QStringLiteral("~SINGLE")).isNull());
        QVERIFY(limits->findByKeyText(QStringLiteral("RENAMES")).isNull());
        QCoreApplication::processEvents();
        QCOMPARE(probe.batches.size(), 3);
    }

    void keepsTheRecordedPaceTimesTheSpeed()
    {
        // Given a recording, played at 4 times its pace on a clock the test moves
        const QString path = m_dir.filePath(QStringLiteral("paced.bvs"));
        recordRun(path, 10);
        stopTerminalFixture();
        EmbeddedCore core;
        StreamReplayer replayer;
        replayInto(core, replayer, path);
        const qint64 span = replayer.recordedSpan();
        QVERIFY(span > 100);
        qint64 now = 0;
        replayer.setClock([&now] { return now; });
        replayer.setSpeed(4);
        replayer.start();

        // When a little less than a quarter of the recorded span has passed, the end is still to come
        now = (span - span / 20) / 4;
        QTest::qWait(50);
        QVERIFY(replayer.changes() > 0);
        QVERIFY(!replayer.atEnd());
        // and once a quarter has passed it has been played
        now = span / 4 + 1;
        QTRY_VERIFY(replayer.atEnd());
    }

    void refusesASpeedThatIsNoPace_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("told");
        const QString replay = QStringLiteral("--replay");
        for (const char* speed : { "nan", "inf", "-inf", "-2", "0", "fast" })
            QTest::newRow(speed) << QStringList { replay, QStringLiteral("--speed"), QString::fromLatin1(speed) } << 2
                                 << QStringLiteral("--speed: ");
        QTest::newRow("import into a replay") << QStringList { replay, QStringLiteral("--import"),
            QStringLiteral("money_limits"), QStringLiteral("in.csv") }
                                              << 2 << QStringLiteral("--import");
        QTest::newRow("without a recording") << QStringList { QStringLiteral("--speed"), QStringLiteral("2") } << 2
                                             << QStringLiteral("только с --replay");
        QTest::newRow("ten times") << QStringList { replay, QStringLiteral("--speed"), QStringLiteral("10") } << 0
                                   << QString();
        QTest::newRow("max") << QStringList { replay, QStringLiteral("--speed"), QStringLiteral("max") } << 0
                             << QString();
    }
    void refusesASpeedThatIsNoPace()
    {
        QFETCH(QStringList, arguments);
        QFETCH(int, exitCode);
        QFETCH(QString, told);
        const QString path = m_dir.filePath(QStringLiteral("cli.bvs"));
        if (!QFile::exists(path)) {
            recordRun(path, 2);
            stopTerminalFixture();
        }
        // A terminal that plays the recording exports its orders and quits
        const int replay = arguments.indexOf(QStringLiteral("--replay"));
        if (replay >= 0)
            arguments.insert(replay + 1, path);
        const QString exported = m_dir.filePath(QStringLiteral("orders.csv"));
        QFile::remove(exported);
        arguments << QStringLiteral("--config") << m_dir.filePath(QStringLiteral("config"))
                  << QStringLiteral("--export") << QStringLiteral("orders") << exported;
        QProcess demo;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        demo.setProcessEnvironment(env);
        demo.start(QStringLiteral(BV_DEMO_PATH), arguments);
        QVERIFY(demo.waitForFinished(60000));
        const QString error = QString::fromUtf8(demo.readAllStandardError());
        QCOMPARE(demo.exitCode(), exitCode);
        if (exitCode == 0) {
            QVERIFY2(QFileInfo(exported).size() > 0, qPrintable(error));
        } else {
            QVERIFY2(error.contains(told), qPrintable(error));
            QVERIFY(!QFile::exists(exported));
        }
    }

    void stopsRecordingWhenTheDiskFallsBehindAndTheTerminalGoesOn()
    {
        // Given a recording into a pipe nobody reads yet: a disk that has stopped taking writes
        startTerminalFixture();
        const QString path = m_dir.filePath(QStringLiteral("slow.bvs"));
        QCOMPARE(mkfifo(QFile::encodeName(path).constData(), 0600), 0);
        const int reader = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK);
        QVERIFY(reader >= 0);
        fcntl(reader, F_SETPIPE_SZ, 4096);
        Table* stocks = m_market->table(QStringLiteral("stocks"));
        StreamRecorder recorder({ stocks }, path, 1);
        connect(&recorder, &StreamRecorder::stopped, &m_market->core, &EmbeddedCore::notify);
        const int orders = m_market->table(QStringLiteral("orders"))->count();

        // When frames queue up behind the one the disk holds, the recording stops and says so; a frame larger
        // than the queue's bound went while nothing waited; the market goes on
        int sent = 0;
        while (recorder.isRecording() && sent < 1000) {
            m_market->market.reload(stocks, ++sent);
            QCoreApplication::processEvents(); // the turn's frame goes to the writer
        }
        QVERIFY(sent > 1 && !recorder.isRecording());
        QTRY_VERIFY(notified(QStringLiteral("не успевает")));
        m_feed->step(200);
        QVERIFY(m_market->table(QStringLiteral("orders"))->count() > orders);

        // Then once the disk reads again the file is closed by itself, the recorder still there, and what the disk
        // took is a whole recording that says it stopped by itself
        QByteArray written;
        std::atomic<bool> closed { false };
        std::thread disk([reader, &written, &closed] {
            fcntl(reader, F_SETFL, 0);
            char buffer[65536];
            for (ssize_t n; (n = ::read(reader, buffer, sizeof buffer)) > 0;)
                written.append(buffer, int(n));
            closed = true;
        });
        const auto joined = qScopeGuard([&] {
            recorder.stop();
            if (disk.joinable())
                disk.join();
            ::close(reader);
        });
        QTRY_VERIFY_WITH_TIMEOUT(closed, 5000);
        disk.join();
        EmbeddedCore core;
        StreamReplayer replayer;
        replayWritten(path, written, core, replayer);
        TerminalWindow terminal(&core, &replayer);
        terminal.setSessionKept(false);
        QVERIFY2(core.recentNotifications().filter(QStringLiteral("остановилась сама")).size() == 1,
            qPrintable(core.recentNotifications().join(QLatin1Char('\n'))));
    }

    void startsWithoutWaitingForTheDisk()
    {
        // Given a disk that takes nothing yet (a pipe nobody reads) and tables far larger than what it buffers
        startTerminalFixture();
        const QString path = m_dir.filePath(QStringLiteral("stalled.bvs"));
        QCOMPARE(mkfifo(QFile::encodeName(path).constData(), 0600), 0);
        const int reader = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK);
        QVERIFY(reader >= 0);
        fcntl(reader, F_SETPIPE_SZ, 4096);
        const TableRows atStart = rowsOf(m_market->core.tables());
        // and a disk that reads once the recording started, or after 10 s if that never comes
        std::atomic<bool> started { false };
        std::atomic<bool> waitedOut { false };
        QByteArray written;
        std::thread disk([&] {
            for (int ms = 0; !started && ms < 10000; ms += 10)
                std::this_thread::sleep_for(std::chrono::milliseconds(10));
            waitedOut = !started;
            fcntl(reader, F_SETFL, 0);
            char buffer[65536];
            for (ssize_t n; (n = ::read(reader, buffer, sizeof buffer)) > 0;)
                written.append(buffer, int(n));
        });
        const auto joined = qScopeGuard([&] {
            if (disk.joinable())
                disk.join();
            ::close(reader);
        });

        // When the recording starts, it does not wait for the disk to take the tables' rows
        {
            StreamRecorder recorder(tables(), path);
            started = true;
            QVERIFY(!waitedOut);
            QVERIFY(recorder.isRecording());
        }
        disk.join();

        // Then what the disk took plays the tables as they were
        QVERIFY(written.size() > 16 * 4096);
        EmbeddedCore core;
        StreamReplayer replayer;
        replayWritten(path, written, core, replayer);
        QVERIFY(rowsOf(core.tables()) == atStart);
    }

    void saysWhyTheDiskRefusedTheRecording()
    {
        // Given a recording on a full disk, which takes the start into its buffer
        startTerminalFixture();
        StreamRecorder recorder({ m_market->table(QStringLiteral("stocks")) }, QStringLiteral("/dev/full"));
        QSignalSpy stopped(&recorder, &StreamRecorder::stopped);
        QVERIFY(stopped.isValid());

        // When nothing more comes, the refused write is still told, with the system's reason
        QVERIFY(stopped.wait(5000));
        QVERIFY2(stopped.first().first().toString().endsWith(QString::fromLocal8Bit(std::strerror(ENOSPC))),
            qPrintable(stopped.first().first().toString()));
        QVERIFY(!recorder.isRecording());
        recorder.stop();
        QCOMPARE(stopped.size(), 1);
    }

    void tellsAFailureFoundAsTheRecordingStops()
    {
        // Given a recording on a full disk, whose writer has found the disk full with nobody told yet, and a
        // change waiting for the end of the turn
        startTerminalFixture();
        Table* stocks = m_market->table(QStringLiteral("stocks"));
        {
            StreamRecorder recorder({ stocks }, QStringLiteral("/dev/full"));
            connect(&recorder, &StreamRecorder::stopped, &m_market->core, &EmbeddedCore::notify);
            std::this_thread::sleep_for(std::chrono::milliseconds(200));
            m_market->market.reload(stocks, 1);
            // When the terminal closes, with no turn of the event loop after the recorder goes
        }

        // Then the messages say once why the recording stopped
        const QStringList told = m_market->core.recentNotifications().filter(QStringLiteral("Запись потока"));
        QCOMPARE(told.size(), 1);
        QVERIFY2(told.first().endsWith(QString::fromLocal8Bit(std::strerror(ENOSPC))), qPrintable(told.first()));
    }
};

QTEST_MAIN(tst_StreamReplay)
#include "tst_streamreplay.moc"
