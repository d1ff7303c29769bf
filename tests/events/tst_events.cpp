#include "core/db/mapsettings.h"
#include "core/host/embedded/embeddedcore.h"
#include "core/host/widgets/docktile.h"
#include "events/soundevent.h"
#include "events/visualevent.h"
#include "manualclock.h"
#include "recordingsoundplayer.h"

#include <QApplication>
#include <QDialog>
#include <QWidget>
#include <QtTest>

#include <memory>

class tst_Events : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<EmbeddedCore> m_core;
    ManualClock m_clock;

    QStringList notifications() const { return m_core->recentNotifications(); }

private Q_SLOTS:
    void initTestCase()
    {
        // An event made before the host core must not fix the key its messages are stored under.
        VisualEvent early;
        m_core = std::make_unique<EmbeddedCore>();
        m_core->setVisualEventMessageKey(QStringLiteral("user"));
    }

    void init() { m_core->setMainWindowInBackground(false); }

    void visualEventsWithinTheDelayAreDropped()
    {
        VisualEvent event;
        event.setEventType(VisualEvent::NotificationWindow);
        event.setDelay(10);
        event.setEventMessage(QStringLiteral("Заявки: "));
        const int before = notifications().size();
        // The first event is shown whatever the delay; one 5 s later is dropped; one 11 s after the first is
        // shown, since a dropped event does not restart the delay.
        QVERIFY(event.canShowEvent(true));
        event.showEvent(true, QStringLiteral("первое"));
        m_clock.advance(5);
        QVERIFY(!event.canShowEvent(true));
        event.showEvent(true, QStringLiteral("через 5 с"));
        m_clock.advance(6);
        event.showEvent(true, QStringLiteral("через 11 с"));
        // Without the delay test nothing is dropped.
        event.showEvent(false, QStringLiteral("сразу"));
        QCOMPARE(notifications().mid(before),
            QStringList({ QStringLiteral("Заявки: первое"), QStringLiteral("Заявки: через 11 с"),
                QStringLiteral("Заявки: сразу") }));
    }

    void taskbarAloneNeverWritesToTheNotificationWindow()
    {
        QWidget window;
        VisualEvent event;
        event.setEventType(VisualEvent::TaskbarAlert);
        event.setWidget(&window);
        const int before = notifications().size();
        for (bool background : { false, true }) {
            m_core->setMainWindowInBackground(background);
            DockTile::alert(false, &window);
            event.showEvent(false, QStringLiteral("сделка"));
            QVERIFY(DockTile::isAlerting(&window));
        }
        // Nothing was held back for later either.
        m_core->setMainWindowInBackground(false);
        m_clock.advance(60);
        QCOMPARE(notifications().size(), before);
    }

    void textsHeldOutOfSightArriveOnceTheTerminalIsInFront()
    {
        QWidget main;
        QDialog dialog(&main);
        m_core->addMainWindow(&main);
        main.show();
        VisualEvent event;
        event.setEventType(VisualEvent::NotificationAndTaskbar);
        event.setWidget(&main);
        const int before = notifications().size();
        // Given the main window minimised: the text waits, the taskbar alert comes at once.
        main.showMinimized();
        event.showEvent(true, QStringLiteral("исполнена"));
        QVERIFY(DockTile::isAlerting(&main));
        DockTile::alert(false, &main);
        // Brought back while another application is active: it waits on.
        main.showNormal();
        QApplication::setActiveWindow(nullptr);
        m_clock.advance(10);
        QCOMPARE(notifications().size(), before);
        // The terminal active, the user in one of its dialogs: within 10 s it is shown, with no second taskbar
        // alert.
        dialog.show();
        QApplication::setActiveWindow(&dialog);
        m_clock.advance(9);
        QCOMPARE(notifications().size(), before);
        m_clock.advance(1);
        QCOMPARE(notifications().mid(before), QStringList(QStringLiteral("исполнена")));
        QVERIFY(!DockTile::isAlerting(&main));

        // Texts waiting when the view closes from the notification of the first: the rest still arrive.
        auto* closing = new VisualEvent;
        closing->setEventType(VisualEvent::NotificationWindow);
        QApplication::setActiveWindow(nullptr);
        closing->showEvent(false, QStringLiteral("первая"));
        closing->showEvent(false, QStringLiteral("вторая"));
        QApplication::setActiveWindow(&main);
        QObject context;
        connect(
            m_core.get(), &EmbeddedCore::notified, &context, [&closing] { delete std::exchange(closing, nullptr); });
        m_clock.advance(10);
        QCOMPARE(notifications().mid(before + 1), QStringList({ QStringLiteral("первая"), QStringLiteral("вторая") }));
        QVERIFY(!closing);
    }

    void soundPlaysItsFileUnderTheDelayAndNeverWithoutAName()
    {
        RecordingSoundPlayer player;
        auto restored = [](bool play, const QString& sound) {
            MapSettings settings;
            settings.setValue(QStringLiteral("SoundEvent/playSound"), play);
            settings.setValue(QStringLiteral("SoundEvent/sound"), sound);
            SoundEvent event;
            event.restore(MapSettings(), settings);
            return event;
        };
        SoundEvent unnamed = restored(true, QString());
        unnamed.playSound(false);
        SoundEvent off = restored(false, QStringLiteral("bell.wav"));
        off.playSound(false);
        QVERIFY(player.played.isEmpty());

        SoundEvent bell = restored(true, QStringLiteral("bell.wav"));
        QCOMPARE(bell.delay(), 10);
        bell.playSound(true);
        m_clock.advance(5);
        bell.playSound(true);
        m_clock.advance(6);
        bell.playSound(true);
        const QString path = SoundEvent::soundsDirectory().filePath(QStringLiteral("bell.wav"));
        QVERIFY2(QFileInfo::exists(path), qPrintable(path));
        QCOMPARE(player.played, QStringList({ path, path }));
    }

    void choicesComeBackFromTheSettings()
    {
        VisualEvent visual;
        SoundEvent sound;
        MapSettings empty;
        visual.setEventType(VisualEvent::TaskbarAlert);
        visual.setDelay(42);
        visual.setEventMessage(QStringLiteral("Внимание: "));

        MapSettings stored;
        stored.setValue(QStringLiteral("SoundEvent/playSound"), true);
        stored.setValue(QStringLiteral("SoundEvent/sound"), QStringLiteral("chime.wav"));
        stored.setValue(QStringLiteral("SoundEvent/delay"), 3);
        sound.restore(empty, stored);
        MapSettings settings;
        visual.store(settings);
        sound.store(settings);

        VisualEvent visualBack;
        SoundEvent soundBack;
        visualBack.restore(empty, settings);
        soundBack.restore(empty, settings);
        QCOMPARE(visualBack.eventType(), VisualEvent::TaskbarAlert);
        QCOMPARE(visualBack.delay(), 42);
        QCOMPARE(visualBack.eventMessage(), QStringLiteral("Внимание: "));
        QVERIFY(soundBack.isEnabled());
        QCOMPARE(soundBack.sound(), QStringLiteral("chime.wav"));
        QCOMPARE(soundBack.delay(), 3);
    }
};

QTEST_MAIN(tst_Events)
#include "tst_events.moc"
