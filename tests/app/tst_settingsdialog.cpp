#include "core/db/mapsettings.h"
#include "core/host/ioptionspage.h"
#include "settingsdialog.h"
#include "stateview.h"
#include "views/iviewsettingspage.h"

#include <QSpinBox>
#include <QTreeWidget>
#include <QtTest>

namespace {

// A window page over the window's "value"; counts its finishes.
class ValuePage : public QObject, public IViewSettingsPage
{
    Q_OBJECT
    Q_INTERFACES(IViewSettingsPage)
public:
    using QObject::QObject;
    QPointer<QSpinBox> editor;
    int finished = 0;

    QString id() const override { return QStringLiteral("value"); }
    QString displayName() const override { return QStringLiteral("Значение"); }
    QString category() const override { return QStringLiteral("Window"); }
    QIcon categoryIcon() const override { return QIcon(); }
    QWidget* createPage(const Settings& settings, QWidget* parent) override
    {
        editor = new QSpinBox(parent);
        editor->setValue(settings.value(QStringLiteral("value")).toInt());
        return editor;
    }
    void apply(Settings& settings) override { settings.setValue(QStringLiteral("value"), editor->value()); }
    void finish() override { ++finished; }
};

// A terminal page that counts what the dialog asks of it.
class CountingPage : public IOptionsPage
{
public:
    int applied = 0;
    int finished = 0;
    QString id() const override { return QStringLiteral("counting"); }
    QString displayName() const override { return QStringLiteral("Счётчик"); }
    QString category() const override { return QStringLiteral("Colors"); }
    QString displayCategory() const override { return QStringLiteral("Цвета"); }
    QIcon categoryIcon() const override { return QIcon(); }
    QWidget* createPage(QWidget* parent) override { return new QWidget(parent); }
    void apply() override { ++applied; }
    void finish() override { ++finished; }
};

class PagedView : public StateView
{
public:
    ValuePage* page = nullptr;
    QList<IViewSettingsPage*> getSettingsPages(QObject* parent) override
    {
        page = new ValuePage(parent);
        return { page };
    }
};

} // namespace

class tst_SettingsDialog : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void windowPagesEditTheWindowsStateAndRestoreIt()
    {
        // Given a window whose state is 7 and a terminal page.
        PagedView view;
        view.setWindowTitle(QStringLiteral("Заявки"));
        view.value = 7;
        CountingPage terminalPage;
        {
            SettingsDialog dialog({ &terminalPage }, &view);
            QCOMPARE(dialog.pageCount(), 2);
            QCOMPARE(dialog.pageTitle(1), QStringLiteral("Значение"));
            const QTreeWidget* list = dialog.findChild<QTreeWidget*>();
            QCOMPARE(list->topLevelItem(0)->text(0), QStringLiteral("Цвета"));
            QCOMPARE(list->topLevelItem(1)->text(0), QStringLiteral("Окно «Заявки»"));
            // The page shows the window's state; what the user sets there reaches the window on apply.
            QCOMPARE(view.page->editor->value(), 7);
            view.page->editor->setValue(12);
            QCOMPARE(view.value, 7);
            dialog.apply();
            QCOMPARE(view.value, 12);
            QCOMPARE(terminalPage.applied, 1);
        }
        // Closing the dialog finishes every page.
        QCOMPARE(terminalPage.finished, 1);
    }
};

QTEST_MAIN(tst_SettingsDialog)
#include "tst_settingsdialog.moc"
