#include "core/db/mapsettings.h"
#include "events/soundevent.h"
#include "events/visualevent.h"
#include "recordingsoundplayer.h"
#include "views/iviewsettingspage.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QScopeGuard>
#include <QSpinBox>
#include <QtTest>

#include <algorithm>
#include <memory>

namespace {

// A view's own widget on an alert page: it keeps "extra" of the settings.
class ExtraWidget : public QSpinBox
{
    Q_OBJECT
public Q_SLOTS:
    void restoreExtra(const Settings& settings) { setValue(settings.value(QStringLiteral("extra")).toInt()); }
    void applyExtra(Settings& settings) { settings.setValue(QStringLiteral("extra"), value()); }
};

template<typename T>
T* child(QWidget* page, const char* text)
{
    for (T* widget : page->findChildren<T*>()) {
        if (widget->property(std::is_base_of<QGroupBox, T>::value ? "title" : "text").toString()
            == QString::fromUtf8(text))
            return widget;
    }
    return nullptr;
}

} // namespace

class tst_EventPages : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void visualPageEditsTheSettingsAndCarriesTheViewsWidget()
    {
        QWidget dialog;
        VisualEvent event;
        // A page takes over the view's widget: never shown, it goes with the page.
        QPointer<ExtraWidget> extra = new ExtraWidget;
        delete event.getSettingsPage(true, QString(), nullptr, extra, "restoreExtra", "applyExtra");
        QVERIFY(!extra);
        extra = new ExtraWidget;
        extra->setRange(0, 100);
        std::unique_ptr<IViewSettingsPage> page(
            event.getSettingsPage(false, QStringLiteral("О сделках"), nullptr, extra, "restoreExtra", "applyExtra"));
        QVERIFY(!page->categoryIcon().pixmap(16).isNull());
        MapSettings settings;
        settings.setValue(QStringLiteral("VisualEvent/eventType"), 2);
        settings.setValue(QStringLiteral("VisualEvent/delay"), 25);
        settings.setValue(QStringLiteral("VisualEvent/") + VisualEvent::messageKey(), QStringLiteral("Сделка! "));
        settings.setValue(QStringLiteral("extra"), 7);
        QWidget* form = page->createPage(settings, &dialog);
        dialog.show();

        auto* group = child<QGroupBox>(form, "О сделках");
        QVERIFY(group);
        QVERIFY(extra->parentWidget() == group);
        QCOMPARE(extra->value(), 7);
        // The delay is not offered on this page; it keeps the stored one.
        auto* delay = form->findChild<QSpinBox*>(QString(), Qt::FindChildrenRecursively);
        QVERIFY(delay != extra && !delay->isVisible());
        QCOMPARE(form->findChild<QLineEdit*>()->text(), QStringLiteral("Сделка! "));
        auto* window = child<QCheckBox>(form, "Оповещение в окне ошибок и уведомлений");
        auto* taskbar = child<QCheckBox>(form, "Оповещение в панели задач");
        QVERIFY(!window->isChecked() && taskbar->isChecked());

        window->setChecked(true);
        extra->setValue(9);
        MapSettings applied;
        page->apply(applied);
        VisualEvent back;
        back.restore(MapSettings(), applied);
        QCOMPARE(back.eventType(), VisualEvent::NotificationAndTaskbar);
        QCOMPARE(back.delay(), 25);
        QCOMPARE(back.eventMessage(), QStringLiteral("Сделка! "));
        QCOMPARE(applied.value(QStringLiteral("extra")).toInt(), 9);
        // Shown, it goes with the page's widget, and the page is not deleting it again.
        delete form;
        QVERIFY(!extra);
    }

    void soundPageListsPlaysAndStoresTheSoundsOfTheFolder()
    {
        RecordingSoundPlayer player;
        // A name that sorts apart with and without case.
        QFile upper(SoundEvent::soundsDirectory().filePath(QStringLiteral("Zvonok.wav")));
        QVERIFY(upper.open(QIODevice::WriteOnly));
        upper.close();
        const auto removeUpper = qScopeGuard([&upper] { upper.remove(); });
        QWidget dialog;
        SoundEvent event;
        std::unique_ptr<IViewSettingsPage> page(event.getSettingsPage(true, QString(), nullptr));
        QVERIFY(!page->categoryIcon().pixmap(16).isNull());
        MapSettings settings;
        settings.setValue(QStringLiteral("SoundEvent/sound"), QStringLiteral("chime.wav"));
        QWidget* form = page->createPage(settings, &dialog);

        // Every file of the folder, by name ignoring case, the stored one chosen.
        QStringList files = SoundEvent::soundsDirectory().entryList(QDir::Files);
        std::sort(files.begin(), files.end(),
            [](const QString& a, const QString& b) { return a.compare(b, Qt::CaseInsensitive) < 0; });
        QCOMPARE(files.mid(files.indexOf(QStringLiteral("triple.wav"))),
            QStringList({ QStringLiteral("triple.wav"), QStringLiteral("Zvonok.wav") }));
        auto* sounds = form->findChild<QComboBox*>();
        QStringList listed;
        for (int i = 0; i < sounds->count(); ++i)
            listed << sounds->itemText(i);
        QCOMPARE(listed, files);
        QCOMPARE(sounds->currentText(), QStringLiteral("chime.wav"));
        auto* group = child<QGroupBox>(form, "Оповещать звуком при событии");
        QVERIFY(group->isCheckable() && !group->isChecked());
        QCOMPARE(form->findChild<QSpinBox*>()->value(), 10);

        group->setChecked(true);
        sounds->setCurrentText(QStringLiteral("triple.wav"));
        child<QPushButton>(form, "Проиграть")->click();
        QCOMPARE(player.played, QStringList(SoundEvent::soundsDirectory().filePath(QStringLiteral("triple.wav"))));
        MapSettings applied;
        page->apply(applied);
        SoundEvent back;
        back.restore(MapSettings(), applied);
        QVERIFY(back.isEnabled());
        QCOMPARE(back.sound(), QStringLiteral("triple.wav"));
        QCOMPARE(back.delay(), 10);
    }
};

QTEST_MAIN(tst_EventPages)
#include "tst_eventpages.moc"
