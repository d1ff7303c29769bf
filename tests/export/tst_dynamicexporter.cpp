#include "columns/itemroles.h"
#include "core/db/appsettings.h"
#include "dialoganswers.h"
#include "export/dynamic/dynamicexporter.h"
#include "export/dynamic/private/dynamicexportermodel.h"
#include "export/dynamic/private/dynamicexportersetupdialog.h"
#include "export/exporterproxymodel.h"
#include "export/fileexporter.h"
#include "queuedinput.h"
#include "scriptedhandler.h"
#include "stateview.h"

#include <QAbstractItemModelTester>
#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QStandardItemModel>
#include <QTemporaryDir>
#include <QtTest>

#include <algorithm>
#include <limits>
#include <memory>

namespace {

// Ticks come when the test says, not after minutes.
class TickedExporter : public DynamicExporter
{
public:
    using DynamicExporter::DynamicExporter;
    void tick() { onTimerTimeoout(); }
};

QByteArray contents(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// The trader's way out of a frozen terminal: Cancel on the progress window in view.
void cancelShownProgress()
{
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (auto* progress = qobject_cast<ProgressDialog*>(w); progress && progress->isVisible())
            progress->cancel();
    }
}

QString listed()
{
    const DynamicExporterModel* model = DynamicExporterModel::instance();
    QStringList rows;
    for (int row = 0; row < model->rowCount(); ++row) {
        QStringList cells;
        for (int column = 0; column < model->columnCount(); ++column)
            cells << model->index(row, column).data().toString();
        rows << cells.join(QLatin1Char('|'));
    }
    return rows.join(QStringLiteral(", "));
}

} // namespace

class tst_DynamicExporter : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_settings;
    QTemporaryDir m_files;
    QStandardItemModel m_source;
    ScriptedHandler* m_scripted = nullptr; // owned by the file exporter
    std::unique_ptr<StateView> m_view;

    QString file(const QString& name) const { return m_files.filePath(name); }
    std::unique_ptr<TickedExporter> exporter(const QString& path, int interval = 60)
    {
        auto made = std::make_unique<TickedExporter>(m_view.get());
        made->setup(ExporterProxyModel::create(&m_source), path, interval);
        return made;
    }

