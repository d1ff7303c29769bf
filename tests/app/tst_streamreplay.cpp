#include "core/db/masterindex.h"
#include "core/db/recordstrans.h"
#include "core/db/recordupdater.h"
#include "core/host/schema/hostschema.h"
#include "core/host/stream/streamformat.h"
#include "core/host/stream/streamrecorder.h"
#include "core/host/stream/streamreplayer.h"
#include "terminalfixture.h"

#include <QAbstractItemModel>

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
    // in a transaction and a position on its own. Leaves the fixture running; returns the tables as it ended.
    TableRows recordRun(const QString& path, int batches)
    {
        startTerminalFixture();
        StreamRecorder recorder(tables(), path);
        for (int i = 0; i < batches; ++i) {
            m_feed->step(200);
            QCoreApplication::processEvents(); // the frame of this turn goes to the writer
        }
        m_market->market.reload(m_market->table(QStringLiteral("kv.fut_margin_type")), 1);
        Table* orders = m_market->table(QStringLiteral("orders"));
        {
            RecordsTrans trans(orders);
            RecordUpdater(orders->masterIndex()->at(0), trans).remove();
        }
        Record position = m_market->table(QStringLiteral("positions"))->masterIndex()->at(0);
        position.remove();
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
    void cleanup() { stopTerminalFixture(); }

    void replaysToTheRecordedTablesAndFreshModels()
    {
        // Given a recorded run
        const QString path = m_dir.filePath(QStringLiteral("run.bvs"));
        const TableRows recorded = recordRun(path, 30);
        const QStringList kinds = [] {
            return QStringList { QStringLiteral("instruments"), QStringLiteral("orders"), QStringLiteral("deals"),
                QStringLiteral("positions") };
        }();
        stopTerminalFixture();

        // When a terminal with every window open plays it as fast as it can
        EmbeddedCore core;
        StreamReplayer replayer;
        replayInto(core, replayer, path);
        QVERIFY(replayer.truncation().isEmpty());
        TerminalWindow terminal(&core, nullptr);
        terminal.setSessionKept(false);
        terminal.followReplay(&replayer);
        openEveryView(terminal, kinds);
        terminal.show();
        QSignalSpy finished(&replayer, &StreamReplayer::finished);
        QVERIFY(finished.isValid());
        replayer.setSpeed(0);
        replayer.start();
        QVERIFY(finished.wait(20000));

        // Then the tables are the recorded run's, and every window shows what a fresh one shows
        QCOMPARE(replayer.skipped(), 0);
        QVERIFY(replayer.changes() > 30 * 200);
        const TableRows replayed = rowsOf(core.tables());
        QCOMPARE(replayed.keys(), recorded.keys());
        for (const QString& name : recorded.keys())
            QVERIFY2(replayed.value(name) == recorded.value(name), qPrintable(name));
        TerminalWindow fresh(&core, nullptr);
        fresh.setSessionKept(false);
        openEveryView(fresh, kinds);
        const QList<HostWindow*> played = terminal.windows();
        const QList<HostWindow*> built = fresh.windows();
        QCOMPARE(played.size(), built.size());
        QVERIFY(played.size() > kinds.size());
        for (int i = 0; i < played.size(); ++i) {
            const auto* a = dynamic_cast<const QAbstractItemModel*>(TerminalWindow::modelOf(played.at(i)));
            const auto* b = dynamic_cast<const QAbstractItemModel*>(TerminalWindow::modelOf(built.at(i)));
            QVERIFY(a && b);
            // Rows of equal sort keys may stand in another order than a fresh build puts them in.
            auto rows = [](const QAbstractItemModel* model) {
                QStringList lines = textOf(model).split(QLatin1Char('\n'));
                lines.sort();
                return lines;
            };
            QTRY_COMPARE(rows(a), rows(b));
            QVERIFY2(a->rowCount() > 0, qPrintable(played.at(i)->windowName()));
        }
    }

    void refusesOtherVersionsAndDamageAndPlaysWhatATruncatedFileHolds()
    {
        const QString path = m_dir.filePath(QStringLiteral("small.bvs"));
        const TableRows recorded = recordRun(path, 5);
        const int orders = recorded.value(QStringLiteral("orders")).size();
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
        QByteArray otherVersion = whole;
        otherVersion[8] = 2;
        QVERIFY2(refusal(otherVersion).contains(QStringLiteral("версии 2")), qPrintable(refusal(otherVersion)));
        QByteArray flipped = whole;
        flipped[whole.size() - 5] = char(flipped.at(whole.size() - 5) ^ 0x10);
        QVERIFY2(refusal(flipped).contains(QStringLiteral("повреждена")), qPrintable(refusal(flipped)));
        QByteArray header = whole;
        header[StreamFormat::HeaderFixedBytes + 12] = char(header.at(StreamFormat::HeaderFixedBytes + 12) ^ 1);
        QVERIFY(refusal(header).contains(QStringLiteral("повреждена")));
        QVERIFY(refusal("order_num,price\n1,100\n").contains(QStringLiteral("не запись потока")));

        // A file cut short plays its whole frames and says where it ends.
        const QString cut = m_dir.filePath(QStringLiteral("cut.bvs"));
        QFile out(cut);
        QVERIFY(out.open(QIODevice::WriteOnly));
        out.write(whole.left(whole.size() - 7));
        out.close();
        EmbeddedCore core;
        StreamReplayer replayer;
        replayInto(core, replayer, cut);
        QVERIFY2(replayer.truncation().contains(QString::number(whole.size() - 7)), qPrintable(replayer.truncation()));
        replayer.setSpeed(0);
        replayer.start();
        QTRY_VERIFY(replayer.atEnd());
        QCOMPARE(replayer.skipped(), 0);
        const int played = core.tables()->table(QStringLiteral("orders"))->count();
        QVERIFY(played > 0 && played <= orders + 1);
    }

    void stopsRecordingWhenTheDiskFallsBehindAndTheTerminalGoesOn()
    {
        // Given a recording whose queue holds nothing
        startTerminalFixture();
        const QString path = m_dir.filePath(QStringLiteral("slow.bvs"));
        StreamRecorder recorder(tables(), path, 1);
        connect(&recorder, &StreamRecorder::stopped, &m_market->core, &EmbeddedCore::notify);
        const int orders = m_market->table(QStringLiteral("orders"))->count();

        // When the feed moves, the recording stops and says so; the market goes on
        m_feed->step(200);
        QTRY_VERIFY(!recorder.isRecording());
        QTRY_VERIFY(notified(QStringLiteral("остановлена"))); // said on the next turn of the loop
        m_feed->step(200);
        QVERIFY(m_market->table(QStringLiteral("orders"))->count() > orders);

        // Then the file holds a valid recording of the market as it started
        recorder.stop();
        stopTerminalFixture();
        EmbeddedCore core;
        StreamReplayer replayer;
        replayInto(core, replayer, path);
        QVERIFY(replayer.truncation().isEmpty());
        QVERIFY(replayer.atEnd());
        QCOMPARE(core.tables()->table(QStringLiteral("orders"))->count(), orders);
    }
};

QTEST_MAIN(tst_StreamReplay)
#include "tst_streamreplay.moc"
