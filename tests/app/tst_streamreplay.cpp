#include "core/db/masterindex.h"
#include "core/db/recordstrans.h"
#include "core/db/recordupdater.h"
#include "core/host/embedded/embeddedconnectionsmanager.h"
#include "core/host/schema/hostschema.h"
#include "core/host/stream/streamformat.h"
#include "core/host/stream/streamrecorder.h"
#include "core/host/stream/streamreplayer.h"
#include "limitswindow.h"
#include "moneylimits.h"
#include "tablefile.h"
#include "terminalfixture.h"

#include <QAbstractItemModel>
#include <QtEndian>

#include <cerrno>
#include <cstring>
#include <thread>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

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
    // in a transaction and a position on its own, these last in one frame. Leaves the fixture running; returns the
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
                QStringLiteral("positions"), QStringLiteral("limits") };
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
        QVERIFY(replayer.truncation().isEmpty());
        TerminalWindow terminal(&core, &replayer);
        terminal.setSessionKept(false);
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
        TerminalWindow fresh(&core, &replayer);
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

        // and nothing of the terminal's own writes into the recorded tables: no exchange to send orders to, and
        // limits edited during the replay stay out of the trader's file
        QVERIFY(!core.connections()->isConnected());
        QVERIFY(!mainMenuAction(terminal, QStringLiteral("Новая заявка..."))->isEnabled());
        auto* limitsWindow
            = dynamic_cast<LimitsWindow*>(TerminalWindow::tableView(terminal.windowOf(QStringLiteral("limits"))));
        QVERIFY(limitsWindow && limitsWindow->addAccount(QStringLiteral("REPLAY1")));
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
        recordRun(path, 5, &beforeLastFrame);
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
        otherVersion[8] = 1;
        QVERIFY2(refusal(otherVersion).contains(QStringLiteral("версии 1")), qPrintable(refusal(otherVersion)));
        // A frame whose length is damaged is refused, not taken for the end of a file cut short.
        const int firstFrame = StreamFormat::HeaderFixedBytes + qFromLittleEndian<quint32>(whole.constData() + 12);
        QByteArray length = whole;
        length[firstFrame + 3] = char(length.at(firstFrame + 3) ^ 0x40);
        QVERIFY2(refusal(length).contains(QStringLiteral("блока на байте %1 ").arg(firstFrame)),
            qPrintable(refusal(length)));
        QByteArray flipped = whole;
        flipped[whole.size() - 5] = char(flipped.at(whole.size() - 5) ^ 0x10);
        QVERIFY2(refusal(flipped).contains(QStringLiteral("повреждена")), qPrintable(refusal(flipped)));
        QByteArray header = whole;
        header[StreamFormat::HeaderFixedBytes + 12] = char(header.at(StreamFormat::HeaderFixedBytes + 12) ^ 1);
        QVERIFY(refusal(header).contains(QStringLiteral("повреждена")));
        QVERIFY(refusal("order_num,price\n1,100\n").contains(QStringLiteral("не запись потока")));

        // A file cut short in its last frame plays the frames before, to the tables as they were then, and says
        // that it ends where that frame starts.
        int lastFrame = firstFrame;
        for (int next = firstFrame; next < whole.size();
             next += StreamFormat::FrameHeaderBytes + int(qFromLittleEndian<quint32>(whole.constData() + next)))
            lastFrame = next;
        const QString cut = m_dir.filePath(QStringLiteral("cut.bvs"));
        QFile out(cut);
        QVERIFY(out.open(QIODevice::WriteOnly));
        out.write(whole.left(whole.size() - 7));
        out.close();
        EmbeddedCore core;
        StreamReplayer replayer;
        replayInto(core, replayer, cut);
        QVERIFY2(replayer.truncation().contains(QStringLiteral(" %1 ").arg(QLocale().toString(lastFrame))),
            qPrintable(replayer.truncation()));
        replayer.setSpeed(0);
        replayer.start();
        QTRY_VERIFY(replayer.atEnd());
        QCOMPARE(replayer.skipped(), 0);
        QVERIFY(rowsOf(core.tables()) == beforeLastFrame);
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

        // Then what the disk takes once it reads again is a whole recording
        QByteArray written;
        std::thread disk([reader, &written] {
            fcntl(reader, F_SETFL, 0);
            char buffer[65536];
            for (ssize_t n; (n = ::read(reader, buffer, sizeof buffer)) > 0;)
                written.append(buffer, int(n));
        });
        recorder.stop();
        disk.join();
        ::close(reader);
        QFile::remove(path);
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(written) == written.size());
        file.close();
        stopTerminalFixture();
        EmbeddedCore core;
        StreamReplayer replayer;
        replayInto(core, replayer, path);
        QVERIFY(replayer.truncation().isEmpty());
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
};

QTEST_MAIN(tst_StreamReplay)
#include "tst_streamreplay.moc"