private Q_SLOTS:
    void initTestCase()
    {
        AppSettings::setLocation(m_settings.path());
        m_scripted = new ScriptedHandler;
        FileExporter::instance()->addHandler(m_scripted);
        m_source.setColumnCount(1);
        m_source.setHeaderData(0, Qt::Horizontal, QStringLiteral("code"), ColumnNameRole);
        for (int i = 0; i < 3; ++i)
            m_source.appendRow(new QStandardItem(QStringLiteral("R%1").arg(i)));
    }
    void init()
    {
        m_view = std::make_unique<StateView>();
        m_view->setWindowTitle(QStringLiteral("Заявки"));
        *m_scripted = ScriptedHandler();
    }
    void cleanup()
    {
        m_view.reset();
        QCOMPARE(DynamicExporterModel::instance()->rowCount(), 0);
    }

    void writesAtOnceThenOnlyOnTicksAfterAChange()
    {
        const QString path = file(QStringLiteral("orders.tst"));
        auto dynamic = exporter(path);
        QSignalSpy written(FileExporter::instance(), &FileExporter::finished);
        QSignalSpy started(dynamic.get(), &DynamicExporter::started);
        dynamic->start(0);
        QCOMPARE(started.count(), 1);
        QVERIFY(dynamic->isActive());
        QTRY_COMPARE(written.count(), 1);
        QCOMPARE(contents(path), QByteArray("header\nR0\nR1\nR2\n"));

        // Given no change, a tick writes nothing.
        dynamic->tick();
        QTest::qWait(50);
        QCOMPARE(written.count(), 1);

        // A change is written at the next tick, not before.
        m_source.item(1)->setText(QStringLiteral("X1"));
        QTest::qWait(50);
        QCOMPARE(written.count(), 1);
        dynamic->tick();
        QTRY_COMPARE(written.count(), 2);
        QCOMPARE(contents(path), QByteArray("header\nR0\nX1\nR2\n"));
        m_source.item(1)->setText(QStringLiteral("R1"));

        QSignalSpy stopped(dynamic.get(), &DynamicExporter::stopped);
        dynamic->stop();
        QCOMPARE(stopped.count(), 1);
        QVERIFY(!dynamic->isActive());
        dynamic->stop(); // stopping an inactive exporter says nothing
        QCOMPARE(stopped.count(), 1);
    }

    void changesDuringATranslatorSwitchDoNotCount()
    {
        auto dynamic = exporter(file(QStringLiteral("switch.tst")));
        QSignalSpy written(FileExporter::instance(), &FileExporter::finished);
        dynamic->start(0);
        QTRY_COMPARE(written.count(), 1);

        Q_EMIT FileExporter::instance()->beginTranslatorUpdate();
        m_source.setHeaderData(0, Qt::Horizontal, QStringLiteral("Code"), Qt::DisplayRole);
        Q_EMIT FileExporter::instance()->endTranslatorUpdate();
        dynamic->tick();
        QTest::qWait(50);
        QCOMPARE(written.count(), 1);

        m_source.item(0)->setText(QStringLiteral("Z0"));
        dynamic->tick();
        QTRY_COMPARE(written.count(), 2);
        dynamic->stop();
        m_source.item(0)->setText(QStringLiteral("R0"));
    }

    void failedWriteKeepsItRunningCancelledWriteStopsIt()
    {
        // Given a folder that does not exist, the write fails and the export waits for the next tick.
        auto failing = exporter(file(QStringLiteral("missing/orders.tst")));
        QSignalSpy written(FileExporter::instance(), &FileExporter::finished);
        failing->start(0);
        QTRY_COMPARE(written.count(), 1);
        QCOMPARE(written.first().at(1).toInt(), int(FileExporter::Failed));
        QVERIFY(failing->isActive());
        QVERIFY(!failing->isExporting());
        QCOMPARE(DynamicExporterModel::instance()->rowCount(), 1);
        failing->stop();

        // A write the user cancels ends the dynamic export: one long enough for its progress window to show.
        QStandardItemModel many(3000, 1);
        auto cancelled = std::make_unique<TickedExporter>(m_view.get());
        cancelled->setup(ExporterProxyModel::create(&many), file(QStringLiteral("many.tst")), 60);
        m_scripted->microsecondsPerRow = 500;
        QSignalSpy stopped(cancelled.get(), &DynamicExporter::stopped);
        cancelWhenShown();
        cancelled->start(0);
        QTRY_COMPARE(stopped.count(), 1);
        QVERIFY(!cancelled->isActive());
        QCOMPARE(DynamicExporterModel::instance()->rowCount(), 0);
    }

    void completionAfterAStopLeavesItInactive()
    {
        // A write slow enough to stop the export in the middle of it.
        QStandardItemModel many(400, 1);
        TickedExporter late(m_view.get());
        TickedExporter* dynamic = &late;
        late.setup(ExporterProxyModel::create(&many), file(QStringLiteral("late.tst")), 60);
        m_scripted->microsecondsPerRow = 500;
        QSignalSpy written(FileExporter::instance(), &FileExporter::finished);
        bool stoppedWhileWriting = false;
        QTimer::singleShot(50, dynamic, [&] {
            stoppedWhileWriting = dynamic->isExporting();
            dynamic->stop();
        });
        dynamic->start(0);
        QTRY_COMPARE(written.count(), 1);
        QVERIFY(stoppedWhileWriting);
        QVERIFY(!dynamic->isActive());
        QCOMPARE(DynamicExporterModel::instance()->rowCount(), 0);
        // And it can start again.
        dynamic->start(0);
        QTRY_COMPARE(written.count(), 2);
        dynamic->stop();
    }

    // A change that comes while a write runs reaches the file at a later write, and a set-up made again during a
    // write (a window's new header) still gets its first write at once.
    void changesDuringAWriteAreWrittenLater()
    {
        QStandardItemModel many(400, 1);
        for (int row = 0; row < many.rowCount(); ++row)
            many.setItem(row, new QStandardItem(QStringLiteral("R%1").arg(row)));
        const QString path = file(QStringLiteral("busy.tst"));
        TickedExporter dynamic(m_view.get());
        dynamic.setup(ExporterProxyModel::create(&many), path, 60);
        m_scripted->microsecondsPerRow = 500; // a write takes about 200 ms
        QSignalSpy written(FileExporter::instance(), &FileExporter::finished);
        bool changedWhileWriting = false;
        QTimer::singleShot(50, &dynamic, [&] {
            changedWhileWriting = dynamic.isExporting();
            many.item(0)->setText(QStringLiteral("X0"));
        });
        dynamic.start(0);
        QTRY_COMPARE(written.count(), 1);
        QVERIFY(changedWhileWriting);
        QVERIFY(contents(path).startsWith("header\nR0\n"));
        dynamic.tick();
        QTRY_COMPARE(written.count(), 2);
        QVERIFY(contents(path).startsWith("header\nX0\n"));

        const QString moved = file(QStringLiteral("moved.tst"));
        QTimer::singleShot(50, &dynamic, [&] {
            changedWhileWriting = dynamic.isExporting();
            dynamic.stop();
            dynamic.setup(ExporterProxyModel::create(&many), moved, 60);
            dynamic.start(0);
        });
        many.item(0)->setText(QStringLiteral("Y0"));
        dynamic.tick();
        QTRY_COMPARE(written.count(), 4);
        QVERIFY(changedWhileWriting);
        QVERIFY(contents(moved).startsWith("header\nY0\n"));
        QVERIFY(dynamic.isActive());
        dynamic.stop();
    }

    // The longest interval the set-up offers, or one read from old settings, still ticks.
    void longIntervalsKeepTicking()
    {
        DynamicExporterSetupDialog dialog(m_view.get());
        dialog.setMinutes(std::numeric_limits<int>::max());
        TickedExporter dynamic(m_view.get());
        for (const qint64 minutes : { qint64(dialog.minutes()), qint64(36000) }) {
            dynamic.setup(ExporterProxyModel::create(&m_source), file(QStringLiteral("rare.tst")), int(minutes * 60));
            dynamic.start(60000);
            const QList<QTimer*> timers = dynamic.findChildren<QTimer*>();
            const bool ticking = std::any_of(timers.begin(), timers.end(), [&](const QTimer* t) {
                return t->isActive() && !t->isSingleShot() && t->interval() == qint64(dynamic.interval()) * 1000;
            });
            QVERIFY2(ticking, qPrintable(QStringLiteral("%1 minutes").arg(minutes)));
            dynamic.stop();
        }
    }

    // A write due while the trader has a dialog open waits for it: run inside the dialog's event loop, the write
    // would stay there until the dialog closed, and its progress window would cover the dialog.
    void aWriteWaitsForTheDialogInUse()
    {
        QStandardItemModel many(4000, 1);
        TickedExporter dynamic(m_view.get());
        dynamic.setup(ExporterProxyModel::create(&many), file(QStringLiteral("later.tst")), 60);
        m_scripted->microsecondsPerRow = 500; // two seconds: its progress window shows after one
        QSignalSpy written(FileExporter::instance(), &FileExporter::finished);
        QDialog settings(m_view.get());
        bool covered = false;
        QTimer::singleShot(0, &settings, [&] { dynamic.start(0); });
        QTimer::singleShot(1500, &settings, [&] {
            covered = QApplication::activeModalWidget() != &settings;
            cancelShownProgress();
            settings.reject();
        });
        settings.exec();
        QVERIFY(!covered);
        QCOMPARE(written.count(), 0);
        QTRY_COMPARE_WITH_TIMEOUT(written.count(), 1, 10000);
        QCOMPARE(written.first().at(1).toInt(), int(FileExporter::Written));
        dynamic.stop();
    }

    // The trader clicks during a short background write: the click waits for the write's end, so the dialog it
    // opens never runs inside the write (where the write's window would come over it and the write could not go
    // on under it).
    void aDialogOpenedDuringAWriteOpensAfterIt()
    {
        QStandardItemModel many(400, 1);
        TickedExporter dynamic(m_view.get());
        dynamic.setup(ExporterProxyModel::create(&many), file(QStringLiteral("busy.tst")), 60);
        m_scripted->microsecondsPerRow = 500; // about 200 ms: over before its window would show
        QSignalSpy written(FileExporter::instance(), &FileExporter::finished);
        QWidget terminal;
        auto* buy = new QPushButton(QStringLiteral("Купить"), &terminal);
        terminal.show();
        QVERIFY(QTest::qWaitForWindowExposed(&terminal));
        int writtenBeforeDialog = -1;
        bool covered = false;
        bool answered = false;
        connect(buy, &QPushButton::clicked, this, [&] {
            writtenBeforeDialog = written.count();
            QDialog confirmation(&terminal);
            QTimer::singleShot(1500, &confirmation, [&] {
                covered = QApplication::activeModalWidget() != &confirmation;
                cancelShownProgress();
                confirmation.accept();
            });
            confirmation.exec();
            answered = true;
        });
        QTimer::singleShot(50, buy, [buy] { queueClick(buy); });
        dynamic.start(0);
        QTRY_VERIFY_WITH_TIMEOUT(answered, 10000);
        QCOMPARE(writtenBeforeDialog, 1);
        QVERIFY(!covered);
        QCOMPARE(written.first().at(1).toInt(), int(FileExporter::Written));
        dynamic.stop();
    }

    void modelListsRunningExportersInStartOrder()
    {
        DynamicExporterModel* model = DynamicExporterModel::instance();
        QAbstractItemModelTester tester(model, QAbstractItemModelTester::FailureReportingMode::Fatal);
        StateView b, c;
        b.setWindowTitle(QStringLiteral("Сделки"));
        c.setWindowTitle(QStringLiteral("Позиции"));
        auto first = exporter(QStringLiteral("/data/a.csv"), 300);
        TickedExporter second(&b), third(&c);
        second.setup(ExporterProxyModel::create(&m_source), QStringLiteral("/data/b.csv"), 330);
        third.setup(ExporterProxyModel::create(&m_source), QStringLiteral("/data/c.csv"), 45);
        QSignalSpy inserted(model, &QAbstractItemModel::rowsInserted);
        QSignalSpy removed(model, &QAbstractItemModel::rowsRemoved);
        // The first writes would fail; the rows are what counts here.
        first->start(60000);
        second.start(60000);
        third.start(60000);
        second.start(60000); // already listed
        QCOMPARE(inserted.count(), 3);
        QCOMPARE(listed(),
            QStringLiteral("Заявки|5 мин|/data/a.csv, Сделки|5 мин 30 сек|/data/b.csv, Позиции|45 сек|/data/c.csv"));
        second.stop();
        QCOMPARE(removed.count(), 1);
        QCOMPARE(removed.first().at(1).toInt(), 1);
        QCOMPARE(listed(), QStringLiteral("Заявки|5 мин|/data/a.csv, Позиции|45 сек|/data/c.csv"));
        // A destroyed exporter leaves the list.
        first.reset();
        QCOMPARE(listed(), QStringLiteral("Позиции|45 сек|/data/c.csv"));
        third.stop();
    }
    void storeAndRestoreThroughAnIniFile()
    {
        auto dynamic = exporter(file(QStringLiteral("kept.csv")), 120);
        dynamic->start(60000);
        {
            AppSettings settings(QStringLiteral("window"));
            settings.beginGroup(QStringLiteral("orders"));
            dynamic->store(settings);
        }
        dynamic->stop();
        AppSettings settings(QStringLiteral("window"));
        settings.beginGroup(QStringLiteral("orders"));
        QCOMPARE(settings.value(QStringLiteral("DynamicExporter/enabled")).toBool(), true);
        TickedExporter restored(m_view.get());
        QVERIFY(restored.restore(settings));
        QCOMPARE(restored.fileName(), file(QStringLiteral("kept.csv")));
        QCOMPARE(restored.interval(), 120);
        QVERIFY(!restored.isActive());

        // A damaged interval falls back to five minutes; an export without a file does not come back.
        settings.setValue(QStringLiteral("DynamicExporter/interval"), QStringLiteral("often"));
        settings.setValue(QStringLiteral("DynamicExporter/fileName"), QString());
        QVERIFY(!restored.restore(settings));
        QCOMPARE(restored.interval(), 300);
    }

    void setupDialogWarnsAndAllowsOnlyKnownFormats_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("acceptable");
        QTest::addColumn<QString>("warning");
        QTest::newRow("empty") << QString() << false << QStringLiteral("Не указано имя файла!");
        QTest::newRow("no suffix") << QStringLiteral("orders") << false
                                   << QStringLiteral("Указано некорректное расширение файла!");
        QTest::newRow("unknown suffix") << QStringLiteral("orders.xls") << false
                                        << QStringLiteral("Указано некорректное расширение файла!");
        QTest::newRow("csv") << QStringLiteral("orders.csv") << true << QString();
        QTest::newRow("dBASE in capitals") << QStringLiteral("ORDERS.DBF") << true << QString();
    }
    void setupDialogWarnsAndAllowsOnlyKnownFormats()
    {
        QFETCH(QString, name);
        QFETCH(bool, acceptable);
        QFETCH(QString, warning);
        DynamicExporterSetupDialog dialog(m_view.get());
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Динамический экспорт: Заявки"));
        dialog.findChild<QLineEdit*>()->setText(name.isEmpty() ? name : file(name));
        QCOMPARE(dialog.isAcceptable(), acceptable);
        if (warning.isEmpty())
            QCOMPARE(dialog.warningText(), QString());
        else
            QCOMPARE(dialog.warningText(),
                QStringLiteral("<font color=\"red\"><b>Внимание!</b>&nbsp;%1</font>").arg(warning));
    }

    void setupDialogNamesTheWindowsAlreadyExportingThere()
    {
        const QString shared = file(QStringLiteral("shared.csv"));
        std::vector<std::unique_ptr<StateView>> views;
        std::vector<std::unique_ptr<TickedExporter>> running;
        for (int i = 1; i <= 11; ++i) {
            views.push_back(std::make_unique<StateView>());
            views.back()->setWindowTitle(QStringLiteral("Окно <%1>").arg(i));
            running.push_back(std::make_unique<TickedExporter>(views.back().get()));
            running.back()->setup(ExporterProxyModel::create(&m_source), shared, 60);
            running.back()->start(60000);
            if (i == 1 || i == 11) {
                DynamicExporterSetupDialog dialog;
                dialog.setFileName(shared);
                QVERIFY(dialog.isAcceptable());
                const QString text = dialog.warningText();
                QVERIFY(text.contains(QStringLiteral("Указанный файл уже применяется для динамического экспорта")));
                QVERIFY(text.contains(QStringLiteral("Окно &lt;1&gt;")));
                QCOMPARE(text.contains(QStringLiteral("Окно &lt;10&gt;")), i == 11);
                QVERIFY(!text.contains(QStringLiteral("Окно &lt;11&gt;")));
                QCOMPARE(text.contains(QStringLiteral("<br>...")), i == 11);
            }
        }
        running.clear();
    }

    void setupAsksForFileAndWholeMinutes()
    {
        TickedExporter dynamic(m_view.get());
        const QString path = file(QStringLiteral("asked.csv"));
        answerDialog<DynamicExporterSetupDialog>([path](DynamicExporterSetupDialog* dialog) {
            QCOMPARE(dialog->minutes(), 5); // the default five minutes
            dialog->setFileName(path);
            dialog->setMinutes(2);
            dialog->accept();
        });
        QVERIFY(dynamic.setup(ExporterProxyModel::create(&m_source)));
        QCOMPARE(dynamic.fileName(), path);
        QCOMPARE(dynamic.interval(), 120);

        answerDialog<DynamicExporterSetupDialog>([](DynamicExporterSetupDialog* dialog) { dialog->reject(); });
        QVERIFY(!dynamic.setup(ExporterProxyModel::create(&m_source)));
        QCOMPARE(dynamic.interval(), 120);
    }
};

QTEST_MAIN(tst_DynamicExporter)
#include "tst_dynamicexporter.moc"
