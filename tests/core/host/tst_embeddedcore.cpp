#include "core/db/table.h"
#include "core/host/actions/actionmanager.h"
#include "core/host/connectionsmanager.h"
#include "core/host/embedded/embeddedconnectionsmanager.h"
#include "core/host/embedded/embeddedcore.h"
#include "core/host/embedded/embeddedwindowmanager.h"
#include "core/host/idecoder.h"
#include "core/host/schema/hostschema.h"
#include "core/host/signalhub.h"
#include "core/host/tableregistry.h"
#include "core/host/widgets/confirmationdialog.h"

#include "recordingprogress.h"
#include <QAction>
#include <QCheckBox>

#include <QSettings>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include <thread>

#include "core/db/appsettings.h"

class tst_EmbeddedCore : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_settings;
    QByteArray m_zone; // TZ as the process started, null when unset

private Q_SLOTS:
    void initTestCase()
    {
        AppSettings::setLocation(m_settings.path());
        m_zone = qgetenv("TZ");
    }
    void cleanup()
    {
        if (m_zone.isNull())
            qunsetenv("TZ");
        else
            qputenv("TZ", m_zone);
    }

    // The host is a component of a program: the program's environment (its zone) is the program's to set.
    void oneCoreIsCurrentAtATimeAndLeavesTheEnvironmentAlone()
    {
        QVERIFY(ICore::instance() == nullptr);
        // Both ways a program may start: with TZ unset (where a host would be tempted to name a zone) and set.
        for (const QByteArray& zone : { QByteArray(), QByteArray("Europe/Berlin") }) {
            if (zone.isNull())
                qunsetenv("TZ");
            else
                qputenv("TZ", zone);
            {
                EmbeddedCore core;
                QCOMPARE(ICore::instance(), &core);
                QCOMPARE(IWindowManager::instance(), core.windowManager());
                QCOMPARE(qgetenv("TZ"), zone);
                QCOMPARE(qEnvironmentVariableIsSet("TZ"), !zone.isNull());
            }
            QVERIFY(ICore::instance() == nullptr);
            QVERIFY(IWindowManager::instance() == nullptr);
        }
    }

    void tableRegistryOwnsTablesByName()
    {
        EmbeddedCore core;
        QSignalSpy changed(TableRegistry::notifier(), &TableRegistry::changed);
        Table* orders = HostSchema::orders().create();
        QVERIFY(core.tables()->registerTable(orders));
        QCOMPARE(core.tables()->table(QStringLiteral("orders")), orders);
        QVERIFY(core.tables()->table(QStringLiteral("nothing")) == nullptr);
        QVERIFY(!core.tables()->registerTable(HostSchema::orders().create(this))); // the name is taken
        QCOMPARE(changed.count(), 1);
        QCOMPARE(changed.first().first().toString(), QStringLiteral("orders"));
        QCOMPARE(orders->parent(), core.tables());
        Table* back = core.tables()->unregisterTable(QStringLiteral("orders"));
        QCOMPARE(back, orders);
        QVERIFY(core.tables()->unregisterTable(QStringLiteral("orders")) == nullptr);
        delete back;
    }

    void hubDecoderAndPlugins()
    {
        EmbeddedCore core;
        QSignalSpy day(core.signalHub(), &SignalHub::aNewDay);
        Q_EMIT core.signalHub()->aNewDay();
        QCOMPARE(day.count(), 1);
        IDecoder* decoder = nullptr;
        for (QObject* plugin : core.plugins()) {
            if (auto* d = qobject_cast<IDecoder*>(plugin))
                decoder = d;
        }
        QVERIFY(decoder);
        QSignalSpy sessions(core.decoder(), SIGNAL(aNewSessions()));
        core.decoder()->announceNewSessions();
        QCOMPARE(sessions.count(), 1);
        QCOMPARE(decoder->sessionsSeen(), 1);
    }

    void servicesKeepWhatTheyWereTold()
    {
        EmbeddedCore core;
        core.progress()->start(QStringLiteral("Построение"), 10); // no display: dropped
        RecordingProgress display;
        core.progressService().setDisplay(&display);
        core.progress()->start(QStringLiteral("Построение"), 10);
        core.progress()->progress(QStringLiteral("Построение"), 5);
        core.progress()->extraText(QStringLiteral("Построение"), QStringLiteral("ещё"));
        core.progress()->end(QStringLiteral("Построение"));
        QCOMPARE(display.lines,
            (QStringList { "start Построение 10", "progress Построение 5", "extra Построение ещё", "end Построение" }));
        QSignalSpy notified(&core, &EmbeddedCore::notified);
        core.notify(QStringLiteral("Заявка отклонена"));
        QCOMPARE(notified.count(), 1);
        QCOMPARE(notified.first().first().toString(), QStringLiteral("Заявка отклонена"));
        // A terminal that runs for days keeps only the latest messages for a pane that opens late.
        for (int i = 0; i < 3 * EmbeddedCore::RecentNotifications; ++i)
            core.notify(QString::number(i));
        QCOMPARE(core.recentNotifications().size(), int(EmbeddedCore::RecentNotifications));
        QCOMPARE(core.recentNotifications().last(), QString::number(3 * EmbeddedCore::RecentNotifications - 1));

        QObject colors;
        core.registerColorManager(&colors);
        core.registerColorManager(&colors);
        QCOMPARE(core.colorManagers().size(), 1);
    }

    void busySwitchRestoresThePreviousState()
    {
        EmbeddedCore core;
        const bool before = core.setBusy(true);
        QVERIFY(!before);
        const bool nested = core.setBusy(true);
        QVERIFY(nested);
        core.setBusy(nested);
        QVERIFY(core.isBusy());
        core.setBusy(before);
        QVERIFY(!core.isBusy());
    }

    void englishTranslationIsPerThread()
    {
        EmbeddedCore core;
        QTranslator english;
        core.setEnglishTranslator(&english);
        QVERIFY(!core.setEnglishTranslation(true));
        // Another thread still has the default.
        bool other = true;
        std::thread([&] { other = core.setEnglishTranslation(false); }).join();
        QVERIFY(!other);
        QVERIFY(core.setEnglishTranslation(false)); // this thread had it on
        // Without an English text the source text stays.
        QCOMPARE(core.translate("Context", "Цена"), QStringLiteral("Цена"));
    }

    void transactionSenderBuildsQueuesAndExecutes()
    {
        EmbeddedCore core;
        EmbeddedTransactionSender* sender = core.sender();
        sender->registerDescription({ 1, 10, QStringLiteral("Новая заявка"),
            { QStringLiteral("Security"), QStringLiteral("Price") }, { QStringLiteral("Comment") } });
        QString error;
        try {
            core.transactions()->description(1, 99);
        } catch (const QString& m) {
            error = m;
        }
        QCOMPARE(error, QStringLiteral("Транзакция вида 99 для рынка 1 не найдена"));

        const TransactionDescription d = core.transactions()->description(1, 10);
        QVERIFY_EXCEPTION_THROWN(core.transactions()->build(d, { { QStringLiteral("Security"), 1 } }), QString);
        QVERIFY_EXCEPTION_THROWN(core.transactions()->build(d,
                                     { { QStringLiteral("Security"), 1 }, { QStringLiteral("Price"), 2 },
                                         { QStringLiteral("Unknown"), 3 } }),
            QString);
        QVERIFY_EXCEPTION_THROWN(core.transactions()->queue(RawTransactionPtr()), QString);

        QStringList executed;
        sender->setExecutor(
            [&](const RawTransaction& t) { executed << t.values().value(QStringLiteral("Price")).toString(); }, 2);
        for (int price : { 100, 101 }) {
            RawTransactionPtr t = core.transactions()->build(
                d, { { QStringLiteral("Security"), 1 }, { QStringLiteral("Price"), price } });
            t->restartTimer();
            QVERIFY(core.transactions()->queue(t));
        }
        QCOMPARE(sender->pendingCount(), 2);
        QVERIFY(executed.isEmpty()); // later, from the event loop
        QTRY_COMPARE(executed, (QStringList { "100", "101" }));
    }

    void windowManagerOpensAndAnnounces()
    {
        EmbeddedCore core;
        EmbeddedWindowManager* windows = core.windowManager();
        QSignalSpy requested(windows, &EmbeddedWindowManager::windowRequested);
        QSignalSpy locks(windows, &EmbeddedWindowManager::lockChanged);
        QList<SecurityKey> opened;
        windows->registerWindow(QStringLiteral("Dom"), [&](const QList<SecurityKey>& keys) {
            opened = keys;
            return nullptr;
        });
        IWindowManager::instance()->openWindow(QStringLiteral("Dom"), QStringLiteral("1:14:400000|junk|1:15:1000001"));
        IWindowManager::instance()->openWindow(QStringLiteral("Unknown"), QString());
        IWindowManager::instance()->lockWindows(true);
        QVERIFY(windows->isLocked());
        IWindowManager::instance()->lockWindows(false);
        QCOMPARE(opened, (QList<SecurityKey> { SecurityKey { 1, 14, 400000 }, SecurityKey { 1, 15, 1000001 } }));
        QCOMPARE(requested.count(), 2);
        QCOMPARE(requested.at(1).at(0).toString(), QStringLiteral("Unknown")); // asked for, and nothing opens
        QCOMPARE(requested.at(1).at(2).value<QWidget*>(), nullptr);
        QCOMPARE(locks.count(), 2);
    }

    void senderQueuesNothingWhileDisconnected()
    {
        EmbeddedCore core;
        QCOMPARE(ConnectionsManager::instance(), core.connections());
        QVERIFY(core.connections()->isConnected());
        QSignalSpy changed(core.connections(), &ConnectionsManager::statusChanged);
        QSignalSpy queued(core.sender(), &EmbeddedTransactionSender::transactionQueued);
        core.sender()->registerDescription({ 1, 10, QStringLiteral("Новая заявка"), {}, {} });
        const RawTransactionPtr t = core.transactions()->build(core.transactions()->description(1, 10), {});

        core.connections()->disconnectFromExchange();
        core.connections()->disconnectFromExchange();
        QVERIFY_EXCEPTION_THROWN(core.transactions()->queue(t), QString);
        QCOMPARE(queued.count(), 0);
        core.connections()->connectToExchange();
        QVERIFY(core.transactions()->queue(t));
        QCOMPARE(queued.count(), 1);
        QCOMPARE(changed.count(), 2);
    }

    void securityKeysAsText()
    {
        const SecurityKey key { 1, 15, 1000042 };
        QCOMPARE(key.textId(), QStringLiteral("1:15:1000042"));
        QCOMPARE(SecurityKey::fromTextId(QStringLiteral(" 1:15:1000042 ")), key);
        QVERIFY(!SecurityKey::fromTextId(QStringLiteral("1:15")).isValid());
        QVERIFY(!SecurityKey::fromTextId(QStringLiteral("a:b:c")).isValid());
    }

    void confirmationRemembersDoNotAskAgain()
    {
        const QString key = QStringLiteral("questionOnAddOrder");
        ConfirmationDialog::resetChoice(key);
        {
            ConfirmationDialog dialog;
            dialog.setText(QStringLiteral("Отправить заявку?"));
            dialog.setSettingsKey(key);
            QVERIFY(dialog.shouldShowDialog());
            dialog.findChild<QCheckBox*>(QStringLiteral("dontAsk"))->setChecked(true);
            QTimer::singleShot(0, &dialog, &QDialog::accept);
            QCOMPARE(dialog.exec(), int(QDialog::Accepted));
        }
        ConfirmationDialog again;
        again.setSettingsKey(key);
        QVERIFY(!again.shouldShowDialog());
        // The key says whether to ask, at the top of the application's own settings file.
        QSettings file(AppSettings(QString()).fileName(), QSettings::IniFormat);
        QCOMPARE(file.childGroups(), QStringList());
        QCOMPARE(file.value(key), QVariant(false));
        file.setValue(key, true); // as an older terminal or the settings page writes "ask me"
        file.sync();
        QVERIFY(again.shouldShowDialog());
        // A refused dialog does not remember the choice.
        ConfirmationDialog::resetChoice(key);
        ConfirmationDialog refused;
        refused.setSettingsKey(key);
        refused.findChild<QCheckBox*>(QStringLiteral("dontAsk"))->setChecked(true);
        QTimer::singleShot(0, &refused, &QDialog::reject);
        refused.exec();
        QVERIFY(refused.shouldShowDialog());
    }
};

QTEST_MAIN(tst_EmbeddedCore)
#include "tst_embeddedcore.moc"
